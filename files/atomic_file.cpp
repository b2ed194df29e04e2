#include "atomic_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace yorvane {

namespace {

struct Failure {
    QString reason;
};

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    if (slash == 0) return QByteArrayLiteral("/");
    return path.first(slash);
}

// The file a path finally names: symbolic links followed, a dangling one to where it points.
QByteArray finalTarget(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n <= 0) return path;
        const QByteArray link(buffer, n);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    return path;  // a loop: the calls below report it
}

mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

bool writeAll(int fd, const QByteArray& bytes, off_t offset, int* error) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *error = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// Writes the whole content from the start, cuts the file there when asked, and syncs it: 0, or
// the error of the first step that failed.
int fillAndSync(int fd, const QByteArray& bytes, bool cutAfter) {
    int error = 0;
    if (!writeAll(fd, bytes, 0, &error)) return error;
    if (cutAfter && ::ftruncate(fd, off_t(bytes.size())) != 0) return errno;
    if (::fsync(fd) != 0) return errno;
    return 0;
}

// What the program makes in a folder of another user (run as root in that user's home) becomes
// that user's, as a replaced file stays its owner's: otherwise the user could not save there
// again. A failure, when not root, leaves it ours, which is all it could be.
void giveToFolderOwner(int fd, const QByteArray& folder) {
    struct stat owner {};
    if (::stat(folder.constData(), &owner) != 0 || owner.st_uid == ::geteuid()) return;
    if (fd >= 0) (void)::fchown(fd, owner.st_uid, owner.st_gid);
}

int makeFolderPath(const QByteArray& native) {
    struct stat st {};
    if (native.isEmpty() || ::stat(native.constData(), &st) == 0)
        return native.isEmpty() || S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    const QByteArray parent = folderOf(native);
    if (parent != native) {
        if (const int error = makeFolderPath(parent)) return error;
    }
    if (::mkdir(native.constData(), 0777) != 0) return errno == EEXIST ? 0 : errno;
    // Only the folder just made, never what a link put in its place leads to.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    giveToFolderOwner(fd, parent);
    if (fd >= 0) ::close(fd);
    return 0;
}

void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename itself; a folder that cannot be synced still holds the new file
    ::close(fd);
}

// The old file overwritten where it is. Its new size is reserved first, so a full disk fails
// before a byte of it changes.
std::optional<Failure> writeInPlace(const QByteArray& target, const QByteArray& bytes) {
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return Failure{reasonForError(errno)};
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Failure{notRegularFileReason()};
    }
    if (bytes.size() > st.st_size) {
        error = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        if (error == EOPNOTSUPP || error == EINVAL) error = 0;  // nothing to reserve with
    }
    if (error == 0) error = fillAndSync(fd, bytes, true);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) return Failure{reasonForError(error)};
    return std::nullopt;
}

std::optional<Failure> writeThroughTemporary(const QByteArray& target, const QByteArray& bytes,
                                             const struct stat* old, bool* inPlaceInstead) {
    const QByteArray folder = folderOf(target);
    QByteArray temporary = folder + "/.yorvane-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *inPlaceInstead = old && (error == EACCES || error == EPERM);
        return Failure{reasonForError(error)};
    }
    int error = 0;
    const mode_t mode = old ? (old->st_mode & 07777) : newFileMode();
    if (!old) giveToFolderOwner(fd, folder);
    if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) &&
        ::fchown(fd, old->st_uid, old->st_gid) != 0) {
        // Renaming our file over another user's would take it from them.
        ::close(fd);
        ::unlink(temporary.constData());
        *inPlaceInstead = true;
        return Failure{reasonForError(EPERM)};
    }
    if (::fchmod(fd, mode) != 0) error = errno;
    if (error == 0) error = fillAndSync(fd, bytes, false);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return Failure{reasonForError(error)};
    }
    syncFolder(folder);
    return std::nullopt;
}

}  // namespace

QString notRegularFileReason() {
    return QStringLiteral(
        "通常のファイルではありません（名前付きパイプやデバイスには書き込みません）");
}

QString reasonForError(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return QStringLiteral("空き容量が足りません");
        case EACCES:
        case EPERM: return QStringLiteral("書き込みの権限がありません");
        case ENOENT:
        case ENOTDIR: return QStringLiteral("フォルダーがありません");
        case EROFS: return QStringLiteral("読み取り専用のファイルシステムです");
        case EISDIR: return QStringLiteral("同じ名前のフォルダーがあります");
        case ENAMETOOLONG: return QStringLiteral("ファイル名が長すぎます");
        case ELOOP: return QStringLiteral("シンボリックリンクが循環しています");
        case EFBIG: return QStringLiteral("ファイルが大きすぎます");
        case EIO: return QStringLiteral("ディスクの読み書きでエラーが起きました");
        case ENOMEM: return QStringLiteral("メモリーが足りません");
        case EBADF: return QStringLiteral("書き込み先が開かれていません");
        case EMFILE:
        case ENFILE: return QStringLiteral("開いているファイルが多すぎます");
        case EINVAL:
        case ENXIO:
        case ENODEV: return QStringLiteral("書き込み先がこの書き込みを受け付けません");
        case EPIPE: return QStringLiteral("読み手がいなくなりました");
        case EAGAIN: return QStringLiteral("書き込み先が今は受け付けません");
        default: return QStringLiteral("書き込めませんでした（エラー番号 %1）").arg(error);
    }
}

std::optional<QString> refusedTarget(const QString& path) {
    return refusedNativeTarget(QFile::encodeName(path));
}

std::optional<QString> refusedNativeTarget(const QByteArray& path) {
    const QByteArray target = finalTarget(path);
    struct stat st {};
    if (::stat(target.constData(), &st) == 0)
        return S_ISREG(st.st_mode) ? std::nullopt : std::optional(notRegularFileReason());
    if (errno != ENOENT) return reasonForError(errno);
    if (::stat(folderOf(target).constData(), &st) != 0) return reasonForError(errno);
    if (!S_ISDIR(st.st_mode)) return reasonForError(ENOTDIR);
    return std::nullopt;
}

int makeFolders(const QString& path) { return makeFolderPath(QFile::encodeName(path)); }

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* why) {
    return writeNativeFileAtomically(QFile::encodeName(path), bytes, why);
}

bool writeNativeFileAtomically(const QByteArray& path, const QByteArray& bytes, QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (const std::optional<QString> refused = refusedNativeTarget(path)) return fail(*refused);
    const QByteArray target = finalTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    bool inPlaceInstead = false;
    std::optional<Failure> failure =
        writeThroughTemporary(target, bytes, exists ? &st : nullptr, &inPlaceInstead);
    if (failure && inPlaceInstead) failure = writeInPlace(target, bytes);
    return failure ? fail(failure->reason) : true;
}

}  // namespace yorvane
