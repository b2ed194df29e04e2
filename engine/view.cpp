#include "yorvane/view.h"

#include "yorvane/periods.h"
#include "yorvane/sexagenary.h"
#include "yorvane/text.h"
#include "yorvane/year.h"

namespace yorvane {

namespace {
// The year in the other calendar: a Western year, or a number past its era's end, is named by
// the historical table; a number within a modern era shows its Western year.
EraDisplay otherCalendar(const YearReading& r, std::int32_t birthYear) {
    if (r.era == Era::Western || r.pastEraEnd) return historicalEraDisplay(birthYear);
    // A year number 0 is never shown (no year under a modern era).
    return {std::u16string(eraName(Era::Western)), birthYear != 0 ? decimal(birthYear) : u""};
}

void showBirthYear(const MainInputs& in, MainView& v) {
    const YearReading r = readYear(in.birthText, in.birthEra);
    v.listEra = in.listEra;
    v.birthText = in.birthText;
    v.birthRed = r.pastEraEnd;
    // A number up to 100 plus an offset, or a 32-bit number taken as a Western year.
    v.birthYear = r.empty ? 0 : static_cast<std::int32_t>(r.western);
    EraDisplay other = otherCalendar(r, v.birthYear);
    v.otherEra = std::move(other.caption);
    v.otherYear = std::move(other.year);
    v.period = periodName(v.birthYear);
    v.wording = wordingFor(v.birthYear);
    if (r.empty) return;
    const YearSign s = yearSign(v.birthYear);
    v.nineStar = s.nineStar;
    v.sign = std::u16string(s.stem) + std::u16string(s.branch);
    v.signReading = std::u16string(s.stemReading) + std::u16string(s.branchReading);
}

void showDesignatedYear(const MainInputs& in, MainView& v) {
    const YearReading r = readYear(in.designatedText, in.designatedEra);
    v.designatedIsReference = in.designatedIsReference;
    v.designatedActive = in.designatedActive;
    v.designatedWesternActive = in.designatedWesternActive;
    v.designatedCaption =
        in.designatedEra ? std::u16string(eraName(*in.designatedEra)) : in.otherCaption;
    v.designatedText = in.designatedText;
    v.designatedRed = r.pastEraEnd;
    const std::optional<std::int64_t> western = designatedWestern(in);
    // Nothing under the box for no number, and nothing for a Western year: it is the number.
    if (r.number != 0 && r.era != Era::Western) v.designatedWestern = western;
}

// The figure of the designated year: none while there is no designated year.
std::optional<std::int64_t> designatedFigure(const MainInputs& in, std::int32_t birthYear) {
    const std::optional<std::int64_t> western = designatedWestern(in);
    if (in.designatedText.empty() || !western) return std::nullopt;
    return *western - birthYear;
}

std::optional<std::int64_t> figure(const MainInputs& in, std::int32_t birthYear) {
    switch (in.figure) {
        case FigureSource::Recalculation:
            if (birthYear == 0) return std::nullopt;
            return in.designatedIsReference ? designatedFigure(in, birthYear)
                                            : std::int64_t{in.currentYear} - birthYear;
        case FigureSource::ThisYear: return std::int64_t{in.currentYear} - birthYear;
        case FigureSource::DesignatedYear: return designatedFigure(in, birthYear);
        case FigureSource::Cleared: break;
    }
    return std::nullopt;
}
}  // namespace

std::optional<std::int64_t> designatedWestern(const MainInputs& in) {
    const YearReading r = readYear(in.designatedText, in.designatedEra);
    return r.era ? std::optional(r.western) : in.keptWestern;
}

void enterBirthYear(MainInputs& in, std::u16string_view text) {
    const YearReading r = readYear(text, in.listEra);
    in.birthText = r.empty ? u"" : std::u16string(text);
    in.birthEra = r.era;
    in.listEra = r.era;
    in.figure = FigureSource::Recalculation;
    in.picture = r.empty ? kBlankPicture : yearSign(static_cast<std::int32_t>(r.western)).picture;
    ++in.pictureSerial;
}

void enterDesignatedYear(MainInputs& in, std::u16string_view text) {
    const YearReading r = readYear(text, in.designatedEra);
    in.designatedText = r.empty ? u"" : std::u16string(text);
    if (r.era) in.designatedEra = r.era;
    // While the designated year is the reference its figure shows; otherwise an empty box
    // empties the figure and any other leaves it.
    if (in.designatedIsReference)
        in.figure = FigureSource::DesignatedYear;
    else if (in.designatedText.empty())
        in.figure = FigureSource::Cleared;
}

void chooseBirthEra(MainInputs& in, Era era) {
    in.listEra = era;
    if (!in.birthText.empty()) enterBirthYear(in, u"");
}

void chooseDesignatedEra(MainInputs& in, Era era) {
    in.designatedEra = era;
    if (!in.designatedText.empty()) enterDesignatedYear(in, u"");
}

void exchangeYears(MainInputs& in) {
    const std::optional<Era> birthEra = in.listEra;
    const std::u16string birthText = in.birthText;
    if (in.designatedEra) in.listEra = in.designatedEra;
    in.designatedEra = birthEra;
    enterBirthYear(in, in.designatedText);
    enterDesignatedYear(in, birthText);
}

void setDesignatedCaption(MainInputs& in, std::u16string_view caption) {
    const std::optional<Era> era = eraNamed(caption);
    if (!era) in.keptWestern = designatedWestern(in);
    in.designatedEra = era;
    in.otherCaption = era ? u"" : std::u16string(caption);
    if (readYear(in.designatedText, era).era == Era::Western) in.designatedEra = Era::Western;
}

void countThisYear(MainInputs& in) {
    in.designatedActive = false;
    in.designatedWesternActive = false;
    in.figure = FigureSource::ThisYear;
}

void countDesignatedYear(MainInputs& in) {
    in.designatedIsReference = true;
    in.designatedActive = true;
    in.figure = FigureSource::DesignatedYear;
}

void choosePicture(MainInputs& in, std::u16string_view file) {
    in.picture = file;
    ++in.pictureSerial;
}

MainView mainView(const MainInputs& in) {
    MainView v;
    showBirthYear(in, v);
    showDesignatedYear(in, v);
    v.figure = figure(in, v.birthYear);
    v.picture = in.picture;
    v.pictureSerial = in.pictureSerial;
    return v;
}

std::u16string spokenAnswers(const MainView& v) {
    if (v.birthYear == 0) return {};
    std::u16string said;
    // The red of a number past its era's end, in words: 「昭和は64年までです。」
    if (v.birthRed && v.listEra) {
        const auto era = listedEra(*v.listEra);
        said = std::u16string(era.name) + u"は" + decimal(era.lastYear) + u"年までです。";
    }
    auto add = [&said, first = true](std::u16string_view part) mutable {
        if (part.empty()) return;
        if (!first) said += u"、";
        said += part;
        first = false;
    };
    // A gap year of the historical table shows its caption and no number.
    add(v.otherEra + (v.otherYear.empty() ? u"" : v.otherYear + u"年"));
    add(v.period);
    std::u16string reading = v.signReading;
    std::erase(reading, u' ');
    add(v.sign + (reading.empty() ? u"" : u"（" + reading + u"）"));
    add(v.nineStar);
    if (v.figure) add(decimal(*v.figure) + std::u16string(v.wording.unit));
    return said;
}

}  // namespace yorvane
