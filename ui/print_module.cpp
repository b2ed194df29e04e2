#include "print_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

#include "agetable_model.h"
#include "atomic_file.h"
#include "messages.h"
#include "u16text.h"
#include "yorvane/agetable.h"
#include "yorvane/sign.h"

namespace yorvane {

QString printedHeading(const AgeTableModel& model) {
    const AgeTableOptions& o = model.options();
    QString heading = QStringLiteral("%1　基準年 %2年").arg(kAgeTableTitle).arg(o.reference);
    if (model.branchFilter() >= 0)
        heading += QStringLiteral("　%1年").arg(
            qs(kBranches.substr(static_cast<std::size_t>(model.branchFilter()), 1)));
    heading += o.longevityInFullAge ? QStringLiteral("　長寿祝いは満年齢")
                                    : QStringLiteral("　長寿祝いは数え年");
    if (o.earlyBorn) heading += QStringLiteral("　早生まれ");
    return heading;
}

PrintJob ageTablePrintJob(const AgeTableModel& model, QWidget* parent) {
    PrintJob job;
    job.title = kAgeTableTitle;
    job.heading = printedHeading(model);
    job.columnTitles = AgeTableModel::titles();
    for (int c = 0; c < kAgeColumnCount; ++c) job.numberColumns << ageColumnIsNumber(c);
    job.rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) job.rows << model.rowTexts(r);
    job.refusedTarget = refusedTarget;
    job.writeFile = &writeFileAtomically;
    job.fileFailed = [parent](const QString& path, const QString& why) {
        warnAboutFile(parent, kAgeTableTitle,
                      QStringLiteral("PDF ファイルを保存できませんでした。"), path, why);
    };
    return job;
}

QString defaultPrintModule() {
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString beside = folder.filePath(QStringLiteral(YORVANE_PRINT_MODULE_NAME));
    if (QFileInfo::exists(beside)) return beside;
    return QDir::cleanPath(folder.filePath(QStringLiteral(YORVANE_PRINT_MODULE_FROM_PROGRAM)));
}

bool openPrintPreview(const QString& file, QWidget* parent, const PrintJob& job, QString* why) {
    // A QLibrary going out of scope leaves its library loaded: Qt's printing stays for the
    // printers the module made, and the next load is only a lookup.
    QLibrary library(file);
    const auto entry = reinterpret_cast<PrintPreviewEntry>(library.resolve(kPrintPreviewEntry));
    if (!entry) {
        // The loader's own words are for whoever mends the installation.
        std::fprintf(stderr, "yorvane: %s\n", qPrintable(library.errorString()));
        *why = QFileInfo::exists(file) ? QStringLiteral("印刷の部品として読み込めません")
                                       : QStringLiteral("ファイルがありません");
        return false;
    }
    entry(parent, job);
    return true;
}

}  // namespace yorvane
