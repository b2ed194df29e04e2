// The menu commands, the clickable picture and the version window, against a recording
// desktop: nothing is really opened.

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <cmath>

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
    void standardKeys_data();
    void standardKeys();
    void eraListNamedForWhatItIs();
    void darkTheme_data();
    void darkTheme();
};

namespace {

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// The contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of every text of `window` against the background it is drawn on, by objectName.
QMap<QString, double> textContrasts(QWidget* window) {
    QMap<QString, double> ratios;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QLineEdit*>(w);
        if (w->objectName().isEmpty() || !w->isVisibleTo(window) ||
            !(input || qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
              qobject_cast<QGroupBox*>(w) || qobject_cast<QMenuBar*>(w)))
            continue;
        // The background drawn behind it: its own when it fills it, else its container's.
        const QWidget* filler = w;
        while (!input && !filler->autoFillBackground() && !filler->isWindow())
            filler = filler->parentWidget();
        const QPalette::ColorGroup group = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor text = w->palette().color(group, input ? QPalette::Text : w->foregroundRole());
        const QColor ground = input ? w->palette().color(group, QPalette::Base)
                                    : filler->palette().color(group, filler->backgroundRole());
        ratios[w->objectName()] = contrast(text, ground);
    }
    return ratios;
}

}  // namespace

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
    // A desktop that cannot open it, at once or later, is said in a message naming the
    // document and its path.
    const QString path = QDir::toNativeSeparators(QDir(w.dir.path()).filePath(file));
    QVERIFY(w.platform->documentFailure);
    const QString later = messageDuring([&] { w.platform->documentFailure(); });
    QVERIFY2(later.contains(path) && later.contains(action->text().section(u'(', 0, 0)),
             qPrintable(later));
    w.platform->documentsAccepted = false;
    QCOMPARE(messageDuring([&] { action->trigger(); }), later);
    QCOMPARE(w.platform->documents.size(), 2);
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

void TestMenus::standardKeys_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("done");
    QTest::newRow("F1: the help page") << QKeySequence(QKeySequence::HelpContents) << "help";
    QTest::newRow("Ctrl+Q: closed and saved") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "quit";
}

void TestMenus::standardKeys() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, done);
    Window w;
    QVERIFY(w.show());
    QFile::remove(w.settingsFile());
    QTest::keySequence(w.form.get(), keys);
    if (done == "help") {
        QCOMPARE(w.platform->documents.size(), 1);
        QVERIFY(w.platform->documents[0].startsWith(QStringLiteral("help.htm")));
    } else {
        QVERIFY(!w->isVisible());
        QVERIFY(QFile::exists(w.settingsFile()));
    }
}

void TestMenus::eraListNamedForWhatItIs() {
    Window w;
    QVERIFY(w.show());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w.eraList);
    QVERIFY(list);
    // What the list is for, then what is chosen.
    const QString name = list->text(QAccessible::Name);
    QVERIFY2(name.startsWith(w.eraList->accessibleName()), qPrintable(name));
    QVERIFY2(name.endsWith(w.eraList->currentText()), qPrintable(name));
    QCOMPARE(list->text(QAccessible::Value), w.eraList->currentText());
    QVERIFY(w.eraList->accessibleName() != w.eraList->currentText());
    // The 九星 caption is described by what it shows, not by its joke tool tip.
    QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(w.nineStarCaption);
    QVERIFY(!caption->text(QAccessible::Description).isEmpty());
    QVERIFY(caption->text(QAccessible::Description) != w.nineStarCaption->toolTip());
}

void TestMenus::darkTheme_data() {
    QTest::addColumn<QPalette>("palette");
    QPalette dark(QColor(40, 40, 40));  // a dark window, light texts
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    QTest::newRow("dark") << dark;
    QPalette greyDark = dark;  // light texts on a mid grey
    greyDark.setColor(QPalette::Window, QColor(96, 96, 96));
    QTest::newRow("mid grey with light texts") << greyDark;
}

void TestMenus::darkTheme() {
    QFETCH(QPalette, palette);
    const auto contrastsOf = [](const QPalette& desktop) {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(desktop);
        Window w;
        w.versionAction->trigger();
        QMap<QString, double> ratios = textContrasts(w.form.get());
        ratios.insert(textContrasts(versionWindow()));
        delete versionWindow();
        QApplication::setPalette(before);
        return ratios;
    };
    const QMap<QString, double> light = contrastsOf(QApplication::palette());
    const QMap<QString, double> themed = contrastsOf(palette);
    QVERIFY(light.size() > 20);
    QCOMPARE(themed.keys(), light.keys());
    for (auto it = light.cbegin(); it != light.cend(); ++it)
        QVERIFY2(themed[it.key()] >= it.value() - 0.01,
                 qPrintable(QStringLiteral("%1: %2 against %3 in the light look")
                                .arg(it.key())
                                .arg(themed[it.key()])
                                .arg(it.value())));
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
