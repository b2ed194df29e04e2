#pragma once
// The customs counted by age: both counts of age, 厄年 and 長寿祝い in a year and over a life,
// and the two counts of a year's sign (school years: school.h).

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "yorvane/gregorian.h"
#include "yorvane/school.h"

namespace yorvane {

// 満年齢 reached on the birthday in a year, and 数え年 in that year.
constexpr std::int32_t fullAge(std::int32_t birthYear, std::int32_t year) {
    return year - birthYear;
}
constexpr std::int32_t countedAge(std::int32_t birthYear, std::int32_t year) {
    return year - birthYear + 1;
}

// The day on which a year of age is reached in `year`: the birthday, or for one born on
// 29 February the 1 March of a common year (by law the age is reached at the end of the day
// before the birthday, 28 February).
constexpr Date birthdayIn(Date birth, std::int32_t year) {
    if (birth.month == 2 && birth.day == 29 && !isLeapYear(year)) return {year, 3, 1};
    return {year, birth.month, birth.day};
}
// 満年齢 on a day on or after the birth.
constexpr std::int32_t fullAgeOn(Date birth, Date day) {
    return day.year - birth.year - (birthdayIn(birth, day.year) <= day ? 0 : 1);
}
// The first birthday on or after a day on or after the birth.
constexpr Date nextBirthday(Date birth, Date day) {
    const Date thisYear = birthdayIn(birth, day.year);
    return day <= thisYear ? thisYear : birthdayIn(birth, day.year + 1);
}

// 厄年, counted in 数え年: 前厄, 本厄 and 後厄, and the 本厄 that is 大厄 (men 42, women 33).
enum class UnluckyKind { None, Before, Main, After };
struct UnluckyYear {
    UnluckyKind kind = UnluckyKind::None;
    bool great = false;
    friend constexpr bool operator==(const UnluckyYear&, const UnluckyYear&) = default;
};
enum class Sex : std::uint8_t { Male, Female };
UnluckyYear unluckyYear(Sex sex, std::int32_t countedAge);
inline UnluckyYear menUnluckyYear(std::int32_t countedAge) {
    return unluckyYear(Sex::Male, countedAge);
}
inline UnluckyYear womenUnluckyYear(std::int32_t countedAge) {
    return unluckyYear(Sex::Female, countedAge);
}
std::u16string_view sexName(Sex sex);                   // "男", "女"
std::u16string_view unluckyKindName(UnluckyKind kind);  // "前厄", "本厄", "後厄"; empty for None

// "男 本厄（大厄）", "女 前厄", "男女 本厄" when both have the same, "男 … / 女 …" when both have
// different ones; empty when neither.
std::u16string unluckyYearText(std::int32_t countedAge);

// 長寿祝い celebrated in a year. 還暦 is the year of 満60 (数え61) and 大還暦 of 満120 in either
// count; the others are counted in 数え年 unless `inFullAge`.
std::u16string_view longevityName(std::int32_t birthYear, std::int32_t year, bool inFullAge);

// The 長寿祝い and their ages, in order. Those `inBothCounts` (還暦, 大還暦) fall in the year of
// that 満年齢 whichever count is chosen.
struct Longevity {
    std::int32_t age;
    std::u16string_view name;
    bool inBothCounts = false;
};
inline constexpr std::array<Longevity, 11> kLongevity{{
    {60, u"還暦", true},
    {70, u"古希"},
    {77, u"喜寿"},
    {80, u"傘寿"},
    {88, u"米寿"},
    {90, u"卒寿"},
    {99, u"白寿"},
    {100, u"百寿"},
    {108, u"茶寿"},
    {111, u"皇寿"},
    {120, u"大還暦", true},
}};

// A life's 厄年 and 長寿祝い, each with its Western year, in the order of the years. 厄年 are
// counted in 数え年 from 1 January (the year of birth is 数え1); the celebrations by the rule of
// longevityName, `fullAge` telling which count the age is in.
struct UnluckyEntry {
    Sex sex;
    std::int32_t countedAge;
    UnluckyYear which;
    std::int32_t year;
};
std::vector<UnluckyEntry> lifeUnluckyYears(std::int32_t birthYear, Sex sex);
struct LongevityEntry {
    std::u16string_view name;
    std::int32_t age;
    bool fullAge;
    std::int32_t year;
};
std::vector<LongevityEntry> lifeLongevity(std::int32_t birthYear, bool inFullAge);

// The first entry of such a list in `year` or later (the next one, from the 基準日's year); the
// list's size when all are past.
template <class Entries>
std::size_t firstFromYear(const Entries& list, std::int32_t year) {
    const auto next = std::partition_point(list.begin(), list.end(),
                                           [year](const auto& e) { return e.year < year; });
    return static_cast<std::size_t>(next - list.begin());
}

// A Western year in the eras in force in it: "令和3年", "平成31年 / 令和元年" in a year the era
// changed, "享保3年" before 明治; empty before 645.
std::u16string yearInErasText(std::int32_t year);

// The two counts of a birth's year for its 干支 and 九星: from 立春, as this program counts
// them, and from New Year's Day, as many people do. They differ for a birth from 1 January to
// 節分, the day before 立春. Outside the table of 節 (1873 to 2100) 立春's day is not known and
// both are the Western year.
struct YearSignCount {
    std::int32_t year;
    int cycle;  // 干支, 甲子 = 0
    int star;   // 九星, 1 (一白) to 9 (九紫)
};
struct YearSignCounts {
    YearSignCount fromSpring;
    YearSignCount fromNewYear;
    bool differ() const { return fromSpring.year != fromNewYear.year; }
};
YearSignCounts yearSignCounts(Date birth);
// Born before 立春 in the year: some temples count that birth's 厄年 from the year before.
inline bool bornBeforeSpring(Date birth) { return yearSignCounts(birth).differ(); }

}  // namespace yorvane
