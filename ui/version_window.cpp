#include "version_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>

#include "colours.h"
#include "platform.h"
#include "program.h"
#include "units.h"
#include "version.h"
#include "window_common.h"

namespace yorvane {

namespace {
// The classic desktop colours the window is designed in: the border grey (its background and
// the version's) and the active title bar's blue (the web address).
const QColor kBorder(212, 208, 200);
const QColor kActiveTitle(10, 36, 106);

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}
}  // namespace

QString VersionWindow::webAddress() { return QStringLiteral(YORVANE_HOMEPAGE); }

VersionWindow::VersionWindow(Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    registerFontSubstitutes();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(pGothic(9));
    setFixedSize(px(5010), px(2265));
    setAutoFillBackground(true);
    QPalette p = colours::designedPalette();
    p.setColor(QPalette::Window, kBorder);
    setPalette(p);
    // The rocket is the mouse pointer over the window; its nose is the hot spot.
    setCursor(QCursor(QPixmap(QStringLiteral(":/rocket.png")), 2, 2));

    banner = makeLabel(this, "Picture1", rectTwips(1440, 120, 3135, 735));
    banner->setPixmap(QPixmap(QStringLiteral(":/banner.gif")));
    banner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    banner->setAccessibleName(QStringLiteral("ヨルヴァネ"));

    sheetPicture = makeLabel(this, "Image1", rectTwips(240, 360, 900, 1125));
    sheetPicture->setPixmap(QPixmap(QStringLiteral(":/sheet.gif")));
    sheetPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sheetPicture->setAccessibleName(QStringLiteral("情報のしるし"));

    versionLabel = makeLabel(this, "Label1", rectTwips(2280, 960, 1455, 375));
    versionLabel->setText(QStringLiteral("Ver. " YORVANE_VERSION));
    versionLabel->setFont(pGothic(15.75, true));
    versionLabel->setAutoFillBackground(true);
    QPalette lp = versionLabel->palette();
    lp.setColor(QPalette::Window, kBorder);
    versionLabel->setPalette(lp);

    addressLabel = makeLabel(this, "Label3", rectTwips(1680, 1560, 2895, 255));
    addressLabel->setText(webAddress());
    QPalette ap = addressLabel->palette();
    ap.setColor(QPalette::WindowText, kActiveTitle);
    addressLabel->setPalette(ap);
    addressLabel->setToolTip(webAddress());
    addressLabel->setAccessibleDescription(
        QStringLiteral("クリックまたは Enter でウェブページを開く"));
    // Reached with Tab as well, and opened with Enter or Space; underlined while it has the focus.
    addressLabel->setFocusPolicy(Qt::StrongFocus);
    addressLabel->installEventFilter(this);

    copyrightLabel = makeLabel(this, "Label2", rectTwips(2040, 1920, 2055, 255));
    copyrightLabel->setText(QStringLiteral("© 2026 ヨルヴァネ"));

    // Heard when the window opens: the version, before the address that has the focus.
    setAccessibleDescription(versionLabel->text() + QStringLiteral("、") + copyrightLabel->text());
    addressLabel->setAccessibleDescription(versionLabel->text() + QStringLiteral("。") +
                                           addressLabel->accessibleDescription());
    addCloseKeys(this);
}

void VersionWindow::openWebPage() {
    // A screen reader hears what the activation did: the description of the focused address.
    addressLabel->setAccessibleDescription(QStringLiteral("ウェブページをブラウザで開きます"));
    // The browser may also fail after the opener has started (no method available): the same
    // message then, while the window is still there.
    const QPointer<VersionWindow> self(this);
    const auto failed = [self] {
        if (self) self->sayConnectFailed();
    };
    if (!platform_.openAddress(webAddress(), failed)) sayConnectFailed();
}

void VersionWindow::sayConnectFailed() {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(),
                    QStringLiteral("IE に接続できません。"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("connectFailed"));
    box.exec();
}

bool VersionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == addressLabel &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        QFont f = addressLabel->font();
        f.setUnderline(event->type() == QEvent::FocusIn);
        addressLabel->setFont(f);
    }
    if (watched == addressLabel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            openWebPage();
            return true;
        }
    }
    if (watched == addressLabel && event->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton && addressLabel->rect().contains(m->position().toPoint()))
            openWebPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace yorvane
