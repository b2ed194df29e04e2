#pragma once
// The settings file: where it is, and every value the windows keep in it, as plain values. The
// main window keeps its position and designated year ([LOCATION], [SET]); the age table its
// place and size, its options and the folder of its last CSV file ([AGETABLE]). The windows
// apply what is read here and hand back what they show; every other line of the file is kept.

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "profile_file.h"
#include "yorvane/customs.h"

namespace yorvane {

// Where the settings are read and written.
struct SettingsLocation {
    // The user's settings file: read at start-up, written at the close.
    QString file;
    // The first values the program comes with, read while `file` does not exist yet. Empty for
    // a portable program folder, whose settings file is both. When it is set, the folder of
    // `file` is created at the close if it is missing.
    QString delivered;
};

// The program and settings folders for an executable in `executableFolder`, with the user's
// configuration folder `configFolder` (empty when the desktop names none). A folder with the
// pictures beside the executable is a portable program folder, its settings file lying there
// too; otherwise the program's files are in ../share/yorvane and the settings are the user's.
struct Folders {
    QString program;
    SettingsLocation settings;
};
Folders foldersFor(const QString& executableFolder, const QString& configFolder);

// The user's configuration folder from the values of XDG_CONFIG_HOME and HOME: the first when it
// is an absolute path, otherwise .config in the home folder; empty when there is no usable home
// (HOME unset, empty or relative), so that nothing is saved at all.
QByteArray configFolderBytes(const QByteArray& xdgConfigHome, const QByteArray& home);

// The file the settings are read from: the user's own, or while there is none yet the first
// values the program comes with.
QString settingsFileToRead(const SettingsLocation& where);

// Saves `settings` into the user's file (see profile::writeStrings), making its folder first when
// the program is installed. False, with `why` in Japanese, when nothing was saved; with no home
// folder nothing is saved at all.
bool saveSettingsTo(const SettingsLocation& where, const QList<profile::Setting>& settings,
                    QString* why);

// The farthest a stored position may lie from the origin, and the largest a stored size may be,
// in pixels. Values read from a settings file are brought within these before any arithmetic:
// no sum of them can overflow, and no window is asked to be larger than a screen could ever be.
inline constexpr int kFarthestPosition = 1 << 20;
inline constexpr int kLargestSize = 1 << 16;

// A stored coordinate within ±kFarthestPosition.
int storedPosition(qint64 value);
// A stored size within 1..kLargestSize; none for a size that is not above 0.
std::optional<int> storedSize(qint64 value);

// The main window's values. The position is stored in twips; a value that is no number, or one
// too far out to be a position at all, is none and leaves the design position. A designated year
// or caption that is missing reads as the text "ERROR", which the window shows as it is.
struct MainWindowSettings {
    std::optional<int> left;  // pixels
    std::optional<int> top;
    QString designatedYear;     // the designated year's box, as typed
    QString designatedCaption;  // the era caption beside it
    bool operator==(const MainWindowSettings&) const = default;
};

MainWindowSettings readMainWindowSettings(const SettingsLocation& where);
// All four values in one save: two windows saving together never mix their settings.
bool writeMainWindowSettings(const SettingsLocation& where, const MainWindowSettings& values,
                             QString* why);

// The age table's values. Values that are missing or not understood are left as these defaults.
struct AgeTableState {
    std::optional<QRect> geometry;  // the window's position (its frame's corner) and inner size
    std::optional<int> reference;   // none: this year
    bool longevityInFullAge = false;
    bool earlyBorn = false;
    int branch = -1;  // the slot of the branch shown, -1 for every year
    QString folder;   // where the last CSV file went; empty when none was saved
};

// The state kept in the user's settings file, or while there is none yet in the delivered one.
AgeTableState readAgeTableState(const SettingsLocation& where);

// Stores `state` in the user's settings file; false with `why` in Japanese when it could not.
bool writeAgeTableState(const SettingsLocation& where, const AgeTableState& state, QString* why);

// Whose 厄年 the window 日付で調べる lists, kept as [DATE] SEX: 男 or 女; none (an empty or unknown
// value) for both.
std::optional<Sex> readUnluckySex(const SettingsLocation& where);
bool writeUnluckySex(const SettingsLocation& where, std::optional<Sex> sex, QString* why);

}  // namespace yorvane
