#include "messages.h"

#include <QMessageBox>
#include <QPushButton>

#include "program.h"

namespace yorvane {

void warnAboutFile(QWidget* parent, const QString& title, const QString& what, const QString& path,
                   const QString& why) {
    QMessageBox box(QMessageBox::Warning, title, what + QStringLiteral("\n\n") + path,
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("warningBox"));
    // A path is shown as it is, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setInformativeText(why);
    // Named here, so that it is Japanese even where Qt's translations are missing.
    box.addButton(QMessageBox::Close)->setText(QStringLiteral("閉じる"));
    box.exec();
}

void showOpenFailure(QWidget* parent, const QString& what, const QString& path) {
    warnAboutFile(
        parent, applicationTitle(), QStringLiteral("%1を開けませんでした。").arg(what), path,
        QStringLiteral("このファイルを開くアプリケーションがデスクトップに見つかりません。"
                       "xdg-utils が入っていること、ファイルの種類に既定のアプリケーション"
                       "が決まっていることを確かめてください。"));
}

}  // namespace yorvane
