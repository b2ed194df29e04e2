#pragma once
// Small conversions between numbers and the UTF-16 texts the window shows.

#include <cstdint>
#include <string>
#include <string_view>

namespace yorvane {

// Decimal digits with a leading '-' for a negative value; no blanks.
std::u16string decimal(std::int64_t value);

}  // namespace yorvane
