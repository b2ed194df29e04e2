#pragma once
// The dates people type, in any common notation, and the date as the program writes it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/eras.h"
#include "yorvane/gregorian.h"

namespace yorvane {

// A date read from text. `era` is set when the text named an era: the year was typed as
// `eraYear` of that era.
struct ParsedDate {
    Date date;
    const EraStart* era = nullptr;
    std::int32_t eraYear = 0;
};

// What a text names, or why it is no date, in Japanese. A text of blanks alone (nothing typed
// yet) is `blank`: its reason asks for a day, which a box still waiting for one need not show.
struct DateParse {
    std::optional<ParsedDate> value;
    std::u16string error;
    bool blank = false;
};

// Reads 1980/3/4, 1980-03-04, 1980.3.4, 19800304, 1980年3月4日, 昭和55年3月4日, S55.3.4,
// s55/3/4, H1.1.8, 令和元年5月1日; full-width digits, letters and separators alike; blanks
// around the parts. Years from 1 to 9999. A reason names what is wrong: the year left out (3/4,
// 2月29日), a part too many (1980/3/4/5), digits alone that are not eight, two days in one text.
DateParse parseDate(std::u16string_view text);

// "1980年3月4日"
std::u16string dateText(Date d);

}  // namespace yorvane
