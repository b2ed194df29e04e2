#pragma once
// The nine-star (九星) and the sexagenary sign (干支) of a Western year, with the kana reading
// of the sign and the picture of its animal. Only the year enters: the program does not know
// the day, so a year's star and sign are taken to hold for the whole calendar year.

#include <cstdint>
#include <string_view>

namespace yorvane {

// Fixed-width tables, one entry a slot. Slot 0 belongs to the years divisible by 9, 10 or 12
// (1980 is 二黒土星, 庚 and 申).
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

struct YearSign {
    std::u16string_view nineStar;       // 4 characters
    std::u16string_view stem;           // 1 character
    std::u16string_view branch;         // 1 character
    std::u16string_view stemReading;    // 5 characters, blanks kept
    std::u16string_view branchReading;  // 3 characters, blanks kept
    std::u16string_view picture;
};

// The slot of a year in a table of `period` slots: the floor remainder, so every year, one
// before year 1 as well, falls inside the table.
constexpr std::size_t signSlot(std::int32_t year, int period) {
    return static_cast<std::size_t>(((year % period) + period) % period);
}

constexpr YearSign yearSign(std::int32_t year) {
    const std::size_t star = signSlot(year, 9), stem = signSlot(year, 10),
                      branch = signSlot(year, 12);
    return {kNineStars.substr(star * 4, 4), kStems.substr(stem, 1),
            kBranches.substr(branch, 1),    kStemReadings.substr(stem * 5, 5),
            kBranchTable[branch].reading,   kBranchTable[branch].picture};
}

// The branches in their customary order begin with 子, in slot 4: the i-th is in slot
// branchSlotInOrder(i).
constexpr std::size_t branchSlotInOrder(std::size_t i) { return (i + 4) % kBranches.size(); }

static_assert(yearSign(1980).nineStar == u"二黒土星");
static_assert(yearSign(2015).branchReading == u"ひつじ");
static_assert(kBranches[branchSlotInOrder(0)] == u'子' &&
              kBranches[branchSlotInOrder(11)] == u'亥');

}  // namespace yorvane
