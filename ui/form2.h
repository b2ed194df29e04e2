#pragma once
// The version window: the banner, the version, the web address and the authorship notice.

#include <QDialog>

class QLabel;
class QScreen;

namespace yorvane {

class Platform;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(Platform& platform, QWidget* parent = nullptr);

    static QString webAddress();

    // Opens the web address in the desktop's browser; says so when the desktop refuses.
    void Label3_Click();
    void centreOnScreen(QScreen* screen);

    QLabel* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Platform& platform_;
};

}  // namespace yorvane
