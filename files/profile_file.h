#pragma once
// The settings file: a profile file of "[SECTION]" lines, each followed by "key=value" lines,
// in Shift_JIS (code page 932).
//
// How a file reads:
// - Lines end at LF, CRLF or a lone CR. A file that starts with a byte-order mark is UTF-8 or
//   UTF-16 instead (see Encoding).
// - A line whose first non-blank character is ';' is a comment.
// - A line that starts with '[' (after blanks) and holds a ']' opens a section; the name is what
//   lies between the '[' and the last ']' of the line, so a double-byte character whose second
//   byte is ']' stays inside the name.
// - Any other line with an '=' is a key line of the last section opened; lines before the first
//   section belong to none. The key is what precedes the first '='.
// - Names match with blanks and tabs around them trimmed and without regard to ASCII case. The
//   second byte of a double-byte character is never case-folded, so two different kana never
//   match.
// - A value has blanks and tabs around it trimmed, then one pair of enclosing double quotes
//   removed.
// - The first matching section and, inside it, the first matching key count; later duplicates
//   are kept but never read or written.
//
// Every function here is total: any bytes in, no crash, no assertion, no exception.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace yorvane::profile {

// The longest value readString hands back, in bytes: the program reads through a buffer of 255
// bytes whose last byte is the terminating NUL.
inline constexpr qsizetype kMaxValueBytes = 254;

// The value of `key` in the first `section` of `file`, trimmed and unquoted, in full length;
// nullopt when the section or the key is missing. A key with nothing after '=' gives an empty
// array, not nullopt.
std::optional<QByteArray> getValue(const QByteArray& file, const QByteArray& section,
                                   const QByteArray& key);

// A section name can be written when it is not empty after trimming and holds no line break.
bool isWritableSection(const QByteArray& section);
// A key name can be written when it is not empty after trimming, holds no line break and no '=',
// and does not start with '[' or ';' (it would read back as a section or a comment).
bool isWritableKey(const QByteArray& key);

// `file` with `key` of `section` set to `value`:
// - an existing key line is rewritten in place as key=value, with the key spelled as in the
//   file and the line's own line break;
// - otherwise key=value goes after the last non-blank line of the first matching section;
// - otherwise "[section]" and key=value are appended at the end of the file.
// New lines take the file's line break (that of its first line: CRLF or LF; CRLF for a file
// with none yet). Line breaks inside `value` become blanks. Names are trimmed before they are
// written. Every other byte of the file is kept. When a name cannot be written (see above) the
// file comes back unchanged.
QByteArray setValue(const QByteArray& file, const QByteArray& section, const QByteArray& key,
                    const QByteArray& value);

// The text encoding of a settings file: Shift_JIS, unless it starts with a byte-order mark of
// UTF-8 or UTF-16 (little or big endian). A file is read in its encoding and written back in it,
// its byte-order mark kept.
enum class Encoding { ShiftJis, Utf8, Utf16Le, Utf16Be };
Encoding encodingOf(const QByteArray& file);

// Text to and from Shift_JIS. A character that Shift_JIS cannot hold is written as '?'.
// Bytes that are no Shift_JIS decode to U+001A; none of them stops the decoding.
QByteArray toShiftJis(const QString& text);
QString fromShiftJis(const QByteArray& bytes);

// The bytes of the settings file at `path` (through symbolic links); nullopt when it is missing
// or cannot be read, and for anything that is not a regular file (a FIFO, a device, a socket, a
// folder), which is decided at once, without blocking and without reading from it.
std::optional<QByteArray> readFile(const QString& path);

// The value as the program reads it from the settings file `file` (as readFile gives it):
// `defaultValue` when there is no file or the section or key is missing; otherwise the raw value
// up to its first NUL byte and at most kMaxValueBytes bytes long, decoded from Shift_JIS. A
// first byte of a double-byte character left alone by the cut is dropped.
QString readString(const std::optional<QByteArray>& file, const QString& section,
                   const QString& key, const QString& defaultValue);

// One value to store.
struct Setting {
    QString section;
    QString key;
    QString value;
};

// Stores every setting in the file at `path` in one read-modify-write (see setValue), creating
// the file, sections and keys as needed, in the file's own encoding. The file is replaced through
// writeFileAtomically, so it is the old one or the new one, never a mixture, and two programs
// saving together leave one complete set.
// False, with the file untouched and `why` saying why in Japanese, when: the path is not a
// regular file (a FIFO, a device, a folder), the file has no write permission bit at all (left
// alone by every user, root included), an existing file cannot be read (its other lines would be
// lost), a name cannot be written, or the folder or the file cannot be written.
bool writeStrings(const QString& path, const QList<Setting>& settings, QString* why = nullptr);

}  // namespace yorvane::profile
