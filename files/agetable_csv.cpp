#include "agetable_csv.h"

#include <QFileInfo>

#include "agetable_model.h"
#include "atomic_file.h"

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

QString withCsvSuffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() && !path.endsWith(u'/')
               ? path + QStringLiteral(".csv")
               : path;
}

bool writeCsv(const AgeTableModel& model, const QString& path, QString* error) {
    return writeFileAtomically(path, csvBytes(model), error);
}

}  // namespace yorvane
