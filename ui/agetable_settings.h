#pragma once
// What the age table remembers between runs, in a section of its own ([AGETABLE]) of the
// program's settings file, every other line of the file kept: its place and size, its options,
// and the folder its last CSV file was saved in.

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "platform.h"

namespace yorvane {

struct AgeTableState {
    std::optional<QRect> geometry;  // the window's position (its frame's corner) and inner size
    std::optional<int> reference;   // none: this year
    bool longevityInFullAge = false;
    bool earlyBorn = false;
    int branch = -1;  // the slot of the branch shown, -1 for every year
    QString folder;   // where the last CSV file went; empty when none was saved
};

// The state kept in the user's settings file, or while there is none yet in the delivered one.
// Values that are missing or not understood are left as the defaults above.
AgeTableState readAgeTableState(const SettingsLocation& where);

// Stores `state` in the user's settings file; false with `why` in Japanese when it could not.
bool writeAgeTableState(const SettingsLocation& where, const AgeTableState& state, QString* why);

// Where a window opens whose wanted place is `wanted` (a position and the inner size), when its
// frame adds `frameExtra` to that size: no larger than `area` and wholly inside it. A window with
// no wanted place is centred in `area`.
QRect placedAgeTable(const std::optional<QRect>& wanted, QSize designSize, QSize frameExtra,
                     const QRect& area);

}  // namespace yorvane
