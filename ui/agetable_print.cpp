#include "agetable_print.h"

#include <QChildEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "agetable_model.h"
#include "atomic_file.h"
#include "messages.h"
#include "u16text.h"
#include "units.h"
#include "yorvane/agetable.h"
#include "yorvane/sexagenary.h"

namespace yorvane {

namespace {

// The printed table's columns: each as wide as its widest text among the printed rows.
struct PrintedColumns {
    std::vector<double> widths;
    double pad = 0;    // the blank on either side of a text
    double total = 0;  // the width of the whole table
};

// One line of the printed table at `y`: `texts` in their columns, numbers to the right.
void drawPrintedLine(QPainter& p, const PrintedColumns& columns, const QList<bool>& numbers,
                     double y, double height, const QStringList& texts, bool header) {
    double x = 0;
    const qsizetype count = std::min<qsizetype>(texts.size(), qsizetype(columns.widths.size()));
    for (qsizetype c = 0; c < count; ++c) {
        const double w = columns.widths[static_cast<std::size_t>(c)];
        const Qt::Alignment a =
            header ? Qt::AlignCenter
                   : Qt::AlignVCenter | (numbers.value(c) ? Qt::AlignRight : Qt::AlignLeft);
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

namespace {
// Each column as wide as its widest text among the shown rows, the header's in bold included.
PrintedColumns measureColumns(const QList<QStringList>& rows, const QFontMetricsF& fm,
                              const QFontMetricsF& fmBold) {
    PrintedColumns columns;
    columns.pad = fm.height() * 0.4;
    for (const QString& title : AgeTableModel::titles())
        columns.widths.push_back(fmBold.horizontalAdvance(title));
    for (const QStringList& texts : rows)
        for (std::size_t c = 0; c < columns.widths.size() && qsizetype(c) < texts.size(); ++c)
            columns.widths[c] =
                std::max(columns.widths[c], fm.horizontalAdvance(texts[qsizetype(c)]));
    for (double& w : columns.widths) {
        w += 2 * columns.pad;
        columns.total += w;
    }
    return columns;
}
}  // namespace

namespace {
// The first and last page to print, counted from 0: those chosen in the print dialog, or every
// one of `pages` when none were.
std::pair<int, int> chosenPages(const QPrinter& printer, int pages) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 0)
        return {0, pages - 1};
    const int first = std::min(printer.fromPage(), pages);
    const int last = std::clamp(printer.toPage() > 0 ? printer.toPage() : pages, first, pages);
    return {first - 1, last - 1};
}
}  // namespace

QString printedHeading(const AgeTableModel& model) {
    const AgeTableOptions& o = model.options();
    QString heading = QStringLiteral("%1　基準年 %2年").arg(kAgeTableTitle).arg(o.reference);
    if (model.branchFilter() >= 0)
        heading += QStringLiteral("　%1年").arg(
            qs(kBranches.substr(static_cast<std::size_t>(model.branchFilter()), 1)));
    heading += o.longevityInFullAge ? QStringLiteral("　長寿祝いは満年齢")
                                    : QStringLiteral("　長寿祝いは数え年");
    if (o.earlyBorn) heading += QStringLiteral("　早生まれ");
    return heading;
}

int printAgeTable(QPrinter& printer, const AgeTableModel& model) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&printer)) return 0;

    const QFont body(pGothic(8), &printer);
    QFont bold = body;
    bold.setBold(true);
    QFont title(pGothic(11, true), &printer);
    const QFontMetricsF fm(body, &printer), fmBold(bold, &printer), fmTitle(title, &printer);

    QList<QStringList> texts;
    texts.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) texts << model.rowTexts(r);
    const int rows = static_cast<int>(texts.size());
    const PrintedColumns columns = measureColumns(texts, fm, fmBold);
    QList<bool> numbers;
    for (int c = 0; c < kAgeColumnCount; ++c) numbers << ageColumnIsNumber(c);

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

    const QString heading = printedHeading(model);
    const auto [first, last] = chosenPages(printer, pages);
    for (int pageNo = first; pageNo <= last; ++pageNo) {
        if (pageNo > first && !printer.newPage()) break;
        p.setFont(title);
        p.drawText(QRectF(0, 0, width, titleH), Qt::AlignLeft | Qt::AlignVCenter, heading);
        // The header, on every page.
        double y = titleH;
        p.setFont(bold);
        p.fillRect(QRectF(0, y, columns.total, rowH), QColor(224, 224, 224));
        drawPrintedLine(p, columns, numbers, y, rowH, AgeTableModel::titles(), true);
        y += rowH;
        p.setFont(body);
        for (int r = pageNo * perPage; r < std::min(rows, (pageNo + 1) * perPage); ++r) {
            drawPrintedLine(p, columns, numbers, y, rowH, texts[r], false);
            y += rowH;
        }
        drawPrintedGrid(p, columns, titleH, y, rowH);
        p.drawText(QRectF(0, height - footH, width, footH), Qt::AlignCenter,
                   QStringLiteral("%1 / %2").arg(pageNo + 1).arg(pages));
    }
    p.end();
    return last - first + 1;
}

bool printAgeTableToFile(QPrinter& printer, const AgeTableModel& model, const QString& path,
                         QString* why) {
    if (const std::optional<QString> refused = refusedTarget(path)) {
        *why = *refused;
        return false;
    }
    const QTemporaryDir folder;
    const QString printed = folder.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(printed);
    const int pages = folder.isValid() ? printAgeTable(printer, model) : 0;
    printer.setOutputFileName(path);
    QFile file(printed);
    if (pages == 0 || !file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("一時ファイルに印刷できませんでした");
        return false;
    }
    return writeFileAtomically(path, file.readAll(), why);
}

namespace {

const QString kPdfNotSaved = QStringLiteral("PDF ファイルを保存できませんでした。");

// Qt's print dialog checks its output file by opening it, before the program sees the path: a
// FIFO with no reader would hold the window in open() for ever. The dialog is made to check the
// path here instead, the way the file writer will, and to hand Qt a file of this guard's own
// temporary folder; the printer then names that file, and target() the path that was chosen.
class OutputFileGuard final : public QObject {
public:
    explicit OutputFileGuard(QPrintPreviewDialog* preview) : QObject(preview) {
        preview->installEventFilter(this);
    }

    // The file the pages are for: the chosen path when the printer names the temporary file.
    QString target(const QString& printerFile) const {
        return !target_.isEmpty() && printerFile == temporary() ? target_ : printerFile;
    }

protected:
    // The preview makes its print dialog when the print button is first pressed; it is taken
    // over when it is shown, whole.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished)
            if (auto* dialog =
                    qobject_cast<QPrintDialog*>(static_cast<QChildEvent*>(event)->child()))
                takeOver(dialog);
        return QObject::eventFilter(watched, event);
    }

private:
    QString temporary() const { return folder_.filePath(QStringLiteral("printed.pdf")); }

    void takeOver(QPrintDialog* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (dialog == taken_ || !buttons || !name) return;
        taken_ = dialog;
        QObject::disconnect(buttons, SIGNAL(accepted()), dialog, nullptr);
        connect(buttons, &QDialogButtonBox::accepted, this,
                [this, dialog, name] { printPressed(dialog, name); });
    }

    // The file name box is enabled only while a PDF file is the chosen printer.
    void printPressed(QPrintDialog* dialog, QLineEdit* name) {
        if (!name->isEnabled()) return qtChecksAndAccepts(dialog);
        const QString typed = name->text();
        const QString path = QDir::isRelativePath(typed) ? QDir::home().filePath(typed) : typed;
        if (!mayWrite(dialog, path)) return;
        target_ = path;
        name->setText(temporary());
        qtChecksAndAccepts(dialog);
        name->setText(typed);
    }

    bool mayWrite(QWidget* dialog, const QString& path) const {
        std::optional<QString> refused = refusedTarget(path);
        if (!refused && !folder_.isValid())
            refused = QStringLiteral("一時ファイルを作れませんでした");
        if (refused) {
            warnAboutFile(dialog, kAgeTableTitle, kPdfNotSaved, path, *refused);
            return false;
        }
        if (!QFileInfo::exists(path)) return true;
        QMessageBox box(QMessageBox::Question, kAgeTableTitle,
                        QStringLiteral("PDF ファイルは既にあります。上書きしますか？\n\n") + path,
                        QMessageBox::NoButton, dialog);
        box.setTextFormat(Qt::PlainText);
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("上書き"));
        box.setDefaultButton(box.addButton(QMessageBox::No));
        box.defaultButton()->setText(QStringLiteral("やめる"));
        return box.exec() == QMessageBox::Yes;
    }

    // Qt's own checks of the other settings, then the printer is set up from the dialog.
    static void qtChecksAndAccepts(QPrintDialog* dialog) {
        if (!QMetaObject::invokeMethod(dialog, "_q_checkFields")) dialog->accept();
    }

    QTemporaryDir folder_;
    QString target_;
    QPointer<QPrintDialog> taken_;
};

}  // namespace

void showPrintPreview(QWidget* parent, const AgeTableModel& model) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(kAgeTableTitle);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    const auto* guard = new OutputFileGuard(&preview);
    // Called for the preview, and for the printer or PDF file chosen from it.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&model, &preview, guard](QPrinter* chosen) {
                         const QString file = guard->target(chosen->outputFileName());
                         QString why;
                         if (!file.isEmpty() && !printAgeTableToFile(*chosen, model, file, &why))
                             warnAboutFile(&preview, kAgeTableTitle, kPdfNotSaved, file, why);
                         else if (file.isEmpty() && printAgeTable(*chosen, model) == 0)
                             QMessageBox::warning(&preview, kAgeTableTitle,
                                                  QStringLiteral("印刷できませんでした。"));
                     });
    preview.exec();
}

}  // namespace yorvane
