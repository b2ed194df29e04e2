#include "yorvane/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace yorvane {

namespace {
constexpr bool skipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
constexpr bool digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads `text` from the front, passing over the blanks wherever they stand.
class Reader {
public:
    explicit Reader(std::u16string_view text) : text_(text) {}
    char16_t peek() {
        while (i_ < text_.size() && skipped(text_[i_])) ++i_;
        return i_ < text_.size() ? text_[i_] : u'\0';
    }
    void take() { ++i_; }
    std::size_t position() const { return i_; }
    void rewind(std::size_t position) { i_ = position; }

private:
    std::u16string_view text_;
    std::size_t i_ = 0;
};

// The digits with at most one decimal point; false when there is no digit.
bool readMantissa(Reader& in, std::string& num) {
    bool anyDigit = false, point = false;
    for (char16_t c = in.peek();; c = in.peek()) {
        if (digit(c)) {
            num.push_back(static_cast<char>(c));
            anyDigit = true;
        } else if (c == u'.' && !point) {
            num.push_back('.');
            point = true;
        } else {
            return anyDigit;
        }
        in.take();
    }
}

// An exponent after the mantissa, appended as "e" with its sign and digits; "5e" is just 5.
void readExponent(Reader& in, std::string& num) {
    const char16_t e = in.peek();
    if (e != u'e' && e != u'E') return;
    const std::size_t save = in.position();
    in.take();
    std::string exp = "e";
    char16_t c = in.peek();
    if (c == u'+' || c == u'-') {
        exp.push_back(static_cast<char>(c));
        in.take();
        c = in.peek();
    }
    bool expDigits = false;
    std::string expValue;
    for (; digit(c); c = in.peek()) {
        if (!(expValue.empty() && c == u'0')) expValue.push_back(static_cast<char>(c));
        expDigits = true;
        in.take();
    }
    if (!expDigits) {
        in.rewind(save);
        return;
    }
    // Beyond five digits the value is zero or infinite anyway; keep from_chars' input short.
    if (expValue.size() > 5) expValue = "99999";
    num += exp + (expValue.empty() ? std::string("0") : expValue);
}

// from_chars reports both overflow and underflow as out of range; tell them apart by the
// decimal exponent of the first significant digit.
double outOfRange(const std::string& num) {
    const auto e = num.find('e');
    const std::string_view mantissa(num.data(), e == std::string::npos ? num.size() : e);
    const long exp10 = e == std::string::npos ? 0 : std::stol(num.substr(e + 1));
    const auto point = mantissa.find('.');
    const long intDigits = long(point == std::string_view::npos ? mantissa.size() : point);
    long first = long(mantissa.find_first_not_of("0."));
    if (point != std::string_view::npos && first > long(point)) --first;
    return intDigits - first - 1 + exp10 < 0 ? 0.0 : std::numeric_limits<double>::infinity();
}
}  // namespace

std::optional<double> scanNumber(std::u16string_view text) {
    // Collect the characters of the number, blanks removed, then let from_chars do the exact
    // decimal-to-binary conversion.
    Reader in(text);
    bool negative = false;
    if (const char16_t c = in.peek(); c == u'+' || c == u'-') {
        negative = c == u'-';
        in.take();
    }
    std::string num;
    if (!readMantissa(in, num)) return std::nullopt;
    readExponent(in, num);

    double value = 0;
    const auto r = std::from_chars(num.data(), num.data() + num.size(), value);
    if (r.ec == std::errc::result_out_of_range) value = outOfRange(num);
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

}  // namespace yorvane
