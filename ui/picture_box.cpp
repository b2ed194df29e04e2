#include "picture_box.h"

#include <QMouseEvent>
#include <utility>

namespace yorvane {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setScaledContents(true); }

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    // A double click reports one click, then the double click; the button going up after
    // the double click is no second click.
    if (std::exchange(afterDoubleClick_, false)) return;
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton) return;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

}  // namespace yorvane
