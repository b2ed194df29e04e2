#pragma once
// The age table as a CSV file: the header and the shown rows, UTF-8 with a byte-order mark,
// CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace yorvane {

class AgeTableModel;

// One CSV record (RFC 4180): a field holding a comma, a double quote or a line break is put in
// double quotes with its quotes doubled; the record ends with CR LF.
QString csvRecord(const QStringList& fields);

// The header and every shown row of `model`.
QByteArray csvBytes(const AgeTableModel& model);

// The file name a CSV file is saved under: `path` as it is when its name has a suffix, else
// with ".csv" added.
QString withCsvSuffix(const QString& path);

// Writes csvBytes(model) to `path` through the program's file writer. False, with any old file
// untouched and no file left behind, on failure; `error` then says why in Japanese.
bool writeCsv(const AgeTableModel& model, const QString& path, QString* error);

}  // namespace yorvane
