#include "date_query.h"

#include <QJsonDocument>

#include "u16text.h"
#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {

QString isoDate(Date d) {
    return QStringLiteral("%1-%2-%3")
        .arg(d.year, 4, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.day, 2, 10, QLatin1Char('0'));
}

QJsonValue orNull(bool present, const QJsonValue& value) {
    return present ? value : QJsonValue(QJsonValue::Null);
}

QJsonObject thisAndNext(std::u16string_view now, std::u16string_view next) {
    return {{QStringLiteral("今年"), qs(now)}, {QStringLiteral("来年"), qs(next)}};
}

void printLines(const DateAnswer& a, QTextStream& out) {
    for (const AnswerLine& line : answerLines(a))
        out << qs(line.label) << QStringLiteral(": ") << qs(line.value) << '\n';
    for (const std::u16string& note : answerNotes(a))
        out << QStringLiteral("※ ") << qs(note) << '\n';
}

}  // namespace

QJsonObject answerJson(const DateAnswer& a) {
    QJsonObject o;
    o.insert(QStringLiteral("西暦"), isoDate(a.date));
    o.insert(QStringLiteral("曜日"), qs(kWeekdays.substr(weekday(a.date), 1)));
    o.insert(QStringLiteral("和暦"), qs(a.eraDate));
    o.insert(QStringLiteral("満年齢"), orNull(!a.beforeBirth, a.fullAge));
    o.insert(QStringLiteral("数え年"), orNull(!a.beforeBirth, a.countedAge));
    o.insert(QStringLiteral("次の誕生日まで"), static_cast<qint64>(a.daysToBirthday));
    o.insert(QStringLiteral("干支"), qs(cycleName(yearCycle(a.signYear))));
    o.insert(QStringLiteral("九星"), qs(yearSign(a.signYear).nineStar));
    const QString springStart = a.springStart
                                    ? QStringLiteral("%1T%2:%3+09:00")
                                          .arg(isoDate(a.springStart->date))
                                          .arg(a.springStart->hour, 2, 10, QLatin1Char('0'))
                                          .arg(a.springStart->minute, 2, 10, QLatin1Char('0'))
                                    : QString();
    o.insert(QStringLiteral("立春"), orNull(a.springStart.has_value(), springStart));
    o.insert(
        QStringLiteral("月干支"),
        orNull(a.monthCycle.has_value(), a.monthCycle ? qs(cycleName(*a.monthCycle)) : QString()));
    o.insert(
        QStringLiteral("月命星"),
        orNull(a.monthStar.has_value(), a.monthStar ? qs(nineStarName(*a.monthStar)) : QString()));
    o.insert(QStringLiteral("日干支"), qs(cycleName(a.dayCycle)));
    o.insert(QStringLiteral("早生まれ"), a.earlyBorn);
    o.insert(QStringLiteral("小学校入学"), a.school.elementaryEntry);
    o.insert(QStringLiteral("中学校入学"), a.school.juniorHighEntry);
    o.insert(QStringLiteral("高校入学"), a.school.highEntry);
    o.insert(QStringLiteral("高校卒業"), a.school.highGraduation);
    o.insert(QStringLiteral("大学卒業"), a.school.universityGraduation);
    o.insert(QStringLiteral("厄年"), thisAndNext(a.unluckyThisYear, a.unluckyNextYear));
    o.insert(QStringLiteral("長寿祝い"), thisAndNext(a.longevityThisYear, a.longevityNextYear));
    return o;
}

int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err, QDate today) {
    const DateQuery q = answerDate(u16(text), u16(on), {today.year(), today.month(), today.day()});
    if (!q.answer) {
        err << qs(q.error) << '\n';
        err.flush();
        return 1;
    }
    if (json)
        out << QJsonDocument(answerJson(*q.answer)).toJson(QJsonDocument::Compact) << '\n';
    else
        printLines(*q.answer, out);
    out.flush();
    return 0;
}

int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err) {
    return runDateQuery(text, on, json, out, err, QDate::currentDate());
}

}  // namespace yorvane
