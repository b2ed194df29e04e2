#include "yorvane/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace yorvane {

namespace {
constexpr bool skipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
constexpr bool digit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

std::optional<double> scanNumber(std::u16string_view text) {
    // Collect the characters of the number, blanks removed, then let from_chars do the exact
    // decimal-to-binary conversion.
    std::string num;
    std::size_t i = 0;
    const auto next = [&]() -> char16_t {
        while (i < text.size() && skipped(text[i])) ++i;
        return i < text.size() ? text[i] : u'\0';
    };

    char16_t c = next();
    bool negative = false;
    if (c == u'+' || c == u'-') {
        negative = c == u'-';
        ++i;
        c = next();
    }
    bool anyDigit = false, point = false;
    for (;; c = next()) {
        if (digit(c)) {
            num.push_back(static_cast<char>(c));
            anyDigit = true;
        } else if (c == u'.' && !point) {
            num.push_back('.');
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!anyDigit) return std::nullopt;

    if (c == u'e' || c == u'E') {
        const std::size_t save = i;
        ++i;
        std::string exp = "e";
        char16_t s = next();
        if (s == u'+' || s == u'-') {
            exp.push_back(static_cast<char>(s));
            ++i;
            s = next();
        }
        bool expDigits = false;
        std::string expValue;
        for (; digit(s); s = next()) {
            if (!(expValue.empty() && s == u'0')) expValue.push_back(static_cast<char>(s));
            expDigits = true;
            ++i;
        }
        // Beyond five digits the value is zero or infinite anyway; keep from_chars' input short.
        if (expValue.size() > 5) expValue = "99999";
        if (expDigits)
            num += exp + (expValue.empty() ? std::string("0") : expValue);
        else
            i = save;  // "5e" is just 5
    }

    double value = 0;
    const auto r = std::from_chars(num.data(), num.data() + num.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars reports both overflow and underflow this way; tell them apart by the
        // exponent's sign.
        const auto e = num.find('e');
        const std::string_view mantissa(num.data(), e == std::string::npos ? num.size() : e);
        const long exp10 = e == std::string::npos ? 0 : std::stol(num.substr(e + 1));
        const auto point = mantissa.find('.');
        const long intDigits = long(point == std::string_view::npos ? mantissa.size() : point);
        long first = long(mantissa.find_first_not_of("0."));
        if (point != std::string_view::npos && first > long(point)) --first;
        value = intDigits - first - 1 + exp10 < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::int32_t readYearNumber(std::u16string_view text) {
    const auto v = scanNumber(text);
    if (!v) return 0;
    const double r = std::nearbyint(*v);  // the default rounding mode sends halves to even
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max()))
        return 0;
    return static_cast<std::int32_t>(r);
}

double readValue(std::u16string_view text) { return scanNumber(text).value_or(0.0); }

}  // namespace yorvane
