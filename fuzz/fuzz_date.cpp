// Fuzz target for the reader of typed days and the day-exact answer (parseDate, answerDate).
//
// The input bytes are read as UTF-8 where they form it and as Latin-1 where they do not, so that
// seeds stay readable ("昭和55年3月4日") and every character of the Basic Multilingual Plane can be
// reached. The first half of the text is the day of birth and the rest, after a tab, the 基準日.
// Checked for every input, beside the sanitizers:
//  - a text reads as a day, or gives a reason, never both and never neither;
//  - a text is marked as nothing typed when it is blanks alone, and only then;
//  - a reason never calls a separator (/ - .) a character that no date uses;
//  - a day read is a day of the calendar from year 1 to 9999, and its own text reads back as it;
//  - an answer has every line filled, and its ages agree with the days.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "yorvane/answer_fields.h"

namespace {

std::u16string decode(const std::uint8_t* d, std::size_t n) {
    std::u16string out;
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t b = d[i];
        if ((b & 0xF0) == 0xE0 && i + 2 < n && (d[i + 1] & 0xC0) == 0x80 &&
            (d[i + 2] & 0xC0) == 0x80) {
            out.push_back(
                char16_t(((b & 0x0F) << 12) | ((d[i + 1] & 0x3F) << 6) | (d[i + 2] & 0x3F)));
            i += 3;
        } else if ((b & 0xE0) == 0xC0 && i + 1 < n && (d[i + 1] & 0xC0) == 0x80) {
            out.push_back(char16_t(((b & 0x1F) << 6) | (d[i + 1] & 0x3F)));
            i += 2;
        } else {
            out.push_back(b);
            i += 1;
        }
    }
    return out;
}

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_date: %s\n", what);
    std::abort();
}

void checkDay(std::u16string_view text) {
    const yorvane::DateParse p = yorvane::parseDate(text);
    if (p.value.has_value() == !p.error.empty()) fail("a day and a reason, or neither");
    if (p.blank != (text.find_first_not_of(u" \t\u3000") == std::u16string_view::npos))
        fail("nothing typed, or not, told wrongly");
    for (std::u16string_view sep : {u"「/」", u"「-」", u"「.」"})
        if (p.error.starts_with(sep)) fail("a separator called a character of no date");
    if (!p.value) return;
    const yorvane::Date d = p.value->date;
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > yorvane::daysInMonth(d.year, d.month))
        fail("a day that is not in the calendar");
    const yorvane::DateParse back = yorvane::parseDate(yorvane::dateText(d));
    if (!back.value || back.value->date != d) fail("the day's own text reads as another day");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = decode(data, size);
    const std::size_t tab = text.find(u'\t');
    const std::u16string_view birth = std::u16string_view(text).substr(0, tab);
    const std::u16string_view reference = tab == std::u16string::npos
                                              ? std::u16string_view()
                                              : std::u16string_view(text).substr(tab + 1);
    checkDay(birth);
    const yorvane::DateQuery q = yorvane::answerDate(birth, reference, {2026, 12, 7});
    if (!q.answer) return 0;
    const yorvane::DateAnswer& a = *q.answer;
    for (const yorvane::AnswerLine& line : yorvane::answerLines(yorvane::answerFields(a)))
        if (line.value.empty()) fail("an empty line in an answer");
    if (!a.beforeBirth && (a.fullAge < 0 || a.countedAge != a.reference.year - a.date.year + 1 ||
                           a.daysToBirthday < 0 || a.daysToBirthday > 366))
        fail("ages that do not agree with the days");
    return 0;
}
