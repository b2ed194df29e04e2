#pragma once
// The day-exact answers on the command line: what the window 日付で調べる shows for a typed day
// of birth on a 基準日, as lines of text or as one JSON object.

#include <QString>
#include <QTextStream>

#include "yorvane/dateanswer.h"

namespace yorvane {

// Prints the answer for `text` on the day typed as `on` (read as the day of birth is; `today`
// when blank) to `out` and returns 0; for a text that names no day, prints the reason in
// Japanese to `err` and returns 1.
int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err, Date today, const AnswerOptions& options = {});

}  // namespace yorvane
