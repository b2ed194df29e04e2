// Fuzz target for the number reader (scanNumber, readYearNumber).
//
// The input bytes are read as UTF-8, leniently, so that seeds stay readable text ("55年") and
// yet every UTF-16 code unit can be reached: one- to three-byte sequences give any code unit,
// lone surrogates included; four-byte sequences give a surrogate pair; a byte that starts no
// sequence stands for the Latin-1 character of the same number (A0 is a no-break space).
//
// Each text is read by the program and by a slow reference reader written here from the
// grammar alone: the skipped characters are removed first, the number is matched by hand, and
//  - the value (scanNumber) is the one the C library's strtod gives for the matched digits and
//    exponent, written out without a decimal point;
//  - the year (readYearNumber) comes from exact decimal arithmetic on the digit string: the
//    decimal value is rounded to the nearest double, halves to even (that double is what the
//    reader rounds), then to the nearest integer, halves to even; outside the 32-bit signed
//    range it is 0.
// Any difference, or a year outside the 32-bit range, stops the run with the input printed.

#include "yorvane/number.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::u16string decodeLenient(const std::uint8_t* d, std::size_t n) {
    std::u16string out;
    const auto cont = [&](std::size_t j) { return j < n && (d[j] & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t b = d[i];
        if (b < 0x80) {
            out.push_back(b);
            i += 1;
        } else if ((b & 0xE0) == 0xC0 && cont(i + 1)) {
            out.push_back(char16_t(((b & 0x1F) << 6) | (d[i + 1] & 0x3F)));
            i += 2;
        } else if ((b & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            out.push_back(
                char16_t(((b & 0x0F) << 12) | ((d[i + 1] & 0x3F) << 6) | (d[i + 2] & 0x3F)));
            i += 3;
        } else if ((b & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            std::uint32_t cp = ((b & 0x07u) << 18) | ((d[i + 1] & 0x3Fu) << 12) |
                               ((d[i + 2] & 0x3Fu) << 6) | (d[i + 3] & 0x3Fu);
            cp = 0x10000 + cp % 0x100000;  // fold into the supplementary planes
            out.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            i += 4;
        } else {
            out.push_back(b);
            i += 1;
        }
    }
    return out;
}

// ---- the reference reader ------------------------------------------------------------------

struct RefNumber {
    bool negative = false;
    std::string digits;            // every digit of the mantissa, the point left out
    long long fractionDigits = 0;  // how many of them follow the point
    long long exponent = 0;        // saturated far beyond any value that matters
};

bool refDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::optional<RefNumber> refParse(std::u16string_view text) {
    std::u16string t;
    for (const char16_t c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') t.push_back(c);

    RefNumber r;
    std::size_t p = 0;
    if (p < t.size() && (t[p] == u'+' || t[p] == u'-')) r.negative = t[p++] == u'-';
    bool point = false;
    for (; p < t.size(); ++p) {
        if (refDigit(t[p])) {
            r.digits.push_back(char(t[p]));
            if (point) ++r.fractionDigits;
        } else if (t[p] == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (r.digits.empty()) return std::nullopt;

    if (p < t.size() && (t[p] == u'e' || t[p] == u'E')) {
        std::size_t q = p + 1;
        bool negativeExp = false;
        if (q < t.size() && (t[q] == u'+' || t[q] == u'-')) negativeExp = t[q++] == u'-';
        long long e = 0;
        bool any = false;
        for (; q < t.size() && refDigit(t[q]); ++q) {
            any = true;
            e = std::min(e * 10 + (t[q] - u'0'), 1'000'000'000'000LL);
        }
        if (any) r.exponent = negativeExp ? -e : e;
    }
    return r;
}

double refValue(const RefNumber& r) {
    // digits × 10^(exponent − fractionDigits), handed to strtod without a decimal point so that
    // the locale plays no part.
    const std::string s =
        (r.negative ? "-" : "") + r.digits + "e" + std::to_string(r.exponent - r.fractionDigits);
    return std::strtod(s.c_str(), nullptr);
}

// 0.f compared with one half: -1, 0 or 1.
int compareWithHalf(const std::string& f) {
    if (f.empty() || f[0] < '5') return -1;
    if (f[0] > '5') return 1;
    return f.find_first_not_of('0', 1) == std::string::npos ? 0 : 1;
}

// Doubles the decimal fraction 0.f in place and gives the bit carried into the units.
bool doubleFraction(std::string& f) {
    int carry = 0;
    for (std::size_t i = f.size(); i-- > 0;) {
        const int v = (f[i] - '0') * 2 + carry;
        f[i] = char('0' + v % 10);
        carry = v / 10;
    }
    return carry != 0;
}

std::int32_t refYear(const RefNumber& r) {
    std::string d = r.digits;
    long long e = r.exponent - r.fractionDigits;  // the value is d × 10^e
    const std::size_t first = d.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    d.erase(0, first);
    while (d.back() == '0') {
        d.pop_back();
        ++e;
    }
    const long long intLength = (long long)d.size() + e;  // digits before the point
    if (intLength > 10) return 0;                         // at least 10^10
    if (intLength < 0) return 0;                          // below 0.1
    std::string intPart, frac;
    if (e >= 0) {
        intPart = d + std::string(std::size_t(e), '0');
    } else {
        intPart = d.substr(0, std::size_t(intLength));
        frac = d.substr(std::size_t(intLength));
    }
    const std::uint64_t whole = intPart.empty() ? 0 : std::stoull(intPart);
    if (whole >= (std::uint64_t(1) << 32)) return 0;
    if (whole == 0 && compareWithHalf(frac) < 0)
        return 0;  // below one half: the nearest double is at most 0.5, which rounds to 0

    // The nearest double: 53 significant bits, so for a value in [2^k, 2^(k+1)) the unit in the
    // last place is 2^(k-52). m counts such units.
    const int k = whole != 0 ? 63 - std::countl_zero(whole) : -1;
    const int shift = 52 - k;  // 21 to 53
    std::uint64_t m = whole << shift;
    for (int bit = shift - 1; bit >= 0; --bit)
        if (doubleFraction(frac)) m |= std::uint64_t(1) << bit;
    const int rest = compareWithHalf(frac);
    if (rest > 0 || (rest == 0 && (m & 1))) ++m;

    // That double to the nearest integer, halves to even.
    std::uint64_t q = m >> shift;
    const std::uint64_t remainder = m & ((std::uint64_t(1) << shift) - 1);
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    if (remainder > half || (remainder == half && (q & 1))) ++q;
    const long long v = r.negative ? -(long long)q : (long long)q;
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return 0;
    return std::int32_t(v);
}

// ---- reporting -----------------------------------------------------------------------------

[[noreturn]] void fail(const std::u16string& text, const char* what, const std::string& detail) {
    std::fprintf(stderr, "\nfuzz_number: %s\n  text (UTF-16 code units):", what);
    for (const char16_t c : text) std::fprintf(stderr, " %04X", unsigned(c));
    std::fprintf(stderr, "\n  as ASCII: \"");
    for (const char16_t c : text) std::fputc(c >= 0x20 && c < 0x7F ? int(c) : '?', stderr);
    std::fprintf(stderr, "\"\n  %s\n", detail.c_str());
    __builtin_trap();
}

std::string show(std::optional<double> v) {
    if (!v) return "no number";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", *v);
    return buf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = decodeLenient(data, size);

    const std::optional<double> value = yorvane::scanNumber(text);
    const std::int32_t year = yorvane::readYearNumber(text);

    const std::optional<RefNumber> ref = refParse(text);
    const std::optional<double> expectedValue =
        ref ? std::optional<double>(refValue(*ref)) : std::nullopt;
    const std::int32_t expectedYear = ref ? refYear(*ref) : 0;

    const bool sameValue = value.has_value() == expectedValue.has_value() &&
                           (!value || (*value == *expectedValue &&
                                       std::signbit(*value) == std::signbit(*expectedValue)));
    if (!sameValue)
        fail(text, "scanNumber differs from the reference",
             "program " + show(value) + ", reference " + show(expectedValue));
    if (year != expectedYear)
        fail(text, "readYearNumber differs from the reference",
             "program " + std::to_string(year) + ", reference " + std::to_string(expectedYear));
    return 0;
}
