#pragma once
// The program's side of printing: the age table turned into a PrintJob, and the print module
// loaded the first time it is needed (Qt's printing adds to the memory of every start).

#include <QString>

#include "print_job.h"

class QWidget;

namespace yorvane {

class AgeTableModel;

// What the printout is of: the reference year, the branch shown, how 長寿祝い and 早生まれ count.
QString printedHeading(const AgeTableModel& model);

// The shown rows of `model` as a print job; its messages are shown over `parent`.
PrintJob ageTablePrintJob(const AgeTableModel& model, QWidget* parent);

// The print module of this program: beside the executable (the build folder, a portable
// folder), else in the library folder of the installation the executable belongs to.
QString defaultPrintModule();

// Loads the print module `file` (it stays loaded) and opens its print preview for `job`.
// False with `why` in Japanese when the module cannot be loaded.
bool openPrintPreview(const QString& file, QWidget* parent, const PrintJob& job, QString* why);

}  // namespace yorvane
