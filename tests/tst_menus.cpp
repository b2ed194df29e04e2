// The menu commands, the clickable picture and the version window, against a recording
// desktop: nothing is really opened.

#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

#include "formfixture.h"
#include "version_window.h"

using yorvane::VersionWindow;

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void documentsGoToTheDesktop_data();
    void documentsGoToTheDesktop();
    void documentsAskedAgainEachTime();
    void versionWindowIsOneAndNotModal();
    void versionWindowContents();
    void versionWindowComesBackCentred();
    void addressOpenedOrRefused_data();
    void addressOpenedOrRefused();
    void pictureClicks();
    void recalculationReplacesTheScene();
    void versionWindowOutlivesTheMainWindow();
};

void TestMenus::documentsGoToTheDesktop_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::newRow("元号表") << "eraTableAction"
                            << "gengo.gif";
    QTest::newRow("ヘルプ") << "helpAction"
                            << "help.htm";
}

void TestMenus::documentsGoToTheDesktop() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    Window w;
    QVERIFY(w.show());
    auto* action = qobject_cast<QAction*>(w.roles.value(command));
    QVERIFY(action);
    action->trigger();
    // The bare file name, with the program folder as the working folder.
    QCOMPARE(w.platform->documents, QStringList{file + QStringLiteral(" in ") + w.dir.path()});
    QVERIFY(QFile::exists(QDir(w.dir.path()).filePath(file)));
    // A refusal of the desktop changes nothing and says nothing.
    w.platform->documentsAccepted = false;
    action->trigger();
    QCOMPARE(w.platform->documents.size(), 2);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMenus::documentsAskedAgainEachTime() {
    Window w;
    w.eraTableAction->trigger();
    w.eraTableAction->trigger();
    QCOMPARE(w.platform->documents.size(), 2);
}

void TestMenus::versionWindowIsOneAndNotModal() {
    Window w;
    QVERIFY(w.show());
    QVERIFY(!versionWindow());
    w.versionAction->trigger();
    VersionWindow* first = versionWindow();
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    // The main window stays usable.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    // Chosen again: the same window, brought to the front.
    w.versionAction->trigger();
    QCOMPARE(versionWindow(), first);
    QCOMPARE(w->findChildren<VersionWindow*>().size(), 0);  // no owner window
    const auto tops = QApplication::topLevelWidgets();
    QCOMPARE(
        std::count_if(tops.begin(), tops.end(),
                      [](QWidget* t) { return qobject_cast<VersionWindow*>(t) && t->isVisible(); }),
        1);
}

void TestMenus::versionWindowContents() {
    FakePlatform platform;
    VersionWindow f(platform);
    QCOMPARE(f.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    // The version comes from the build; whatever it is, it reads "Ver. <major>.<minor>".
    QVERIFY2(QRegularExpression(QStringLiteral("^Ver\\. [0-9]+\\.[0-9]+$"))
                 .match(f.versionLabel->text())
                 .hasMatch(),
             qPrintable(f.versionLabel->text()));
    QVERIFY(f.versionLabel->font().bold());
    QVERIFY(!f.banner->pixmap().isNull());
    QVERIFY(!f.sheetPicture->pixmap().isNull());
    QVERIFY(!f.copyrightLabel->text().isEmpty());
    const QUrl address(f.addressLabel->text(), QUrl::StrictMode);
    QVERIFY(address.isValid());
    QCOMPARE(address.scheme(), QStringLiteral("https"));
    QVERIFY(address.host().endsWith(QStringLiteral("example.org")));
    QCOMPARE(f.cursor().shape(), Qt::BitmapCursor);
    QVERIFY(!f.cursor().pixmap().isNull());
    checkLayout(&f);
}

void TestMenus::versionWindowComesBackCentred() {
    Window w;
    QVERIFY(w.show());
    w.versionAction->trigger();
    QPointer<VersionWindow> first = versionWindow();
    QVERIFY(QTest::qWaitForWindowExposed(first.data()));
    const QRect area = w->screen()->availableGeometry();
    // Centred to within the window frame, whose size is known only once it is shown.
    QVERIFY(std::abs(first->geometry().center().x() - area.center().x()) <= 4);
    first->move(0, 0);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(!versionWindow());
    // Chosen again: a new window, in the centre again.
    w.versionAction->trigger();
    QVERIFY(versionWindow());
    QVERIFY(QTest::qWaitForWindowExposed(versionWindow()));
    QVERIFY(std::abs(versionWindow()->geometry().center().y() - area.center().y()) <= 4);
}

void TestMenus::addressOpenedOrRefused_data() {
    QTest::addColumn<bool>("accepted");
    QTest::newRow("accepted") << true;
    QTest::newRow("refused") << false;
}

void TestMenus::addressOpenedOrRefused() {
    QFETCH(bool, accepted);
    FakePlatform platform;
    platform.addressesAccepted = accepted;
    VersionWindow f(platform);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // The message box is modal: look at it from inside its own event loop and close it.
    QString shown;
    QList<QAbstractButton*> buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            buttons = box->buttons();
            icon = box->icon();
            box->accept();
        }
    });
    QTest::mouseClick(f.addressLabel, Qt::LeftButton);
    QTest::qWait(100);
    // The address opened is the one shown.
    QCOMPARE(platform.addresses, QStringList{f.addressLabel->text()});
    if (accepted) {
        QVERIFY(shown.isEmpty());
    } else {
        QCOMPARE(shown, QStringLiteral("IE に接続できません。"));
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
    }
    QVERIFY(f.isVisible());  // the version window stays open either way
}

void TestMenus::pictureClicks() {
    Window w;
    QVERIFY(w.show());
    QTest::mouseClick(w.signPicture, Qt::LeftButton);
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene2.gif"));
    QVERIFY(!w.signPicture->pixmap().isNull());
    // A double click is a click and then a double click: the start picture remains.
    w.platform->pictures.clear();
    const QPoint at = w.signPicture->rect().center();
    QTest::mousePress(w.signPicture, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w.signPicture, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w.signPicture->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.signPicture, &dbl);
    QTest::mouseRelease(w.signPicture, Qt::LeftButton, {}, at);
    QCOMPARE(w.platform->pictures.size(), 2);
    QCOMPARE(w.platform->pictures.first().section(u'/', -1), QStringLiteral("scene2.gif"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene1.jpg"));
    QVERIFY(!w.signPicture->pixmap().isNull());
    // Each click loads the file anew: a picture that has gone shows nothing.
    QVERIFY(QFile::remove(QDir(w.dir.path()).filePath(QStringLiteral("scene2.gif"))));
    QTest::mouseClick(w.signPicture, Qt::LeftButton);
    QVERIFY(w.signPicture->pixmap().isNull());
}

void TestMenus::recalculationReplacesTheScene() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("saru.jpg"));
    QTest::mouseClick(w.signPicture, Qt::LeftButton);
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene2.gif"));
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);  // 昭和 5 = 1930, a 午 year
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("uma.jpg"));
}

void TestMenus::versionWindowOutlivesTheMainWindow() {
    Window w;
    QVERIFY(w.show());
    w.versionAction->trigger();
    QPointer<VersionWindow> version = versionWindow();
    QVERIFY(QTest::qWaitForWindowExposed(version.data()));
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
    QVERIFY(version);
    QVERIFY(version->isVisible());
    // The settings were written when the main window closed.
    QVERIFY(QFile::exists(w.settingsFile()));
    version->close();
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
