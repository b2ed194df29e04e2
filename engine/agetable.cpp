#include "yorvane/agetable.h"

#include <array>
#include <iterator>

#include "yorvane/eras.h"
#include "yorvane/sign.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {

// The eras of the table, from 慶応 (in force until 明治 began in 1868) on, with the year each
// really began. The historical table counts 大正 and 昭和 from their second year; their first
// year is the year after the offset for every era alike.
struct EraSpan {
    std::u16string_view name;
    std::int32_t firstYear;
};

constexpr std::size_t meijiRow() {
    for (std::size_t i = 0; i < kHistoricalEras.size(); ++i)
        if (kHistoricalEras[i].caption == u"明治") return i;
    return kHistoricalEras.size();
}
constexpr std::size_t kFirstSpanRow = meijiRow() - 1;  // 慶応
constexpr std::size_t kModernSpanCount = kHistoricalEras.size() - kFirstSpanRow;
static_assert(meijiRow() < kHistoricalEras.size());

constexpr std::array<EraSpan, kModernSpanCount> modernSpans() {
    std::array<EraSpan, kModernSpanCount> spans{};
    for (std::size_t i = 0; i < kModernSpanCount; ++i) {
        const auto& row = kHistoricalEras[kFirstSpanRow + i];
        spans[i] = {row.caption, row.offset + 1};
    }
    return spans;
}
constexpr auto kModernSpans = modernSpans();
static_assert(kModernSpans[1].firstYear == kAgeTableFirstYear);

std::u16string trimmed(std::u16string_view s) {
    while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return std::u16string(s);
}

std::u16string_view yakuKindText(YakuKind kind) {
    switch (kind) {
        case YakuKind::Mae: return u"前厄";
        case YakuKind::Hon: return u"本厄";
        case YakuKind::Ato: return u"後厄";
        case YakuKind::None: break;
    }
    return {};
}

std::u16string yakuCellPart(const Yaku& y) {
    std::u16string s(yakuKindText(y.kind));
    if (y.taiyaku) s += u"（大厄）";
    return s;
}

// The 本厄 ages of each; the year before is 前厄 and the year after 後厄.
constexpr std::int32_t kMenHon[] = {25, 42, 61};
constexpr std::int32_t kWomenHon[] = {19, 33, 37, 61};
constexpr std::int32_t kMenTaiyaku = 42;
constexpr std::int32_t kWomenTaiyaku = 33;

template <std::size_t N>
Yaku yakuFrom(const std::int32_t (&hon)[N], std::int32_t taiyaku, std::int32_t age) {
    for (std::int32_t h : hon) {
        if (age == h - 1) return {YakuKind::Mae, false};
        if (age == h) return {YakuKind::Hon, h == taiyaku};
        if (age == h + 1) return {YakuKind::Ato, false};
    }
    return {};
}

struct Longevity {
    std::int32_t age;
    std::u16string_view name;
};
// 還暦 and 大還暦 are the years of 満60 and 満120 in either count.
constexpr Longevity kInBothCounts[] = {{60, u"還暦"}, {120, u"大還暦"}};
// The others, in the count chosen.
constexpr Longevity kLongevity[] = {
    {70, u"古希"}, {77, u"喜寿"},  {80, u"傘寿"},  {88, u"米寿"},  {90, u"卒寿"},
    {99, u"白寿"}, {100, u"百寿"}, {108, u"茶寿"}, {111, u"皇寿"},
};

constexpr std::u16string_view kColumnTitles[kAgeColumnCount] = {
    u"西暦",       u"和暦",     u"皇紀",     u"干支",           u"九星",
    u"満年齢",     u"数え年",   u"厄年",     u"長寿祝い",       u"小学校入学",
    u"中学校入学", u"高校入学", u"高校卒業", u"短大・専門卒業", u"大学卒業",
};

}  // namespace

std::u16string eraYearsText(std::int32_t year) {
    std::u16string text;
    if (year < kAgeTableFirstYear) return text;
    for (std::size_t i = 0; i < kModernSpans.size(); ++i) {
        const EraSpan& era = kModernSpans[i];
        // An era is in force until the day the next one begins, so in that year as well.
        const bool ended = i + 1 < kModernSpans.size() && kModernSpans[i + 1].firstYear < year;
        if (year < era.firstYear || ended) continue;
        if (!text.empty()) text += u" / ";
        text += era.name;
        const std::int32_t n = year - era.firstYear + 1;
        text += n == 1 ? std::u16string(u"元") : decimal(n);
    }
    return text;
}

std::u16string signWithReading(std::int32_t year) {
    const YearSign s = yearSign(year);
    std::u16string text(s.stem);
    text += s.branch;
    text += u"（";
    text += trimmed(s.stemReading);
    text += trimmed(s.branchReading);
    text += u"）";
    return text;
}

Yaku menYaku(std::int32_t countedAge) { return yakuFrom(kMenHon, kMenTaiyaku, countedAge); }

Yaku womenYaku(std::int32_t countedAge) { return yakuFrom(kWomenHon, kWomenTaiyaku, countedAge); }

std::u16string yakuText(std::int32_t countedAge) {
    const Yaku men = menYaku(countedAge);
    const Yaku women = womenYaku(countedAge);
    const bool m = men.kind != YakuKind::None, w = women.kind != YakuKind::None;
    if (m && w && men == women) return u"男女 " + yakuCellPart(men);
    std::u16string text;
    if (m) text = u"男 " + yakuCellPart(men);
    if (w) {
        if (!text.empty()) text += u" / ";
        text += u"女 " + yakuCellPart(women);
    }
    return text;
}

std::u16string_view longevityName(std::int32_t birth, std::int32_t reference, bool inFullAge) {
    const std::int32_t full = fullAge(birth, reference);
    for (const Longevity& l : kInBothCounts)
        if (l.age == full) return l.name;
    const std::int32_t age = inFullAge ? full : countedAge(birth, reference);
    for (const Longevity& l : kLongevity)
        if (l.age == age) return l.name;
    return {};
}

std::u16string_view ageColumnTitle(int column) {
    if (column < 0 || column >= kAgeColumnCount) return {};
    return kColumnTitles[column];
}

bool ageColumnIsNumber(int column) {
    switch (static_cast<AgeColumn>(column)) {
        case AgeColumn::EraYears:
        case AgeColumn::Sign:
        case AgeColumn::NineStar:
        case AgeColumn::UnluckyYear:
        case AgeColumn::Longevity: return false;
        default: return column >= 0 && column < kAgeColumnCount;
    }
}

AgeTableRow ageTableRow(std::int32_t birth, const AgeTableOptions& options) {
    AgeTableRow row;
    const std::int32_t ref = options.reference;
    const SchoolYears school = schoolYears(birth, options.earlyBorn);
    row[AgeColumn::Western] = decimal(birth);
    row[AgeColumn::EraYears] = eraYearsText(birth);
    row[AgeColumn::Imperial] = decimal(imperialYear(birth));
    row[AgeColumn::Sign] = signWithReading(birth);
    row[AgeColumn::NineStar] = std::u16string(yearSign(birth).nineStar);
    row[AgeColumn::FullAge] = decimal(fullAge(birth, ref));
    row[AgeColumn::CountedAge] = decimal(countedAge(birth, ref));
    row[AgeColumn::UnluckyYear] = yakuText(countedAge(birth, ref));
    row[AgeColumn::Longevity] =
        std::u16string(longevityName(birth, ref, options.longevityInFullAge));
    row[AgeColumn::ElementaryEntry] = decimal(school.elementaryEntry);
    row[AgeColumn::JuniorHighEntry] = decimal(school.juniorHighEntry);
    row[AgeColumn::HighEntry] = decimal(school.highEntry);
    row[AgeColumn::HighGraduation] = decimal(school.highGraduation);
    row[AgeColumn::CollegeGraduation] = decimal(school.collegeGraduation);
    row[AgeColumn::UniversityGraduation] = decimal(school.universityGraduation);
    return row;
}

std::optional<int> branchSlot(std::u16string_view branch) {
    if (branch.size() != 1) return std::nullopt;
    const auto at = kBranches.find(branch);
    if (at == std::u16string_view::npos) return std::nullopt;
    return static_cast<int>(at);
}

}  // namespace yorvane
