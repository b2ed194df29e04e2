#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "application.h"
#include "command_line.h"
#include "main_window.h"
#include "platform.h"
#include "termination.h"

int main(int argc, char* argv[]) {
    // --help, --version, the options that need no window, and a missing display all end here,
    // before Qt's window system is started (without a display it would abort).
    if (const std::optional<int> status = yorvane::runCommandLine(argc, argv)) return *status;

    QApplication app(argc, argv);
    yorvane::setUpApplication();

    yorvane::DesktopPlatform platform;
    yorvane::MainWindow form(platform);
    form.loadSettings();
    form.show();
    if (!platform.startupProblem().isEmpty()) {
        std::fprintf(stderr, "yorvane: %s\n", qPrintable(platform.startupProblem()));
        QMessageBox::warning(&form, form.windowTitle(), platform.startupProblem());
    }
    // A session that ends, or a `kill`, closes the window as its close button would.
    yorvane::closeOnTerminationSignals([&form] { form.close(); });
    yorvane::saveOnSessionRequest([&form] { form.saveSettings(); });
    // The program ends with its last window: an open version window outlives the main one.
    return app.exec();
}
