#include "agetable_csv.h"

#include <QSaveFile>

#include "agetable_model.h"

namespace yorvane {

QString csvRecord(const QStringList& fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) line += u',';
        const QString& f = fields[i];
        if (f.contains(u',') || f.contains(u'"') || f.contains(u'\n') || f.contains(u'\r')) {
            QString quoted = f;
            quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            line += u'"' + quoted + u'"';
        } else {
            line += f;
        }
    }
    return line + QStringLiteral("\r\n");
}

QByteArray csvBytes(const AgeTableModel& model) {
    QString text = csvRecord(AgeTableModel::titles());
    for (int r = 0; r < model.rowCount(); ++r) text += csvRecord(model.rowTexts(r));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsv(const AgeTableModel& model, const QString& path, QString* error) {
    // A temporary file beside the target, renamed over it only once everything is written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    const QByteArray bytes = csvBytes(model);
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace yorvane
