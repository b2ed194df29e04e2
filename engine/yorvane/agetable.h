#pragma once
// The age table: one row per Western year of birth from 明治元年 (1868) up to a reference year,
// with what people commonly ask about that year: the eras in force, 皇紀, the sign and the
// nine-star, both counts of age, 厄年, 長寿祝い and the years of school.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "yorvane/eras.h"

namespace yorvane {

inline constexpr std::int32_t kAgeTableFirstYear = kEraStarts.front().first.year;
inline constexpr std::int32_t kAgeTableLastReference = 9999;

// The 和暦 cell: every era in force during the year, oldest first, joined by " / ", with "元"
// for an era's first year: 1926 is "大正15 / 昭和元", 1980 "昭和55", 1868 "慶応4 / 明治元". Empty
// before 1868.
std::u16string eraYearsText(std::int32_t year);

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

}  // namespace yorvane
