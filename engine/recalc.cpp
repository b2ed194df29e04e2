#include "recalc.h"

#include "eras.h"
#include "number.h"
#include "periods.h"
#include "text.h"

namespace yorvane {

RecalcResult recalculate(const RecalcInput& in) {
    RecalcResult r{};

    // Read the number; anything below 1 empties the field, and the run goes on as for an
    // empty text.
    r.inputNen = readYearNumber(in.nenText);
    r.emptyNenText = r.inputNen < 1;
    if (r.emptyNenText) r.inputNen = 0;
    const bool blank = r.emptyNenText;

    // A number above 100 is always a Western year.
    r.eraIndex = r.inputNen > 100 ? Seireki : in.eraIndex;
    const bool knownEra = r.eraIndex >= 0 && r.eraIndex < static_cast<int>(kModernEras.size());
    const std::int32_t offset =
        knownEra ? kModernEras[static_cast<std::size_t>(r.eraIndex)].offset : 0;
    r.seirekiNen = blank ? 0 : r.inputNen + offset;  // <= 100 + 1988: no overflow

    r.nenRed = pastEraEnd(r.eraIndex, r.inputNen);

    // The other calendar: a Western year, or a number past its era's end, is named by the
    // historical table; a number within a modern era shows its Western year.
    r.gengoNen = in.gengoNen;
    if (r.eraIndex == Seireki || r.nenRed) {
        auto d = historicalEraDisplay(r.seirekiNen, in.gengoNen);
        r.lblGengo = std::move(d.gengo);
        r.lblNen = std::move(d.nen);
        r.gengoNen = d.gengoNen;
    } else {
        r.lblGengo = std::u16string(kModernEras[Seireki].name);
        r.lblNen = decimal(r.seirekiNen);
    }

    // Nine-star, sign, reading and picture.
    r.sign = yearSign(r.seirekiNen);
    r.lbl9sei = std::u16string(r.sign.kyuseiText);
    r.lblkana = std::u16string(r.sign.jikkanKana) + std::u16string(r.sign.junishiKana);
    r.lbleto = std::u16string(r.sign.jikkanText) + std::u16string(r.sign.junishiText);
    r.picture = r.sign.picture;

    // The designated year and the figure.
    r.shiteiNen = readYearNumber(in.shiteiText);
    r.shiteiSeireki = resolveDesignatedYear(in.label12, r.shiteiNen)
                          .value_or(std::u16string(in.shiteiSeireki));
    r.lblnenrei = in.option2Selected
                      ? designatedFigure(r.shiteiSeireki, in.shiteiText, r.seirekiNen)
                      : thisYearFigure(in.currentYear, r.seirekiNen);
    r.nenreiValue = readValue(r.lblnenrei);
    r.nenreiRed = r.nenreiValue < 0;
    r.shiteiRed = designatedYearPastEnd(in.label12, r.shiteiNen);
    r.wording = wordingFor(r.seirekiNen);

    r.lblJidai = std::u16string(periodName(r.seirekiNen));

    // A year number 0 is never shown (a gap year, or no year under a modern era).
    if (r.lblNen == u"0") r.lblNen.clear();

    // With no year the sign and the figure are cleared and the scene picture comes back.
    if (blank) {
        r.lblnenrei.clear();
        r.lbl9sei.clear();
        r.lbleto.clear();
        r.lblkana.clear();
        r.picture = kBlankPicture;
    }
    return r;
}

}  // namespace yorvane
