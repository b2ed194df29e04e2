#include "age.h"

#include "eras.h"
#include "number.h"
#include "text.h"

namespace yorvane {

std::optional<std::u16string> resolveDesignatedYear(std::u16string_view label12,
                                                    std::int32_t shiteiNen) {
    const auto era = modernEraIndex(label12);
    if (!era) return std::nullopt;
    return decimal(std::int64_t{shiteiNen} + kModernEras[static_cast<std::size_t>(*era)].offset);
}

std::u16string thisYearFigure(std::int32_t currentYear, std::int32_t seirekiNen) {
    return decimal(std::int64_t{currentYear} - seirekiNen);
}

std::u16string designatedFigure(std::u16string_view shiteiSeireki,
                                std::u16string_view shiteiText, std::int32_t seirekiNen) {
    if (shiteiText.empty() || shiteiSeireki.empty()) return {};
    return shortestDecimal(readValue(shiteiSeireki) - static_cast<double>(seirekiNen));
}

bool figureIsNegative(std::u16string_view figureCaption) { return readValue(figureCaption) < 0; }

bool designatedYearPastEnd(std::u16string_view label12, std::int32_t shiteiNen) {
    const auto era = modernEraIndex(label12);
    return era && pastEraEnd(*era, shiteiNen);
}

std::u16string designatedWesternCaption(std::u16string_view label12, std::int32_t shiteiNen,
                                        std::u16string_view shiteiSeireki) {
    if (shiteiNen == 0 || label12 == kModernEras[Seireki].name) return {};
    return std::u16string(shiteiSeireki);
}

}  // namespace yorvane
