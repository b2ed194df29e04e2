#pragma once
// Days of the (proleptic) Gregorian calendar: dates, day numbers and weekdays.

#include <compare>
#include <cstdint>
#include <string_view>

namespace yorvane {

// The floor remainder: every number, a negative one as well, falls in 0 .. period - 1.
constexpr int floorMod(std::int64_t n, int period) {
    return static_cast<int>((n % period + period) % period);
}

struct Date {
    std::int32_t year = 0;
    int month = 0;
    int day = 0;
    friend constexpr auto operator<=>(const Date&, const Date&) = default;
};

inline constexpr std::int32_t kFirstDateYear = 1;
inline constexpr std::int32_t kLastDateYear = 9999;
// Japan counted days by the Gregorian calendar from this day on (明治6年1月1日).
inline constexpr Date kGregorianInJapan{1873, 1, 1};

constexpr bool isLeapYear(std::int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(std::int32_t y, int m) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 (negative before it).
constexpr std::int64_t dayNumber(Date d) {
    const std::int64_t y = d.month <= 2 ? std::int64_t{d.year} - 1 : d.year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr Date dateFromDayNumber(std::int64_t n) {
    n += 719468;
    const std::int64_t era = (n >= 0 ? n : n - 146096) / 146097;
    const std::int64_t doe = n - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<std::int32_t>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

// 0 for Sunday (日) to 6 for Saturday (土).
constexpr int weekday(Date d) {
    return floorMod(dayNumber(d) + 4, 7);  // 1970-01-01 was a Thursday
}
inline constexpr std::u16string_view kWeekdays = u"日月火水木金土";

static_assert(dayNumber({1970, 1, 1}) == 0 && dayNumber({2000, 3, 1}) == 11017);
static_assert(dateFromDayNumber(dayNumber({1600, 2, 29})) == Date{1600, 2, 29});
static_assert(weekday({1989, 1, 7}) == 6);
}  // namespace yorvane
