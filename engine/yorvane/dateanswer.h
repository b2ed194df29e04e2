#pragma once
// Everything the program tells about a day of birth on a reference day (基準日): the day in
// both calendars, both counts of age, the days to the next birthday, the sign and the
// nine-star of its year by 立春, of its month by 節入り, the sign of the day, the years of school
// with 早生まれ decided by the day, and 厄年 and 長寿祝い this year and next.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "yorvane/customs.h"
#include "yorvane/date.h"
#include "yorvane/solar_terms.h"

namespace yorvane {

struct DateAnswer {
    Date date;               // the day named, in the Western calendar
    Date reference;          // the 基準日
    std::u16string eraDate;  // 昭和55年3月4日; the era and year alone before 1873; empty before 645
    bool erasDiffer = false;   // the text named an era the day was not in (昭和64年1月8日)
    std::u16string typedEra;   // that era and its year as typed, "昭和64年"
    bool yearOnly = false;     // before 1873: the month and day were the lunisolar calendar's
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
    std::u16string unluckyThisYear, unluckyNextYear;           // the age table's 厄年 texts
    std::u16string_view longevityThisYear, longevityNextYear;  // in 数え年, as the table
};

// The answer, or why there is none (the reason names the box, in Japanese).
struct DateQuery {
    std::optional<DateAnswer> answer;
    std::u16string error;
};

// The day of birth typed as `birthText` on the day typed as `referenceText`; an empty
// reference text is `today`.
DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today);

// "1980年2月5日 0:10"
std::u16string momentText(const Moment& m);

// The labels of the lines of an answer, in their order.
inline constexpr std::u16string_view kAnswerLabels[] = {
    u"西暦",     u"和暦",           u"満年齢",     u"数え年",     u"次の誕生日まで",
    u"干支",     u"九星",           u"立春",       u"月干支",     u"月命星",
    u"日干支",   u"早生まれ",       u"小学校入学", u"中学校入学", u"高校入学",
    u"高校卒業", u"短大・専門卒業", u"大学卒業",   u"厄年",       u"長寿祝い",
};

// One line of what the window and the command line show: a label and its value, red for a
// 和暦 date that does not exist.
struct AnswerLine {
    std::u16string_view label;
    std::u16string value;
    bool red = false;
};
std::vector<AnswerLine> answerLines(const DateAnswer& a);

// Remarks that hold for this answer (before 1873, outside the table of 節, an era that did not
// hold on the day), one line each.
std::vector<std::u16string> answerNotes(const DateAnswer& a);

}  // namespace yorvane
