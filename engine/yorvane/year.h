#pragma once
// The one reader of a year typed in a year box under an era: both the year of birth and the
// designated year are read by it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "yorvane/eras.h"

namespace yorvane {

struct YearReading {
    std::int32_t number = 0;   // the year number; 0 when the text is to be emptied
    std::optional<Era> era;    // 西暦 for a number above 100, else the era it was read in
    std::int64_t western = 0;  // number + the era's offset (the offset alone for no number)
    bool pastEraEnd = false;   // 昭和 65, 大正 16, 明治 46 ...: the number is red
    bool empty = true;         // the number is below 1: the box is emptied, no year
};

// A number below 1 empties the box; a number above 100 is always a Western year. The Western
// year is computed in 64 bits, so no offset can wrap a large number around. With no era (none
// chosen yet, or a caption that names none) a number up to 100 is taken as it stands.
constexpr YearReading readYear(std::int32_t number, std::optional<Era> era) {
    YearReading r;
    r.empty = number < 1;
    r.number = r.empty ? 0 : number;
    r.era = r.number > 100 ? Era::Western : era;
    r.western = std::int64_t{r.number} + (r.era ? listedEra(*r.era).offset : 0);
    r.pastEraEnd = r.era && pastEraEnd(*r.era, r.number);
    return r;
}
YearReading readYear(std::u16string_view text, std::optional<Era> era);

static_assert(readYear(55, Era::Showa).western == 1980 && !readYear(64, Era::Showa).pastEraEnd);
static_assert(readYear(101, Era::Heisei).era == Era::Western && readYear(0, Era::Showa).empty);

}  // namespace yorvane
