#pragma once
// Days of the (proleptic) Gregorian calendar, the dates people type in any common notation,
// and the era by the day from 明治 on.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yorvane {

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
    const std::int64_t w = (dayNumber(d) + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(w < 0 ? w + 7 : w);
}
inline constexpr std::u16string_view kWeekdays = u"日月火水木金土";

static_assert(dayNumber({1970, 1, 1}) == 0 && dayNumber({2000, 3, 1}) == 11017);
static_assert(dateFromDayNumber(dayNumber({1600, 2, 29})) == Date{1600, 2, 29});
static_assert(weekday({1989, 1, 7}) == 6);

// The eras counted by the day, from 明治 on.
struct EraStart {
    std::u16string_view name;
    char16_t letter;  // the letter that names it in short notations (S55.3.4)
    Date first;       // its first day
    constexpr std::int32_t offset() const { return first.year - 1; }
};
// 明治 began, by the lunisolar calendar of the time, on the new year's day of 1868 (in the
// Gregorian calendar 25 January), to which it was dated back.
inline constexpr EraStart kErasByDay[] = {
    {u"明治", u'M', {1868, 1, 25}}, {u"大正", u'T', {1912, 7, 30}}, {u"昭和", u'S', {1926, 12, 25}},
    {u"平成", u'H', {1989, 1, 8}},  {u"令和", u'R', {2019, 5, 1}},
};

// The era in force on a day from 1873 on (nullptr before 明治).
const EraStart* eraOnDay(Date d);

// A date read from text. `era` is set when the text named an era: the year was typed as
// `eraYear` of that era.
struct ParsedDate {
    Date date;
    const EraStart* era = nullptr;
    std::int32_t eraYear = 0;
};

// What a text names, or why it is no date, in Japanese.
struct DateParse {
    std::optional<ParsedDate> value;
    std::u16string error;
};

// Reads 1980/3/4, 1980-03-04, 1980.3.4, 19800304, 1980年3月4日, 昭和55年3月4日, S55.3.4,
// s55/3/4, H1.1.8, 令和元年5月1日; full-width digits, letters and separators alike; blanks
// around the parts. Years from 1 to 9999.
DateParse parseDate(std::u16string_view text);

// "1980年3月4日"
std::u16string dateText(Date d);

}  // namespace yorvane
