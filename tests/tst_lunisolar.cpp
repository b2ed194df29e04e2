// The lunisolar calendar: every day of 1844 to 2100 through it and back, the month starts and leap
// months the almanacs published where the rules are close run, the days of era proclamations, the
// 和暦 dates before 明治6年, and the lunisolar birthday of a birth in a leap month.

#include <QtTest>

#include "u16text.h"
#include "yorvane/lunisolar.h"

using namespace yorvane;

Q_DECLARE_METATYPE(yorvane::LunisolarDate)

namespace {
QDate qdate(Date d) { return QDate(d.year, d.month, d.day); }
Date date(QDate d) { return {d.year(), d.month(), d.day()}; }
}  // namespace

class TestLunisolar : public QObject {
    Q_OBJECT
private slots:
    void everyDay();
    void published_data();
    void published();
    void eraDates_data();
    void eraDates();
    void birthday_data();
    void birthday();
};

// Each day is the day after the one before in its month, or the first of the next month; months
// have 29 or 30 days, a year 12 months or 13 with one leap month that follows its ordinary month;
// every date goes back to its day.
void TestLunisolar::everyDay() {
    QVERIFY(!lunisolarDate({1843, 12, 31}) && !lunisolarDate({2101, 1, 1}));
    auto prev = *lunisolarDate(kLunisolarFirstDay);
    int monthsInYear = -1, leapsInYear = 0;  // -1: the walk began within a year
    for (std::int64_t n = dayNumber(kLunisolarFirstDay) + 1; n <= dayNumber(kLunisolarLastDay);
         ++n) {
        const Date d = dateFromDayNumber(n);
        const auto l = lunisolarDate(d);
        QVERIFY(l);
        QCOMPARE(qdate(dateOfLunisolar(*l).value_or(Date{})), qdate(d));
        if (l->day == prev.day + 1) {
            QVERIFY(l->year == prev.year && l->month == prev.month && l->leap == prev.leap);
            prev = *l;
            continue;
        }
        QCOMPARE(l->day, 1);
        QVERIFY2(prev.day == 29 || prev.day == 30, qPrintable(qdate(d).toString()));
        if (l->leap) QVERIFY(l->month == prev.month && !prev.leap);
        if (!l->leap) QCOMPARE(l->month, prev.month % 12 + 1);
        if (l->year != prev.year) {
            QCOMPARE(l->year, prev.year + 1);
            QCOMPARE(l->month, 1);
            if (monthsInYear >= 0) QCOMPARE(monthsInYear, 12 + leapsInYear);
            QVERIFY(leapsInYear <= 1);
            monthsInYear = leapsInYear = 0;
        }
        if (monthsInYear >= 0) ++monthsInYear;
        leapsInYear += l->leap;
        prev = *l;
    }
}

// Month starts and leap months as the almanacs printed them where the day of a new moon or a 中気
// lies close to midnight or the rules conflict; the days of era proclamations as published.
void TestLunisolar::published_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<LunisolarDate>("lunisolar");
    const auto row = [](const char* name, QDate d, LunisolarDate l) {
        QTest::newRow(name) << d << l;
    };
    // The fixed months decide: 閏2月 of 1852, not 閏11月 of 1851; 1947's 穀雨 and new moon
    // on one day make 閏2月; the 2033 leap month follows 冬至.
    row("嘉永5年閏2月", {1852, 3, 21}, {1852, 2, true, 1});
    row("1947 閏2月", {1947, 3, 23}, {1947, 2, true, 1});
    row("2033 閏11月", {2033, 12, 22}, {2033, 11, true, 1});
    row("2033 11月", {2033, 11, 22}, {2033, 11, false, 1});
    // The day in local time before 1888, and the almanac's start of 2097's 12月.
    row("1850-10-06", {1850, 10, 6}, {1850, 9, false, 1});
    row("1866-05-15", {1866, 5, 15}, {1866, 4, false, 1});
    row("1884-04-26", {1884, 4, 26}, {1884, 4, false, 1});
    row("1872-01-10", {1872, 1, 10}, {1871, 12, false, 1});
    row("2097-01-14", {2097, 1, 14}, {2096, 12, false, 1});
    row("慶応4年1月1日", {1868, 1, 25}, {1868, 1, false, 1});
    row("明治5年12月2日", {1872, 12, 31}, {1872, 12, false, 2});
    // Era proclamations.
    row("弘化", {1845, 1, 9}, {1844, 12, false, 2});
    row("嘉永", {1848, 4, 1}, {1848, 2, false, 28});
    row("安政", {1855, 1, 15}, {1854, 11, false, 27});
    row("万延", {1860, 4, 8}, {1860, 3, false, 18});
    row("文久", {1861, 3, 29}, {1861, 2, false, 19});
    row("元治", {1864, 3, 27}, {1864, 2, false, 20});
    row("慶応", {1865, 5, 1}, {1865, 4, false, 7});
    row("明治", {1868, 10, 23}, {1868, 9, false, 8});
}

void TestLunisolar::published() {
    QFETCH(QDate, day);
    QFETCH(LunisolarDate, lunisolar);
    const auto l = lunisolarDate(date(day));
    QVERIFY(l);
    QVERIFY2(*l == lunisolar, qPrintable(QStringLiteral("%1 %2%3 %4")
                                             .arg(l->year)
                                             .arg(l->leap ? "閏" : "")
                                             .arg(l->month)
                                             .arg(l->day)));
    QCOMPARE(qdate(dateOfLunisolar(lunisolar).value_or(Date{})), day);
    // The day before the 1st is the last of the month before; the 1st is the day's 先勝 or
    // later by the month's number alone.
    if (lunisolar.day == 1) {
        QVERIFY(lunisolarDate(date(day.addDays(-1)))->day >= 29);
        const LunisolarDate ordinary{lunisolar.year, lunisolar.month, false, 1};
        QCOMPARE(rokuyo(lunisolar), rokuyo(ordinary));
        if (lunisolar.month == 1) QCOMPARE(rokuyo(lunisolar), Rokuyo::Sensho);
    }
    for (const LunisolarEra& era : kLunisolarEras)
        if (era.proclaimed == lunisolar) {
            QCOMPARE(lunisolarEraDate(date(day))->era, &era);
            QVERIFY(lunisolarEraDate(date(day.addDays(-1)))->era == &era - 1);
        }
}

// 和暦 dates of the lunisolar calendar to days; an empty day for a date that never was.
void TestLunisolar::eraDates_data() {
    QTest::addColumn<QString>("era");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<int>("day");
    QTest::addColumn<QDate>("expected");
    const auto row = [](const char* name, const char* era, int y, int m, bool leap, int d,
                        QDate expected) {
        QTest::newRow(name) << QString::fromUtf8(era) << y << m << leap << d << expected;
    };
    row("慶応4年1月1日", "慶応", 4, 1, false, 1, {1868, 1, 25});
    row("明治元年1月1日, dated back", "明治", 1, 1, false, 1, {1868, 1, 25});
    row("明治元年9月8日", "明治", 1, 9, false, 8, {1868, 10, 23});
    row("慶応4年9月8日: 明治 by then", "慶応", 4, 9, false, 8, {});
    row("明治5年12月2日", "明治", 5, 12, false, 2, {1872, 12, 31});
    row("明治5年12月3日: 明治6年1月1日", "明治", 5, 12, false, 3, {});
    row("明治6年1月1日: Gregorian", "明治", 6, 1, false, 1, {});
    row("嘉永5年閏2月1日", "嘉永", 5, 2, true, 1, {1852, 3, 21});
    row("嘉永5年閏3月1日", "嘉永", 5, 3, true, 1, {});
    row("30th of a 29-day month", "明治", 5, 11, false, 30, {});
    row("天保15年1月1日", "天保", 15, 1, false, 1, {1844, 2, 18});
    row("天保14年1月1日: before 1844", "天保", 14, 1, false, 1, {});
    row("弘化元年", "弘化", 0, 1, false, 1, {});
}

void TestLunisolar::eraDates() {
    QFETCH(QString, era);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(bool, leap);
    QFETCH(int, day);
    QFETCH(QDate, expected);
    const LunisolarEra* e = lunisolarEraNamed(u16(era));
    QVERIFY(e);
    const auto d = dateOfLunisolarEra(*e, year, month, leap, day);
    QCOMPARE(d ? qdate(*d) : QDate(), expected);
    if (!d || (e->name == u"明治" && year == 1 && month < 9)) return;  // dated back
    const auto back = lunisolarEraDate(*d);
    QVERIFY(back && back->era == e && back->eraYear == year);
    QCOMPARE(back->date.day, day);
}

// A birth in a leap month keeps to the leap month only in a year that has it; the 30th falls on
// the last day of a 29-day month.
void TestLunisolar::birthday_data() {
    QTest::addColumn<LunisolarDate>("birth");
    QTest::addColumn<int>("year");
    QTest::addColumn<LunisolarDate>("expected");
    const LunisolarDate leapBirth{2023, 2, true, 15};
    QTest::newRow("閏2月, a year without")
        << leapBirth << 2024 << LunisolarDate{2024, 2, false, 15};
    QTest::newRow("閏2月, 2042 has it") << leapBirth << 2042 << LunisolarDate{2042, 2, true, 15};
    QTest::newRow("2月, a year with 閏2月")
        << LunisolarDate{2000, 2, false, 15} << 2042 << LunisolarDate{2042, 2, false, 15};
    QTest::newRow("30th in a 29-day 11月")
        << LunisolarDate{2000, 11, false, 30} << 1872 << LunisolarDate{1872, 11, false, 29};
}

void TestLunisolar::birthday() {
    QFETCH(LunisolarDate, birth);
    QFETCH(int, year);
    QFETCH(LunisolarDate, expected);
    const auto d = lunisolarBirthday(birth, year);
    QVERIFY(d);
    QVERIFY(lunisolarDate(*d) == expected);
}

QTEST_APPLESS_MAIN(TestLunisolar)
#include "tst_lunisolar.moc"
