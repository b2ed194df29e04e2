#include "yorvane/sekki.h"

namespace yorvane {

namespace {

constexpr std::int32_t kTableFirstYear = kSekkiFirstYear - 1;
constexpr Date kTableEpoch{kTableFirstYear, 1, 1};  // minute 0 is its midnight, JST

// Minutes of JST from the epoch, twelve a year, 小寒 first.
constexpr std::int32_t kMinutes[] = {
#include "sekki_table.inc"
};
static_assert(std::size(kMinutes) == (kSekkiLastYear - kTableFirstYear + 1) * SekkiCount);

constexpr std::int64_t kMinutesPerDay = 24 * 60;

constexpr std::int32_t minutesOf(std::int32_t year, int sekki) {
    return kMinutes[(year - kTableFirstYear) * SekkiCount + sekki];
}

// The day number of a 節's day.
constexpr std::int64_t sekkiDay(std::int32_t year, int sekki) {
    return dayNumber(kTableEpoch) + minutesOf(year, sekki) / kMinutesPerDay;
}

}  // namespace

std::optional<Moment> sekkiMoment(std::int32_t year, Sekki sekki) {
    if (year < kTableFirstYear || year > kSekkiLastYear || sekki < 0 || sekki >= SekkiCount)
        return std::nullopt;
    const std::int32_t m = minutesOf(year, sekki);
    const int inDay = static_cast<int>(m % kMinutesPerDay);
    return Moment{dateFromDayNumber(sekkiDay(year, sekki)), inDay / 60, inDay % 60};
}

std::optional<SekkiPlace> sekkiPlace(Date d) {
    if (d.year < kSekkiFirstYear || d.year > kSekkiLastYear) return std::nullopt;
    const std::int64_t day = dayNumber(d);
    int last = -1;  // the last 節 of the year on or before the day
    for (int s = 0; s < SekkiCount && sekkiDay(d.year, s) <= day; ++s) last = s;
    const std::int32_t year = last >= Risshun ? d.year : d.year - 1;
    // Before 小寒 the day is still in the month of the year before's 大雪 (子).
    const int month = last < 0 ? Taisetsu - 1 : (last + SekkiCount - 1) % SekkiCount;
    return SekkiPlace{year, month};
}

}  // namespace yorvane
