// Start-up of the program as the user meets it: the real desktop layer, the program folder
// beside the executable, the main window built, loaded and shown. The process ends as soon as
// the window's client area has been painted once; it prints nothing, the driver times it.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <cstdlib>

#include "form1.h"
#include "platform.h"

namespace {

// Ends the process once the first paint of the watched widget has finished.
class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: the paint (and the flush of the window that follows it) completes first.
            QMetaObject::invokeMethod(qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("ヨルヴァネ"));
    yorvane::registerFontSubstitutes();

    yorvane::DesktopPlatform platform;
    yorvane::Form1 form(platform);
    FirstPaint watcher;
    form.centralWidget()->installEventFilter(&watcher);
    form.Form_Load();
    form.show();
    return app.exec();
}
