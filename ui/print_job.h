#pragma once
// What the print module (yorvane-print, loaded when 印刷… is first chosen) is handed: the table
// as texts, and the program's own file writer and message box as functions. The module knows
// only Qt, so nothing of the program has to be exported to it, and the program does not load
// Qt's printing at start-up.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QByteArray;
class QWidget;

namespace yorvane {

struct PrintJob {
    QString title;    // the document's name, for the printer and the preview's title bar
    QString heading;  // the first line of every page
    QStringList columnTitles;
    QList<bool> numberColumns;  // columns whose texts stand to the right
    QList<QStringList> rows;

    // Why `path` cannot be written at all (a FIFO, a device…), before anything is opened.
    std::function<std::optional<QString>(const QString& path)> refusedTarget;
    // Writes `bytes` to `path` through the program's writer; false with `why` in Japanese.
    std::function<bool(const QString& path, const QByteArray& bytes, QString* why)> writeFile;
    // Tells the user that the PDF file at `path` could not be saved, and why.
    std::function<void(const QString& path, const QString& why)> fileFailed;
};

// The module's entry point, resolved by name: opens the print preview over `parent` and returns
// when it is closed.
using PrintPreviewEntry = void (*)(QWidget* parent, const PrintJob& job);
inline constexpr char kPrintPreviewEntry[] = "yorvane_print_preview";

}  // namespace yorvane
