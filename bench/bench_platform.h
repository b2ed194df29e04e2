#pragma once
// The desktop with the program folder put elsewhere: pictures are read exactly as the real
// desktop layer reads them; nothing is handed to a viewer or a browser.

#include <QDir>
#include <QFile>
#include <QString>

#include "platform.h"

class BenchPlatform final : public yorvane::Platform {
public:
    explicit BenchPlatform(QString folder) : folder_(std::move(folder)) {}
    QString programFolder() const override { return folder_; }
    yorvane::SettingsLocation settingsLocation() const override {
        return {folder_ + QStringLiteral("/yorvane.ini"), {}};
    }
    QDate today() const override { return desktop_.today(); }
    QPixmap loadPicture(const QString& path, const QSize& shownSize) override {
        ++loads;
        return desktop_.loadPicture(path, shownSize);
    }
    bool openDocument(const QString&, const QString&, std::function<void()>) override {
        return false;
    }
    bool openAddress(const QString&, std::function<void()>) override { return false; }

    long loads = 0;

private:
    QString folder_;
    yorvane::DesktopPlatform desktop_;
};

// A program folder of its own for a benchmark: a copy of the data files, pictures included.
inline void copyDataFiles(const QString& folder) {
    const QDir data(QStringLiteral(YORVANE_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), QDir(folder).filePath(name));
}
