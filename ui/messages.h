#pragma once
// The messages the program says itself where the desktop says nothing.

#include <QString>

class QWidget;

namespace yorvane {

// A modal message box over `parent`: `what` (the document as the menu names it, such as ヘルプ)
// could not be handed to the desktop. The path is shown as text the user can select and copy,
// so that the file can be opened by hand.
void showOpenFailure(QWidget* parent, const QString& what, const QString& path);

// A modal warning over `parent` titled `title`: what could not be done, the file it concerns
// (selectable, so it can be copied) and why, with a Japanese button.
void warnAboutFile(QWidget* parent, const QString& title, const QString& what, const QString& path,
                   const QString& why);

}  // namespace yorvane
