// The settings file: reading and writing profile-file values in Shift_JIS.

#include "profile_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace yorvane::profile;

namespace {

QByteArray sjis(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void getValue_data();
    void getValue();
    void setValue_data();
    void setValue();
    void setValue_randomFilesKeepOtherValues();
    void readString_fromFile_data();
    void readString_fromFile();
    void readString_missingOrUnreadable();
    void readString_hugeAndRandomFiles();
    void encoding_data();
    void encoding();
    void writeString_eraNamesAtByteLevel_data();
    void writeString_eraNamesAtByteLevel();
    void writeString_newFileInProgramOrder();
    void writeStrings_lastSaveWholeAndOtherLinesKept();
    void kindsOfFile_data();
    void kindsOfFile();
    void writeString_failureLeavesOldFile_data();
    void writeString_failureLeavesOldFile();
    void controlBytesAndCutCharacters_data();
    void controlBytesAndCutCharacters();
    void bracketLineWithoutCloseIsAKey();
};

void TestProfile::getValue_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");
    const auto row = [](const char* name, const QByteArray& file, const QByteArray& section,
                        const QByteArray& key, const std::optional<QByteArray>& value) {
        QTest::newRow(name) << file << section << key << value.has_value() << value.value_or("");
    };
    const std::nullopt_t none = std::nullopt;

    const QByteArray ab = "[A]\r\nK=1\r\n[B]\r\nL=2\r\n";
    row("empty file", "", "A", "K", none);
    row("missing section", ab, "C", "K", none);
    row("missing key", ab, "A", "M", none);
    row("key of the next section", ab, "A", "L", none);
    row("second section", ab, "B", "L", "2");
    row("empty value is found", "[A]\r\nK=\r\n", "A", "K", "");
    row("names ignore ASCII case", "[Set]\r\nshiTei=55\r\n", "SET", "SHITEI", "55");
    row("blanks and tabs around names", "  [ SET ]\t\r\n\t SHITEI \t=55\r\n", " SET", "SHITEI\t",
        "55");
    row("blanks around value trimmed", "[A]\nK= \t a b \t\n", "A", "K", "a b");
    row("enclosing quotes removed, inner blanks kept", "[A]\nK= \" a \" \n", "A", "K", " a ");
    row("lone quote kept", "[A]\nK=\"\n", "A", "K", "\"");
    row("quotes not enclosing kept", "[A]\nK=\"a\"b\n", "A", "K", "\"a\"b");
    row("value holds later '='", "[A]\nK=a=b\n", "A", "K", "a=b");
    row("comment skipped", "[A]\n;K=1\n  ;K=2\nK=3\n", "A", "K", "3");
    row("line without '=' skipped", "[A]\nK\nK=2\n", "A", "K", "2");
    row("keys before any section belong to none", "K=0\n[A]\nL=1\n", "A", "K", none);
    row("first of two equal sections counts", "[A]\nL=1\n[a]\nK=2\n", "A", "K", none);
    row("first of two equal keys counts", "[A]\nK=1\nk=2\n", "A", "K", "1");
    row("'[' without ']' opens no section", "[A]\n[B\nK=1\n", "A", "K", "1");
    row("text after ']' ignored", "[A] ;note\nK=1\n", "A", "K", "1");
    row("lone CR ends lines", "[A]\rK=1\rL=2", "A", "L", "2");
    row("CR of CRLF not in value", "[A]\r\nK=1\r\n", "A", "K", "1");
    row("UTF-8 mark before first section", "\xEF\xBB\xBF[A]\r\nK=1\r\n", "A", "K", "1");
    // ア (83 41) and ヂ (83 61) differ only in a second byte that looks like 'A' / 'a'.
    row("kana names are not case-folded", "[\x83\x41]\nK=1\n", sjis("8361"), "K", none);
    row("kana name matches itself", "[\x83\x41]\nK=1\n", sjis("8341"), "K", "1");
    // ゾ is 83 5D: its second byte is ']'.
    row("section name ending in a ']' byte", "[\x83\x5D]\nK=1\n", sjis("835d"), "K", "1");
}

void TestProfile::getValue() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QByteArray, value);

    const std::optional<QByteArray> got = yorvane::profile::getValue(file, section, key);
    QCOMPARE(got.has_value(), found);
    if (found) QCOMPARE(*got, value);
}

void TestProfile::setValue_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char* name, const QByteArray& file, const QByteArray& section,
                        const QByteArray& key, const QByteArray& value,
                        const QByteArray& expected) {
        QTest::newRow(name) << file << section << key << value << expected;
    };

    row("empty file gets CRLF", "", "A", "K", "v", "[A]\r\nK=v\r\n");
    row("names trimmed", "", " A\t", "\tK ", "v", "[A]\r\nK=v\r\n");

    // Everything the call does not own stays, to the byte: the mark, comments, odd lines,
    // trailing blanks, a duplicate section and the same key in another section.
    const QByteArray busy =
        "\xEF\xBB\xBF; settings\r\n"
        "odd line before sections\r\n"
        "[LOCATION]\r\nLEFT=1\r\nTOP = 2  \r\n\r\n"
        "[SET]\r\n; note\r\n  Shitei = \"55\" \t\r\nno equals here\r\nGENGO=x\r\n"
        "[OTHER]\r\nSHITEI=9\r\n[set]\r\nSHITEI=8\r\n";
    QByteArray replaced = busy;
    replaced.replace("  Shitei = \"55\" \t\r\n", "Shitei=60\r\n");
    row("replace in place, key spelled as in file", busy, "SET", "SHITEI", "60", replaced);
    QByteArray added = busy;
    added.replace("TOP = 2  \r\n", "TOP = 2  \r\nWIDTH=7\r\n");
    row("append after last non-blank line of section", busy, "location", "WIDTH", "7", added);
    row("new section at end", busy, "NEW", "K", "v", busy + "[NEW]\r\nK=v\r\n");

    row("LF file gets LF", "[A]\nX=1\n", "A", "Y", "2", "[A]\nX=1\nY=2\n");
    row("LF file, new section", "[A]\nX=1\n", "B", "Y", "2", "[A]\nX=1\n[B]\nY=2\n");
    row("CRLF file gets CRLF", "[A]\r\nX=1\r\n\r\n[B]\r\n", "A", "Y", "2",
        "[A]\r\nX=1\r\nY=2\r\n\r\n[B]\r\n");
    row("replaced line keeps its own break", "[A]\r\nX=1\n[B]\r\n", "A", "X", "2",
        "[A]\r\nX=2\n[B]\r\n");
    row("last line without break, same section", "[A]\r\nX=1", "A", "Y", "2",
        "[A]\r\nX=1\r\nY=2\r\n");
    row("last line without break, new section", "[A]\nX=1", "B", "Y", "2", "[A]\nX=1\n[B]\nY=2\n");
    row("header is the last line", "[A]", "A", "Y", "2", "[A]\r\nY=2\r\n");
    row("only the first equal key replaced", "[A]\nX=1\nx=2\n", "A", "X", "9", "[A]\nX=9\nx=2\n");
    row("only the first equal section extended", "[A]\nX=1\n[B]\n[a]\nY=1\n", "A", "Y", "2",
        "[A]\nX=1\nY=2\n[B]\n[a]\nY=1\n");
    row("empty value", "[A]\nX=1\n", "A", "X", "", "[A]\nX=\n");
    row("line breaks in value become blanks", "", "A", "X", "a\r\nb\nc\rd", "[A]\r\nX=a b c d\r\n");

    const QByteArray one = "[A]\nX=1\n";
    row("refused: key with '='", one, "A", "X=Y", "v", one);
    row("refused: key like a section", one, "A", "[X]", "v", one);
    row("refused: key like a comment", one, "A", ";X", "v", one);
    row("refused: blank key", one, "A", " ", "v", one);
    row("refused: key with line break", one, "A", "X\nY", "v", one);
    row("refused: empty section", one, "", "X", "v", one);
    row("refused: section with line break", one, "A\r", "X", "v", one);
}

void TestProfile::setValue() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);

    QCOMPARE(yorvane::profile::setValue(file, section, key, value), expected);
}

// Files made of the bytes that carry structure, in random order: whatever the file, a value that
// was set reads back, and no other value changes.
void TestProfile::setValue_randomFilesKeepOtherValues() {
    static const char alphabet[] = "[]=;\"\r\n\t SETsetKL\x83\x5D\x41\xEF\xBB\xBF\0";
    QRandomGenerator random(20260101);
    const QList<QPair<QByteArray, QByteArray>> probes = {
        {"SET", "L"}, {"E", "K"}, {"SETK", "K"}, {"S", "ET"}, {"\x83\x5D", "K"}, {"\x83\x41", "K"}};
    for (int round = 0; round < 3000; ++round) {
        QByteArray file;
        const int size = random.bounded(80);
        for (int i = 0; i < size; ++i) file += alphabet[random.bounded(int(sizeof alphabet))];

        const QByteArray after = yorvane::profile::setValue(file, "SET", "K", "v 1");
        const auto got = yorvane::profile::getValue(after, "set", "k");
        QVERIFY2(got && *got == "v 1", file.toHex(' ').constData());
        for (const auto& [section, key] : probes)
            QVERIFY2(yorvane::profile::getValue(after, section, key) ==
                         yorvane::profile::getValue(file, section, key),
                     (file.toHex(' ') + " / " + section + " " + key).constData());
    }
}

void TestProfile::readString_fromFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QByteArray& file, const QString& section,
                        const QString& key, const QString& expected) {
        QTest::newRow(name) << file << section << key << expected;
    };

    const QByteArray set = "[SET]\r\nSHITEI=";
    row("missing section", "[X]\r\nSHITEI=1\r\n", "SET", "SHITEI", "ERROR");
    row("missing key", set + "1\r\n", "SET", "GENGO", "ERROR");
    row("empty value", set + "\r\n", "SET", "SHITEI", "");
    row("case-blind", set + "55\r\n", "set", "Shitei", "55");
    row("254 bytes kept", set + QByteArray(254, 'a'), "SET", "SHITEI", QString(254, 'a'));
    row("cut to 254 bytes", set + QByteArray(254, 'a') + "bcd\r\n", "SET", "SHITEI",
        QString(254, 'a'));
    row("cut after trimming and quotes", set + "  \"" + QByteArray(260, 'a') + "\"  \r\n", "SET",
        "SHITEI", QString(254, 'a'));
    // 昭和 is 8F BA 98 61: 127 double-byte characters fill 254 bytes exactly.
    row("127 double-byte characters", set + sjis("8fba9861").repeated(64), "SET", "SHITEI",
        QString("昭和").repeated(63) + "昭");
    row("first byte cut from its second is dropped", set + QByteArray(253, 'a') + sjis("8fba9861"),
        "SET", "SHITEI", QString(253, 'a'));
    // ｱ (B1) is a single byte in the upper half: not the start of a pair.
    row("half-width kana at the cut", set + QByteArray(253, 'a') + sjis("b1") + "x", "SET",
        "SHITEI", QString(253, 'a') + "ｱ");
    row("NUL ends the value", set + QByteArray("ab\0cd\r\n", 7), "SET", "SHITEI", "ab");

    // As another program writes it: a Shift_JIS comment, a kana section, a second byte 5C ('\').
    // "; 設定" / [ヨルヴァネ] / 名前=ソ表 / [SET] / GENGO=平成
    const QByteArray foreign = "; " + sjis("90dd92e8") + "\r\n[" + sjis("8388838b83948340836c") +
                               "]\r\n" + sjis("96bc914f") + "=" + sjis("835c955c") + "\r\n" +
                               "[SET]\r\nGENGO=" + sjis("95bd90ac") + "\r\n";
    row("file from another program: era", foreign, "SET", "GENGO", "平成");
    row("file from another program: kana names", foreign, "ヨルヴァネ", "名前", "ソ表");
}

void TestProfile::readString_fromFile() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("yorvane.ini");
    QVERIFY(writeAll(path, file));
    QCOMPARE(readString(readFile(path), section, key, "ERROR"), expected);
}

void TestProfile::readString_missingOrUnreadable() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(readString(readFile(dir.filePath("none.ini")), "SET", "SHITEI", "ERROR"),
             QString("ERROR"));
    QCOMPARE(readString(readFile(dir.path()), "SET", "SHITEI", "ERROR"),
             QString("ERROR"));  // a directory
    QCOMPARE(readString(readFile(dir.filePath("no/such/folder.ini")), "SET", "SHITEI", "dflt"),
             QString("dflt"));
}

void TestProfile::readString_hugeAndRandomFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray tail = "\n[SET]\nSHITEI=55\n";

    // GIVEN ten megabytes of ordinary lines in other sections, the value at the very end
    QByteArray big;
    big.reserve(10 * 1024 * 1024 + 64);
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
        big += i % 1000 == 0 ? "[S" + QByteArray::number(i) + "]\r\n"
                             : QByteArray("KEY=value value value\r\n");
    QVERIFY(writeAll(dir.filePath("big.ini"), big + tail));
    QCOMPARE(readString(readFile(dir.filePath("big.ini")), "SET", "SHITEI", "ERROR"),
             QString("55"));

    // GIVEN ten megabytes of random bytes (no '[' among them, so no section can open early)
    QList<quint32> words(10 * 1024 * 1024 / 4);
    QRandomGenerator(7).fillRange(words.data(), words.size());
    QByteArray noise(reinterpret_cast<const char*>(words.constData()), words.size() * 4);
    noise.replace('[', 'x');
    QVERIFY(writeAll(dir.filePath("noise.ini"), noise + tail));
    QCOMPARE(readString(readFile(dir.filePath("noise.ini")), "SET", "SHITEI", "ERROR"),
             QString("55"));
    // ...and with '[' left in, any outcome but a crash: the first matching section may be noise.
    QRandomGenerator(8).fillRange(words.data(), words.size());
    QVERIFY(
        writeAll(dir.filePath("raw.ini"),
                 QByteArray(reinterpret_cast<const char*>(words.constData()), words.size() * 4)));
    readString(readFile(dir.filePath("raw.ini")), "SET", "SHITEI", "ERROR");
    QVERIFY(writeStrings(dir.filePath("raw.ini"), {{"SET", "SHITEI", "56"}}));
    QCOMPARE(readString(readFile(dir.filePath("raw.ini")), "SET", "SHITEI", "ERROR"),
             QString("56"));
}

void TestProfile::encoding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    // Code page 932 rather than plain JIS: the NEC circled digit and the full-width tilde as the
    // desktop writes them, and 5C as backslash.
    QTest::newRow("circled one") << QString::fromUtf8("①") << sjis("8740");
    QTest::newRow("full-width tilde") << QString::fromUtf8("～") << sjis("8160");
    QTest::newRow("backslash") << QString("C:\\") << sjis("433a5c");
    QTest::newRow("half-width kana") << QString::fromUtf8("ｱｲ") << sjis("b1b2");
}

void TestProfile::encoding() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    QCOMPARE(toShiftJis(text), bytes);
    QCOMPARE(fromShiftJis(bytes), text);
}

void TestProfile::writeString_eraNamesAtByteLevel_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("seireki") << QString::fromUtf8("西暦") << sjis("90bc97ef");
    QTest::newRow("meiji") << QString::fromUtf8("明治") << sjis("96be8ea1");
    QTest::newRow("taisho") << QString::fromUtf8("大正") << sjis("91e590b3");
    QTest::newRow("showa") << QString::fromUtf8("昭和") << sjis("8fba9861");
    QTest::newRow("heisei") << QString::fromUtf8("平成") << sjis("95bd90ac");
    QTest::newRow("missing value text") << QString("ERROR") << QByteArray("ERROR");
    // A character code page 932 lacks is written as '?', never as the converter's own filler.
    QTest::newRow("emoji") << QString::fromUtf8("a😀b") << QByteArray("a?b");
}

void TestProfile::writeString_eraNamesAtByteLevel() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("yorvane.ini");
    QVERIFY(writeStrings(path, {{"SET", "GENGO", name}}));
    QCOMPARE(readAll(path), "[SET]\r\nGENGO=" + bytes + "\r\n");
    QCOMPARE(readString(readFile(path), "SET", "GENGO", "none"), fromShiftJis(bytes));
    if (!bytes.contains('?')) QCOMPARE(readString(readFile(path), "SET", "GENGO", "none"), name);
}

void TestProfile::writeString_newFileInProgramOrder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("yorvane.ini");

    // WHEN the window closes for the first time
    QVERIFY(writeStrings(path, {{"LOCATION", "LEFT", "2400"},
                                {"LOCATION", "TOP", "-120"},
                                {"SET", "SHITEI", ""},
                                {"SET", "GENGO", QString::fromUtf8("昭和")}}));

    // THEN the file holds the sections and keys in the order written
    QCOMPARE(readAll(path),
             "[LOCATION]\r\nLEFT=2400\r\nTOP=-120\r\n"
             "[SET]\r\nSHITEI=\r\nGENGO=" +
                 sjis("8fba9861") + "\r\n");
    QCOMPARE(readString(readFile(path), "SET", "SHITEI", "ERROR"), QString(""));

    // WHEN the next run closes, THEN the values change in place
    QVERIFY(writeStrings(path, {{"LOCATION", "LEFT", "15"}, {"SET", "SHITEI", "55"}}));
    QCOMPARE(readAll(path),
             "[LOCATION]\r\nLEFT=15\r\nTOP=-120\r\n"
             "[SET]\r\nSHITEI=55\r\nGENGO=" +
                 sjis("8fba9861") + "\r\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"yorvane.ini"});
}

void TestProfile::writeStrings_lastSaveWholeAndOtherLinesKept() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("yorvane.ini");
    // LF lines, a Shift_JIS comment, a user's own section and key the program does not know.
    const QByteArray before = "; " + sjis("90dd92e8") +
                              "\n[LOCATION]\nLEFT = 1 \nTOP=2\nextra\n\n"
                              "[MINE]\nGENGO=keep\n[SET]\nSHITEI=1990\nOWN=\"x\"\n";
    QVERIFY(writeAll(path, before));

    // Two closes one after the other, each saving its whole set: the file holds the second set
    // and every line the program does not own.
    QVERIFY(writeStrings(path, {{"LOCATION", "LEFT", "100"},
                                {"LOCATION", "TOP", "200"},
                                {"SET", "SHITEI", "64"},
                                {"SET", "GENGO", QString::fromUtf8("昭和")}}));
    QVERIFY(writeStrings(path, {{"LOCATION", "LEFT", "300"},
                                {"LOCATION", "TOP", "400"},
                                {"SET", "SHITEI", "2002"},
                                {"SET", "GENGO", QString::fromUtf8("西暦")}}));

    QCOMPARE(readAll(path), "; " + sjis("90dd92e8") +
                                "\n[LOCATION]\nLEFT=300\nTOP=400\nextra\n\n"
                                "[MINE]\nGENGO=keep\n[SET]\nSHITEI=2002\nOWN=\"x\"\n"
                                "GENGO=" +
                                sjis("90bc97ef") + "\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"yorvane.ini"});
}

void TestProfile::kindsOfFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("readable");  // the values read back
    QTest::addColumn<bool>("saved");     // a save stores the new value

    QTest::newRow("regular file") << "regular" << true << true;
    QTest::newRow("link to a regular file, written through") << "link" << true << true;
    QTest::newRow("FIFO with no writer") << "fifo" << false << false;
    QTest::newRow("link to /dev/zero") << "zero" << false << false;
    QTest::newRow("read-only folder, writable file: written in place")
        << "folder-read-only" << true << true;
    // An ordinary user cannot write such a file anyway; run as root (as CI does) this row is
    // the one that catches a save overriding the user's protection.
    QTest::newRow("file without write bits, left alone even as root")
        << "file-read-only" << true << false;
}

void TestProfile::kindsOfFile() {
    QFETCH(QString, kind);
    QFETCH(bool, readable);
    QFETCH(bool, saved);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("yorvane.ini");
    const QString real = dir.filePath("real.ini");
    const QByteArray old = "[SET]\r\nSHITEI=1990\r\n";
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind == "zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (kind == "link") {
        QVERIFY(writeAll(real, old));
        QVERIFY(QFile::link(real, path));
    } else {
        QVERIFY(writeAll(path, old));
    }
    if (kind == "file-read-only")
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (kind == "folder-read-only")
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const QFileInfo before(path);
    const QFile::Permissions mode = before.permissions();

    // Reading answers at once, without blocking on the FIFO or reading /dev/zero for ever.
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(readString(readFile(path), "SET", "SHITEI", "ERROR"),
             QString(readable ? "1990" : "ERROR"));
    QString why;
    QCOMPARE(writeStrings(path, {{"SET", "SHITEI", "2002"}}, &why), saved);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(why.isEmpty(), saved);

    // The file holds the new value, or is exactly what it was.
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.permissions(), mode);
    if (kind == "fifo") {
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    } else if (kind != "zero") {
        QCOMPARE(readAll(path), saved ? QByteArray("[SET]\r\nSHITEI=2002\r\n") : old);
    }
    if (kind == "folder-read-only")
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"yorvane.ini"});
}

void TestProfile::writeString_failureLeavesOldFile_data() {
    QTest::addColumn<QString>("target");  // relative to the temporary folder
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::newRow("folder removed") << "gone/yorvane.ini"
                                    << "SET"
                                    << "SHITEI";
    QTest::newRow("path is a directory") << "folder"
                                         << "SET"
                                         << "SHITEI";
    QTest::newRow("folder is a file") << "yorvane.ini/yorvane.ini"
                                      << "SET"
                                      << "SHITEI";
    QTest::newRow("key with '='") << "yorvane.ini"
                                  << "SET"
                                  << "A=B";
    QTest::newRow("section with line break") << "yorvane.ini"
                                             << "S\nT"
                                             << "SHITEI";
}

void TestProfile::writeString_failureLeavesOldFile() {
    QFETCH(QString, target);
    QFETCH(QString, section);
    QFETCH(QString, key);

    // GIVEN a folder with a settings file, a subfolder holding a file, and a removed subfolder
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = "[SET]\r\nSHITEI=1990\r\n";
    QVERIFY(writeAll(dir.filePath("yorvane.ini"), old));
    QVERIFY(QDir(dir.path()).mkpath("folder"));
    QVERIFY(writeAll(dir.filePath("folder/inside.txt"), "x"));
    QVERIFY(QDir(dir.path()).mkpath("gone"));
    QVERIFY(QDir(dir.path()).rmdir("gone"));

    // WHEN the write fails
    QString why;
    QVERIFY(
        !writeStrings(dir.filePath(target), {{"SET", "GENGO", "x"}, {section, key, "55"}}, &why));
    QVERIFY(!why.isEmpty());

    // THEN everything is as it was, with no temporary file left behind
    QCOMPARE(readAll(dir.filePath("yorvane.ini")), old);
    QCOMPARE(readAll(dir.filePath("folder/inside.txt")), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"folder", "yorvane.ini"}));
    QCOMPARE(QDir(dir.filePath("folder"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"inside.txt"});
}

// Found by fuzzing: the converter moved three control codes around, dropped a first byte left
// alone at the end, and dropped a lone surrogate when encoding.
void TestProfile::controlBytesAndCutCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("1A") << QByteArray("a\x1A") << QStringLiteral("a\x1A");
    QTest::newRow("1C") << QByteArray("a\x1C") << QStringLiteral("a\x1C");
    QTest::newRow("7F") << QByteArray("a\x7F") << QStringLiteral("a\x7F");
    QTest::newRow("first byte at the end") << QByteArray("ab\x81") << QStringLiteral("ab\x1A");
}

void TestProfile::controlBytesAndCutCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(yorvane::profile::fromShiftJis(bytes), text);
    if (!bytes.endsWith('\x81')) QCOMPARE(yorvane::profile::toShiftJis(text), bytes);
    QCOMPARE(yorvane::profile::toShiftJis(QStringLiteral("a") + QChar(0xD800)), QByteArray("a?"));
}

void TestProfile::bracketLineWithoutCloseIsAKey() {
    const QByteArray file("[SET]\r\n[K=1\r\nGENGO=x\r\n");
    QCOMPARE(yorvane::profile::getValue(file, "SET", "[K"), std::optional<QByteArray>("1"));
    QCOMPARE(yorvane::profile::getValue(file, "SET", "GENGO"), std::optional<QByteArray>("x"));
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
