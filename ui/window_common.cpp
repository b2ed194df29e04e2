#include "window_common.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QWidget>

namespace yorvane {

QList<QKeySequence> closeKeys() {
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Cancel) +
                               QKeySequence::keyBindings(QKeySequence::Close);
    if (!keys.contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
        keys << QKeySequence(Qt::CTRL | Qt::Key_W);
    return keys;
}

void addCloseKeys(QWidget* window) {
    auto* action = new QAction(window);
    action->setObjectName(QStringLiteral("closeWindow"));
    action->setShortcuts(closeKeys());
    window->addAction(action);
    QObject::connect(action, &QAction::triggered, window, &QWidget::close);
}

void shareCommands(QWidget* window, const QList<QAction*>& commands) {
    // An action's window shortcut works in the window of each widget it has been added to.
    for (QAction* command : commands)
        if (!window->actions().contains(command)) window->addAction(command);
}

namespace {
// The property that marks the program's own plain windows.
constexpr char kReadAsFrame[] = "yorvaneReadAsFrame";

// A plain QWidget made a window of its own is read as a client area, a "filler": nothing tells
// the reader that a window was reached, nor speaks its title. Only the windows marked by
// readAsFrame are claimed: other widgets derive from QWidget directly too (a list box, a menu),
// and some are windows for a moment before they get a parent.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    // Asked for the class itself, before Qt's own answer for a QWidget.
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow() || !widget->property(kReadAsFrame).toBool() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}
}  // namespace

void readAsFrame(QWidget* window) {
    static const bool once = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    (void)once;
    window->setProperty(kReadAsFrame, true);
}

}  // namespace yorvane
