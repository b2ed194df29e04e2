#include "program.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace yorvane {

QString applicationTitle() { return QStringLiteral("ヨルヴァネ"); }

bool installQtTranslations(QCoreApplication& app) {
    // The program speaks Japanese whatever the user's locale, so Qt's texts do too.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QDate localToday() { return QDate::currentDate(); }

}  // namespace yorvane
