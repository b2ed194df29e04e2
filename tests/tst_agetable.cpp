// The age table window: opened from the main window's menu and following its year, the filter
// and the options, copy, CSV and printing to a PDF file (read back with poppler's tools).

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <atomic>
#include <thread>

#include "agetable_csv.h"
#include "agetable_print.h"
#include "agetable_window.h"
#include "atomic_file.h"
#include "formfixture.h"
#include "placement.h"
#include "profile_file.h"
#include "settings.h"
#include "yorvane/eras.h"

using yorvane::AgeTableWindow;

namespace {
// The age table, once made: a window of its own, owned by the main window.
AgeTableWindow* ageTableWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<AgeTableWindow*>(w)) return t;
    return nullptr;
}
}  // namespace

namespace {

// Runs a poppler tool; its standard output, or a null string when it did not run.
QString poppler(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestAgeTable : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheMainWindowsYear_data();
    void opensOnTheMainWindowsYear();
    void followsTheMainWindowOnlyWhileOpen();
    void closesWithTheMainWindow();
    void filterByBranch_data();
    void filterByBranch();
    void referenceYearAndChecks();
    void fourDigitsJump();
    void copyWithHeader();
    void csvRecords_data();
    void csvRecords();
    void csvFile();
    void csvFailureLeavesNothing();
    void printsFromThePrintDialog_data();
    void printsFromThePrintDialog();
    void printsToPdf_data();
    void printsToPdf();
    void keyboardAndScreenReader();
    void standardKeys_data();
    void standardKeys();
    void fittedToTheScreen_data();
    void fittedToTheScreen();
    void remembersItsStateBetweenRuns();
    void commandLineCsv_data();
    void commandLineCsv();
};

void TestAgeTable::opensOnTheMainWindowsYear_data() {
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("year");
    QTest::newRow("昭和 55") << yorvane::eraIndex(yorvane::Era::Showa) << "55" << 1980;
    QTest::newRow("西暦 1926") << yorvane::eraIndex(yorvane::Era::Western) << "1926" << 1926;
    QTest::newRow("明治 1") << yorvane::eraIndex(yorvane::Era::Meiji) << "1" << 1868;
    QTest::newRow("empty: this year") << yorvane::eraIndex(yorvane::Era::Showa) << "" << 2026;
    QTest::newRow("before the table: this year")
        << yorvane::eraIndex(yorvane::Era::Western) << "1600" << 2026;
    QTest::newRow("after this year: this year")
        << yorvane::eraIndex(yorvane::Era::Western) << "2030" << 2026;
}

void TestAgeTable::opensOnTheMainWindowsYear() {
    QFETCH(int, era);
    QFETCH(QString, typed);
    QFETCH(int, year);
    Window w;
    QVERIFY(w.show());
    QVERIFY(!ageTableWindow());  // nothing is made before it is asked for
    w.eraList->setCurrentIndex(era);
    QTest::keyClicks(w.birthYearBox, typed);
    w.ageTableAction->trigger();
    AgeTableWindow* t = ageTableWindow();
    QVERIFY(t);
    QVERIFY(QTest::qWaitForWindowExposed(t));
    QCOMPARE(t->windowTitle(), QStringLiteral("年齢早見表"));
    QVERIFY(!t->isModal());
    QCOMPARE(t->selectedYear(), year);
    QCOMPARE(t->model->yearAt(0), 2026);  // newest first, up to this year
    // Scrolled to it.
    const QModelIndex index = t->model->index(t->model->rowOf(year), 0);
    QVERIFY(t->table->viewport()->rect().intersects(t->table->visualRect(index)));
    // The focus stays in the main window.
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QCOMPARE(QApplication::focusWidget(), w.birthYearBox);
    // Chosen again: the same window.
    w.ageTableAction->trigger();
    QCOMPARE(ageTableWindow(), t);
}

void TestAgeTable::followsTheMainWindowOnlyWhileOpen() {
    Window w;
    QVERIFY(w.show());
    w.ageTableAction->trigger();
    AgeTableWindow* t = ageTableWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QCOMPARE(t->selectedYear(), 2026);
    w.eraList->setCurrentIndex(yorvane::eraIndex(yorvane::Era::Showa));
    QTest::keyClicks(w.birthYearBox, QStringLiteral("39"));
    QCOMPARE(t->selectedYear(), 1964);
    // The view moves to it once the typing rests.
    const QModelIndex index = t->model->index(t->model->rowOf(1964), 0);
    QTRY_VERIFY(t->table->viewport()->rect().contains(t->table->visualRect(index)));
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);  // 昭和 3
    QCOMPARE(t->selectedYear(), 1928);
    w.birthYearBox->clear();
    QCOMPARE(t->selectedYear(), 2026);
    // Closed, it is left alone; opened again, it shows the year of the moment.
    t->close();
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(t->selectedYear(), 2026);
    w.ageTableAction->trigger();
    QCOMPARE(ageTableWindow(), t);
    QCOMPARE(t->selectedYear(), 1980);
}

void TestAgeTable::closesWithTheMainWindow() {
    Window w;
    QVERIFY(w.show());
    w.ageTableAction->trigger();
    QPointer<AgeTableWindow> t = ageTableWindow();
    QVERIFY(t->isVisible());
    t->fullAgeCheck->setChecked(true);
    w->close();
    QVERIFY(!t->isVisible());
    // Its state saved at the end, in the main window's settings file.
    const auto saved = yorvane::profile::readFile(w.platform->settingsLocation().file);
    QCOMPARE(
        yorvane::profile::readString(saved, QStringLiteral("AGETABLE"), QStringLiteral("MAN"), {}),
        QStringLiteral("1"));
    w.form.reset();
    QVERIFY(!t);  // and goes with it
}

void TestAgeTable::filterByBranch_data() {
    QTest::addColumn<QString>("branch");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("newest");
    QTest::addColumn<int>("oldest");
    QTest::newRow("午") << "午" << 14 << 2026 << 1870;
    QTest::newRow("子") << "子" << 13 << 2020 << 1876;
    QTest::newRow("辰: 1868 itself") << "辰" << 14 << 2024 << 1868;
    QTest::newRow("すべて") << "すべて" << 159 << 2026 << 1868;
}

void TestAgeTable::filterByBranch() {
    QFETCH(QString, branch);
    QFETCH(int, rows);
    QFETCH(int, newest);
    QFETCH(int, oldest);
    AgeTableWindow t(2026);
    t.showYear(1966);
    t.branchFilter->setCurrentIndex(t.branchFilter->findText(branch));
    QCOMPARE(t.model->rowCount(), rows);
    QCOMPARE(t.model->yearAt(0), newest);
    QCOMPARE(t.model->yearAt(rows - 1), oldest);
    for (int r = 0; r < rows && branch != QStringLiteral("すべて"); ++r)
        QCOMPARE(t.model->cell(r, yorvane::AgeColumn::Sign).mid(1, 1), branch);
    // The selected year stays selected while it is shown.
    QCOMPARE(t.selectedYear(),
             branch == QStringLiteral("午") || branch == QStringLiteral("すべて") ? 1966 : 0);
}

void TestAgeTable::referenceYearAndChecks() {
    AgeTableWindow t(2026);
    t.showYear(1957);
    const int row1957 = t.model->rowOf(1957);
    QCOMPARE(t.model->cell(row1957, yorvane::AgeColumn::Longevity),
             QStringLiteral("古希"));  // 数え70
    t.fullAgeCheck->setChecked(true);
    QCOMPARE(t.model->cell(t.model->rowOf(1957), yorvane::AgeColumn::Longevity), QString());
    QCOMPARE(t.model->cell(t.model->rowOf(1956), yorvane::AgeColumn::Longevity),
             QStringLiteral("古希"));
    QCOMPARE(t.model->cell(t.model->rowOf(1966), yorvane::AgeColumn::Longevity),
             QStringLiteral("還暦"));
    t.earlyBornCheck->setChecked(true);
    QCOMPARE(t.model->cell(t.model->rowOf(1980), yorvane::AgeColumn::ElementaryEntry),
             QStringLiteral("1986"));
    QCOMPARE(t.selectedYear(), 1957);
    // Another reference year recomputes the ages and keeps the row.
    t.referenceYearBox->setValue(1990);
    QCOMPARE(t.model->rowCount(), 123);
    QCOMPARE(t.model->yearAt(0), 1990);
    QCOMPARE(t.model->cell(t.model->rowOf(1980), yorvane::AgeColumn::FullAge),
             QStringLiteral("10"));
    QCOMPARE(t.model->cell(t.model->rowOf(1980), yorvane::AgeColumn::CountedAge),
             QStringLiteral("11"));
    QCOMPARE(t.selectedYear(), 1957);
    // Typed out of range: refused.
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    t.referenceYearBox->setFocus();
    t.referenceYearBox->selectAll();
    QTest::keyClicks(t.referenceYearBox, QStringLiteral("12345"));
    QTest::keyClick(t.referenceYearBox, Qt::Key_Return);
    QCOMPARE(t.referenceYearBox->value(), 1990);
    t.referenceYearBox->selectAll();
    QTest::keyClicks(t.referenceYearBox, QStringLiteral("1700"));
    QTest::keyClick(t.referenceYearBox, Qt::Key_Return);
    QCOMPARE(t.referenceYearBox->value(), 1990);
    QCOMPARE(t.model->rowCount(), 123);
    t.referenceYearBox->selectAll();
    QTest::keyClicks(t.referenceYearBox, QStringLiteral("2000"));
    QTest::keyClick(t.referenceYearBox, Qt::Key_Return);
    QCOMPARE(t.referenceYearBox->value(), 2000);
    QCOMPARE(t.model->yearAt(0), 2000);
    QCOMPARE(t.referenceYearBox->minimum(), 1868);
    QCOMPARE(t.referenceYearBox->maximum(), 9999);
}

void TestAgeTable::fourDigitsJump() {
    AgeTableWindow t(2026);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    t.table->setFocus();
    QTest::keyClicks(t.table, QStringLiteral("1926"));
    QCOMPARE(t.selectedYear(), 1926);
    // A year the table does not hold leaves the selection.
    QTest::keyClicks(t.table, QStringLiteral("1700"));
    QCOMPARE(t.selectedYear(), 1926);
    // Another key in between starts the digits again.
    QTest::keyClicks(t.table, QStringLiteral("19"));
    QTest::keyClick(t.table, Qt::Key_Down);
    QTest::keyClicks(t.table, QStringLiteral("2001"));
    QCOMPARE(t.selectedYear(), 2001);
}

void TestAgeTable::copyWithHeader() {
    AgeTableWindow t(2026);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    t.showYear(1980);
    t.table->selectionModel()->select(t.model->index(t.model->rowOf(1979), 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    t.table->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(t.table, QKeySequence::Copy);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    QCOMPARE(lines.size(), 4);  // header, two rows, the end of the last line
    QCOMPARE(lines[0], yorvane::AgeTableModel::titles().join(u'\t'));
    QCOMPARE(lines[1], QStringLiteral("1980\t昭和55\t2640\t庚申（かのえさる）\t二黒土星\t46\t47\t"
                                      "\t\t1987\t1993\t1996\t1999\t2001\t2003"));
    QVERIFY(lines[2].startsWith(QStringLiteral("1979\t昭和54\t")));
    QCOMPARE(lines[3], QString());
}

void TestAgeTable::csvRecords_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("record");
    QTest::newRow("plain") << QStringList{"1980", "昭和55"} << "1980,昭和55\r\n";
    QTest::newRow("empty fields") << QStringList{"", "a", ""} << ",a,\r\n";
    QTest::newRow("comma") << QStringList{"a,b", "c"} << "\"a,b\",c\r\n";
    QTest::newRow("quote") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"\r\n";
    QTest::newRow("line break") << QStringList{"a\nb", "c\r"} << "\"a\nb\",\"c\r\"\r\n";
    QTest::newRow("blank kept") << QStringList{" 大正15 / 昭和元 "} << " 大正15 / 昭和元 \r\n";
}

void TestAgeTable::csvRecords() {
    QFETCH(QStringList, fields);
    QFETCH(QString, record);
    QCOMPARE(yorvane::csvRecord(fields), record);
}

void TestAgeTable::csvFile() {
    AgeTableWindow t(2026);
    t.branchFilter->setCurrentIndex(t.branchFilter->findText(QStringLiteral("午")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("表.csv"));
    QVERIFY(t.writeCsv(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes, t.csvBytes());
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));  // no bare line feed
    const QStringList records = text.split(QStringLiteral("\r\n"));
    QCOMPARE(records.size(), 1 + 14 + 1);  // header, the shown rows, after the last CR LF
    QCOMPARE(records[0],
             QStringLiteral("西暦,和暦,皇紀,干支,九星,満年齢,数え年,厄年,長寿祝い,"
                            "小学校入学,中学校入学,高校入学,高校卒業,短大・専門卒業,大学卒業"));
    QCOMPARE(records[1], QStringLiteral("2026,令和8,2686,丙午（ひのえうま）,一白水星,0,1,,,"
                                        "2033,2039,2042,2045,2047,2049"));
    QCOMPARE(records[6], QStringLiteral("1966,昭和41,2626,丙午（ひのえうま）,七赤金星,60,61,"
                                        "男女 本厄,還暦,1973,1979,1982,1985,1987,1989"));
    // Saved again over the same file: replaced whole.
    t.branchFilter->setCurrentIndex(0);
    QVERIFY(t.writeCsv(path));
    f.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("\r\n"), 1 + 159);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("表.csv")});
}

void TestAgeTable::csvFailureLeavesNothing() {
    AgeTableWindow t(2026);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ない/表.csv"));
    const QString message = messageDuring([&] { t.saveCsvTo(path); });
    QVERIFY2(message.startsWith(QStringLiteral("CSV ファイルを保存できませんでした。")),
             qPrintable(message));
    QVERIFY(message.contains(QDir::toNativeSeparators(path)));
    // The cause and the button are said in Japanese too.
    QString rest = message;
    rest.remove(QDir::toNativeSeparators(path)).remove(QStringLiteral("CSV"));
    QVERIFY2(!rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(rest));
    QVERIFY(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                .isEmpty());
    // A good path says nothing.
    QCOMPARE(messageDuring([&] { t.saveCsvTo(dir.filePath(QStringLiteral("a.csv"))); }), QString());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("a.csv"))));
}

void TestAgeTable::printsFromThePrintDialog_data() {
    QTest::addColumn<QString>("before");  // what the chosen path names before printing
    QTest::newRow("a FIFO with no reader: refused") << "fifo";
    QTest::newRow("nothing: written") << "";
    QTest::newRow("a file: asked, then replaced") << "file";
}

// 印刷… → the preview's print button → the print dialog with a PDF file chosen. The file is
// written by the program's writer; a FIFO is refused over the dialog with the writer's reason
// and left as it was. Should the window be held opening the FIFO, a reader of the test's own
// frees it after a while, so that the fault fails the test instead of hanging it.
void TestAgeTable::printsFromThePrintDialog() {
    QFETCH(QString, before);
    AgeTableWindow t(2026);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("表.pdf"));
    const QByteArray name = QFile::encodeName(path);
    const bool fifo = before == QLatin1String("fifo");
    if (fifo) QCOMPARE(::mkfifo(name.constData(), 0644), 0);
    if (before == QLatin1String("file")) QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    std::atomic<bool> freed = false;
    const std::jthread reader([&](std::stop_token stop) {
        for (int i = 0; i < 100 && !stop.stop_requested(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!fifo || stop.stop_requested()) return;
        freed = true;
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        for (char buffer[4096]; !stop.stop_requested();)
            if (::read(fd, buffer, sizeof buffer) <= 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::close(fd);
    });

    // Each dialog as it comes up; what blocks is queued, so that the timer keeps running.
    QStringList messages;
    bool printPressed = false, fileChosen = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text() + u'\n' + box->informativeText();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) return yes->click();
            box->accept();
        } else if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* file = print->findChild<QLineEdit*>(QStringLiteral("filename"));
            if (std::exchange(fileChosen, true) || !printers || !file) return print->reject();
            printers->setCurrentIndex(printers->count() - 1);  // the PDF file
            file->setText(path);
            QMetaObject::invokeMethod(
                print->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), "click",
                Qt::QueuedConnection);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            if (std::exchange(printPressed, true)) return preview->reject();
            QMetaObject::invokeMethod(preview, "_q_print", Qt::QueuedConnection);
        }
    });
    driver.start(50);
    t.printClicked();
    driver.stop();

    QVERIFY(fileChosen);
    QVERIFY2(!freed, "the window was held opening the FIFO");
    QCOMPARE(messages.size(), before.isEmpty() ? 0 : 1);
    struct stat st {};
    QCOMPARE(::lstat(name.constData(), &st), 0);
    if (fifo) {
        QVERIFY(S_ISFIFO(st.st_mode));
        QVERIFY2(messages[0].contains(path), qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(yorvane::notRegularFileReason()), qPrintable(messages[0]));
    } else {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("表.pdf")});
}

void TestAgeTable::printsToPdf_data() {
    QTest::addColumn<int>("reference");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<int>("from");  // the page range chosen, 0 for every page
    QTest::addColumn<int>("to");
    QTest::newRow("one page: 午 years") << 2026 << "午" << 0 << 0;
    QTest::newRow("every year to 2026") << 2026 << "すべて" << 0 << 0;
    QTest::newRow("every year to 2300") << 2300 << "すべて" << 0 << 0;
    QTest::newRow("pages 2 to 3 of 2300") << 2300 << "すべて" << 2 << 3;
}

// The PDF has as many pages as the window says it printed, each with the header, and the years
// on its pages are the shown rows, each once and in their order.
void TestAgeTable::printsToPdf() {
    QFETCH(int, reference);
    QFETCH(QString, branch);
    QFETCH(int, from);
    QFETCH(int, to);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QFAIL("pdfinfo and pdftotext are needed: run scripts/install-deps");
    AgeTableWindow t(2026);
    t.referenceYearBox->setValue(reference);
    t.branchFilter->setCurrentIndex(t.branchFilter->findText(branch));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    if (from > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    const int pages = yorvane::printAgeTable(printer, *t.model);
    QVERIFY(pages >= 1);
    if (from > 0)
        QCOMPARE(pages, to - from + 1);
    else if (branch != QStringLiteral("すべて"))
        QCOMPARE(pages, 1);
    else
        QVERIFY(pages > 1);

    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(!info.isEmpty(), "pdfinfo could not read the file");
    static const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                              QRegularExpression::MultilineOption);
    QCOMPARE(pagesLine.match(info).captured(1).toInt(), pages);
    QVERIFY(info.contains(QStringLiteral("595.276 x 841.89 pts (A4)")) ||
            info.contains(QStringLiteral("595 x 842 pts (A4)")));

    QList<int> printed;
    static const QRegularExpression yearAtStart(QStringLiteral("^\\s*(\\d{4})\\s"),
                                                QRegularExpression::MultilineOption);
    for (int page = 1; page <= pages; ++page) {
        const QString text =
            poppler(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                     QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("小学校入学")), qPrintable(text.left(400)));
        // Numbered among all the pages, when only some were chosen.
        const QRegularExpression pageNumber(
            QStringLiteral("\\b%1\\s*/\\s*%2\\b")
                .arg(page + std::max(from, 1) - 1)
                .arg(from > 0 ? QStringLiteral("\\d+") : QString::number(pages)));
        QVERIFY(text.contains(pageNumber));
        for (auto it = yearAtStart.globalMatch(text); it.hasNext();)
            printed << it.next().captured(1).toInt();
    }
    QList<int> shown;
    for (int r = 0; r < t.model->rowCount(); ++r) shown << t.model->yearAt(r);
    // Chosen pages: a run of the shown rows that does not start at the first.
    const qsizetype start = from > 0 ? shown.indexOf(printed.value(0)) : 0;
    QVERIFY(from > 0 ? start > 0 : true);
    QCOMPARE(printed, from > 0 ? shown.mid(start, printed.size()) : shown);
}

void TestAgeTable::keyboardAndScreenReader() {
    AgeTableWindow t(2026);
    t.show();
    t.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t));
    // Every control has a name a screen reader reads, and Tab reaches each in turn.
    const QList<QWidget*> order{
        t.referenceYearBox, t.branchFilter, t.fullAgeCheck, t.earlyBornCheck,
        t.saveCsvButton,    t.printButton,  t.table};
    t.referenceYearBox->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < order.size(); ++i) {
        QVERIFY2(!order[i]->accessibleName().isEmpty(), qPrintable(order[i]->objectName()));
        QCOMPARE(QApplication::focusWidget(), order[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), t.referenceYearBox);  // round again, out of the table
    QVERIFY(!t.table->tabKeyNavigation());
    // Each control but the table has a letter of its own (Alt and the letter), a box its label's.
    QSet<QChar> letters;
    for (QWidget* c : order.mid(0, order.size() - 1)) {
        QString text;
        for (const QLabel* label : t.findChildren<QLabel*>())
            if (label->buddy() == c) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(c)) text = button->text();
        const qsizetype amp = text.indexOf(u'&');
        QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(text));
        const QChar letter = text.at(amp + 1);
        QVERIFY2(!letters.contains(letter), qPrintable(text));
        letters << letter;
        if (qobject_cast<QAbstractButton*>(c)) continue;  // a button would act
        QTest::keyClick(&t, Qt::Key(letter.unicode()), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), c);
    }
    // Headers and cells read as they show.
    for (int c = 0; c < t.model->columnCount(); ++c)
        QCOMPARE(t.model->headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                 yorvane::AgeTableModel::titles()[c]);
    // The sign and star headers tell of 立春, 厄年 of 節分, and the school headers name the
    // school left in the same year.
    using yorvane::AgeColumn;
    const std::pair<AgeColumn, const char*> tips[] = {
        {AgeColumn::Sign, "立春"},        {AgeColumn::NineStar, "立春"},
        {AgeColumn::UnluckyYear, "節分"}, {AgeColumn::JuniorHighEntry, "小学校"},
        {AgeColumn::HighEntry, "中学校"}, {AgeColumn::HighGraduation, "大学"}};
    for (const auto& [c, word] : tips)
        QVERIFY(t.model->headerData(int(c), Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .contains(QString::fromUtf8(word)));
    const QModelIndex cell =
        t.model->index(t.model->rowOf(1989), int(yorvane::AgeColumn::EraYears));
    QCOMPARE(cell.data(Qt::AccessibleTextRole).toString(), QStringLiteral("昭和64 / 平成元"));
}

// Each key does what its button or the window's close does; the buttons name their keys.
void TestAgeTable::standardKeys_data() {
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("opens");  // the dialog's class, "" for a key that closes
    QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape) << "";
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W) << "";
    QTest::newRow("Ctrl+S") << QKeySequence(QKeySequence::Save) << "QFileDialog";
    QTest::newRow("Ctrl+P") << QKeySequence(QKeySequence::Print) << "QPrintPreviewDialog";
}

void TestAgeTable::standardKeys() {
    QFETCH(QKeySequence, key);
    QFETCH(QString, opens);
    AgeTableWindow t(2026);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QString seen;
    QTemporaryDir dir;  // a name typed without a suffix gets .csv; the folder is used next time
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog) seen = QString::fromLatin1(dialog->metaObject()->className());
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            files->setDirectory(dir.path());
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("表"));
            QMetaObject::invokeMethod(files, "accept");
        } else if (dialog) {
            dialog->close();
        }
    });
    QTest::keySequence(&t, key);
    QCOMPARE(seen, opens);
    if (opens == QLatin1String("QFileDialog")) {
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("表.csv"))));
        QCOMPARE(t.csvFolder(), dir.path());
    }
    QCOMPARE(t.isVisible(), !opens.isEmpty());
    QPushButton* button = opens == QLatin1String("QFileDialog") ? t.saveCsvButton : t.printButton;
    if (!opens.isEmpty())
        QVERIFY(button->toolTip().contains(key.toString(QKeySequence::NativeText)));
}

// As large as the screen's free area lets it be, wholly inside it; a saved place that fits kept.
void TestAgeTable::fittedToTheScreen_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<std::optional<QRect>>("saved");
    const QRect small(0, 0, 800, 570), big(0, 0, 1920, 1050);
    QTest::newRow("800x600") << small << std::optional<QRect>();
    QTest::newRow("1280x1024 at scale 2") << QRect(0, 0, 640, 500) << std::optional<QRect>();
    QTest::newRow("1920x1080") << big << std::optional<QRect>();
    QTest::newRow("saved, fits") << big << std::optional(QRect(100, 50, 900, 700));
    QTest::newRow("saved, too wide") << small << std::optional(QRect(100, 50, 1040, 600));
    QTest::newRow("saved off a second screen")
        << QRect(1920, 0, 1024, 740) << std::optional(QRect(3500, 900, 1040, 600));
}

void TestAgeTable::fittedToTheScreen() {
    QFETCH(QRect, area);
    QFETCH(std::optional<QRect>, saved);
    const QSize design(1040, 600), frame(8, 30);
    const QRect placed = yorvane::placedAgeTable(saved, design, frame, area);
    const QRect framed(placed.topLeft(), placed.size() + frame);
    QVERIFY(area.contains(framed));
    QCOMPARE(framed.size(),
             (saved ? saved->size() : design).grownBy({0, 0, 8, 30}).boundedTo(area.size()));
    if (saved && area.contains(QRect(saved->topLeft(), saved->size() + frame)))
        QCOMPARE(placed, *saved);
    AgeTableWindow t(2026);  // and the window itself, on the test's screen
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QVERIFY(t.screen()->availableGeometry().contains(t.frameGeometry()));
}

// Size and options come back in the next run from a section of their own, the file's other
// lines kept; this year's table follows the years; the delivered file serves a new user.
void TestAgeTable::remembersItsStateBetweenRuns() {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("yorvane.ini"));
    const QByteArray other = "[SET]\r\nSHITEI=55\r\n; a note\r\n";
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(other) == other.size());
    f.close();
    const yorvane::SettingsLocation where{ini, {}};
    {
        AgeTableWindow t(2026, where);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        t.resize(700, 400);  // narrower than the options and buttons in one row
        for (const QWidget* button : {t.saveCsvButton, t.printButton})
            QVERIFY(t.rect().contains(button->geometry()));
        t.fullAgeCheck->setChecked(true);
        t.branchFilter->setCurrentIndex(t.branchFilter->findText(QStringLiteral("午")));
        t.close();
    }
    AgeTableWindow next(2026, where), nextYear(2027, where);
    QVERIFY(next.fullAgeCheck->isChecked() && !next.earlyBornCheck->isChecked());
    QCOMPARE(next.branchFilter->currentText(), QStringLiteral("午"));
    QCOMPARE(next.size(), QSize(700, 400));
    QCOMPARE(nextYear.referenceYearBox->value(), 2027);
    QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll().startsWith(other));
    const yorvane::SettingsLocation fresh{dir.filePath(QStringLiteral("none/yorvane.ini")), ini};
    QVERIFY(AgeTableWindow(2026, fresh).fullAgeCheck->isChecked());
}

// yorvane --csv writes what the window saves with the same options, with no display at all.
void TestAgeTable::commandLineCsv_data() {
    QTest::addColumn<QString>("arguments");  // FILE: a file in a temporary folder
    QTest::addColumn<int>("status");
    QTest::newRow("to a file") << "--csv FILE --reference 1990 --full-age" << 0;
    QTest::newRow("- to standard output") << "--csv - --early" << 0;
    QTest::newRow("into a missing folder") << "--csv FILE/x.csv" << 1;
    QTest::newRow("standard output full") << "--csv - --reference 2100" << 1;
}

void TestAgeTable::commandLineCsv() {
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("表.csv"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    const bool toStdout = arguments.contains(QStringLiteral(" - "));
    if (toStdout && status != 0) p.setStandardOutputFile(QStringLiteral("/dev/full"));
    const QStringList words = arguments.replace(QStringLiteral("FILE"), file).split(u' ');
    p.start(QStringLiteral(YORVANE_EXECUTABLE), words);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), status);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("保存できませんでした")) == (status != 0),
             qPrintable(err));
    if (status != 0) return;
    // The window with the same options.
    AgeTableWindow t(QDate::currentDate().year());
    if (const qsizetype i = words.indexOf(QStringLiteral("--reference")); i > 0)
        t.referenceYearBox->setValue(words[i + 1].toInt());
    t.fullAgeCheck->setChecked(words.contains(QStringLiteral("--full-age")));
    t.earlyBornCheck->setChecked(words.contains(QStringLiteral("--early")));
    QFile written(file);
    QCOMPARE(toStdout ? p.readAllStandardOutput()
                      : (written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray()),
             t.csvBytes());
}

QTEST_MAIN(TestAgeTable)
#include "tst_agetable.moc"
