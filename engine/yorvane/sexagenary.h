#pragma once
// The sexagenary calendar: the ten stems (十干) and twelve branches (十二支) that make the cycle
// of sixty (干支), and the nine stars (九星), for the year, the month and the day. Every offset
// of every cycle is here.
//
// A place in the cycle of sixty is 0 for 甲子 to 59 for 癸亥; a star is 1 for 一白水星 to 9 for
// 九紫火星. The year of a sign is the sexagenary year, from 立春 (solar_terms.h finds it for a
// day); the main window and the age table, which know only the year, take the calendar year.

#include <cstdint>
#include <string>
#include <string_view>

#include "yorvane/gregorian.h"

namespace yorvane {

// The offsets of the cycles.
// The year 4, as 1984, began a cycle of sixty (甲子).
inline constexpr std::int32_t kFirstCycleYear = 4;
// Stars count down one a year; the years divisible by 9 (1980) hold 二黒 (2).
inline constexpr int kStarOfYearZero = 2;
// The first month (寅, from 立春) of a 甲 year is 丙寅 (2); the months then follow the cycle.
inline constexpr int kFirstMonthCycle = 2;
// 1970-01-01, day number 0, was a 辛巳 day (17); the days follow the cycle.
inline constexpr int kDayCycleAtEpoch = 17;

// The cycles.
constexpr int yearCycle(std::int32_t year) { return floorMod(year - kFirstCycleYear, 60); }
constexpr int yearStar(std::int32_t year) { return floorMod(kStarOfYearZero - 1 - year, 9) + 1; }
// The month counted from 寅 (0) to 丑 (11) in the sexagenary year `year`.
constexpr int monthCycle(std::int32_t year, int month) {
    return floorMod(12 * std::int64_t{year - kFirstCycleYear} + month + kFirstMonthCycle, 60);
}
// 月命星: the 寅 month's star is 八白 in 子卯午酉 years, 五黄 in 丑辰未戌, 二黒 in 寅巳申亥; then
// one star less each month.
constexpr int monthStar(std::int32_t year, int month) {
    const int first = 8 - 3 * (yearCycle(year) % 12 % 3);
    return floorMod(first - 1 - month, 9) + 1;
}
constexpr int dayCycle(Date d) { return floorMod(dayNumber(d) + kDayCycleAtEpoch, 60); }

// The tables of texts, one entry a slot: the slot of a year in a table of `period` entries is
// the year modulo `period` (the floor remainder, so every year, one before year 1 as well,
// falls inside). Slot 0 holds 1980's 二黒土星, 庚 and 申.
constexpr std::size_t signSlot(std::int32_t year, int period) {
    return static_cast<std::size_t>(floorMod(year, period));
}

// Fixed-width tables.
inline constexpr std::u16string_view kNineStars =
    u"二黒土星一白水星九紫火星八白土星七赤金星六白金星五黄土星四緑木星三碧木星";
inline constexpr std::u16string_view kStems = u"庚辛壬癸甲乙丙丁戊己";
// Each reading padded to 5 characters with ASCII blanks.
inline constexpr std::u16string_view kStemReadings =
    u"かのえ  かのと  みずのえ みずのと きのえ  きのと  ひのえ  ひのと  つちのえ つちのと ";
inline constexpr std::u16string_view kBranches = u"申酉戌亥子丑寅卯辰巳午未";

static_assert(kNineStars.size() == 9 * 4);
static_assert(kStems.size() == 10);
static_assert(kStemReadings.size() == 10 * 5);
static_assert(kBranches.size() == 12);

struct Branch {
    std::u16string_view reading;  // 3 characters, padded with ASCII blanks
    std::u16string_view picture;  // file name in the program folder
};

inline constexpr Branch kBranchTable[12] = {
    {u"さる ", u"saru.jpg"}, {u"とり ", u"tori.jpg"}, {u"いぬ ", u"inu.jpg"},
    {u"い  ", u"i.jpg"},     {u"ね  ", u"ne.jpg"},    {u"うし ", u"ushi.jpg"},
    {u"とら ", u"tora.jpg"}, {u"う  ", u"u.jpg"},     {u"たつ ", u"tatu.jpg"},
    {u"み  ", u"mi.jpg"},    {u"うま ", u"uma.jpg"},  {u"ひつじ", u"hituji.jpg"},
};

// The branches in their customary order begin with 子, in slot 4: the i-th is in slot
// branchSlotInOrder(i).
constexpr std::size_t branchSlotInOrder(std::size_t i) {
    return signSlot(static_cast<std::int32_t>(i) + kFirstCycleYear, 12);
}

// The main window's texts of a year's sign, readings padded as in the tables.
struct YearSign {
    std::u16string_view nineStar;       // 4 characters
    std::u16string_view stem;           // 1 character
    std::u16string_view branch;         // 1 character
    std::u16string_view stemReading;    // 5 characters, blanks kept
    std::u16string_view branchReading;  // 3 characters, blanks kept
    std::u16string_view picture;
};

constexpr YearSign yearSign(std::int32_t year) {
    const std::size_t star = signSlot(year, 9), stem = signSlot(year, 10),
                      branch = signSlot(year, 12);
    return {kNineStars.substr(star * 4, 4), kStems.substr(stem, 1),
            kBranches.substr(branch, 1),    kStemReadings.substr(stem * 5, 5),
            kBranchTable[branch].reading,   kBranchTable[branch].picture};
}

static_assert(yearSign(1980).nineStar == u"二黒土星");
static_assert(kBranches[branchSlotInOrder(0)] == u'子' &&
              kBranches[branchSlotInOrder(11)] == u'亥');

// The texts of a place in the cycle and of a star.
std::u16string cycleName(int cycle);         // "庚申"
std::u16string cycleWithReading(int cycle);  // "庚申（かのえさる）"
std::u16string_view nineStarName(int star);  // "一白水星"

}  // namespace yorvane
