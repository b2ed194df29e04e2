// The age table: how long it takes to open from the menu, and what it adds to a keystroke into
// the main window while it is open (and while it is closed again).
//
// Opening: a new main window each time (the table is built on first use), shown and active,
// then 早見表 chosen, until the table's rows have been painted once. The first opening of the
// process is printed apart: it also loads what Qt loads once (fonts).
//
// Keystrokes: the sequence 昭和 "4" <-> "40".."49" of bench_window, in turns with the table
// never opened, open (each keystroke selects another row; the view moves to it once the typing
// rests), and closed again. The move itself is timed apart.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <vector>

#include "agetable_window.h"
#include "bench_platform.h"
#include "main_window.h"
#include "platform.h"
#include "yorvane/eras.h"

#ifndef YORVANE_DATA_DIR
#error "YORVANE_DATA_DIR must name the data folder"
#endif

namespace {

// Counts the paints of the watched widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QLineEdit* birthYearBox(const yorvane::MainWindow& form) {
    return form.findChild<QLineEdit*>(QStringLiteral("textNen"));
}

// Chooses 早見表 in `form`'s menu bar and returns the table it opened: the one age table window
// (it has no owner widget, so it is a top-level window) that is not among `known`.
yorvane::AgeTableWindow* openAgeTable(yorvane::MainWindow& form,
                                      std::initializer_list<const QWidget*> known = {}) {
    form.findChild<QAction*>(QStringLiteral("mnuHayami"))->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<yorvane::AgeTableWindow*>(w);
            t && std::find(known.begin(), known.end(), w) == known.end())
            return t;
    return nullptr;
}

bool ready(yorvane::MainWindow& form) {
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) return false;
    form.findChild<QComboBox*>(QStringLiteral("cboGengo"))
        ->setCurrentIndex(yorvane::eraIndex(yorvane::Era::Showa));
    QLineEdit* box = birthYearBox(form);
    box->setFocus(Qt::OtherFocusReason);
    box->setText(QStringLiteral("4"));
    box->setCursorPosition(1);
    QCoreApplication::processEvents();
    return true;
}

// The time from choosing 早見表 to the first paint of the table's rows, µs; < 0 on failure.
double openOnce(BenchPlatform& platform) {
    yorvane::MainWindow form(platform);
    form.loadSettings();
    if (!ready(form)) return -1;
    QElapsedTimer timer;
    timer.start();
    yorvane::AgeTableWindow* table = openAgeTable(form);
    PaintCounter counter;
    table->table->viewport()->installEventFilter(&counter);
    while (counter.paints == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double us = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    table->table->viewport()->removeEventFilter(&counter);
    return counter.paints > 0 ? us : -1;
}

// `count` keystrokes, a digit and Backspace in turn, each with the repaints it causes; µs.
void type(QLineEdit* box, int count, std::vector<double>* record) {
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        if (i % 2 == 0)
            QTest::keyClick(box, static_cast<char>('0' + (i / 2) % 10));
        else
            QTest::keyClick(box, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        if (record) record->push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
}

constexpr double kOpenGoalMs = 50.0;
constexpr double kFollowGoalUs = 100.0;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The offscreen platform says at every opening that it cannot raise a window: not a figure.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, text);
        });
    yorvane::registerFontSubstitutes();

    QTemporaryDir folder;
    copyDataFiles(folder.path());
    BenchPlatform platform(folder.path());

    // Opening.
    constexpr int kOpenings = 30;
    const double first = openOnce(platform);
    std::vector<double> opens;
    for (int i = 0; i < kOpenings; ++i) {
        const double us = openOnce(platform);
        if (us < 0 || first < 0) {
            std::fprintf(stderr, "bench_agetable: the table did not paint\n");
            return 1;
        }
        opens.push_back(us);
    }

    // Keystrokes: three main windows, one per state, measured in turns.
    yorvane::MainWindow never(platform), open(platform), closed(platform);
    for (auto* f : {&never, &open, &closed}) f->loadSettings();
    if (!ready(open)) return 1;
    yorvane::AgeTableWindow* openTable = openAgeTable(open);
    QCoreApplication::processEvents();
    if (!ready(closed)) return 1;
    yorvane::AgeTableWindow* closedTable = openAgeTable(closed, {openTable});
    QCoreApplication::processEvents();
    if (!openTable || !closedTable) return 1;
    closedTable->close();

    yorvane::MainWindow* forms[] = {&never, &open, &closed};
    const char* names[] = {"never opened", "open", "closed again"};
    std::vector<double> times[3];
    constexpr int kRounds = 5, kWarmUp = 100, kPerRound = 400;
    for (int round = 0; round < kRounds; ++round)
        for (int s = 0; s < 3; ++s) {
            for (int o = 0; o < 3; ++o)
                if (o != s) forms[o]->hide();
            if (!ready(*forms[s])) return 1;
            if (s == 1) {
                openTable->show();
                open.activateWindow();
                if (!QTest::qWaitForWindowActive(&open)) return 1;
            }
            type(birthYearBox(*forms[s]), kWarmUp, nullptr);
            type(birthYearBox(*forms[s]), kPerRound, &times[s]);
        }
    const int followed = openTable->selectedYear();
    if (followed < 1925 || followed > 1974) {
        std::fprintf(stderr, "bench_agetable: the open table did not follow (%d)\n", followed);
        return 1;
    }

    // What the table does once the typing rests: the view jumps to the row, and repaints whole.
    std::vector<double> jumps;
    {
        yorvane::AgeTableWindow* t = openTable;
        QElapsedTimer timer;
        for (int i = 0; i < 200; ++i) {
            const QModelIndex index = t->model->index(t->model->rowOf(i % 2 ? 1929 : 1970), 0);
            timer.start();
            t->table->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            t->table->scrollTo(index, QAbstractItemView::PositionAtCenter);
            QCoreApplication::processEvents();
            jumps.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
        }
    }

    const double openMs = median(opens) / 1000.0;
    std::printf("age table (QPA %s)\n", qPrintable(QGuiApplication::platformName()));
    std::printf(
        "  opening from the menu to the first paint of its rows: median %.1f ms over %d"
        "   goal < %.0f ms: %s\n",
        openMs, kOpenings, kOpenGoalMs, openMs < kOpenGoalMs ? "met" : "NOT MET");
    std::printf("  (the first opening of the process, with what Qt loads once: %.1f ms)\n",
                first / 1000.0);
    double m[3];
    for (int s = 0; s < 3; ++s) {
        m[s] = median(times[s]);
        std::printf("  keystroke into the main window, table %-12s median %7.1f us\n", names[s],
                    m[s]);
    }
    const double extraOpen = m[1] - m[0], extraClosed = m[2] - m[0];
    std::printf("  extra per keystroke while open: %.1f us   goal <= %.0f us: %s\n", extraOpen,
                kFollowGoalUs, extraOpen <= kFollowGoalUs ? "met" : "NOT MET");
    std::printf(
        "  the view brought to the year once the typing rests (a scroll and a whole"
        " repaint, once per pause): median %.1f us\n",
        median(jumps));
    std::printf(
        "  extra per keystroke once closed: %.1f us (the same as never opened within the"
        " noise)\n",
        extraClosed);
    return 0;
}
