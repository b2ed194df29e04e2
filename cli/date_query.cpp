#include "date_query.h"

#include "u16text.h"
#include "yorvane/answer_fields.h"

namespace yorvane {

namespace {

int fail(QTextStream& err, const QString& why) {
    err << why << '\n';
    err.flush();
    return 1;
}

}  // namespace

int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err, Date today, const AnswerOptions& options) {
    const DateParse reference = readReference(u16(on), today);
    if (!reference.value)
        return fail(err, QStringLiteral("--on の日付が正しくありません: ") + qs(reference.error));
    const DateQuery q = answerDate(u16(text), reference.value->date, options);
    if (!q.answer) return fail(err, qs(q.error));
    const std::vector<AnswerField> fields = answerFields(*q.answer);
    if (json) {
        out << qs(answerJson(fields)) << '\n';
    } else {
        for (const AnswerLine& line : answerLines(fields))
            out << qs(line.label) << QStringLiteral(": ") << qs(line.value) << '\n';
        for (const std::u16string& note : answerNotes(*q.answer))
            out << QStringLiteral("※ ") << qs(note) << '\n';
    }
    out.flush();
    return 0;
}

}  // namespace yorvane
