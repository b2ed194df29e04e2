// Day-exact answers on plain values: every day of years 1 to 9999, the notations and bad input,
// the era by the day at every change, a 和暦 date that does not exist, ages by Japanese law, 干支
// and 九星 by 立春, the month and day signs, 早生まれ, and the table of 節 against published
// moments.

#include <QtTest>

#include "date_query.h"
#include "u16text.h"
#include "yorvane/answer_fields.h"
#include "yorvane/sexagenary.h"

using namespace yorvane;

namespace {
constexpr Date kToday{2026, 12, 7};

QString iso(Date d) { return QDate(d.year, d.month, d.day).toString(Qt::ISODate); }

DateAnswer answer(const QString& birth, const QString& reference = {}) {
    const DateQuery q = answerDate(u16(birth), u16(reference), kToday);
    if (!q.answer) qWarning() << "no answer for" << birth << qs(q.error);
    return q.answer.value_or(DateAnswer{});
}

QString line(const DateAnswer& a, const QString& label) {
    for (const AnswerLine& l : answerLines(answerFields(a)))
        if (qs(l.label) == label) return qs(l.value);
    return QStringLiteral("(no line %1)").arg(label);
}
}  // namespace

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void everyDay();
    void parse_data();
    void parse();
    void eraByDay_data();
    void eraByDay();
    void ages_data();
    void ages();
    void signs_data();
    void signs();
    void everySpringStartDay();
    void publishedSpringStart_data();
    void publishedSpringStart();
    void outsideTheTable();
    void leapMonthOf2033();
    void threeFormsAgree();
    void commandLineRefuses();
};

namespace {
// The eras in force on the days of a year, oldest first, with their days.
struct EraDays {
    QString name;
    std::int32_t offset;
    int days;
};

// The eras counted day by day against the conventions of a change year: every era of the year
// with its number (the age table) and the one that held the greater part of it (the historical
// table, which the main window shows).
void checkYear(std::int32_t year, const QList<EraDays>& byDay) {
    const ErasOfYear named = erasInYear(year);
    QCOMPARE(qsizetype(named.count), byDay.size());
    const EraDays* most = &byDay.front();
    for (qsizetype i = 0; i < byDay.size(); ++i) {
        QCOMPARE(qs(named.eras[i].name), byDay[i].name);
        QCOMPARE(named.eras[i].number, year - byDay[i].offset);
        if (byDay[i].days > most->days) most = &byDay[i];
    }
    QCOMPARE(qs(findHistoricalEra(year)->caption), most->name);
}
}  // namespace

// Each day of years 1 to 9999 after the one before: its day number one more and back to the
// same date, the weekday and the 60-day cycle one step on. From 明治 on, the eras by the day
// agree with each year's eras.
void TestDates::everyDay() {
    QCOMPARE(weekday({2000, 1, 1}), 6);  // a Saturday
    const HistoricalEra& beforeMeiji = *findHistoricalEra(kEraStarts.front().first.year - 1);
    QList<EraDays> eras;
    Date d{kFirstDateYear, 1, 1};
    for (std::int64_t n = dayNumber(d); d.year <= kLastDateYear; ++n) {
        if (dateFromDayNumber(n) != d || dayNumber(d) != n)
            QFAIL(qPrintable(iso(d) + " and day number " + QString::number(n)));
        const Date next = d.day < daysInMonth(d.year, d.month) ? Date{d.year, d.month, d.day + 1}
                          : d.month < 12                       ? Date{d.year, d.month + 1, 1}
                                                               : Date{d.year + 1, 1, 1};
        if (weekday(next) != (weekday(d) + 1) % 7 || dayCycle(next) != (dayCycle(d) + 1) % 60)
            QFAIL(qPrintable(iso(next)));
        if (d.year >= kEraStarts.front().first.year) {
            const EraStart* e = eraOnDay(d);
            const std::int32_t offset = e ? e->offset() : beforeMeiji.offset;
            if (eras.isEmpty() || eras.last().offset != offset)
                eras.append({e ? qs(e->name) : qs(beforeMeiji.caption), offset, 0});
            ++eras.last().days;
        }
        if (next.year != d.year && !eras.isEmpty()) {
            checkYear(d.year, eras);
            if (QTest::currentTestFailed()) return;
            eras.clear();
        }
        d = next;
    }
}

// Text → the day it names, or a word the Japanese reason must contain.
void TestDates::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("reason");
    const QString d1980 = "1980-03-04";
    for (const char* t : {"1980/3/4", "1980-03-04", "1980.3.4", "1980年3月4日", "昭和55年3月4日",
                          "S55.3.4", "s55/3/4", "１９８０年３月４日", "Ｓ５５．３．４", "19800304",
                          " 1980 / 3 / 4 ", "1980 3 4", "昭和５５年３月４日"})
        QTest::newRow(t) << QString::fromUtf8(t) << d1980 << "";
    QTest::newRow("H1.1.8") << "H1.1.8"
                            << "1989-01-08"
                            << "";
    QTest::newRow("R1.5.1") << "R1.5.1"
                            << "2019-05-01"
                            << "";
    QTest::newRow("令和元年") << "令和元年5月1日"
                              << "2019-05-01"
                              << "";
    QTest::newRow("M6") << "明治6年1月1日"
                        << "1873-01-01"
                        << "";
    // 和暦 dates before 明治6年 are dates of the lunisolar calendar.
    for (const auto& [t, d, why] : {std::array{"明治5年12月2日", "1872-12-31", ""},
                                    {"M5.12.2", "1872-12-31", ""},
                                    {"明治元年9月8日", "1868-10-23", ""},
                                    {"慶応4年1月1日", "1868-01-25", ""},
                                    {"嘉永5年閏2月1日", "1852-03-21", ""},
                                    {"明治5年12月3日", "", "旧暦にありません"},
                                    {"嘉永5年2月4294967297日", "", "旧暦にありません"},
                                    {"嘉永4294967301年2月1日", "", "旧暦にありません"},
                                    {"天保14年1月1日", "", "1843年以前"},
                                    {"1980年閏3月4日", "", "閏月"}})
        QTest::newRow(t) << QString::fromUtf8(t) << d << QString::fromUtf8(why);
    QTest::newRow("2月29日 leap") << "2000/2/29"
                                  << "2000-02-29"
                                  << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "入力";
    QTest::newRow("blanks") << "　 "
                            << ""
                            << "入力";
    QTest::newRow("letters") << "abc"
                             << ""
                             << "A";
    QTest::newRow("letter after") << "1980/3/4x"
                                  << ""
                                  << "X";
    QTest::newRow("2月30日") << "1980/2/30"
                             << ""
                             << "2月30日";
    QTest::newRow("2月29日 common") << "1900/2/29"
                                    << ""
                                    << "2月29日";
    QTest::newRow("13月") << "1980/13/1"
                          << ""
                          << "13月";
    QTest::newRow("era year 0") << "S0.3.4"
                                << ""
                                << "元年";
    QTest::newRow("no day") << "1980/3"
                            << ""
                            << "日";
    QTest::newRow("year alone") << "1980"
                                << ""
                                << "月";
    QTest::newRow("元 without era") << "元年3月4日"
                                    << ""
                                    << "元";
    QTest::newRow("beyond 9999") << "10000/1/1"
                                 << ""
                                 << "9999";
    // The reason names what is wrong, not the first character that does not fit.
    for (const auto& [t, why] : {std::array{"3/4", "年がありません"},
                                 {"2月29日", "年がありません"},
                                 {"/3/4", "年がありません"},
                                 {"1980/3/4/5", "多すぎ"},
                                 {"1980 3 4 5", "多すぎ"},
                                 {"1980//4", "続いて"},
                                 {"198003041", "8けた"},
                                 {"1980034", "8けた"},
                                 {"1980/3/4 1990/1/1", "二つ"},
                                 {"19800304　昭和55年3月4日", "二つ"}})
        QTest::newRow(t) << QString::fromUtf8(t) << "" << QString::fromUtf8(why);
}

void TestDates::parse() {
    QFETCH(QString, text);
    QFETCH(QString, day);
    QFETCH(QString, reason);
    const DateParse p = parseDate(u16(text));
    QCOMPARE(p.blank, text.trimmed().isEmpty());  // only then may a window show no reason
    if (day.isEmpty()) {
        QVERIFY(!p.value);
        QVERIFY2(qs(p.error).contains(reason), qPrintable(qs(p.error)));
    } else {
        QVERIFY2(p.value, qPrintable(qs(p.error)));
        QCOMPARE(iso(p.value->date), day);
    }
}

// Every change of era ±1 day; a typed era the day was not in is red.
void TestDates::eraByDay_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("eraDate");
    QTest::addColumn<bool>("red");
    QTest::newRow("first Gregorian day") << "1873/1/1"
                                         << "明治6年1月1日" << false;
    QTest::newRow("last of 明治") << "1912/7/29"
                                  << "明治45年7月29日" << false;
    QTest::newRow("first of 大正") << "1912/7/30"
                                   << "明治45年7月30日 / 大正元年7月30日" << false;
    QTest::newRow("大正 +1") << "1912/7/31"
                             << "大正元年7月31日" << false;
    QTest::newRow("last of 大正") << "1926/12/24"
                                  << "大正15年12月24日" << false;
    QTest::newRow("first of 昭和") << "1926/12/25"
                                   << "大正15年12月25日 / 昭和元年12月25日" << false;
    QTest::newRow("昭和 +1") << "1926/12/26"
                             << "昭和元年12月26日" << false;
    QTest::newRow("last of 昭和") << "S64.1.7"
                                  << "昭和64年1月7日" << false;
    QTest::newRow("first of 平成") << "1989/1/8"
                                   << "平成元年1月8日" << false;
    QTest::newRow("平成 +1") << "H1.1.9"
                             << "平成元年1月9日" << false;
    QTest::newRow("last of 平成") << "2019/4/30"
                                  << "平成31年4月30日" << false;
    QTest::newRow("first of 令和") << "2019/5/1"
                                   << "令和元年5月1日" << false;
    QTest::newRow("令和 +1") << "2019/5/2"
                             << "令和元年5月2日" << false;
    QTest::newRow("昭和64年1月8日") << "昭和64年1月8日"
                                    << "平成元年1月8日" << true;
    QTest::newRow("平成31年5月1日") << "平成31年5月1日"
                                    << "令和元年5月1日" << true;
    QTest::newRow("大正16年1月1日") << "大正16年1月1日"
                                    << "昭和2年1月1日" << true;
    QTest::newRow("昭和元年 before its day") << "S1.12.24"
                                             << "大正15年12月24日" << true;
    // Before 1873 the lunisolar calendar's date, before 1844 the era and year alone.
    QTest::newRow("last lunisolar day") << "1872/12/31"
                                        << "明治5年12月2日" << false;
    QTest::newRow("first of 明治") << "1868/10/23"
                                   << "明治元年9月8日" << false;
    QTest::newRow("嘉永 leap month") << "1852/3/21"
                                     << "嘉永5年閏2月1日" << false;
    QTest::newRow("before 1844: the year only") << "1843/12/31"
                                                << "天保14年" << false;
}

void TestDates::eraByDay() {
    QFETCH(QString, text);
    QFETCH(QString, eraDate);
    QFETCH(bool, red);
    const DateAnswer a = answer(text);
    QCOMPARE(line(a, "和暦"), eraDate);
    QCOMPARE(a.typedEra != nullptr, red);
    QCOMPARE(a.yearOnly, a.date < kLunisolarFirstDay);
    // The red day is also said in words, beginning with the era and year typed.
    if (red && a.typedEra) QVERIFY(qs(answerNotes(a).front()).startsWith(qs(a.typedEra->name)));
}

// 満年齢 by Japanese law, 数え年, the days to the next birthday, 早生まれ.
void TestDates::ages_data() {
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("full");
    QTest::addColumn<int>("counted");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("early");
    QTest::newRow("day before birthday") << "1980/3/4"
                                         << "2026/3/3" << 45 << 47 << 1 << true;
    QTest::newRow("birthday") << "1980/3/4"
                              << "2026/3/4" << 46 << 47 << 0 << true;
    QTest::newRow("day after") << "1980/3/4"
                               << "2026/3/5" << 46 << 47 << 364 << true;
    QTest::newRow("day of birth") << "1980/3/4"
                                  << "1980/3/4" << 0 << 1 << 0 << true;
    QTest::newRow("2/29, 2/28 common") << "2000/2/29"
                                       << "2001/2/28" << 0 << 2 << 1 << true;
    QTest::newRow("2/29, 3/1 common") << "2000/2/29"
                                      << "2001/3/1" << 1 << 2 << 0 << true;
    QTest::newRow("2/29, 2/28 leap") << "2000/2/29"
                                     << "2004/2/28" << 3 << 5 << 1 << true;
    QTest::newRow("2/29, 2/29 leap") << "2000/2/29"
                                     << "2004/2/29" << 4 << 5 << 0 << true;
    QTest::newRow("2/29, 3/1 before leap") << "2000/2/29"
                                           << "2003/3/1" << 3 << 4 << 0 << true;
    QTest::newRow("4/1 早生まれ") << "1980/4/1"
                                  << "2026/12/7" << 46 << 47 << 115 << true;
    QTest::newRow("4/2 not") << "1980/4/2"
                             << "2026/12/7" << 46 << 47 << 116 << false;
    QTest::newRow("1/1 早生まれ") << "1980/1/1"
                                  << "2026/12/31" << 46 << 47 << 1 << true;
    QTest::newRow("12/31 not") << "1979/12/31"
                               << "2026/12/31" << 47 << 48 << 0 << false;
}

void TestDates::ages() {
    QFETCH(QString, birth);
    QFETCH(QString, reference);
    QFETCH(int, full);
    QFETCH(int, counted);
    QFETCH(int, days);
    QFETCH(bool, early);
    const DateAnswer a = answer(birth, reference);
    QCOMPARE(a.fullAge, full);
    QCOMPARE(a.countedAge, counted);
    QCOMPARE(a.daysToBirthday, days);
    QCOMPARE(a.earlyBorn, early);
    QCOMPARE(a.school, schoolYears(a.date.year, early));
}

// 干支 and 九星 of the year by 立春, the month's by 節入り, the day's by the 60-day cycle.
void TestDates::signs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("star");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("monthStar");
    QTest::addColumn<QString>("day");
    QTest::newRow("2000-01-01") << "2000/1/1"
                                << "己卯"
                                << "一白水星"
                                << "丙子"
                                << "七赤金星"
                                << "戊午";
    QTest::newRow("1949-10-01") << "1949/10/1"
                                << "己丑"
                                << "六白金星"
                                << "癸酉"
                                << "七赤金星"
                                << "甲子";
    QTest::newRow("2024 January") << "2024/1/10"
                                  << "癸卯"
                                  << "四緑木星"
                                  << "乙丑"
                                  << "六白金星"
                                  << "癸酉";
    QTest::newRow("2024 February") << "2024/2/10"
                                   << "甲辰"
                                   << "三碧木星"
                                   << "丙寅"
                                   << "五黄土星"
                                   << "甲辰";
    QTest::newRow("立春 at 23:59") << "2021/2/3"
                                   << "辛丑"
                                   << "六白金星"
                                   << "庚寅"
                                   << "五黄土星"
                                   << "壬午";
    QTest::newRow("day before it") << "2021/2/2"
                                   << "庚子"
                                   << "七赤金星"
                                   << "己丑"
                                   << "六白金星"
                                   << "辛巳";
    QTest::newRow("first day, 大雪 1872") << "1873/1/1"
                                          << "壬申"
                                          << "二黒土星"
                                          << "壬子"
                                          << "一白水星"
                                          << "癸丑";
}

void TestDates::signs() {
    QFETCH(QString, text);
    const DateAnswer a = answer(text);
    QTEST(line(a, "干支").left(2), "year");
    QTEST(line(a, "九星"), "star");
    QTEST(line(a, "月干支").left(2), "month");
    QTEST(line(a, "月命星"), "monthStar");
    QTEST(line(a, "日干支").left(2), "day");
}

// The day before each 立春 still has the year before's sign and star; the 立春 day has its own.
void TestDates::everySpringStartDay() {
    for (std::int32_t y = kSolarTermFirstYear; y <= kSolarTermLastYear; ++y) {
        const Moment r = *solarTermMoment(y, StartOfSpring);
        QVERIFY(r.date.month == 2 && r.date.day >= 3 && r.date.day <= 5);
        const Date before = dateFromDayNumber(dayNumber(r.date) - 1);
        const Date after = dateFromDayNumber(dayNumber(r.date) + 1);
        QCOMPARE(answer(qs(dateText(before))).signYear, y - 1);
        QCOMPARE(answer(qs(dateText(r.date))).signYear, y);
        QCOMPARE(answer(qs(dateText(after))).signYear, y);
        QCOMPARE(answer(qs(dateText(r.date))).springStart, r);
    }
}

void TestDates::publishedSpringStart_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("moment");
    QTest::newRow("2017") << 2017 << "2017年2月4日 0:34";
    QTest::newRow("2020") << 2020 << "2020年2月4日 18:03";
    QTest::newRow("2021") << 2021 << "2021年2月3日 23:59";
    QTest::newRow("2024") << 2024 << "2024年2月4日 17:27";
    QTest::newRow("2025") << 2025 << "2025年2月3日 23:10";
}

void TestDates::publishedSpringStart() {
    QFETCH(int, year);
    QTEST(qs(momentText(*solarTermMoment(year, StartOfSpring))), "moment");
}

// Before 1873 and after 2100 there is no 節 to go by: the year's sign follows New Year's Day.
void TestDates::outsideTheTable() {
    for (const char* text : {"1872/1/10", "2101/1/10"}) {
        const DateAnswer a = answer(text);
        QCOMPARE(a.signYear, a.date.year);
        QVERIFY(!a.springStart && !a.monthCycle && !a.monthStar);
        QVERIFY(!answerNotes(a).empty());
    }
    QVERIFY(answer("2100/12/31").monthCycle);
}

namespace {
// The keys of a JSON object's text at its top level, in their order.
QStringList topLevelKeys(const QString& json) {
    QStringList keys;
    int depth = 0;
    bool key = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const QChar c = json[i];
        if (c == '"') {
            qsizetype end = i + 1;
            while (json[end] != '"') end += json[end] == '\\' ? 2 : 1;
            if (depth == 1 && key) keys << json.mid(i + 1, end - i - 1);
            key = false;
            i = end;
        } else if (c == '{' || c == '[') {
            key = ++depth == 1;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',') {
            key = depth == 1;
        }
    }
    return keys;
}

// What a line must hold of a JSON value: a date, a month or a moment as the line writes it
// ("1980-02-05T01:10+09:00" is "1980年2月5日 1:10"), a number's digits, a truth as はい or いいえ
// (within an object, a mark the line words as it may), every member of an object; nothing of a
// null, which a line says in words.
QStringList lineParts(const QJsonValue& v, bool member = false) {
    static const QRegularExpression iso(R"(^(\d{4})-(\d\d)(?:-(\d\d))?(?:T(\d\d):(\d\d))?)");
    QStringList parts;
    if (v.isObject()) {
        for (const QJsonValue& m : v.toObject()) parts << lineParts(m, true);
    } else if (v.isBool() && !member) {
        parts << (v.toBool() ? "はい" : "いいえ");
    } else if (v.isDouble()) {
        parts << QString::number(v.toInteger());
    } else if (const QRegularExpressionMatch m = iso.match(v.toString()); m.hasMatch()) {
        const auto n = [&m](int i) { return QString::number(m.captured(i).toInt()); };
        QString s = n(1) + "年" + n(2) + "月";
        if (m.capturedLength(3)) s += n(3) + "日";
        if (m.capturedLength(4)) s += " " + n(4) + ":" + m.captured(5);
        parts << s;
    } else if (v.isString()) {
        parts << v.toString();
    }
    return parts;
}
}  // namespace

// The command line's lines and its JSON against each other over births spread across 1850 to
// 2110, each on a 基準日 some years before or after: a line for each labelled field and a key for
// each field, in the same order, the line holding what the JSON says (a value the JSON alone
// gives, the weekday, in the line before it). The window shows the printed lines (tst_datewindow).
void TestDates::threeFormsAgree() {
    int births = 0;
    for (std::int64_t n = dayNumber({1850, 1, 1}); n < dayNumber({2111, 1, 1}); n += 97, ++births) {
        const Date birth = dateFromDayNumber(n);
        const Date on = dateFromDayNumber(n + (n * 7919) % 40000 - 2000);
        QString text, json, errors;
        QTextStream out(&text), jsonOut(&json), err(&errors);
        QCOMPARE(runDateQuery(qs(dateText(birth)), iso(on), false, out, err, kToday), 0);
        QCOMPARE(runDateQuery(qs(dateText(birth)), iso(on), true, jsonOut, err, kToday), 0);
        QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
        const QStringList keys = topLevelKeys(json);
        const std::vector<AnswerField> fields =
            answerFields(*answerDate(dateText(birth), on).answer);
        QCOMPARE(keys.size(), qsizetype(fields.size()));
        QCOMPARE(object.size(), keys.size());
        qsizetype next = 0;  // the first line not matched yet
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const AnswerField& f = fields[i];
            QCOMPARE(keys[i], qs(f.key));
            const QJsonValue value = object[keys[i]];
            const QJsonArray items = value.isArray() ? value.toArray() : QJsonArray{value};
            // This year's and next year's 厄年 and 長寿祝い, in the JSON alone, sum up the lists.
            if (f.label.empty() && value.isObject()) continue;
            const qsizetype first = f.label.empty() ? next - 1 : next;
            if (!f.label.empty())
                for (qsizetype k = 0; k < std::max<qsizetype>(items.size(), 1); ++k)
                    QVERIFY2(lines.value(next++).startsWith(qs(f.label) + ": "), qPrintable(text));
            for (qsizetype k = 0; k < items.size(); ++k) {
                const QString shown = lines.value(first + (f.label.empty() ? 0 : k));
                for (const QString& part : lineParts(items[k]))
                    QVERIFY2(shown.contains(part),
                             qPrintable(keys[i] + ": " + part + " / " + shown));
            }
        }
        for (qsizetype k = next; k < lines.size(); ++k) QVERIFY(lines[k].startsWith("※ "));
        QVERIFY(errors.isEmpty());
    }
    QVERIFY(births > 900);
}

// The calendar publishers' 閏11月 of 2033 begins on 12月22日: a birth on its first day is in the
// leap month, keeps its birthday there in 2033 and falls in the ordinary 11月 in 2034, which has
// no leap month; the 六曜 counts the leap month as 11月 ((11 + 1) mod 6 is 大安).
void TestDates::leapMonthOf2033() {
    const DateAnswer before = answer("2033/12/21", "2033/12/22");
    const DateAnswer a = answer("2033/12/22", "2033/12/22");
    QVERIFY(before.lunisolar && a.lunisolar);
    QVERIFY(!before.lunisolar->leap && before.lunisolar->month == 11);
    QCOMPARE(*a.lunisolar, (LunisolarDate{2033, 11, true, 1}));
    QCOMPARE(line(a, "旧暦"), "2033年閏11月1日");
    QCOMPARE(line(a, "六曜"), "大安");
    QCOMPARE(line(a, "基準日の旧暦"), line(a, "旧暦"));
    QCOMPARE(a.lunisolarBirthdays[0], std::optional<Date>(a.date));
    QCOMPARE(a.lunisolarBirthdays[1], dateOfLunisolar({2034, 11, false, 1}));
}

// Bad input on the command line: the reason in Japanese, status 1.
void TestDates::commandLineRefuses() {
    QString text, errors;
    QTextStream out(&text), err(&errors);
    QCOMPARE(runDateQuery("1980/2/30", "", true, out, err, kToday), 1);
    QVERIFY(errors.contains("2月30日"));
    QCOMPARE(runDateQuery("1980/3/4", "2026/13/1", true, out, err, kToday), 1);
    QVERIFY(errors.contains("--on") && errors.contains("13月"));
    QVERIFY(text.isEmpty());
}

QTEST_APPLESS_MAIN(TestDates)
#include "tst_dates.moc"
