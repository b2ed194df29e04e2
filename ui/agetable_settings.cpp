#include "agetable_settings.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <climits>

#include "atomic_file.h"
#include "placement.h"
#include "profile_file.h"

namespace yorvane {

namespace {

const QString kSection = QStringLiteral("AGETABLE");

std::optional<qint64> wideNumber(const std::optional<QByteArray>& file, const char* key) {
    bool ok = false;
    const qint64 n =
        profile::readString(file, kSection, QString::fromLatin1(key), QString()).toLongLong(&ok);
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
    const QString folder = profile::readString(file, kSection, QStringLiteral("FOLDER"), QString());
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) state.folder = folder;
    return state;
}

bool writeAgeTableState(const SettingsLocation& where, const AgeTableState& state, QString* why) {
    if (where.file.isEmpty()) return true;  // no home folder: the main window says so
    const std::optional<QRect> g = state.geometry;
    auto setting = [](const char* key, const QString& value) {
        return profile::Setting{kSection, QString::fromLatin1(key), value};
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

}  // namespace yorvane
