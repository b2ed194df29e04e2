#include "yorvane/year.h"

#include "yorvane/number.h"

namespace yorvane {

YearReading readYear(std::u16string_view text, std::optional<Era> era) {
    return readYear(readYearNumber(text), era);
}

}  // namespace yorvane
