#pragma once
// The windows are laid out in twips, 15 to a pixel at 96 dots per inch, in the desktop's
// Japanese gothic faces (IPA stand-ins registered by registerFontSubstitutes()).

#include <QFont>
#include <QRect>

namespace yorvane {

constexpr int px(int twips) { return (twips + 7) / 15; }

inline QRect rectTwips(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// The proportional gothic face.
inline QFont pGothic(double points, bool bold = false) {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The fixed-pitch gothic face.
inline QFont gothic(double points) {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSizeF(points);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

}  // namespace yorvane
