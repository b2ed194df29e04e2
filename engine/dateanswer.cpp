#include "yorvane/dateanswer.h"

#include <algorithm>

#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {

void setAges(DateAnswer& a) {
    const Date& d = a.date;
    const Date& ref = a.reference;
    a.beforeBirth = ref < d;
    if (a.beforeBirth) {
        a.daysToBirthday = dayNumber(d) - dayNumber(ref);
        return;
    }
    a.fullAge = fullAgeOn(d, ref);
    a.countedAge = countedAge(d.year, ref.year);
    a.daysToBirthday = dayNumber(nextBirthday(d, ref)) - dayNumber(ref);
}

void setEraDate(DateAnswer& a, const ParsedDate& parsed) {
    if (a.date < kGregorianInJapan) {
        a.lunisolarEra = lunisolarEraDate(a.date);
        a.yearOnly = !a.lunisolarEra;
        return;
    }
    const ErasOfYear names = erasOfDay(a.date);
    a.era = eraOnDay(a.date);
    a.eraYear = a.date.year - a.era->offset();
    if (names.count == 2) {
        a.formerEra = a.era - 1;
        a.formerEraYear = names.eras[0].number;
    }
    if (parsed.era && parsed.era != a.era) {
        a.typedEra = parsed.era;
        a.typedEraYear = parsed.eraYear;
    }
}

void setSexagenary(DateAnswer& a) {
    const std::optional<SexagenaryMonth> place = sexagenaryMonth(a.date);
    a.signYear = place ? place->year : a.date.year;
    if (a.date.year >= kSolarTermFirstYear)
        a.springStart = solarTermMoment(a.date.year, StartOfSpring);
    a.dayCycle = dayCycle(a.date);
    a.newYearSign = yearSignCounts(a.date).fromNewYear;
    if (!place) return;
    a.monthCycle = monthCycle(place->year, place->month);
    a.monthStar = monthStar(place->year, place->month);
}

void setYearsOfLife(DateAnswer& a) {
    const Date& d = a.date;
    a.earlyBorn = isEarlyBorn(d);
    a.school = schoolYears(d.year, a.earlyBorn);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(a.years.size()); ++i) {
        const std::int32_t y = a.reference.year + i;
        a.years[i] = {y, countedAge(d.year, y), longevityName(d.year, y, false)};
    }
}

// The entries of a life's list from the first in `year` or later, then the ones before.
template <class Entries>
Entries nextFirst(Entries list, std::int32_t year) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& x, const auto& y) { return x.year < y.year; });
    const auto next = static_cast<std::ptrdiff_t>(firstFromYear(list, year));
    std::rotate(list.begin(), list.begin() + next, list.end());
    return list;
}

void setLife(DateAnswer& a, const AnswerOptions& options) {
    a.extraYears = std::clamp(options.extraYears, 0, kMaxExtraYears);
    a.schoolRecord = schoolRecord(a.date, a.extraYears);
    for (const Sex sex : {Sex::Male, Sex::Female}) {
        if (options.sex && *options.sex != sex) continue;
        const std::vector<UnluckyEntry> list = lifeUnluckyYears(a.date.year, sex);
        a.unluckyYears.insert(a.unluckyYears.end(), list.begin(), list.end());
    }
    a.unluckyYears = nextFirst(std::move(a.unluckyYears), a.reference.year);
    a.longevity = nextFirst(lifeLongevity(a.date.year, false), a.reference.year);
}

void setLunisolar(DateAnswer& a) {
    a.lunisolar = lunisolarDate(a.date);
    a.referenceLunisolar = lunisolarDate(a.reference);
    if (!a.lunisolar) return;
    for (std::int32_t i = 0; i < 2; ++i)
        a.lunisolarBirthdays[i] = lunisolarBirthday(*a.lunisolar, a.reference.year + i);
}

DateAnswer answerFor(const ParsedDate& birth, Date reference, const AnswerOptions& options) {
    DateAnswer a;
    a.reference = reference;
    a.date = birth.date;
    setEraDate(a, birth);
    setAges(a);
    setSexagenary(a);
    setYearsOfLife(a);
    setLife(a, options);
    setLunisolar(a);
    return a;
}

}  // namespace

DateQuery answerDate(std::u16string_view birthText, Date reference, const AnswerOptions& options) {
    const DateParse birth = parseDate(birthText);
    if (!birth.value) return {std::nullopt, birth.error};
    return {answerFor(*birth.value, reference, options), {}};
}

DateParse readReference(std::u16string_view text, Date today) {
    if (text.find_first_not_of(u" \u3000") == std::u16string_view::npos)
        return {ParsedDate{today}, {}};
    return parseDate(text);
}

DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today,
                     const AnswerOptions& options) {
    const DateParse birth = parseDate(birthText);
    if (!birth.value) return {std::nullopt, birth.error};
    const DateParse ref = readReference(referenceText, today);
    if (!ref.value) return {std::nullopt, std::u16string(u"基準日：").append(ref.error)};
    return {answerFor(*birth.value, ref.value->date, options), {}};
}

}  // namespace yorvane
