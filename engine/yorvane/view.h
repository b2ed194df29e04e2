#pragma once
// The main window on plain values: everything it reads (MainInputs), the things that happen to
// it (each changes one input), and everything it shows (MainView), computed by one pure
// function. The window only turns the view into its controls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "yorvane/eras.h"
#include "yorvane/figure_wording.h"

namespace yorvane {

// What last decided the figure.
enum class FigureSource {
    Recalculation,   // a new year of birth: none for no year, else by the reference
    ThisYear,        // the this-year button got the focus: this year minus the year of birth
    DesignatedYear,  // the designated year was chosen or changed while it is the reference
    Cleared,         // the designated year was emptied while this year is the reference
};

inline constexpr std::u16string_view kBlankPicture = u"scene1.jpg";

struct MainInputs {
    std::optional<Era> listEra;  // the era list's selection; none before start-up
    // The birth-year box's text and the era of the list when it was read: choosing another era
    // in the list counts from the next change of the text.
    // Before the first change the results are those of an empty box under 西暦: none at all.
    std::u16string birthText;
    std::optional<Era> birthEra = Era::Western;
    // The designated year: its box and the era of its caption. A caption that names no era (a
    // stored "ERROR") is shown as it stands and keeps the Western year resolved before it.
    std::u16string designatedText = u"1990";
    std::optional<Era> designatedEra = Era::Western;
    std::u16string otherCaption;
    std::optional<std::int64_t> keptWestern;
    bool designatedIsReference = false;    // the designated-year button is selected
    bool designatedActive = false;         // its box takes typing; its labels are black
    bool designatedWesternActive = false;  // the Western year under it is black (visited)
    FigureSource figure = FigureSource::Recalculation;
    std::u16string_view picture;      // a file of the program folder; empty: the key guide
    std::uint32_t pictureSerial = 0;  // each choice of a picture reads its file again
    std::int32_t currentYear = 0;
};

// What happens to the window, each on the inputs alone.
void enterBirthYear(MainInputs& in, std::u16string_view text);
void enterDesignatedYear(MainInputs& in, std::u16string_view text);
// The arrow keys: the era first, then the box emptied (a box already empty stays as it is).
void chooseBirthEra(MainInputs& in, Era era);
void chooseDesignatedEra(MainInputs& in, Era era);
// The two years change places with their eras. The list cannot take a caption that names no
// era: it keeps its own then.
void exchangeYears(MainInputs& in);
// The designated era's caption as stored; a number above 100 makes it 西暦.
void setDesignatedCaption(MainInputs& in, std::u16string_view caption);
// The this-year button got the focus; which button is selected is the buttons' own business.
void countThisYear(MainInputs& in);
void countDesignatedYear(MainInputs& in);  // the designated-year button was chosen
void choosePicture(MainInputs& in, std::u16string_view file);

// The Western year the designated year stands for now; none when it never resolved.
std::optional<std::int64_t> designatedWestern(const MainInputs& in);

struct MainView {
    // The birth-year line and the other calendar.
    std::optional<Era> listEra;
    std::u16string birthText;
    bool birthRed = false;
    std::int32_t birthYear = 0;  // the Western year of birth; 0 for none
    std::u16string otherEra;
    std::u16string otherYear;
    std::u16string_view period;
    // The right column.
    std::u16string_view nineStar;
    std::u16string sign;
    std::u16string signReading;
    std::u16string_view picture;
    std::uint32_t pictureSerial = 0;
    // The age box.
    Wording wording = kAgeWording;
    bool designatedIsReference = false;
    bool designatedActive = false;
    bool designatedWesternActive = false;
    std::u16string designatedCaption;
    std::u16string designatedText;
    bool designatedRed = false;
    std::optional<std::int64_t> designatedWestern;  // under the box; none shows nothing
    std::optional<std::int64_t> figure;             // red when negative; none shows nothing
};

MainView mainView(const MainInputs& in);

// The window's answers in words, which the birth-year box carries to a screen reader:
// 「西暦1980年、庚申（かのえさる）、二黒土星、46歳」, after a warning in words for a number past
// its era's end. Empty for no year of birth.
std::u16string spokenAnswers(const MainView& view);

}  // namespace yorvane
