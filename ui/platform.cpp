#include "platform.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QUrl>

namespace yorvane {

QString DesktopPlatform::programFolder() const { return QCoreApplication::applicationDirPath(); }

int DesktopPlatform::currentYear() const { return QDate::currentDate().year(); }

namespace {
// Qt's JPEG and GIF readers show what they could decode of a cut-off file; a picture that does
// not end as its format ends is not shown at all.
bool wholePicture(const QByteArray& data) {
    // Padding that some writers leave after the end is allowed.
    qsizetype end = data.size();
    while (end > 0 && (data[end - 1] == '\0' || data[end - 1] == '\n' || data[end - 1] == '\r'))
        --end;
    const QByteArray body = data.first(end);
    if (body.startsWith("\xFF\xD8")) return body.right(64).contains("\xFF\xD9");  // end of image
    if (body.startsWith("GIF8")) return body.endsWith('\x3B');  // the GIF trailer
    return true;
}
}  // namespace

QPixmap DesktopPlatform::loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    if (!wholePicture(data)) return {};
    // The format is decided by content, so a renamed or damaged file is simply not shown.
    QImage image;
    if (!image.loadFromData(data)) return {};
    return QPixmap::fromImage(image);
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
