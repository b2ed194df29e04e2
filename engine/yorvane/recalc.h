#pragma once
// One recalculation of the main window, on plain values: what the window reads when the text of
// the birth-year box changes, and everything the run writes back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/age.h"
#include "yorvane/eras.h"

namespace yorvane {

struct RecalcInput {
    std::u16string_view birthYearText;  // what the birth-year box holds
    std::optional<Era> era;             // the era list's selection; none before start-up
    DesignatedInput designated;         // its birthYear is not read: the run decides it
    std::int32_t currentYear = 0;
};

inline constexpr std::u16string_view kBlankPicture = u"scene1.jpg";

struct RecalcResult {
    bool emptyText = false;      // the number is below 1: the box is emptied
    std::optional<Era> era;      // switched to 西暦 for a number above 100
    std::int32_t birthYear = 0;  // the Western year; 0 = no year
    bool pastEraEnd = false;     // the number is red

    // The year in the other calendar: an era and its year, or 西暦 and the Western year.
    std::u16string otherEra;
    std::u16string otherYear;

    // 九星, 干支 with its reading, and the picture (a file name in the program folder).
    std::u16string nineStar;
    std::u16string sign;
    std::u16string signReading;
    std::u16string_view picture;

    // The designated year and the figure.
    std::u16string designatedWestern;
    bool designatedPastEraEnd = false;
    Figure figure;
    Wording wording;

    std::u16string period;
};

RecalcResult recalculate(const RecalcInput& in);

}  // namespace yorvane
