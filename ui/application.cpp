#include "application.h"

#include <QGuiApplication>

#include "platform.h"
#include "program.h"
#include "version.h"

namespace yorvane {

void setUpApplication() {
    // The class name of the windows (WM_CLASS), which the desktop file's StartupWMClass names.
    // No display name is set: Qt would append it to every window title that does not end with
    // it, and each window's caption is meant to stand alone.
    QCoreApplication::setApplicationName(QStringLiteral("yorvane"));
    // A Wayland desktop groups the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(YORVANE_APP_ID));
    // Installed before any widget exists, so no widget has to be told of a language change.
    installQtTranslations(*QCoreApplication::instance());
    registerFontSubstitutes();
}

}  // namespace yorvane
