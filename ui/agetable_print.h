#pragma once
// The age table on paper (or in a PDF file): the rows of a PrintJob on A4 under a heading, the
// header on each page, scaled down as a whole when the columns are wider than the page. These
// are the print module's functions (see print_job.h); the program reaches them through
// print_module.h.

#include "print_job.h"

class QPrinter;
class QWidget;

namespace yorvane {

// Prints the job's rows, only the pages of the printer's page range when it has one; the number
// of pages printed, 0 when the printer could not be started.
int printAgeTable(QPrinter& printer, const PrintJob& job);

// Prints into the PDF file `path`: a target that is no regular file is refused before anything
// is opened (a FIFO would block), and the pages are printed to a temporary file first and then
// written through the program's file writer, so a full disk leaves an older file as it was.
// False with `why` in Japanese.
bool printAgeTableToFile(QPrinter& printer, const PrintJob& job, const QString& path, QString* why);

// The print preview over `parent`: it shows the pages as they will print, and its print button
// opens the print dialog, whose printer or PDF file and page range are printed.
void showPrintPreview(QWidget* parent, const PrintJob& job);

}  // namespace yorvane
