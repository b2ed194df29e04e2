#include "yorvane/eras.h"

#include <algorithm>

#include "yorvane/text.h"

namespace yorvane {

std::u16string eraYearText(std::int64_t number) {
    return number == 1 ? std::u16string(u"元") : decimal(number);
}

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
    d.year = eraYearText(year - row->offset);
    return d;
}

ErasOfYear erasInYear(std::int32_t year) {
    ErasOfYear out;
    if (year < kEraStarts.front().first.year) return out;
    const auto add = [&](std::u16string_view name, std::int32_t offset) {
        out.eras[out.count++] = {name, year - offset};
    };
    // The era of New Year's Day: in 明治's first year, the last early era (慶応).
    const Date newYear{year, 1, 1};
    if (const EraStart* e = eraOnDay(newYear))
        add(e->name, e->offset());
    else
        add(kEarlyEras.back().caption, kEarlyEras.back().offset);
    for (const EraStart& e : kEraStarts)
        if (e.first.year == year && newYear < e.first) add(e.name, e.offset());
    return out;
}

ErasOfYear erasOfDay(Date d) {
    ErasOfYear out;
    const EraStart* era = eraOnDay(d);
    if (!era) return out;
    if (era->first == d && era->sharesFirstDay && era != kEraStarts.data()) {
        const EraStart& before = *(era - 1);
        out.eras[out.count++] = {before.name, d.year - before.offset()};
    }
    out.eras[out.count++] = {era->name, d.year - era->offset()};
    return out;
}

}  // namespace yorvane
