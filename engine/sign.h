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
    {u"い  ", u"i.jpg"},     {u"ね  ", u"ne.jpg"},     {u"うし ", u"ushi.jpg"},
    {u"とら ", u"tora.jpg"}, {u"う  ", u"u.jpg"},      {u"たつ ", u"tatu.jpg"},
    {u"み  ", u"mi.jpg"},    {u"うま ", u"uma.jpg"},   {u"ひつじ", u"hituji.jpg"},
};

struct YearSign {
    int kyuseiIdx;                  // [0, 8]
    int jikkanIdx;                  // [0, 9]
    int junishiIdx;                 // [0, 11]
    std::u16string_view kyuseiText;   // 4 characters
    std::u16string_view jikkanText;   // 1 character
    std::u16string_view junishiText;  // 1 character
    std::u16string_view jikkanKana;   // 5 characters, blanks kept
    std::u16string_view junishiKana;  // 3 characters, blanks kept
    std::u16string_view picture;
};

// The year is 0 or more: the recalculation empties every input below 1 before it gets here.
constexpr YearSign yearSign(std::int32_t year) {
    // Floor remainders keep a negative year inside the tables all the same.
    const auto mod = [](std::int32_t y, int m) { return static_cast<int>(((y % m) + m) % m); };
    YearSign s{};
    s.kyuseiIdx = mod(year, 9);
    s.jikkanIdx = mod(year, 10);
    s.junishiIdx = mod(year, 12);
    s.kyuseiText = kNineStars.substr(static_cast<std::size_t>(s.kyuseiIdx) * 4, 4);
    s.jikkanText = kStems.substr(static_cast<std::size_t>(s.jikkanIdx), 1);
    s.jikkanKana = kStemReadings.substr(static_cast<std::size_t>(s.jikkanIdx) * 5, 5);
    s.junishiText = kBranches.substr(static_cast<std::size_t>(s.junishiIdx), 1);
    s.junishiKana = kBranchTable[s.junishiIdx].reading;
    s.picture = kBranchTable[s.junishiIdx].picture;
    return s;
}

static_assert(yearSign(1980).kyuseiText == u"二黒土星");
static_assert(yearSign(2015).junishiKana == u"ひつじ");

}  // namespace yorvane
