#include "yorvane/customs.h"

namespace yorvane {

namespace {

// The 本厄 ages of each; the year before is 前厄 and the year after 後厄.
constexpr std::int32_t kMenMain[] = {25, 42, 61};
constexpr std::int32_t kWomenMain[] = {19, 33, 37, 61};
constexpr std::int32_t kMenGreat = 42;
constexpr std::int32_t kWomenGreat = 33;

template <std::size_t N>
UnluckyYear unluckyFrom(const std::int32_t (&main)[N], std::int32_t great, std::int32_t age) {
    for (std::int32_t m : main) {
        if (age == m - 1) return {UnluckyKind::Before, false};
        if (age == m) return {UnluckyKind::Main, m == great};
        if (age == m + 1) return {UnluckyKind::After, false};
    }
    return {};
}

std::u16string unluckyPart(const UnluckyYear& y) {
    std::u16string s;
    switch (y.kind) {
        case UnluckyKind::Before: s = u"前厄"; break;
        case UnluckyKind::Main: s = u"本厄"; break;
        case UnluckyKind::After: s = u"後厄"; break;
        case UnluckyKind::None: break;
    }
    if (y.great) s += u"（大厄）";
    return s;
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

}  // namespace

UnluckyYear menUnluckyYear(std::int32_t countedAge) {
    return unluckyFrom(kMenMain, kMenGreat, countedAge);
}

UnluckyYear womenUnluckyYear(std::int32_t countedAge) {
    return unluckyFrom(kWomenMain, kWomenGreat, countedAge);
}

std::u16string unluckyYearText(std::int32_t countedAge) {
    const UnluckyYear men = menUnluckyYear(countedAge);
    const UnluckyYear women = womenUnluckyYear(countedAge);
    const bool m = men.kind != UnluckyKind::None, w = women.kind != UnluckyKind::None;
    if (m && w && men == women) return u"男女 " + unluckyPart(men);
    std::u16string text;
    if (m) text = u"男 " + unluckyPart(men);
    if (w) {
        if (!text.empty()) text += u" / ";
        text += u"女 " + unluckyPart(women);
    }
    return text;
}

std::u16string_view longevityName(std::int32_t birthYear, std::int32_t year, bool inFullAge) {
    const std::int32_t full = fullAge(birthYear, year);
    for (const Longevity& l : kInBothCounts)
        if (l.age == full) return l.name;
    const std::int32_t age = inFullAge ? full : countedAge(birthYear, year);
    for (const Longevity& l : kLongevity)
        if (l.age == age) return l.name;
    return {};
}

}  // namespace yorvane
