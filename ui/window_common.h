#pragma once
// What every window of the program shares beside the main window: the keys that work anywhere,
// the keys that close a window, and its part as a window for screen readers.

#include <QKeySequence>
#include <QList>

class QAction;
class QWidget;

namespace yorvane {

// Esc, the desktop's close keys and Ctrl+W.
QList<QKeySequence> closeKeys();

// `window` closes on closeKeys().
void addCloseKeys(QWidget* window);

// The main window's commands that work from `window` too (F1 for the help, Ctrl+Q to end the
// program with the settings saved): the same actions, so that they do the same from anywhere.
void shareCommands(QWidget* window, const QList<QAction*>& commands);

// Screen readers are told that `window`, a top-level QWidget of the program, is a window, a frame
// with a title, rather than a filler in no window. Call it before anything asks for the window's
// accessible object.
void readAsFrame(QWidget* window);

}  // namespace yorvane
