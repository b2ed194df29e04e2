#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "form1.h"
#include "platform.h"
#include "termination.h"
#include "version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("ヨルヴァネ"));
    // A Wayland desktop groups the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(YORVANE_APP_ID));
    yorvane::registerFontSubstitutes();

    yorvane::DesktopPlatform platform;
    yorvane::Form1 form(platform);
    form.Form_Load();
    form.show();
    if (!platform.startupProblem().isEmpty()) {
        std::fprintf(stderr, "yorvane: %s\n", qPrintable(platform.startupProblem()));
        QMessageBox::warning(&form, form.windowTitle(), platform.startupProblem());
    }
    // A session that ends, or a `kill`, closes the window as its close button would.
    yorvane::closeOnTerminationSignals([&form] { form.close(); });
    yorvane::saveOnSessionRequest([&form] { form.Form_Unload(); });
    // The program ends with its last window: an open version window outlives the main one.
    return app.exec();
}
