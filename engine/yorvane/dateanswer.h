#pragma once
// Everything the program tells about a day of birth on a reference day (基準日), as plain values:
// the day in both calendars, both counts of age, the days to the next birthday, the sign and the
// nine-star of its year by 立春, of its month by 節入り, the sign of the day, the years of school
// with 早生まれ decided by the day, and 厄年 and 長寿祝い this year and next. The lines and the
// JSON are written from it by answer_fields.h.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/customs.h"
#include "yorvane/date.h"
#include "yorvane/solar_terms.h"

namespace yorvane {

// The customs of one year of the 基準日's: its 数え年 (whose 厄年 the answer names) and the
// 長寿祝い celebrated in it, a name of kLongevity or empty.
struct CustomsOfYear {
    std::int32_t year = 0;
    std::int32_t countedAge = 0;
    std::u16string_view longevity;
};

struct DateAnswer {
    Date date;       // the day named, in the Western calendar
    Date reference;  // the 基準日
    // The era of the day and its year, from 1873 (Gregorian days); nullptr before, when only the
    // historical era of the year is given (yearOnly).
    const EraStart* era = nullptr;
    std::int32_t eraYear = 0;
    bool yearOnly = false;  // before 1873: the month and day were the lunisolar calendar's
    // The era the text named when the day was not in it (昭和64年1月8日), with its year as typed.
    const EraStart* typedEra = nullptr;
    std::int32_t typedEraYear = 0;
    bool beforeBirth = false;  // the 基準日 lies before the day
    std::int32_t fullAge = 0;  // 満年齢 on the 基準日 (Japanese law: reached on the birthday)
    std::int32_t countedAge = 0;        // 数え年 in the 基準日's year
    std::int64_t daysToBirthday = 0;    // to the next birthday, or to the day itself if before it
    std::int32_t signYear = 0;          // the year whose 干支 and 九星 the day has
    std::optional<Moment> springStart;  // 立春 of the day's Western year, 1873 to 2100
    std::optional<int> monthCycle;      // the month's place in the sexagenary cycle, 甲子 = 0
    std::optional<int> monthStar;       // 月命星, 1 (一白) to 9 (九紫)
    int dayCycle = 0;                   // the day's place in the sexagenary cycle
    bool earlyBorn = false;             // 早生まれ: 1 January to 1 April
    SchoolYears school{};
    std::array<CustomsOfYear, 2> years{};  // the 基準日's year and the next
};

// The answer, or why there is none (the reason names the box, in Japanese).
struct DateQuery {
    std::optional<DateAnswer> answer;
    std::u16string error;
};

// The day of birth typed as `birthText` on the 基準日 `reference`.
DateQuery answerDate(std::u16string_view birthText, Date reference);

// The 基準日 typed as `text` through the same reader; a blank text is `today`.
DateParse readReference(std::u16string_view text, Date today);

// The day of birth typed as `birthText` on the day typed as `referenceText` (blank: `today`); a
// reason about the 基準日 begins with its name.
DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today);

}  // namespace yorvane
