// The one place where the layers meet: the command line (cli/), which ends the run before any
// window when it can, then the windows (ui/).

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "application.h"
#include "command_line.h"
#include "main_window.h"
#include "platform.h"
#include "process.h"
#include "termination.h"

namespace {
// Said before Qt starts, so that a limit that leaves too little never ends in a hang.
bool tooLittle(const yorvane::Needs& needs) {
    const QString problem = yorvane::machineLimitProblem(needs);
    if (problem.isEmpty()) return false;
    std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    yorvane::holdClosedStandardStreams();
    // Qt's own messages on standard error start as the program's own lines there do.
    qSetMessagePattern(QStringLiteral("yorvane: %{if-category}%{category}: %{endif}%{message}"));
    // Without arguments the window opens: its needs are said at once.
    if (tooLittle(argc > 1 ? yorvane::kCommandLineNeeds : yorvane::kWindowNeeds)) return 1;
    // --help, --version, the options that need no window, and a missing display all end here,
    // before Qt's window system is started (without a display it would abort).
    yorvane::DisplayChoice display;
    if (const std::optional<int> status = yorvane::runCommandLine(argc, argv, &display))
        return *status;
    if (tooLittle(yorvane::kWindowNeeds)) return 1;

    yorvane::sayDisplayFailuresInJapanese(display);
    QApplication app(argc, argv);
    yorvane::displayStarted();
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
