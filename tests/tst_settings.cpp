// Start-up and shutdown against settings files in a temporary program folder.

#include "agetable_window.h"
#include "formfixture.h"
#include "placement.h"
#include "platform.h"
#include "profile_file.h"

using yorvane::MainWindow;

namespace {
QByteArray sjis(const QString& s) { return yorvane::profile::toShiftJis(s); }

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QByteArray settings(const QByteArray& left, const QByteArray& top, const QString& shitei,
                    const QString& gengo) {
    return "[LOCATION]\r\nLEFT=" + left + "\r\nTOP=" + top + "\r\n[SET]\r\nSHITEI=" + sjis(shitei) +
           "\r\nGENGO=" + sjis(gengo) + "\r\n";
}

// A window whose program folder holds `ini` (or no settings file for a null array), loaded.
struct Started : Window {
    explicit Started(const QByteArray& ini) : Window(false, false) {
        if (!ini.isNull()) writeFile(settingsFile(), ini);
        form->loadSettings();
    }
};
// The user designates 昭和 60 and moves the window to 300,200 (4500 and 3000 twips).
void designateShowa60At300x200(Window& w) {
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QTest::keyClick(w.designatedYearBox, Qt::Key_Up);  // 昭和
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("60"));
    w->move(300, 200);
}
}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void deliveredFileHasNoError();
    void positionRestoredAndWrittenBack();
    void positionThatIsNoNumber_data();
    void positionThatIsNoNumber();
    void designatedYear_data();
    void designatedYear();
    void eraListAlwaysStartsOnShowa();
    void noFileAtAll();
    void longStoredTextKeptWhole();
    void changedValuesWritten();
    void absurdGeometry_data();
    void absurdGeometry();
    void otherLinesKeptByteForByte_data();
    void otherLinesKeptByteForByte();
    void legacyEncodingRead();
    void saveIntoRemovedFolder();
    void titleBarReachable_data();
    void titleBarReachable();
    void smallScreens_data();
    void smallScreens();
    void folders_data();
    void folders();
    void installedSettings_data();
    void installedSettings();
    void settingsPathIsAFolder();
};

void TestSettings::deliveredFileHasNoError() {
    // The program comes with a settings file: a first start shows no "ERROR".
    Window w;
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    // Its first position shows the whole window, here on a screen too small to hold it there.
    const QRect frame(w->pos(), w->size() + QSize(0, 16));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(frame));
}

void TestSettings::positionRestoredAndWrittenBack() {
    Started w(settings("2400", "1200", "1990", "西暦"));
    QCOMPARE(w->pos(), QPoint(160, 80));
    QVERIFY(w.show());
    QVERIFY(w->close());
    const QByteArray saved = readFile(w.settingsFile());
    QVERIFY2(saved.contains("LEFT=2400\r\n"), saved);
    QVERIFY2(saved.contains("TOP=1200\r\n"), saved);
    QCOMPARE(saved, settings("2400", "1200", "1990", "西暦"));
}

void TestSettings::positionThatIsNoNumber_data() {
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QPoint>("pos");
    const QPoint design = Window()->pos();  // where a fresh start opens
    // The screen here is 800 × 800: a title bar that nobody could take hold of puts the window
    // at its first position; one still within reach comes back whole on the screen.
    const int rightmost = 800 - Window()->width();
    QTest::newRow("ERROR") << QByteArray("ERROR") << QByteArray("ERROR") << design;
    QTest::newRow("garbage left") << QByteArray("12ab") << QByteArray("300")
                                  << QPoint(std::min(designPosition().x(), rightmost), 20);
    QTest::newRow("empty") << QByteArray("") << QByteArray("") << design;
    QTest::newRow("negative") << QByteArray("-120") << QByteArray("-30") << QPoint(0, 0);
    QTest::newRow("far off screen") << QByteArray("150000") << QByteArray("90000") << design;
    QTest::newRow("partly off the right, bar reachable")
        << QByteArray("11250") << QByteArray("1200") << QPoint(rightmost, 80);
    QTest::newRow("off the right edge") << QByteArray("11850") << QByteArray("1200") << design;
    QTest::newRow("above the screen") << QByteArray("2400") << QByteArray("-600") << design;
    QTest::newRow("below the screen") << QByteArray("2400") << QByteArray("12000") << design;
    QTest::newRow("fraction") << QByteArray("2407.5") << QByteArray("1200") << QPoint(161, 80);
    QTest::newRow("absurd") << QByteArray("1e30") << QByteArray("inf") << design;
}

void TestSettings::positionThatIsNoNumber() {
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, top);
    QFETCH(QPoint, pos);
    Started w(settings(left, top, "1990", "西暦"));
    QCOMPARE(w->pos(), pos);
    // The rest of start-up went on.
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
}

void TestSettings::designatedYear_data() {
    QTest::addColumn<QString>("shitei");
    QTest::addColumn<QString>("gengo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("western");
    QTest::addColumn<QString>("shown");
    QTest::newRow("55 昭和") << "55"
                             << "昭和"
                             << "55"
                             << "昭和"
                             << "1980"
                             << "1980";
    QTest::newRow("1990 平成") << "1990"
                               << "平成"
                               << "1990"
                               << "西暦"
                               << "1990"
                               << "";
    QTest::newRow("1990 西暦") << "1990"
                               << "西暦"
                               << "1990"
                               << "西暦"
                               << "1990"
                               << "";
    QTest::newRow("empty 昭和") << ""
                                << "昭和"
                                << ""
                                << "昭和"
                                << "1925"
                                << "";
    QTest::newRow("12.5 平成") << "12.5"
                               << "平成"
                               << "12.5"
                               << "平成"
                               << "2000"
                               << "2000";
    QTest::newRow("13.5 平成") << "13.5"
                               << "平成"
                               << "13.5"
                               << "平成"
                               << "2002"
                               << "2002";
    QTest::newRow("10 明治") << "10"
                             << "明治"
                             << "10"
                             << "明治"
                             << "1877"
                             << "1877";
    // An era the list does not hold is shown and kept as it is; the Western year keeps what
    // the change handling gave it (1990 counted as 西暦).
    QTest::newRow("令和 unknown") << "8"
                                  << "令和"
                                  << "8"
                                  << "令和"
                                  << "8"
                                  << "8";
    QTest::newRow("garbage era") << "1990"
                                 << "abc"
                                 << "1990"
                                 << "西暦"
                                 << "1990"
                                 << "";
    QTest::newRow("too large") << "1e10"
                               << "西暦"
                               << ""
                               << "西暦"
                               << "0"
                               << "";
}

void TestSettings::designatedYear() {
    QFETCH(QString, shitei);
    QFETCH(QString, gengo);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(QString, western);
    QFETCH(QString, shown);
    Started w(settings("2400", "1200", shitei, gengo));
    QCOMPARE(w.designatedYearBox->text(), text);
    QCOMPARE(w.designatedEraCaption->text(), label);
    QCOMPARE(w.designatedWesternLabel->text(), shown);
    // Start-up leaves the birth year alone: nothing is recalculated.
    QVERIFY(w.birthYearBox->text().isEmpty());
    QVERIFY(w.nineStarLabel->text().isEmpty());
    QVERIFY(w.platform->pictures.isEmpty());
    // With no year of birth, the figure in the designated year is its Western year itself.
    w.designatedYearOption->click();
    QCOMPARE(w.ageFigure->text(), text.isEmpty() ? QString() : western);
    // Closed without a change, what was read is written back (an era the list does not hold
    // included).
    QVERIFY(w->close());
    QCOMPARE(yorvane::profile::readString(yorvane::profile::readFile(w.settingsFile()), "SET",
                                          "SHITEI", "-"),
             text);
    QCOMPARE(yorvane::profile::readString(yorvane::profile::readFile(w.settingsFile()), "SET",
                                          "GENGO", "-"),
             label);
}

void TestSettings::eraListAlwaysStartsOnShowa() {
    Started w(settings("2400", "1200", "1990", "西暦"));
    QCOMPARE(w.eraList->currentText(), QStringLiteral("昭和"));
    QVERIFY(w.show());
    QTest::keyClick(w.birthYearBox, Qt::Key_Right);  // 平成
    QVERIFY(w->close());
    // The era of the birth year is not a setting.
    Started again(readFile(w.settingsFile()));
    QCOMPARE(again.eraList->currentText(), QStringLiteral("昭和"));
}

void TestSettings::noFileAtAll() {
    // GIVEN a program folder without a settings file
    Started w{QByteArray()};
    // THEN every value reads "ERROR": the first position stays, the designated year (no
    // number) is emptied and the era label shows the text
    QCOMPARE(w->pos(), Window()->pos());
    QCOMPARE(w.designatedYearBox->text(), QString());
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("ERROR"));
    QCOMPARE(w.designatedWesternLabel->text(), QString());
    // WHEN the window closes THEN the file is created, in this order
    QVERIFY(w->close());
    QCOMPARE(
        readFile(w.settingsFile()),
        QStringLiteral("[LOCATION]\r\nLEFT=%1\r\nTOP=%2\r\n[SET]\r\nSHITEI=\r\nGENGO=ERROR\r\n")
            .arg(w->x() * 15)
            .arg(w->y() * 15)
            .toLatin1());
}

void TestSettings::longStoredTextKeptWhole() {
    // The four-character limit is the user's; a stored text goes into the box whole.
    Started w(settings("2400", "1200", "1990年ごろ", "西暦"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990年ごろ"));
    w.designatedYearOption->click();
    QCOMPARE(w.ageFigure->text(), QStringLiteral("1990"));
    QVERIFY(w->close());
    QCOMPARE(yorvane::profile::readString(yorvane::profile::readFile(w.settingsFile()), "SET",
                                          "SHITEI", "-"),
             QStringLiteral("1990年ごろ"));
}

void TestSettings::changedValuesWritten() {
    // Written once the changes have rested, the window still open, and again at the close.
    Started w(settings("2400", "1200", "1990", "西暦"));
    QVERIFY(w.show());
    designateShowa60At300x200(w);
    QCOMPARE(readFile(w.settingsFile()), settings("2400", "1200", "1990", "西暦"));
    QTRY_COMPARE(readFile(w.settingsFile()), settings("4500", "3000", "60", "昭和"));
    QVERIFY(w->isVisible());
    QVERIFY(w->close());
    QCOMPARE(readFile(w.settingsFile()), settings("4500", "3000", "60", "昭和"));
}

void TestSettings::absurdGeometry_data() {
    QTest::addColumn<QByteArray>("value");
    for (const char* v : {"2147483647", "-2147483648", "9223372036854775807", "-4000000000",
                          "99999999999999999999", "-1", "1e30"})
        QTest::newRow(v) << QByteArray(v);
}

void TestSettings::absurdGeometry() {
    // Every place and size of both windows stored as the same absurd value: each window opens
    // whole on the screen, and what is written back is where it was, not the value read.
    QFETCH(QByteArray, value);
    QByteArray ini = settings(value, value, "1990", "西暦") + "[AGETABLE]\r\n";
    for (const char* key : {"LEFT", "TOP", "WIDTH", "HEIGHT"}) ini += key + ('=' + value) + "\r\n";
    Started w(ini);
    QVERIFY(w.show());
    w.ageTableAction->trigger();
    QWidget* table = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (qobject_cast<const yorvane::AgeTableWindow*>(t)) table = t;
    QVERIFY(table && QTest::qWaitForWindowExposed(table));
    const QRect area = w->screen()->availableGeometry();
    QVERIFY(area.contains(w->pos()));
    QVERIFY(area.contains(QRect(table->pos(), table->size())));
    QVERIFY(w->close());
    const auto saved = yorvane::profile::readFile(w.settingsFile());
    const auto number = [&](const char* section, const char* key) {
        return yorvane::profile::readString(saved, section, key, {}).toInt();
    };
    QVERIFY(area.contains(QPoint(number("LOCATION", "LEFT"), number("LOCATION", "TOP")) / 15));
    QCOMPARE(QRect(number("AGETABLE", "LEFT"), number("AGETABLE", "TOP"),
                   number("AGETABLE", "WIDTH"), number("AGETABLE", "HEIGHT")),
             QRect(table->pos(), table->size()));
}

void TestSettings::otherLinesKeptByteForByte_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray showa = sjis(QStringLiteral("昭和"));
    QTest::newRow("CRLF with comments and other sections")
        << QByteArray(
               "; settings\r\n[Other]\r\nkey = value with  blanks \r\n\r\n[location]\r\n"
               "left=2400\r\ntop=1200\r\nWIDTH=99\r\n\r\n[SET]\r\nSHITEI=55\r\nGENGO=" +
               showa + "\r\nEXTRA=1\r\n[Tail]\r\nx=y\r\n")
        << QByteArray(
               "; settings\r\n[Other]\r\nkey = value with  blanks \r\n\r\n[location]\r\n"
               "left=2400\r\ntop=1200\r\nWIDTH=99\r\n\r\n[SET]\r\nSHITEI=55\r\nGENGO=" +
               showa + "\r\nEXTRA=1\r\n[Tail]\r\nx=y\r\n");
    QTest::newRow("LF, keys missing")
        << QByteArray("# kept\n[SET]\nGENGO=" + showa + "\n[LOCATION]\nLEFT=2400\n")
        << QByteArray("# kept\n[SET]\nGENGO=" + showa +
                      "\nSHITEI=\n[LOCATION]\nLEFT=2400\nTOP=6270\n");
}

void TestSettings::otherLinesKeptByteForByte() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    Started w(before);
    QVERIFY(w->close());
    QCOMPARE(readFile(w.settingsFile()), after);
}

void TestSettings::legacyEncodingRead() {
    // Written by another program in Shift_JIS: 平成 is 95 BD 90 AC.
    Started w(QByteArray("[SET]\r\nSHITEI=10\r\nGENGO=\x95\xBD\x90\xAC\r\n"));
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("平成"));
    QCOMPARE(w.designatedWesternLabel->text(), QStringLiteral("1998"));
    QVERIFY(w->close());
    QVERIFY(readFile(w.settingsFile()).contains("GENGO=\x95\xBD\x90\xAC\r\n"));
}

void TestSettings::saveIntoRemovedFolder() {
    // A save that cannot succeed (the program folder is gone): closing still works and
    // nothing is reported.
    Started w(settings("2400", "1200", "55", "昭和"));
    QVERIFY(w.show());
    QVERIFY(w.dir.remove());
    QVERIFY(w->close());
    QVERIFY(!QFile::exists(w.settingsFile()));
    QVERIFY(!w->isVisible());
}

void TestSettings::settingsPathIsAFolder() {
    Window w(false, false);
    QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("yorvane.ini")));
    w->loadSettings();
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("ERROR"));
    QVERIFY(w->close());
    QVERIFY(QFileInfo(w.settingsFile()).isDir());
    QVERIFY(QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden).filter("yorvane").isEmpty());
}

void TestSettings::titleBarReachable_data() {
    // Two screens side by side: 1920 × 1080 (a task bar of 40 at the bottom), then 1280 × 1024.
    QTest::addColumn<QRect>("bar");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("on the first screen") << QRect(100, 100, 416, 24) << true;
    QTest::newRow("on the second screen") << QRect(2000, 900, 416, 24) << true;
    QTest::newRow("across both") << QRect(1700, 10, 416, 24) << true;
    QTest::newRow("40 pixels left on the left edge") << QRect(-376, 10, 416, 24) << true;
    QTest::newRow("39 pixels left on the left edge") << QRect(-377, 10, 416, 24) << false;
    QTest::newRow("half its height below the top") << QRect(100, -12, 416, 24) << true;
    QTest::newRow("less than half its height") << QRect(100, -13, 416, 24) << false;
    QTest::newRow("under the task bar") << QRect(100, 1045, 416, 24) << false;
    QTest::newRow("below the shorter second screen") << QRect(2000, 1030, 416, 24) << false;
    QTest::newRow("monitor unplugged, far right") << QRect(3300, 100, 416, 24) << false;
    QTest::newRow("far off") << QRect(10000, 6000, 416, 24) << false;
}

void TestSettings::titleBarReachable() {
    QFETCH(QRect, bar);
    QFETCH(bool, reachable);
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(yorvane::titleBarReachable(bar, screens), reachable);
}

void TestSettings::smallScreens_data() {
    // A window's frame at its first position, and a table window asking for its size, on one
    // screen's available area (a task bar of 40 at the bottom).
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("opensAt");
    QTest::addColumn<QRect>("table");
    QTest::addColumn<QRect>("tableFitted");
    QTest::newRow("1920 x 1080: as designed")
        << QRect(0, 0, 1920, 1040) << QRect(570, 418, 416, 300) << designPosition()
        << QRect(100, 100, 1040, 600) << QRect(100, 100, 1040, 600);
    QTest::newRow("800 x 600: centred")
        << QRect(0, 0, 800, 560) << QRect(570, 418, 416, 300) << QPoint(192, 130)
        << QRect(100, 100, 1040, 600) << QRect(0, 0, 800, 560);
    QTest::newRow("1280 x 1024 at scale 3: larger than the screen")
        << QRect(0, 0, 426, 328) << QRect(570, 418, 416, 340) << QPoint(5, 0)
        << QRect(300, 200, 200, 100) << QRect(226, 200, 200, 100);
}

void TestSettings::smallScreens() {
    QFETCH(QRect, area);
    QFETCH(QRect, frame);
    QFETCH(QPoint, opensAt);
    QFETCH(QRect, table);
    QFETCH(QRect, tableFitted);
    QCOMPARE(yorvane::wholeOnScreen(frame, {area}, area), opensAt);
    QCOMPARE(yorvane::fittedInto(table, area), tableFitted);
}

void TestSettings::folders_data() {
    QTest::addColumn<QString>("layout");   // what the temporary folder holds
    QTest::addColumn<QString>("program");  // relative to it
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("delivered");
    QTest::newRow("portable: pictures beside the executable")
        << "bin/scene1.jpg share/yorvane/scene1.jpg"
        << "bin"
        << "bin/yorvane.ini"
        << "";
    QTest::newRow("installed: the files in ../share/yorvane") << "bin/ share/yorvane/scene1.jpg"
                                                              << "share/yorvane"
                                                              << "config/yorvane/yorvane.ini"
                                                              << "share/yorvane/yorvane.ini";
    QTest::newRow("pictures missing everywhere: the executable's folder") << "bin/"
                                                                          << "bin"
                                                                          << "bin/yorvane.ini"
                                                                          << "";
}

void TestSettings::folders() {
    QFETCH(QString, layout);
    QFETCH(QString, program);
    QFETCH(QString, settings);
    QFETCH(QString, delivered);
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const QString& entry : layout.split(u' ')) {
        QVERIFY(root.mkpath(entry.section(u'/', 0, -2)));
        if (!entry.endsWith(u'/')) writeFile(root.filePath(entry), "x");
    }
    const yorvane::Folders f = yorvane::foldersFor(root.filePath("bin"), root.filePath("config"));
    QCOMPARE(f.program, root.filePath(program));
    QCOMPARE(f.settings.file, root.filePath(settings));
    QCOMPARE(f.settings.delivered, delivered.isEmpty() ? QString() : root.filePath(delivered));
}

void TestSettings::installedSettings_data() {
    QTest::addColumn<bool>("configWritable");
    QTest::newRow("configuration folder made at the close") << true;
    QTest::newRow("a file where the configuration folder should be") << false;
}

void TestSettings::installedSettings() {
    // An installed program: the delivered settings in the program folder, the user's file in a
    // configuration folder that does not exist yet.
    QFETCH(bool, configWritable);
    Window w(false);
    const QString delivered = w.settingsFile();
    const QByteArray deliveredBytes = readFile(delivered);
    QTemporaryDir home;
    const QString config = home.filePath(QStringLiteral("config"));
    if (!configWritable) writeFile(config, "not a folder");
    const QString own = config + QStringLiteral("/yorvane/yorvane.ini");
    w.platform->settings = {own, delivered};

    // The first start reads the delivered values.
    w->loadSettings();
    QCOMPARE(w->pos(), Window()->pos());
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    QVERIFY(w.show());
    designateShowa60At300x200(w);
    QVERIFY(w->close());

    // Nothing is ever written into the installation.
    QCOMPARE(readFile(delivered), deliveredBytes);
    QCOMPARE(QDir(w.dir.path()).entryList({QStringLiteral("yorvane*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("yorvane.ini")});
    if (!configWritable) {
        QVERIFY(!QFile::exists(own));
        return;
    }
    QCOMPARE(readFile(own), settings("4500", "3000", "60", "昭和"));

    // The next start reads the user's own file.
    Window again(false);
    again.platform->settings = {own, again.settingsFile()};
    again->loadSettings();
    QCOMPARE(again->pos(), QPoint(300, 200));
    QCOMPARE(again.designatedYearBox->text(), QStringLiteral("60"));
    QCOMPARE(again.designatedEraCaption->text(), QStringLiteral("昭和"));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
