// The calendar engine on plain values: tables, lookups, the number reader and whole runs of
// the recalculation.

#include <QtTest>

#include "u16text.h"
#include "yorvane/age.h"
#include "yorvane/eras.h"
#include "yorvane/number.h"
#include "yorvane/periods.h"
#include "yorvane/recalc.h"
#include "yorvane/sign.h"
#include "yorvane/text.h"

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
    void historicalDisplay_data();
    void historicalDisplay();
    void readYearNumber_data();
    void readYearNumber();
    void scanNumberKeepsFraction_data();
    void scanNumberKeepsFraction();
    void periods_data();
    void periods();
    void signOfKnownYears_data();
    void signOfKnownYears();
    void sexagenaryCycleFrom1984();
    void nineStarDescendsEachYear();
    void wording_data();
    void wording();
    void figures_data();
    void figures();
    void designatedYear_data();
    void designatedYear();
    void designatedYearFigure_data();
    void designatedYearFigure();
    void recalculation_data();
    void recalculation();
    void recalculationFigure_data();
    void recalculationFigure();
    void shortestDecimal_data();
    void shortestDecimal();
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
        if (i > 0) QVERIFY2(row.firstYear > kHistoricalEras[i - 1].firstYear, qPrintable(caption));
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
        const auto* row = findHistoricalEra(modernEra(e).offset + 2);
        QVERIFY(row);
        QCOMPARE(qs(row->caption), qs(eraName(e)));
    }
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
    QTest::addColumn<QString>("gengo");
    QTest::addColumn<QString>("nen");
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
    QFETCH(QString, gengo);
    QFETCH(QString, nen);
    const auto d = historicalEraDisplay(year);
    QCOMPARE(qs(d.caption), gengo);
    QCOMPARE(qs(d.year), nen);
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

void TestEngine::periods_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("period");
    struct Row {
        int y;
        const char* p;
    };
    const Row rows[] = {
        {0, ""},
        {644, ""},
        {645, "飛鳥時代"},
        {709, "飛鳥時代"},
        {710, "奈良時代"},
        {793, "奈良時代"},
        {794, "平安時代"},
        {1191, "平安時代"},
        {1192, "鎌倉時代"},
        {1333, "鎌倉時代"},
        {1334, "南北朝時代"},
        {1391, "南北朝時代"},
        {1392, "室町時代"},
        {1466, "室町時代"},
        {1467, "戦国時代"},
        {1572, "戦国時代"},
        {1573, "安土桃山時代"},
        {1602, "安土桃山時代"},
        {1603, "江戸時代"},
        {1867, "江戸時代"},
        {1868, ""},
        {2026, ""},
    };
    for (const auto& r : rows) QTest::addRow("%d", r.y) << r.y << QString::fromUtf8(r.p);
}

void TestEngine::periods() {
    QFETCH(int, year);
    QFETCH(QString, period);
    QCOMPARE(qs(periodName(year)), period);
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
    }
}

void TestEngine::nineStarDescendsEachYear() {
    // The year's star counts down by one each year: 1980 二黒, 1981 一白, 1982 九紫 ...
    const QStringList byNumber = {"一白水星", "二黒土星", "三碧木星", "四緑木星", "五黄土星",
                                  "六白金星", "七赤金星", "八白土星", "九紫火星"};
    for (int k = 0; k < 27; ++k) {
        const int number = ((2 - 1 - k) % 9 + 9) % 9;  // [0, 8], 0 = 一白
        QCOMPARE(qs(yearSign(1980 + k).nineStar), byNumber[number]);
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

void TestEngine::figures_data() {
    QTest::addColumn<bool>("designated");
    QTest::addColumn<QString>("western");  // the designated Western year, or today's year
    QTest::addColumn<QString>("text");     // the designated-year box
    QTest::addColumn<int>("birthYear");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<bool>("red");
    QTest::newRow("this year, 1980") << false << "2026"
                                     << "" << 1980 << "46" << false;
    QTest::newRow("this year, 1600") << false << "2026"
                                     << "" << 1600 << "426" << false;
    QTest::newRow("this year, none") << false << "2026"
                                     << "" << 0 << "2026" << false;
    QTest::newRow("this year, later") << false << "2026"
                                      << "" << 2030 << "-4" << true;
    QTest::newRow("this year, huge") << false << "2026"
                                     << "" << 2147483647 << "-2147481621" << true;
    QTest::newRow("平成 10, 1980") << true << "1998"
                                   << "10" << 1980 << "18" << false;
    QTest::newRow("1990, 2000") << true << "1990"
                                << "1990" << 2000 << "-10" << true;
    QTest::newRow("1990, none") << true << "1990"
                                << "1990" << 0 << "1990" << false;
    QTest::newRow("same year") << true << "1990"
                               << "1990" << 1990 << "0" << false;
    // No designated year: no figure, rather than the era offset taken for an age.
    QTest::newRow("empty box") << true << "1925"
                               << "" << 1980 << "" << false;
    QTest::newRow("never resolved") << true << ""
                                    << "55" << 1980 << "" << false;
}

void TestEngine::figures() {
    QFETCH(bool, designated);
    QFETCH(QString, western);
    QFETCH(QString, text);
    QFETCH(int, birthYear);
    QFETCH(QString, figure);
    QFETCH(bool, red);
    const Figure f = designated ? designatedFigure(u16(western), u16(text), birthYear)
                                : thisYearFigure(western.toInt(), birthYear);
    QCOMPARE(qs(f.text), figure);
    QCOMPARE(f.negative, red);
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
    const DesignatedYear d = yorvane::designatedYear({u16(text), eraOf(era), u16(kept)});
    QCOMPARE(d.emptyText, emptied);
    QCOMPARE(d.era, eraOf(eraAfter));
    QCOMPARE(qs(d.western), expect(western));
    QCOMPARE(d.pastEraEnd, red);
    QCOMPARE(qs(d.caption), expect(caption));
}

// Which figure the designated year decides: its own while it is the reference, none for an
// empty box, and otherwise the figure shown stands.
void TestEngine::designatedYearFigure_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reference");
    QTest::addColumn<QString>("figure");  // "-" = the figure shown stands
    QTest::addColumn<bool>("red");
    QTest::newRow("reference") << "10" << true << "18" << false;
    QTest::newRow("reference, later") << "1975" << true << "-5" << true;
    QTest::newRow("reference, emptied") << "abc" << true << "" << false;
    QTest::newRow("not the reference") << "10" << false << "-" << false;
    QTest::newRow("not the reference, empty") << "" << false << "" << false;
    QTest::newRow("not the reference, emptied") << "0" << false << "" << false;
}

void TestEngine::designatedYearFigure() {
    QFETCH(QString, text);
    QFETCH(bool, reference);
    QFETCH(QString, figure);
    QFETCH(bool, red);
    const DesignatedYear d =
        yorvane::designatedYear({u16(text), Era::Heisei, u"", reference, 1980});
    QCOMPARE(d.figure.has_value(), figure != QStringLiteral("-"));
    if (!d.figure) return;
    QCOMPARE(qs(d.figure->text), figure);
    QCOMPARE(d.figure->negative, red);
}

// Whole runs: the text of the birth-year field under an era, with Option1 and today 2026.
void TestEngine::recalculation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("era");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<int>("eraAfter");
    QTest::addColumn<int>("western");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("gengo");
    QTest::addColumn<QString>("nen");
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
    QFETCH(QString, gengo);
    QFETCH(QString, nen);
    QFETCH(QString, period);
    const RecalcResult r =
        recalculate({u16(text), eraOf(era), {u"1990", Era::Western, u"1990"}, 2026});
    QCOMPARE(r.emptyText, emptied);
    QCOMPARE(r.era, eraOf(eraAfter));
    QCOMPARE(r.birthYear, western);
    QCOMPARE(r.pastEraEnd, red);
    QCOMPARE(qs(r.otherEra), gengo);
    QCOMPARE(qs(r.otherYear), nen);
    QCOMPARE(qs(r.period), period);
    if (emptied) {
        // The empty state: no sign, no figure, the scene picture.
        QVERIFY(r.nineStar.empty() && r.sign.empty() && r.signReading.empty() &&
                r.figure.text.empty());
        QCOMPARE(qs(r.picture), QStringLiteral("scene1.jpg"));
    } else {
        const YearSign sign = yearSign(western);
        QCOMPARE(qs(r.picture), qs(sign.picture));
        QCOMPARE(qs(r.nineStar), qs(sign.nineStar));
        QCOMPARE(qs(r.sign), qs(sign.stem) + qs(sign.branch));
    }
}

void TestEngine::recalculationFigure_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<QString>("shiteiText");
    QTest::addColumn<QString>("label12");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("yearsAgo");
    QTest::newRow("1980 this year") << "1980" << false << "1990"
                                    << "西暦"
                                    << ""
                                    << "46" << false << false;
    QTest::newRow("1600 this year") << "1600" << false << "1990"
                                    << "西暦"
                                    << ""
                                    << "426" << false << true;
    QTest::newRow("1899 this year") << "1899" << false << "1990"
                                    << "西暦"
                                    << ""
                                    << "127" << false << true;
    QTest::newRow("1900 this year") << "1900" << false << "1990"
                                    << "西暦"
                                    << ""
                                    << "126" << false << false;
    QTest::newRow("2030 this year") << "2030" << false << "1990"
                                    << "西暦"
                                    << ""
                                    << "-4" << true << false;
    QTest::newRow("平成 10 designated") << "1980" << true << "10"
                                        << "平成"
                                        << ""
                                        << "18" << false << false;
    QTest::newRow("西暦 1990 designated") << "2000" << true << "1990"
                                          << "西暦"
                                          << ""
                                          << "-10" << true << false;
    QTest::newRow("empty designated") << "1980" << true << ""
                                      << "昭和"
                                      << "1925"
                                      << "" << false << false;
    QTest::newRow("unknown era keeps") << "1980" << true << "55"
                                       << "ERROR"
                                       << "2000"
                                       << "20" << false << false;
    QTest::newRow("unknown era, none yet") << "1980" << true << "55"
                                           << "ERROR"
                                           << ""
                                           << "" << false << false;
    QTest::newRow("empty birth year") << "" << false << "1990"
                                      << "西暦"
                                      << ""
                                      << "" << false << false;
}

void TestEngine::recalculationFigure() {
    QFETCH(QString, text);
    QFETCH(bool, option2);
    QFETCH(QString, shiteiText);
    QFETCH(QString, label12);
    QFETCH(QString, kept);
    QFETCH(QString, figure);
    QFETCH(bool, red);
    QFETCH(bool, yearsAgo);
    const RecalcResult r =
        recalculate({u16(text),
                     Era::Western,
                     {u16(shiteiText), eraNamed(u16(label12)), u16(kept), option2},
                     2026});
    QCOMPARE(qs(r.figure.text), figure);
    QCOMPARE(r.figure.negative, red);
    QCOMPARE(qs(r.wording.unit), yearsAgo ? QStringLiteral("年前") : QStringLiteral("歳"));
}

void TestEngine::shortestDecimal_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integral") << 46.0 << "46";
    QTest::newRow("negative") << -10.0 << "-10";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("large, no exponent") << 4000000000.0 << "4000000000";
    QTest::newRow("fraction") << 0.5 << "0.5";
}

void TestEngine::shortestDecimal() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(qs(yorvane::shortestDecimal(value)), text);
}

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
