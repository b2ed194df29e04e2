#pragma once
// The messages the program says itself where the desktop says nothing.

#include <QString>

class QWidget;

namespace yorvane {

// A modal message box over `parent`: `what` (the document as the menu names it, such as ヘルプ)
// could not be handed to the desktop. The path is shown as text the user can select and copy,
// so that the file can be opened by hand.
void showOpenFailure(QWidget* parent, const QString& what, const QString& path);

}  // namespace yorvane
