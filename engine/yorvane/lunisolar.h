#pragma once
// The lunisolar calendar (旧暦) of the days from 1844 to 2100, as the almanacs give it: a month
// runs from the day of a new moon to the day before the next, and takes its number from the 中気
// whose day it holds. Built from a table of new moons and 中気 generated once with an ephemeris
// library (tools/lunisolar). Japan counted its days by this calendar until 明治5年12月2日, so the
// 和暦 dates before 明治6年 are read and written through it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "yorvane/gregorian.h"

namespace yorvane {

// The days the calendar is given for.
inline constexpr Date kLunisolarFirstDay{1844, 1, 1};
inline constexpr Date kLunisolarLastDay{2100, 12, 31};

// A day of the lunisolar calendar. `year` is the Western year in which that lunisolar year's
// 1月1日 falls; `leap` marks a leap month (閏月), which follows the ordinary month of its number.
struct LunisolarDate {
    std::int32_t year = 0;
    int month = 0;
    bool leap = false;
    int day = 0;
    friend constexpr bool operator==(const LunisolarDate&, const LunisolarDate&) = default;
};

// The lunisolar date of a day; nullopt outside kLunisolarFirstDay to kLunisolarLastDay.
std::optional<LunisolarDate> lunisolarDate(Date d);

// The day of a lunisolar date; nullopt for a month the year does not have (a leap month in the
// wrong year, 閏3月 where the leap month is 閏2月), a day past the month's last (30 of a 29-day
// month), or a day outside the calendar's days.
std::optional<Date> dateOfLunisolar(LunisolarDate l);

// The six-day cycle of the lunisolar calendar: (month + day) mod 6, 1月1日 being 先勝; a leap month
// counts as the ordinary month of its number.
enum class Rokuyo : std::uint8_t { Sensho, Tomobiki, Senbu, Butsumetsu, Taian, Shakko };
inline constexpr std::u16string_view kRokuyoNames[] = {u"先勝", u"友引", u"先負",
                                                       u"仏滅", u"大安", u"赤口"};
constexpr Rokuyo rokuyo(LunisolarDate l) { return static_cast<Rokuyo>((l.month + l.day + 4) % 6); }
constexpr std::u16string_view rokuyoName(Rokuyo r) { return kRokuyoNames[static_cast<int>(r)]; }

// The day on which the lunisolar birthday of `birth` falls in the lunisolar year `year`. A birth
// in a leap month keeps to the leap month when that year has one of the same number, and
// otherwise to the ordinary month; a birth on the 30th falls on the 29th in a month of 29 days.
// nullopt when that day lies outside the calendar's days.
std::optional<Date> lunisolarBirthday(LunisolarDate birth, std::int32_t year);

// The eras of the lunisolar calendar's days, each with the lunisolar day on which it was
// proclaimed. An era's first year (元年) is the lunisolar year of its proclamation.
struct LunisolarEra {
    std::u16string_view name;
    LunisolarDate proclaimed;
};
inline constexpr LunisolarEra kLunisolarEras[] = {
    {u"天保", {1830, 12, false, 10}}, {u"弘化", {1844, 12, false, 2}},
    {u"嘉永", {1848, 2, false, 28}},  {u"安政", {1854, 11, false, 27}},
    {u"万延", {1860, 3, false, 18}},  {u"文久", {1861, 2, false, 19}},
    {u"元治", {1864, 2, false, 20}},  {u"慶応", {1865, 4, false, 7}},
    {u"明治", {1868, 9, false, 8}},
};

// A 和暦 date of the lunisolar calendar: 慶応4年1月1日, 嘉永5年閏2月1日.
struct LunisolarEraDate {
    const LunisolarEra* era = nullptr;
    std::int32_t eraYear = 0;
    LunisolarDate date;
};

// The 和暦 date of a day from kLunisolarFirstDay to 1872-12-31 (明治5年12月2日), the era being the
// one proclaimed on or before the day; nullopt for any other day.
std::optional<LunisolarEraDate> lunisolarEraDate(Date d);

// The day of a lunisolar 和暦 date. The first year of an era is counted from its 1月1日, as
// 明治元年 was by law and the others are by custom, and an era's last year ends on the day before
// its successor's proclamation. nullopt for a date the era does not have, for 明治6年 on (Gregorian
// days) and for a day outside the calendar's days.
std::optional<Date> dateOfLunisolarEra(const LunisolarEra& era, std::int32_t eraYear, int month,
                                       bool leap, int day);

// The lunisolar era named `name`, or nullptr.
const LunisolarEra* lunisolarEraNamed(std::u16string_view name);

}  // namespace yorvane
