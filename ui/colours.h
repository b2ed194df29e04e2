#pragma once
// The colours of the main window, in one place for the window and its tests.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

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

}  // namespace yorvane::colours
