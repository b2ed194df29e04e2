#pragma once
// The command line, read before any window is made: the options that print and end, the ones
// that do their work without a window, and the check that a window can be shown at all.

#include <QString>
#include <QStringList>
#include <optional>

#include "yorvane/dateanswer.h"

namespace yorvane {

// --csv FILE [--reference YEAR] [--full-age] [--early]: the age table as CSV.
struct CsvRequest {
    QString file;                  // "-" for standard output; nativeBytes gives the name's bytes
    std::optional<int> reference;  // none: this year
    bool longevityInFullAge = false;
    bool earlyBorn = false;
};

// --query TEXT [--on DATE] [--sex 男|女] [--ronin N] [--json]: one question answered on standard
// output.
struct QueryRequest {
    QString text;
    QString on;  // the 基準日 as typed, read by the date reader; blank: today
    bool json = false;
    AnswerOptions options;  // whose 厄年 (none: both), years of 浪人 or 留年
};

struct CommandLine {
    enum class Action { OpenWindow, Help, Version, Mistake, Csv, Query };
    Action action = Action::OpenWindow;
    QString text;  // Help: the usage; Version: the version notice; Mistake: what was wrong
    CsvRequest csv;
    QueryRequest query;
    // Qt's own -platform and -display, which decide whether a display is needed.
    QString platform;
    QString display;
};

// Reads `arguments` (the program's name first). Needs a QCoreApplication for Qt's texts.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the window system Qt will use can be reached: `platforms` is Qt's platform choice
// (-platform, else QT_QPA_PLATFORM, with ';' between fallbacks), the other two DISPLAY and
// WAYLAND_DISPLAY.
bool displayReachable(const QString& platforms, const QString& x11Display,
                      const QString& waylandDisplay);

// The display or displays Qt will try for the same choice, for messages: ":0", "wayland-0",
// "wayland-0、:0"; empty when none is named.
QString displayNames(const QString& platforms, const QString& x11Display,
                     const QString& waylandDisplay);

// The arguments as texts that keep their bytes, whatever their encoding: what is no UTF-8 is held
// as one lone surrogate U+DC80 to U+DCFF for each byte, and nativeBytes gives the bytes back.
QStringList argumentTexts(int argc, char** argv);
QByteArray nativeBytes(const QString& text);

// The window system Qt will be asked for: its platform choice, DISPLAY and WAYLAND_DISPLAY, each
// as given on the command line or else in the environment.
struct DisplayChoice {
    QString platforms;
    QString x11;
    QString wayland;
};

// Everything main does before its QApplication: reads the command line, prints what is asked
// and runs the actions that need no window. The exit status when the program ends here, none
// when the window is to open; then `display`, when given, is what Qt will be asked for. Every
// output is checked to its final flush: one that cannot be written ends with status 1.
std::optional<int> runCommandLine(int& argc, char** argv, DisplayChoice* display = nullptr);

}  // namespace yorvane
