#pragma once
// The age table (年齢早見表): a second window with one row per year of birth from 明治元年 up
// to a reference year, newest first. The rows come from the engine through a table model
// (agetable_model.h), no widget per row; the CSV file and the printout are files of their own
// (agetable_csv.h, agetable_print.h). The window arranges them and follows the main window.

#include <QElapsedTimer>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QWidget>
#include <array>

#include "agetable_model.h"
#include "settings.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QTableView;

namespace yorvane {

class AgeTableWindow final : public QWidget {
    Q_OBJECT
public:
    // `thisYear` is the reference year it starts with and the row shown for no year. With a
    // settings file in `settings`, the window opens as it was last closed, fitted to the screen,
    // and remembers its state there when it closes.
    explicit AgeTableWindow(int thisYear, const SettingsLocation& settings = {},
                            QWidget* parent = nullptr);

    // Opens beside `owner`, the main window, on its screen, unless it comes back to the place
    // it was left at.
    void openBeside(const QWidget* owner);

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
    // The folder the CSV save dialog starts in: the last one used, else the documents folder.
    QString csvFolder() const;

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
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createReferenceYearBox();
    void createBranchFilter();
    void createChecksAndButtons();
    void createTable();
    void setColumnWidths();
    void arrange();
    void arrangeRows(int extraRows);
    void connectHandlers();
    void addKeys();
    // The state kept in the settings file: put into the window, and read from it.
    void restore(const AgeTableState& state);
    AgeTableState state() const;
    void optionsChanged();
    // Selects the row of `year` (this year's row when there is none); scrolls to it now, or
    // once the main window has been left alone for a moment.
    void selectRowOfYear(int year, bool scrollNow);
    void scrollToCurrent();
    void tableFocusChanged(bool in);

    int thisYear_;
    SettingsLocation settings_;
    // The controls in groups that stay together on a row, the rows they go on, and the least
    // width of the window for 0, 1 and 2 rows beyond the first.
    std::array<QList<QWidget*>, 4> groups_;
    std::array<QHBoxLayout*, 3> rows_{};
    std::array<int, 3> leastWidths_{};
    int arrangedRows_ = -1;
    bool placeRestored_ = false;
    // The table's current cell, kept while the keys are elsewhere: a screen reader takes the
    // current cell for the focus, so the table has none while it has not the focus.
    QPersistentModelIndex currentWhileAway_;
    QString lastFolder_;
    int followedYear_ = 0;
    // Following the main window selects at once but scrolls after a pause of its typing: a
    // scroll repaints the whole table, which each keystroke would otherwise pay for.
    QTimer scrollTimer_;
    QString typed_;
    QElapsedTimer typedAt_;
};

}  // namespace yorvane
