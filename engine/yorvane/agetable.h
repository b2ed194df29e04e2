#pragma once
// The age table: one row per Western year of birth from 明治元年 (1868) up to a reference year,
// with what people commonly ask about that year: the eras in force, 皇紀, the sign and the
// nine-star, both counts of age, 厄年, 長寿祝い and the years of school.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yorvane {

inline constexpr std::int32_t kAgeTableFirstYear = 1868;
inline constexpr std::int32_t kAgeTableLastReference = 9999;

// Every era in force during the Western year, oldest first, joined by " / ", with "元" for an
// era's first year: 1926 is "大正15 / 昭和元", 1980 "昭和55", 1868 "慶応4 / 明治元". Unlike the
// main window, which names a change year by one era only, both eras of a change year are named.
// Empty before 1868.
std::u16string eraYearsText(std::int32_t year);

// 皇紀: the imperial year count.
constexpr std::int32_t imperialYear(std::int32_t year) { return year + 660; }

// The sign with its reading in brackets, "庚申（かのえさる）"; the texts of the main window.
std::u16string signWithReading(std::int32_t year);

// 満年齢 reached on the birthday in the reference year, and 数え年 in that year.
constexpr std::int32_t fullAge(std::int32_t birth, std::int32_t reference) {
    return reference - birth;
}
constexpr std::int32_t countedAge(std::int32_t birth, std::int32_t reference) {
    return reference - birth + 1;
}

// 厄年, counted in 数え年.
enum class YakuKind { None, Mae, Hon, Ato };  // 前厄, 本厄, 後厄
struct Yaku {
    YakuKind kind = YakuKind::None;
    bool taiyaku = false;  // the 本厄 that is 大厄 (men 42, women 33)
    friend constexpr bool operator==(const Yaku&, const Yaku&) = default;
};
Yaku menYaku(std::int32_t countedAge);
Yaku womenYaku(std::int32_t countedAge);

// The 厄年 cell: "男 本厄（大厄）", "女 前厄", "男女 本厄" when both have the same, "男 … / 女 …"
// when both have different ones; empty when neither.
std::u16string yakuText(std::int32_t countedAge);

// 長寿祝い celebrated in the reference year. 還暦 is the year of 満60 (数え61) and 大還暦 of
// 満120 in either count; the others are counted in 数え年 unless `inFullAge`.
std::u16string_view longevityName(std::int32_t birth, std::int32_t reference, bool inFullAge);

// The years of school, the April of entry or the March of leaving. 早生まれ (born from 1 January
// to 1 April) starts school with the children born the year before.
struct SchoolYears {
    std::int32_t elementaryEntry;       // 小学校入学
    std::int32_t juniorHighEntry;       // 中学校入学
    std::int32_t highEntry;             // 高校入学
    std::int32_t highGraduation;        // 高校卒業
    std::int32_t collegeGraduation;     // 短大・専門卒業 (two years)
    std::int32_t universityGraduation;  // 大学卒業
    friend constexpr bool operator==(const SchoolYears&, const SchoolYears&) = default;
};
constexpr SchoolYears schoolYears(std::int32_t birth, bool earlyBorn) {
    const std::int32_t b = earlyBorn ? birth - 1 : birth;
    return {b + 7, b + 13, b + 16, b + 19, b + 21, b + 23};
}

// The columns of the table, in their order.
enum class AgeColumn : int {
    Western,               // 西暦
    EraYears,              // 和暦
    Imperial,              // 皇紀
    Sign,                  // 干支
    NineStar,              // 九星
    FullAge,               // 満年齢
    CountedAge,            // 数え年
    UnluckyYear,           // 厄年
    Longevity,             // 長寿祝い
    ElementaryEntry,       // 小学校入学
    JuniorHighEntry,       // 中学校入学
    HighEntry,             // 高校入学
    HighGraduation,        // 高校卒業
    CollegeGraduation,     // 短大・専門卒業
    UniversityGraduation,  // 大学卒業
};
inline constexpr int kAgeColumnCount = static_cast<int>(AgeColumn::UniversityGraduation) + 1;
// The title of a column; empty outside the table.
std::u16string_view ageColumnTitle(int column);
// The columns that hold a number (a year or an age), shown flush right.
bool ageColumnIsNumber(int column);

struct AgeTableOptions {
    std::int32_t reference = 0;       // the reference year
    bool longevityInFullAge = false;  // 長寿祝い counted in 満年齢
    bool earlyBorn = false;           // 早生まれ
};

// Every cell of the row of a year of birth, as the table shows it.
struct AgeTableRow {
    std::array<std::u16string, kAgeColumnCount> cells;
    std::u16string& operator[](AgeColumn c) { return cells[static_cast<std::size_t>(c)]; }
    const std::u16string& operator[](AgeColumn c) const {
        return cells[static_cast<std::size_t>(c)];
    }
};
AgeTableRow ageTableRow(std::int32_t birth, const AgeTableOptions& options);

// The number of rows for a reference year (1868 up to it), 0 outside the table's range.
constexpr std::int32_t ageTableRowCount(std::int32_t reference) {
    return reference < kAgeTableFirstYear || reference > kAgeTableLastReference
               ? 0
               : reference - kAgeTableFirstYear + 1;
}

// The branch slot (year mod 12, as in the sign tables) of a branch character such as u"午".
std::optional<int> branchSlot(std::u16string_view branch);

}  // namespace yorvane
