#pragma once
// The engine's texts are UTF-16 like QString's: the two views of one text, without copying
// where a view will do.

#include <QString>
#include <string_view>

namespace yorvane {

inline QString qs(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// A view of `text`: valid as long as the QString lives and is not changed.
inline std::u16string_view u16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace yorvane
