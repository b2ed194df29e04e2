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

}  // namespace yorvane
