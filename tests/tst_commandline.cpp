// The command line: what each combination of options asks for, and when a window can be shown.

#include "command_line.h"

#include <QtTest>

using yorvane::CommandLine;
using Action = CommandLine::Action;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void action_data();
    void action();
    void requestsCarryTheirValues();
    void displayReachable_data();
    void displayReachable();
};

void TestCommandLine::action_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("expected");
    const auto row = [](const char* name, const QString& args, Action action) {
        QStringList list{QStringLiteral("yorvane")};
        list << args.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QTest::newRow(name) << list << action;
    };
    row("nothing", {}, Action::OpenWindow);
    row("Qt's own -platform", "-platform offscreen -style fusion", Action::OpenWindow);
    row("--help", "--help", Action::Help);
    row("-h", "-h", Action::Help);
    row("-v", "-v", Action::Version);
    row("unknown option", "--colour", Action::Mistake);
    row("stray argument", "1980", Action::Mistake);
    row("--csv without a file", "--csv", Action::Mistake);
    row("--csv with an empty file", "--csv=", Action::Mistake);
    row("--csv and --query", "--csv a.csv --query x", Action::Mistake);
    row("--reference without --csv", "--reference 2000", Action::Mistake);
    row("--early without --csv", "--early", Action::Mistake);
    row("--json without --query", "--json", Action::Mistake);
    row("--reference not a year", "--csv a.csv --reference 20x0", Action::Mistake);
    row("--reference before the table", "--csv a.csv --reference 1800", Action::Mistake);
    row("--on not a date", "--query x --on 2026-02-30", Action::Mistake);
    row("--csv to standard output", "--csv -", Action::Csv);
    row("--query", "--query 昭和55", Action::Query);
}

void TestCommandLine::action() {
    QFETCH(QStringList, arguments);
    QFETCH(Action, expected);
    const CommandLine line = yorvane::parseCommandLine(arguments);
    QCOMPARE(line.action, expected);
    // What is printed for a mistake says what was wrong, then how the program is used.
    if (expected == Action::Mistake) QVERIFY(line.text.contains(QStringLiteral("--csv")));
}

void TestCommandLine::requestsCarryTheirValues() {
    CommandLine line = yorvane::parseCommandLine(
        {QStringLiteral("yorvane"), QStringLiteral("--csv"), QStringLiteral("out.csv"),
         QStringLiteral("--reference"), QStringLiteral("2000"), QStringLiteral("--early")});
    QCOMPARE(line.csv.file, QStringLiteral("out.csv"));
    QCOMPARE(line.csv.reference, std::optional<int>(2000));
    QVERIFY(line.csv.earlyBorn && !line.csv.longevityInFullAge);

    line = yorvane::parseCommandLine({QStringLiteral("yorvane"), QStringLiteral("--query"),
                                      QStringLiteral("昭和 55"), QStringLiteral("--on"),
                                      QStringLiteral("2026-04-01"), QStringLiteral("--json")});
    QCOMPARE(line.query.text, QStringLiteral("昭和 55"));
    QCOMPARE(line.query.on, std::optional<QDate>(QDate(2026, 4, 1)));
    QVERIFY(line.query.json);
    QVERIFY(!yorvane::parseCommandLine(
                 {QStringLiteral("yorvane"), QStringLiteral("--query"), QStringLiteral("x")})
                 .query.on.has_value());
}

void TestCommandLine::displayReachable_data() {
    QTest::addColumn<QString>("platforms");
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
    QTest::newRow("offscreen, no display") << "offscreen"
                                           << ""
                                           << "" << true;
    QTest::newRow("a platform with options") << "minimal:enable_fonts"
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
    QTest::newRow("xcb then offscreen") << "xcb;offscreen"
                                        << ""
                                        << "" << true;
}

void TestCommandLine::displayReachable() {
    QFETCH(QString, platforms);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(bool, reachable);
    QCOMPARE(yorvane::displayReachable(platforms, x11, wayland), reachable);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
