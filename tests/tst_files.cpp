// Every file the program writes: what a failed write leaves, what each kind of target gets, and
// the settings file in the encodings editors save it in.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "atomic_file.h"
#include "platform.h"
#include "profile_file.h"

using namespace yorvane;

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// The full-disk case, run inside a 64 KB file system of its own: an old file of 15,551 bytes,
// the rest of the disk filled but for a few KB, then a larger file written over the old one.
// Prints whether it was written, whether the old bytes are intact, what is left in the folder
// and the reason.
int fullDiskRun(const QString& folder) {
    const QString path = folder + "/表.csv";
    const QByteArray old(15551, 'o');
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(old) != old.size()) return 3;
    f.close();
    QFile filler(folder + "/filler");
    if (!filler.open(QIODevice::WriteOnly)) return 3;
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.resize(filler.size() - 8 * 1024);
    filler.close();
    QString why;
    const bool written = writeFileAtomically(path, QByteArray(40000, 'n'), &why);
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                    QDir::NoDotAndDotDot | QDir::System);
    QTextStream(stdout) << written << ' ' << (contentOf(path) == old) << ' ' << left.join(u',')
                        << ' ' << why << Qt::endl;
    return 0;
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void kindsOfTarget_data();
    void kindsOfTarget();
    void byteOrderMarks_data();
    void byteOrderMarks();
    void configurationFolder_data();
    void configurationFolder();
    void foldersMadeForTheirOwner();
};

void TestFiles::kindsOfTarget_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("written");
    QTest::newRow("new file") << "new" << true;
    QTest::newRow("file of another user, 0640: owner and mode kept") << "foreign" << true;
    QTest::newRow("link: written through, kept") << "link" << true;
    QTest::newRow("full file system: old file kept") << "full" << false;
    QTest::newRow("FIFO without reader: refused at once") << "fifo" << false;
    QTest::newRow("device: refused") << "device" << false;
    QTest::newRow("folder missing") << "missing" << false;
}

void TestFiles::kindsOfTarget() {
    QFETCH(QString, kind);
    QFETCH(bool, written);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString folder = dir.path();
    const QByteArray old(15551, 'o');
    const QByteArray bytes(40000, 'n');
    if (kind == "full") {
        // A small file system of its own, mounted in a mount namespace for one run of this
        // program, so that nothing else sees it.
        QProcess run;
        run.start("unshare",
                  {"-m", "sh", "-c",
                   "mount -t tmpfs -o size=64k tmpfs \"$1\" && exec \"$2\" --full-disk \"$1\"",
                   "sh", dir.path(), QCoreApplication::applicationFilePath()});
        if (!run.waitForFinished(30000) || run.exitCode() != 0)
            QSKIP("a small file system cannot be mounted here (needs root and unshare -m)");
        const QStringList said =
            QString::fromUtf8(run.readAllStandardOutput()).trimmed().split(u' ');
        QCOMPARE(said.value(0), "0");              // not written
        QCOMPARE(said.value(1), "1");              // the old file byte for byte
        QCOMPARE(said.value(2), "filler,表.csv");  // no temporary file left
        QCOMPARE(said.value(3), reasonForError(ENOSPC));
        return;
    }
    const QString path = folder + "/表.csv";
    const QString target = dir.filePath("target.csv");
    QByteArray native = QFile::encodeName(path);
    if (kind == "fifo") QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    if (kind == "device" && ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QVERIFY(QFile::link("/dev/full", path));  // not root: a device it could never replace
    if (kind == "link") QVERIFY(QFile::link(target, path));
    QFile oldFile(kind == "link" ? target : path);
    if (kind == "foreign" || kind == "link" || kind == "full") {
        QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
    }
    if (kind == "foreign") {
        if (::geteuid() != 0) QSKIP("only root can give a file to another user");
        QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(native.constData(), 0640), 0);
    }
    const struct stat before = statOf(path);
    const QString asked = kind == "missing" ? folder + "/ない/表.csv" : path;

    QString why;
    QCOMPARE(writeFileAtomically(asked, bytes, &why), written);
    QVERIFY2(!why.contains(QRegularExpression("[A-Za-z]")), qPrintable(why));
    QCOMPARE(why.isEmpty(), written);
    if (written) {
        QCOMPARE(contentOf(asked), bytes);
        const struct stat after = statOf(asked);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (kind == "new") QCOMPARE(after.st_mode & 0777, 0666 & ~mask);
        if (kind == "foreign") {
            QCOMPARE(after.st_uid, before.st_uid);
            QCOMPARE(after.st_gid, before.st_gid);
            QCOMPARE(after.st_mode, before.st_mode);
        }
        if (kind == "link") QVERIFY(QFileInfo(path).isSymLink());
    } else if (kind != "missing") {
        QCOMPARE(statOf(path).st_mode, before.st_mode);  // still a FIFO, still a device
        QCOMPARE(statOf(path).st_rdev, before.st_rdev);
    }
    // No temporary file is left behind.
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                    QDir::NoDotAndDotDot | QDir::System);
    QVERIFY2(left.filter(QRegularExpression("^\\.")).isEmpty(), qPrintable(left.join(u' ')));
}

void TestFiles::byteOrderMarks_data() {
    // `foreign`: a first line that is no valid text in the encoding, which must come back as it
    // was: bytes no character has, a lone surrogate (D800).
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("bom");
    QTest::addColumn<QByteArray>("foreign");
    QTest::newRow("no mark: Shift_JIS")
        << "Shift_JIS" << QByteArray() << QByteArray(";\xFD\x81\x7F\xA0\r\n");
    QTest::newRow("UTF-8 mark") << "UTF-8" << QByteArray("\xEF\xBB\xBF")
                                << QByteArray(";\xC0\xAF\xED\xA0\x80\xFF\r\n");
    QTest::newRow("UTF-16 LE mark")
        << "UTF-16LE" << QByteArray("\xFF\xFE") << QByteArray(";\0\0\xD8\r\0\n\0", 8);
    QTest::newRow("UTF-16 BE mark")
        << "UTF-16BE" << QByteArray("\xFE\xFF") << QByteArray("\0;\xD8\0\0\r\0\n", 8);
}

void TestFiles::byteOrderMarks() {
    QFETCH(QString, encoding);
    QFETCH(QByteArray, bom);
    QFETCH(QByteArray, foreign);
    QStringEncoder encoder(encoding.toLatin1().constData());
    QStringDecoder decoder(encoding.toLatin1().constData());
    QVERIFY(encoder.isValid());
    QTemporaryDir dir;
    const QString path = dir.filePath("yorvane.ini");
    QFile f(path);
    const QString text = "; メモ\r\n[SET]\r\nSHITEI=55\r\nGENGO=平成\r\n";
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bom + foreign + QByteArray(encoder(text))));
    f.close();

    const std::optional<QByteArray> file = profile::readFile(path);
    QCOMPARE(profile::readString(file, "SET", "GENGO", "ERROR"), QStringLiteral("平成"));
    QVERIFY(profile::writeStrings(path, {{"SET", "GENGO", "昭和"}, {"LOCATION", "LEFT", "15"}}));

    // Written back in the same encoding, its mark kept, every byte valid, the comment kept.
    const QByteArray saved = contentOf(path);
    QVERIFY(saved.startsWith(bom + foreign));
    const QString back = decoder(saved.sliced(bom.size() + foreign.size()));
    QVERIFY(!decoder.hasError());
    QVERIFY2(back.startsWith("; メモ\r\n[SET]\r\nSHITEI=55\r\nGENGO=昭和\r\n"), qPrintable(back));
    QCOMPARE(profile::readString(profile::readFile(path), "LOCATION", "LEFT", "ERROR"), "15");
}

void TestFiles::configurationFolder_data() {
    QTest::addColumn<QByteArray>("xdg");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("folder");
    QTest::newRow("XDG_CONFIG_HOME absolute")
        << QByteArray("/x/cfg") << QByteArray("/h") << QByteArray("/x/cfg");
    QTest::newRow("XDG_CONFIG_HOME relative: ignored")
        << QByteArray("rel/cfg") << QByteArray("/h") << QByteArray("/h/.config");
    QTest::newRow("no XDG_CONFIG_HOME")
        << QByteArray() << QByteArray("/h") << QByteArray("/h/.config");
    QTest::newRow("HOME unset: nowhere") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("HOME relative: nowhere") << QByteArray("cfg") << QByteArray("h") << QByteArray();
}

void TestFiles::configurationFolder() {
    QFETCH(QByteArray, xdg);
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, folder);
    QCOMPARE(configFolderBytes(xdg, home), folder);
}

void TestFiles::foldersMadeForTheirOwner() {
    // Root saving in a user's home: the folders it makes there, and the file, are the user's.
    if (::geteuid() != 0) QSKIP("only root can make folders in another user's folder");
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    QVERIFY(QDir().mkdir(home));
    QCOMPARE(::chown(QFile::encodeName(home).constData(), 65534, 65533), 0);
    const QString file = home + "/.config/yorvane/yorvane.ini";
    QString why;
    QVERIFY2(saveSettingsTo({file, dir.filePath("delivered.ini")}, {{"SET", "SHITEI", "55"}}, &why),
             qPrintable(why));
    for (const QString& made : {home + "/.config", home + "/.config/yorvane", file}) {
        QCOMPARE(statOf(made).st_uid, uid_t(65534));
        QCOMPARE(statOf(made).st_gid, gid_t(65533));
    }
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--full-disk") == 0) return fullDiskRun(argv[2]);
    TestFiles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_files.moc"
