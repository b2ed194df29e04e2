// Handing documents to the desktop through xdg-open, and the message when it cannot be done.

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "messages.h"
#include "placement.h"
#include "platform.h"

using yorvane::Opening;

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void openDocument_data();
    void openDocument();
    void openFailureShowsThePath();
    void windowsOpenWhole_data();
    void windowsOpenWhole();
};

void TestDesktop::openDocument_data() {
    QTest::addColumn<int>("opener");  // the exit status of the xdg-open on the PATH; -1: none
    QTest::addColumn<int>("failuresLater");
    QTest::newRow("no xdg-open") << -1 << 0;
    QTest::newRow("a viewer found") << 0 << 0;
    QTest::newRow("no viewer for the type") << 3 << 1;
    QTest::newRow("the viewer failed") << 4 << 1;
}

void TestDesktop::openDocument() {
    QFETCH(int, opener);
    QFETCH(int, failuresLater);
    QTemporaryDir bin, folder;
    const QString log = bin.filePath(QStringLiteral("opened"));
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    if (opener >= 0) {
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$PWD|$*\" >> '%1'\nexit %2\n")
                         .arg(log)
                         .arg(opener)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    yorvane::DesktopPlatform desktop;
    int failures = 0;
    const bool accepted = desktop.openDocument(QStringLiteral("help.htm"), folder.path(),
                                               [&failures] { ++failures; });
    // A web address goes the same way, with the same answers.
    const QString address = QStringLiteral("https://example.org/");
    const bool addressAccepted = desktop.openAddress(address, [&failures] { ++failures; });
    qputenv("PATH", path);
    QCOMPARE(accepted, opener >= 0);
    QCOMPARE(addressAccepted, opener >= 0);
    if (!accepted) return;
    // The document goes by its whole path, from its own folder.
    QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess*>().isEmpty());
    QFile opened(log);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromLocal8Bit(opened.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.contains(folder.path() + QStringLiteral("|") +
                           folder.filePath(QStringLiteral("help.htm"))));
    QVERIFY(lines.filter(QStringLiteral("|") + address).size() == 1);
    QCOMPARE(failures, 2 * failuresLater);
}

void TestDesktop::openFailureShowsThePath() {
    const QString path = QStringLiteral("/usr/share/yorvane/help.htm");
    QString text, selectable, button;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        text = box->text();
        for (auto* label : box->findChildren<QLabel*>())
            if (label->text().contains(path) &&
                label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse))
                selectable = label->text();
        if (box->buttons().size() == 1) button = box->buttons().constFirst()->text();
        box->reject();
    });
    yorvane::showOpenFailure(nullptr, QStringLiteral("ヘルプ"), path);
    QVERIFY(text.contains(QStringLiteral("ヘルプ")));
    QVERIFY(selectable.contains(path));
    // One button, in Japanese: no Latin letters left of Qt's English.
    QVERIFY(!button.isEmpty());
    QVERIFY(std::none_of(button.begin(), button.end(),
                         [](QChar c) { return c.isLetter() && c.unicode() < 0x80; }));
}

// A window opened from the main window (its frame `owner`) lies whole on the screen that holds
// the main window: beside it where there is room, else over it; or centred on that screen.
void TestDesktop::windowsOpenWhole_data() {
    QTest::addColumn<QList<QRect>>("screens");  // free areas; a task bar of 40 at the bottom
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<Opening>("how");
    QTest::addColumn<QString>("where");  // right, left, over or centre
    const QList<QRect> vga{{0, 0, 800, 560}}, sxga{{0, 0, 1280, 984}},
        two{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}}, scaled{{0, 0, 426, 328}};
    const QRect designed(570, 418, 416, 330);
    const QSize dates(437, 640), table(1048, 632), version(342, 183);
    QTest::newRow("800x600: over it")
        << vga << QRect(192, 115, 416, 330) << dates << Opening::Beside << "over";
    QTest::newRow("1280x1024: left of it")
        << sxga << designed << dates << Opening::Beside << "left";
    QTest::newRow("1920x1080: right of it")
        << two.mid(0, 1) << designed << dates << Opening::Beside << "right";
    QTest::newRow("two screens: on the right one")
        << two << QRect(2400, 100, 416, 330) << dates << Opening::Beside << "left";
    QTest::newRow("scale 3: a large window on a small screen")
        << scaled << QRect(5, 0, 416, 328) << table << Opening::Beside << "over";
    QTest::newRow("two screens: centred on the right one")
        << two << QRect(2400, 100, 416, 330) << version << Opening::Centred << "centre";
}

void TestDesktop::windowsOpenWhole() {
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, owner);
    QFETCH(QSize, frame);
    QFETCH(Opening, how);
    QFETCH(QString, where);
    const QRect r = yorvane::openingFrame(frame, owner, screens, how);
    const auto holder = std::find_if(screens.begin(), screens.end(),
                                     [&](const QRect& s) { return s.contains(owner.center()); });
    QVERIFY(holder->contains(r));
    QCOMPARE(r.size(), frame.boundedTo(holder->size()));
    if (where == "centre") QVERIFY((r.center() - holder->center()).manhattanLength() <= 1);
    if (where == "over") QVERIFY(r.intersects(owner));
    if (where == "right" || where == "left") {
        QVERIFY(where == "right" ? r.left() > owner.right() : r.right() < owner.left());
        QCOMPARE(r.top(), std::min(owner.top(), holder->bottom() + 1 - r.height()));
    }
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
