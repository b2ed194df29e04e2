// The yardstick for start-up: a bare Qt program showing one label of Japanese text in the
// main window's text-box face, ending as soon as the label has been painted once.

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QObject>
#include <cstdlib>

namespace {

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
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
