#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "agetable_csv.h"
#include "agetable_model.h"
#include "atomic_file.h"
#include "date_query.h"
#include "program.h"
#include "u16text.h"
#include "version.h"
#include "yorvane/agetable.h"

namespace yorvane {

namespace {

// Writes all of `bytes` and flushes them: false, with errno telling why, when any of it failed.
bool writeAll(std::FILE* stream, const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stream) == size && std::fflush(stream) == 0 &&
           !std::ferror(stream);
}

// What the program says on standard error, every line after the program's name as all its
// messages there are (blank lines left out); nowhere to report it when that fails too.
void say(const QByteArray& text) {
    QByteArray lines;
    for (const QByteArray& line : text.split('\n'))
        if (!line.isEmpty()) lines += "yorvane: " + line + '\n';
    writeAll(stderr, lines);
}
void say(const QString& text) { say(text.toUtf8()); }

// Standard output, written whole or failed: a full disk, a closed descriptor or a device that
// takes nothing ends the program with status 1 and the reason, never with success.
int output(const QByteArray& bytes) {
    if (writeAll(stdout, bytes)) return 0;
    say(QStringLiteral("標準出力に書き込めませんでした: %1").arg(reasonForError(errno)));
    return 1;
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
                            QStringLiteral("使いかたを表示して終了します。")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("バージョンとライセンスを表示して終了します。")};
    QCommandLineOption csv{
        QStringLiteral("csv"),
        QStringLiteral("年齢早見表を CSV でファイルに書いて終了します（- なら標準出力へ）。"),
        QStringLiteral("ファイル")};
    QCommandLineOption reference{
        QStringLiteral("reference"),
        QStringLiteral("--csv とともに：基準年（%1年以降。既定は今年）。").arg(kAgeTableFirstYear),
        QStringLiteral("年")};
    QCommandLineOption fullAge{QStringLiteral("full-age"),
                               QStringLiteral("--csv とともに：長寿祝いを満年齢で数えます。")};
    QCommandLineOption early{
        QStringLiteral("early"),
        QStringLiteral("--csv とともに：早生まれとして入学・卒業の年を数えます。")};
    QCommandLineOption query{
        QStringLiteral("query"),
        QStringLiteral(
            "生年月日について、ウィンドウ「日付で調べる」と同じ答えを表示して終了します。"),
        QStringLiteral("日付")};
    QCommandLineOption on{
        QStringLiteral("on"),
        QStringLiteral(
            "--query とともに：今日の代わりに基準日の答えにします（日付と同じ書きかた）。"),
        QStringLiteral("基準日")};
    QCommandLineOption sex{
        QStringLiteral("sex"),
        QStringLiteral("--query とともに：厄年をこの性別の分だけ挙げます（既定は男女とも）。"),
        QStringLiteral("男|女")};
    QCommandLineOption ronin{
        QStringLiteral("ronin"),
        QStringLiteral(
            "--query とともに：高校卒業の後の浪人・留年の年数（0〜%1）を学歴に加えます。")
            .arg(kMaxExtraYears),
        QStringLiteral("年数")};
    QCommandLineOption json{
        QStringLiteral("json"),
        QStringLiteral("--query とともに：答えを一つの JSON オブジェクトで表示します。")};
    // The program's own options, in the order the usage lists them.
    QList<QCommandLineOption> own() const {
        return {help, version, csv, reference, fullAge, early, query, on, sex, ronin, json};
    }
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

// How many columns `text` takes on a terminal: the wide characters of Japanese take two.
int columns(const QString& text) {
    int n = 0;
    for (const QChar c : text) n += c.unicode() >= 0x1100 ? 2 : 1;
    return n;
}

// The usage, its descriptions in one column however wide the names before them are.
QString usage(const Options& o) {
    const QList<QCommandLineOption> options = o.own();
    QStringList names;
    int widest = 0;
    for (const QCommandLineOption& option : options) {
        QStringList dashed;
        for (const QString& name : option.names())
            dashed << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString shown = dashed.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) shown += QStringLiteral(" <%1>").arg(option.valueName());
        names << shown;
        widest = std::max(widest, columns(shown));
    }
    QString text = QStringLiteral(
                       "使いかた：yorvane [オプション]\n%1：生まれ年・生年月日から和暦、"
                       "干支、九星、年齢を調べます。オプションがなければウィンドウを"
                       "開きます。\n\nオプション：\n")
                       .arg(applicationTitle());
    for (qsizetype i = 0; i < names.size(); ++i)
        text += QStringLiteral("  ") + names[i] +
                QString(widest - columns(names[i]) + 2, QLatin1Char(' ')) +
                options[i].description() + QLatin1Char('\n');
    return text;
}

CommandLine mistake(const QString& why, const Options& o) {
    CommandLine line;
    line.action = CommandLine::Action::Mistake;
    line.text = why + QStringLiteral("\n\n") + usage(o);
    return line;
}

// Options the program does not know, as they were typed: '--bogus', not Qt's 'bogus'.
QString unknownOptions(const QStringList& arguments, const QStringList& names) {
    QStringList typed;
    for (const QString& name : names) {
        QString shown = QStringLiteral("--") + name;
        for (const QString& argument : arguments.sliced(std::min<qsizetype>(1, arguments.size()))) {
            const QString word = argument.section(QLatin1Char('='), 0, 0);
            qsizetype dashes = 0;
            while (dashes < word.size() && word[dashes] == QLatin1Char('-')) ++dashes;
            if (dashes > 0 && word.sliced(dashes) == name) {
                shown = word;
                break;
            }
        }
        typed << QStringLiteral("'%1'").arg(shown);
    }
    return typed.join(QStringLiteral("、")) + QStringLiteral(" は未知のオプションです。");
}

std::optional<Sex> sexNamed(const QString& name) {
    for (const Sex sex : {Sex::Male, Sex::Female})
        if (name == qs(sexName(sex))) return sex;
    return std::nullopt;
}

std::optional<int> extraYears(const QString& text) {
    bool number = false;
    const int years = text.toInt(&number);
    if (!number || years < 0 || years > kMaxExtraYears) return std::nullopt;
    return years;
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
    if (!parser.isSet(o.query) && (parser.isSet(o.on) || parser.isSet(o.json) ||
                                   parser.isSet(o.sex) || parser.isSet(o.ronin)))
        return QStringLiteral("--on、--sex、--ronin、--json は --query と一緒に使います。");
    if (parser.isSet(o.sex) && !sexNamed(parser.value(o.sex)))
        return QStringLiteral("--sex は 男 か 女 です: %1").arg(parser.value(o.sex));
    if (parser.isSet(o.ronin) && !extraYears(parser.value(o.ronin)))
        return QStringLiteral("--ronin は 0 から %1 の年数です: %2")
            .arg(kMaxExtraYears)
            .arg(parser.value(o.ronin));
    if (parser.isSet(o.csv) && parser.value(o.csv).isEmpty())
        return QStringLiteral("--csv にファイル名がありません。");
    if (parser.isSet(o.reference)) {
        bool number = false;
        const int year = parser.value(o.reference).toInt(&number);
        if (!number || ageTableRowCount(year) == 0)
            return QStringLiteral("--reference の年が正しくありません: %1")
                .arg(parser.value(o.reference));
    }
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
        line.query.on = parser.value(o.on);
        line.query.json = parser.isSet(o.json);
        if (parser.isSet(o.sex)) line.query.options.sex = sexNamed(parser.value(o.sex));
        line.query.options.extraYears = extraYears(parser.value(o.ronin)).value_or(0);
    }
    return line;
}

// The age table as "CSV で保存…" writes it with the same options, to a file through the
// program's one writer or to standard output. The model needs no QGuiApplication.
int writeAgeTableCsv(const CsvRequest& request) {
    AgeTableModel model;
    const int thisYear =
        std::clamp(localToday().year(), kAgeTableFirstYear, kAgeTableLastReference);
    model.setOptions(
        {request.reference.value_or(thisYear), request.longevityInFullAge, request.earlyBorn});
    const QByteArray bytes = csvBytes(model);
    const bool toOutput = request.file == QLatin1String("-");
    // The name exactly as it was given, in whatever encoding.
    const QByteArray file = nativeBytes(request.file);
    QString why;
    if (toOutput ? writeAll(stdout, bytes) : writeNativeFileAtomically(file, bytes, &why)) return 0;
    if (toOutput) why = reasonForError(errno);
    say(QStringLiteral("CSV ファイルを保存できませんでした: ").toUtf8() +
        (toOutput ? QStringLiteral("標準出力").toUtf8() : file) + ": " + why.toUtf8() + '\n');
    return 1;
}

// The day-exact answer for a day of birth, as the window 日付で調べる shows it.
int answerQuery(const QueryRequest& query) {
    QByteArray answer;
    QString reason;
    int status = 0;
    {
        QTextStream out(&answer, QIODevice::WriteOnly);
        QTextStream err(&reason, QIODevice::WriteOnly);
        const QDate today = localToday();
        status = runDateQuery(query.text, query.on, query.json, out, err,
                              {today.year(), today.month(), today.day()}, query.options);
    }
    if (status != 0) {
        say(reason);
        return status;
    }
    return output(answer);
}

QString environment(const char* name) { return qEnvironmentVariable(name); }

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // -platform and -display are Qt's, with one dash; so every word after one dash is a name.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    Options o;
    parser.addOptions(o.own());
    addQtOptions(parser, o);
    if (!parser.parse(arguments))
        return mistake(parser.unknownOptionNames().isEmpty()
                           ? parser.errorText()
                           : unknownOptions(arguments, parser.unknownOptionNames()),
                       o);
    CommandLine line;
    if (parser.isSet(o.help)) {
        line.action = CommandLine::Action::Help;
        line.text = usage(o);
    } else if (parser.isSet(o.version)) {
        line.action = CommandLine::Action::Version;
        line.text = versionText();
    } else if (const QString why = misuse(parser, o); !why.isEmpty()) {
        line = mistake(why, o);
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

QString displayNames(const QString& platforms, const QString& x11Display,
                     const QString& waylandDisplay) {
    // Qt tries Wayland first when its display is set, then X11, unless told which to use.
    bool x11 = platforms.isEmpty();
    bool wayland = platforms.isEmpty() && !waylandDisplay.isEmpty();
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        x11 = x11 || name == QLatin1String("xcb");
        wayland = wayland || name.startsWith(QLatin1String("wayland"));
    }
    QStringList names;
    if (wayland) names << waylandDisplay;
    if (x11) names << x11Display;
    names.removeAll(QString());
    return names.join(QStringLiteral("、"));
}

QStringList argumentTexts(int argc, char** argv) {
    QStringList texts;
    for (int i = 0; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        QString text = QString::fromUtf8(bytes);
        if (text.toUtf8() != bytes) {
            // Each character that decodes on its own is kept, each byte that does not becomes
            // U+DC80 to U+DCFF, which no UTF-8 text can hold alone.
            text.clear();
            for (qsizetype at = 0; at < bytes.size();) {
                qsizetype length = 1;
                while (length <= 4 && at + length <= bytes.size() &&
                       QString::fromUtf8(bytes.sliced(at, length)).toUtf8() !=
                           bytes.sliced(at, length))
                    ++length;
                if (length > 4 || at + length > bytes.size()) {
                    text += QChar(0xDC00 | quint8(bytes[at]));
                    length = 1;
                } else {
                    text += QString::fromUtf8(bytes.sliced(at, length));
                }
                at += length;
            }
        }
        texts << text;
    }
    return texts;
}

QByteArray nativeBytes(const QString& text) {
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool paired = i > 0 && QChar::isHighSurrogate(text[i - 1].unicode());
        if (c < 0xDC80 || c > 0xDCFF || paired) continue;
        bytes += text.sliced(from, i - from).toUtf8();
        bytes += char(c & 0xFF);
        from = i + 1;
    }
    return bytes + text.sliced(from).toUtf8();
}

std::optional<int> runCommandLine(int& argc, char** argv, DisplayChoice* display) {
    CommandLine line;
    if (argc > 1) {
        // Qt's texts in Japanese; a caller that has an application already keeps it.
        std::optional<QCoreApplication> core;
        if (!QCoreApplication::instance()) {
            core.emplace(argc, argv);
            installQtTranslations(*core);
        }
        line = parseCommandLine(argumentTexts(argc, argv));
        switch (line.action) {
            case CommandLine::Action::OpenWindow: break;
            case CommandLine::Action::Help:
            case CommandLine::Action::Version: return output(line.text.toUtf8());
            case CommandLine::Action::Mistake: say(line.text); return 2;
            case CommandLine::Action::Csv: return writeAgeTableCsv(line.csv);
            case CommandLine::Action::Query: return answerQuery(line.query);
        }
    }
    const DisplayChoice choice{
        line.platform.isEmpty() ? environment("QT_QPA_PLATFORM") : line.platform,
        line.display.isEmpty() ? environment("DISPLAY") : line.display,
        environment("WAYLAND_DISPLAY")};
    if (display) *display = choice;
    if (displayReachable(choice.platforms, choice.x11, choice.wayland)) return std::nullopt;
    say(
        QStringLiteral("グラフィカルなデスクトップ（X11 または Wayland）が見つからないため、"
                       "ウィンドウを開けません。"));
    return 1;
}

}  // namespace yorvane
