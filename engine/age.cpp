#include "yorvane/age.h"

#include "yorvane/number.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {
Figure figure(std::u16string text) {
    const bool negative = readValue(text) < 0;
    return {std::move(text), negative};
}
}  // namespace

Figure thisYearFigure(std::int32_t currentYear, std::int32_t birthYear) {
    return figure(decimal(std::int64_t{currentYear} - birthYear));
}

Figure designatedFigure(std::u16string_view designatedWestern, std::u16string_view designatedText,
                        std::int32_t birthYear) {
    if (designatedText.empty() || designatedWestern.empty()) return {};
    return figure(shortestDecimal(readValue(designatedWestern) - static_cast<double>(birthYear)));
}

DesignatedYear designatedYear(const DesignatedInput& in) {
    DesignatedYear d;
    std::int32_t number = readYearNumber(in.text);
    d.emptyText = number < 1;
    if (d.emptyText) number = 0;
    d.era = number > 100 ? Era::Western : in.era;
    // A caption that names no era leaves the Western year found before.
    d.western = d.era ? decimal(std::int64_t{number} + modernEra(*d.era).offset)
                      : std::u16string(in.keptWestern);
    if (number != 0 && d.era != Era::Western) d.caption = d.western;
    d.pastEraEnd = d.era && pastEraEnd(*d.era, number);
    const bool emptyBox = in.text.empty() || d.emptyText;
    if (in.isReference)
        d.figure = designatedFigure(d.western, emptyBox ? u"" : in.text, in.birthYear);
    else if (emptyBox)
        d.figure = Figure{};
    return d;
}

}  // namespace yorvane
