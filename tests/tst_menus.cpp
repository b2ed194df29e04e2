// The menu commands, the clickable picture and the version window, against a recording
// desktop: nothing is really opened.

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QUrl>

#include <cmath>

#include "colours.h"
#include "formfixture.h"
#include "version_window.h"
#include "window_common.h"

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
    void everyWindowWholeOnTheMainWindowsScreen();
    void everyWindowReadAsAWindow();
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

// The windows beside the main one, by objectName, with the menu entry that opens each.
const std::pair<const char*, const char*> kOtherWindows[] = {
    {"dateWindow", "mnuHiduke"}, {"frmHayami", "mnuHayami"}, {"Form2", "mnuVer"}};

// The window `name` of `w`, opened from its menu entry ("Form1": the main window itself).
QWidget* opened(Window& w, const QString& name) {
    for (const auto& [window, entry] : kOtherWindows)
        if (name == QLatin1String(window)) w->findChild<QAction*>(entry)->trigger();
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->objectName() == name && t->isVisible()) return t;
    return nullptr;
}

// The contrast of every text of `window` against the background it is drawn on, by
// "window/control".
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
        ratios[window->objectName() + u'/' + w->objectName()] = contrast(text, ground);
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
    // Heard as the window opens.
    QVERIFY(QAccessible::queryAccessibleInterface(&f)
                ->text(QAccessible::Description)
                .contains(f.versionLabel->text()));
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
    const int frame = first->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QVERIFY(std::abs(first->geometry().center().x() - area.center().x()) <= frame);
    first->move(0, 0);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(!versionWindow());
    // Chosen again: a new window, in the centre again.
    w.versionAction->trigger();
    QVERIFY(versionWindow());
    QVERIFY(QTest::qWaitForWindowExposed(versionWindow()));
    QVERIFY(std::abs(versionWindow()->geometry().center().y() - area.center().y()) <= frame);
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
    const QString described = f.addressLabel->accessibleDescription();
    QTest::mouseClick(f.addressLabel, Qt::LeftButton);
    QTest::qWait(100);
    QVERIFY(f.addressLabel->accessibleDescription() != described);  // a screen reader hears it
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

// The same keys in every window: F1 the help page, Ctrl+Q the end with the settings saved, and
// Esc or Ctrl+W close any window but the main one.
void TestMenus::standardKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("done");
    for (const char* window : {"Form1", "dateWindow", "frmHayami", "Form2"}) {
        QTest::addRow("%s: F1", window)
            << window << QKeySequence(QKeySequence::HelpContents) << "help";
        QTest::addRow("%s: Ctrl+Q", window)
            << window << QKeySequence(Qt::CTRL | Qt::Key_Q) << "quit";
        if (QLatin1String(window) == QLatin1String("Form1")) continue;
        for (const QKeySequence& close : yorvane::closeKeys())
            QTest::addRow("%s: %s", window, qPrintable(close.toString()))
                << window << close << "close";
    }
}

void TestMenus::standardKeys() {
    QFETCH(QString, window);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, done);
    Window w;
    QVERIFY(w.show());
    QFile::remove(w.settingsFile());
    QWidget* target = opened(w, window);
    QVERIFY(target);
    target->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(target));
    // Typed where the keys go.
    QTest::keySequence(QApplication::focusWidget(), keys);
    if (done == "help") {
        QCOMPARE(w.platform->documents.size(), 1);
        QVERIFY(w.platform->documents[0].startsWith(QStringLiteral("help.htm")));
    }
    QCOMPARE(w->isVisible(), done != "quit");
    if (done == "quit") QVERIFY(QFile::exists(w.settingsFile()));
    QCOMPARE(target->isVisible(), done == "help" || (done == "quit" && window == "Form2"));
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
    // 指定年 is read with the era it is counted in.
    const auto labels =
        QAccessible::queryAccessibleInterface(w.designatedYearBox)->relations(QAccessible::Label);
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const auto& r) {
        return r.first->object() == w.designatedEraCaption;
    }));
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

// A window with a background of its own keeps its texts as designed under a dark desktop theme;
// one that follows the theme reads well under any.
void TestMenus::darkTheme() {
    QFETCH(QPalette, palette);
    const auto contrastsOf = [](const QPalette& desktop) {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(desktop);
        Window w;
        QMap<QString, double> ratios = textContrasts(w.form.get());
        for (const auto& [window, entry] : kOtherWindows) {
            QWidget* t = opened(w, QLatin1String(window));
            // A day that does not exist: an answer in red.
            if (auto* birth = t->findChild<QLineEdit*>(QStringLiteral("birthDateBox")))
                birth->setText(QStringLiteral("昭和64年1月8日"));
            ratios.insert(textContrasts(t));
        }
        QApplication::setPalette(before);
        return ratios;
    };
    const QMap<QString, double> light = contrastsOf(QApplication::palette());
    const QMap<QString, double> themed = contrastsOf(palette);
    QVERIFY(light.size() > 40);
    QCOMPARE(themed.keys(), light.keys());
    for (auto it = light.cbegin(); it != light.cend(); ++it) {
        const QString why = QStringLiteral("%1: %2 against %3 in the light look")
                                .arg(it.key())
                                .arg(themed[it.key()])
                                .arg(it.value());
        // The windows that follow the theme: the date window and the age table.
        if (it.key().startsWith(QLatin1String("dateWindow/")) ||
            it.key().startsWith(QLatin1String("frmHayami/")))
            QVERIFY2(std::min(it.value(), themed[it.key()]) >= yorvane::colours::kReadableContrast,
                     qPrintable(why));
        else
            QVERIFY2(themed[it.key()] >= it.value() - 0.01, qPrintable(why));
    }
}

// Every window opens whole on the main window's screen (here one of 800 × 800).
void TestMenus::everyWindowWholeOnTheMainWindowsScreen() {
    Window w;
    QVERIFY(w.show());
    const QRect area = w->screen()->availableGeometry();
    for (const auto& [window, entry] : kOtherWindows) {
        QWidget* t = opened(w, QLatin1String(window));
        QVERIFY(QTest::qWaitForWindowExposed(t));
        QCOMPARE(t->screen(), w->screen());
        QVERIFY2(area.contains(t->frameGeometry()), window);
    }
}

// A screen reader reaches each window as a window, hears its title, and reads every label as it
// shows, every picture by a name, and only the cell of a table that has the keys as focused.
void TestMenus::everyWindowReadAsAWindow() {
    Window w;
    QVERIFY(w.show());
    for (const auto& [window, entry] : kOtherWindows) {
        QWidget* t = opened(w, QLatin1String(window));
        if (auto* birth = t->findChild<QLineEdit*>(QStringLiteral("birthDateBox")))
            birth->setText(QStringLiteral("1980/13/40"));  // a reason shown
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(t);
        QVERIFY2(a->role() == QAccessible::Window || a->role() == QAccessible::Dialog, window);
        QCOMPARE(a->text(QAccessible::Name), t->windowTitle());
        for (QComboBox* list : t->findChildren<QComboBox*>()) {  // a list is no window
            QAccessibleInterface* l = QAccessible::queryAccessibleInterface(list);
            QCOMPARE(l->role(), QAccessible::ComboBox);
            QVERIFY(l->relations(QAccessible::Label).isEmpty());  // read by its name and entry
        }
        for (QLabel* label : t->findChildren<QLabel*>()) {
            const QString name =
                QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            const QString shown = QString(label->text()).remove(u'&');
            QVERIFY2(label->pixmap().isNull() ? name == shown : !name.isEmpty(),
                     qPrintable(label->objectName() + u' ' + name));
        }
        for (QTableView* view : t->findChildren<QTableView*>()) {
            QAccessibleTableInterface* table =
                QAccessible::queryAccessibleInterface(view)->tableInterface();
            QVERIFY(!table->selectedCells().isEmpty());
            for (QAccessibleInterface* cell : table->selectedCells())
                QCOMPARE(cell->state().focused, view->hasFocus());
        }
    }
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
