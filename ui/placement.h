#pragma once
// Where a window may open: a saved position is kept only when the window can still be seen and
// moved from it.

#include <QList>
#include <QRect>
#include <QtGlobal>
#include <optional>

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

// The farthest a stored position may lie from the origin, and the largest a stored size may be,
// in pixels. Values read from a settings file are brought within these before any arithmetic:
// no sum of them can overflow, and no window is asked to be larger than a screen could ever be.
inline constexpr int kFarthestPosition = 1 << 20;
inline constexpr int kLargestSize = 1 << 16;

// A stored coordinate within ±kFarthestPosition.
int storedPosition(qint64 value);
// A stored size within 1..kLargestSize; none for a size that is not above 0.
std::optional<int> storedSize(qint64 value);

// `wanted` made no larger than `area` and moved inside it.
QRect fittedInto(const QRect& wanted, const QRect& area);

}  // namespace yorvane
