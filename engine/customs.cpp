#include "yorvane/customs.h"

#include "yorvane/eras.h"
#include "yorvane/sexagenary.h"
#include "yorvane/solar_terms.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {

// The 本厄 ages of each, in 数え年; the year before is 前厄 and the year after 後厄.
struct UnluckyAges {
    std::array<std::int32_t, 4> main;
    std::size_t count;
    std::int32_t great;  // the 本厄 that is 大厄
};
constexpr UnluckyAges kMen{{25, 42, 61}, 3, 42};
constexpr UnluckyAges kWomen{{19, 33, 37, 61}, 4, 33};

constexpr const UnluckyAges& unluckyAges(Sex sex) { return sex == Sex::Male ? kMen : kWomen; }

std::u16string unluckyPart(const UnluckyYear& y) {
    std::u16string s(unluckyKindName(y.kind));
    if (y.great) s += u"（大厄）";
    return s;
}

}  // namespace

UnluckyYear unluckyYear(Sex sex, std::int32_t age) {
    const UnluckyAges& ages = unluckyAges(sex);
    for (std::size_t i = 0; i < ages.count; ++i) {
        const std::int32_t m = ages.main[i];
        if (age == m - 1) return {UnluckyKind::Before, false};
        if (age == m) return {UnluckyKind::Main, m == ages.great};
        if (age == m + 1) return {UnluckyKind::After, false};
    }
    return {};
}

std::u16string_view sexName(Sex sex) { return sex == Sex::Male ? u"男" : u"女"; }

std::u16string_view unluckyKindName(UnluckyKind kind) {
    switch (kind) {
        case UnluckyKind::Before: return u"前厄";
        case UnluckyKind::Main: return u"本厄";
        case UnluckyKind::After: return u"後厄";
        case UnluckyKind::None: break;
    }
    return {};
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
    const std::int32_t chosen = inFullAge ? full : countedAge(birthYear, year);
    for (const Longevity& l : kLongevity)
        if (l.inBothCounts && l.age == full) return l.name;
    for (const Longevity& l : kLongevity)
        if (!l.inBothCounts && l.age == chosen) return l.name;
    return {};
}

std::vector<UnluckyEntry> lifeUnluckyYears(std::int32_t birthYear, Sex sex) {
    const UnluckyAges& ages = unluckyAges(sex);
    std::vector<UnluckyEntry> list;
    for (std::size_t i = 0; i < ages.count; ++i) {
        for (std::int32_t age = ages.main[i] - 1; age <= ages.main[i] + 1; ++age)
            list.push_back({sex, age, unluckyYear(sex, age), birthYear + age - 1});
    }
    return list;
}

std::vector<LongevityEntry> lifeLongevity(std::int32_t birthYear, bool inFullAge) {
    std::vector<LongevityEntry> list;
    for (const Longevity& l : kLongevity) {
        const bool full = inFullAge || l.inBothCounts;
        list.push_back({l.name, l.age, full, birthYear + l.age - (full ? 0 : 1)});
    }
    return list;
}

std::u16string yearInErasText(std::int32_t year) {
    const ErasOfYear eras = erasInYear(year);
    if (eras.count == 0) {
        const EraDisplay old = historicalEraDisplay(year);
        return old.year.empty() ? std::u16string() : old.caption + old.year + u"年";
    }
    std::u16string text;
    for (std::size_t i = 0; i < eras.count; ++i) {
        if (i > 0) text += u" / ";
        text += std::u16string(eras.eras[i].name) + eraYearText(eras.eras[i].number) + u"年";
    }
    return text;
}

YearSignCounts yearSignCounts(Date birth) {
    const auto count = [](std::int32_t year) {
        return YearSignCount{year, yearCycle(year), yearStar(year)};
    };
    const std::optional<SexagenaryMonth> place = sexagenaryMonth(birth);
    return {count(place ? place->year : birth.year), count(birth.year)};
}

}  // namespace yorvane
