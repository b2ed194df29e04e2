#pragma once
// The day-exact answers on the command line: what the window 日付で調べる shows for a typed day
// of birth on a 基準日, as lines of text or as one JSON object.

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QTextStream>

#include "yorvane/dateanswer.h"

namespace yorvane {

// Prints the answer for `text` on the day typed as `on` (today when empty) to `out` and returns
// 0; for text that names no day, prints the reason in Japanese to `err` and returns 1.
int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err);
// The same with today given.
int runDateQuery(const QString& text, const QString& on, bool json, QTextStream& out,
                 QTextStream& err, QDate today);

// The answer as the command line's JSON object.
QJsonObject answerJson(const DateAnswer& a);

}  // namespace yorvane
