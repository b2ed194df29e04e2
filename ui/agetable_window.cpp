#include "agetable_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "agetable_csv.h"
#include "agetable_delegate.h"
#include "agetable_model.h"
#include "agetable_print.h"
#include "messages.h"
#include "placement.h"
#include "u16text.h"
#include "units.h"
#include "window_common.h"
#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {

// Where a run of typed digits ends: a pause longer than this starts a new year.
constexpr qint64 kTypingPauseMs = 1500;
// How long the main window's typing must rest before the table scrolls to its year.
constexpr int kFollowScrollMs = 120;

}  // namespace

AgeTableWindow::AgeTableWindow(int thisYear, const SettingsLocation& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), thisYear_(thisYear), settings_(settings) {
    readAsFrame(this);  // before anything asks for its accessible object
    setObjectName(QStringLiteral("frmHayami"));
    setWindowTitle(kAgeTableTitle);
    setAccessibleName(kAgeTableTitle);
    // Opened from the main window, which keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(pGothic(9));

    createReferenceYearBox();
    createBranchFilter();
    createChecksAndButtons();
    model = new AgeTableModel(this);
    model->setOptions({referenceYearBox->value(), false, false});
    createTable();
    arrange();
    connectHandlers();
    addKeys();
    restore(settings_.file.isEmpty() ? AgeTableState() : readAgeTableState(settings_));
}

void AgeTableWindow::restore(const AgeTableState& state) {
    if (state.reference) referenceYearBox->setValue(*state.reference);
    fullAgeCheck->setChecked(state.longevityInFullAge);
    earlyBornCheck->setChecked(state.earlyBorn);
    branchFilter->setCurrentIndex(std::max(0, branchFilter->findData(state.branch)));
    lastFolder_ = state.folder;
    placeRestored_ = state.geometry.has_value();
    // On the screen it was left on, else the first; no larger than that screen's free area.
    const QScreen* screen =
        state.geometry ? QGuiApplication::screenAt(state.geometry->center()) : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize frameExtra(8, std::max(titleBar, 16) + 8);  // until the frame is known
    const QRect placed = placedAgeTable(state.geometry, QSize(1040, 600), frameExtra,
                                        screen ? screen->availableGeometry() : QRect());
    move(placed.topLeft());
    resize(placed.size());  // 1040 wide, when it fits, shows every column
}

AgeTableState AgeTableWindow::state() const {
    AgeTableState s;
    s.geometry = QRect(pos(), size());
    const int year = referenceYearBox->value();
    if (year != std::clamp(thisYear_, kAgeTableFirstYear, kAgeTableLastReference))
        s.reference = year;  // this year's table follows the years
    s.longevityInFullAge = fullAgeCheck->isChecked();
    s.earlyBorn = earlyBornCheck->isChecked();
    s.branch = branchFilter->currentData().toInt();
    s.folder = lastFolder_;
    return s;
}

// The controls take as few rows as the window's width allows (see arrangeRows).
void AgeTableWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int rows = 0;
    while (rows < 2 && width() < leastWidths_[rows]) ++rows;
    if (rows != arrangedRows_) arrangeRows(rows);
}

void AgeTableWindow::closeEvent(QCloseEvent* event) {
    // Closed by the user, or hidden already when the main window closes it at the end.
    if (isVisible() && !settings_.file.isEmpty()) {
        QString why;
        if (!writeAgeTableState(settings_, state(), &why))
            std::fprintf(stderr, "yorvane: 年齢早見表の設定を保存できませんでした: %s\n",
                         qPrintable(why));
    }
    QWidget::closeEvent(event);
}

// The standard keys of a document window; the buttons name theirs in their tool tips.
void AgeTableWindow::addKeys() {
    auto key = [this](QList<QKeySequence> keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return keys.first().toString(QKeySequence::NativeText);
    };
    addCloseKeys(this);
    saveCsvButton->setToolTip(QStringLiteral("表示している行を CSV ファイルに保存します（%1）")
                                  .arg(key(QKeySequence::keyBindings(QKeySequence::Save),
                                           &AgeTableWindow::saveCsvClicked)));
    printButton->setToolTip(QStringLiteral("印刷プレビューを開き、そこから印刷します（%1）")
                                .arg(key(QKeySequence::keyBindings(QKeySequence::Print),
                                         &AgeTableWindow::printClicked)));
}

void AgeTableWindow::createReferenceYearBox() {
    referenceYearBox = new QSpinBox(this);
    referenceYearBox->setObjectName(QStringLiteral("spinKijun"));
    referenceYearBox->setRange(kAgeTableFirstYear, kAgeTableLastReference);
    referenceYearBox->setValue(std::clamp(thisYear_, kAgeTableFirstYear, kAgeTableLastReference));
    referenceYearBox->setSuffix(QStringLiteral(" 年"));
    referenceYearBox->setAccessibleName(QStringLiteral("基準年"));
    referenceYearBox->setToolTip(QStringLiteral("年齢・厄年・長寿祝いを数える年"));
}

void AgeTableWindow::createBranchFilter() {
    branchFilter = new QComboBox(this);
    branchFilter->setObjectName(QStringLiteral("cboEto"));
    branchFilter->addItem(QStringLiteral("すべて"), -1);
    for (std::size_t i = 0; i < kBranches.size(); ++i) {
        const std::size_t slot = branchSlotInOrder(i);
        branchFilter->addItem(qs(kBranches.substr(slot, 1)), static_cast<int>(slot));
    }
    branchFilter->setAccessibleName(QStringLiteral("干支で絞り込み"));
    branchFilter->setToolTip(QStringLiteral("この十二支の年だけを表示します"));
}

void AgeTableWindow::createChecksAndButtons() {
    fullAgeCheck = new QCheckBox(QStringLiteral("満年齢で数える(&M)"), this);
    fullAgeCheck->setObjectName(QStringLiteral("chkMan"));
    fullAgeCheck->setAccessibleName(QStringLiteral("長寿祝いを満年齢で数える"));
    fullAgeCheck->setToolTip(
        QStringLiteral("長寿祝いを満年齢で数えます（既定は数え年。還暦はどちらも満60歳の年）"));
    earlyBornCheck = new QCheckBox(QStringLiteral("早生まれ（1月1日〜4月1日）(&H)"), this);
    earlyBornCheck->setObjectName(QStringLiteral("chkHayaumare"));
    earlyBornCheck->setAccessibleName(QStringLiteral("早生まれ（1月1日から4月1日）"));
    earlyBornCheck->setToolTip(QStringLiteral("入学・卒業の年を一年早めます"));

    saveCsvButton = new QPushButton(QStringLiteral("CSV で保存(&S)…"), this);
    saveCsvButton->setObjectName(QStringLiteral("ComCsv"));
    saveCsvButton->setAccessibleName(QStringLiteral("CSV で保存"));
    printButton = new QPushButton(QStringLiteral("印刷(&P)…"), this);
    printButton->setObjectName(QStringLiteral("ComPrint"));
    printButton->setAccessibleName(QStringLiteral("印刷"));
}

void AgeTableWindow::createTable() {
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("tblHayami"));
    table->setAccessibleName(kAgeTableTitle);
    table->setModel(model);
    table->setItemDelegate(new CellDelegate(table));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);  // Tab leaves the table for the controls above
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table->horizontalHeader()->setHighlightSections(false);
    // The header keeps a selection of its own: it marks no selected rows, and would otherwise
    // repaint whenever the selected row changes.
    table->horizontalHeader()->setSelectionModel(new QItemSelectionModel(model, table));
    table->installEventFilter(this);
    setColumnWidths();
}

// Column widths from the widest texts, measured once; the rows all share them.
void AgeTableWindow::setColumnWidths() {
    const QFontMetrics fm(table->font());
    const QString samples[] = {
        QStringLiteral("0000"),       QStringLiteral("昭和64 / 平成元"),
        QStringLiteral("0000"),       QStringLiteral("己未（つちのとひつじ）"),
        QStringLiteral("二黒土星"),   QStringLiteral("000"),
        QStringLiteral("000"),        QStringLiteral("男 本厄（大厄）"),
        QStringLiteral("長寿祝い"),   QStringLiteral("小学校入学"),
        QStringLiteral("中学校入学"), QStringLiteral("高校入学"),
        QStringLiteral("高校卒業"),   QStringLiteral("短大・専門卒業"),
        QStringLiteral("大学卒業")};
    static_assert(std::size(samples) == kAgeColumnCount, "one sample a column");
    for (int c = 0; c < kAgeColumnCount; ++c) {
        const int w =
            std::max(fm.horizontalAdvance(samples[c]), fm.horizontalAdvance(qs(ageColumnTitle(c))));
        table->setColumnWidth(c, w + 16);
    }
}

void AgeTableWindow::arrange() {
    auto* kijunLabel = new QLabel(QStringLiteral("基準年(&K)"), this);
    kijunLabel->setObjectName(QStringLiteral("lblKijun"));
    kijunLabel->setBuddy(referenceYearBox);
    auto* etoLabel = new QLabel(QStringLiteral("干支(&E)"), this);
    etoLabel->setObjectName(QStringLiteral("lblEto"));
    etoLabel->setBuddy(branchFilter);
    groups_ = {{{kijunLabel, referenceYearBox},
                {etoLabel, branchFilter},
                {fullAgeCheck, earlyBornCheck},
                {saveCsvButton, printButton}}};
    auto* layout = new QVBoxLayout(this);
    for (QHBoxLayout*& row : rows_) {
        row = new QHBoxLayout;
        layout->addLayout(row);
    }
    layout->addWidget(table, 1);
    // As narrow as the controls allow on three rows, so that the window fits a small or scaled
    // screen whole; on fewer rows as soon as it is wide enough (see resizeEvent).
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    for (int rows = 2; rows >= 0; --rows) {
        arrangeRows(rows);
        layout->invalidate();
        leastWidths_[rows] = layout->minimumSize().width();
        if (rows == 2) setMinimumSize(layout->minimumSize());
    }

    setTabOrder(referenceYearBox, branchFilter);
    setTabOrder(branchFilter, fullAgeCheck);
    setTabOrder(fullAgeCheck, earlyBornCheck);
    setTabOrder(earlyBornCheck, saveCsvButton);
    setTabOrder(saveCsvButton, printButton);
    setTabOrder(printButton, table);
}

// Rows beyond the first, 0 to 2: the options and the buttons on the first row; the buttons on a
// row of their own; the checks on one of their own as well.
void AgeTableWindow::arrangeRows(int extraRows) {
    for (QHBoxLayout* row : rows_)
        while (QLayoutItem* item = row->takeAt(0)) delete item;  // never the widgets
    // A group goes after a gap on a row that holds another already.
    const auto put = [](QHBoxLayout* row, const QList<QWidget*>& group) {
        if (row->count() > 0) row->addSpacing(12);
        for (QWidget* w : group) row->addWidget(w);
    };
    QHBoxLayout* checksRow = rows_[extraRows == 2 ? 1 : 0];
    QHBoxLayout* buttonsRow = rows_[extraRows];
    put(rows_[0], groups_[0]);
    put(rows_[0], groups_[1]);
    put(checksRow, groups_[2]);
    checksRow->addStretch(1);
    if (buttonsRow != checksRow) buttonsRow->addStretch(1);
    for (QWidget* button : groups_[3]) buttonsRow->addWidget(button);
    arrangedRows_ = extraRows;
}

void AgeTableWindow::connectHandlers() {
    connect(referenceYearBox, &QSpinBox::valueChanged, this, &AgeTableWindow::optionsChanged);
    connect(fullAgeCheck, &QCheckBox::toggled, this, &AgeTableWindow::optionsChanged);
    connect(earlyBornCheck, &QCheckBox::toggled, this, &AgeTableWindow::optionsChanged);
    connect(branchFilter, &QComboBox::currentIndexChanged, this, [this] {
        const int keep = selectedYear();
        model->setBranchFilter(branchFilter->currentData().toInt());
        selectRowOfYear(keep != 0 ? keep : followedYear_, true);
    });
    connect(saveCsvButton, &QPushButton::clicked, this, &AgeTableWindow::saveCsvClicked);
    connect(printButton, &QPushButton::clicked, this, &AgeTableWindow::printClicked);

    scrollTimer_.setSingleShot(true);
    scrollTimer_.setInterval(kFollowScrollMs);
    connect(&scrollTimer_, &QTimer::timeout, this, &AgeTableWindow::scrollToCurrent);
}

void AgeTableWindow::optionsChanged() {
    const int keep = selectedYear();
    model->setOptions(
        {referenceYearBox->value(), fullAgeCheck->isChecked(), earlyBornCheck->isChecked()});
    selectRowOfYear(keep != 0 ? keep : followedYear_, true);
}

void AgeTableWindow::showYear(int year) {
    followedYear_ = year;
    selectRowOfYear(year, !isVisible());
}

void AgeTableWindow::openBeside(const QWidget* owner) {
    if (!placeRestored_) openOnOwnersScreen(this, owner, size(), Opening::Beside);
}

void AgeTableWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Once the view has its size: before that it cannot centre a row.
    QTimer::singleShot(0, this, &AgeTableWindow::scrollToCurrent);
    keepWholeOnScreen(this);
}

// The first selected row in the middle of the view, and the current one while the table has the
// focus.
void AgeTableWindow::scrollToCurrent() {
    scrollTimer_.stop();
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const QModelIndex index =
        model->index(rows.first().row(), std::max(0, table->currentIndex().column()));
    if (table->hasFocus())
        table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else
        currentWhileAway_ = index;
    table->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

// The current cell is given up with the focus and taken again with it.
void AgeTableWindow::tableFocusChanged(bool in) {
    QItemSelectionModel* sel = table->selectionModel();
    if (!in) {
        if (sel->currentIndex().isValid()) currentWhileAway_ = sel->currentIndex();
        sel->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    QModelIndex back = currentWhileAway_;
    if (!back.isValid() || !sel->isRowSelected(back.row())) {
        const QModelIndexList rows = sel->selectedRows();
        back = rows.isEmpty() ? QModelIndex() : rows.first();
    }
    if (back.isValid()) sel->setCurrentIndex(back, QItemSelectionModel::NoUpdate);
}

void AgeTableWindow::selectRowOfYear(int year, bool scrollNow) {
    const int reference = model->options().reference;
    if (year < kAgeTableFirstYear || year > reference) year = std::min(thisYear_, reference);
    const int row = model->rowOf(year);
    QItemSelectionModel* sel = table->selectionModel();
    if (row < 0) {
        sel->clear();
        return;
    }
    // Only the selection changes now: a new current cell would scroll the view at once.
    sel->select(model->index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (scrollNow)
        scrollToCurrent();
    else
        scrollTimer_.start();
}

int AgeTableWindow::selectedYear() const {
    const QModelIndex current = table->currentIndex();
    if (current.isValid() && table->selectionModel()->isRowSelected(current.row()))
        return model->yearAt(current.row());
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model->yearAt(rows.first().row());
}

QString AgeTableWindow::selectionText() const {
    QList<int> rows;
    for (const QModelIndex& i : table->selectionModel()->selectedRows()) rows << i.row();
    if (rows.isEmpty()) return {};
    std::sort(rows.begin(), rows.end());
    QString text = AgeTableModel::titles().join(u'\t') + u'\n';
    for (int r : rows) text += model->rowTexts(r).join(u'\t') + u'\n';
    return text;
}

void AgeTableWindow::copySelection() {
    const QString text = selectionText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

QByteArray AgeTableWindow::csvBytes() const { return yorvane::csvBytes(*model); }

bool AgeTableWindow::writeCsv(const QString& path, QString* error) const {
    return yorvane::writeCsv(*model, path, error);
}

void AgeTableWindow::saveCsvTo(const QString& path) {
    QString error;
    if (writeCsv(path, &error)) return;
    warnAboutFile(this, kAgeTableTitle, QStringLiteral("CSV ファイルを保存できませんでした。"),
                  path, error);
}

QString AgeTableWindow::csvFolder() const {
    if (!lastFolder_.isEmpty()) return lastFolder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void AgeTableWindow::saveCsvClicked() {
    QFileDialog dialog(
        this, QStringLiteral("CSV で保存"),
        QDir(csvFolder())
            .filePath(QStringLiteral("年齢早見表_%1.csv").arg(model->options().reference)),
        QStringLiteral("CSV ファイル (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    // A desktop's own dialog may hand the name back as typed.
    const QString path = withCsvSuffix(dialog.selectedFiles().first());
    lastFolder_ = QFileInfo(path).absolutePath();
    saveCsvTo(path);
}

void AgeTableWindow::printClicked() { showPrintPreview(this, *model); }

bool AgeTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        tableFocusChanged(event->type() == QEvent::FocusIn);
    if (watched != table || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    // Four digits typed in a row jump to that year.
    const QString text = key->text();
    const bool digit = text.size() == 1 && text[0].isDigit() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!digit) {
        typed_.clear();
        return QWidget::eventFilter(watched, event);
    }
    if (!typedAt_.isValid() || typedAt_.elapsed() > kTypingPauseMs) typed_.clear();
    typedAt_.start();
    typed_ += text;
    if (typed_.size() == 4) {
        const int year = typed_.toInt();
        typed_.clear();
        const int row = model->rowOf(year);
        if (row >= 0) {
            const QModelIndex index =
                model->index(row, std::max(0, table->currentIndex().column()));
            table->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            table->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
    }
    return true;
}

}  // namespace yorvane
