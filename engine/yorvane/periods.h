#pragma once
// Periods of Japanese history, from 飛鳥時代 (645) to the end of 江戸時代 (1867).

#include <array>
#include <cstdint>
#include <string_view>

namespace yorvane {

struct Period {
    std::int32_t firstYear;
    std::u16string_view name;
};

// A period lasts until the year before the next one begins. 南北朝時代 and 戦国時代 are periods
// of their own here, not parts of 室町時代.
inline constexpr std::array<Period, 9> kPeriods{{
    {645, u"飛鳥時代"},
    {710, u"奈良時代"},
    {794, u"平安時代"},
    {1192, u"鎌倉時代"},
    {1334, u"南北朝時代"},
    {1392, u"室町時代"},
    {1467, u"戦国時代"},
    {1573, u"安土桃山時代"},
    {1603, u"江戸時代"},
}};
inline constexpr std::int32_t kLastPeriodYear = 1867;

// The position in kPeriods of the period holding `year`; -1 before 645 and from 1868 on.
constexpr int periodIndex(std::int32_t year) {
    if (year < kPeriods.front().firstYear || year > kLastPeriodYear) return -1;
    int index = 0;
    for (std::size_t i = 1; i < kPeriods.size(); ++i)
        if (kPeriods[i].firstYear <= year) index = static_cast<int>(i);
    return index;
}

// The last year of the period at `index` of kPeriods.
constexpr std::int32_t periodLastYear(std::size_t index) {
    return index + 1 < kPeriods.size() ? kPeriods[index + 1].firstYear - 1 : kLastPeriodYear;
}

// The period holding `year`; empty before 645 and from 1868 on.
constexpr std::u16string_view periodName(std::int32_t year) {
    const int index = periodIndex(year);
    return index < 0 ? std::u16string_view() : kPeriods[static_cast<std::size_t>(index)].name;
}

static_assert(periodName(1333) == u"鎌倉時代" && periodName(1334) == u"南北朝時代");
static_assert(periodIndex(644) == -1 && periodLastYear(0) == 709 && periodIndex(1868) == -1);

}  // namespace yorvane
