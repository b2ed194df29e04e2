#include "yorvane/lunisolar.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "yorvane/eras.h"

namespace yorvane {

namespace {

// A moment before 1888 whose day in the local time of the day differs from its JST day.
struct LocalDay {
    std::int32_t minutes;
    int days;
};

// kNewMoonMinutes, kChukiMinutes (the first is the 秋分 of 1843) and kLocalDays.
#include "lunisolar_table.inc"

constexpr Date kTableEpoch{1843, 1, 1};  // minute 0 is its midnight, JST
constexpr int kMinutesPerDay = 24 * 60;
constexpr int kFirstChukiLongitude = 180;

// The new moon of 2097-01-13 falls seconds before midnight by the ΔT of today; the almanac of
// the calendar publishers, computed with a larger ΔT, begins that month on the 14th.
constexpr Date kNewMoonPastMidnight{2097, 1, 13};
// In 2033 the rules leave no month for 9月 and 10月 between the months of 秋分 and 冬至. The
// calendar publishers let the 秋分 go into 9月 instead of fixing 8月, which puts the leap month
// after 冬至 (閏11月 from 2033-12-22): this 秋分 does not fix its month.
constexpr Date kUnfixedEquinox{2033, 9, 23};

constexpr std::int64_t dayOfMoment(std::int32_t minutes) {
    std::int64_t day = dayNumber(kTableEpoch) + minutes / kMinutesPerDay;
    for (const LocalDay& l : kLocalDays)
        if (l.minutes == minutes) day += l.days;
    return day;
}

struct Month {
    std::int32_t first;  // its first day's number
    std::int16_t year;
    std::int8_t number;
    bool leap;
};

constexpr std::size_t kMonthCount = std::size(kNewMoonMinutes) - 1;
using Months = std::array<Month, kMonthCount>;

// The month numbers a 中気 fixes: 冬至 11, 春分 2, 夏至 5, 秋分 8; 0 for the others.
constexpr int fixedNumber(int longitude) {
    switch (longitude) {
        case 270: return 11;
        case 0: return 2;
        case 90: return 5;
        case 180: return 8;
        default: return 0;
    }
}

struct Fixed {
    std::size_t month;
    int number;
};

// Numbers the months between two fixed ones. Where one month more than the numbers lies between,
// the first month without a 中気 is the leap month and repeats the number before it.
constexpr void numberBetween(Months& m, const bool* hasChuki, Fixed a, Fixed b) {
    const std::size_t between = b.month - a.month - 1;
    const std::size_t numbers = static_cast<std::size_t>((b.number - a.number + 11) % 12);
    if (between != numbers && between != numbers + 1) throw "the months do not fit the 中気";
    bool leapToPlace = between == numbers + 1;
    int number = a.number;
    for (std::size_t i = a.month + 1; i < b.month; ++i) {
        m[i].leap = leapToPlace && !hasChuki[i];
        if (m[i].leap)
            leapToPlace = false;
        else
            number = number % 12 + 1;
        m[i].number = static_cast<std::int8_t>(number);
    }
    if (leapToPlace) throw "no month without a 中気 for the leap month";
}

constexpr Months buildMonths() {
    Months m{};
    for (std::size_t i = 0; i < kMonthCount; ++i) {
        std::int64_t first = dayOfMoment(kNewMoonMinutes[i]);
        if (first == dayNumber(kNewMoonPastMidnight)) ++first;
        m[i] = {static_cast<std::int32_t>(first), 0, 0, false};
    }
    bool hasChuki[kMonthCount]{};
    Fixed fixed[kMonthCount / 3 + 2]{};
    std::size_t fixedCount = 0, i = 0;
    for (std::size_t k = 0; k < std::size(kChukiMinutes); ++k) {
        const std::int64_t day = dayOfMoment(kChukiMinutes[k]);
        while (i + 1 < kMonthCount && m[i + 1].first <= day) ++i;
        if (i + 1 == kMonthCount) break;  // past the last whole month
        hasChuki[i] = true;
        const int number = fixedNumber((kFirstChukiLongitude + 30 * static_cast<int>(k)) % 360);
        if (number != 0 && day != dayNumber(kUnfixedEquinox)) fixed[fixedCount++] = {i, number};
    }
    for (std::size_t f = 0; f + 1 < fixedCount; ++f) {
        m[fixed[f].month].number = static_cast<std::int8_t>(fixed[f].number);
        numberBetween(m, hasChuki, fixed[f], fixed[f + 1]);
    }
    m[fixed[fixedCount - 1].month].number = static_cast<std::int8_t>(fixed[fixedCount - 1].number);
    // 11月 and 12月 (and their leap months) that begin in January or February close the
    // lunisolar year before.
    for (Month& month : m) {
        const Date d = dateFromDayNumber(month.first);
        month.year = static_cast<std::int16_t>(d.year - (month.number >= 11 && d.month <= 2));
    }
    return m;
}

constexpr Months kMonths = buildMonths();

// The months the 中気 number: from the first fixed month to the last. Every day of the calendar
// lies in one of them, before the first month that has no number.
constexpr auto kNumbered = [] {
    std::size_t first = 0, end = kMonthCount;
    while (kMonths[first].number == 0) ++first;
    while (kMonths[end - 1].number == 0) --end;
    return std::array{first, end};
}();
constexpr auto kFirst = kMonths.begin() + kNumbered[0];
constexpr auto kEnd = kMonths.begin() + kNumbered[1];
static_assert(dateFromDayNumber(kFirst->first) <= kLunisolarFirstDay);
static_assert(dateFromDayNumber(kEnd->first) > kLunisolarLastDay);

constexpr int monthKey(std::int32_t year, int number, bool leap) {
    return year * 32 + number * 2 + (leap ? 1 : 0);
}
constexpr int monthKey(const Month& m) { return monthKey(m.year, m.number, m.leap); }

constexpr int lengthOf(const Month* m) { return (m + 1)->first - m->first; }

bool covered(Date d) { return d >= kLunisolarFirstDay && d <= kLunisolarLastDay; }

// The month of a lunisolar year, number and leap flag; nullptr if the year has no such month.
const Month* findMonth(std::int32_t year, int number, bool leap) {
    const int key = monthKey(year, number, leap);
    const auto last = kMonths.end() - 1;  // the last month has no known length
    const auto it = std::lower_bound(kMonths.begin(), last, key,
                                     [](const Month& m, int k) { return monthKey(m) < k; });
    return it != last && monthKey(*it) == key ? &*it : nullptr;
}

}  // namespace

std::optional<LunisolarDate> lunisolarDate(Date d) {
    if (!covered(d)) return std::nullopt;
    const auto day = static_cast<std::int32_t>(dayNumber(d));
    const auto next = std::upper_bound(kFirst, kEnd, day,
                                       [](std::int32_t n, const Month& m) { return n < m.first; });
    const Month& m = *(next - 1);
    return LunisolarDate{m.year, m.number, m.leap, day - m.first + 1};
}

std::optional<Date> dateOfLunisolar(LunisolarDate l) {
    const Month* m = findMonth(l.year, l.month, l.leap);
    if (!m || l.day < 1 || l.day > lengthOf(m)) return std::nullopt;
    const Date d = dateFromDayNumber(m->first + l.day - 1);
    return covered(d) ? std::optional(d) : std::nullopt;
}

std::optional<Date> lunisolarBirthday(LunisolarDate birth, std::int32_t year) {
    const Month* m = birth.leap ? findMonth(year, birth.month, true) : nullptr;
    if (!m) m = findMonth(year, birth.month, false);
    if (!m) return std::nullopt;
    const Date d = dateFromDayNumber(m->first + std::min(birth.day, lengthOf(m)) - 1);
    return covered(d) ? std::optional(d) : std::nullopt;
}

const LunisolarEra* lunisolarEraNamed(std::u16string_view name) {
    for (const LunisolarEra& e : kLunisolarEras)
        if (e.name == name) return &e;
    return nullptr;
}

namespace {

// The lunisolar year before an era's 元年: its first year is the year of its proclamation.
constexpr std::int32_t eraOffset(const LunisolarEra& era) { return era.proclaimed.year - 1; }
// The same as the historical table of eras counts the years of those it holds.
static_assert([] {
    for (const LunisolarEra& e : kLunisolarEras)
        for (const HistoricalEra& row : kHistoricalEras)
            if (row.caption == e.name && row.offset != eraOffset(e)) return false;
    return true;
}());

constexpr bool before(LunisolarDate a, LunisolarDate b) {
    return monthKey(a.year, a.month, a.leap) * 32 + a.day <
           monthKey(b.year, b.month, b.leap) * 32 + b.day;
}

// The day of the Gregorian calendar's first day in Japan, 明治6年1月1日, as a lunisolar date.
constexpr LunisolarDate kLunisolarEnd{1872, 12, false, 3};

}  // namespace

std::optional<LunisolarEraDate> lunisolarEraDate(Date d) {
    if (d >= kGregorianInJapan) return std::nullopt;
    const auto l = lunisolarDate(d);
    if (!l) return std::nullopt;
    const LunisolarEra* era = &kLunisolarEras[0];
    for (const LunisolarEra& e : kLunisolarEras)
        if (!before(*l, e.proclaimed)) era = &e;
    return LunisolarEraDate{era, l->year - eraOffset(*era), *l};
}

std::optional<Date> dateOfLunisolarEra(const LunisolarEra& era, std::int32_t eraYear, int month,
                                       bool leap, int day) {
    if (eraYear < 1) return std::nullopt;
    const LunisolarDate l{eraOffset(era) + eraYear, month, leap, day};
    const LunisolarEra* next = &era + 1;
    const LunisolarDate end = next == std::end(kLunisolarEras) ? kLunisolarEnd : next->proclaimed;
    if (!before(l, end)) return std::nullopt;
    return dateOfLunisolar(l);
}

}  // namespace yorvane
