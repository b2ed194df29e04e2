#include "agetable_print.h"

#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "units.h"

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
PrintedColumns measureColumns(const PrintJob& job, const QFontMetricsF& fm,
                              const QFontMetricsF& fmBold) {
    PrintedColumns columns;
    columns.pad = fm.height() * 0.4;
    for (const QString& title : job.columnTitles)
        columns.widths.push_back(fmBold.horizontalAdvance(title));
    for (const QStringList& texts : job.rows)
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

int printAgeTable(QPrinter& printer, const PrintJob& job) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&printer)) return 0;

    const QFont body(pGothic(8), &printer);
    QFont bold = body;
    bold.setBold(true);
    QFont title(pGothic(11, true), &printer);
    const QFontMetricsF fm(body, &printer), fmBold(bold, &printer), fmTitle(title, &printer);

    const int rows = static_cast<int>(job.rows.size());
    const PrintedColumns columns = measureColumns(job, fm, fmBold);

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

    const auto [first, last] = chosenPages(printer, pages);
    for (int pageNo = first; pageNo <= last; ++pageNo) {
        if (pageNo > first && !printer.newPage()) break;
        p.setFont(title);
        p.drawText(QRectF(0, 0, width, titleH), Qt::AlignLeft | Qt::AlignVCenter, job.heading);
        // The header, on every page.
        double y = titleH;
        p.setFont(bold);
        p.fillRect(QRectF(0, y, columns.total, rowH), QColor(224, 224, 224));
        drawPrintedLine(p, columns, job.numberColumns, y, rowH, job.columnTitles, true);
        y += rowH;
        p.setFont(body);
        for (int r = pageNo * perPage; r < std::min(rows, (pageNo + 1) * perPage); ++r) {
            drawPrintedLine(p, columns, job.numberColumns, y, rowH, job.rows[r], false);
            y += rowH;
        }
        drawPrintedGrid(p, columns, titleH, y, rowH);
        p.drawText(QRectF(0, height - footH, width, footH), Qt::AlignCenter,
                   QStringLiteral("%1 / %2").arg(pageNo + 1).arg(pages));
    }
    p.end();
    return last - first + 1;
}

bool printAgeTableToFile(QPrinter& printer, const PrintJob& job, const QString& path,
                         QString* why) {
    if (const std::optional<QString> refused = job.refusedTarget(path)) {
        *why = *refused;
        return false;
    }
    const QTemporaryDir folder;
    const QString printed = folder.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(printed);
    const int pages = folder.isValid() ? printAgeTable(printer, job) : 0;
    printer.setOutputFileName(path);
    QFile file(printed);
    if (pages == 0 || !file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("一時ファイルに印刷できませんでした");
        return false;
    }
    return job.writeFile(path, file.readAll(), why);
}

void showPrintPreview(QWidget* parent, const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(job.title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    // Called for the preview, and for the printer or PDF file chosen from it.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&job, &preview](QPrinter* chosen) {
                         const QString file = chosen->outputFileName();
                         QString why;
                         if (!file.isEmpty() && !printAgeTableToFile(*chosen, job, file, &why))
                             job.fileFailed(file, why);
                         else if (file.isEmpty() && printAgeTable(*chosen, job) == 0)
                             QMessageBox::warning(&preview, job.title,
                                                  QStringLiteral("印刷できませんでした。"));
                     });
    preview.exec();
}

}  // namespace yorvane

extern "C" Q_DECL_EXPORT void yorvane_print_preview(QWidget* parent, const yorvane::PrintJob& job) {
    yorvane::showPrintPreview(parent, job);
}
