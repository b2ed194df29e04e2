#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {

// A year that holds the place `cycle`.
constexpr std::int32_t yearOfCycle(int cycle) { return cycle + kFirstCycleYear; }

std::u16string trimmed(std::u16string_view s) {
    while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return std::u16string(s);
}

}  // namespace

std::u16string cycleName(int cycle) {
    const YearSign s = yearSign(yearOfCycle(cycle));
    return std::u16string(s.stem) + std::u16string(s.branch);
}

std::u16string cycleWithReading(int cycle) {
    const YearSign s = yearSign(yearOfCycle(cycle));
    return cycleName(cycle) + u"（" + trimmed(s.stemReading) + trimmed(s.branchReading) + u"）";
}

std::u16string_view nineStarName(int star) {
    // The slot of a year that holds the star.
    return kNineStars.substr(signSlot(kStarOfYearZero - star, 9) * 4, 4);
}

}  // namespace yorvane
