#include "yorvane/agetable.h"

#include "yorvane/customs.h"
#include "yorvane/sexagenary.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {

constexpr std::u16string_view kColumnTitles[kAgeColumnCount] = {
    u"西暦",       u"和暦",     u"皇紀",     u"干支",           u"九星",
    u"満年齢",     u"数え年",   u"厄年",     u"長寿祝い",       u"小学校入学",
    u"中学校入学", u"高校入学", u"高校卒業", u"短大・専門卒業", u"大学卒業",
};

}  // namespace

std::u16string eraYearsText(std::int32_t year) {
    std::u16string text;
    const ErasOfYear eras = erasInYear(year);
    for (std::size_t i = 0; i < eras.count; ++i) {
        if (i > 0) text += u" / ";
        text += eras.eras[i].name;
        text += eraYearText(eras.eras[i].number);
    }
    return text;
}

std::u16string_view ageColumnTitle(int column) {
    if (column < 0 || column >= kAgeColumnCount) return {};
    return kColumnTitles[column];
}

bool ageColumnIsNumber(int column) {
    switch (static_cast<AgeColumn>(column)) {
        case AgeColumn::EraYears:
        case AgeColumn::Sign:
        case AgeColumn::NineStar:
        case AgeColumn::UnluckyYear:
        case AgeColumn::Longevity: return false;
        default: return column >= 0 && column < kAgeColumnCount;
    }
}

AgeTableRow ageTableRow(std::int32_t birth, const AgeTableOptions& options) {
    AgeTableRow row;
    const std::int32_t ref = options.reference;
    const SchoolYears school = schoolYears(birth, options.earlyBorn);
    row[AgeColumn::Western] = decimal(birth);
    row[AgeColumn::EraYears] = eraYearsText(birth);
    row[AgeColumn::Imperial] = decimal(imperialYear(birth));
    row[AgeColumn::Sign] = cycleWithReading(yearCycle(birth));
    row[AgeColumn::NineStar] = std::u16string(nineStarName(yearStar(birth)));
    row[AgeColumn::FullAge] = decimal(fullAge(birth, ref));
    row[AgeColumn::CountedAge] = decimal(countedAge(birth, ref));
    row[AgeColumn::UnluckyYear] = unluckyYearText(countedAge(birth, ref));
    row[AgeColumn::Longevity] =
        std::u16string(longevityName(birth, ref, options.longevityInFullAge));
    row[AgeColumn::ElementaryEntry] = decimal(school.elementaryEntry);
    row[AgeColumn::JuniorHighEntry] = decimal(school.juniorHighEntry);
    row[AgeColumn::HighEntry] = decimal(school.highEntry);
    row[AgeColumn::HighGraduation] = decimal(school.highGraduation);
    row[AgeColumn::CollegeGraduation] = decimal(school.collegeGraduation);
    row[AgeColumn::UniversityGraduation] = decimal(school.universityGraduation);
    return row;
}

}  // namespace yorvane
