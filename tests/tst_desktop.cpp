// Handing documents to the desktop through xdg-open, and the message when it cannot be done.

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "messages.h"
#include "platform.h"

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void openDocument_data();
    void openDocument();
    void openFailureShowsThePath();
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
        script.write(QStringLiteral("#!/bin/sh\necho \"$PWD|$*\" > '%1'\nexit %2\n")
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
    qputenv("PATH", path);
    QCOMPARE(accepted, opener >= 0);
    if (!accepted) return;
    // The document goes by its whole path, from its own folder.
    QTRY_VERIFY(QFile::exists(log));
    QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess*>().isEmpty());
    QFile opened(log);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(opened.readAll()).trimmed(),
             folder.path() + QStringLiteral("|") + folder.filePath(QStringLiteral("help.htm")));
    QCOMPARE(failures, failuresLater);
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

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
