#include "yorvane/eras.h"

#include <algorithm>

#include "yorvane/text.h"

namespace yorvane {

const HistoricalEra* findHistoricalEra(std::int32_t year) {
    // The first row that begins after `year`; the one before it holds the year.
    const auto next = std::upper_bound(
        kHistoricalEras.begin(), kHistoricalEras.end(), year,
        [](std::int32_t y, const HistoricalEra& row) { return y < row.firstYear; });
    if (next == kHistoricalEras.begin()) return nullptr;
    return &*(next - 1);
}

EraDisplay historicalEraDisplay(std::int32_t year) {
    const HistoricalEra* row = findHistoricalEra(year);
    if (!row) return {};
    EraDisplay d;
    d.caption = std::u16string(row->caption);
    if (row->offset == kNoOffset) return d;  // a gap year shows no number
    const std::int32_t inEra = year - row->offset;
    d.year = inEra == 1 ? std::u16string(u"元") : decimal(inEra);
    return d;
}

}  // namespace yorvane
