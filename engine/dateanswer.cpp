#include "yorvane/dateanswer.h"

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
        a.yearOnly = true;
        return;
    }
    a.era = eraOnDay(a.date);
    a.eraYear = a.date.year - a.era->offset();
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

DateAnswer answerFor(const ParsedDate& birth, Date reference) {
    DateAnswer a;
    a.reference = reference;
    a.date = birth.date;
    setEraDate(a, birth);
    setAges(a);
    setSexagenary(a);
    setYearsOfLife(a);
    return a;
}

}  // namespace

DateQuery answerDate(std::u16string_view birthText, Date reference) {
    const DateParse birth = parseDate(birthText);
    if (!birth.value) return {std::nullopt, birth.error};
    return {answerFor(*birth.value, reference), {}};
}

DateParse readReference(std::u16string_view text, Date today) {
    if (text.find_first_not_of(u" \u3000") == std::u16string_view::npos)
        return {ParsedDate{today}, {}};
    return parseDate(text);
}

DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today) {
    const DateParse birth = parseDate(birthText);
    if (!birth.value) return {std::nullopt, birth.error};
    const DateParse ref = readReference(referenceText, today);
    if (!ref.value) return {std::nullopt, std::u16string(u"基準日：").append(ref.error)};
    return {answerFor(*birth.value, ref.value->date), {}};
}

}  // namespace yorvane
