// Bad input from the user or from other programs: over-long and full-width text in the year
// boxes, huge, random and mis-encoded settings files, a program folder that cannot be written,
// and damaged pictures. Each time the window must keep working and what the user saved must
// survive.

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRandomGenerator>

#include <sys/resource.h>
#include <csignal>

#include "formfixture.h"
#include "platform.h"
#include "profile_file.h"

using yorvane::MainWindow;

namespace {

QByteArray sjis(const QString& s) { return yorvane::profile::toShiftJis(s); }

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QByteArray settings(const QByteArray& shitei, const QByteArray& gengo) {
    return "[LOCATION]\r\nLEFT=2400\r\nTOP=1200\r\n[SET]\r\nSHITEI=" + shitei +
           "\r\nGENGO=" + gengo + "\r\n";
}
QString value(const QString& file, const char* section, const char* key) {
    return yorvane::profile::readString(yorvane::profile::readFile(file),
                                        QString::fromLatin1(section), QString::fromLatin1(key),
                                        QStringLiteral("<missing>"));
}
QByteArray randomBytes(quint32 seed, qsizetype size) {
    QByteArray out(size, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    for (char& c : out) c = static_cast<char>(gen.bounded(256));
    return out;
}
// The files of a folder, hidden ones included: a save must leave no temporary file behind.
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A window whose program folder holds `ini` as its settings file, loaded.
struct Started : Window {
    explicit Started(const QByteArray& ini) : Window(false, false) {
        writeFile(settingsFile(), ini);
        form->loadSettings();
    }
};

// A character as a keyboard delivers it: a key the program knows no code for, with its text.
void typeCharacters(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

// The desktop's picture loading (by content, damaged files refused) in a folder of the test's.
class RealPictures final : public yorvane::Platform {
public:
    explicit RealPictures(QString folder) : folder_(std::move(folder)) {}
    QString programFolder() const override { return folder_; }
    yorvane::SettingsLocation settingsLocation() const override {
        return {folder_ + QStringLiteral("/yorvane.ini"), {}};
    }
    QDate today() const override { return QDate(2026, 12, 7); }
    QPixmap loadPicture(const QString& path, const QSize& shownSize) override {
        loaded << path.section(QLatin1Char('/'), -1);
        return desktop_.loadPicture(path, shownSize);
    }
    bool openDocument(const QString&, const QString&, std::function<void()>) override {
        return false;
    }
    bool openAddress(const QString&, std::function<void()>) override { return false; }
    QStringList loaded;

private:
    QString folder_;
    yorvane::DesktopPlatform desktop_;
};

struct PictureWindow : Controls {
    QTemporaryDir dir;
    std::unique_ptr<RealPictures> platform;
    std::unique_ptr<MainWindow> form;
    PictureWindow() {
        copyProgramFolder(dir.path());
        platform = std::make_unique<RealPictures>(dir.path());
        form = std::make_unique<MainWindow>(*platform);
        find(form.get());
        form->loadSettings();
    }
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
    MainWindow* operator->() const { return form.get(); }
};

// What the window shows for a birth year, apart from the picture.
QStringList shownTexts(const Controls& f) {
    QStringList out;
    for (const QLabel* l : {f.otherEraLabel, f.otherYearLabel, f.periodLabel, f.nineStarLabel,
                            f.signLabel, f.signReadingLabel, f.ageFigure, f.ageUnit})
        out << l->objectName() + u'=' + l->text();
    out << QStringLiteral("ageFrame=") + f.ageFrame->title();
    return out;
}

// The state of an empty birth year: no number, no results.
void verifyEmptyBirthYear(const Window& w) {
    QCOMPARE(w.birthYearBox->text(), QString());
    for (QLabel* l :
         {w.nineStarLabel, w.signLabel, w.signReadingLabel, w.ageFigure, w.otherYearLabel})
        QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName() + u'=' + l->text()));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene1.jpg"));
}

// Restores what a test changes in the process, whatever way it ends.
struct FileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int) = SIG_DFL;
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        // A write beyond the limit fails with EFBIG instead of killing the process.
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
};

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void longTextCutToFour_data();
    void longTextCutToFour();
    void fullWidthDigitsAreNoNumber_data();
    void fullWidthDigitsAreNoNumber();
    void fullWidthDigitsInTheDesignatedYear();
    void hugeSettingsFile_data();
    void hugeSettingsFile();
    void randomBytesAsSettingsFile_data();
    void randomBytesAsSettingsFile();
    void invalidShiftJisEra_data();
    void invalidShiftJisEra();
    void saveThatCannotSucceed_data();
    void saveThatCannotSucceed();
    void settingsFileBehindALink();
    void damagedPicture_data();
    void damagedPicture();
};

// ---------------------------------------------------------------------------------------------
// The year boxes

void TestBadInput::longTextCutToFour_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("clipboard");  // pasted from the clipboard, or inserted
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selStart");  // -1: caret at the end
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    for (const QString& box :
         {QStringLiteral("birthYearBox"), QStringLiteral("designatedYearBox")}) {
        for (const bool clipboard : {false, true}) {
            const QString tag =
                box + (clipboard ? QStringLiteral(" paste ") : QStringLiteral(" insert "));
            QTest::newRow(qPrintable(tag + "over everything"))
                << box << clipboard << "12" << 0 << 2 << "1980123456"
                << "1980";
            QTest::newRow(qPrintable(tag + "after two digits"))
                << box << clipboard << "19" << -1 << 0 << "80123"
                << "1980";
            QTest::newRow(qPrintable(tag + "into a full box"))
                << box << clipboard << "1980" << -1 << 0 << "5"
                << "1980";
            // The limit cuts what comes in, not what the box already held.
            QTest::newRow(qPrintable(tag + "in front of two digits"))
                << box << clipboard << "12" << 0 << 0 << "345"
                << "3412";
            QTest::newRow(qPrintable(tag + "over the middle two"))
                << box << clipboard << "1980" << 1 << 2 << "1234"
                << "1120";
            QTest::newRow(qPrintable(tag + "with its line break"))
                << box << clipboard << "" << -1 << 0 << "1980\r\n"
                << "1980";
        }
    }
}

void TestBadInput::longTextCutToFour() {
    QFETCH(QString, box);
    QFETCH(bool, clipboard);
    QFETCH(QString, before);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);  // 西暦
    if (box == QStringLiteral("designatedYearBox")) QTest::keyClick(w.birthYearBox, Qt::Key_Shift);
    auto* edit = qobject_cast<QLineEdit*>(w.widget(box));
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, before);
    QCOMPARE(edit->text(), before);
    if (selStart < 0)
        edit->end(false);
    else
        edit->setSelection(selStart, selLength);

    if (clipboard) {
        QGuiApplication::clipboard()->setText(pasted);
        edit->paste();
    } else {
        edit->insert(pasted);
    }
    QCOMPARE(edit->text(), after);
    // The cut text is what the program works with.
    // (西暦 for both: an age in 2026 for the birth year; with no birth year, the designated
    // Western year itself.)
    const int year = after.toInt();
    const bool birth = box == QStringLiteral("birthYearBox");
    QCOMPARE(w.ageFigure->text(), QString::number(birth ? 2026 - year : year));
}

void TestBadInput::fullWidthDigitsAreNoNumber_data() {
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("western");  // 0: the box is emptied
    QTest::newRow("typed １９８０") << true << "１９８０" << 0;
    QTest::newRow("pasted １９８０") << false << "１９８０" << 0;
    QTest::newRow("pasted １980") << false << "１980" << 0;
    QTest::newRow("pasted －５５") << false << "－５５" << 0;
    // The number read stops at the first full-width digit: 19 of 昭和.
    QTest::newRow("pasted 19８０") << false << "19８０" << 1944;
    QTest::newRow("typed 19 then ８") << true << "19８" << 1944;
}

void TestBadInput::fullWidthDigitsAreNoNumber() {
    QFETCH(bool, typed);
    QFETCH(QString, text);
    QFETCH(int, western);
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));  // 昭和 55 = 1980
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QTest::keyClick(w.birthYearBox, Qt::Key_Return);  // selects the whole number
    if (typed) {
        typeCharacters(w.birthYearBox, text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        w.birthYearBox->paste();
    }
    if (western == 0) {
        verifyEmptyBirthYear(w);
    } else {
        QCOMPARE(w.otherYearLabel->text(), QString::number(western));
    }
    // The box takes ordinary digits again afterwards.
    QTest::keyClick(w.birthYearBox, Qt::Key_Delete);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QCOMPARE(w.signLabel->text(), QStringLiteral("庚申"));
}

void TestBadInput::fullWidthDigitsInTheDesignatedYear() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QTest::keyClick(w.birthYearBox,
                    Qt::Key_Shift);  // to the designated year, designatedYearOption chosen
    QCOMPARE(w.ageFigure->text(), QStringLiteral("10"));
    typeCharacters(w.designatedYearBox, QStringLiteral("２０００"));
    QCOMPARE(w.designatedYearBox->text(), QString());
    QCOMPARE(w.ageFigure->text(), QString());
    QCOMPARE(w.designatedWesternLabel->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("２０００"));
    w.designatedYearBox->paste();
    QCOMPARE(w.designatedYearBox->text(), QString());
    QCOMPARE(w.ageFigure->text(), QString());
    // Ordinary digits still work, and the emptied box is what is saved.
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("2000"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("20"));
    QTest::keyClick(w.designatedYearBox, Qt::Key_Delete);
    typeCharacters(w.designatedYearBox, QStringLiteral("２"));
    QVERIFY(w->close());
    QCOMPARE(value(w.settingsFile(), "SET", "SHITEI"), QString());
}

// ---------------------------------------------------------------------------------------------
// Settings files another program or a damaged disk may leave

void TestBadInput::hugeSettingsFile_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("shitei");
    QTest::addColumn<QString>("gengo");
    QTest::addColumn<QString>("western");
    QTest::addColumn<bool>("keptWhole");  // closing without an edit leaves the file as it was
    constexpr qsizetype tenMB = 10 * 1024 * 1024;

    QByteArray lines;
    lines.reserve(tenMB + 100);
    for (int i = 0; lines.size() < tenMB; ++i)
        lines += i % 500 == 0 ? "[OTHER" + QByteArray::number(i) + "]\r\n"
                              : "KEY" + QByteArray::number(i) + "=some value\r\n";
    QTest::newRow("10 MB of lines, the keys at the end")
        << lines + settings("55", sjis("昭和")) << "55"
        << "昭和"
        << "1980" << true;

    QTest::newRow("a 10 MB value before the keys")
        << "[OTHER]\r\nBLOB=" + QByteArray(tenMB, 'x') + "\r\n" + settings("55", sjis("昭和"))
        << "55"
        << "昭和"
        << "1980" << true;

    // A value longer than 254 bytes arrives cut to 254 bytes.
    QTest::newRow("a 10 MB designated year")
        << settings("1990" + QByteArray(tenMB, '0').replace(0, 1, "x"), sjis("西暦"))
        << "1990x" + QString(249, u'0') << "西暦"
        << "" << false;
    // Cut inside a double-byte character: its first byte goes too (1 + 126 × 2 bytes are kept).
    QByteArray longEra = "x";
    while (longEra.size() < tenMB) longEra += sjis("和");
    QTest::newRow("a 10 MB era, cut inside a character")
        << settings("55", longEra) << "55"
        << "x" + QString(126, u'和') << "55" << false;
}

void TestBadInput::hugeSettingsFile() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, shitei);
    QFETCH(QString, gengo);
    QFETCH(QString, western);
    QFETCH(bool, keptWhole);
    Window w(false, false);
    QVERIFY(writeFile(w.settingsFile(), ini));
    QElapsedTimer timer;
    timer.start();
    w->loadSettings();
    const qint64 loadMs = timer.elapsed();
    QVERIFY2(loadMs < 3000, qPrintable(QStringLiteral("start-up took %1 ms").arg(loadMs)));
    QCOMPARE(w->pos(), QPoint(160, 80));
    QCOMPARE(w.designatedYearBox->text(), shitei);
    QCOMPARE(w.designatedEraCaption->text(), gengo);
    QCOMPARE(w.designatedWesternLabel->text(), western);
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));

    timer.restart();
    QVERIFY(w->close());
    const qint64 closeMs = timer.elapsed();
    QVERIFY2(closeMs < 6000, qPrintable(QStringLiteral("closing took %1 ms").arg(closeMs)));
    const QByteArray saved = readFile(w.settingsFile());
    if (keptWhole) {
        QVERIFY(saved == ini);  // not QCOMPARE: ten megabytes in a failure message
    } else {
        // What the window showed is what is saved; the lines around it are kept.
        QCOMPARE(value(w.settingsFile(), "SET", "SHITEI"), shitei);
        QCOMPARE(value(w.settingsFile(), "SET", "GENGO"), gengo);
        QVERIFY(saved.startsWith("[LOCATION]\r\nLEFT=2400\r\nTOP=1200\r\n[SET]\r\nSHITEI="));
        QVERIFY(saved.size() < 1024);
    }
    qInfo("start-up %lld ms, closing %lld ms", loadMs, closeMs);
}

void TestBadInput::randomBytesAsSettingsFile_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("300 random bytes") << randomBytes(1, 300);
    QTest::newRow("64 KB of random bytes") << randomBytes(2, 64 * 1024);
    QTest::newRow("1 MB of random bytes") << randomBytes(3, 1024 * 1024);
    QByteArray noBreaks = randomBytes(4, 4096);
    noBreaks.replace('\r', 'r').replace('\n', 'n');
    QTest::newRow("4 KB without a line break") << noBreaks;
    QTest::newRow("NUL bytes") << QByteArray(2048, '\0');
}

void TestBadInput::randomBytesAsSettingsFile() {
    QFETCH(QByteArray, ini);
    // The rows hold none of the program's sections, so every value reads "ERROR".
    for (const char* s : {"LOCATION", "SET"})
        for (const char* k : {"LEFT", "TOP", "SHITEI", "GENGO"})
            QVERIFY(!yorvane::profile::getValue(ini, s, k));
    Started w(ini);
    QCOMPARE(w->pos(), Window()->pos());  // where a fresh start opens
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("ERROR"));
    QCOMPARE(w.designatedYearBox->text(), QString());

    // The window works as usual.
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QTest::keyClick(w.birthYearBox, Qt::Key_Shift);
    QTest::keyClick(w.designatedYearBox, Qt::Key_Up);  // 昭和
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("60"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("5"));
    w->move(200, 100);
    QVERIFY(w->close());

    // A file the program reads back, with the random bytes kept in front.
    const QByteArray saved = readFile(w.settingsFile());
    QVERIFY(saved.startsWith(ini));
    QCOMPARE(value(w.settingsFile(), "LOCATION", "LEFT"), QStringLiteral("3000"));
    QCOMPARE(value(w.settingsFile(), "LOCATION", "TOP"), QStringLiteral("1500"));
    QCOMPARE(value(w.settingsFile(), "SET", "SHITEI"), QStringLiteral("60"));
    QCOMPARE(value(w.settingsFile(), "SET", "GENGO"), QStringLiteral("昭和"));
    Started again(saved);
    QCOMPARE(again->pos(), QPoint(200, 100));
    QCOMPARE(again.designatedYearBox->text(), QStringLiteral("60"));
    QCOMPARE(again.designatedEraCaption->text(), QStringLiteral("昭和"));
    QCOMPARE(again.designatedWesternLabel->text(), QStringLiteral("1985"));
}

void TestBadInput::invalidShiftJisEra_data() {
    QTest::addColumn<QByteArray>("gengo");
    QTest::newRow("FD FE FF") << QByteArray("\xFD\xFE\xFF");
    QTest::newRow("lead byte, bad second byte") << QByteArray("\x81\x7F");
    QTest::newRow("unassigned code") << QByteArray("\x85\x40");
    QTest::newRow("昭和 and a lone lead byte") << sjis("昭和") + "\x98";
    QTest::newRow("control bytes") << QByteArray("\x01\x1B[31m\x7F");
    QTest::newRow("UTF-8 instead") << QStringLiteral("昭和").toUtf8();
}

void TestBadInput::invalidShiftJisEra() {
    QFETCH(QByteArray, gengo);
    Started w(settings("55", gengo));
    const QString shown = w.designatedEraCaption->text();
    qInfo() << "shown as" << shown;
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("55"));
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QVERIFY(w->close());
    // What the user saved is intact; the caption goes back as shown and reads back the same.
    const QByteArray saved = readFile(w.settingsFile());
    QCOMPARE(value(w.settingsFile(), "SET", "SHITEI"), QStringLiteral("55"));
    QCOMPARE(value(w.settingsFile(), "SET", "GENGO"), shown);
    QCOMPARE(value(w.settingsFile(), "LOCATION", "LEFT"), QStringLiteral("2400"));
    // From then on the file stays as it is.
    Started again(saved);
    QCOMPARE(again.designatedEraCaption->text(), shown);
    QVERIFY(again->close());
    QCOMPARE(readFile(again.settingsFile()), saved);
}

// ---------------------------------------------------------------------------------------------
// A program folder the settings cannot be saved in

void TestBadInput::saveThatCannotSucceed_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("settings path is a folder") << "folder";
    QTest::newRow("disk full") << "full";
    QTest::newRow("settings path is a link to nowhere") << "dangling";
}

void TestBadInput::saveThatCannotSucceed() {
    QFETCH(QString, how);
    // The user's settings, with a long comment so that a full disk shows while writing them.
    const QByteArray mine = "; " + QByteArray(8000, '-') + "\r\n" + settings("55", sjis("昭和"));
    Started w(mine);
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("55"));
    QVERIFY(w.show());
    QTest::keyClick(w.birthYearBox, Qt::Key_Shift);
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("60"));
    const QString folder = w.dir.path();
    const QString inner = QDir(folder).filePath(QStringLiteral("yorvane.ini/keep.txt"));
    std::unique_ptr<FileSizeLimit> limit;
    if (how == QStringLiteral("folder")) {
        QVERIFY(QFile::remove(w.settingsFile()));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("yorvane.ini")));
        QVERIFY(writeFile(inner, mine));
    } else if (how == QStringLiteral("full")) {
        limit = std::make_unique<FileSizeLimit>(1024);
    } else {
        QVERIFY(QFile::remove(w.settingsFile()));
        QVERIFY(QFile::link(QDir(folder).filePath(QStringLiteral("gone/yorvane.ini")),
                            w.settingsFile()));
    }
    const QStringList before = filesIn(folder);

    // Closing is never refused and nothing is reported.
    QVERIFY(w->close());
    limit.reset();
    QVERIFY(!w->isVisible());
    for (QWidget* t : QApplication::topLevelWidgets())
        QVERIFY2(!t->isVisible(), qPrintable(t->metaObject()->className()));

    QCOMPARE(filesIn(folder), before);  // no temporary file left behind
    if (how == QStringLiteral("folder")) QVERIFY(readFile(inner) == mine);
    if (how == QStringLiteral("full")) {
        const QByteArray now = readFile(w.settingsFile());
        QVERIFY2(now == mine, qPrintable(QStringLiteral("the settings file is now %1 bytes, was %2")
                                             .arg(now.size())
                                             .arg(mine.size())));
    }
    if (how == QStringLiteral("dangling")) QVERIFY(QFileInfo(w.settingsFile()).isSymLink());
}

void TestBadInput::settingsFileBehindALink() {
    // The user keeps the settings elsewhere and links them into the program folder: a save
    // goes through the link and leaves it a link.
    QTemporaryDir elsewhere;
    const QString real = elsewhere.filePath(QStringLiteral("mine.ini"));
    QVERIFY(writeFile(real, "; mine\r\n" + settings("55", sjis("昭和"))));
    Window w(false, false);
    QVERIFY(QFile::link(real, w.settingsFile()));
    w->loadSettings();
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("55"));
    QVERIFY(w.show());
    QTest::keyClick(w.birthYearBox, Qt::Key_Shift);
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("60"));
    QVERIFY(w->close());
    QVERIFY(QFileInfo(w.settingsFile()).isSymLink());
    QCOMPARE(readFile(real), "; mine\r\n" + settings("60", sjis("昭和")));
}

// ---------------------------------------------------------------------------------------------
// Damaged pictures

void TestBadInput::damagedPicture_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    for (const char* damage :
         {"empty", "first 100 bytes", "first half", "random bytes", "a folder"}) {
        QTest::newRow(qPrintable(QStringLiteral("saru.jpg ") + damage)) << "saru.jpg" << damage;
        QTest::newRow(qPrintable(QStringLiteral("scene2.gif ") + damage)) << "scene2.gif" << damage;
    }
}

void TestBadInput::damagedPicture() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    // What an intact program folder shows for 1980 (申, saru.jpg).
    PictureWindow good;
    good.eraList->setCurrentIndex(0);
    good.birthYearBox->setText(QStringLiteral("1980"));
    const QStringList expected = shownTexts(good);
    QVERIFY(!good.signPicture->pixmap().isNull());

    PictureWindow w;
    const QString path = w.file(file);
    const QByteArray whole = readFile(path);
    QVERIFY(whole.size() > 1000);
    QVERIFY(QFile::remove(path));
    if (damage == QStringLiteral("a folder")) {
        QVERIFY(QDir().mkdir(path));
    } else {
        const QByteArray bytes =
            damage == QStringLiteral("empty")          ? QByteArray()
            : damage == QStringLiteral("random bytes") ? randomBytes(5, whole.size())
            : damage == QStringLiteral("first half")   ? whole.left(whole.size() / 2)
                                                       : whole.left(100);
        QVERIFY(writeFile(path, bytes));
    }

    w.form->show();
    w.eraList->setCurrentIndex(0);
    w.birthYearBox->setText(QStringLiteral("1980"));
    if (file == QStringLiteral("scene2.gif")) {
        QVERIFY(!w.signPicture->pixmap().isNull());  // saru.jpg is intact here
        QTest::mouseClick(w.signPicture, Qt::LeftButton);
    }
    QCOMPARE(w.platform->loaded.last(), file);
    const bool shownNone = w.signPicture->pixmap().isNull();
    QCOMPARE(shownTexts(w), expected);

    // An intact picture shows again at the next year that has one.
    w.birthYearBox->setText(QStringLiteral("1984"));
    QCOMPARE(w.platform->loaded.last(), QStringLiteral("ne.jpg"));
    QVERIFY(!w.signPicture->pixmap().isNull());

    QVERIFY2(shownNone, "the damaged picture was shown");
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
