#pragma once
// The wording of the figure beside the year of birth: the age on this year's birthday or in a
// designated year, or, for a year before 1900, how many years ago it was. The arithmetic is the
// same (the figure is computed with the rest of the window, yorvane/view.h); only the wording
// changes.

#include <cstdint>
#include <string_view>

namespace yorvane {

// The captions that name the figure: the age box's title, the two reference buttons and the
// unit after the figure.
struct Wording {
    std::u16string_view title;
    std::u16string_view thisYear;
    std::u16string_view designatedYear;
    std::u16string_view unit;
};

inline constexpr Wording kAgeWording{u"何歳？", u"今年の誕生日で", u"下記の年では", u"歳"};
inline constexpr Wording kYearsAgoWording{u"何年前？", u"今年の", u"下記の年の", u"年前"};

// Years of birth from 1 to 1899 are worded as years ago; 0 (no year) and 1900 on as an age.
constexpr const Wording& wordingFor(std::int32_t birthYear) {
    return birthYear >= 1 && birthYear <= 1899 ? kYearsAgoWording : kAgeWording;
}

}  // namespace yorvane
