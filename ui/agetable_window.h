#pragma once
// The age table (年齢早見表): a second window with one row per year of birth from 明治元年 up
// to a reference year, newest first. The rows come from the engine through a table model; no
// widget is made per row. The window follows the year of the main window.

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "yorvane/agetable.h"

class QCheckBox;
class QComboBox;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableView;

namespace yorvane {

// One CSV record (RFC 4180): a field holding a comma, a double quote or a line break is put in
// double quotes with its quotes doubled; the record ends with CR LF.
QString csvRecord(const QStringList& fields);

class AgeTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit AgeTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const AgeTableOptions& options() const { return options_; }
    void setOptions(const AgeTableOptions& options);
    // Only the years of one branch (its slot, year mod 12); -1 for every year.
    void setBranchFilter(int slot);
    int branchFilter() const { return branch_; }

    // The year of a shown row, and the row of a year (-1 when it is not shown).
    int yearAt(int row) const;
    int rowOf(int year) const;
    // The text of a cell of a shown row, and the column titles.
    QString cell(int row, int column) const;
    static QStringList titles();

private:
    void rebuild();

    AgeTableOptions options_;
    int branch_ = -1;
    std::vector<int> years_;                 // newest first
    mutable QHash<int, QStringList> cache_;  // year -> its cells, filled as rows are shown
};

class AgeTableWindow final : public QWidget {
    Q_OBJECT
public:
    // `thisYear` is the reference year it starts with and the row shown for no year.
    explicit AgeTableWindow(int thisYear, QWidget* parent = nullptr);

    // Selects the row of `year` (the year of the main window), or this year's row when the
    // table has no row for it, and brings it into view.
    void showYear(int year);
    // The year of the selected row, 0 when none is selected.
    int selectedYear() const;

    // The selected rows with the header, tab-separated, one line each.
    QString selectionText() const;
    // The shown rows with the header as CSV: UTF-8 with a byte-order mark, CR LF.
    QByteArray csvBytes() const;
    // Writes csvBytes() to `path` atomically. False, and no file left behind, on failure;
    // `error` then says why.
    bool writeCsv(const QString& path, QString* error = nullptr) const;
    // Prints the shown rows, the header on each page. The number of pages, 0 when the printer
    // could not be started.
    int printRows(QPrinter& printer) const;
    // Prints into the PDF file `path` through the program's file writer; false with `why`.
    bool printToFile(QPrinter& printer, const QString& path, QString* why) const;
    QString printedHeading() const;

    AgeTableModel* model = nullptr;
    QSpinBox* referenceYearBox = nullptr;
    QComboBox* branchFilter = nullptr;
    QCheckBox* fullAgeCheck = nullptr;
    QCheckBox* earlyBornCheck = nullptr;
    QPushButton* saveCsvButton = nullptr;
    QPushButton* printButton = nullptr;
    QTableView* table = nullptr;

public slots:
    void copySelection();
    // Writes the CSV to `path`; a failure is told in a message box.
    void saveCsvTo(const QString& path);
    void saveCsvClicked();
    void printClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void optionsChanged();
    // Selects the row of `year` (this year's row when there is none); scrolls to it now, or
    // once the main window has been left alone for a moment.
    void selectRowOfYear(int year, bool scrollNow);
    void scrollToCurrent();

    int thisYear_;
    int followedYear_ = 0;
    // Following the main window selects at once but scrolls after a pause of its typing: a
    // scroll repaints the whole table, which each keystroke would otherwise pay for.
    QTimer scrollTimer_;
    QString typed_;
    QElapsedTimer typedAt_;
};

}  // namespace yorvane
