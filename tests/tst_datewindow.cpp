// The window 日付で調べる: opened from the main window's menu, answering at each keystroke what
// the command line answers (read through the accessibility tree) under the groups' headings, with
// its choices of sex and 浪人 and the copy in résumé form, and bad input.

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QSpinBox>

#include "date_query.h"
#include "date_window.h"
#include "formfixture.h"
#include "u16text.h"

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
    void groupedInReadingOrder();
    void sexChoiceRemembered();
    void copiesTheResume();
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
    // Whatever takes the keys has a name, and a screen reader a name for it.
    for (QWidget* c : d->findChildren<QWidget*>()) {
        if (!c->focusPolicy() || c->focusProxy() || !c->isVisibleTo(d)) continue;
        const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        QVERIFY2(!c->objectName().isEmpty() && !a->text(QAccessible::Name).isEmpty(),
                 c->metaObject()->className());
    }
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    entry->trigger();
    QCOMPARE(dateWindow(), d);  // one window, shown again
    QVERIFY(d->isVisible());
}

// The choices reach the answer as --sex and --ronin do: one 女's 厄年, and 浪人 moving 大学卒業
// from 平成 into 令和.
void TestDateWindow::showsWhatTheCommandLinePrints_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("sex");  // the choice's entry: both, 男, 女
    QTest::addColumn<int>("ronin");
    QTest::newRow("昭和") << "S55.3.4"
                          << "2026/12/7" << 0 << 0;
    QTest::newRow("no such 和暦 date") << "昭和64年1月8日"
                                       << "2027/1/8" << 1 << 0;
    QTest::newRow("before 1873") << "1850/5/1"
                                 << "2026/12/7" << 0 << 0;
    QTest::newRow("女, 浪人 2 years") << "1995/6/1"
                                      << "2026/12/8" << 2 << 2;
}

void TestDateWindow::showsWhatTheCommandLinePrints() {
    QFETCH(QString, typed);
    QFETCH(QString, reference);
    QFETCH(int, sex);
    QFETCH(int, ronin);
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.referenceBox->selectAll();
    type(d.referenceBox, reference);
    type(d.birthBox, typed);
    d.sexChoice->setCurrentIndex(sex);
    d.extraYearsBox->setValue(ronin);
    yorvane::AnswerOptions options;
    if (sex > 0) options.sex = sex == 1 ? yorvane::Sex::Male : yorvane::Sex::Female;
    options.extraYears = ronin;
    QString printed, errors;
    QTextStream out(&printed), err(&errors);
    QCOMPARE(yorvane::runDateQuery(typed, reference, false, out, err, {2026, 12, 7}, options), 0);
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

// Each line stands under the heading of its group, the groups in their order, and Tab reads
// down the window, rows made after it opened too (the 干支 from 1月1日 of a birth before 節分).
void TestDateWindow::groupedInReadingOrder() {
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    type(d.birthBox, "1981/1/15");
    QCoreApplication::processEvents();  // the rows made for it are shown
    using namespace yorvane;
    const auto lines = answerLines(answerFields(*answerDate(u"1981/1/15", {2026, 12, 7}).answer));
    QCOMPARE(d.answerBoxes.size(), lines.size());
    for (std::size_t g = 0; g < d.groups.size(); ++g) {
        QCOMPARE(d.groups[g]->title(), qs(answerGroupName(AnswerGroup(g))));
        QCOMPARE(QAccessible::queryAccessibleInterface(d.groups[g])->text(QAccessible::Name),
                 d.groups[g]->title());
        if (g > 0) QVERIFY(d.groups[g]->y() > d.groups[g - 1]->y());
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        QVERIFY(d.groups[std::size_t(lines[i].group)]->isAncestorOf(d.answerBoxes[i]));
    QWidget* answers = d.groups.front()->parentWidget();
    QList<QWidget*> stops;
    for (QWidget* w : answers->findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(&d)) stops << w;
    QList<QWidget*> order;
    d.referenceBox->setFocus();
    for (;;) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        if (!answers->isAncestorOf(w) || order.contains(w)) break;
        order << w;
    }
    QCOMPARE(order.size(), stops.size());  // each reached once
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QPoint a = order[i - 1]->mapTo(answers, QPoint()),
                     b = order[i]->mapTo(answers, QPoint());
        QVERIFY2(a.y() < b.y() || (a.y() == b.y() && a.x() < b.x()),
                 qPrintable(order[i]->objectName()));
    }
}

// Whose 厄年 are listed is kept in the settings file for the next window.
void TestDateWindow::sexChoiceRemembered() {
    QTemporaryDir folder;
    const yorvane::SettingsLocation settings{folder.filePath("yorvane.ini"), {}};
    const auto unluckyYears = [](DateWindow& d) {
        type(d.birthBox, "1980/3/4");
        QStringList lines;
        for (QLineEdit* box : d.answerBoxes)
            if (box->objectName().startsWith("unluckyYears")) lines << box->text();
        return lines;
    };
    QStringList both;
    {
        DateWindow d(QDate(2026, 12, 7), settings);
        both = unluckyYears(d);
        d.sexChoice->setCurrentIndex(d.sexChoice->findText("女"));
    }
    DateWindow d(QDate(2026, 12, 7), settings);
    QCOMPARE(d.sexChoice->currentText(), "女");
    const QStringList women = unluckyYears(d);
    QVERIFY(!women.isEmpty() && women.size() < both.size());
    for (const QString& line : women)
        QVERIFY2(both.contains(line) && line.contains("女"), qPrintable(line));
}

// 浪人 moves 短大・専門 and 大学 as it moves their lines of the 学歴. The copy (Alt+C) holds the
// 学歴 as a résumé writes it: each line as the window shows it without the 西暦 in brackets, or
// with Alt+W that 西暦 month in place of the 和暦 one.
void TestDateWindow::copiesTheResume() {
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QVERIFY(!d.copyResumeButton->isEnabled());  // nothing to copy before a day is typed
    type(d.birthBox, "1995/6/1");
    d.extraYearsBox->setValue(1);
    QStringList shown;
    for (QLineEdit* box : d.answerBoxes)
        if (box->objectName().startsWith("schoolRecord")) shown << box->text();
    for (const char* school : {"collegeGraduationAnswer", "universityGraduationAnswer"})
        QVERIFY2(shown.join(' ').contains(d.findChild<QLineEdit*>(school)->text()), school);
    const auto copied = [&d](bool western) {
        QApplication::clipboard()->clear();
        if (d.westernResumeCheck->isChecked() != western)
            QTest::keyClick(&d, Qt::Key_W, Qt::AltModifier);
        QTest::keyClick(&d, Qt::Key_C, Qt::AltModifier);  // a click shown, then made
        (void)QTest::qWaitFor([] { return !QApplication::clipboard()->text().isEmpty(); });
        return QApplication::clipboard()->text().split('\n');
    };
    const QStringList japanese = copied(false), western = copied(true);
    QCOMPARE(japanese.size(), shown.size());
    QCOMPARE(western.size(), shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const qsizetype open = shown[i].lastIndexOf(u'（');
        QCOMPARE(japanese[i], shown[i].left(open));
        const QString month = shown[i].mid(open + 1).chopped(1);
        QCOMPARE(western[i], month + japanese[i].mid(japanese[i].indexOf(u' ')));
    }
}

void TestDateWindow::badInputLeavesNoStaleAnswer() {
    DateWindow d(QDate(2026, 12, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QVERIFY(d.reasonCaption->text().isEmpty());  // nothing is said before a day is typed
    QTest::keyClicks(d.birthBox, "1980/2/3");
    QVERIFY(d.reasonCaption->text().isEmpty());
    QVERIFY(!d.answerBoxes.front()->text().isEmpty());
    QTest::keyClick(d.birthBox, '0');  // 1980/2/30
    QVERIFY(d.reasonCaption->text().contains("2月30日"));
    // where-am-I says it: a label's new text is not spoken
    QVERIFY(d.birthBox->accessibleDescription().startsWith(d.reasonCaption->text()));
    QCOMPARE(d.birthBox->text(), "1980/2/30");  // nothing is taken from the box
    for (QLineEdit* box : d.answerBoxes) QVERIFY(box->text().isEmpty());
    QTest::keyClick(d.birthBox, Qt::Key_Backspace);
    d.referenceBox->setText("2026/13/1");
    QVERIFY(d.reasonCaption->text().contains("基準日"));
    QVERIFY(d.answerBoxes.front()->text().isEmpty());
    d.referenceBox->clear();
    d.birthBox->clear();  // an emptied box is no mistake either
    QVERIFY(d.reasonCaption->text().isEmpty());
    QVERIFY(d.answerBoxes.front()->text().isEmpty());
}

QTEST_MAIN(TestDateWindow)
#include "tst_datewindow.moc"
