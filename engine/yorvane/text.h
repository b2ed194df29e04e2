#pragma once
// Small conversions between numbers and the UTF-16 texts the window shows.

#include <cstdint>
#include <string>
#include <string_view>

namespace yorvane {

// Decimal digits with a leading '-' for a negative value; no blanks.
std::u16string decimal(std::int64_t value);

// The shortest decimal text that reads back as `value`, never in exponent form: integral
// values show no decimal point (46, -10, 2000000000).
std::u16string shortestDecimal(double value);

}  // namespace yorvane
