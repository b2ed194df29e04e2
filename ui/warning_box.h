#pragma once
// The program's one kind of warning: what could not be done, the file it concerns (selectable,
// so it can be copied) and why, with a Japanese button.

#include <QString>

class QWidget;

namespace yorvane {

// The window-modal box; returns when it is closed.
void warnAboutFile(QWidget* parent, const QString& title, const QString& what, const QString& path,
                   const QString& why);

}  // namespace yorvane
