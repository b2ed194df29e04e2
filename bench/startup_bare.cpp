// The yardstick for start-up: a bare Qt program showing one label of Japanese text in the
// main window's text-box face, ending as soon as the label has been painted once.

#include <QApplication>
#include <QFont>
#include <QLabel>

#include "first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")});
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(15.75);

    QLabel label(QStringLiteral("生まれ年を入れてください"));
    label.setFont(font);
    FirstPaint watcher;
    label.installEventFilter(&watcher);
    label.show();
    return app.exec();
}
