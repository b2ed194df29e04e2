#pragma once
// The eras (元号). One table holds the first day of each modern era, 明治 on; the ways a year in
// which the era changed is named are functions over it: the era by the day (the date answer),
// the era that held the greater part of the year (the historical table, and so the main
// window's other calendar), every era in force in the year (the age table) and the era list's
// numbers (the main window's boxes). The table of historical eras names the era in force in
// any Western year from 645 on.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/gregorian.h"

namespace yorvane {

struct EraStart {
    std::u16string_view name;
    char16_t letter;  // the letter that names it in short notations (S55.3.4)
    Date first;       // its first day
    // Its first day was also the last of the era before, and bears both names (see erasOfDay).
    bool sharesFirstDay = false;
    // The Western year of era year n is n + offset().
    constexpr std::int32_t offset() const { return first.year - 1; }
};

// 明治 began, by the lunisolar calendar of the time, on the new year's day of 1868 (in the
// Gregorian calendar 25 January), to which it was dated back.
inline constexpr std::array<EraStart, 5> kEraStarts{{
    {u"明治", u'M', {1868, 1, 25}},
    {u"大正", u'T', {1912, 7, 30}, true},
    {u"昭和", u'S', {1926, 12, 25}, true},
    {u"平成", u'H', {1989, 1, 8}},
    {u"令和", u'R', {2019, 5, 1}},
}};

constexpr bool oneStartAYear() {
    for (std::size_t i = 1; i < kEraStarts.size(); ++i)
        if (kEraStarts[i].first.year <= kEraStarts[i - 1].first.year) return false;
    return true;
}
static_assert(oneStartAYear(), "eras ascend, no two beginning in one year");

// The era in force on a day; nullptr before 明治.
constexpr const EraStart* eraOnDay(Date d) {
    for (auto e = kEraStarts.rbegin(); e != kEraStarts.rend(); ++e)
        if (e->first <= d) return &*e;
    return nullptr;
}

// The first year that the era held for the greater part of: 1913 for 大正, which began on
// 30 July 1912, and 1927 for 昭和, but 1989 for 平成, which began on 8 January.
constexpr std::int32_t firstMostlyYear(const EraStart& e) {
    const std::int64_t daysIn = dayNumber({e.first.year + 1, 1, 1}) - dayNumber(e.first);
    const std::int64_t daysOfYear = isLeapYear(e.first.year) ? 366 : 365;
    return 2 * daysIn > daysOfYear ? e.first.year : e.first.year + 1;
}

// An era's year number as written: "元" for its first year.
std::u16string eraYearText(std::int64_t number);

// 皇紀: the imperial year count.
constexpr std::int32_t imperialYear(std::int32_t year) { return year + 660; }

// The calendars of the era list, in its order.
enum class Era : std::uint8_t { Western, Heisei, Showa, Taisho, Meiji };

inline constexpr std::array<Era, 5> kEras{Era::Western, Era::Heisei, Era::Showa, Era::Taisho,
                                          Era::Meiji};
inline constexpr std::array<std::u16string_view, 5> kEraListNames{u"西暦", u"平成", u"昭和",
                                                                  u"大正", u"明治"};

constexpr std::u16string_view eraName(Era era) {
    return kEraListNames[static_cast<std::size_t>(era)];
}

struct ListedEra {
    std::u16string_view name;
    std::int32_t offset;    // Western year of era year n is n + offset
    std::int32_t lastYear;  // last year number within the era; 0 = the era has no end
};

// How the list counts: the year an era changed counts in both (明治45 and 大正元 are 1912), so
// an era's last number is that of the year its successor began. An era whose successor is not
// in the list (平成) has no end: a number typed under it is converted however large it is (up
// to 100, where it becomes a Western year).
constexpr ListedEra listedEra(Era era) {
    const std::u16string_view name = eraName(era);
    const auto listed = [](std::u16string_view n) {
        for (std::u16string_view l : kEraListNames)
            if (l == n) return true;
        return false;
    };
    for (std::size_t i = 0; i < kEraStarts.size(); ++i) {
        if (kEraStarts[i].name != name) continue;
        const std::int32_t offset = kEraStarts[i].offset();
        const bool ends = i + 1 < kEraStarts.size() && listed(kEraStarts[i + 1].name);
        return {name, offset, ends ? kEraStarts[i + 1].first.year - offset : 0};
    }
    return {name, 0, 0};  // 西暦
}

// The era at position `index` of the era list; nullopt for no selection (-1) or beyond.
constexpr std::optional<Era> eraAt(int index) {
    if (index < 0 || index >= static_cast<int>(kEras.size())) return std::nullopt;
    return kEras[static_cast<std::size_t>(index)];
}
constexpr int eraIndex(Era era) { return static_cast<int>(era); }

// The era named exactly `name` (no trimming, no case folding), if any.
constexpr std::optional<Era> eraNamed(std::u16string_view name) {
    for (Era era : kEras)
        if (eraName(era) == name) return era;
    return std::nullopt;
}

// True when `number` lies after the last year of the era (昭和 65, 大正 16, 明治 46 ...).
constexpr bool pastEraEnd(Era era, std::int64_t number) {
    const auto last = listedEra(era).lastYear;
    return last != 0 && number > last;
}

static_assert(eraNamed(u"昭和") == Era::Showa && !eraNamed(u"ERROR"));
static_assert(eraAt(4) == Era::Meiji && !eraAt(-1) && !eraAt(5));
static_assert(listedEra(Era::Showa).lastYear == 64 && listedEra(Era::Heisei).lastYear == 0);

// One row of the historical table. A row covers the years from `firstYear` up to the year
// before the next row's first year; the last row has no end.
struct HistoricalEra {
    std::int32_t firstYear;
    std::u16string_view caption;
    std::int32_t offset;  // year within the era = Western year - offset; kNoOffset for a gap
};

inline constexpr std::int32_t kNoOffset = -1;
inline constexpr std::u16string_view kGapCaption = u"（廃止）";

// The eras before 明治, from 大化 to 慶応. The two 「（廃止）」 rows are the seventh-century
// years in which no era was in force. For 1332-1393 the table follows one court only (正慶 ...
// 明徳).
inline constexpr std::array<HistoricalEra, 235> kEarlyEras{{
    {645, u"大化", 644},     {650, u"白雉", 649},           {655, u"（廃止）", kNoOffset},
    {686, u"朱鳥", 685},     {687, u"（廃止）", kNoOffset}, {701, u"大宝", 700},
    {704, u"慶雲", 703},     {708, u"和銅", 707},           {715, u"霊亀", 714},
    {717, u"養老", 716},     {724, u"神亀", 723},           {729, u"天平", 728},
    {749, u"天平勝宝", 748}, {757, u"天平宝字", 756},       {765, u"天平神護", 764},
    {767, u"神護景雲", 766}, {770, u"宝亀", 769},           {781, u"天応", 780},
    {782, u"延暦", 781},     {806, u"大同", 805},           {810, u"弘仁", 809},
    {824, u"天長", 823},     {834, u"承和", 833},           {848, u"嘉祥", 847},
    {851, u"仁寿", 850},     {854, u"斉衡", 853},           {857, u"天安", 856},
    {859, u"貞観", 858},     {877, u"元慶", 876},           {885, u"仁和", 884},
    {889, u"寛平", 888},     {898, u"昌泰", 897},           {901, u"延喜", 900},
    {923, u"延長", 922},     {931, u"承平", 930},           {938, u"天慶", 937},
    {947, u"天暦", 946},     {957, u"天徳", 956},           {961, u"応和", 960},
    {964, u"康保", 963},     {968, u"安和", 967},           {970, u"天禄", 969},
    {973, u"天延", 972},     {976, u"貞元", 975},           {978, u"天元", 977},
    {983, u"永観", 982},     {985, u"寛和", 984},           {987, u"永延", 986},
    {989, u"永祚", 988},     {990, u"正暦", 989},           {995, u"長徳", 994},
    {999, u"長保", 998},     {1004, u"寛弘", 1003},         {1012, u"長和", 1011},
    {1017, u"寛仁", 1016},   {1021, u"治安", 1020},         {1024, u"万寿", 1023},
    {1028, u"長元", 1027},   {1037, u"長暦", 1036},         {1040, u"長久", 1039},
    {1044, u"寛徳", 1043},   {1046, u"永承", 1045},         {1053, u"天喜", 1052},
    {1058, u"康平", 1057},   {1065, u"治暦", 1064},         {1069, u"延久", 1068},
    {1074, u"承保", 1073},   {1077, u"承暦", 1076},         {1081, u"永保", 1080},
    {1084, u"応徳", 1083},   {1087, u"寛治", 1086},         {1094, u"嘉保", 1093},
    {1096, u"永長", 1095},   {1097, u"承徳", 1096},         {1099, u"康和", 1098},
    {1104, u"長治", 1103},   {1106, u"嘉承", 1105},         {1108, u"天仁", 1107},
    {1110, u"天永", 1109},   {1113, u"永久", 1112},         {1118, u"元永", 1117},
    {1120, u"保安", 1119},   {1124, u"天治", 1123},         {1126, u"大治", 1125},
    {1131, u"天承", 1130},   {1132, u"長承", 1131},         {1135, u"保延", 1134},
    {1141, u"永治", 1140},   {1142, u"康治", 1141},         {1144, u"天養", 1143},
    {1145, u"久安", 1144},   {1151, u"仁平", 1150},         {1154, u"久寿", 1153},
    {1156, u"保元", 1155},   {1159, u"平治", 1158},         {1160, u"永暦", 1159},
    {1161, u"応保", 1160},   {1163, u"長寛", 1162},         {1165, u"永万", 1164},
    {1166, u"仁安", 1165},   {1169, u"嘉応", 1168},         {1171, u"承安", 1170},
    {1175, u"安元", 1174},   {1177, u"治承", 1176},         {1181, u"養和", 1180},
    {1182, u"寿永", 1181},   {1184, u"元暦", 1183},         {1185, u"文治", 1184},
    {1190, u"建久", 1189},   {1199, u"正治", 1198},         {1201, u"建仁", 1200},
    {1204, u"元久", 1203},   {1206, u"建永", 1205},         {1207, u"承元", 1206},
    {1211, u"建暦", 1210},   {1213, u"建保", 1212},         {1219, u"承久", 1218},
    {1222, u"貞応", 1221},   {1224, u"元仁", 1223},         {1225, u"嘉禄", 1224},
    {1227, u"安貞", 1226},   {1229, u"寛喜", 1228},         {1232, u"貞永", 1231},
    {1233, u"天福", 1232},   {1234, u"文暦", 1233},         {1235, u"嘉禎", 1234},
    {1238, u"暦仁", 1237},   {1239, u"延応", 1238},         {1240, u"仁治", 1239},
    {1243, u"寛元", 1242},   {1247, u"宝治", 1246},         {1249, u"建長", 1248},
    {1256, u"康元", 1255},   {1257, u"正嘉", 1256},         {1259, u"正元", 1258},
    {1260, u"文応", 1259},   {1261, u"弘長", 1260},         {1264, u"文永", 1263},
    {1275, u"建治", 1274},   {1278, u"弘安", 1277},         {1288, u"正応", 1287},
    {1293, u"永仁", 1292},   {1299, u"正安", 1298},         {1302, u"乾元", 1301},
    {1303, u"嘉元", 1302},   {1306, u"徳治", 1305},         {1308, u"延慶", 1307},
    {1311, u"応長", 1310},   {1312, u"正和", 1311},         {1317, u"文保", 1316},
    {1319, u"元応", 1318},   {1321, u"元亨", 1320},         {1324, u"正中", 1323},
    {1326, u"嘉暦", 1325},   {1329, u"元徳", 1328},         {1332, u"正慶", 1331},
    {1334, u"建武", 1333},   {1338, u"暦応", 1337},         {1342, u"康永", 1341},
    {1345, u"貞和", 1344},   {1350, u"観応", 1349},         {1352, u"文和", 1351},
    {1356, u"延文", 1355},   {1361, u"康安", 1360},         {1362, u"貞治", 1361},
    {1368, u"応安", 1367},   {1375, u"永和", 1374},         {1379, u"康暦", 1378},
    {1381, u"永徳", 1380},   {1384, u"至徳", 1383},         {1387, u"嘉慶", 1386},
    {1389, u"康応", 1388},   {1390, u"明徳", 1389},         {1394, u"応永", 1393},
    {1428, u"正長", 1427},   {1429, u"永享", 1428},         {1441, u"嘉吉", 1440},
    {1444, u"文安", 1443},   {1449, u"宝徳", 1448},         {1452, u"享徳", 1451},
    {1455, u"康正", 1454},   {1457, u"長禄", 1456},         {1460, u"寛正", 1459},
    {1466, u"文正", 1465},   {1467, u"応仁", 1466},         {1469, u"文明", 1468},
    {1487, u"長享", 1486},   {1489, u"延徳", 1488},         {1492, u"明応", 1491},
    {1501, u"文亀", 1500},   {1504, u"永正", 1503},         {1521, u"大永", 1520},
    {1528, u"享禄", 1527},   {1532, u"天文", 1531},         {1555, u"弘治", 1554},
    {1558, u"永禄", 1557},   {1570, u"元亀", 1569},         {1573, u"天正", 1572},
    {1592, u"文禄", 1591},   {1596, u"慶長", 1595},         {1615, u"元和", 1614},
    {1624, u"寛永", 1623},   {1644, u"正保", 1643},         {1648, u"慶安", 1647},
    {1652, u"承応", 1651},   {1655, u"明暦", 1654},         {1658, u"万治", 1657},
    {1661, u"寛文", 1660},   {1673, u"延宝", 1672},         {1681, u"天和", 1680},
    {1684, u"貞享", 1683},   {1688, u"元禄", 1687},         {1704, u"宝永", 1703},
    {1711, u"正徳", 1710},   {1716, u"享保", 1715},         {1736, u"元文", 1735},
    {1741, u"寛保", 1740},   {1744, u"延享", 1743},         {1748, u"寛延", 1747},
    {1751, u"宝暦", 1750},   {1764, u"明和", 1763},         {1772, u"安永", 1771},
    {1781, u"天明", 1780},   {1789, u"寛政", 1788},         {1801, u"享和", 1800},
    {1804, u"文化", 1803},   {1818, u"文政", 1817},         {1830, u"天保", 1829},
    {1844, u"弘化", 1843},   {1848, u"嘉永", 1847},         {1854, u"安政", 1853},
    {1860, u"万延", 1859},   {1861, u"文久", 1860},         {1864, u"元治", 1863},
    {1865, u"慶応", 1864},
}};

// The historical table: the early eras, then each modern era from the first year it held for
// the greater part of.
constexpr std::array<HistoricalEra, kEarlyEras.size() + kEraStarts.size()> historicalTable() {
    std::array<HistoricalEra, kEarlyEras.size() + kEraStarts.size()> rows{};
    for (std::size_t i = 0; i < kEarlyEras.size(); ++i) rows[i] = kEarlyEras[i];
    for (std::size_t i = 0; i < kEraStarts.size(); ++i) {
        const EraStart& e = kEraStarts[i];
        rows[kEarlyEras.size() + i] = {firstMostlyYear(e), e.name, e.offset()};
    }
    return rows;
}
inline constexpr auto kHistoricalEras = historicalTable();

constexpr bool historicalTableAscending() {
    for (std::size_t i = 1; i < kHistoricalEras.size(); ++i)
        if (kHistoricalEras[i].firstYear <= kHistoricalEras[i - 1].firstYear) return false;
    return true;
}
static_assert(historicalTableAscending(), "rows must ascend by first year");
static_assert(kHistoricalEras.front().firstYear == 645);

// The row in force in Western year `year`, or nullptr before 645.
const HistoricalEra* findHistoricalEra(std::int32_t year);

// What the two era labels show for a Western year: the caption and the year within the era,
// "元" for its first year, nothing for a gap year or a year before 645.
struct EraDisplay {
    std::u16string caption;  // the era
    std::u16string year;     // the year within it
};
EraDisplay historicalEraDisplay(std::int32_t year);

// Every era in force on some day of a year from 明治's first on, oldest first: 1926 has 大正15
// and 昭和1, 1868 慶応4 and 明治1. None before 1868.
struct EraYear {
    std::u16string_view name;
    std::int32_t number;
};
struct ErasOfYear {
    std::array<EraYear, 2> eras{};
    std::size_t count = 0;
};
ErasOfYear erasInYear(std::int32_t year);

// The eras whose names a day bears, oldest first: one, or two on a day that was the last of
// one era and the first of the next. 大正 and 昭和 began on the day the emperor died, which
// the old era also counts as its last (1912-07-30 is 明治45年7月30日 and 大正元年7月30日,
// 1926-12-25 大正15年 and 昭和元年12月25日); 平成 and 令和 began the day after the old era's
// last (1989-01-08, 2019-05-01). None before 明治.
ErasOfYear erasOfDay(Date d);

}  // namespace yorvane
