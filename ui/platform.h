#pragma once
// What the program asks of the desktop, behind one small interface so that tests can put in a
// recording fake (no browser opens, today's year is fixed).

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>
#include "program.h"
#include "settings.h"

namespace yorvane {

class Platform {
public:
    virtual ~Platform() = default;

    // The folder that holds the pictures, the era table and the help page.
    virtual QString programFolder() const = 0;
    virtual SettingsLocation settingsLocation() const = 0;
    // Today's local date, read at each call: the windows' one source of today.
    virtual QDate today() const = 0;
    int currentYear() const { return today().year(); }
    // The picture in the file at `path`, decoded at `shownSize` (the size it is drawn at; an
    // empty size decodes it whole); a null pixmap when the file is missing or unreadable.
    virtual QPixmap loadPicture(const QString& path, const QSize& shownSize) = 0;
    // Hands a document of `workingFolder` to the desktop's default viewer. False when the
    // desktop has no way to open documents. The desktop may still fail afterwards (no viewer for
    // the file's type): `failedLater` is then called once, from the event loop, possibly after
    // the caller's window has gone.
    virtual bool openDocument(const QString& fileName, const QString& workingFolder,
                              std::function<void()> failedLater = {}) = 0;
    // Hands a web address to the desktop's browser, in the same way and with the same answers.
    virtual bool openAddress(const QString& address, std::function<void()> failedLater = {}) = 0;
};

// The real desktop, through Qt.
//
// A portable program folder is the executable's own folder, recognised by the pictures lying
// beside the executable (the build folder, or such a folder copied anywhere); its settings file
// lies there too. Otherwise the program is installed: its files are in ../share/yorvane beside
// the executable's folder, and the settings are the user's, in the desktop's configuration
// folder ($XDG_CONFIG_HOME/yorvane/yorvane.ini).
class DesktopPlatform final : public Platform {
public:
    DesktopPlatform();
    QString programFolder() const override { return programFolder_; }
    SettingsLocation settingsLocation() const override { return settings_; }
    QDate today() const override { return localToday(); }
    QPixmap loadPicture(const QString& path, const QSize& shownSize) override;
    // Through xdg-open, whose exit status says whether the document found a viewer.
    bool openDocument(const QString& fileName, const QString& workingFolder,
                      std::function<void()> failedLater = {}) override;
    bool openAddress(const QString& address, std::function<void()> failedLater = {}) override;
    // What keeps the program from its own folder, said in Japanese; empty when nothing does.
    QString startupProblem() const { return problem_; }

private:
    // One decoded picture per file version: a file replaced while the program runs (another
    // size or modification time) is decoded anew.
    struct CachedPicture {
        qint64 fileSize = -1;
        QDateTime modified;
        QSize shownSize;
        QPixmap picture;
    };
    QString programFolder_;
    SettingsLocation settings_;
    QString problem_;
    QHash<QString, CachedPicture> pictures_;
};

// A path given as bytes, as a QString that names the same file: the decoded text when the bytes
// are UTF-8, otherwise a name through /proc/<pid>/fd of its deepest existing folder, kept open.
// Empty when the path cannot be reached that way either.
QString reachablePath(const QByteArray& native);

// The picture in `path` decoded at `shownSize` (whole when the size is empty); null when the
// file is missing, unreadable, not a regular file or not a whole picture.
QImage decodePicture(const QString& path, const QSize& shownSize);

// The stand-ins for the desktop faces the window is designed with, registered once.
void registerFontSubstitutes();

}  // namespace yorvane
