#include "yorvane/school.h"

#include <algorithm>

#include "yorvane/text.h"

namespace yorvane {

SchoolRecord schoolRecord(Date birth, int extraYears) {
    const std::int32_t b = isEarlyBorn(birth) ? birth.year - 1 : birth.year;
    const int extra = std::clamp(extraYears, 0, kMaxExtraYears);
    SchoolRecord record{};
    for (std::size_t i = 0; i < kSchoolRows.size(); ++i) {
        const SchoolRow& r = kSchoolRows[i];
        SchoolEntry& e = record[i];
        e.school = r.school;
        e.event = r.event;
        e.year = b + r.yearsAfterBirth + (r.school > School::High ? extra : 0);
        e.month = r.month;
        const Date first{e.year, e.month, 1};
        e.era = first < kGregorianInJapan ? nullptr : eraOnDay(first);
        e.eraYear = e.era ? e.year - e.era->offset() : 0;
    }
    return record;
}

std::u16string_view schoolName(School school) {
    switch (school) {
        case School::Elementary: return u"小学校";
        case School::JuniorHigh: return u"中学校";
        case School::High: return u"高校";
        case School::College: return u"短大・専門";
        case School::University: return u"大学";
        case School::Master: return u"大学院 修士課程";
        case School::Doctor: return u"大学院 博士課程";
    }
    return {};
}

std::u16string_view schoolEventName(SchoolEvent event) {
    switch (event) {
        case SchoolEvent::Entry: return u"入学";
        case SchoolEvent::Graduation: return u"卒業";
        case SchoolEvent::Completion: return u"修了";
    }
    return {};
}

std::u16string schoolMonthText(const SchoolEntry& entry, ResumeCalendar calendar) {
    const std::u16string month = decimal(entry.month) + u"月";
    if (calendar == ResumeCalendar::Japanese && entry.era)
        return std::u16string(entry.era->name) + eraYearText(entry.eraYear) + u"年" + month;
    return decimal(entry.year) + u"年" + month;
}

std::u16string resumeLine(const SchoolEntry& entry, ResumeCalendar calendar) {
    return schoolMonthText(entry, calendar) + u" " + std::u16string(schoolName(entry.school)) +
           u" " + std::u16string(schoolEventName(entry.event));
}

}  // namespace yorvane
