// The command line: what each combination of options asks for, and when a window can be shown.

#include "command_line.h"

#include "program.h"

#include <QtTest>

#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

using yorvane::CommandLine;
using Action = CommandLine::Action;

namespace {
CommandLine parse(const QString& arguments) {
    return yorvane::parseCommandLine(QStringList{QStringLiteral("yorvane")} +
                                     arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

// Runs the command line as main does, its standard output going to `output`; what it says on
// standard error lands in `said`.
int run(QList<QByteArray> arguments, const char* output, QByteArray* said) {
    std::fflush(stdout);
    const int keptOut = ::dup(1);
    const int keptErr = ::dup(2);
    QTemporaryFile errors;
    if (!errors.open()) return -1;
    const int out = ::open(output, O_WRONLY);
    ::dup2(out, 1);
    ::close(out);
    ::dup2(errors.handle(), 2);
    arguments.prepend("yorvane");
    std::vector<char*> argv;
    for (QByteArray& a : arguments) argv.push_back(a.data());
    int argc = int(argv.size());
    const std::optional<int> status = yorvane::runCommandLine(argc, argv.data());
    __fpurge(stdout);  // what a failed write left behind is not for the test's own output
    std::clearerr(stdout);
    ::dup2(keptOut, 1);
    ::dup2(keptErr, 2);
    ::close(keptOut);
    ::close(keptErr);
    errors.seek(0);
    *said = errors.readAll();
    return status.value_or(-1);
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
    void outputThatCannotBeWrittenFails_data();
    void outputThatCannotBeWrittenFails();
    void fileNamesAreBytes();
    void onIsReadAsTheBirthIs();
    void mistakesAreSaidLineByLine_data();
    void mistakesAreSaidLineByLine();
    void roninAndSex();
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
    QTest::newRow("--on without --query") << "--on 2026-12-08" << Action::Mistake;
    QTest::newRow("--sex without --query") << "--sex 男" << Action::Mistake;
    QTest::newRow("--sex neither") << "--query x --sex 両方" << Action::Mistake;
    QTest::newRow("--ronin above 5") << "--query x --ronin 6" << Action::Mistake;
    QTest::newRow("--ronin below 0") << "--query x --ronin -1" << Action::Mistake;
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
    QCOMPARE(query.query.on, QStringLiteral("2026-04-01"));
    QVERIFY(query.query.json);
    QVERIFY(parse(QStringLiteral("--query x")).query.on.isEmpty());
}

void TestCommandLine::displayReachable_data() {
    QTest::addColumn<QString>("platforms");  // Qt's choice, then DISPLAY and WAYLAND_DISPLAY
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QString>("named");  // what a message names
    QTest::newRow("nothing") << ""
                             << ""
                             << "" << false << "";
    QTest::newRow("X11") << ""
                         << ":0"
                         << "" << true << ":0";
    QTest::newRow("Wayland") << ""
                             << ""
                             << "wayland-0" << true << "wayland-0";
    QTest::newRow("offscreen with options") << "offscreen:fontengine=freetype"
                                            << ""
                                            << "" << true << "";
    QTest::newRow("xcb, Wayland only") << "xcb"
                                       << ""
                                       << "wayland-0" << false << "";
    QTest::newRow("wayland, X11 only") << "wayland"
                                       << ":0"
                                       << "" << false << "";
    QTest::newRow("wayland then xcb, X11 only") << "wayland;xcb"
                                                << ":0"
                                                << "" << true << ":0";
    QTest::newRow("both, Qt's choice") << ""
                                       << ":0"
                                       << "wayland-0" << true << "wayland-0、:0";
}

void TestCommandLine::displayReachable() {
    QFETCH(QString, platforms);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(bool, reachable);
    QFETCH(QString, named);
    QCOMPARE(yorvane::displayReachable(platforms, x11, wayland), reachable);
    QCOMPARE(yorvane::displayNames(platforms, x11, wayland), named);
}

// Qt's own texts, from the usage to a box's context menu, come from its installed translations.
void TestCommandLine::qtSpeaksJapanese() {
    QVERIFY(yorvane::installQtTranslations(*QCoreApplication::instance()));
    QVERIFY(QCoreApplication::translate("QLineEdit", "&Undo") != QLatin1String("&Undo"));
    QVERIFY(!parse(QStringLiteral("--csv")).text.contains(QLatin1String("Missing value")));
}

// A full disk is a failure with a reason, for every output of the command line.
void TestCommandLine::outputThatCannotBeWrittenFails_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::newRow("--query --json") << QByteArrayList{"--query", "1980/3/4", "--json"};
    QTest::newRow("--csv -") << QByteArrayList{"--csv", "-"};
    QTest::newRow("--help") << QByteArrayList{"--help"};
    QTest::newRow("--version") << QByteArrayList{"--version"};
}

void TestCommandLine::outputThatCannotBeWrittenFails() {
    QFETCH(QByteArrayList, arguments);
    QByteArray said;
    QCOMPARE(run(arguments, "/dev/null", &said), 0);
    QVERIFY(said.isEmpty());
    QCOMPARE(run(arguments, "/dev/full", &said), 1);
    QVERIFY2(said.startsWith("yorvane: ") && said.endsWith('\n'), said.constData());
    QVERIFY2(!said.contains(QByteArray::number(ENOSPC)), said.constData());
}

// A name given in Shift_JIS, in a folder named in Shift_JIS, is written under those very bytes.
void TestCommandLine::fileNamesAreBytes() {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/sj\x83t";
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    const QByteArray file = folder + "/\x94N\x97\xee.csv";
    QByteArray said;
    QCOMPARE(run({"--csv", file}, "/dev/null", &said), 0);
    struct stat st {};
    const bool written = ::stat(file.constData(), &st) == 0 && st.st_size > 0;
    ::unlink(file.constData());
    QVERIFY2(::rmdir(folder.constData()) == 0, "a file of another name is left in the folder");
    QVERIFY(written);
}

// --on is read by the reader of the day of birth: every notation of a day gives the same answer,
// another day another; a day that does not exist ends with status 1 and the reader's reason.
void TestCommandLine::onIsReadAsTheBirthIs() {
    QByteArray said;
    QByteArrayList answers;
    for (const char* on : {"2026-12-08", "2026/12/8", "令和8年12月8日", "2026-12-09"}) {
        QTemporaryFile out;
        QVERIFY(out.open());
        QCOMPARE(run({"--query", "1980/3/4", "--on", on}, QFile::encodeName(out.fileName()), &said),
                 0);
        answers << out.readAll();
    }
    QVERIFY(!answers[0].isEmpty());
    QCOMPARE(answers[1], answers[0]);
    QCOMPARE(answers[2], answers[0]);
    QVERIFY(answers[3] != answers[0]);
    QCOMPARE(run({"--query", "1980/3/4", "--on", "2026-02-30"}, "/dev/null", &said), 1);
    QVERIFY2(said.contains("--on") && said.contains("2月30日"), said.constData());
}

// Every line on standard error starts with the program's name, the usage after a mistake
// included, and an unknown option is named as it was typed, dashes and all.
void TestCommandLine::mistakesAreSaidLineByLine_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("named");
    QTest::newRow("--no-such-option")
        << QByteArrayList{"--no-such-option"} << 2 << QByteArray("'--no-such-option'");
    QTest::newRow("-bogus=1") << QByteArrayList{"-bogus=1"} << 2 << QByteArray("'-bogus'");
    QTest::newRow("two unknown") << QByteArrayList{"--a", "-b"} << 2 << QByteArray("'--a'、'-b'");
    QTest::newRow("stray argument") << QByteArrayList{"1980"} << 2 << QByteArray("1980");
    QTest::newRow("a day that is none")
        << QByteArrayList{"--query", "1980/2/30"} << 1 << QByteArray();
}

void TestCommandLine::mistakesAreSaidLineByLine() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, named);
    QByteArray said;
    QCOMPARE(run(arguments, "/dev/null", &said), status);
    QVERIFY2(said.contains(named), said.constData());
    const QByteArrayList lines = said.chopped(1).split('\n');
    for (const QByteArray& line : lines) QVERIFY2(line.startsWith("yorvane: "), said.constData());
    // The usage follows a wrong option, and only one.
    QCOMPARE(lines.size() > 1, status == 2);
}

// --ronin moves every school after 高校卒業, each month named by the era of its 1st (大学卒業 of
// one born 1995-06-01 is 平成30年3月, 平成31年3月 a year later, 令和2年3月 two years later);
// --sex lists one person's 厄年.
void TestCommandLine::roninAndSex() {
    QByteArray said;
    const auto json = [&said](QList<QByteArray> arguments) {
        QTemporaryFile out;
        if (!out.open()) return QJsonObject();
        arguments =
            QList<QByteArray>{"--query", "1995/6/1", "--on", "2026/12/8", "--json"} + arguments;
        if (run(arguments, QFile::encodeName(out.fileName()), &said) != 0) return QJsonObject();
        return QJsonDocument::fromJson(out.readAll()).object();
    };
    const auto record = [](const QJsonObject& answer, const QString& school) {
        for (const QJsonValue& entry : answer["学歴"].toArray())
            if (entry["学校"] == school && entry["区分"] == "卒業") return entry["和暦"].toString();
        return QString();
    };
    const char* university[] = {"平成30年3月", "平成31年3月", "令和2年3月"};
    for (int years = 0; years < 3; ++years) {
        const QJsonObject answer = json({"--ronin", QByteArray::number(years)});
        QCOMPARE(record(answer, "高校"), "平成26年3月");
        QCOMPARE(record(answer, "大学"), QString::fromUtf8(university[years]));
    }
    const QJsonArray women = json({"--sex", "女"})["厄年一覧"].toArray();
    QVERIFY(!women.isEmpty());
    for (const QJsonValue& entry : women) QCOMPARE(entry["性別"].toString(), "女");
    QCOMPARE(json({})["厄年一覧"].toArray().size(),
             women.size() + json({"--sex", "男"})["厄年一覧"].toArray().size());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
