#pragma once
// What the window system needs once, before the first window.

namespace yorvane {

// The names the desktop knows the program by, the stand-in faces and Qt's Japanese texts.
// Called once the QApplication exists, before any window is made.
void setUpApplication();

}  // namespace yorvane
