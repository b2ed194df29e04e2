#include "platform.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFont>
#include <QImageReader>
#include <QUrl>

namespace yorvane {

QString DesktopPlatform::programFolder() const { return QCoreApplication::applicationDirPath(); }

int DesktopPlatform::currentYear() const { return QDate::currentDate().year(); }

QPixmap DesktopPlatform::loadPicture(const QString& path) {
    // Decide the format by content, so a renamed or damaged file is simply not shown.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

bool DesktopPlatform::openDocument(const QString& fileName, const QString& workingFolder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(workingFolder).filePath(fileName)));
}

bool DesktopPlatform::openAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

void registerFontSubstitutes() {
    static bool done = false;
    if (done) return;
    done = true;
    // A desktop that has the original faces uses them; elsewhere the IPA faces stand in.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
}

}  // namespace yorvane
