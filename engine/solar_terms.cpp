#include "yorvane/solar_terms.h"

#include <iterator>

namespace yorvane {

namespace {

constexpr std::int32_t kTableFirstYear = kSolarTermFirstYear - 1;
constexpr Date kTableEpoch{kTableFirstYear, 1, 1};  // minute 0 is its midnight, JST

// Minutes of JST from the epoch, twelve a year, 小寒 first.
constexpr std::int32_t kMinutes[] = {
#include "sekki_table.inc"
};
static_assert(std::size(kMinutes) == (kSolarTermLastYear - kTableFirstYear + 1) * SolarTermCount);

constexpr std::int64_t kMinutesPerDay = 24 * 60;

constexpr std::int32_t minutesOf(std::int32_t year, int term) {
    return kMinutes[(year - kTableFirstYear) * SolarTermCount + term];
}

// The day number of a 節's day.
constexpr std::int64_t termDay(std::int32_t year, int term) {
    return dayNumber(kTableEpoch) + minutesOf(year, term) / kMinutesPerDay;
}

}  // namespace

std::optional<Moment> solarTermMoment(std::int32_t year, SolarTerm term) {
    if (year < kTableFirstYear || year > kSolarTermLastYear || term < 0 || term >= SolarTermCount)
        return std::nullopt;
    const std::int32_t m = minutesOf(year, term);
    const int inDay = static_cast<int>(m % kMinutesPerDay);
    return Moment{dateFromDayNumber(termDay(year, term)), inDay / 60, inDay % 60};
}

std::optional<SexagenaryMonth> sexagenaryMonth(Date d) {
    if (d.year < kSolarTermFirstYear || d.year > kSolarTermLastYear) return std::nullopt;
    const std::int64_t day = dayNumber(d);
    int last = -1;  // the last 節 of the year on or before the day
    for (int t = 0; t < SolarTermCount && termDay(d.year, t) <= day; ++t) last = t;
    const std::int32_t year = last >= StartOfSpring ? d.year : d.year - 1;
    // Before 小寒 the day is still in the month of the year before's 大雪 (子).
    const int month = last < 0 ? GreaterSnow - 1 : (last + SolarTermCount - 1) % SolarTermCount;
    return SexagenaryMonth{year, month};
}

}  // namespace yorvane
