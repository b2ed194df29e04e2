#pragma once
// Setting a control's text and background colours; a colour it already has is not set again, so
// the control is not repainted for nothing.

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace yorvane {

inline void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::Active, QPalette::WindowText) == c &&
        p.color(QPalette::Active, QPalette::Text) == c)
        return;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, c);
        p.setColor(group, QPalette::Text, c);
        p.setColor(group, QPalette::ButtonText, c);
    }
    w->setPalette(p);
}

inline void setBackground(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::Active, QPalette::Window) == c &&
        p.color(QPalette::Active, QPalette::Base) == c)
        return;
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

}  // namespace yorvane
