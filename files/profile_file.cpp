#include "profile_file.h"

#include "atomic_file.h"

#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <exception>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yorvane::profile {

namespace {

constexpr const char* kEncoding = "Shift_JIS";
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// Code page 932: 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool isLeadByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

QByteArrayView trimBlanks(QByteArrayView v) {
    qsizetype b = 0;
    qsizetype e = v.size();
    while (b < e && isBlank(v[b])) ++b;
    while (e > b && isBlank(v[e - 1])) --e;
    return v.sliced(b, e - b);
}

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// ASCII letters match in either case; a double-byte character must match byte for byte, since
// its second byte may fall in the ASCII letter range: ア is 83 41 and ヂ is 83 61, which a plain
// case-blind compare would take for "A" and "a".
bool sameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (isLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// One line of the file: its text is [begin, textEnd), its line break [textEnd, end).
struct Line {
    qsizetype begin = 0;
    qsizetype textEnd = 0;
    qsizetype end = 0;
};

Line lineAt(const QByteArray& file, qsizetype begin) {
    Line line{begin, begin, begin};
    const qsizetype size = file.size();
    while (line.textEnd < size && !isLineBreak(file[line.textEnd])) ++line.textEnd;
    line.end = line.textEnd;
    if (line.end < size && file[line.end] == '\r') ++line.end;
    if (line.end < size && file[line.end] == '\n') ++line.end;
    return line;
}

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    QByteArrayView name;
    QByteArrayView value;
};

Parsed parseLine(QByteArrayView text) {
    const QByteArrayView t = trimBlanks(text);
    if (t.isEmpty() || t[0] == ';') return {};
    if (t[0] == '[') {
        qsizetype close = t.size() - 1;
        while (close > 0 && t[close] != ']') --close;
        if (close > 0) return {Kind::Section, trimBlanks(t.sliced(1, close - 1)), {}};
    }
    const qsizetype eq = t.indexOf('=');
    if (eq < 0) return {};
    QByteArrayView value = trimBlanks(t.sliced(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.sliced(1, value.size() - 2);
    return {Kind::Key, trimBlanks(t.first(eq)), value};
}

QByteArrayView lineText(const QByteArray& file, const Line& line) {
    QByteArrayView text(file.constData() + line.begin, line.textEnd - line.begin);
    if (line.begin == 0 && text.startsWith(kUtf8Bom)) text = text.sliced(kUtf8Bom.size());
    return text;
}

// Where a key is, or where it would go.
struct Location {
    bool sectionFound = false;
    Line lastNonBlank;  // of the first matching section, its header when nothing else
    bool keyFound = false;
    Line keyLine;
    QByteArrayView keyName;  // as spelled in the file
    QByteArrayView value;
};

Location locate(const QByteArray& file, QByteArrayView section, QByteArrayView key) {
    Location loc;
    bool inSection = false;
    for (qsizetype pos = 0; pos < file.size();) {
        const Line line = lineAt(file, pos);
        pos = line.end;
        const QByteArrayView text = lineText(file, line);
        const Parsed parsed = parseLine(text);
        if (parsed.kind == Kind::Section) {
            if (inSection) break;  // the first matching section has ended
            if (sameName(parsed.name, section)) {
                inSection = true;
                loc.sectionFound = true;
                loc.lastNonBlank = line;
            }
            continue;
        }
        if (!inSection) continue;
        if (parsed.kind == Kind::Key && sameName(parsed.name, key)) {
            loc.keyFound = true;
            loc.keyLine = line;
            loc.keyName = parsed.name;
            loc.value = parsed.value;
            break;
        }
        if (!trimBlanks(text).isEmpty()) loc.lastNonBlank = line;
    }
    return loc;
}

// The line break new lines get: that of the file's first line, CRLF when there is none yet (or
// when the first line ends in a lone CR, which a following empty LF line could swallow).
QByteArray lineBreakOf(const QByteArray& file) {
    const Line first = lineAt(file, 0);
    if (first.end - first.textEnd == 1 && file[first.textEnd] == '\n')
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n");
}

// A value on one line: CRLF, CR and LF each become one blank.
QByteArray oneLine(const QByteArray& value) {
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += isLineBreak(value[i]) ? ' ' : value[i];
    }
    return out;
}

// The converter's table moves three control codes in a cycle (1A -> U+001C, 1C -> U+007F,
// 7F -> U+001A); code page 932 keeps them. None of them is ever a second byte.
QByteArray beforeDecoding(QByteArray b) {
    for (char& c : b)
        c = c == 0x1A ? char(0x7F) : c == 0x1C ? char(0x1A) : c == 0x7F ? char(0x1C) : c;
    return b;
}
QByteArray afterEncoding(QByteArray b) {
    for (char& c : b)
        c = c == 0x7F ? char(0x1A) : c == 0x1A ? char(0x1C) : c == 0x1C ? char(0x7F) : c;
    return b;
}

bool hasLineBreak(QByteArrayView v) { return v.contains('\r') || v.contains('\n'); }

// A value cut to the buffer the program reads through.
QByteArray cutLikeBuffer(QByteArray raw) {
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0) raw.truncate(nul);
    raw.truncate(kMaxValueBytes);
    qsizetype i = 0;
    while (i < raw.size()) i += isLeadByte(raw[i]) ? 2 : 1;
    if (i > raw.size()) raw.chop(1);  // a first byte whose second byte fell beyond the cut
    return raw;
}

// A value cut like that, for a file in UTF-8: a character the cut left incomplete is dropped.
QByteArray cutUtf8(QByteArray raw) {
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0) raw.truncate(nul);
    if (raw.size() <= kMaxValueBytes) return raw;
    raw.truncate(kMaxValueBytes + 1);
    qsizetype start = raw.size() - 1;  // the character the cut falls in starts here
    while (start > 0 && (static_cast<unsigned char>(raw[start]) & 0xC0) == 0x80) --start;
    raw.truncate(start);
    return raw;
}

constexpr QByteArrayView kUtf16LeBom("\xFF\xFE", 2);
constexpr QByteArrayView kUtf16BeBom("\xFE\xFF", 2);

bool isUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

// UTF-16 text as the parser reads it: each code unit on its own in the one to three bytes UTF-8
// gives it, a surrogate included, so that every name, '=', '[' and line break is ASCII and any
// sequence of code units, a lone surrogate included, comes back exactly.
void appendUnit(QByteArray& out, char16_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

QByteArray unitBytes(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) appendUnit(out, c.unicode());
    return out;
}

// The code units back from unitBytes; a byte that starts no unit stands for itself.
QString unitText(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = [&](qsizetype k) { return static_cast<unsigned char>(bytes[i + k]); };
        const auto follows = [&](qsizetype k) {
            return i + k < bytes.size() && (b(k) & 0xC0) == 0x80;
        };
        if ((b(0) & 0xE0) == 0xC0 && follows(1)) {
            out += QChar(char16_t(((b(0) & 0x1F) << 6) | (b(1) & 0x3F)));
            i += 2;
        } else if ((b(0) & 0xF0) == 0xE0 && follows(1) && follows(2)) {
            out += QChar(char16_t(((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F)));
            i += 3;
        } else {
            out += QChar(char16_t(b(0)));
            i += 1;
        }
    }
    return out;
}

// The file's lines as the parser reads them: bytes in which every name, '=', '[' and line break
// is ASCII. A UTF-16 file is read code unit by code unit (see unitBytes); an odd last byte, half
// of no unit, is kept aside and put back at the end.
struct Working {
    QByteArray bytes;
    QByteArray oddByte;
};

Working workingBytes(const QByteArray& file, Encoding encoding) {
    if (!isUtf16(encoding)) return {file, {}};
    const QByteArrayView body = QByteArrayView(file).sliced(2);
    const qsizetype units = body.size() / 2;
    QString text(units, Qt::Uninitialized);
    const int high = encoding == Encoding::Utf16Le ? 1 : 0;
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(static_cast<unsigned char>(body[2 * i + 1 - high]),
                        static_cast<unsigned char>(body[2 * i + high]));
    return {unitBytes(text), body.size() % 2 ? body.last(1).toByteArray() : QByteArray()};
}

QByteArray fileBytes(const Working& working, Encoding encoding) {
    if (!isUtf16(encoding)) return working.bytes;
    const bool little = encoding == Encoding::Utf16Le;
    const QString text = unitText(working.bytes);
    QByteArray out = (little ? kUtf16LeBom : kUtf16BeBom).toByteArray();
    out.reserve(out.size() + text.size() * 2 + 1);
    for (const QChar c : text) {
        out += char(little ? c.cell() : c.row());
        out += char(little ? c.row() : c.cell());
    }
    return out + working.oddByte;
}

QByteArray encodeText(const QString& text, Encoding encoding) {
    if (isUtf16(encoding)) return unitBytes(text);
    return encoding == Encoding::ShiftJis ? toShiftJis(text) : text.toUtf8();
}

}  // namespace

Encoding encodingOf(const QByteArray& file) {
    if (file.startsWith(kUtf8Bom)) return Encoding::Utf8;
    if (file.startsWith(kUtf16LeBom)) return Encoding::Utf16Le;
    if (file.startsWith(kUtf16BeBom)) return Encoding::Utf16Be;
    return Encoding::ShiftJis;
}

std::optional<QByteArray> getValue(const QByteArray& file, const QByteArray& section,
                                   const QByteArray& key) {
    const Location loc = locate(file, trimBlanks(section), trimBlanks(key));
    if (!loc.keyFound) return std::nullopt;
    return loc.value.toByteArray();
}

bool isWritableSection(const QByteArray& section) {
    const QByteArrayView s = trimBlanks(section);
    return !s.isEmpty() && !hasLineBreak(s);
}

bool isWritableKey(const QByteArray& key) {
    const QByteArrayView k = trimBlanks(key);
    return !k.isEmpty() && !hasLineBreak(k) && !k.contains('=') && k[0] != '[' && k[0] != ';';
}

QByteArray setValue(const QByteArray& file, const QByteArray& section, const QByteArray& key,
                    const QByteArray& value) {
    if (!isWritableSection(section) || !isWritableKey(key)) return file;
    const QByteArrayView s = trimBlanks(section);
    const QByteArrayView k = trimBlanks(key);
    const QByteArray v = oneLine(value);
    const Location loc = locate(file, s, k);

    QByteArray out;
    if (loc.keyFound) {
        out.reserve(file.size() + v.size() + 2);
        out.append(file.constData(), loc.keyLine.begin);
        out.append(loc.keyName).append('=').append(v);
        out.append(QByteArrayView(file).sliced(loc.keyLine.textEnd));
        return out;
    }

    const QByteArray eol = lineBreakOf(file);
    out.reserve(file.size() + s.size() + k.size() + v.size() + 4 * eol.size() + 3);
    if (loc.sectionFound) {
        const Line& after = loc.lastNonBlank;
        out.append(file.constData(), after.end);
        if (after.end == after.textEnd)  // the file's last line, without a line break
            out.append(eol);
        out.append(k).append('=').append(v).append(eol);
        out.append(QByteArrayView(file).sliced(after.end));
        return out;
    }
    out.append(file);
    if (!file.isEmpty() && !isLineBreak(file.back())) out.append(eol);
    out.append('[').append(s).append(']').append(eol);
    out.append(k).append('=').append(v).append(eol);
    return out;
}

QByteArray toShiftJis(const QString& text) {
    QStringEncoder encoder(kEncoding, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) {
        // Without the converter only ASCII can be trusted.
        QByteArray out;
        for (const QChar c : text) out += c.unicode() < 0x80 ? char(c.unicode()) : '?';
        return out;
    }
    QByteArray out = encoder(text);
    if (!encoder.hasError()) return afterEncoding(out);
    // The converter's own substitute (FC FC) would read back as a different character; the
    // desktop's conversion writes '?', so do the same, character by character.
    out.clear();
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size();) {
        const qsizetype n =
            (view[i].isHighSurrogate() && i + 1 < view.size() && view[i + 1].isLowSurrogate()) ? 2
                                                                                               : 1;
        QStringEncoder one(kEncoding, QStringEncoder::Flag::Stateless);
        const QByteArray bytes = one(view.sliced(i, n));
        out += one.hasError() ? QByteArray("?") : bytes;
        i += n;
    }
    return afterEncoding(out);
}

QString fromShiftJis(const QByteArray& bytes) {
    QStringDecoder decoder(kEncoding, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        QString out;
        for (const char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? QChar(QLatin1Char(c))
                                                        : QChar(QChar::ReplacementCharacter);
        return out;
    }
    // Bytes that are no character all decode to U+001A, the unassigned codes included.
    QString text = decoder(beforeDecoding(bytes) + ' ');
    text.chop(1);
    text.replace(QChar(QChar::ReplacementCharacter), QChar(0x1A));
    return text;
}

std::optional<QByteArray> readFile(const QString& path) {
    try {
        // Opened without blocking, so that a FIFO with no writer answers at once; then only a
        // regular file is read. /dev/zero or a device would never end.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) return std::nullopt;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return std::nullopt;
        }
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return std::nullopt;
        }
        QByteArray content = file.readAll();
        if (file.error() != QFileDevice::NoError) return std::nullopt;
        return content;
    } catch (const std::exception&) {
        return std::nullopt;  // out of memory for a giant file
    }
}

QString readString(const std::optional<QByteArray>& file, const QString& section,
                   const QString& key, const QString& defaultValue) {
    if (!file) return defaultValue;
    try {
        const Encoding encoding = encodingOf(*file);
        const std::optional<QByteArray> raw =
            getValue(workingBytes(*file, encoding).bytes, encodeText(section, encoding),
                     encodeText(key, encoding));
        if (!raw) return defaultValue;
        if (encoding == Encoding::ShiftJis) return fromShiftJis(cutLikeBuffer(*raw));
        return QString::fromUtf8(cutUtf8(isUtf16(encoding) ? unitText(*raw).toUtf8() : *raw));
    } catch (const std::exception&) {
        return defaultValue;
    }
}

bool writeStrings(const QString& path, const QList<Setting>& settings, QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    try {
        if (const std::optional<QString> refused = refusedTarget(path)) return fail(*refused);
        QByteArray content;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            // A file made read-only is left alone, even by a user whom the system would let
            // write it anyway.
            if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
                return fail(QStringLiteral("ファイルが読み取り専用になっています"));
            // A file we cannot read is not one we may replace: its other lines would be lost.
            std::optional<QByteArray> old = readFile(path);
            if (!old)
                return fail(
                    QStringLiteral("今のファイルを読めません（ほかの行を守るため書き込みません）"));
            content = std::move(*old);
        }
        // The file keeps the encoding it has: Shift_JIS, or what its byte-order mark says.
        const Encoding encoding = encodingOf(content);
        Working working = workingBytes(content, encoding);
        for (const Setting& s : settings) {
            const QByteArray section = encodeText(s.section, encoding);
            const QByteArray key = encodeText(s.key, encoding);
            if (!isWritableSection(section) || !isWritableKey(key))
                return fail(QStringLiteral("書き込めない名前の項目があります"));
            working.bytes = setValue(working.bytes, section, key, encodeText(s.value, encoding));
        }
        return writeFileAtomically(path, fileBytes(working, encoding), why);
    } catch (const std::exception&) {
        return fail(reasonForError(ENOMEM));
    }
}

}  // namespace yorvane::profile
