#pragma once
// The process before Qt's window system starts: its standard streams, the limits of the machine,
// and what Qt says when the display cannot be reached or goes away.

#include <QString>

#include <sys/resource.h>

#include "command_line.h"

namespace yorvane {

// Standard input, output and error, when the caller closed them, are held by a descriptor that
// takes no writes: what is written there fails as it should, and no file the program opens later
// can take a stream's number and receive its text. Called first in main.
void holdClosedStandardStreams();

// What a run needs of the machine: open files at once, and address space in bytes.
struct Needs {
    rlim_t files;
    rlim_t addressSpace;
};
// The options that print and end, and the window with the age table and the dialogs open. A
// window measured about 13 files and 270 MB; the options 5 files and 80 MB.
inline constexpr Needs kCommandLineNeeds{16, rlim_t(128) << 20};
inline constexpr Needs kWindowNeeds{64, rlim_t(512) << 20};

// Raises the soft limit on open files to the hard one, then the Japanese line that says which
// limit leaves too little for `needs`; empty when the program can run.
QString machineLimitProblem(const Needs& needs);

// Qt's own end when the display cannot be reached (`display` is what will be tried), or when it
// goes away while the program runs, is said in one Japanese line that names the display, and the
// program ends with status 1. Installed before the QApplication; Qt's other messages of the
// start are held until displayStarted() and then printed as before.
void sayDisplayFailuresInJapanese(const DisplayChoice& display);
void displayStarted();

}  // namespace yorvane
