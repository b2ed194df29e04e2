#pragma once
// What every run of the program sets up once, before its first window.

#include <QString>

class QCoreApplication;

namespace yorvane {

// The program's own name, as its windows and message boxes call it.
QString applicationTitle();

// Qt's own texts (context menus, standard buttons, the command line's help) in Japanese, for
// `app` and as long as it lives. False when the translations are not installed: Qt then speaks
// English and nothing else changes.
bool installQtTranslations(QCoreApplication& app);

// The names the desktop knows the program by, the stand-in faces and Qt's Japanese texts.
// Called once the QApplication exists, before any window is made.
void setUpApplication();

}  // namespace yorvane
