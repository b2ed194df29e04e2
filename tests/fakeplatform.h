#pragma once
// A desktop for the tests: today is fixed (7 December of `year`), every request is recorded and
// nothing is opened. Pictures are really loaded from the program folder, so a missing file shows.

#include <QDir>
#include <QPixmap>
#include <QStringList>
#include <cstdlib>

#include "platform.h"

class FakePlatform final : public yorvane::Platform {
public:
    explicit FakePlatform(QString folder = defaultFolder()) : folder_(std::move(folder)) {}

    // The pictures and documents of the source tree, set by CTest.
    static QString defaultFolder() {
        const char* dir = std::getenv("YORVANE_DATA_DIR");
        return dir ? QString::fromLocal8Bit(dir) : QDir::currentPath();
    }

    QString programFolder() const override { return folder_; }
    // A portable folder unless a test sets other places.
    yorvane::SettingsLocation settingsLocation() const override {
        return settings.file.isNull()
                   ? yorvane::SettingsLocation{folder_ + QStringLiteral("/yorvane.ini"), {}}
                   : settings;
    }
    QDate today() const override { return QDate(year, 12, 7); }
    QPixmap loadPicture(const QString& path, const QSize&) override {
        pictures << path;
        return QPixmap(path);
    }
    bool openDocument(const QString& fileName, const QString& workingFolder,
                      std::function<void()> failedLater = {}) override {
        documents << fileName + QStringLiteral(" in ") + workingFolder;
        documentFailure = std::move(failedLater);
        return documentsAccepted;
    }
    bool openAddress(const QString& address, std::function<void()> = {}) override {
        addresses << address;
        return addressesAccepted;
    }

    // The file name of the last picture loaded, without its folder.
    QString lastPicture() const {
        return pictures.isEmpty() ? QString() : pictures.last().section(QLatin1Char('/'), -1);
    }

    QString folder_;
    yorvane::SettingsLocation settings;
    int year = 2026;
    QStringList pictures;
    QStringList documents;
    QStringList addresses;
    bool documentsAccepted = true;
    // What the last document asked to hear when the desktop fails afterwards: a test calls it.
    std::function<void()> documentFailure;
    bool addressesAccepted = true;
};
