#include "warning_box.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

namespace yorvane {

void warnAboutFile(QWidget* parent, const QString& title, const QString& what, const QString& path,
                   const QString& why) {
    QMessageBox box(QMessageBox::Warning, title, what, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("warningBox"));
    QString detail = QDir::toNativeSeparators(path);
    if (!why.isEmpty()) detail += QStringLiteral("\n（%1）").arg(why);
    box.setInformativeText(detail);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setDefaultButton(box.addButton(QStringLiteral("閉じる"), QMessageBox::AcceptRole));
    box.exec();
}

}  // namespace yorvane
