// Start-up of the program as the user meets it: the real desktop layer, the program folder
// beside the executable, the main window built, loaded and shown. The process ends as soon as
// the window's client area has been painted once; it prints nothing, the driver times it.

#include <QApplication>

#include "application.h"
#include "first_paint.h"
#include "form1.h"
#include "platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    yorvane::setUpApplication();

    yorvane::DesktopPlatform platform;
    yorvane::Form1 form(platform);
    FirstPaint watcher;
    form.centralWidget()->installEventFilter(&watcher);
    form.Form_Load();
    form.show();
    return app.exec();
}
