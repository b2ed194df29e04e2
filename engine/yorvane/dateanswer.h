#pragma once
// Everything the program tells about a day of birth on a reference day (基準日), as plain values:
// the day in both calendars, both counts of age, the days to the next birthday, the sign and the
// nine-star of its year by 立春 (and by New Year's Day where that differs), of its month by
// 節入り, the sign of the day, the lunisolar date and 六曜 of the day and of the 基準日, the
// lunisolar birthday, the years of school with 早生まれ decided by the day and a résumé's 学歴,
// and 厄年 and 長寿祝い this year, next year and over a life. The lines and the JSON are written
// from it by answer_fields.h.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "yorvane/customs.h"
#include "yorvane/date.h"
#include "yorvane/lunisolar.h"
#include "yorvane/solar_terms.h"

namespace yorvane {

// The customs of one year of the 基準日's: its 数え年 (whose 厄年 the answer names) and the
// 長寿祝い celebrated in it, a name of kLongevity or empty.
struct CustomsOfYear {
    std::int32_t year = 0;
    std::int32_t countedAge = 0;
    std::u16string_view longevity;
};

// What the asker chooses: whose 厄年 are listed, and the years of 浪人 or 留年 after 高校.
struct AnswerOptions {
    std::optional<Sex> sex;  // none: both
    int extraYears = 0;      // 0 to kMaxExtraYears
};

struct DateAnswer {
    Date date;       // the day named, in the Western calendar
    Date reference;  // the 基準日
    // The era of the day and its year, from 1873 (Gregorian days); nullptr before. On the first
    // day of 大正 and of 昭和, also the era whose last day it was.
    const EraStart* era = nullptr;
    std::int32_t eraYear = 0;
    const EraStart* formerEra = nullptr;
    std::int32_t formerEraYear = 0;
    // From 1844 to 1872, the 和暦 date of the lunisolar calendar the country kept.
    std::optional<LunisolarEraDate> lunisolarEra;
    bool yearOnly = false;  // before 1844: only the era and year of the historical table
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
    YearSignCount newYearSign{};        // the year's 干支 and 九星 counted from 1 January
    bool earlyBorn = false;             // 早生まれ: 1 January to 1 April
    SchoolYears school{};
    // The lunisolar dates of the day and of the 基準日, 1844 to 2100, and the days of the lunisolar
    // birthday in the 基準日's lunisolar year and the next.
    std::optional<LunisolarDate> lunisolar, referenceLunisolar;
    std::array<std::optional<Date>, 2> lunisolarBirthdays;
    int extraYears = 0;  // 浪人 or 留年 counted into the record
    SchoolRecord schoolRecord{};
    std::array<CustomsOfYear, 2> years{};  // the 基準日's year and the next
    // A life's 厄年 (of one sex or both) and 長寿祝い, each from the next one on, then the past.
    std::vector<UnluckyEntry> unluckyYears;
    std::vector<LongevityEntry> longevity;
};

// The answer, or why there is none (the reason names the box, in Japanese).
struct DateQuery {
    std::optional<DateAnswer> answer;
    std::u16string error;
};

// The day of birth typed as `birthText` on the 基準日 `reference`.
DateQuery answerDate(std::u16string_view birthText, Date reference,
                     const AnswerOptions& options = {});

// The 基準日 typed as `text` through the same reader; a blank text is `today`.
DateParse readReference(std::u16string_view text, Date today);

// The day of birth typed as `birthText` on the day typed as `referenceText` (blank: `today`); a
// reason about the 基準日 begins with its name.
DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today,
                     const AnswerOptions& options = {});

}  // namespace yorvane
