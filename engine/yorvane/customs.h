#pragma once
// The customs counted by age: both counts of age, 厄年, 長寿祝い and the years of school.

#include <cstdint>
#include <string>
#include <string_view>

#include "yorvane/gregorian.h"

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
UnluckyYear menUnluckyYear(std::int32_t countedAge);
UnluckyYear womenUnluckyYear(std::int32_t countedAge);

// "男 本厄（大厄）", "女 前厄", "男女 本厄" when both have the same, "男 … / 女 …" when both have
// different ones; empty when neither.
std::u16string unluckyYearText(std::int32_t countedAge);

// 長寿祝い celebrated in a year. 還暦 is the year of 満60 (数え61) and 大還暦 of 満120 in either
// count; the others are counted in 数え年 unless `inFullAge`.
std::u16string_view longevityName(std::int32_t birthYear, std::int32_t year, bool inFullAge);

// The years of school, the April of entry or the March of leaving. 早生まれ (born from 1 January
// to 1 April) starts school with the children born the year before.
constexpr bool isEarlyBorn(Date birth) {
    return birth.month < 4 || (birth.month == 4 && birth.day == 1);
}
struct SchoolYears {
    std::int32_t elementaryEntry;       // 小学校入学
    std::int32_t juniorHighEntry;       // 中学校入学
    std::int32_t highEntry;             // 高校入学
    std::int32_t highGraduation;        // 高校卒業
    std::int32_t collegeGraduation;     // 短大・専門卒業 (two years)
    std::int32_t universityGraduation;  // 大学卒業
    friend constexpr bool operator==(const SchoolYears&, const SchoolYears&) = default;
};
// The school year begins in April of the year a child is 6 on 1 April: the years after the
// year of birth (the year before for 早生まれ) that each school is entered or left.
inline constexpr SchoolYears kSchoolYearsAfterBirth{7, 13, 16, 19, 21, 23};
constexpr SchoolYears schoolYears(std::int32_t birthYear, bool earlyBorn) {
    const std::int32_t b = earlyBorn ? birthYear - 1 : birthYear;
    const SchoolYears& k = kSchoolYearsAfterBirth;
    return {b + k.elementaryEntry, b + k.juniorHighEntry,   b + k.highEntry,
            b + k.highGraduation,  b + k.collegeGraduation, b + k.universityGraduation};
}

}  // namespace yorvane
