#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "agetable_csv.h"
#include "agetable_model.h"
#include "application.h"
#include "atomic_file.h"
#include "date_query.h"
#include "version.h"
#include "yorvane/agetable.h"

namespace yorvane {

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

QString versionText() {
    return QStringLiteral(
               "yorvane (%1) %2\n"
               "Copyright %3 Yorvane developers\n"
               "プログラムは MIT ライセンスです。十二支の動物の絵は Apache License 2.0 です。\n")
        .arg(applicationTitle(), QStringLiteral(YORVANE_VERSION),
             QStringLiteral(YORVANE_RELEASE_YEAR));
}

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("この説明を表示して終わります。")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("版とライセンスを表示して終わります。")};
    QCommandLineOption csv{QStringLiteral("csv"),
                           QStringLiteral("年齢早見表を CSV で書いて終わります（- は標準出力）。"),
                           QStringLiteral("FILE")};
    QCommandLineOption reference{QStringLiteral("reference"),
                                 QStringLiteral("--csv: 基準年（既定は今年）。"),
                                 QStringLiteral("YEAR")};
    QCommandLineOption fullAge{QStringLiteral("full-age"),
                               QStringLiteral("--csv: 長寿祝いを満年齢で数えます。")};
    QCommandLineOption early{QStringLiteral("early"),
                             QStringLiteral("--csv: 早生まれとして入学・卒業の年を数えます。")};
    QCommandLineOption query{QStringLiteral("query"),
                             QStringLiteral("生まれ年について尋ね、答えを表示して終わります。"),
                             QStringLiteral("TEXT")};
    QCommandLineOption on{
        QStringLiteral("on"),
        QStringLiteral("--query: この日（YYYY-MM-DD）の答えにします（既定は今日）。"),
        QStringLiteral("DATE")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("--query: 答えを JSON で表示します。")};
    // Qt's own options, which the QApplication reads: accepted and not listed.
    QCommandLineOption platform{QStringLiteral("platform"), QString(), QStringLiteral("name")};
    QCommandLineOption display{QStringLiteral("display"), QString(), QStringLiteral("name")};
};

void addQtOptions(QCommandLineParser& parser, Options& o) {
    QList<QCommandLineOption> qt{o.platform, o.display};
    for (const char* name : {"platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "style", "stylesheet"})
        qt.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("v")));
    for (const char* name : {"reverse", "widgetcount"})
        qt.append(QCommandLineOption(QString::fromLatin1(name)));
    for (QCommandLineOption& option : qt) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine mistake(const QString& why, const QCommandLineParser& parser) {
    CommandLine line;
    line.action = CommandLine::Action::Mistake;
    line.text = why + QStringLiteral("\n\n") + parser.helpText();
    return line;
}

// What is wrong with the combination of options given, empty when nothing is.
QString misuse(const QCommandLineParser& parser, const Options& o) {
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("余分な引数があります: %1")
            .arg(parser.positionalArguments().join(QLatin1Char(' ')));
    if (parser.isSet(o.csv) && parser.isSet(o.query))
        return QStringLiteral("--csv と --query は一緒に使えません。");
    if (!parser.isSet(o.csv) &&
        (parser.isSet(o.reference) || parser.isSet(o.fullAge) || parser.isSet(o.early)))
        return QStringLiteral("--reference、--full-age、--early は --csv と一緒に使います。");
    if (!parser.isSet(o.query) && (parser.isSet(o.on) || parser.isSet(o.json)))
        return QStringLiteral("--on と --json は --query と一緒に使います。");
    if (parser.isSet(o.csv) && parser.value(o.csv).isEmpty())
        return QStringLiteral("--csv にファイル名がありません。");
    if (parser.isSet(o.reference)) {
        bool number = false;
        const int year = parser.value(o.reference).toInt(&number);
        if (!number || ageTableRowCount(year) == 0)
            return QStringLiteral("--reference の年が正しくありません: %1")
                .arg(parser.value(o.reference));
    }
    if (parser.isSet(o.on) && !QDate::fromString(parser.value(o.on), Qt::ISODate).isValid())
        return QStringLiteral("--on の日付が正しくありません（YYYY-MM-DD）: %1")
            .arg(parser.value(o.on));
    return {};
}

CommandLine requested(const QCommandLineParser& parser, const Options& o) {
    CommandLine line;
    line.platform = parser.value(o.platform);
    line.display = parser.value(o.display);
    if (parser.isSet(o.csv)) {
        line.action = CommandLine::Action::Csv;
        line.csv.file = parser.value(o.csv);
        if (parser.isSet(o.reference)) line.csv.reference = parser.value(o.reference).toInt();
        line.csv.longevityInFullAge = parser.isSet(o.fullAge);
        line.csv.earlyBorn = parser.isSet(o.early);
    } else if (parser.isSet(o.query)) {
        line.action = CommandLine::Action::Query;
        line.query.text = parser.value(o.query);
        if (parser.isSet(o.on)) line.query.on = QDate::fromString(parser.value(o.on), Qt::ISODate);
        line.query.json = parser.isSet(o.json);
    }
    return line;
}

// The age table as "CSV で保存…" writes it with the same options, to a file through the
// program's one writer or to standard output. The model needs no QGuiApplication.
int writeAgeTableCsv(const CsvRequest& request) {
    AgeTableModel model;
    const int thisYear =
        std::clamp(QDate::currentDate().year(), kAgeTableFirstYear, kAgeTableLastReference);
    model.setOptions(
        {request.reference.value_or(thisYear), request.longevityInFullAge, request.earlyBorn});
    const QByteArray bytes = csvBytes(model);
    QString why;
    if (request.file == QLatin1String("-")) {
        const auto size = static_cast<std::size_t>(bytes.size());
        if (std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0)
            return 0;
        why = reasonForError(errno);
    } else if (writeFileAtomically(request.file, bytes, &why)) {
        return 0;
    }
    const QString target =
        request.file == QLatin1String("-") ? QStringLiteral("標準出力") : request.file;
    print(stderr,
          QStringLiteral("yorvane: CSV ファイルを保存できませんでした: %1: %2\n").arg(target, why));
    return 1;
}

// The day-exact answer for a day of birth, as the window 日付で調べる shows it.
int answerQuery(const QueryRequest& query) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runDateQuery(query.text, query.on ? query.on->toString(Qt::ISODate) : QString(),
                        query.json, out, err);
}

QString environment(const char* name) { return qEnvironmentVariable(name); }

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // -platform and -display are Qt's, with one dash; so every word after one dash is a name.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral(
            "%1: 生まれ年の和暦・干支・九星・年齢を調べます。オプションなしで窓を開きます。")
            .arg(applicationTitle()));
    Options o;
    parser.addOptions(
        {o.help, o.version, o.csv, o.reference, o.fullAge, o.early, o.query, o.on, o.json});
    addQtOptions(parser, o);
    if (!parser.parse(arguments)) return mistake(parser.errorText(), parser);
    CommandLine line;
    if (parser.isSet(o.help)) {
        line.action = CommandLine::Action::Help;
        line.text = parser.helpText();
    } else if (parser.isSet(o.version)) {
        line.action = CommandLine::Action::Version;
        line.text = versionText();
    } else if (const QString why = misuse(parser, o); !why.isEmpty()) {
        line = mistake(why, parser);
    } else {
        line = requested(parser, o);
    }
    return line;
}

bool displayReachable(const QString& platforms, const QString& x11Display,
                      const QString& waylandDisplay) {
    if (platforms.isEmpty()) return !x11Display.isEmpty() || !waylandDisplay.isEmpty();
    // Qt tries each platform in turn; a name may carry options after a colon.
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb")) {
            if (!x11Display.isEmpty()) return true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (!waylandDisplay.isEmpty()) return true;
        } else {
            return true;  // offscreen, minimal, vnc, eglfs, linuxfb: no desktop session needed
        }
    }
    return false;
}

std::optional<int> runCommandLine(int& argc, char** argv) {
    CommandLine line;
    if (argc > 1) {
        QCoreApplication core(argc, argv);
        installQtTranslations(core);
        line = parseCommandLine(QCoreApplication::arguments());
        switch (line.action) {
            case CommandLine::Action::OpenWindow: break;
            case CommandLine::Action::Help:
            case CommandLine::Action::Version: print(stdout, line.text); return 0;
            case CommandLine::Action::Mistake: print(stderr, line.text); return 2;
            case CommandLine::Action::Csv: return writeAgeTableCsv(line.csv);
            case CommandLine::Action::Query: return answerQuery(line.query);
        }
    }
    const QString platforms =
        line.platform.isEmpty() ? environment("QT_QPA_PLATFORM") : line.platform;
    const QString x11 = line.display.isEmpty() ? environment("DISPLAY") : line.display;
    if (displayReachable(platforms, x11, environment("WAYLAND_DISPLAY"))) return std::nullopt;
    print(stderr, QStringLiteral("yorvane: グラフィカルなデスクトップ（X11 または Wayland）が"
                                 "見つからないため、窓を開けません。\n"));
    return 1;
}

}  // namespace yorvane
