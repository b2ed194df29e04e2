// Fuzz target for the settings-file module (getValue, setValue, the name checks and the
// Shift_JIS conversions).
//
// Input layout: the first byte is a separator of the input's own choosing; after it come the
// section name, the key name and the value, each ended by that separator, and every byte after
// the third separator is the file. Missing parts are empty. So "|SET|GENGO|昭和|[SET]\r\n..."
// sets GENGO of [SET] in a small file, and any byte, NUL included, can stand in any part.
//
// What is checked, against a reference reader written here from the rules of profile_file.h:
// - getValue gives what the reference reader gives, for the fuzzed names and for every
//   section/key pair named in the file;
// - isWritableSection / isWritableKey accept exactly the names the rules allow;
// - setValue gives the file the rules describe: unchanged for a name that cannot be written,
//   otherwise the key line rewritten in place, or a line added after the section's last
//   non-blank line, or the section and the line appended; the bytes before the touched line
//   and after it are the old ones; setting the same value twice changes nothing more;
// - the value reads back as written with its line breaks turned into blanks, then trimmed of
//   blanks and tabs and stripped of one pair of enclosing quotes (a value with no blank, tab or
//   line break at either end and not enclosed in quotes comes back byte for byte);
// - every other section/key pair reads the same before and after (none appears, none goes);
// - fromShiftJis decodes every byte: no U+FFFD, a first byte of a double-byte character left
//   alone at the end gives U+001A, and bytes 00-7F (plain ASCII text) decode to themselves as in
//   code page 932; decoding, encoding and decoding again changes nothing;
// - toShiftJis writes each character on its own (the whole text encodes as its characters one
//   by one do), as '?' or as a code that decodes to one character which encodes back the same.
// A failed check prints the parts of the input and stops the run.

#include "profile_file.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <utility>
#include <vector>

using yorvane::profile::fromShiftJis;
using yorvane::profile::getValue;
using yorvane::profile::isWritableKey;
using yorvane::profile::isWritableSection;
using yorvane::profile::setValue;
using yorvane::profile::toShiftJis;

namespace {

struct Input {
    QByteArray section, key, value, file;
};

Input split(const std::uint8_t* data, std::size_t size) {
    Input in;
    if (size == 0) return in;
    const QByteArray all(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const char sep = char(data[0]);
    QByteArray* parts[] = {&in.section, &in.key, &in.value};
    qsizetype pos = 0;
    for (QByteArray* part : parts) {
        const qsizetype end = all.indexOf(sep, pos);
        if (end < 0) {
            *part = all.mid(pos);
            return in;
        }
        *part = all.mid(pos, end - pos);
        pos = end + 1;
    }
    in.file = all.mid(pos);
    return in;
}

const Input* current = nullptr;

void dump(const char* label, const QByteArray& bytes) {
    std::fprintf(stderr, "  %-8s (%lld bytes) %s\n", label, (long long)bytes.size(),
                 bytes.toHex(' ').constData());
}

[[noreturn]] void fail(const char* what, const QByteArray& detail = {}) {
    std::fprintf(stderr, "\nfuzz_profile: %s\n", what);
    if (current) {
        dump("section", current->section);
        dump("key", current->key);
        dump("value", current->value);
        dump("file", current->file);
    }
    if (!detail.isEmpty()) std::fprintf(stderr, "  %s\n", detail.constData());
    __builtin_trap();
}

QByteArray show(const std::optional<QByteArray>& v) {
    return v ? "\"" + v->toHex(' ') + "\"" : QByteArray("missing");
}

// ---- the reference reader ------------------------------------------------------------------

bool refBlank(char c) { return c == ' ' || c == '\t'; }
bool refBreak(char c) { return c == '\r' || c == '\n'; }

QByteArray refTrim(const QByteArray& s) {
    qsizetype from = 0, to = s.size();
    while (from < to && refBlank(s[from])) ++from;
    while (to > from && refBlank(s[to - 1])) --to;
    return s.mid(from, to - from);
}

QByteArray refUnquote(const QByteArray& v) {
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"')) return v.mid(1, v.size() - 2);
    return v;
}

// A name as it is compared: a double-byte character (a code page 932 first byte and the byte
// after it) is one unit taken as it is; any other byte is one unit, ASCII letters upper-cased.
std::vector<int> refNameUnits(const QByteArray& name) {
    std::vector<int> units;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const int u = static_cast<unsigned char>(name[i]);
        const bool first = (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
        if (first && i + 1 < name.size()) {
            units.push_back(0x10000 | (u << 8) | static_cast<unsigned char>(name[i + 1]));
            ++i;
        } else {
            units.push_back(u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u);
        }
    }
    return units;
}

bool refSameName(const QByteArray& a, const QByteArray& b) {
    return refNameUnits(refTrim(a)) == refNameUnits(refTrim(b));
}

enum class RefKind { Other, Section, Key };

struct RefLine {
    qsizetype begin = 0, textEnd = 0, end = 0;
    RefKind kind = RefKind::Other;
    bool blank = true;  // nothing but blanks and tabs
    QByteArray name, value;
};

std::vector<RefLine> refLines(const QByteArray& f) {
    static const QByteArray bom("\xEF\xBB\xBF");
    std::vector<RefLine> lines;
    qsizetype pos = 0;
    while (pos < f.size()) {
        RefLine l;
        l.begin = pos;
        l.textEnd = pos;
        while (l.textEnd < f.size() && !refBreak(f[l.textEnd])) ++l.textEnd;
        l.end = l.textEnd;
        if (f.mid(l.end, 2) == "\r\n")
            l.end += 2;
        else if (l.end < f.size())
            l.end += 1;
        pos = l.end;

        QByteArray text = f.mid(l.begin, l.textEnd - l.begin);
        if (l.begin == 0 && text.startsWith(bom)) text.remove(0, bom.size());
        const QByteArray t = refTrim(text);
        l.blank = t.isEmpty();
        if (t.isEmpty() || t.startsWith(';')) {
            l.kind = RefKind::Other;
        } else if (t.startsWith('[') && t.contains(']')) {
            l.kind = RefKind::Section;
            l.name = refTrim(t.mid(1, t.lastIndexOf(']') - 1));
        } else if (t.contains('=')) {
            const qsizetype eq = t.indexOf('=');
            l.kind = RefKind::Key;
            l.name = refTrim(t.left(eq));
            l.value = refUnquote(refTrim(t.mid(eq + 1)));
        }
        lines.push_back(l);
    }
    return lines;
}

// Where a section and a key stand: the index of the first matching section's header, of the
// last non-blank line of that section and of the key's line in it.
struct RefPlace {
    std::optional<std::size_t> section, lastNonBlank, key;
};

RefPlace refFind(const std::vector<RefLine>& lines, const QByteArray& section,
                 const QByteArray& key) {
    RefPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const RefLine& l = lines[i];
        if (!place.section) {
            if (l.kind == RefKind::Section && refSameName(l.name, section))
                place.section = place.lastNonBlank = i;
            continue;
        }
        if (l.kind == RefKind::Section) break;
        if (l.kind == RefKind::Key && refSameName(l.name, key)) {
            place.key = i;
            break;
        }
        if (!l.blank) place.lastNonBlank = i;
    }
    return place;
}

std::optional<QByteArray> refGet(const QByteArray& f, const QByteArray& section,
                                 const QByteArray& key) {
    const std::vector<RefLine> lines = refLines(f);
    const RefPlace place = refFind(lines, section, key);
    if (!place.key) return std::nullopt;
    return lines[*place.key].value;
}

bool refWritableSection(const QByteArray& s) {
    const QByteArray t = refTrim(s);
    return !t.isEmpty() && !t.contains('\r') && !t.contains('\n');
}

bool refWritableKey(const QByteArray& k) {
    const QByteArray t = refTrim(k);
    return !t.isEmpty() && !t.contains('\r') && !t.contains('\n') && !t.contains('=') &&
           !t.startsWith('[') && !t.startsWith(';');
}

QByteArray refOneLine(const QByteArray& v) {
    QByteArray out = v;
    out.replace("\r\n", " ");
    out.replace('\r', ' ');
    out.replace('\n', ' ');
    return out;
}

// The file setValue should give, and the range [from, to) of the old file it replaces.
struct RefSet {
    QByteArray file;
    qsizetype from = 0, to = 0;
};

RefSet refSet(const QByteArray& f, const QByteArray& s, const QByteArray& k, const QByteArray& v) {
    if (!refWritableSection(s) || !refWritableKey(k)) return {f, f.size(), f.size()};
    const QByteArray section = refTrim(s), key = refTrim(k), value = refOneLine(v);
    const std::vector<RefLine> lines = refLines(f);
    const RefPlace place = refFind(lines, section, key);
    if (place.key) {
        const RefLine& l = lines[*place.key];
        return {f.left(l.begin) + l.name + '=' + value + f.mid(l.textEnd), l.begin, l.textEnd};
    }
    QByteArray eol("\r\n");
    if (!lines.empty() && f.mid(lines[0].textEnd, lines[0].end - lines[0].textEnd) == "\n")
        eol = "\n";
    if (place.section) {
        const RefLine& l = lines[*place.lastNonBlank];
        QByteArray out = f.left(l.end);
        if (l.end == l.textEnd) out += eol;
        out += key + '=' + value + eol + f.mid(l.end);
        return {out, l.end, l.end};
    }
    QByteArray out = f;
    if (!f.isEmpty() && !refBreak(f.back())) out += eol;
    out += '[' + section + ']' + eol + key + '=' + value + eol;
    return {out, f.size(), f.size()};
}

// Every section/key pair that names a key line of `f`, as spelled there.
void collectPairs(const QByteArray& f, std::set<std::pair<QByteArray, QByteArray>>& pairs) {
    std::optional<QByteArray> section;
    for (const RefLine& l : refLines(f)) {
        if (pairs.size() >= 256) return;
        if (l.kind == RefKind::Section)
            section = l.name;
        else if (l.kind == RefKind::Key && section)
            pairs.insert({*section, l.name});
    }
}

// ---- the checks ----------------------------------------------------------------------------

void checkProfile(const Input& in) {
    const std::optional<QByteArray> got = getValue(in.file, in.section, in.key);
    const std::optional<QByteArray> want = refGet(in.file, in.section, in.key);
    if (got != want)
        fail("getValue differs from the reference",
             "program " + show(got) + ", reference " + show(want));

    std::set<std::pair<QByteArray, QByteArray>> pairs;
    collectPairs(in.file, pairs);
    for (const auto& [s, k] : pairs) {
        const std::optional<QByteArray> g = getValue(in.file, s, k), w = refGet(in.file, s, k);
        if (g != w)
            fail("getValue differs from the reference for a pair of the file",
                 "section " + s.toHex(' ') + ", key " + k.toHex(' ') + ": program " + show(g) +
                     ", reference " + show(w));
    }

    const bool writable = isWritableSection(in.section) && isWritableKey(in.key);
    if (isWritableSection(in.section) != refWritableSection(in.section))
        fail("isWritableSection differs from the rules");
    if (isWritableKey(in.key) != refWritableKey(in.key))
        fail("isWritableKey differs from the rules");

    const QByteArray out = setValue(in.file, in.section, in.key, in.value);
    const RefSet model = refSet(in.file, in.section, in.key, in.value);
    if (!writable) {
        if (out != in.file) fail("setValue changed the file for a name that cannot be written");
        return;
    }
    if (out.left(model.from) != in.file.left(model.from))
        fail("setValue changed bytes before the touched line");
    if (!out.endsWith(in.file.mid(model.to))) fail("setValue changed bytes after the touched line");
    if (out != model.file)
        fail("setValue differs from the reference",
             "program " + out.toHex(' ') + "\n  reference " + model.file.toHex(' '));

    const QByteArray readBack = refUnquote(refTrim(refOneLine(in.value)));
    const std::optional<QByteArray> after = getValue(out, in.section, in.key);
    if (after != readBack)
        fail("the value does not read back",
             "read " + show(after) + ", expected " + show(readBack));
    // A value with no line break, no blank or tab at either end and no enclosing quotes is
    // one the file holds as it is.
    const bool plainValue =
        !in.value.isEmpty() && !in.value.contains('\r') && !in.value.contains('\n') &&
        !refBlank(in.value.front()) && !refBlank(in.value.back()) &&
        !(in.value.size() >= 2 && in.value.startsWith('"') && in.value.endsWith('"'));
    if (plainValue && after != in.value) fail("a plain value does not come back byte for byte");

    if (setValue(out, in.section, in.key, in.value) != out)
        fail("setting the same value again changed the file");

    collectPairs(out, pairs);
    for (const auto& [s, k] : pairs) {
        if (refSameName(s, in.section) && refSameName(k, in.key)) continue;
        const std::optional<QByteArray> before = getValue(in.file, s, k), now = getValue(out, s, k);
        if (before != now)
            fail("another section/key changed", "section " + s.toHex(' ') + ", key " +
                                                    k.toHex(' ') + ": before " + show(before) +
                                                    ", after " + show(now));
    }
}

bool isFirstByte(unsigned char u) { return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC); }

void checkDecoding(const QByteArray& bytes) {
    const QString text = fromShiftJis(bytes);
    if (text.contains(QChar(QChar::ReplacementCharacter)))
        fail("fromShiftJis gave U+FFFD, not U+001A", "bytes " + bytes.toHex(' '));

    qsizetype i = 0;
    while (i + 1 < bytes.size()) i += isFirstByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    if (i == bytes.size() - 1 && isFirstByte(static_cast<unsigned char>(bytes[i])) &&
        !text.endsWith(QChar(0x1A)))
        fail("a first byte alone at the end does not decode to U+001A",
             "bytes " + bytes.toHex(' '));

    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && text != QString::fromLatin1(bytes))
        fail("ASCII bytes do not decode to themselves",
             "bytes " + bytes.toHex(' ') + "\n  decoded " + text.toUtf8().toHex(' '));

    if (fromShiftJis(toShiftJis(text)) != text)
        fail("decoding, encoding and decoding again changed the text", "bytes " + bytes.toHex(' '));
}

void checkEncoding(const QByteArray& raw) {
    // The bytes as UTF-16 code units, lone surrogates included.
    QString text;
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2)
        text += QChar(char16_t(static_cast<unsigned char>(raw[i]) |
                               (static_cast<unsigned char>(raw[i + 1]) << 8)));

    const QByteArray whole = toShiftJis(text);
    QByteArray pieces;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString character = text.mid(i, n);
        const QByteArray piece = toShiftJis(character);
        if (piece.isEmpty())
            fail(
                "a character is written as nothing, not as '?'",
                "code units " + QByteArray::number(character[0].unicode(), 16) +
                    (n == 2 ? " " + QByteArray::number(character[1].unicode(), 16) : QByteArray()));
        if (piece != "?") {
            const QString back = fromShiftJis(piece);
            if (back.size() != 1 || toShiftJis(back) != piece)
                fail("a character encodes to a code that does not stand for one character",
                     "character " + character.toUtf8().toHex(' ') + " -> " + piece.toHex(' '));
        }
        pieces += piece;
        i += n;
    }
    if (whole != pieces)
        fail("toShiftJis of a text differs from its characters encoded one by one",
             "whole " + whole.toHex(' ') + "\n  pieces " + pieces.toHex(' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in = split(data, size);
    current = &in;
    checkProfile(in);
    for (const QByteArray* part : {&in.file, &in.value, &in.section, &in.key}) checkDecoding(*part);
    checkEncoding(in.value);
    current = nullptr;
    return 0;
}
