// The rules of the age table on plain values: eras of a change year, 皇紀, sign, both ages,
// 厄年, 長寿祝い and the years of school; and over a life: the 学歴 of a résumé, every 厄年 and
// 長寿祝い, the two counts of a year's sign and the days that bear two eras.

#include <QtTest>

#include "yorvane/agetable.h"
#include "yorvane/customs.h"
#include "yorvane/sexagenary.h"
#include "yorvane/solar_terms.h"

using namespace yorvane;

namespace {
QString qs(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
}  // namespace

class TestAgeRules : public QObject {
    Q_OBJECT
private slots:
    void eras_data();
    void eras();
    void signAndStar_data();
    void signAndStar();
    void unluckyYears_data();
    void unluckyYears();
    void longevity_data();
    void longevity();
    void school_data();
    void school();
    void wholeRow();
    void rowCount_data();
    void rowCount();
    void branches();
    void schoolRecord_data();
    void schoolRecord();
    void lifeLists();
    void signCounts();
    void erasOfDay_data();
    void erasOfDay();
};

void TestAgeRules::eras_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("text");
    QTest::newRow("first year of the table") << 1868 << "慶応4 / 明治元";
    QTest::newRow("明治 2") << 1869 << "明治2";
    QTest::newRow("1911") << 1911 << "明治44";
    QTest::newRow("1912 change") << 1912 << "明治45 / 大正元";
    QTest::newRow("1913") << 1913 << "大正2";
    QTest::newRow("1925") << 1925 << "大正14";
    QTest::newRow("1926 change") << 1926 << "大正15 / 昭和元";
    QTest::newRow("1927") << 1927 << "昭和2";
    QTest::newRow("1980") << 1980 << "昭和55";
    QTest::newRow("1988") << 1988 << "昭和63";
    QTest::newRow("1989 change") << 1989 << "昭和64 / 平成元";
    QTest::newRow("1990") << 1990 << "平成2";
    QTest::newRow("2018") << 2018 << "平成30";
    QTest::newRow("2019 change") << 2019 << "平成31 / 令和元";
    QTest::newRow("2020") << 2020 << "令和2";
    QTest::newRow("2026") << 2026 << "令和8";
    QTest::newRow("last reference") << 9999 << "令和7981";
    QTest::newRow("before the table") << 1867 << "";
}

void TestAgeRules::eras() {
    QFETCH(int, year);
    QFETCH(QString, text);
    QCOMPARE(qs(eraYearsText(year)), text);
}

void TestAgeRules::signAndStar_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("star");
    QTest::addColumn<int>("imperial");
    QTest::newRow("1868") << 1868 << "戊辰（つちのえたつ）"
                          << "六白金星" << 2528;
    QTest::newRow("1940") << 1940 << "庚辰（かのえたつ）"
                          << "六白金星" << 2600;
    QTest::newRow("1966 午") << 1966 << "丙午（ひのえうま）"
                             << "七赤金星" << 2626;
    QTest::newRow("1980") << 1980 << "庚申（かのえさる）"
                          << "二黒土星" << 2640;
    QTest::newRow("1984") << 1984 << "甲子（きのえね）"
                          << "七赤金星" << 2644;
    QTest::newRow("2015 未") << 2015 << "乙未（きのとひつじ）"
                             << "三碧木星" << 2675;
    QTest::newRow("2026") << 2026 << "丙午（ひのえうま）"
                          << "一白水星" << 2686;
}

void TestAgeRules::signAndStar() {
    QFETCH(int, year);
    QFETCH(QString, sign);
    QFETCH(QString, star);
    QFETCH(int, imperial);
    QCOMPARE(qs(cycleWithReading(yearCycle(year))), sign);
    const AgeTableRow row = ageTableRow(year, {2026, false, false});
    QCOMPARE(qs(row[AgeColumn::Sign]), sign);
    QCOMPARE(qs(row[AgeColumn::NineStar]), star);
    // The same star and sign as the main window's.
    QCOMPARE(qs(row[AgeColumn::NineStar]), qs(yearSign(year).nineStar));
    QCOMPARE(qs(row[AgeColumn::Imperial]), QString::number(imperial));
}

// 数え年 → the 厄年 cell.
void TestAgeRules::unluckyYears_data() {
    QTest::addColumn<int>("age");
    QTest::addColumn<QString>("text");
    QTest::newRow("17") << 17 << "";
    QTest::newRow("18") << 18 << "女 前厄";
    QTest::newRow("19") << 19 << "女 本厄";
    QTest::newRow("20") << 20 << "女 後厄";
    QTest::newRow("21") << 21 << "";
    QTest::newRow("23") << 23 << "";
    QTest::newRow("24") << 24 << "男 前厄";
    QTest::newRow("25") << 25 << "男 本厄";
    QTest::newRow("26") << 26 << "男 後厄";
    QTest::newRow("27") << 27 << "";
    QTest::newRow("31") << 31 << "";
    QTest::newRow("32") << 32 << "女 前厄";
    QTest::newRow("33") << 33 << "女 本厄（大厄）";
    QTest::newRow("34") << 34 << "女 後厄";
    QTest::newRow("35") << 35 << "";
    QTest::newRow("36") << 36 << "女 前厄";
    QTest::newRow("37") << 37 << "女 本厄";
    QTest::newRow("38") << 38 << "女 後厄";
    QTest::newRow("40") << 40 << "";
    QTest::newRow("41") << 41 << "男 前厄";
    QTest::newRow("42") << 42 << "男 本厄（大厄）";
    QTest::newRow("43") << 43 << "男 後厄";
    QTest::newRow("44") << 44 << "";
    QTest::newRow("59") << 59 << "";
    QTest::newRow("60") << 60 << "男女 前厄";
    QTest::newRow("61") << 61 << "男女 本厄";
    QTest::newRow("62") << 62 << "男女 後厄";
    QTest::newRow("63") << 63 << "";
    QTest::newRow("1") << 1 << "";
}

void TestAgeRules::unluckyYears() {
    QFETCH(int, age);
    QFETCH(QString, text);
    QCOMPARE(qs(unluckyYearText(age)), text);
    // Through a whole row: born in 2000, 数え年 `age` in 1999 + age.
    const AgeTableRow row = ageTableRow(2000, {1999 + age, false, false});
    QCOMPARE(qs(row[AgeColumn::CountedAge]), QString::number(age));
    QCOMPARE(qs(row[AgeColumn::UnluckyYear]), text);
}

void TestAgeRules::longevity_data() {
    QTest::addColumn<int>("fullAge");
    QTest::addColumn<QString>("counted");  // counted in 数え年
    QTest::addColumn<QString>("full");     // counted in 満年齢
    QTest::newRow("満59") << 59 << ""
                          << "";
    QTest::newRow("満60 還暦 either way") << 60 << "還暦"
                                          << "還暦";
    QTest::newRow("満61") << 61 << ""
                          << "";
    QTest::newRow("満68") << 68 << ""
                          << "";
    QTest::newRow("満69 = 数え70") << 69 << "古希"
                                   << "";
    QTest::newRow("満70") << 70 << ""
                          << "古希";
    QTest::newRow("満76") << 76 << "喜寿"
                          << "";
    QTest::newRow("満77") << 77 << ""
                          << "喜寿";
    QTest::newRow("満79") << 79 << "傘寿"
                          << "";
    QTest::newRow("満87") << 87 << "米寿"
                          << "";
    QTest::newRow("満88") << 88 << ""
                          << "米寿";
    QTest::newRow("満89") << 89 << "卒寿"
                          << "";
    QTest::newRow("満90") << 90 << ""
                          << "卒寿";
    QTest::newRow("満98") << 98 << "白寿"
                          << "";
    QTest::newRow("満99") << 99 << "百寿"
                          << "白寿";
    QTest::newRow("満100") << 100 << ""
                           << "百寿";
    QTest::newRow("満107") << 107 << "茶寿"
                           << "";
    QTest::newRow("満108") << 108 << ""
                           << "茶寿";
    QTest::newRow("満110") << 110 << "皇寿"
                           << "";
    QTest::newRow("満111") << 111 << ""
                           << "皇寿";
    QTest::newRow("満119") << 119 << ""
                           << "";
    QTest::newRow("満120 大還暦 either way") << 120 << "大還暦"
                                             << "大還暦";
    QTest::newRow("満0") << 0 << ""
                         << "";
}

void TestAgeRules::longevity() {
    QFETCH(int, fullAge);
    QFETCH(QString, counted);
    QFETCH(QString, full);
    const int birth = 1930, reference = 1930 + fullAge;
    QCOMPARE(qs(longevityName(birth, reference, false)), counted);
    QCOMPARE(qs(longevityName(birth, reference, true)), full);
    QCOMPARE(qs(ageTableRow(birth, {reference, true, false})[AgeColumn::Longevity]), full);
    QCOMPARE(qs(ageTableRow(birth, {reference, false, false})[AgeColumn::FullAge]),
             QString::number(fullAge));
}

void TestAgeRules::school_data() {
    QTest::addColumn<int>("birth");
    QTest::addColumn<bool>("early");
    QTest::addColumn<QList<int>>("years");
    QTest::newRow("1980") << 1980 << false << QList<int>{1987, 1993, 1996, 1999, 2001, 2003};
    QTest::newRow("1980 早生まれ")
        << 1980 << true << QList<int>{1986, 1992, 1995, 1998, 2000, 2002};
    QTest::newRow("2019") << 2019 << false << QList<int>{2026, 2032, 2035, 2038, 2040, 2042};
    QTest::newRow("1868 早生まれ")
        << 1868 << true << QList<int>{1874, 1880, 1883, 1886, 1888, 1890};
}

void TestAgeRules::school() {
    QFETCH(int, birth);
    QFETCH(bool, early);
    QFETCH(QList<int>, years);
    const AgeTableRow row = ageTableRow(birth, {2026, false, early});
    const AgeColumn columns[] = {AgeColumn::ElementaryEntry,   AgeColumn::JuniorHighEntry,
                                 AgeColumn::HighEntry,         AgeColumn::HighGraduation,
                                 AgeColumn::CollegeGraduation, AgeColumn::UniversityGraduation};
    for (int i = 0; i < 6; ++i) QCOMPARE(qs(row[columns[i]]), QString::number(years[i]));
}

// One row read as the table shows it, header by header.
void TestAgeRules::wholeRow() {
    const AgeTableRow row = ageTableRow(1926, {1986, false, false});
    const QStringList expected{"1926",     "大正15 / 昭和元",
                               "2586",     "丙寅（ひのえとら）",
                               "二黒土星", "60",
                               "61",       "男女 本厄",
                               "還暦",     "1933",
                               "1939",     "1942",
                               "1945",     "1947",
                               "1949"};
    const QStringList titles{"西暦",       "和暦",     "皇紀",     "干支",           "九星",
                             "満年齢",     "数え年",   "厄年",     "長寿祝い",       "小学校入学",
                             "中学校入学", "高校入学", "高校卒業", "短大・専門卒業", "大学卒業"};
    QCOMPARE(kAgeColumnCount, expected.size());
    for (int c = 0; c < kAgeColumnCount; ++c) {
        QCOMPARE(qs(ageColumnTitle(c)), titles[c]);
        QCOMPARE(qs(row.cells[c]), expected[c]);
    }
    QVERIFY(ageColumnTitle(kAgeColumnCount).empty());
}

void TestAgeRules::rowCount_data() {
    QTest::addColumn<int>("reference");
    QTest::addColumn<int>("rows");
    QTest::newRow("1867") << 1867 << 0;
    QTest::newRow("1868") << 1868 << 1;
    QTest::newRow("2026") << 2026 << 159;
    QTest::newRow("9999") << 9999 << 8132;
    QTest::newRow("10000") << 10000 << 0;
}

void TestAgeRules::rowCount() {
    QFETCH(int, reference);
    QFETCH(int, rows);
    QCOMPARE(ageTableRowCount(reference), rows);
}

// The filter's branches in their customary order, each the slot of the years that have it.
void TestAgeRules::branches() {
    for (int i = 0; i < 12; ++i) {
        const std::size_t slot = branchSlotInOrder(static_cast<std::size_t>(i));
        QCOMPARE(qs(kBranches.substr(slot, 1)),
                 QStringLiteral("子丑寅卯辰巳午未申酉戌亥").mid(i, 1));
        QCOMPARE(signSlot(1984 + i, 12), slot);
        QCOMPARE(qs(yearSign(1984 + i).branch), qs(kBranches.substr(slot, 1)));
    }
}

// One entry of a résumé's 学歴: 早生まれ to 1 April, the era on the 1st of the month, and
// 浪人 moving only the schools after 高校.
void TestAgeRules::schoolRecord_data() {
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("row");  // in kSchoolRows
    QTest::addColumn<QString>("month");
    const int elementary = 0, high = 5, university = 7;
    QTest::newRow("4/1 早生まれ") << QDate(2012, 4, 1) << 0 << elementary << "平成30年4月";
    QTest::newRow("4/2 by 1 April 2019") << QDate(2012, 4, 2) << 0 << elementary << "平成31年4月";
    QTest::newRow("元年") << QDate(1982, 4, 2) << 0 << elementary << "平成元年4月";
    QTest::newRow("大学 平成31") << QDate(1996, 4, 2) << 0 << university << "平成31年3月";
    QTest::newRow("浪人 1 to 令和") << QDate(1996, 4, 2) << 1 << university << "令和2年3月";
    QTest::newRow("浪人 leaves 高校") << QDate(1996, 4, 2) << 1 << high << "平成27年3月";
    QTest::newRow("浪人 at most 5") << QDate(2000, 6, 1) << 9 << university << "令和10年3月";
    QTest::newRow("before 1873") << QDate(1860, 6, 1) << 0 << elementary << "1867年4月";
}

void TestAgeRules::schoolRecord() {
    QFETCH(QDate, birth);
    QFETCH(int, extra);
    QFETCH(int, row);
    QFETCH(QString, month);
    const Date b{birth.year(), birth.month(), birth.day()};
    const SchoolRecord record = yorvane::schoolRecord(b, extra);
    const SchoolEntry& e = record[static_cast<std::size_t>(row)];
    QCOMPARE(qs(schoolMonthText(e, ResumeCalendar::Japanese)), month);
    const QString western = QString::number(e.year) + "年" + QString::number(e.month) + "月";
    QCOMPARE(qs(resumeLine(e, ResumeCalendar::Western)),
             western + " " + qs(schoolName(e.school)) + " " + qs(schoolEventName(e.event)));
    for (std::size_t i = 1; i < record.size(); ++i) QVERIFY(record[i - 1].year <= record[i].year);
}

// A life's lists hold exactly the years the age table marks, in order of year.
void TestAgeRules::lifeLists() {
    const int birth = 1950;
    for (Sex sex : {Sex::Male, Sex::Female}) {
        const std::vector<UnluckyEntry> list = lifeUnluckyYears(birth, sex);
        std::size_t i = 0, great = 0;
        for (int age = 1; age <= 130; ++age) {
            const UnluckyYear y = unluckyYear(sex, age);
            if (y.kind == UnluckyKind::None) continue;
            QVERIFY(i < list.size());
            QCOMPARE(list[i].countedAge, age);
            QCOMPARE(list[i].year, birth + age - 1);
            QVERIFY(list[i].which == y);
            great += y.great;
            ++i;
        }
        QCOMPARE(i, list.size());
        QCOMPARE(great, std::size_t{1});
        QCOMPARE(firstFromYear(list, list[2].year + 1), std::size_t{3});
    }
    for (bool full : {false, true}) {
        const std::vector<LongevityEntry> list = lifeLongevity(birth, full);
        std::size_t i = 0;
        for (int year = birth; year <= birth + 130; ++year) {
            const std::u16string_view name = longevityName(birth, year, full);
            if (name.empty()) continue;
            QVERIFY(i < list.size());
            QCOMPARE(qs(list[i].name), qs(name));
            QCOMPARE(list[i].year, year);
            QCOMPARE(list[i].year, birth + list[i].age - (list[i].fullAge ? 0 : 1));
            ++i;
        }
        QCOMPARE(i, list.size());
        QCOMPARE(firstFromYear(list, list.back().year + 1), list.size());
    }
}

// Every year of the table of 節: 1 January and 節分 are counted in the year before from 立春,
// 立春 in its own year; from New Year's Day all three are the Western year.
void TestAgeRules::signCounts() {
    for (int y = kSolarTermFirstYear; y <= kSolarTermLastYear; ++y) {
        const Date spring = solarTermMoment(y, StartOfSpring)->date;
        const Date setsubun = dateFromDayNumber(dayNumber(spring) - 1);
        for (Date d : {Date{y, 1, 1}, setsubun, spring}) {
            const YearSignCounts c = yearSignCounts(d);
            const int signYear = d < spring ? y - 1 : y;
            QCOMPARE(c.fromSpring.year, signYear);
            QCOMPARE(c.fromSpring.cycle, yearCycle(signYear));
            QCOMPARE(c.fromNewYear.year, y);
            QCOMPARE(c.fromNewYear.star, yearStar(y));
            QCOMPARE(bornBeforeSpring(d), d < spring);
        }
    }
    QVERIFY(!yearSignCounts({1872, 1, 15}).differ());  // before the table: not known
}

void TestAgeRules::erasOfDay_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("eras");
    QTest::newRow("before 明治") << QDate(1868, 1, 24) << "";
    QTest::newRow("明治's eve") << QDate(1912, 7, 29) << "明治45";
    QTest::newRow("1912 both") << QDate(1912, 7, 30) << "明治45 / 大正元";
    QTest::newRow("1926 both") << QDate(1926, 12, 25) << "大正15 / 昭和元";
    QTest::newRow("昭和's last") << QDate(1989, 1, 7) << "昭和64";
    QTest::newRow("平成 alone") << QDate(1989, 1, 8) << "平成元";
}

void TestAgeRules::erasOfDay() {
    QFETCH(QDate, day);
    QFETCH(QString, eras);
    const ErasOfYear found = yorvane::erasOfDay({day.year(), day.month(), day.day()});
    QStringList names;
    for (std::size_t i = 0; i < found.count; ++i)
        names << qs(found.eras[i].name) + qs(eraYearText(found.eras[i].number));
    QCOMPARE(names.join(" / "), eras);
    // The lists of 厄年 and 長寿祝い name a change day's year by both eras.
    if (found.count == 2) QCOMPARE(qs(yearInErasText(day.year())), names.join("年 / ") + "年");
}

QTEST_APPLESS_MAIN(TestAgeRules)
#include "tst_agerules.moc"
