#pragma once
// A picture control: stretches its picture to its own size and reports clicks.

#include <QLabel>

namespace yorvane {

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool afterDoubleClick_ = false;
};

}  // namespace yorvane
