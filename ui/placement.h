#pragma once
// Where a window may open: a saved position is kept only when the window can still be seen and
// moved from it.

#include <QList>
#include <QRect>
#include <QtGlobal>
#include <optional>

class QWidget;

namespace yorvane {

// The least part of a title bar that must lie on one screen for the user to take hold of it.
inline constexpr int kGraspWidth = 40;

// Whether a window whose title bar covers `titleBar` (desktop coordinates) can be moved by it:
// a piece of the title bar at least kGraspWidth wide (or the whole bar, when narrower) and at
// least half its height lies in the available area of one of `screens`.
bool titleBarReachable(const QRect& titleBar, const QList<QRect>& screens);

// Where a window whose frame would cover `frame` opens when no saved position holds: there when
// the whole frame lies in the available area of one of `screens`; otherwise centred in `primary`
// (its top-left corner at the area's when the frame is larger), so a small or scaled screen
// never opens it out of sight.
QPoint wholeOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary);

// `wanted` made no larger than `area` and moved inside it.
QRect fittedInto(const QRect& wanted, const QRect& area);

// Where the age table opens whose wanted place is `wanted` (a position and the inner size), when
// its frame adds `frameExtra` to that size: no larger than `area` and wholly inside it. A window
// with no wanted place is centred in `area`.
QRect placedAgeTable(const std::optional<QRect>& wanted, QSize designSize, QSize frameExtra,
                     const QRect& area);

// How a window opens on the screen of the main window.
enum class Opening { Beside, Centred };

// Where a window whose frame (title bar included) is `frame` large opens from the main window,
// whose frame covers `owner`, among `screens` (their free areas): on the screen that holds most
// of the main window, whole, and no larger than that screen. Beside the main window (right of
// it, else left of it, level with its top) where the whole frame fits there, otherwise over it
// from its top-left corner; or centred on that screen.
QRect openingFrame(QSize frame, const QRect& owner, const QList<QRect>& screens, Opening how);

// `frame` moved, when its title bar (the top `titleBarHeight` pixels) is not whole on one of
// `screens`, as little as brings it whole onto the screen that holds most of it.
QRect titleBarKeptOnScreen(const QRect& frame, int titleBarHeight, const QList<QRect>& screens);

// Places the top-level `window`, `size` large inside its frame, on the screen that holds `owner`
// (the main window), as openingFrame says.
// The frame is estimated until the window manager has framed the window: keepWholeOnScreen
// corrects the estimate once it is shown.
void openOnOwnersScreen(QWidget* window, const QWidget* owner, QSize size, Opening how);

// Once the window manager has framed the shown `window`, moves and shrinks it as little as
// brings the whole frame onto its screen.
void keepWholeOnScreen(QWidget* window);

}  // namespace yorvane
