#pragma once
// The age table on paper (or in a PDF file): the shown rows on A4 under a heading, the header on
// each page, scaled down as a whole when the columns are wider than the page.
//
// A PDF file goes through the program's one file writer (atomic_file.h). Qt prints into a
// temporary file of the program's own and never opens the chosen path itself, not even from its
// print dialog, so a FIFO or a device named as the output is refused with the writer's reason
// instead of blocking the window.

#include <QString>

class QPrinter;
class QWidget;

namespace yorvane {

class AgeTableModel;

// What the printout is of: the reference year, the branch shown, how 長寿祝い and 早生まれ count.
QString printedHeading(const AgeTableModel& model);

// Prints the shown rows of `model`, only the pages of the printer's page range when it has one;
// the number of pages printed, 0 when the printer could not be started.
int printAgeTable(QPrinter& printer, const AgeTableModel& model);

// Prints into the PDF file `path`: a target that is no regular file is refused before anything
// is opened, and the pages are printed to a temporary file first and then written through the
// program's file writer, so a full disk leaves an older file as it was. False with `why` in
// Japanese.
bool printAgeTableToFile(QPrinter& printer, const AgeTableModel& model, const QString& path,
                         QString* why);

// The print preview over `parent`: it shows the pages as they will print, and its print button
// opens the print dialog, whose printer or PDF file and page range are printed. A PDF file that
// cannot be written is told over `parent`.
void showPrintPreview(QWidget* parent, const AgeTableModel& model);

}  // namespace yorvane
