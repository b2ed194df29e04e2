#include "placement.h"

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

int storedPosition(qint64 value) {
    return int(std::clamp<qint64>(value, -kFarthestPosition, kFarthestPosition));
}

std::optional<int> storedSize(qint64 value) {
    if (value <= 0) return std::nullopt;
    return int(std::min<qint64>(value, kLargestSize));
}

QRect fittedInto(const QRect& wanted, const QRect& area) {
    QRect r(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

}  // namespace yorvane
