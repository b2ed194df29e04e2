// The calendar engine on plain values: tables, lookups, the number reader and the main window's
// view of its inputs.

#include <QtTest>

#include "u16text.h"
#include "yorvane/eras.h"
#include "yorvane/figure_wording.h"
#include "yorvane/number.h"
#include "yorvane/periods.h"
#include "yorvane/sexagenary.h"
#include "yorvane/text.h"
#include "yorvane/view.h"
#include "yorvane/year.h"

using namespace yorvane;

namespace {
// The era list's entry at `index`, as the data tables give it.
std::optional<Era> eraOf(int index) { return eraAt(index); }
constexpr int Western = 0, Heisei = 1, Showa = 2, Taisho = 3, Meiji = 4, NoEra = -1;
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void eraTableInvariants();
    void northernCourtYears();
    void helpPageEraTable();
    void historicalDisplay_data();
    void historicalDisplay();
    void readYearNumber_data();
    void readYearNumber();
    void scanNumberKeepsFraction_data();
    void scanNumberKeepsFraction();
    void periods();
    void signOfKnownYears_data();
    void signOfKnownYears();
    void sexagenaryCycleFrom1984();
    void nineStarDescendsEachYear();
    void wording_data();
    void wording();
    void designatedYear_data();
    void designatedYear();
    void recalculation_data();
    void recalculation();
    void figure_data();
    void figure();
    void exchangeOfEqualTexts();
    void roundTrip();
};

void TestEngine::eraTableInvariants() {
    QCOMPARE(kHistoricalEras.size(), std::size_t{240});
    QCOMPARE(qs(kHistoricalEras[238].caption), QStringLiteral("平成"));
    QCOMPARE(kHistoricalEras[238].firstYear, 1989);
    QCOMPARE(qs(kHistoricalEras[239].caption), QStringLiteral("令和"));
    QCOMPARE(kHistoricalEras[239].firstYear, 2019);
    QCOMPARE(kHistoricalEras[239].offset, 2018);
    int gaps = 0;
    for (std::size_t i = 0; i < kHistoricalEras.size(); ++i) {
        const auto& row = kHistoricalEras[i];
        const QString caption = qs(row.caption);
        if (row.caption == kGapCaption) {
            ++gaps;
            QCOMPARE(row.offset, kNoOffset);
        } else if (caption == QStringLiteral("大正")) {
            QCOMPARE(row.offset, 1911);
        } else if (caption == QStringLiteral("昭和")) {
            QCOMPARE(row.offset, 1925);
        } else {
            QVERIFY2(row.offset == row.firstYear - 1, qPrintable(caption));
            QVERIFY2(caption.size() == 2 || caption.size() == 4, qPrintable(caption));
        }
    }
    QCOMPARE(gaps, 2);
    // The modern captions are the era list's names.
    for (Era e : {Era::Heisei, Era::Showa, Era::Taisho, Era::Meiji}) {
        const auto* row = findHistoricalEra(listedEra(e).offset + 2);
        QVERIFY(row);
        QCOMPARE(qs(row->caption), qs(eraName(e)));
    }
}

// The help page gives the era table as text too (for screen readers); its rows are the table's.
void TestEngine::helpPageEraTable() {
    QFile page(qEnvironmentVariable("YORVANE_DATA_DIR") + QStringLiteral("/help.htm"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression row(
        QStringLiteral("<tr><td>([^<]+)</td><td>(\\d+)〜(\\d*)</td><td>[^<]*</td></tr>"));
    std::size_t i = 0;
    for (auto m = row.globalMatch(html); m.hasNext(); ++i) {
        const QRegularExpressionMatch r = m.next();
        QVERIFY(i < kHistoricalEras.size());
        QCOMPARE(r.captured(1), qs(kHistoricalEras[i].caption));
        QCOMPARE(r.captured(2).toInt(), kHistoricalEras[i].firstYear);
        if (i + 1 < kHistoricalEras.size())
            QCOMPARE(r.captured(3).toInt(), kHistoricalEras[i + 1].firstYear - 1);
    }
    QCOMPARE(i, kHistoricalEras.size());
}

void TestEngine::northernCourtYears() {
    // 1332-1393 belong to rows 156 to 173 (正慶 ... 明徳) and to no other.
    const QStringList expected = {
        QStringLiteral("正慶"), QStringLiteral("建武"), QStringLiteral("暦応"),
        QStringLiteral("康永"), QStringLiteral("貞和"), QStringLiteral("観応"),
        QStringLiteral("文和"), QStringLiteral("延文"), QStringLiteral("康安"),
        QStringLiteral("貞治"), QStringLiteral("応安"), QStringLiteral("永和"),
        QStringLiteral("康暦"), QStringLiteral("永徳"), QStringLiteral("至徳"),
        QStringLiteral("嘉慶"), QStringLiteral("康応"), QStringLiteral("明徳")};
    QStringList seen;
    for (int y = 1332; y <= 1393; ++y) {
        const auto* row = findHistoricalEra(y);
        QVERIFY(row);
        const int no = static_cast<int>(row - kHistoricalEras.data()) + 1;
        QVERIFY2(no >= 156 && no <= 173, qPrintable(QString::number(y)));
        if (seen.isEmpty() || seen.last() != qs(row->caption)) seen << qs(row->caption);
    }
    QCOMPARE(seen, expected);
}

void TestEngine::historicalDisplay_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("eraCaption");
    QTest::addColumn<QString>("eraYear");
    struct Row {
        int y;
        const char* g;
        const char* n;
    };
    const Row rows[] = {
        {0, "", ""},           {644, "", ""},         {645, "大化", "元"},
        {649, "大化", "5"},    {650, "白雉", "元"},   {654, "白雉", "5"},
        {655, "（廃止）", ""}, {685, "（廃止）", ""}, {686, "朱鳥", "元"},
        {687, "（廃止）", ""}, {700, "（廃止）", ""}, {701, "大宝", "元"},
        {1394, "応永", "元"},  {1427, "応永", "34"},  {1867, "慶応", "3"},
        {1868, "明治", "元"},  {1912, "明治", "45"},  {1913, "大正", "2"},
        {1926, "大正", "15"},  {1927, "昭和", "2"},   {1988, "昭和", "63"},
        {1989, "平成", "元"},  {2018, "平成", "30"},  {2019, "令和", "元"},
        {2026, "令和", "8"},   {2088, "令和", "70"},  {2000000000, "令和", "1999997982"},
    };
    for (const auto& r : rows)
        QTest::addRow("%d", r.y) << r.y << QString::fromUtf8(r.g) << QString::fromUtf8(r.n);
}

void TestEngine::historicalDisplay() {
    QFETCH(int, year);
    QFETCH(QString, eraCaption);
    QFETCH(QString, eraYear);
    const auto d = historicalEraDisplay(year);
    QCOMPARE(qs(d.caption), eraCaption);
    QCOMPARE(qs(d.year), eraYear);
}

void TestEngine::readYearNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    struct Row {
        const char* name;
        const char* text;
        int n;
    };
    const Row rows[] = {
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"digits", "1980", 1980},
        {"trailing text", "55年", 55},
        {"blank inside", "19 89", 1989},
        {"tab and line feed", "\t1\n9", 19},
        {"leading blanks", "  42", 42},
        {"half to even down", "2.5", 2},
        {"half to even up", "1.5", 2},
        {"half to zero", "0.5", 0},
        {"below half", "0.4", 0},
        {"12.5", "12.5", 12},
        {"13.5", "13.5", 14},
        {"negative half", "-2.5", -2},
        {"above half", "2.51", 3},
        {"negative", "-3", -3},
        {"plus sign", "+7", 7},
        {"sign then blank", "- 3", -3},
        {"two signs", "--3", 0},
        {"leading point", ".5", 0},
        {"point only", ".", 0},
        {"trailing point", "5.", 5},
        {"second point stops", "1.2.3", 1},
        {"exponent", "1e3", 1000},
        {"capital E", "2E2", 200},
        {"exponent sign", "15e-1", 2},
        {"exponent with fraction", "1.5e1", 15},
        {"bare e", "5e", 5},
        {"e and sign", "5e+", 5},
        {"e then letter", "5ex", 5},
        {"D is not an exponent", "5d2", 5},
        {"hex is not read", "0x10", 0},
        {"2e9 in range", "2e9", 2000000000},
        {"3e9 out of range", "3e9", 0},
        {"1e10 out of range", "1e10", 0},
        {"9e99 out of range", "9e99", 0},
        {"-9e9 out of range", "-9e9", 0},
        {"huge exponent", "1e400", 0},
        {"tiny exponent", "1e-400", 0},
        {"long exponent", "1e0000000003", 1000},
        {"max", "2147483647", 2147483647},
        {"past max", "2147483648", 0},
        {"min", "-2147483648", -2147483647 - 1},
        {"full-width digits", "１９８０", 0},
        {"many digits then fraction", "00000000000000000000001.5", 2},
    };
    for (const auto& r : rows) QTest::newRow(r.name) << QString::fromUtf8(r.text) << r.n;
}

void TestEngine::readYearNumber() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(yorvane::readYearNumber(u16(text)), number);
}

void TestEngine::scanNumberKeepsFraction_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("value");
    QTest::newRow("none") << QString() << false << 0.0;
    QTest::newRow("sign only") << QStringLiteral("-") << false << 0.0;
    QTest::newRow("fraction") << QStringLiteral("1.25") << true << 1.25;
    QTest::newRow("negative") << QStringLiteral("-10") << true << -10.0;
    QTest::newRow("negative fraction") << QStringLiteral("-0.5x") << true << -0.5;
    // Out of range both ways, told apart by the size of the number, not the exponent's sign.
    QTest::newRow("tiny without exponent")
        << QStringLiteral("0.") + QString(330, u'0') + QStringLiteral("1") << true << 0.0;
    QTest::newRow("huge with negative exponent")
        << QStringLiteral("1") + QString(400, u'0') + QStringLiteral("e-10") << true
        << std::numeric_limits<double>::infinity();
    QTest::newRow("tiny with positive exponent")
        << QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e+10") << true << 0.0;
}

void TestEngine::scanNumberKeepsFraction() {
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(double, value);
    const auto v = scanNumber(u16(text));
    QCOMPARE(v.has_value(), found);
    if (found) QCOMPARE(*v, value);
}

// Every year from 0 to 2100 is named by the last period that began in or before it, up to the
// end of the last; the periods ascend.
void TestEngine::periods() {
    for (std::int32_t year = 0; year <= 2100; ++year) {
        QString expected;
        for (std::size_t i = 0; i < kPeriods.size(); ++i) {
            if (i > 0) QVERIFY(kPeriods[i - 1].firstYear < kPeriods[i].firstYear);
            if (kPeriods[i].firstYear <= year && year <= periodLastYear(i))
                expected = qs(kPeriods[i].name);
        }
        QVERIFY2(qs(periodName(year)) == expected, qPrintable(QString::number(year)));
    }
}

void TestEngine::signOfKnownYears_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("star");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("kana");
    QTest::addColumn<QString>("picture");
    QTest::newRow("1980") << 1980 << "二黒土星"
                          << "庚申"
                          << "かのえ  さる "
                          << "saru.jpg";
    QTest::newRow("1984") << 1984 << "七赤金星"
                          << "甲子"
                          << "きのえ  ね  "
                          << "ne.jpg";
    QTest::newRow("2000") << 2000 << "九紫火星"
                          << "庚辰"
                          << "かのえ  たつ "
                          << "tatu.jpg";
    QTest::newRow("1") << 1 << "一白水星"
                       << "辛酉"
                       << "かのと  とり "
                       << "tori.jpg";
    QTest::newRow("645") << 645 << "五黄土星"
                         << "乙巳"
                         << "きのと  み  "
                         << "mi.jpg";
    QTest::newRow("9999") << 9999 << "二黒土星"
                          << "己亥"
                          << "つちのと い  "
                          << "i.jpg";
    QTest::newRow("2015") << 2015 << "三碧木星"
                          << "乙未"
                          << "きのと  ひつじ"
                          << "hituji.jpg";
    QTest::newRow("0") << 0 << "二黒土星"
                       << "庚申"
                       << "かのえ  さる "
                       << "saru.jpg";
}

void TestEngine::signOfKnownYears() {
    QFETCH(int, year);
    QFETCH(QString, star);
    QFETCH(QString, sign);
    QFETCH(QString, kana);
    QFETCH(QString, picture);
    const YearSign s = yearSign(year);
    QCOMPARE(qs(s.nineStar), star);
    QCOMPARE(qs(s.stem) + qs(s.branch), sign);
    QCOMPARE(qs(s.stemReading) + qs(s.branchReading), kana);
    QCOMPARE((qs(s.stemReading) + qs(s.branchReading)).size(), 8);
    QCOMPARE(qs(s.picture), picture);
}

void TestEngine::sexagenaryCycleFrom1984() {
    // 1984 is 甲子, the first year of a cycle; each year moves one stem and one branch on.
    const QString stems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
    const QString branches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
    const QStringList stemKana = {"きのえ",   "きのと", "ひのえ", "ひのと",   "つちのえ",
                                  "つちのと", "かのえ", "かのと", "みずのえ", "みずのと"};
    const QStringList branchKana = {"ね",   "うし",   "とら", "う",   "たつ", "み",
                                    "うま", "ひつじ", "さる", "とり", "いぬ", "い"};
    const QStringList pictures = {"ne",  "ushi",   "tora", "u",    "tatu", "mi",
                                  "uma", "hituji", "saru", "tori", "inu",  "i"};
    for (int k = 0; k < 120; ++k) {
        const YearSign s = yearSign(1984 + k);
        const QString name = QString::number(1984 + k);
        QCOMPARE(qs(s.stem), stems.mid(k % 10, 1));
        QCOMPARE(qs(s.branch), branches.mid(k % 12, 1));
        QCOMPARE(qs(s.stemReading).trimmed(), stemKana[k % 10]);
        QCOMPARE(qs(s.stemReading).size(), 5);
        QCOMPARE(qs(s.branchReading).trimmed(), branchKana[k % 12]);
        QCOMPARE(qs(s.branchReading).size(), 3);
        QVERIFY2(qs(s.picture) == pictures[k % 12] + QStringLiteral(".jpg"), qPrintable(name));
        QCOMPARE(yearCycle(1984 + k), k % 60);
        QCOMPARE(qs(cycleName(k % 60)), qs(s.stem) + qs(s.branch));
    }
}

void TestEngine::nineStarDescendsEachYear() {
    // The year's star counts down by one each year: 1980 二黒, 1981 一白, 1982 九紫 ...
    const QStringList byNumber = {"一白水星", "二黒土星", "三碧木星", "四緑木星", "五黄土星",
                                  "六白金星", "七赤金星", "八白土星", "九紫火星"};
    for (int k = 0; k < 27; ++k) {
        const int number = ((2 - 1 - k) % 9 + 9) % 9;  // [0, 8], 0 = 一白
        QCOMPARE(qs(yearSign(1980 + k).nineStar), byNumber[number]);
        QCOMPARE(qs(nineStarName(yearStar(1980 + k))), byNumber[number]);
    }
}

void TestEngine::wording_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("yearsAgo");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("1600") << 1600 << true;
    QTest::newRow("1899") << 1899 << true;
    QTest::newRow("1900") << 1900 << false;
    QTest::newRow("1980") << 1980 << false;
}

void TestEngine::wording() {
    QFETCH(int, year);
    QFETCH(bool, yearsAgo);
    const Wording& w = wordingFor(year);
    QCOMPARE(qs(w.title), yearsAgo ? QStringLiteral("何年前？") : QStringLiteral("何歳？"));
    QCOMPARE(qs(w.thisYear),
             yearsAgo ? QStringLiteral("今年の") : QStringLiteral("今年の誕生日で"));
    QCOMPARE(qs(w.designatedYear),
             yearsAgo ? QStringLiteral("下記の年の") : QStringLiteral("下記の年では"));
    QCOMPARE(qs(w.unit), yearsAgo ? QStringLiteral("年前") : QStringLiteral("歳"));
}

// The designated year from its box and its era: "-" for a Western year kept from before.
void TestEngine::designatedYear_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("era");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<int>("eraAfter");
    QTest::addColumn<QString>("western");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("caption");
    struct Row {
        const char* name;
        const char* text;
        int era;
        bool emptied;
        int after;
        const char* western;
        bool red;
        const char* caption;
    };
    const Row rows[] = {
        {"平成 10", "10", Heisei, false, Heisei, "1998", false, "1998"},
        {"平成 99", "99", Heisei, false, Heisei, "2087", false, "2087"},
        {"昭和 55", "55", Showa, false, Showa, "1980", false, "1980"},
        {"昭和 64", "64", Showa, false, Showa, "1989", false, "1989"},
        {"昭和 65", "65", Showa, false, Showa, "1990", true, "1990"},
        {"昭和 100", "100", Showa, false, Showa, "2025", true, "2025"},
        {"昭和 101", "101", Showa, false, Western, "101", false, ""},
        {"明治 45", "45", Meiji, false, Meiji, "1912", false, "1912"},
        {"明治 46", "46", Meiji, false, Meiji, "1913", true, "1913"},
        {"大正 15", "15", Taisho, false, Taisho, "1926", false, "1926"},
        {"大正 16", "16", Taisho, false, Taisho, "1927", true, "1927"},
        {"西暦 1990", "1990", Western, false, Western, "1990", false, ""},
        {"西暦 55", "55", Western, false, Western, "55", false, ""},
        {"昭和 empty", "", Showa, true, Showa, "1925", false, ""},
        {"昭和 0", "0", Showa, true, Showa, "1925", false, ""},
        {"西暦 -3", "-3", Western, true, Western, "0", false, ""},
        {"昭和 abc", "abc", Showa, true, Showa, "1925", false, ""},
        {"昭和 1e10", "1e10", Showa, true, Showa, "1925", false, ""},
        {"unknown era", "55", NoEra, false, NoEra, "-", false, "-"},
        {"unknown era, none", "", NoEra, true, NoEra, "-", false, ""},
        {"unknown era, 1999", "1999", NoEra, false, Western, "1999", false, ""},
        {"明治 2147483647", "2147483647", Meiji, false, Western, "2147483647", false, ""},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.text) << r.era << r.emptied << r.after
                              << QString::fromUtf8(r.western) << r.red
                              << QString::fromUtf8(r.caption);
}

void TestEngine::designatedYear() {
    QFETCH(QString, text);
    QFETCH(int, era);
    QFETCH(bool, emptied);
    QFETCH(int, eraAfter);
    QFETCH(QString, western);
    QFETCH(bool, red);
    QFETCH(QString, caption);
    const QString kept = QStringLiteral("2000");
    const auto expect = [&](const QString& s) { return s == QStringLiteral("-") ? kept : s; };
    MainInputs in;
    in.designatedEra = eraOf(era);
    in.keptWestern = kept.toLongLong();
    enterDesignatedYear(in, u16(text));
    const MainView v = mainView(in);
    QCOMPARE(in.designatedText.empty(), emptied);
    QCOMPARE(in.designatedEra, eraOf(eraAfter));
    QCOMPARE(qs(decimal(*designatedWestern(in))), expect(western));
    QCOMPARE(v.designatedRed, red);
    QCOMPARE(v.designatedWestern ? qs(decimal(*v.designatedWestern)) : QString(), expect(caption));
}

// Whole runs: the text of the birth-year field under an era, with thisYearOption and today 2026.
void TestEngine::recalculation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("era");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<int>("eraAfter");
    QTest::addColumn<int>("western");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("eraCaption");
    QTest::addColumn<QString>("eraYear");
    QTest::addColumn<QString>("period");
    struct Row {
        const char* name;
        const char* t;
        int era;
        bool emptied;
        int after;
        int y;
        bool red;
        const char* g;
        const char* n;
        const char* p;
    };
    const Row rows[] = {
        {"empty under 西暦", "", Western, true, Western, 0, false, "", "", ""},
        {"empty under 昭和", "", Showa, true, Showa, 0, false, "西暦", "", ""},
        {"0", "0", Showa, true, Showa, 0, false, "西暦", "", ""},
        {"-3", "-3", Western, true, Western, 0, false, "", "", ""},
        {"abc", "abc", Heisei, true, Heisei, 0, false, "西暦", "", ""},
        {"0.4", "0.4", Showa, true, Showa, 0, false, "西暦", "", ""},
        {"1e10", "1e10", Western, true, Western, 0, false, "", "", ""},
        {"1.5 under 平成", "1.5", Heisei, false, Heisei, 1990, false, "西暦", "1990", ""},
        {"2.5 under 平成", "2.5", Heisei, false, Heisei, 1990, false, "西暦", "1990", ""},
        {"100 under 平成", "100", Heisei, false, Heisei, 2088, false, "西暦", "2088", ""},
        {"101 under 平成", "101", Heisei, false, Western, 101, false, "", "", ""},
        {"1 under 平成", "1", Heisei, false, Heisei, 1989, false, "西暦", "1989", ""},
        {"19 under 平成", "19", Heisei, false, Heisei, 2007, false, "西暦", "2007", ""},
        {"198 under 平成", "198", Heisei, false, Western, 198, false, "", "", ""},
        {"1989 under 西暦", "1989", Western, false, Western, 1989, false, "平成", "元", ""},
        {"55 under 昭和", "55", Showa, false, Showa, 1980, false, "西暦", "1980", ""},
        {"64 under 昭和", "64", Showa, false, Showa, 1989, false, "西暦", "1989", ""},
        {"65 under 昭和", "65", Showa, false, Showa, 1990, true, "平成", "2", ""},
        {"45 under 明治", "45", Meiji, false, Meiji, 1912, false, "西暦", "1912", ""},
        {"46 under 明治", "46", Meiji, false, Meiji, 1913, true, "大正", "2", ""},
        {"50 under 明治", "50", Meiji, false, Meiji, 1917, true, "大正", "6", ""},
        {"1 under 明治", "1", Meiji, false, Meiji, 1868, false, "西暦", "1868", ""},
        {"15 under 大正", "15", Taisho, false, Taisho, 1926, false, "西暦", "1926", ""},
        {"16 under 大正", "16", Taisho, false, Taisho, 1927, true, "昭和", "2", ""},
        {"31 under 平成", "31", Heisei, false, Heisei, 2019, false, "西暦", "2019", ""},
        {"32 under 平成", "32", Heisei, false, Heisei, 2020, false, "西暦", "2020", ""},
        {"645 under 西暦", "645", Western, false, Western, 645, false, "大化", "元", "飛鳥時代"},
        {"644 under 西暦", "644", Western, false, Western, 644, false, "", "", ""},
        {"686 under 西暦", "686", Western, false, Western, 686, false, "朱鳥", "元", "飛鳥時代"},
        {"700 under 西暦", "700", Western, false, Western, 700, false, "（廃止）", "", "飛鳥時代"},
        {"1350 under 西暦", "1350", Western, false, Western, 1350, false, "観応", "元",
         "南北朝時代"},
        {"1867 under 昭和", "1867", Showa, false, Western, 1867, false, "慶応", "3", "江戸時代"},
        {"2e9 under 平成", "2e9", Heisei, false, Western, 2000000000, false, "令和", "1999997982",
         ""},
        {"1600 under 昭和", "1600", Showa, false, Western, 1600, false, "慶長", "5",
         "安土桃山時代"},
        {"2019 under 西暦", "2019", Western, false, Western, 2019, false, "令和", "元", ""},
        {"2026 under 西暦", "2026", Western, false, Western, 2026, false, "令和", "8", ""},
        {"55 before an era is chosen", "55", NoEra, false, NoEra, 55, false, "西暦", "55", ""},
        {"2e9 under 西暦", "2e9", Western, false, Western, 2000000000, false, "令和", "1999997982",
         ""},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.t) << r.era << r.emptied << r.after << r.y
                              << r.red << QString::fromUtf8(r.g) << QString::fromUtf8(r.n)
                              << QString::fromUtf8(r.p);
}

void TestEngine::recalculation() {
    QFETCH(QString, text);
    QFETCH(int, era);
    QFETCH(bool, emptied);
    QFETCH(int, eraAfter);
    QFETCH(int, western);
    QFETCH(bool, red);
    QFETCH(QString, eraCaption);
    QFETCH(QString, eraYear);
    QFETCH(QString, period);
    MainInputs in;
    in.listEra = eraOf(era);
    enterBirthYear(in, u16(text));
    const MainView v = mainView(in);
    QCOMPARE(v.birthText.empty(), emptied);
    QCOMPARE(v.listEra, eraOf(eraAfter));
    QCOMPARE(v.birthYear, western);
    QCOMPARE(v.birthRed, red);
    QCOMPARE(qs(v.otherEra), eraCaption);
    QCOMPARE(qs(v.otherYear), eraYear);
    QCOMPARE(qs(v.period), period);
    if (emptied) {
        // The empty state: no sign, no figure, the scene picture.
        QVERIFY(v.nineStar.empty() && v.sign.empty() && v.signReading.empty() && !v.figure);
        QCOMPARE(qs(v.picture), QStringLiteral("scene1.jpg"));
    } else {
        const YearSign sign = yearSign(western);
        QCOMPARE(qs(v.picture), qs(sign.picture));
        QCOMPARE(qs(v.nineStar), qs(sign.nineStar));
        QCOMPARE(qs(v.sign), qs(sign.stem) + qs(sign.branch));
    }
}

// The figure after a year of birth (under 西暦) and then what happened last: "birth" the year
// of birth itself, "thisYear" and "designated" the two buttons, "typed" the designated year.
void TestEngine::figure_data() {
    QTest::addColumn<QString>("birth");
    QTest::addColumn<bool>("reference");  // the designated year is the reference
    QTest::addColumn<QString>("designated");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("kept");  // the Western year an unknown caption keeps; 0 for none
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("figure");
    struct Row {
        const char* name;
        const char* birth;
        bool reference;
        const char* designated;
        const char* caption;
        int kept;
        const char* then;
        const char* figure;
    };
    const Row rows[] = {
        {"1980, this year", "1980", false, "1990", "西暦", 0, "birth", "46"},
        {"1600, this year", "1600", false, "1990", "西暦", 0, "birth", "426"},
        {"born later", "2030", false, "1990", "西暦", 0, "birth", "-4"},
        {"huge year", "2e9", false, "1990", "西暦", 0, "birth", "-1999997974"},
        {"平成 10 designated", "1980", true, "10", "平成", 0, "birth", "18"},
        {"designated before birth", "2000", true, "1990", "西暦", 0, "birth", "-10"},
        {"same year", "1990", true, "1990", "西暦", 0, "birth", "0"},
        {"empty designated", "1980", true, "", "昭和", 0, "birth", ""},
        {"unknown era keeps", "1980", true, "55", "ERROR", 2000, "birth", "20"},
        {"unknown era, none kept", "1980", true, "55", "ERROR", 0, "birth", ""},
        {"no year of birth", "", false, "1990", "西暦", 0, "birth", ""},
        {"no year, this-year button", "", false, "1990", "西暦", 0, "thisYear", "2026"},
        {"no year, designated button", "", false, "1990", "西暦", 0, "designated", "1990"},
        {"typed, not the reference", "1980", false, "10", "平成", 0, "typed", "46"},
        {"emptied, not the reference", "1980", false, "0", "平成", 0, "typed", ""},
        {"typed, the reference", "1980", true, "1975", "西暦", 0, "typed", "-5"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.birth) << r.reference
                              << QString::fromUtf8(r.designated) << QString::fromUtf8(r.caption)
                              << r.kept << QString::fromUtf8(r.then) << QString::fromUtf8(r.figure);
}

void TestEngine::figure() {
    QFETCH(QString, birth);
    QFETCH(bool, reference);
    QFETCH(QString, designated);
    QFETCH(QString, caption);
    QFETCH(int, kept);
    QFETCH(QString, then);
    QFETCH(QString, figure);
    MainInputs in;
    in.currentYear = 2026;
    in.listEra = Era::Western;
    in.designatedIsReference = reference;
    in.designatedText = u16(designated);
    setDesignatedCaption(in, u16(caption));
    in.keptWestern = kept != 0 ? std::optional<std::int64_t>(kept) : std::nullopt;
    enterBirthYear(in, u16(birth));
    if (then == QStringLiteral("thisYear")) countThisYear(in);
    if (then == QStringLiteral("designated")) countDesignatedYear(in);
    if (then == QStringLiteral("typed")) enterDesignatedYear(in, u16(designated));
    const MainView v = mainView(in);
    QCOMPARE(v.figure ? qs(decimal(*v.figure)) : QString(), figure);
}

// Two equal texts of different eras change places: each shows the year of its new era at once.
void TestEngine::exchangeOfEqualTexts() {
    MainInputs in;
    in.listEra = Era::Showa;
    enterBirthYear(in, u"9");
    in.designatedText = u"9";
    exchangeYears(in);
    const MainView v = mainView(in);
    QCOMPARE(v.listEra, Era::Western);
    QCOMPARE(v.birthYear, 9);
    QCOMPARE(v.designatedCaption, u"昭和");
    QCOMPARE(v.designatedWestern, std::optional<std::int64_t>(1934));
}

// Every year from 大化 to 2100 goes to a year of each era of the list that can count it and back,
// and to its era in the historical table and back.
void TestEngine::roundTrip() {
    for (std::int32_t year = 645; year <= 2100; ++year) {
        for (Era era : kEras) {
            const std::int64_t number = year - listedEra(era).offset;
            if (number < 1 || (number > 100 && era != Era::Western)) continue;
            const YearReading r = readYear(decimal(number), era);
            QCOMPARE(r.western, std::int64_t{year});
        }
        const EraDisplay d = historicalEraDisplay(year);
        if (d.caption == kGapCaption) continue;
        const std::int32_t number = d.year == u"元" ? 1 : QString(qs(d.year)).toInt();
        const auto row = std::find_if(
            kHistoricalEras.rbegin(), kHistoricalEras.rend(),
            [&](const HistoricalEra& e) { return e.caption == d.caption && e.firstYear <= year; });
        QVERIFY2(row != kHistoricalEras.rend(), qPrintable(qs(d.caption)));
        QCOMPARE(row->offset + number, year);
    }
}

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
