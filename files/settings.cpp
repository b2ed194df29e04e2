#include "settings.h"

#include "u16text.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cmath>

#include "atomic_file.h"

namespace yorvane {

// ---------------------------------------------------------------------------------------------
// Where the file is

namespace {
const QString kSettingsName = QStringLiteral("yorvane.ini");

// The pictures that make a folder a program folder: one of them beside the executable.
bool holdsPictures(const QDir& folder) {
    return folder.exists(QStringLiteral("scene1.jpg")) ||
           folder.exists(QStringLiteral("gengo.gif"));
}
}  // namespace

Folders foldersFor(const QString& executableFolder, const QString& configFolder) {
    const QDir exe(executableFolder);
    const QString shared = QDir::cleanPath(exe.filePath(QStringLiteral("../share/yorvane")));
    if (holdsPictures(exe) || !QFileInfo(shared).isDir())
        return {exe.path(), {exe.filePath(kSettingsName), {}}};
    // With no configuration folder there is nowhere to save: the close reports it.
    const QString file =
        configFolder.isEmpty()
            ? QString()
            : QDir(configFolder).filePath(QStringLiteral("yorvane/") + kSettingsName);
    return {shared, {file, QDir(shared).filePath(kSettingsName)}};
}

QByteArray configFolderBytes(const QByteArray& xdgConfigHome, const QByteArray& home) {
    // A relative value is ignored, as the desktop's rules for these folders say.
    if (xdgConfigHome.startsWith('/')) return xdgConfigHome;
    if (home.startsWith('/')) return home + "/.config";
    return {};
}

QString settingsFileToRead(const SettingsLocation& where) {
    const QFileInfo own(where.file);
    if (where.delivered.isEmpty() || own.exists() || own.isSymLink()) return where.file;
    return where.delivered;
}

bool saveSettingsTo(const SettingsLocation& where, const QList<profile::Setting>& settings,
                    QString* why) {
    if (where.file.isEmpty()) {
        *why =
            QStringLiteral("ホームフォルダーがわかりません（HOME が空か、絶対パスではありません）");
        return false;
    }
    // Folders made here, by root in a user's home, are the user's, or the user could not save.
    if (const int error =
            where.delivered.isEmpty() ? 0 : makeFolders(QFileInfo(where.file).absolutePath())) {
        *why = QStringLiteral("設定のフォルダーを作れません（%1）").arg(reasonForError(error));
        return false;
    }
    return profile::writeStrings(where.file, settings, why);
}

// ---------------------------------------------------------------------------------------------
// Stored places and sizes

int storedPosition(qint64 value) {
    return int(std::clamp<qint64>(value, -kFarthestPosition, kFarthestPosition));
}

std::optional<int> storedSize(qint64 value) {
    if (value <= 0) return std::nullopt;
    return int(std::min<qint64>(value, kLargestSize));
}

// ---------------------------------------------------------------------------------------------
// The main window: [LOCATION] and [SET]

namespace {
const QString kLocation = QStringLiteral("LOCATION");
const QString kSet = QStringLiteral("SET");
// The position is stored in twips, 15 to a pixel.
constexpr float kTwipsPerPixel = 15.0f;

// A stored position in twips, as pixels. A text that is not a number, or one too far out to be
// a position at all, leaves the design position.
std::optional<int> positionFromTwips(const QString& text) {
    bool ok = false;
    const float pixels = text.trimmed().toFloat(&ok) / kTwipsPerPixel;
    if (!ok || !std::isfinite(pixels) || std::fabs(pixels) > float(kFarthestPosition))
        return std::nullopt;
    return static_cast<int>(std::lround(pixels));
}

// A position in pixels as twips, in plain decimal text: 2400, -120, 12.5.
QString twipsText(const std::optional<int>& pixels) {
    if (!pixels) return {};
    const float value = static_cast<float>(*pixels) * kTwipsPerPixel;
    if (value == std::trunc(value) && std::fabs(value) < 1.0e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}
}  // namespace

MainWindowSettings readMainWindowSettings(const SettingsLocation& where) {
    const std::optional<QByteArray> file = profile::readFile(settingsFileToRead(where));
    const auto value = [&file](const QString& section, const char* key) {
        return profile::readString(file, section, QString::fromLatin1(key),
                                   QStringLiteral("ERROR"));
    };
    return {positionFromTwips(value(kLocation, "LEFT")), positionFromTwips(value(kLocation, "TOP")),
            value(kSet, "SHITEI"), value(kSet, "GENGO")};
}

bool writeMainWindowSettings(const SettingsLocation& where, const MainWindowSettings& values,
                             QString* why) {
    return saveSettingsTo(where,
                          {{kLocation, QStringLiteral("LEFT"), twipsText(values.left)},
                           {kLocation, QStringLiteral("TOP"), twipsText(values.top)},
                           {kSet, QStringLiteral("SHITEI"), values.designatedYear},
                           {kSet, QStringLiteral("GENGO"), values.designatedCaption}},
                          why);
}

// ---------------------------------------------------------------------------------------------
// The age table: [AGETABLE]

namespace {

const QString kAgeTable = QStringLiteral("AGETABLE");

std::optional<qint64> wideNumber(const std::optional<QByteArray>& file, const char* key) {
    bool ok = false;
    const qint64 n =
        profile::readString(file, kAgeTable, QString::fromLatin1(key), QString()).toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<int> number(const std::optional<QByteArray>& file, const char* key) {
    const std::optional<qint64> n = wideNumber(file, key);
    if (!n || *n < INT_MIN || *n > INT_MAX) return std::nullopt;
    return int(*n);
}

// The stored place and size, brought within what a screen could show before any arithmetic.
std::optional<QRect> geometry(const std::optional<QByteArray>& file) {
    const auto left = wideNumber(file, "LEFT"), top = wideNumber(file, "TOP");
    const auto width = wideNumber(file, "WIDTH"), height = wideNumber(file, "HEIGHT");
    if (!left || !top || !width || !height) return std::nullopt;
    const std::optional<int> w = storedSize(*width), h = storedSize(*height);
    if (!w || !h) return std::nullopt;
    return QRect(storedPosition(*left), storedPosition(*top), *w, *h);
}

QString text(const std::optional<int>& n) { return n ? QString::number(*n) : QString(); }

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

AgeTableState readAgeTableState(const SettingsLocation& where) {
    const std::optional<QByteArray> file = profile::readFile(settingsFileToRead(where));
    AgeTableState state;
    state.geometry = geometry(file);
    state.reference = number(file, "KIJUN");
    state.longevityInFullAge = number(file, "MAN").value_or(0) == 1;
    state.earlyBorn = number(file, "HAYAUMARE").value_or(0) == 1;
    const int branch = number(file, "ETO").value_or(-1);
    state.branch = branch >= 0 && branch < 12 ? branch : -1;
    const QString folder =
        profile::readString(file, kAgeTable, QStringLiteral("FOLDER"), QString());
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) state.folder = folder;
    return state;
}

bool writeAgeTableState(const SettingsLocation& where, const AgeTableState& state, QString* why) {
    if (where.file.isEmpty()) return true;  // no home folder: the main window says so
    const std::optional<QRect> g = state.geometry;
    auto setting = [](const char* key, const QString& value) {
        return profile::Setting{kAgeTable, QString::fromLatin1(key), value};
    };
    return saveSettingsTo(
        where,
        {setting("LEFT", g ? QString::number(g->x()) : QString()),
         setting("TOP", g ? QString::number(g->y()) : QString()),
         setting("WIDTH", g ? QString::number(g->width()) : QString()),
         setting("HEIGHT", g ? QString::number(g->height()) : QString()),
         setting("KIJUN", text(state.reference)), setting("MAN", flag(state.longevityInFullAge)),
         setting("HAYAUMARE", flag(state.earlyBorn)),
         setting("ETO", state.branch >= 0 ? QString::number(state.branch) : QString()),
         setting("FOLDER", state.folder)},
        why);
}

namespace {
const QString kDate = QStringLiteral("DATE");
const QString kSex = QStringLiteral("SEX");
}  // namespace

std::optional<Sex> readUnluckySex(const SettingsLocation& where) {
    if (where.file.isEmpty()) return std::nullopt;
    const QString stored =
        profile::readString(profile::readFile(settingsFileToRead(where)), kDate, kSex, QString());
    for (const Sex sex : {Sex::Male, Sex::Female})
        if (stored == qs(sexName(sex))) return sex;
    return std::nullopt;
}

bool writeUnluckySex(const SettingsLocation& where, std::optional<Sex> sex, QString* why) {
    if (where.file.isEmpty()) return true;  // no home folder: the main window says so
    return saveSettingsTo(where, {{kDate, kSex, sex ? qs(sexName(*sex)) : QString()}}, why);
}

}  // namespace yorvane
