#pragma once
// Every file the program writes goes through here: the settings, the age table's CSV and its
// printed PDF.
//
// The new content is written to a temporary file beside the target, flushed and checked, synced
// to the disk and only then renamed over the target, so a reader sees the old file or the new
// one, never a part. When anything fails, the old file is byte for byte as it was, the temporary
// file is gone and the caller gets the reason in Japanese.
//
// - A target that exists and is no regular file (a FIFO, a device, a socket, a folder) is refused
//   before anything is opened for writing.
// - A symbolic link is written through, as editors do: the file it leads to is replaced and the
//   link stays.
// - A replaced file keeps its mode, owner and group. Where the owner cannot be kept (the file is
//   another user's, writable to us through its group), and where no temporary file can be made
//   beside it (a folder we may not write, holding a file we may), the file is written in place
//   instead, after its new size has been reserved on the disk, so a full disk leaves it as it was.
// - A new file gets the mode 0666 less the umask, like any other new file. Made in a folder of
//   another user (run as root in a user's home), it is given to that folder's owner and group.

#include <QByteArray>
#include <QString>

#include <optional>

namespace yorvane {

// Why `path` may not be written, decided without opening it (nullopt when it may be tried): the
// target is no regular file, or its folder is missing.
std::optional<QString> refusedTarget(const QString& path);

// Writes `bytes` as the whole content of the file at `path`; false, with the old file untouched
// and `why` (if given) holding the reason, when it could not.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* why = nullptr);
// The same two for a path given as its bytes, which need not be UTF-8 (a name from the command
// line in Shift_JIS).
std::optional<QString> refusedNativeTarget(const QByteArray& path);
bool writeNativeFileAtomically(const QByteArray& path, const QByteArray& bytes,
                               QString* why = nullptr);

// Makes the folder `path` and every missing folder above it: 0, or the error that stopped it.
// A folder made in a folder of another user (the program run as root in a user's home) is given
// to that folder's owner and group, as a new file written there is.
int makeFolders(const QString& path);

// The cause of a failed system call, said in Japanese.
QString reasonForError(int error);

// The Japanese reason given for a target that is no regular file.
QString notRegularFileReason();

}  // namespace yorvane
