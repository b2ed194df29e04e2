#pragma once
// The version window: the banner, the version, the web address and the authorship notice.

#include <QDialog>

class QLabel;

namespace yorvane {

class Platform;

class VersionWindow : public QDialog {
    Q_OBJECT
public:
    explicit VersionWindow(Platform& platform, QWidget* parent = nullptr);

    static QString webAddress();

    // Opens the web address in the desktop's browser; says so when the desktop refuses, at once
    // or once its opener has failed.
    void openWebPage();

    QLabel* banner = nullptr;
    QLabel* sheetPicture = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* addressLabel = nullptr;
    QLabel* copyrightLabel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sayConnectFailed();
    Platform& platform_;
};

}  // namespace yorvane
