#include "messages.h"

#include <QMessageBox>
#include <QPushButton>

#include "application.h"

namespace yorvane {

void showOpenFailure(QWidget* parent, const QString& what, const QString& path) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(),
                    QStringLiteral("%1を開けませんでした。\n\n%2").arg(what, path),
                    QMessageBox::NoButton, parent);
    // A path is shown as it is, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setInformativeText(QStringLiteral(
        "このファイルを開くアプリケーションがデスクトップに見つかりません。xdg-utils "
        "が入っていること、ファイルの種類に既定のアプリケーションが決まっていることを確かめて"
        "ください。"));
    // Named here, so that it is Japanese even where Qt's translations are missing.
    box.addButton(QMessageBox::Close)->setText(QStringLiteral("閉じる"));
    box.exec();
}

}  // namespace yorvane
