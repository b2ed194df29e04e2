#include "form2.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include "platform.h"
#include "units.h"
#include "version.h"

namespace yorvane {

namespace {
// The classic desktop colours the window is designed in: borders and the active title bar.
const QColor kInactiveBorder(212, 208, 200);
const QColor kActiveBorder(212, 208, 200);
const QColor kActiveTitle(10, 36, 106);

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}
}  // namespace

QString Form2::webAddress() { return QStringLiteral("https://yorvane.example.org/"); }

Form2::Form2(Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    registerFontSubstitutes();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(pGothic(9));
    setFixedSize(px(5010), px(2265));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kInactiveBorder);
    setPalette(p);
    // The rocket is the mouse pointer over the window; its nose is the hot spot.
    setCursor(QCursor(QPixmap(QStringLiteral(":/rocket.png")), 2, 2));

    Picture1 = makeLabel(this, "Picture1", rectTwips(1440, 120, 3135, 735));
    Picture1->setPixmap(QPixmap(QStringLiteral(":/banner.gif")));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAccessibleName(QStringLiteral("ヨルヴァネ"));

    Image1 = makeLabel(this, "Image1", rectTwips(240, 360, 900, 1125));
    Image1->setPixmap(QPixmap(QStringLiteral(":/sheet.gif")));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label1 = makeLabel(this, "Label1", rectTwips(2280, 960, 1455, 375));
    Label1->setText(QStringLiteral("Ver. " YORVANE_VERSION));
    Label1->setFont(pGothic(15.75, true));
    Label1->setAutoFillBackground(true);
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::Window, kActiveBorder);
    Label1->setPalette(lp);

    Label3 = makeLabel(this, "Label3", rectTwips(1680, 1560, 2895, 255));
    Label3->setText(webAddress());
    QPalette ap = Label3->palette();
    ap.setColor(QPalette::WindowText, kActiveTitle);
    Label3->setPalette(ap);
    Label3->setToolTip(webAddress());
    Label3->setAccessibleDescription(QStringLiteral("クリックでウェブページを開く"));
    Label3->installEventFilter(this);

    Label2 = makeLabel(this, "Label2", rectTwips(2040, 1920, 2055, 255));
    Label2->setText(QStringLiteral("© 2026 ヨルヴァネ"));
}

void Form2::centreOnScreen(QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void Form2::Label3_Click() {
    if (platform_.openAddress(webAddress())) return;
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QStringLiteral("IE に接続できません。"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("connectFailed"));
    box.exec();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton && Label3->rect().contains(m->position().toPoint()))
            Label3_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace yorvane
