#include "yorvane/dateanswer.h"

#include <iterator>

#include "yorvane/eras.h"
#include "yorvane/sign.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {

constexpr int floorMod(std::int64_t a, int m) { return static_cast<int>((a % m + m) % m); }

// 1984 is 甲子, the first of the cycle; its 寅 month is 丙寅 (2).
constexpr std::int32_t kCycleStartYear = 1984;
// 2000-01-01 was a 戊午 day (54): its day number 10957 plus 17 is 54 modulo 60.
constexpr int kDayCycleShift = 17;
static_assert(floorMod(dayNumber({2000, 1, 1}) + kDayCycleShift, 60) == 54);

// The day on which a year of age is reached in year `y`: the birthday, or for one born on
// 29 February the 1 March of a common year (the age is reached at the end of 28 February).
Date birthdayIn(Date birth, std::int32_t y) {
    if (birth.month == 2 && birth.day == 29 && !isLeapYear(y)) return {y, 3, 1};
    return {y, birth.month, birth.day};
}

void setAges(DateAnswer& a) {
    const Date& d = a.date;
    const Date& ref = a.reference;
    a.beforeBirth = ref < d;
    if (a.beforeBirth) {
        a.daysToBirthday = dayNumber(d) - dayNumber(ref);
        return;
    }
    const Date thisYear = birthdayIn(d, ref.year);
    const bool reached = thisYear <= ref;
    a.fullAge = ref.year - d.year - (reached ? 0 : 1);
    a.countedAge = countedAge(d.year, ref.year);
    const Date next = ref <= thisYear ? thisYear : birthdayIn(d, ref.year + 1);
    a.daysToBirthday = dayNumber(next) - dayNumber(ref);
}

void setWareki(DateAnswer& a, const ParsedDate& parsed) {
    const Date& d = a.date;
    if (d < kGregorianInJapan) {
        a.yearOnly = true;
        const EraDisplay era = historicalEraDisplay(d.year);
        a.wareki = era.caption + era.year + (era.year.empty() ? u"" : u"年");
        return;
    }
    const EraStart* era = eraOnDay(d);
    const std::int32_t n = d.year - era->offset();
    const auto yearText = [](std::int32_t y) {
        return y == 1 ? std::u16string(u"元") : decimal(y);
    };
    a.wareki = std::u16string(era->name) + yearText(n) + u"年" + decimal(d.month) + u"月" +
               decimal(d.day) + u"日";
    if (parsed.era && parsed.era != era) {
        a.erasDiffer = true;
        a.typedEra = std::u16string(parsed.era->name) + yearText(parsed.eraYear) + u"年";
    }
}

void setSexagenary(DateAnswer& a) {
    const std::optional<SekkiPlace> place = sekkiPlace(a.date);
    a.signYear = place ? place->year : a.date.year;
    if (a.date.year >= kSekkiFirstYear) a.risshun = sekkiMoment(a.date.year, Risshun);
    a.dayCycle = floorMod(dayNumber(a.date) + kDayCycleShift, 60);
    if (!place) return;
    a.monthCycle =
        floorMod(12 * std::int64_t{place->year - kCycleStartYear} + place->month + 2, 60);
    // The 寅 month's star: 八白 in 子卯午酉 years, 五黄 in 丑辰未戌, 二黒 in 寅巳申亥; then one
    // star less each month.
    const int branch = floorMod(place->year - 4, 12);  // 子 = 0
    const int first = 8 - 3 * (branch % 3);
    a.monthStar = floorMod(first - 1 - place->month, 9) + 1;
}

void setYearsOfLife(DateAnswer& a) {
    const Date& d = a.date;
    a.earlyBorn = d.month < 4 || (d.month == 4 && d.day == 1);
    a.school = schoolYears(d.year, a.earlyBorn);
    const std::int32_t y = a.reference.year;
    a.yakuThisYear = yakuText(countedAge(d.year, y));
    a.yakuNextYear = yakuText(countedAge(d.year, y + 1));
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
    setWareki(a, *birth.value);
    setAges(a);
    setSexagenary(a);
    setYearsOfLife(a);
    return {a, {}};
}

std::u16string cycleName(int cycle) {
    // The year 4 + n holds place n of the cycle (1984, 甲子, is 0).
    const YearSign s = yearSign(cycle + 4);
    return std::u16string(s.stem) + std::u16string(s.branch);
}

std::u16string cycleWithReading(int cycle) { return signWithReading(cycle + 4); }

std::u16string_view nineStarName(int star) {
    // The stars' table starts at 二黒 and counts down: slot (11 - star) mod 9.
    return kNineStars.substr(static_cast<std::size_t>(floorMod(11 - star, 9)) * 4, 4);
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

constexpr std::size_t kWarekiLine = 1;  // shown red when the typed era did not hold
static_assert(kAnswerLabels[kWarekiLine] == u"和暦");

std::u16string ageText(const DateAnswer& a, std::int32_t age) {
    return a.beforeBirth ? std::u16string(u"生まれる前") : decimal(age) + u"歳";
}

}  // namespace

std::vector<AnswerLine> answerLines(const DateAnswer& a) {
    const Date& d = a.date;
    const std::u16string none = u"（なし）";
    std::u16string values[] = {
        dateText(d) + u"（" + std::u16string(kWeekdays.substr(weekday(d), 1)) + u"）",
        a.wareki.empty() ? none : a.wareki,
        ageText(a, a.fullAge),
        ageText(a, a.countedAge),
        decimal(a.daysToBirthday) + u"日",
        signWithReading(a.signYear),
        std::u16string(yearSign(a.signYear).nineStar),
        a.risshun ? momentText(*a.risshun) : std::u16string(u"（1873年〜2100年のみ）"),
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
        thisAndNext(a.reference.year, a.yakuThisYear, a.yakuNextYear),
        thisAndNext(a.reference.year, a.longevityThisYear, a.longevityNextYear),
    };
    static_assert(std::size(values) == std::size(kAnswerLabels));
    std::vector<AnswerLine> lines;
    lines.reserve(std::size(values));
    for (std::size_t i = 0; i < std::size(values); ++i)
        lines.push_back({kAnswerLabels[i], std::move(values[i]), i == kWarekiLine && a.erasDiffer});
    return lines;
}

std::vector<std::u16string> answerNotes(const DateAnswer& a) {
    std::vector<std::u16string> notes;
    if (a.erasDiffer)
        notes.push_back(a.typedEra + decimal(a.date.month) + u"月" + decimal(a.date.day) +
                        u"日はありません。この日は" + a.wareki + u"です。");
    if (a.yearOnly)
        notes.push_back(
            u"1872年までの和暦の月日は旧暦（太陰太陽暦）のもので西暦の月日と違うため、"
            u"元号と年だけを示します。");
    if (!a.risshun)
        notes.push_back(
            u"立春と節入りは1873年から2100年の分だけです。この日の干支と九星は元日で切り替えて"
            u"います。");
    if (a.beforeBirth) notes.push_back(u"基準日が生まれた日より前です。");
    return notes;
}

}  // namespace yorvane
