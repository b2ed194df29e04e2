#include "yorvane/dateanswer.h"

#include <iterator>

#include "yorvane/sexagenary.h"
#include "yorvane/text.h"

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
    const Date& d = a.date;
    if (d < kGregorianInJapan) {
        a.yearOnly = true;
        const EraDisplay era = historicalEraDisplay(d.year);
        a.eraDate = era.caption + era.year + (era.year.empty() ? u"" : u"年");
        return;
    }
    const EraStart* era = eraOnDay(d);
    a.eraDate = std::u16string(era->name) + eraYearText(d.year - era->offset()) + u"年" +
                decimal(d.month) + u"月" + decimal(d.day) + u"日";
    if (parsed.era && parsed.era != era) {
        a.erasDiffer = true;
        a.typedEra = std::u16string(parsed.era->name) + eraYearText(parsed.eraYear) + u"年";
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
    const std::int32_t y = a.reference.year;
    a.unluckyThisYear = unluckyYearText(countedAge(d.year, y));
    a.unluckyNextYear = unluckyYearText(countedAge(d.year, y + 1));
    a.longevityThisYear = longevityName(d.year, y, false);
    a.longevityNextYear = longevityName(d.year, y + 1, false);
}

}  // namespace

DateQuery answerDate(std::u16string_view birthText, std::u16string_view referenceText, Date today) {
    const DateParse birth = parseDate(birthText);
    if (!birth.value) return {std::nullopt, birth.error};
    DateAnswer a;
    a.reference = today;
    if (referenceText.find_first_not_of(u" \u3000") != std::u16string_view::npos) {
        const DateParse ref = parseDate(referenceText);
        if (!ref.value) return {std::nullopt, std::u16string(u"基準日：").append(ref.error)};
        a.reference = ref.value->date;
    }
    a.date = birth.value->date;
    setEraDate(a, *birth.value);
    setAges(a);
    setSexagenary(a);
    setYearsOfLife(a);
    return {a, {}};
}

std::u16string momentText(const Moment& m) {
    return dateText(m.date) + u" " + decimal(m.hour) + u":" + (m.minute < 10 ? u"0" : u"") +
           decimal(m.minute);
}

namespace {

std::u16string yearMonth(std::int32_t year, int month) {
    return decimal(year) + u"年" + decimal(month) + u"月";
}

// "2026年 男 本厄 ／ 2027年 なし"
std::u16string thisAndNext(std::int32_t year, std::u16string_view now, std::u16string_view next) {
    const auto part = [](std::u16string_view s) {
        return s.empty() ? std::u16string(u"なし") : std::u16string(s);
    };
    return decimal(year) + u"年 " + part(now) + u" ／ " + decimal(year + 1) + u"年 " + part(next);
}

constexpr std::size_t kEraDateLine = 1;  // shown red when the typed era did not hold
static_assert(kAnswerLabels[kEraDateLine] == u"和暦");

std::u16string ageText(const DateAnswer& a, std::int32_t age) {
    return a.beforeBirth ? std::u16string(u"生まれる前") : decimal(age) + u"歳";
}

}  // namespace

std::vector<AnswerLine> answerLines(const DateAnswer& a) {
    const Date& d = a.date;
    const std::u16string none = u"（なし）";
    std::u16string values[] = {
        dateText(d) + u"（" + std::u16string(kWeekdays.substr(weekday(d), 1)) + u"）",
        a.eraDate.empty() ? none : a.eraDate,
        ageText(a, a.fullAge),
        ageText(a, a.countedAge),
        decimal(a.daysToBirthday) + u"日",
        cycleWithReading(yearCycle(a.signYear)),
        std::u16string(nineStarName(yearStar(a.signYear))),
        a.springStart ? momentText(*a.springStart) : std::u16string(u"（1873年〜2100年のみ）"),
        a.monthCycle ? cycleWithReading(*a.monthCycle) : none,
        a.monthStar ? std::u16string(nineStarName(*a.monthStar)) : none,
        cycleWithReading(a.dayCycle),
        a.earlyBorn ? u"はい" : u"いいえ",
        yearMonth(a.school.elementaryEntry, 4),
        yearMonth(a.school.juniorHighEntry, 4),
        yearMonth(a.school.highEntry, 4),
        yearMonth(a.school.highGraduation, 3),
        yearMonth(a.school.collegeGraduation, 3),
        yearMonth(a.school.universityGraduation, 3),
        thisAndNext(a.reference.year, a.unluckyThisYear, a.unluckyNextYear),
        thisAndNext(a.reference.year, a.longevityThisYear, a.longevityNextYear),
    };
    static_assert(std::size(values) == std::size(kAnswerLabels));
    std::vector<AnswerLine> lines;
    lines.reserve(std::size(values));
    for (std::size_t i = 0; i < std::size(values); ++i)
        lines.push_back(
            {kAnswerLabels[i], std::move(values[i]), i == kEraDateLine && a.erasDiffer});
    return lines;
}

std::vector<std::u16string> answerNotes(const DateAnswer& a) {
    std::vector<std::u16string> notes;
    if (a.erasDiffer)
        notes.push_back(a.typedEra + decimal(a.date.month) + u"月" + decimal(a.date.day) +
                        u"日はありません。この日は" + a.eraDate + u"です。");
    if (a.yearOnly)
        notes.push_back(
            u"1872年までの和暦の月日は旧暦（太陰太陽暦）のもので西暦の月日と違うため、"
            u"元号と年だけを示します。");
    if (!a.springStart)
        notes.push_back(
            u"立春と節入りは1873年から2100年の分だけです。この日の干支と九星は元日で切り替えて"
            u"います。");
    if (a.beforeBirth) notes.push_back(u"基準日が生まれた日より前です。");
    return notes;
}

}  // namespace yorvane
