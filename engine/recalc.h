#pragma once
// One recalculation of the main window, on plain values: what the window reads when the text of
// the birth-year field changes, and everything the run writes back.

#include <cstdint>
#include <string>
#include <string_view>

#include "age.h"
#include "sign.h"

namespace yorvane {

struct RecalcInput {
    std::u16string_view nenText;      // textNen
    int eraIndex;                     // cboGengo
    std::u16string_view shiteiText;   // textShitei
    std::u16string_view label12;      // era of the designated year
    bool option2Selected;             // the figure counts to the designated year
    std::int32_t currentYear;
    std::int32_t gengoNen;            // kept from the previous run
    std::u16string_view shiteiSeireki;  // kept from the previous run
};

inline constexpr std::u16string_view kBlankPicture = u"scene1.jpg";

struct RecalcResult {
    // Reading the number and the era.
    bool emptyNenText;   // the number is below 1: the field is emptied
    int eraIndex;        // switched to 西暦 for a number above 100
    std::int32_t inputNen;
    std::int32_t seirekiNen;  // 0 = no year
    bool nenRed;              // past its era's end

    // The year in the other calendar.
    std::u16string lblGengo;
    std::u16string lblNen;
    std::int32_t gengoNen;

    // Nine-star and sign (computed for year 0 too; the labels are emptied below).
    YearSign sign;
    std::u16string lbl9sei;
    std::u16string lblkana;
    std::u16string lbleto;
    std::u16string_view picture;  // file name in the program folder

    // The designated year and the figure.
    std::int32_t shiteiNen;
    std::u16string shiteiSeireki;
    std::u16string lblnenrei;
    double nenreiValue;
    bool nenreiRed;
    bool shiteiRed;
    Wording wording;

    std::u16string lblJidai;
};

RecalcResult recalculate(const RecalcInput& in);

}  // namespace yorvane
