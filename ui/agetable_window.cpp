#include "agetable_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "atomic_file.h"
#include "messages.h"
#include "u16text.h"
#include "units.h"
#include "yorvane/sign.h"

namespace yorvane {

namespace {

const QString kTitle = QStringLiteral("年齢早見表");

// Where a run of typed digits ends: a pause longer than this starts a new year.
constexpr qint64 kTypingPauseMs = 1500;
// How long the main window's typing must rest before the table scrolls to its year.
constexpr int kFollowScrollMs = 120;

bool numericColumn(int column) {
    switch (column) {
        case ColSeireki:
        case ColKoki:
        case ColFullAge:
        case ColCountedAge:
        case ColElementary:
        case ColJuniorHigh:
        case ColHighEntry:
        case ColHighGraduation:
        case ColCollegeGraduation:
        case ColUniversityGraduation: return true;
        default: return false;
    }
}

QString columnTip(int column) {
    static const QString risshun = QStringLiteral(
        "は立春（2月4日ごろ）で変わります。立春より前（1月1日〜2月3日ごろ）に生まれた人は、"
        "前の年の");
    switch (column) {
        case ColWareki:
            return QStringLiteral("その年に使われた元号。改元の年は二つの元号を示します。");
        case ColKoki: return QStringLiteral("皇紀（西暦 + 660）");
        case ColEto: return QStringLiteral("干支") + risshun + QStringLiteral("干支になります。");
        case ColKyusei:
            return QStringLiteral("九星") + risshun + QStringLiteral("九星になります。");
        case ColFullAge: return QStringLiteral("基準年の誕生日に迎える年齢");
        case ColCountedAge:
            return QStringLiteral("生まれた年を1歳とし、元日ごとに1歳を加える数え方");
        case ColYaku:
            return QStringLiteral(
                "基準年の厄年（数え年で数えます）。神社によっては元日ではなく節分を境に年を"
                "数えます。");
        case ColLongevity: return QStringLiteral("基準年に迎える長寿祝い（還暦は満60歳の年）");
        case ColElementary: return QStringLiteral("4月に入学する年");
        case ColJuniorHigh: return QStringLiteral("4月に入学する年（3月に小学校を卒業する年）");
        case ColHighEntry: return QStringLiteral("4月に入学する年（3月に中学校を卒業する年）");
        case ColHighGraduation:
            return QStringLiteral("3月に卒業する年（4月に大学・短大・専門学校に入学する年）");
        case ColCollegeGraduation:
            return QStringLiteral("短期大学・専門学校（2年制）を3月に卒業する年");
        case ColUniversityGraduation: return QStringLiteral("3月に卒業する年");
        default: return {};
    }
}

// Draws a cell as its text alone, its layout kept from one paint to the next: the table repaints
// many rows whenever it follows the main window to another year, and most texts recur (the
// stars, the signs, the numbers). The row's background is the view's own.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled
                ? (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive)
                : QPalette::Disabled;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) p->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        if (cache_.size() > 4096 || cacheFont_ != option.font) {
            cache_.clear();
            cacheFont_ = option.font;
        }
        auto it = cache_.find(text);
        if (it == cache_.end()) {
            QStaticText st(text);
            st.setTextFormat(Qt::PlainText);
            st.prepare(QTransform(), option.font);
            it = cache_.insert(text, st);
        }
        const QRect r = option.rect.adjusted(kMargin, 0, -kMargin, 0);
        const QSizeF size = it->size();
        const double x = numericColumn(index.column()) ? r.right() + 1 - size.width() : r.left();
        const double y = r.top() + (r.height() - size.height()) / 2.0;
        p->save();
        p->setClipRect(option.rect);
        p->setFont(option.font);
        p->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->drawStaticText(QPointF(x, y), *it);
        p->restore();
    }

private:
    static constexpr int kMargin = 4;
    mutable QHash<QString, QStaticText> cache_;
    mutable QFont cacheFont_;
};

}  // namespace

QString csvRecord(const QStringList& fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) line += u',';
        const QString& f = fields[i];
        if (f.contains(u',') || f.contains(u'"') || f.contains(u'\n') || f.contains(u'\r')) {
            QString quoted = f;
            quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            line += u'"' + quoted + u'"';
        } else {
            line += f;
        }
    }
    return line + QStringLiteral("\r\n");
}

// ---------------------------------------------------------------------------------------------
// The model

AgeTableModel::AgeTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int AgeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(years_.size());
}

int AgeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : AgeColumnCount;
}

QString AgeTableModel::cell(int row, int column) const {
    const int year = yearAt(row);
    if (year == 0 || column < 0 || column >= AgeColumnCount) return {};
    auto it = cache_.constFind(year);
    if (it == cache_.constEnd()) {
        const AgeTableRow r = ageTableRow(year, options_);
        QStringList cells;
        cells.reserve(AgeColumnCount);
        for (const auto& c : r.cells) cells << qs(c);
        it = cache_.insert(year, cells);
    }
    return it->at(column);
}

QVariant AgeTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return cell(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::Alignment(Qt::AlignVCenter) |
                (numericColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
        default: return {};
    }
}

QVariant AgeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        if (role == Qt::DisplayRole) return yearAt(section);
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return qs(ageColumnTitle(section));
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: return columnTip(section);
        default: return {};
    }
}

QStringList AgeTableModel::titles() {
    QStringList t;
    for (int c = 0; c < AgeColumnCount; ++c) t << qs(ageColumnTitle(c));
    return t;
}

void AgeTableModel::setOptions(const AgeTableOptions& options) {
    beginResetModel();
    options_ = options;
    rebuild();
    endResetModel();
}

void AgeTableModel::setBranchFilter(int slot) {
    beginResetModel();
    branch_ = slot >= 0 && slot < 12 ? slot : -1;
    rebuild();
    endResetModel();
}

void AgeTableModel::rebuild() {
    cache_.clear();
    years_.clear();
    const int count = ageTableRowCount(options_.reference);
    years_.reserve(static_cast<std::size_t>(branch_ < 0 ? count : count / 12 + 1));
    for (int y = options_.reference; y > options_.reference - count; --y)
        if (branch_ < 0 || ((y % 12) + 12) % 12 == branch_) years_.push_back(y);
}

int AgeTableModel::yearAt(int row) const {
    return row >= 0 && row < static_cast<int>(years_.size()) ? years_[static_cast<std::size_t>(row)]
                                                             : 0;
}

int AgeTableModel::rowOf(int year) const {
    const auto it = std::lower_bound(years_.begin(), years_.end(), year, std::greater<int>());
    return it != years_.end() && *it == year ? static_cast<int>(it - years_.begin()) : -1;
}

// ---------------------------------------------------------------------------------------------
// The window

AgeTableWindow::AgeTableWindow(int thisYear, QWidget* parent)
    : QWidget(parent, Qt::Window), thisYear_(thisYear) {
    setObjectName(QStringLiteral("frmHayami"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    // Opened from the main window, which keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(pGothic(9));

    auto* kijunLabel = new QLabel(QStringLiteral("基準年"), this);
    referenceYearBox = new QSpinBox(this);
    referenceYearBox->setObjectName(QStringLiteral("spinKijun"));
    referenceYearBox->setRange(kAgeTableFirstYear, kAgeTableLastReference);
    referenceYearBox->setValue(std::clamp(thisYear, kAgeTableFirstYear, kAgeTableLastReference));
    referenceYearBox->setSuffix(QStringLiteral(" 年"));
    referenceYearBox->setAccessibleName(QStringLiteral("基準年"));
    referenceYearBox->setToolTip(QStringLiteral("年齢・厄年・長寿祝いを数える年"));
    kijunLabel->setBuddy(referenceYearBox);

    auto* etoLabel = new QLabel(QStringLiteral("干支"), this);
    branchFilter = new QComboBox(this);
    branchFilter->setObjectName(QStringLiteral("cboEto"));
    branchFilter->addItem(QStringLiteral("すべて"), -1);
    for (const char16_t* b :
         {u"子", u"丑", u"寅", u"卯", u"辰", u"巳", u"午", u"未", u"申", u"酉", u"戌", u"亥"})
        branchFilter->addItem(QString::fromUtf16(b), branchSlot(b).value_or(-1));
    branchFilter->setAccessibleName(QStringLiteral("干支で絞り込み"));
    branchFilter->setToolTip(QStringLiteral("この十二支の年だけを表示します"));
    etoLabel->setBuddy(branchFilter);

    fullAgeCheck = new QCheckBox(QStringLiteral("満年齢で数える"), this);
    fullAgeCheck->setObjectName(QStringLiteral("chkMan"));
    fullAgeCheck->setAccessibleName(QStringLiteral("長寿祝いを満年齢で数える"));
    fullAgeCheck->setToolTip(
        QStringLiteral("長寿祝いを満年齢で数えます（既定は数え年。還暦はどちらも満60歳の年）"));
    earlyBornCheck = new QCheckBox(QStringLiteral("早生まれ（1月1日〜4月1日）"), this);
    earlyBornCheck->setObjectName(QStringLiteral("chkHayaumare"));
    earlyBornCheck->setAccessibleName(QStringLiteral("早生まれ（1月1日から4月1日）"));
    earlyBornCheck->setToolTip(QStringLiteral("入学・卒業の年を一年早めます"));

    saveCsvButton = new QPushButton(QStringLiteral("CSV で保存…"), this);
    saveCsvButton->setObjectName(QStringLiteral("ComCsv"));
    saveCsvButton->setAccessibleName(QStringLiteral("CSV で保存"));
    printButton = new QPushButton(QStringLiteral("印刷…"), this);
    printButton->setObjectName(QStringLiteral("ComPrint"));
    printButton->setAccessibleName(QStringLiteral("印刷"));

    model = new AgeTableModel(this);
    model->setOptions({referenceYearBox->value(), false, false});

    table = new QTableView(this);
    table->setObjectName(QStringLiteral("tblHayami"));
    table->setAccessibleName(kTitle);
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
    // Column widths from the widest texts, measured once; the rows all share them.
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
    static_assert(std::size(samples) == AgeColumnCount, "one sample a column");
    for (int c = 0; c < AgeColumnCount; ++c) {
        const int w =
            std::max(fm.horizontalAdvance(samples[c]), fm.horizontalAdvance(qs(ageColumnTitle(c))));
        table->setColumnWidth(c, w + 16);
    }
    table->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(kijunLabel);
    top->addWidget(referenceYearBox);
    top->addSpacing(12);
    top->addWidget(etoLabel);
    top->addWidget(branchFilter);
    top->addSpacing(12);
    top->addWidget(fullAgeCheck);
    top->addWidget(earlyBornCheck);
    top->addStretch(1);
    top->addWidget(saveCsvButton);
    top->addWidget(printButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table, 1);

    setTabOrder(referenceYearBox, branchFilter);
    setTabOrder(branchFilter, fullAgeCheck);
    setTabOrder(fullAgeCheck, earlyBornCheck);
    setTabOrder(earlyBornCheck, saveCsvButton);
    setTabOrder(saveCsvButton, printButton);
    setTabOrder(printButton, table);

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

    resize(1040, 600);  // every column shows at this width
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

void AgeTableWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scrollToCurrent();
}

// The first selected row becomes the current one, in the middle of the view.
void AgeTableWindow::scrollToCurrent() {
    scrollTimer_.stop();
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const QModelIndex index =
        model->index(rows.first().row(), std::max(0, table->currentIndex().column()));
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    table->scrollTo(index, QAbstractItemView::PositionAtCenter);
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
    for (int r : rows) {
        QStringList cells;
        for (int c = 0; c < AgeColumnCount; ++c) cells << model->cell(r, c);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

void AgeTableWindow::copySelection() {
    const QString text = selectionText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

QByteArray AgeTableWindow::csvBytes() const {
    QString text = csvRecord(AgeTableModel::titles());
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < AgeColumnCount; ++c) cells << model->cell(r, c);
        text += csvRecord(cells);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool AgeTableWindow::writeCsv(const QString& path, QString* error) const {
    return writeFileAtomically(path, csvBytes(), error);
}

void AgeTableWindow::saveCsvTo(const QString& path) {
    QString error;
    if (writeCsv(path, &error)) return;
    warnAboutFile(this, kTitle, QStringLiteral("CSV ファイルを保存できませんでした。"), path,
                  error);
}

void AgeTableWindow::saveCsvClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("CSV で保存"),
        QStringLiteral("年齢早見表_%1.csv").arg(model->options().reference),
        QStringLiteral("CSV ファイル (*.csv)"));
    if (!path.isEmpty()) saveCsvTo(path);
}

void AgeTableWindow::printClicked() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(kTitle);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return;
    const QString file = printer.outputFileName();
    QString why;
    if (!file.isEmpty() && !printToFile(printer, file, &why))
        warnAboutFile(this, kTitle, QStringLiteral("PDF ファイルを保存できませんでした。"), file,
                      why);
    else if (file.isEmpty() && printRows(printer) == 0)
        QMessageBox::warning(this, kTitle, QStringLiteral("印刷できませんでした。"));
}

bool AgeTableWindow::printToFile(QPrinter& printer, const QString& path, QString* why) const {
    // Decided before anything is opened: a FIFO with no reader would hang the window.
    if (const std::optional<QString> refused = refusedTarget(path)) {
        *why = *refused;
        return false;
    }
    // Printed into a temporary file first, then written like every file of the program, so a
    // full disk leaves an older PDF of the same name as it was.
    const QTemporaryDir folder;
    const QString printed = folder.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(printed);
    const int pages = folder.isValid() ? printRows(printer) : 0;
    printer.setOutputFileName(path);
    QFile file(printed);
    if (pages == 0 || !file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("一時ファイルに印刷できませんでした");
        return false;
    }
    return writeFileAtomically(path, file.readAll(), why);
}

namespace {

// The printed table's columns: each as wide as its widest text among the printed rows.
struct PrintedColumns {
    std::vector<double> widths;
    double pad = 0;    // the blank on either side of a text
    double total = 0;  // the width of the whole table
};

// One line of the printed table at `y`: `texts` in their columns, numbers to the right.
void drawPrintedLine(QPainter& p, const PrintedColumns& columns, double y, double height,
                     const QStringList& texts, bool header) {
    double x = 0;
    for (int c = 0; c < AgeColumnCount; ++c) {
        const double w = columns.widths[static_cast<std::size_t>(c)];
        const Qt::Alignment a =
            header ? Qt::AlignCenter
                   : Qt::AlignVCenter | (numericColumn(c) ? Qt::AlignRight : Qt::AlignLeft);
        p.drawText(QRectF(x + columns.pad, y, w - 2 * columns.pad, height), a, texts[c]);
        x += w;
    }
}

// The lines between the rows and the columns, from `top` down to `bottom`.
void drawPrintedGrid(QPainter& p, const PrintedColumns& columns, double top, double bottom,
                     double rowHeight) {
    p.setPen(QPen(QColor(128, 128, 128), 0));
    for (double y = top; y <= bottom + 0.5; y += rowHeight)
        p.drawLine(QPointF(0, y), QPointF(columns.total, y));
    double x = 0;
    p.drawLine(QPointF(0, top), QPointF(0, bottom));
    for (double w : columns.widths) {
        x += w;
        p.drawLine(QPointF(x, top), QPointF(x, bottom));
    }
    p.setPen(Qt::black);
}

}  // namespace

QString AgeTableWindow::printedHeading() const {
    const AgeTableOptions& o = model->options();
    QString heading = QStringLiteral("%1　基準年 %2年").arg(kTitle).arg(o.reference);
    if (model->branchFilter() >= 0)
        heading += QStringLiteral("　%1年").arg(branchFilter->currentText());
    heading += o.longevityInFullAge ? QStringLiteral("　長寿祝いは満年齢")
                                    : QStringLiteral("　長寿祝いは数え年");
    if (o.earlyBorn) heading += QStringLiteral("　早生まれ");
    return heading;
}

int AgeTableWindow::printRows(QPrinter& printer) const {
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&printer)) return 0;

    const QFont body(pGothic(8), &printer);
    QFont bold = body;
    bold.setBold(true);
    QFont title(pGothic(11, true), &printer);
    const QFontMetricsF fm(body, &printer), fmBold(bold, &printer), fmTitle(title, &printer);

    const int rows = model->rowCount();
    const QStringList titles = AgeTableModel::titles();
    PrintedColumns columns;
    columns.pad = fm.height() * 0.4;
    for (int c = 0; c < AgeColumnCount; ++c) {
        double w = fmBold.horizontalAdvance(titles[c]);
        for (int r = 0; r < rows; ++r) w = std::max(w, fm.horizontalAdvance(model->cell(r, c)));
        columns.widths.push_back(w + 2 * columns.pad);
        columns.total += columns.widths.back();
    }

    // The printable area, scaled down as a whole when the columns are wider than the page.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = columns.total > page.width() ? page.width() / columns.total : 1.0;
    p.scale(scale, scale);
    const double width = page.width() / scale, height = page.height() / scale;

    const double rowH = fm.height() * 1.5;
    const double titleH = fmTitle.height() * 1.8;
    const double footH = fm.height() * 2;
    const int perPage = std::max(1, static_cast<int>((height - titleH - footH) / rowH) - 1);
    const int pages = std::max(1, (rows + perPage - 1) / perPage);
    const QString heading = printedHeading();

    for (int pageNo = 0; pageNo < pages; ++pageNo) {
        if (pageNo > 0 && !printer.newPage()) break;
        p.setFont(title);
        p.drawText(QRectF(0, 0, width, titleH), Qt::AlignLeft | Qt::AlignVCenter, heading);
        // The header, on every page.
        double y = titleH;
        p.setFont(bold);
        p.fillRect(QRectF(0, y, columns.total, rowH), QColor(224, 224, 224));
        drawPrintedLine(p, columns, y, rowH, titles, true);
        y += rowH;
        p.setFont(body);
        for (int r = pageNo * perPage; r < std::min(rows, (pageNo + 1) * perPage); ++r) {
            QStringList texts;
            for (int c = 0; c < AgeColumnCount; ++c) texts << model->cell(r, c);
            drawPrintedLine(p, columns, y, rowH, texts, false);
            y += rowH;
        }
        drawPrintedGrid(p, columns, titleH, y, rowH);
        p.drawText(QRectF(0, height - footH, width, footH), Qt::AlignCenter,
                   QStringLiteral("%1 / %2").arg(pageNo + 1).arg(pages));
    }
    p.end();
    return pages;
}

bool AgeTableWindow::eventFilter(QObject* watched, QEvent* event) {
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
