#include "platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include <climits>

namespace yorvane {

QString reachablePath(const QByteArray& native) {
    if (native.isEmpty()) return {};
    const QString decoded = QFile::decodeName(native);
    if (QFile::encodeName(decoded) == native) return decoded;
    // Bytes that are no UTF-8 do not survive a QString: the deepest folder of the path that
    // exists is opened once, for the program's lifetime, and named through the process's file
    // descriptors, which the program's own calls and the programs it starts can all follow.
    QByteArray folder = native;
    while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    QByteArray rest;
    for (;;) {
        const int fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            const QString restText = QFile::decodeName(rest);
            if (QFile::encodeName(restText) != rest) {
                ::close(fd);
                return {};
            }
            return QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(fd) + restText;
        }
        const qsizetype slash = folder.lastIndexOf('/');
        if (slash <= 0) return {};
        rest.prepend(folder.sliced(slash));
        folder.truncate(slash);
    }
}

namespace {
QByteArray executableFolderBytes() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0) return QFile::encodeName(QCoreApplication::applicationDirPath());
    QByteArray exe(buffer, n);
    return exe.first(qMax<qsizetype>(exe.lastIndexOf('/'), 1));
}
}  // namespace

DesktopPlatform::DesktopPlatform() {
    const QString executableFolder = reachablePath(executableFolderBytes());
    if (executableFolder.isEmpty()) {
        // Nothing is read from or written to any other folder instead.
        problem_ = QStringLiteral("プログラムのフォルダーを開けません。設定は読み書きしません。");
        return;
    }
    const QString config =
        reachablePath(configFolderBytes(qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME")));
    const Folders f = foldersFor(executableFolder, config);
    programFolder_ = f.program;
    settings_ = f.settings;
}

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
    if (body.startsWith("GIF8")) return body.endsWith('\x3B');                    // the GIF trailer
    return true;
}
}  // namespace

QImage decodePicture(const QString& path, const QSize& shownSize) {
    // Only a regular file is opened: a FIFO or a device in place of a picture would block or
    // never end.
    if (!QFileInfo(path).isFile()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError || !wholePicture(data)) return {};
    // The format is decided by content, so a renamed or damaged file is simply not shown.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Decoding at the size shown keeps a huge picture cheap: the JPEG reader scales while it
    // decodes. Qt's allocation limit still refuses absurd sizes.
    if (!shownSize.isEmpty()) reader.setScaledSize(shownSize);
    return reader.read();
}

QPixmap DesktopPlatform::loadPicture(const QString& path, const QSize& shownSize) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        pictures_.remove(path);
        return {};
    }
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    auto it = pictures_.find(path);
    if (it != pictures_.end() && it->fileSize == size && it->modified == modified &&
        it->shownSize == shownSize)
        return it->picture;
    // The file may have become unreadable since: decoded anew, a failure shows nothing.
    CachedPicture entry{size, modified, shownSize,
                        QPixmap::fromImage(decodePicture(path, shownSize))};
    pictures_.insert(path, entry);
    return entry.picture;
}

namespace {

// Starts xdg-open on `target` from `workingFolder`; false when there is none or it cannot start.
// Qt's own way reports success whenever it could start a launcher, whatever became of the
// document; xdg-open ends with a status of its own.
bool startOpener(const QString& target, const QString& workingFolder,
                 std::function<void()> failedLater) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return false;
    // Not detached: without a desktop environment xdg-open waits for the viewer it started, so
    // its status comes later and the program does not wait for it.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({target});
    if (!workingFolder.isEmpty()) process->setWorkingDirectory(workingFolder);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failedLater](int code, QProcess::ExitStatus status) {
                         // A killed opener (the program ending) is no failure to report.
                         if (status == QProcess::NormalExit && code != 0 && failedLater)
                             failedLater();
                         process->deleteLater();
                     });
    process->start();
    if (process->waitForStarted()) return true;
    delete process;
    return false;
}

}  // namespace

bool DesktopPlatform::openDocument(const QString& fileName, const QString& workingFolder,
                                   std::function<void()> failedLater) {
    return startOpener(QFileInfo(QDir(workingFolder), fileName).absoluteFilePath(), workingFolder,
                       std::move(failedLater));
}

// Through xdg-open as well: it reports a browser that cannot be started ("no method available"),
// which Qt's own way would take for success.
bool DesktopPlatform::openAddress(const QString& address, std::function<void()> failedLater) {
    return startOpener(address, QString(), std::move(failedLater));
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
