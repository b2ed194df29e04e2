#include <QApplication>

#include "main_window.h"
#include "platform.h"
#include "version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("ヨルヴァネ"));
    // A Wayland desktop groups the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(YORVANE_APP_ID));
    yorvane::registerFontSubstitutes();

    yorvane::DesktopPlatform platform;
    yorvane::MainWindow window(platform);
    window.loadSettings();
    window.show();
    // The program ends with its last window: an open version window outlives the main one.
    return app.exec();
}
