#pragma once
// The years of school: 早生まれ, the one table of the months each school is entered and left,
// the age table's columns of years and the lines of a résumé's 学歴.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "yorvane/eras.h"
#include "yorvane/gregorian.h"

namespace yorvane {

// 早生まれ (born from 1 January to 1 April) starts school with the children born the year
// before: a child enters in the April after turning 6, and the age is reached at the end of the
// day before the birthday, so one born on 1 April is 6 on 31 March.
constexpr bool isEarlyBorn(Date birth) {
    return birth.month < 4 || (birth.month == 4 && birth.day == 1);
}

// The schools and what a résumé says of each, in their order.
enum class School : std::uint8_t {
    Elementary,
    JuniorHigh,
    High,
    College,
    University,
    Master,
    Doctor
};
enum class SchoolEvent : std::uint8_t { Entry, Graduation, Completion };  // 入学, 卒業, 修了

// One line of the school record: the school, the event, the years after the school year of
// birth (the year of birth, the year before for 早生まれ) and the month.
struct SchoolRow {
    School school;
    SchoolEvent event;
    std::int32_t yearsAfterBirth;
    int month;
};

inline constexpr int kSchoolEntryMonth = 4;
inline constexpr int kSchoolLeavingMonth = 3;

// The record of one who goes through every school without a pause, oldest first. 短大・専門 is
// two years after 高校, 大学 four, 大学院 修士課程 two more and 博士課程 three after that.
inline constexpr std::array<SchoolRow, 10> kSchoolRows{{
    {School::Elementary, SchoolEvent::Entry, 7, kSchoolEntryMonth},
    {School::Elementary, SchoolEvent::Graduation, 13, kSchoolLeavingMonth},
    {School::JuniorHigh, SchoolEvent::Entry, 13, kSchoolEntryMonth},
    {School::JuniorHigh, SchoolEvent::Graduation, 16, kSchoolLeavingMonth},
    {School::High, SchoolEvent::Entry, 16, kSchoolEntryMonth},
    {School::High, SchoolEvent::Graduation, 19, kSchoolLeavingMonth},
    {School::College, SchoolEvent::Graduation, 21, kSchoolLeavingMonth},
    {School::University, SchoolEvent::Graduation, 23, kSchoolLeavingMonth},
    {School::Master, SchoolEvent::Completion, 25, kSchoolLeavingMonth},
    {School::Doctor, SchoolEvent::Completion, 28, kSchoolLeavingMonth},
}};

constexpr std::int32_t schoolYearsAfterBirth(School school, SchoolEvent event) {
    for (const SchoolRow& r : kSchoolRows)
        if (r.school == school && r.event == event) return r.yearsAfterBirth;
    return 0;
}

// The age table's years of school.
struct SchoolYears {
    std::int32_t elementaryEntry;       // 小学校入学
    std::int32_t juniorHighEntry;       // 中学校入学
    std::int32_t highEntry;             // 高校入学
    std::int32_t highGraduation;        // 高校卒業
    std::int32_t collegeGraduation;     // 短大・専門卒業 (two years)
    std::int32_t universityGraduation;  // 大学卒業
    friend constexpr bool operator==(const SchoolYears&, const SchoolYears&) = default;
};
constexpr SchoolYears schoolYears(std::int32_t birthYear, bool earlyBorn) {
    const std::int32_t b = earlyBorn ? birthYear - 1 : birthYear;
    const auto at = [b](School s, SchoolEvent e) { return b + schoolYearsAfterBirth(s, e); };
    return {at(School::Elementary, SchoolEvent::Entry),
            at(School::JuniorHigh, SchoolEvent::Entry),
            at(School::High, SchoolEvent::Entry),
            at(School::High, SchoolEvent::Graduation),
            at(School::College, SchoolEvent::Graduation),
            at(School::University, SchoolEvent::Graduation)};
}

// 浪人 or 留年: years between 高校卒業 and the schools after it, 0 to kMaxExtraYears.
inline constexpr int kMaxExtraYears = 5;

// One line of a résumé's 学歴: the school, the event, the month, and the era and its year in
// force on the first of that month (2019年4月 is 平成31年4月; 令和 began on 1 May). `era` is
// nullptr for a month before 1873, whose 和暦 months were the lunisolar calendar's.
struct SchoolEntry {
    School school;
    SchoolEvent event;
    std::int32_t year;
    int month;
    const EraStart* era;
    std::int32_t eraYear;
};
using SchoolRecord = std::array<SchoolEntry, kSchoolRows.size()>;

// The 学歴 of one born on `birth`, with `extraYears` (clamped to 0 .. kMaxExtraYears) of 浪人 or
// 留年 added to every school after 高校卒業.
SchoolRecord schoolRecord(Date birth, int extraYears);

// "小学校", "大学院 修士課程"; "入学", "卒業", "修了".
std::u16string_view schoolName(School school);
std::u16string_view schoolEventName(SchoolEvent event);

// The month as a résumé writes it: "平成4年4月" (the 西暦 form when it has no era), "1992年4月".
enum class ResumeCalendar : std::uint8_t { Japanese, Western };
std::u16string schoolMonthText(const SchoolEntry& entry, ResumeCalendar calendar);
// "平成4年4月 小学校 入学", "1992年4月 小学校 入学": one line of the copy in 履歴書 form.
std::u16string resumeLine(const SchoolEntry& entry, ResumeCalendar calendar);

}  // namespace yorvane
