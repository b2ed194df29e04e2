#pragma once
// The age table on paper (or in a PDF file): the shown rows on A4 under a heading, the header on
// each page, scaled down as a whole when the columns are wider than the page.

#include <QString>

class QPrinter;

namespace yorvane {

class AgeTableModel;

// What the printout is of: the reference year, the branch shown, how 長寿祝い and 早生まれ count.
QString printedHeading(const AgeTableModel& model);

// Prints the shown rows, only the pages of the printer's page range when it has one; the number
// of pages printed, 0 when the printer could not be started.
int printAgeTable(QPrinter& printer, const AgeTableModel& model);

// Prints into the PDF file `path`: a target that is no regular file is refused before anything
// is opened (a FIFO would block), and the pages are printed to a temporary file first and then
// written through the program's file writer, so a full disk leaves an older file as it was.
// False with `why` in Japanese.
bool printAgeTableToFile(QPrinter& printer, const AgeTableModel& model, const QString& path,
                         QString* why);

}  // namespace yorvane
