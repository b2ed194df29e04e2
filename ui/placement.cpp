#include "placement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace yorvane {

bool titleBarReachable(const QRect& titleBar, const QList<QRect>& screens) {
    const int width = std::min(kGraspWidth, titleBar.width());
    const int height = (titleBar.height() + 1) / 2;
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& area) {
        const QRect piece = titleBar.intersected(area);
        return !piece.isEmpty() && piece.width() >= width && piece.height() >= height;
    });
}

QPoint wholeOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary) {
    if (std::any_of(screens.begin(), screens.end(),
                    [&](const QRect& area) { return area.contains(frame); }))
        return frame.topLeft();
    const int x = primary.left() + std::max(0, (primary.width() - frame.width()) / 2);
    const int y = primary.top() + std::max(0, (primary.height() - frame.height()) / 2);
    return {x, y};
}

QRect fittedInto(const QRect& wanted, const QRect& area) {
    QRect r(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

QRect placedAgeTable(const std::optional<QRect>& wanted, QSize designSize, QSize frameExtra,
                     const QRect& area) {
    QRect frame(QPoint(), (wanted ? wanted->size() : designSize) + frameExtra);
    if (wanted)
        frame.moveTopLeft(wanted->topLeft());
    else
        frame.moveCenter(area.center());
    const QRect fitted = fittedInto(frame, area);
    return {fitted.topLeft(), fitted.size() - frameExtra};
}

namespace {
// The screen that holds most of `r`; the first when none holds any of it.
const QRect* screenHoldingMost(const QRect& r, const QList<QRect>& screens) {
    const QRect* best = nullptr;
    qint64 most = -1;
    for (const QRect& area : screens) {
        const QRect piece = r.intersected(area);
        const qint64 shared = piece.isEmpty() ? 0 : qint64(piece.width()) * piece.height();
        if (shared > most) {
            most = shared;
            best = &area;
        }
    }
    return best;
}
}  // namespace

QRect openingFrame(QSize frame, const QRect& owner, const QList<QRect>& screens, Opening how) {
    const QRect* screen = screenHoldingMost(owner, screens);
    if (!screen) return {owner.topLeft(), frame};
    const QRect& area = *screen;
    const QSize size = frame.boundedTo(area.size());
    if (how == Opening::Centred) {
        QRect centred(QPoint(), size);
        centred.moveCenter(area.center());
        return centred;
    }
    constexpr int kGap = 8;
    const QRect right(QPoint(owner.right() + 1 + kGap, owner.top()), size);
    const QRect left(QPoint(owner.left() - kGap - size.width(), owner.top()), size);
    for (const QRect& beside : {right, left}) {
        // Level with the main window where it fits so, else moved up or down only.
        const QRect fitted = fittedInto(beside, area);
        if (fitted.left() == beside.left() && !fitted.intersects(owner)) return fitted;
    }
    return fittedInto(QRect(owner.topLeft(), size), area);
}

QRect titleBarKeptOnScreen(const QRect& frame, int titleBarHeight, const QList<QRect>& screens) {
    const QRect bar(frame.topLeft(), QSize(frame.width(), titleBarHeight));
    for (const QRect& area : screens)
        if (area.contains(bar)) return frame;
    const QRect* screen = screenHoldingMost(bar, screens);
    if (!screen) return frame;
    return frame.translated(fittedInto(bar, *screen).topLeft() - bar.topLeft());
}

namespace {
// What the frame adds to a window's inner size: known once the window manager has framed it,
// estimated from the style's title bar until then.
QSize frameExtra(const QWidget* window) {
    const QSize known = window->frameGeometry().size() - window->geometry().size();
    if (known.width() > 0 || known.height() > 0) return known;
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {8, std::max(titleBar, 16) + 8};
}

QList<QRect> screenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

QRect screenAreaOf(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void setFrame(QWidget* window, const QRect& frame, QSize extra) {
    window->resize(frame.size() - extra);
    window->move(frame.topLeft());  // a top-level widget's position is its frame's
}
}  // namespace

void openOnOwnersScreen(QWidget* window, const QWidget* owner, QSize size, Opening how) {
    // On the main window's screen first, so that the window takes that screen's scale.
    if (QScreen* s = owner->screen()) window->setScreen(s);
    const QSize extra = frameExtra(window);
    setFrame(window, openingFrame(size + extra, owner->frameGeometry(), screenAreas(), how), extra);
}

void keepWholeOnScreen(QWidget* window) {
    QTimer::singleShot(100, window, [w = QPointer<QWidget>(window)] {
        if (!w || !w->isVisible()) return;
        const QRect area = screenAreaOf(w);
        if (area.isEmpty() || area.contains(w->frameGeometry())) return;
        const QSize extra = w->frameGeometry().size() - w->geometry().size();
        setFrame(w, fittedInto(w->frameGeometry(), area), extra);
    });
}

}  // namespace yorvane
