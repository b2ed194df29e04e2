#pragma once
// The figure beside the year of birth: the age on this year's birthday or in a designated year,
// or, for a year before 1900, how many years ago it was. The arithmetic is the same; only the
// wording changes. Also the designated year itself: its number, its era and its Western year.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/eras.h"

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

// The figure as shown, red when it is negative (born after the reference year).
struct Figure {
    std::u16string text;
    bool negative = false;
};

// The age on this year's birthday: the current year minus the year of birth.
Figure thisYearFigure(std::int32_t currentYear, std::int32_t birthYear);

// The age in the designated year. Empty while there is no designated year: an empty box, or
// an era caption that never resolved.
Figure designatedFigure(std::u16string_view designatedWestern, std::u16string_view designatedText,
                        std::int32_t birthYear);

// What the designated year is read from.
struct DesignatedInput {
    std::u16string_view text;         // what the designated-year box holds
    std::optional<Era> era;           // nullopt for a caption that names no era ("ERROR")
    std::u16string_view keptWestern;  // the Western year found before: kept under such a caption
    bool isReference = false;         // the figure counts to the designated year
    std::int32_t birthYear = 0;       // the Western year of birth, 0 for none
};

struct DesignatedYear {
    bool emptyText = false;   // the number is below 1: the box is emptied
    std::optional<Era> era;   // switched to 西暦 for a number above 100
    std::u16string western;   // the Western year in decimal digits
    std::u16string caption;   // under the box: the Western year, nothing for no year or 西暦
    bool pastEraEnd = false;  // 昭和 65, 大正 16, 明治 46 ...: the number is red
    // The figure when the designated year decides it: the designated figure while it is the
    // reference, an empty figure for an empty box, otherwise nullopt (the figure stands).
    std::optional<Figure> figure;
};

// One designated year: a number below 1 empties the box, a number above 100 is a Western year,
// the Western year is computed in 64 bits so that no era offset can wrap a large number around.
DesignatedYear designatedYear(const DesignatedInput& in);

}  // namespace yorvane
