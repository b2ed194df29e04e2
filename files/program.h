#pragma once
// What the command line and the windows both say of the program: its name, Qt's own texts in
// Japanese, and today's date.

#include <QDate>
#include <QString>

class QCoreApplication;

namespace yorvane {

// The program's own name, as its windows, message boxes and usage call it.
QString applicationTitle();

// Qt's own texts (context menus, standard buttons, the command line's usage) in Japanese, for
// `app` and as long as it lives. False when the translations are not installed: Qt then speaks
// English and nothing else changes.
bool installQtTranslations(QCoreApplication& app);

// Today's local date: what the desktop's today() gives, and the command line's, which runs
// before any window.
QDate localToday();

}  // namespace yorvane
