#pragma once
// The figure beside the year of birth: the age on this year's birthday or in a designated year,
// or, for a year before 1900, how many years ago it was. The arithmetic is the same; only the
// wording changes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yorvane {

struct Wording {
    std::u16string_view frame;    // Frame1
    std::u16string_view option1;  // Option1
    std::u16string_view option2;  // Option2
    std::u16string_view unit;     // Label11
};

inline constexpr Wording kAgeWording{u"何歳？", u"今年の誕生日で", u"下記の年では", u"歳"};
inline constexpr Wording kYearsAgoWording{u"何年前？", u"今年の", u"下記の年の", u"年前"};

// Years of birth from 1 to 1899 are worded as years ago; 0 (no year) and 1900 on as an age.
constexpr const Wording& wordingFor(std::int32_t seirekiNen) {
    return seirekiNen >= 1 && seirekiNen <= 1899 ? kYearsAgoWording : kAgeWording;
}

// The designated year as a Western year, in decimal digits, when `label12` names one of the
// five eras; nullopt for any other caption (the caller keeps what it had). Computed in 64 bits,
// so no era offset can wrap a large number around.
std::optional<std::u16string> resolveDesignatedYear(std::u16string_view label12,
                                                    std::int32_t shiteiNen);

// The age on this year's birthday: the current year minus the year of birth.
std::u16string thisYearFigure(std::int32_t currentYear, std::int32_t seirekiNen);

// The age in the designated year. Empty while there is no designated year: an empty field, or
// a caption of the era label that never resolved.
std::u16string designatedFigure(std::u16string_view shiteiSeireki,
                                std::u16string_view shiteiText, std::int32_t seirekiNen);

// A negative figure (born after the reference year) is shown in red.
bool figureIsNegative(std::u16string_view figureCaption);

// A designated year past its era's end (昭和 65, 大正 16, 明治 46 ...) is shown in red.
bool designatedYearPastEnd(std::u16string_view label12, std::int32_t shiteiNen);

// What the small label under the designated year shows: its Western year, but nothing for no
// year or when the year is already counted in 西暦.
std::u16string designatedWesternCaption(std::u16string_view label12, std::int32_t shiteiNen,
                                        std::u16string_view shiteiSeireki);

}  // namespace yorvane
