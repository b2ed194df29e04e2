// One keystroke into the birth-year field of the main window, through the real event path
// (key events into the shown, active window, then the repaint they cause), with the labels,
// colours and the picture read from its file on every keystroke; and the same keystroke into a
// bare window whose line edit copies its text into one label.
//
// The keystrokes alternate a digit and Backspace, so every keystroke changes the text and runs
// the whole recalculation with a new picture. Two sequences:
//   steady:   昭和 "4" <-> "40".."49" (1929 <-> 1965..1974): labels, figure and picture change;
//   crossing: "198" <-> "1980".."1989": also the wording of the age box changes each time
//             (198 is counted in years ago, the 1980s as an age), as when a four-digit year
//             is typed.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <numeric>
#include <utility>
#include <vector>

#include "bench_platform.h"
#include "main_window.h"
#include "platform.h"
#include "yorvane/eras.h"

#ifndef YORVANE_DATA_DIR
#error "YORVANE_DATA_DIR must name the data folder"
#endif

namespace {

struct Timings {
    std::vector<double> total;   // key events and the repaint, µs
    std::vector<double> events;  // key events alone (handlers run here), µs
    long changes = 0;            // textChanged signals seen
    long loads = 0;              // pictures loaded
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}
double repaintMedian(const Timings& t) {
    std::vector<double> v;
    for (std::size_t i = 0; i < t.total.size(); ++i) v.push_back(t.total[i] - t.events[i]);
    return median(v);
}

struct Sequence {
    const char* name;
    int era;           // selected in the era list before typing (-1: left as it is)
    const char* base;  // the text the digit is typed after and Backspace returns to
    double ratioGoal;  // at most this many times the bare window's keystroke
};
constexpr Sequence kSequences[] = {
    {"steady", yorvane::eraIndex(yorvane::Era::Showa), "4", 3.0},
    {"crossing", -1, "198", 6.0},
};

// Brings `window` to the front with `box` focused and holding `base`, the caret at its end.
bool prepare(QWidget* window, QLineEdit* box, const QString& base) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) return false;
    box->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    box->selectAll();
    QTest::keyClicks(box, base);
    box->deselect();
    box->setCursorPosition(static_cast<int>(box->text().size()));
    QCoreApplication::processEvents();
    return box->text() == base && box->hasFocus();
}

// `count` keystrokes, a digit and Backspace in turn; `record` null for warming up.
void type(QLineEdit* box, int count, Timings* record) {
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const bool digit = (i % 2) == 0;
        timer.start();
        if (digit)
            QTest::keyClick(box, static_cast<char>('0' + (i / 2) % 10));
        else
            QTest::keyClick(box, Qt::Key_Backspace);
        const qint64 afterEvents = timer.nsecsElapsed();
        // The repaint the change scheduled.
        QCoreApplication::processEvents();
        const qint64 afterPaint = timer.nsecsElapsed();
        if (record) {
            record->events.push_back(static_cast<double>(afterEvents) / 1000.0);
            record->total.push_back(static_cast<double>(afterPaint) / 1000.0);
        }
    }
}

// Warm-up and `count` recorded keystrokes into `box`; false when a keystroke left the text as
// it was.
bool measure(QWidget* window, QLineEdit* box, const QString& base, int warmUp, int count,
             Timings& t, const long& loads) {
    if (!prepare(window, box, base)) {
        std::fprintf(stderr, "bench_window: %s could not be made ready\n",
                     qPrintable(window->objectName()));
        return false;
    }
    type(box, warmUp, nullptr);
    const long changesBefore = t.changes, loadsBefore = loads;
    type(box, count, &t);
    t.loads += loads - loadsBefore;
    if (t.changes - changesBefore != count) {
        std::fprintf(stderr, "bench_window: %ld of %d keystrokes changed the text of %s\n",
                     t.changes - changesBefore, count, qPrintable(window->objectName()));
        return false;
    }
    return true;
}

constexpr double kKeystrokeGoalUs = 1000.0;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    yorvane::registerFontSubstitutes();

    // A program folder of its own: the data files, pictures included.
    QTemporaryDir folder;
    copyDataFiles(folder.path());

    BenchPlatform platform(folder.path());
    yorvane::MainWindow form(platform);
    form.loadSettings();

    QWidget bare;
    bare.setObjectName(QStringLiteral("the bare window"));
    bare.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    auto* edit = new QLineEdit(&bare);
    edit->setGeometry(10, 10, 65, 25);
    QFont boxFont(QStringLiteral("ＭＳ Ｐゴシック"));
    boxFont.setPointSizeF(15.75);
    edit->setFont(boxFont);
    auto* label = new QLabel(&bare);
    label->setGeometry(10, 45, 65, 25);
    label->setFont(boxFont);
    bare.resize(120, 90);
    QObject::connect(edit, &QLineEdit::textChanged, label, &QLabel::setText);

    constexpr int kSequenceCount = static_cast<int>(std::size(kSequences));
    Timings formT[kSequenceCount], bareT[kSequenceCount];
    int current = 0;
    auto* eraList = form.findChild<QComboBox*>(QStringLiteral("cboGengo"));
    auto* birthYearBox = form.findChild<QLineEdit*>(QStringLiteral("textNen"));
    QObject::connect(birthYearBox, &QLineEdit::textChanged, [&] { ++formT[current].changes; });
    QObject::connect(edit, &QLineEdit::textChanged, [&] { ++bareT[current].changes; });
    const long noLoads = 0;

    // Rounds alternate between the windows and the sequences so that drift of the machine hits
    // all of them alike.
    constexpr int kRounds = 5, kWarmUp = 100, kPerRound = 400;
    for (int round = 0; round < kRounds; ++round) {
        for (current = 0; current < kSequenceCount; ++current) {
            const Sequence& seq = kSequences[current];
            const QString base = QString::fromLatin1(seq.base);
            bare.hide();
            if (seq.era >= 0) eraList->setCurrentIndex(seq.era);
            if (!measure(&form, birthYearBox, base, kWarmUp, kPerRound, formT[current],
                         platform.loads))
                return 1;
            form.hide();
            if (!measure(&bare, edit, base, kWarmUp, kPerRound, bareT[current], noLoads)) return 1;
        }
    }

    // A picture decoded from its file, as the first keystroke that shows it does (later ones
    // take it from the program's cache), for reading the figures above.
    QElapsedTimer timer;
    const QStringList pictures = QDir(folder.path()).entryList({QStringLiteral("*.jpg")});
    std::vector<double> loadUs;
    for (int rep = 0; rep < 20; ++rep)
        for (const QString& name : pictures) {
            timer.start();
            const QImage p = yorvane::decodePicture(QDir(folder.path()).filePath(name), {});
            loadUs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
            if (p.isNull()) {
                std::fprintf(stderr, "bench_window: %s did not load\n", qPrintable(name));
                return 1;
            }
        }

    const int keystrokes = kRounds * kPerRound;
    std::printf("window keystroke (%d keystrokes into each window per sequence, QPA %s)\n",
                keystrokes, qPrintable(QGuiApplication::platformName()));
    for (int i = 0; i < kSequenceCount; ++i) {
        const Timings& f = formT[i];
        const Timings& b = bareT[i];
        const double fm = median(f.total), bm = median(b.total);
        std::printf(
            "  %-8s main window per keystroke: median %7.1f us  mean %7.1f us"
            "   goal < %.0f us: %s\n",
            kSequences[i].name, fm, mean(f.total), kKeystrokeGoalUs,
            fm < kKeystrokeGoalUs ? "met" : "NOT MET");
        std::printf(
            "           (key events and handlers %.1f us, repaint %.1f us, medians;"
            " pictures loaded per keystroke %.2f)\n",
            median(f.events), repaintMedian(f), static_cast<double>(f.loads) / keystrokes);
        std::printf("           bare window per keystroke: median %7.1f us  mean %7.1f us\n", bm,
                    mean(b.total));
        const double ratio = bm > 0 ? fm / bm : 0;
        std::printf("           ratio main/bare (medians): %.1f   goal <= %.0f: %s\n", ratio,
                    kSequences[i].ratioGoal, ratio <= kSequences[i].ratioGoal ? "met" : "NOT MET");
    }
    std::printf("  one picture loaded alone (%d JPEG files x 20): median %.1f us\n",
                static_cast<int>(pictures.size()), median(loadUs));
    return 0;
}
