#pragma once
// The colours of the main window, in one place for the window and its tests.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace yorvane::colours {

inline const QColor kWindowGrey(192, 192, 192);  // the window, the frame and the labels
inline const QColor kValueBox(224, 224, 224);    // the boxes that show a value
inline const QColor kWhite(255, 255, 255);       // an input box that takes typing
inline const QColor kBlack(0, 0, 0);
inline const QColor kRed(255, 0, 0);  // past an era's end, or a negative figure

// The palette the main and version windows are drawn in. Their backgrounds are fixed greys, so
// the texts on them must keep the dark colours they were designed with: under a light desktop
// palette that is the desktop's own, unchanged; under a dark one (a dark theme's light texts
// would vanish on the grey) it is a light palette of the usual greys. (A style's standard
// palette will not do: under a desktop theme it is the theme's.)
inline QPalette designedPalette() {
    const QPalette desktop = QGuiApplication::palette();
    if (qGray(desktop.color(QPalette::Window).rgb()) >=
        qGray(desktop.color(QPalette::WindowText).rgb()))
        return desktop;
    QPalette light(QColor(239, 239, 239));
    light.setColor(QPalette::Highlight, desktop.color(QPalette::Highlight));
    light.setColor(QPalette::HighlightedText, kWhite);
    light.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
    return light;
}

// The colour for button shadows of the windows' palette, which greys a label out. Some styles'
// shadow is too light to read on the grey window; the classic shadow grey is used then.
inline QColor buttonShadow() {
    const QColor c = designedPalette().color(QPalette::Dark);
    return qGray(c.rgb()) > 140 ? QColor(128, 128, 128) : c;
}

// The relative luminance of a colour, 0 for black to 1 for white.
inline double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// How far apart two colours are to the eye, from 1 (the same) to 21 (black on white).
inline double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast a text keeps with its background in the windows that follow the desktop's
// theme (日付で調べる, the age table), whatever the theme.
inline constexpr double kReadableContrast = 4.5;

// A red that reads on `background`: the pure red, darkened on a light background and lightened
// on a dark one until the two are far enough apart.
inline QColor readableRed(const QColor& background) {
    const bool light = luminance(background) > 0.18;
    QColor red = kRed;
    for (int step = 0; step < 32 && contrast(red, background) < kReadableContrast; ++step)
        red = light ? red.darker(106)
                    : QColor(255, std::min(255, red.green() + 8), std::min(255, red.blue() + 8));
    return red;
}

}  // namespace yorvane::colours
