#pragma once
// Where a window may open: a saved position is kept only when the window can still be seen and
// moved from it.

#include <QList>
#include <QRect>

namespace yorvane {

// The least part of a title bar that must lie on one screen for the user to take hold of it.
inline constexpr int kGraspWidth = 40;

// Whether a window whose title bar covers `titleBar` (desktop coordinates) can be moved by it:
// a piece of the title bar at least kGraspWidth wide (or the whole bar, when narrower) and at
// least half its height lies in the available area of one of `screens`.
bool titleBarReachable(const QRect& titleBar, const QList<QRect>& screens);

}  // namespace yorvane
