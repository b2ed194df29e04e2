#pragma once
// What the program asks of the desktop, behind one small interface so that tests can put in a
// recording fake (no browser opens, today's year is fixed).

#include <QPixmap>
#include <QString>

namespace yorvane {

class Platform {
public:
    virtual ~Platform() = default;

    // The folder that holds the executable, the pictures and the settings file.
    virtual QString programFolder() const = 0;
    // The year of today's local date, read at each call.
    virtual int currentYear() const = 0;
    // The picture in the file at `path`; a null pixmap when the file is missing or unreadable.
    virtual QPixmap loadPicture(const QString& path) = 0;
    // Hands a document of `workingFolder` to the desktop's default viewer. True when the
    // desktop accepted it.
    virtual bool openDocument(const QString& fileName, const QString& workingFolder) = 0;
    // Hands a web address to the desktop's browser. True when the desktop accepted it.
    virtual bool openAddress(const QString& address) = 0;
};

// The real desktop, through Qt.
class DesktopPlatform final : public Platform {
public:
    QString programFolder() const override;
    int currentYear() const override;
    QPixmap loadPicture(const QString& path) override;
    bool openDocument(const QString& fileName, const QString& workingFolder) override;
    bool openAddress(const QString& address) override;
};

// The stand-ins for the desktop faces the window is designed with, registered once.
void registerFontSubstitutes();

}  // namespace yorvane
