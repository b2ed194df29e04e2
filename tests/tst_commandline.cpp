// The command line: what each combination of options asks for, and when a window can be shown.

#include "command_line.h"

#include "application.h"

#include <QtTest>

using yorvane::CommandLine;
using Action = CommandLine::Action;

namespace {
CommandLine parse(const QString& arguments) {
    return yorvane::parseCommandLine(QStringList{QStringLiteral("yorvane")} +
                                     arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}
}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void action_data();
    void action();
    void requestsCarryTheirValues();
    void displayReachable_data();
    void displayReachable();
    void qtSpeaksJapanese();
};

void TestCommandLine::action_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<Action>("expected");
    QTest::newRow("nothing") << "" << Action::OpenWindow;
    QTest::newRow("Qt's own options") << "-platform offscreen -style fusion" << Action::OpenWindow;
    QTest::newRow("-h") << "-h" << Action::Help;
    QTest::newRow("--version") << "--version" << Action::Version;
    QTest::newRow("unknown option") << "--colour" << Action::Mistake;
    QTest::newRow("stray argument") << "1980" << Action::Mistake;
    QTest::newRow("--csv without a file") << "--csv" << Action::Mistake;
    QTest::newRow("--csv and --query") << "--csv a.csv --query x" << Action::Mistake;
    QTest::newRow("--early without --csv") << "--early" << Action::Mistake;
    QTest::newRow("--json without --query") << "--json" << Action::Mistake;
    QTest::newRow("--reference not a year") << "--csv a.csv --reference 20x0" << Action::Mistake;
    QTest::newRow("--reference before the table") << "--csv - --reference 1800" << Action::Mistake;
    QTest::newRow("--on not a date") << "--query x --on 2026-02-30" << Action::Mistake;
    QTest::newRow("--csv to standard output") << "--csv -" << Action::Csv;
    QTest::newRow("--query") << "--query 昭和55" << Action::Query;
}

void TestCommandLine::action() {
    QFETCH(QString, arguments);
    QFETCH(Action, expected);
    const CommandLine line = parse(arguments);
    QCOMPARE(line.action, expected);
    // What is printed for a mistake says what was wrong, then how the program is used.
    if (expected == Action::Mistake) QVERIFY(line.text.contains(QStringLiteral("--csv")));
}

void TestCommandLine::requestsCarryTheirValues() {
    const CommandLine csv = parse(QStringLiteral("--csv out.csv --reference 2000 --early"));
    QCOMPARE(csv.csv.file, QStringLiteral("out.csv"));
    QCOMPARE(csv.csv.reference, std::optional<int>(2000));
    QVERIFY(csv.csv.earlyBorn && !csv.csv.longevityInFullAge);
    const CommandLine query = parse(QStringLiteral("--query 昭和55 --on 2026-04-01 --json"));
    QCOMPARE(query.query.text, QStringLiteral("昭和55"));
    QCOMPARE(query.query.on, std::optional<QDate>(QDate(2026, 4, 1)));
    QVERIFY(query.query.json);
    QVERIFY(!parse(QStringLiteral("--query x")).query.on.has_value());
}

void TestCommandLine::displayReachable_data() {
    QTest::addColumn<QString>("platforms");  // Qt's choice, then DISPLAY and WAYLAND_DISPLAY
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("nothing") << ""
                             << ""
                             << "" << false;
    QTest::newRow("X11") << ""
                         << ":0"
                         << "" << true;
    QTest::newRow("Wayland") << ""
                             << ""
                             << "wayland-0" << true;
    QTest::newRow("offscreen with options") << "offscreen:fontengine=freetype"
                                            << ""
                                            << "" << true;
    QTest::newRow("xcb, Wayland only") << "xcb"
                                       << ""
                                       << "wayland-0" << false;
    QTest::newRow("wayland, X11 only") << "wayland"
                                       << ":0"
                                       << "" << false;
    QTest::newRow("wayland then xcb, X11 only") << "wayland;xcb"
                                                << ":0"
                                                << "" << true;
}

void TestCommandLine::displayReachable() {
    QFETCH(QString, platforms);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(bool, reachable);
    QCOMPARE(yorvane::displayReachable(platforms, x11, wayland), reachable);
}

// Qt's own texts, from the usage to a box's context menu, come from its installed translations.
void TestCommandLine::qtSpeaksJapanese() {
    QVERIFY(yorvane::installQtTranslations(*QCoreApplication::instance()));
    QVERIFY(QCoreApplication::translate("QLineEdit", "&Undo") != QLatin1String("&Undo"));
    QVERIFY(!parse(QStringLiteral("--colour")).text.contains(QLatin1String("Unknown option")));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
