// The window 日付で調べる: opened from the main window's menu, answering at each keystroke what
// the command line answers (read through the accessibility tree), and bad input.

#include <QAccessible>

#include "date_query.h"
#include "date_window.h"
#include "formfixture.h"

using yorvane::DateWindow;

namespace {

DateWindow* dateWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<DateWindow*>(w)) return d;
    return nullptr;
}

// "name: value" of every read-only text in the window, as assistive technology reads them,
// walking down the accessibility tree.
QStringList accessibleLines(QAccessibleInterface* node) {
    QStringList lines;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->role() == QAccessible::EditableText && child->state().readOnly)
            lines << child->text(QAccessible::Name) + ": " + child->text(QAccessible::Value);
        else
            lines << accessibleLines(child);
    }
    return lines;
}
QStringList accessibleLines(QWidget* window) {
    return accessibleLines(QAccessible::queryAccessibleInterface(window));
}

// Types `text` key by key, kana and kanji as an input method would hand them over.
void type(QWidget* box, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
}

}  // namespace

class TestDateWindow : public QObject {
    Q_OBJECT
private slots:
    void openedFromTheMenu();
    void showsWhatTheCommandLinePrints_data();
    void showsWhatTheCommandLinePrints();
    void badInputLeavesNoStaleAnswer();
};

void TestDateWindow::openedFromTheMenu() {
    Window w;
    QVERIFY(w.show());
    auto* entry = w->findChild<QAction*>(QStringLiteral("mnuHiduke"));
    QVERIFY(entry);
    QVERIFY(!dateWindow());
    entry->trigger();
    DateWindow* d = dateWindow();
    QVERIFY(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QVERIFY(!d->isModal());
    QCOMPARE(QApplication::focusWidget(), d->birthBox);
    for (QWidget* c : d->findChildren<QWidget*>()) {
        if (!c->focusPolicy()) continue;
        QVERIFY2(!c->objectName().isEmpty() && !c->accessibleName().isEmpty(),
                 c->metaObject()->className());
    }
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    entry->trigger();
    QCOMPARE(dateWindow(), d);  // one window, shown again
    QVERIFY(d->isVisible());
}

void TestDateWindow::showsWhatTheCommandLinePrints_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reference");
    QTest::newRow("昭和") << "S55.3.4"
                          << "2026/12/7";
    QTest::newRow("no such 和暦 date") << "昭和64年1月8日"
                                       << "2027/1/8";
    QTest::newRow("before 1873") << "1850/5/1"
                                 << "2026/12/7";
}

void TestDateWindow::showsWhatTheCommandLinePrints() {
    QFETCH(QString, typed);
    QFETCH(QString, reference);
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.referenceBox->selectAll();
    type(d.referenceBox, reference);
    type(d.birthBox, typed);
    QString printed, errors;
    QTextStream out(&printed), err(&errors);
    QCOMPARE(yorvane::runDateQuery(typed, reference, false, out, err, {2026, 12, 7}), 0);
    QStringList expected = printed.split('\n', Qt::SkipEmptyParts);
    QStringList notes;
    while (!expected.isEmpty() && expected.last().startsWith("※"))
        notes.prepend(expected.takeLast());
    QCOMPARE(accessibleLines(&d), expected);
    QCOMPARE(d.notesLabel->text(), notes.join('\n'));
    // A 和暦 date that does not exist is red, as the main window shows a year past its era.
    const bool red = typed.startsWith("昭和64");
    QCOMPARE(textColour(d.answerBoxes[1]) == textColour(d.answerBoxes[0]), !red);
    QCOMPARE(textColour(d.answerBoxes[1]).hue(), red ? 0 : textColour(d.answerBoxes[0]).hue());
}

void TestDateWindow::badInputLeavesNoStaleAnswer() {
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QVERIFY(!d.reasonCaption->text().isEmpty());  // an empty box asks for a date
    QTest::keyClicks(d.birthBox, "1980/2/3");
    QVERIFY(d.reasonCaption->text().isEmpty());
    QVERIFY(!d.answerBoxes.front()->text().isEmpty());
    QTest::keyClick(d.birthBox, '0');  // 1980/2/30
    QVERIFY(d.reasonCaption->text().contains("2月30日"));
    QCOMPARE(d.birthBox->text(), "1980/2/30");  // nothing is taken from the box
    for (QLineEdit* box : d.answerBoxes) QVERIFY(box->text().isEmpty());
    QTest::keyClick(d.birthBox, Qt::Key_Backspace);
    d.referenceBox->setText("2026/13/1");
    QVERIFY(d.reasonCaption->text().contains("基準日"));
    QVERIFY(d.answerBoxes.front()->text().isEmpty());
}

QTEST_MAIN(TestDateWindow)
#include "tst_datewindow.moc"
