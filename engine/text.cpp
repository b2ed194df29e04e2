#include "yorvane/text.h"

#include <charconv>

namespace yorvane {

std::u16string decimal(std::int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::u16string(buf, r.ptr);  // the digits and the sign are ASCII
}

}  // namespace yorvane
