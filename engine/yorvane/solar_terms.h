#pragma once
// The twelve 節 of the 二十四節気 (小寒, 立春, 啓蟄 ... 大雪: the Sun at 285°, 315°, 345° ... of
// apparent longitude), to the minute in Japan Standard Time, from a table generated once with an
// ephemeris library (tools/sekki). The 節 begin the months of the sexagenary calendar, and 立春
// its year: 干支 and 九星 change there, not on New Year's Day.

#include <cstdint>
#include <optional>

#include "yorvane/gregorian.h"

namespace yorvane {

// The years whose days the table places in their months (the table also holds 1872, whose
// 大雪 begins the month of early January 1873).
inline constexpr std::int32_t kSolarTermFirstYear = 1873;
inline constexpr std::int32_t kSolarTermLastYear = 2100;

// The 節 in the order of the year.
enum SolarTerm : int {
    LesserCold,          // 小寒
    StartOfSpring,       // 立春
    AwakeningOfInsects,  // 啓蟄
    ClearAndBright,      // 清明
    StartOfSummer,       // 立夏
    GrainInEar,          // 芒種
    LesserHeat,          // 小暑
    StartOfAutumn,       // 立秋
    WhiteDew,            // 白露
    ColdDew,             // 寒露
    StartOfWinter,       // 立冬
    GreaterSnow,         // 大雪
    SolarTermCount
};

struct Moment {
    Date date;
    int hour = 0;
    int minute = 0;
    friend constexpr bool operator==(const Moment&, const Moment&) = default;
};

// The moment of a 節 of a year; nullopt outside 1872 to 2100.
std::optional<Moment> solarTermMoment(std::int32_t year, SolarTerm term);

// Where a day stands in the sexagenary calendar, from its 節入り: the year that holds it (the
// Western year of the 立春 on or before the day) and its month, 0 for the month from 立春 (寅)
// to 11 for the month from 小寒 (丑). A day belongs to the month whose 節 falls on it or
// before it, whatever the hour. nullopt for a day outside 1873 to 2100.
struct SexagenaryMonth {
    std::int32_t year;
    int month;
};
std::optional<SexagenaryMonth> sexagenaryMonth(Date d);

}  // namespace yorvane
