#pragma once
// Reading a year number from what the user typed.
//
// The number at the start of the text counts: blanks, tabs and line feeds are skipped wherever
// they stand ("19 89" is 1989), then an optional sign, digits with at most one decimal point
// and an optional exponent (E or e, a sign, digits). Reading stops at the first character that
// cannot continue the number ("55年" is 55). Only ASCII digits are digits.

#include <cstdint>
#include <optional>
#include <string_view>

namespace yorvane {

// The value of the number at the start of `text`, not rounded; nullopt when there is none.
// Out-of-range exponents give an infinite value.
std::optional<double> scanNumber(std::u16string_view text);

// The year number: the scanned value rounded to the nearest integer, halves to the even
// neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2). A text with no number, or a number outside the
// 32-bit signed range (1e10), reads as 0: the window then treats it as an empty field.
std::int32_t readYearNumber(std::u16string_view text);

}  // namespace yorvane
