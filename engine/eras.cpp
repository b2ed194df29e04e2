#include "eras.h"

#include <algorithm>

#include "text.h"

namespace yorvane {

const HistoricalEra* findHistoricalEra(std::int32_t year) {
    // The first row that begins after `year`; the one before it holds the year.
    const auto next = std::upper_bound(
        kHistoricalEras.begin(), kHistoricalEras.end(), year,
        [](std::int32_t y, const HistoricalEra& row) { return y < row.firstYear; });
    if (next == kHistoricalEras.begin()) return nullptr;
    return &*(next - 1);
}

EraDisplay historicalEraDisplay(std::int32_t year, std::int32_t previousGengoNen) {
    const HistoricalEra* row = findHistoricalEra(year);
    if (!row) return {u"", u"", previousGengoNen};
    EraDisplay d;
    d.gengo.assign(row->caption.begin(), row->caption.end());
    d.gengoNen = row->offset == kNoOffset ? 0 : year - row->offset;
    if (d.gengoNen == 1)
        d.nen = u"元";
    else if (d.gengoNen != 0)  // a gap year shows no number
        d.nen = decimal(d.gengoNen);
    return d;
}

}  // namespace yorvane
