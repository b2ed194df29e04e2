// Answers many days at once for tools/check-dates: each line of standard input is a day of
// birth and a 基準日 separated by a tab; each answer is one line, the JSON object of
// `yorvane --query TEXT --on DATE --json`, or "ERROR" and the reason.

#include <QCoreApplication>
#include <QTextStream>

#include "date_query.h"
#include "program.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream in(stdin), out(stdout);
    const QDate now = yorvane::localToday();
    const yorvane::Date today{now.year(), now.month(), now.day()};
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        QString reason;
        QTextStream err(&reason);
        if (yorvane::runDateQuery(parts.value(0), parts.value(1), true, out, err, today) != 0)
            out << "ERROR\t" << reason.trimmed() << '\n';
    }
    return 0;
}
