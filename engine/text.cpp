#include "yorvane/text.h"

#include <charconv>
#include <cmath>

namespace yorvane {

namespace {
std::u16string widen(const char* first, const char* last) {
    return std::u16string(first, last);  // the digits, sign and point are ASCII
}
}  // namespace

std::u16string decimal(std::int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return widen(buf, r.ptr);
}

std::u16string shortestDecimal(double value) {
    if (!std::isfinite(value)) return u"";
    char buf[400];  // fixed notation of the largest double needs 309 digits
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (r.ec != std::errc{}) return u"";
    if (r.ptr - buf == 2 && buf[0] == '-' && buf[1] == '0') return u"0";
    return widen(buf, r.ptr);
}

}  // namespace yorvane
