#include "yorvane/recalc.h"

#include "yorvane/number.h"
#include "yorvane/periods.h"
#include "yorvane/sign.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {
// The year in the other calendar: a Western year, or a number past its era's end, is named by
// the historical table; a number within a modern era shows its Western year.
EraDisplay otherCalendar(bool named, std::int32_t birthYear) {
    if (named) return historicalEraDisplay(birthYear);
    // A year number 0 is never shown (no year under a modern era).
    return {std::u16string(eraName(Era::Western)), birthYear != 0 ? decimal(birthYear) : u""};
}
}  // namespace

RecalcResult recalculate(const RecalcInput& in) {
    RecalcResult r;

    // Read the number; anything below 1 empties the box, and the run goes on as for an empty
    // text.
    std::int32_t number = readYearNumber(in.birthYearText);
    r.emptyText = number < 1;
    const bool blank = r.emptyText;
    if (blank) number = 0;

    // A number above 100 is always a Western year.
    r.era = number > 100 ? Era::Western : in.era;
    const std::int32_t offset = r.era ? modernEra(*r.era).offset : 0;
    r.birthYear = blank ? 0 : number + offset;  // <= 100 + 1988: no overflow
    r.pastEraEnd = r.era && pastEraEnd(*r.era, number);

    EraDisplay other = otherCalendar(r.era == Era::Western || r.pastEraEnd, r.birthYear);
    r.otherEra = std::move(other.caption);
    r.otherYear = std::move(other.year);

    const YearSign s = yearSign(r.birthYear);
    r.picture = s.picture;

    DesignatedInput designated = in.designated;
    designated.birthYear = r.birthYear;
    DesignatedYear d = designatedYear(designated);
    r.designatedWestern = std::move(d.western);
    r.designatedPastEraEnd = d.pastEraEnd;
    r.wording = wordingFor(r.birthYear);
    r.period = std::u16string(periodName(r.birthYear));

    // With no year the sign and the figure stay empty and the scene picture comes back.
    if (blank) {
        r.picture = kBlankPicture;
        return r;
    }
    r.nineStar = std::u16string(s.nineStar);
    r.sign = std::u16string(s.stem) + std::u16string(s.branch);
    r.signReading = std::u16string(s.stemReading) + std::u16string(s.branchReading);
    r.figure = in.designated.isReference ? *d.figure : thisYearFigure(in.currentYear, r.birthYear);
    return r;
}

}  // namespace yorvane
