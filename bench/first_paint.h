#pragma once
// Ends the process once the first paint of the watched widget has finished: the start-up
// programs print nothing, the driver times them.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <cstdlib>

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: the paint (and the flush of the window that follows it) completes first.
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};
