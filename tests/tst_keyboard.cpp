// The main window driven from the keyboard alone: real key events go to whichever control has
// the focus, and the focus, the era list, the era label, the texts, the selection and the option
// buttons are read back afterwards.

#include <QAbstractItemView>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "formfixture.h"

namespace {

QWidget* focused() { return QApplication::focusWidget(); }

// One key event to the control that has the focus at this moment, as the keyboard sends it.
void keyEvent(bool press, Qt::Key key, Qt::KeyboardModifiers modifiers = {},
              bool autoRepeat = false) {
    QWidget* target = focused();
    QVERIFY2(target, "no control has the focus");
    QTest::simulateEvent(target, press, key, modifiers, QString(), autoRepeat);
}

// A chord: the modifier goes down, then the key is pressed and released while it is held, then
// the modifier comes up. Each event goes to the control that has the focus when it is sent.
void chord(Qt::Key modifierKey, Qt::Key key) {
    const Qt::KeyboardModifiers held =
        modifierKey == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
    keyEvent(true, modifierKey);
    keyEvent(true, key, held);
    keyEvent(false, key, held);
    keyEvent(false, modifierKey, held);
}

// What the window shows, apart from the focus.
struct Snapshot {
    QString era, birthText, designatedEra, designatedText, otherEra, otherYear, designatedWestern,
        figure, sign;
    bool option2 = false, designatedEnabled = false;
    bool operator==(const Snapshot&) const = default;
    QString describe() const {
        return QStringList{
            era,
            birthText,
            designatedEra,
            designatedText,
            otherEra,
            otherYear,
            designatedWestern,
            figure,
            sign,
            option2 ? QStringLiteral("designatedYearOption") : QStringLiteral("thisYearOption"),
            designatedEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled")}
            .join(u'|');
    }
};

Snapshot snapshot(const Window& w) {
    return {w.eraList->currentText(),
            w.birthYearBox->text(),
            w.designatedEraCaption->text(),
            w.designatedYearBox->text(),
            w.otherEraLabel->text(),
            w.otherYearLabel->text(),
            w.designatedWesternLabel->text(),
            w.ageFigure->text(),
            w.signLabel->text(),
            w.designatedYearOption->isChecked(),
            w.designatedYearBox->isEnabled()};
}

#define COMPARE_SNAPSHOT(actual, expected) \
    QVERIFY2(                              \
        (actual) == (expected),            \
        qPrintable((actual).describe() + QStringLiteral("  expected  ") + (expected).describe()))

// GIVEN 昭和 55 as the year of birth (1980) and 西暦 1990 as the designated year (the delivered
// settings); with `option2` the designated year is chosen as the reference, by the mouse.
bool prepare(Window& w, bool option2) {
    if (!w.show()) return false;
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    if (option2) QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    return w.birthYearBox->text() == QStringLiteral("55") &&
           w.designatedYearOption->isChecked() == option2;
}

// Puts the focus on a control the way a user can reach it, and says whether it got there.
bool focusOn(Window& w, const QString& name) {
    QWidget* c = w.widget(name);
    c->setFocus(Qt::TabFocusReason);
    return focused() == c;
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void focusKeys_data();
    void focusKeys();
    void eraKeysSelectBeforeEmptying_data();
    void eraKeysSelectBeforeEmptying();
    void meijiThenFortyFive();
    void spaceAndDeleteEmptyTheBox_data();
    void spaceAndDeleteEmptyTheBox();
    void enterSelectsTheWholeNumber_data();
    void enterSelectsTheWholeNumber();
    void enterInTheEraList();
    void insertExchanges_data();
    void insertExchanges();
    void keysWithoutAnEffect_data();
    void keysWithoutAnEffect();
    void arrowsInTheEraListRecalculateNothing();
    void chords_data();
    void chords();
    void heldModifierActsOnce_data();
    void heldModifierActsOnce();
    void tabOrder_data();
    void tabOrder();
    void shiftTab_data();
    void shiftTab();
    void clickSelectsTheWholeNumber_data();
    void clickSelectsTheWholeNumber();
    void charactersAreTypedAsUsual();
    void comingBackKeepsTheCaret_data();
    void comingBackKeepsTheCaret();
    void comingBackToAnOptionButtonChangesNothing();
};

// The keys that move the focus, from each control, with either option chosen before.
void TestKeyboard::focusKeys_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("option2Before");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("option2After");
    const struct {
        const char* from;
        bool option2Before;
        Qt::Key key;
        const char* to;
        bool option2After;
    } rows[] = {
        {"eraList", false, Qt::Key_Return, "birthYearBox", false},
        {"eraList", true, Qt::Key_Enter, "birthYearBox", true},
        {"birthYearBox", false, Qt::Key_Control, "designatedYearBox", true},
        {"birthYearBox", true, Qt::Key_Control, "designatedYearOption", true},
        {"birthYearBox", false, Qt::Key_Shift, "designatedYearBox", true},
        {"birthYearBox", true, Qt::Key_Shift, "designatedYearBox", true},
        {"designatedYearBox", true, Qt::Key_Shift, "birthYearBox", true},
        {"designatedYearBox", true, Qt::Key_Control, "thisYearOption", false},
        {"thisYearOption", false, Qt::Key_Return, "birthYearBox", false},
        {"thisYearOption", false, Qt::Key_Enter, "birthYearBox", false},
        {"thisYearOption", false, Qt::Key_Shift, "birthYearBox", false},
        {"thisYearOption", false, Qt::Key_Control, "designatedYearBox", true},
        {"designatedYearOption", true, Qt::Key_Shift, "birthYearBox", true},
        {"designatedYearOption", true, Qt::Key_Control, "thisYearOption", false},
        {"exchangeButton", false, Qt::Key_Shift, "birthYearBox", false},
        {"exchangeButton", true, Qt::Key_Shift, "birthYearBox", true},
        {"exchangeButton", false, Qt::Key_Control, "designatedYearBox", true},
        {"exchangeButton", true, Qt::Key_Control, "designatedYearOption", true},
        // Keys that have no row on the control leave the focus where it is.
        {"eraList", true, Qt::Key_Shift, "eraList", true},
        {"eraList", false, Qt::Key_Control, "eraList", false},
        {"designatedYearOption", true, Qt::Key_Return, "designatedYearOption", true},
        // The arrows on an option button go to the other one and choose it, as on the desktop.
        {"thisYearOption", false, Qt::Key_Down, "designatedYearBox", true},
        {"designatedYearOption", true, Qt::Key_Up, "thisYearOption", false},
    };
    for (const auto& r : rows)
        QTest::addRow("%s %s, %s chosen", r.from, qPrintable(QKeySequence(r.key).toString()),
                      r.option2Before ? "designated year" : "this year")
            << QString::fromLatin1(r.from) << r.option2Before << r.key << QString::fromLatin1(r.to)
            << r.option2After;
}

void TestKeyboard::focusKeys() {
    QFETCH(QString, from);
    QFETCH(bool, option2Before);
    QFETCH(Qt::Key, key);
    QFETCH(QString, to);
    QFETCH(bool, option2After);
    Window w;
    QVERIFY(prepare(w, option2Before));
    QVERIFY2(focusOn(w, from), qPrintable(w.roleOf(focused())));
    QCOMPARE(w.designatedYearOption->isChecked(), option2Before);

    QTest::keyClick(focused(), key);

    QCOMPARE(w.roleOf(focused()), to);
    QCOMPARE(w.designatedYearOption->isChecked(), option2After);
    QCOMPARE(w.thisYearOption->isChecked(), !option2After);
    QCOMPARE(w.designatedYearBox->isEnabled(), option2After);
    QCOMPARE(backgroundColour(w.designatedYearBox), option2After ? kWhite : kGrey);
    // The option handlers ran: the figure counts from the reference chosen now.
    QCOMPARE(w.ageFigure->text(), option2After ? QStringLiteral("10") : QStringLiteral("46"));
    // Moving about changes no year and no era.
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("55"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    QCOMPARE(w.eraList->currentText(), QStringLiteral("昭和"));
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
    // A year box reached by a key has its whole number selected for retyping.
    if (auto* box = qobject_cast<QLineEdit*>(focused()); box && to != from)
        QCOMPARE(box->selectedText(), box->text());
}

// The era keys in either year box: the era is chosen first, then the box is emptied, so the
// change handling of the empty box already counts in the new era.
void TestKeyboard::eraKeysSelectBeforeEmptying_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("era");
    QTest::addColumn<int>("offset");
    QTest::newRow("birthYearBox Down") << "birthYearBox" << Qt::Key_Down << "明治" << 1867;
    QTest::newRow("birthYearBox Left") << "birthYearBox" << Qt::Key_Left << "大正" << 1911;
    QTest::newRow("birthYearBox Up") << "birthYearBox" << Qt::Key_Up << "昭和" << 1925;
    QTest::newRow("birthYearBox Right") << "birthYearBox" << Qt::Key_Right << "平成" << 1988;
    QTest::newRow("designatedYearBox Down")
        << "designatedYearBox" << Qt::Key_Down << "明治" << 1867;
    QTest::newRow("designatedYearBox Left")
        << "designatedYearBox" << Qt::Key_Left << "大正" << 1911;
    QTest::newRow("designatedYearBox Up") << "designatedYearBox" << Qt::Key_Up << "昭和" << 1925;
    QTest::newRow("designatedYearBox Right")
        << "designatedYearBox" << Qt::Key_Right << "平成" << 1988;
}

void TestKeyboard::eraKeysSelectBeforeEmptying() {
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(QString, era);
    QFETCH(int, offset);
    // GIVEN a Western year in the box: 1990 born (the list shows 西暦), 西暦 1990 designated
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1990"));
    QCOMPARE(w.eraList->currentText(), QStringLiteral("西暦"));
    const bool birth = box == QLatin1String("birthYearBox");
    if (!birth) QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QVERIFY(focusOn(w, box));
    auto* edit = static_cast<QLineEdit*>(focused());
    edit->setCursorPosition(2);

    // WHEN the era key is pressed
    QTest::keyClick(focused(), key);

    // THEN the box is empty, the era is the key's, and the empty box was handled in that era
    QCOMPARE(w.roleOf(focused()), box);
    QCOMPARE(edit->text(), QString());
    if (birth) {
        QCOMPARE(w.eraList->currentText(), era);
        QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
        QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
        // An empty year under a modern era shows the other calendar's name, under 西暦 nothing.
        QCOMPARE(w.otherEraLabel->text(), QStringLiteral("西暦"));
        for (QLabel* l :
             {w.otherYearLabel, w.nineStarLabel, w.signLabel, w.signReadingLabel, w.ageFigure})
            QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
    } else {
        QCOMPARE(w.designatedEraCaption->text(), era);
        QCOMPARE(w.eraList->currentText(), QStringLiteral("西暦"));
        QCOMPARE(w.birthYearBox->text(), QStringLiteral("1990"));
        QCOMPARE(w.designatedWesternLabel->text(), QString());
        QCOMPARE(w.ageFigure->text(), QString());
    }

    // AND the next number counts in that era
    QTest::keyClicks(focused(), QStringLiteral("3"));
    if (birth) {
        QCOMPARE(w.otherYearLabel->text(), QString::number(3 + offset));
        QCOMPARE(w.ageFigure->text(), QString::number(2026 - 3 - offset));
    } else {
        QCOMPARE(w.designatedWesternLabel->text(), QString::number(3 + offset));
        QCOMPARE(w.ageFigure->text(), QString::number(3 + offset - 1990));
    }
}

void TestKeyboard::meijiThenFortyFive() {
    // GIVEN 昭和 55
    Window w;
    QVERIFY(prepare(w, false));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    // WHEN Down is pressed and 45 typed
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(w.eraList->currentText(), QStringLiteral("明治"));
    QCOMPARE(w.birthYearBox->text(), QString());
    QCOMPARE(w.otherYearLabel->text(), QString());
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene1.jpg"));
    QTest::keyClicks(focused(), QStringLiteral("45"));
    // THEN the window shows 明治 45
    QCOMPARE(w.otherEraLabel->text(), QStringLiteral("西暦"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1912"));
    QCOMPARE(w.signLabel->text(), QStringLiteral("壬子"));
    QCOMPARE(textColour(w.birthYearBox), kBlack);
}

// Space and Delete empty a year box wherever the caret stands; no blank stays behind.
void TestKeyboard::spaceAndDeleteEmptyTheBox_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("caret");  // -1: the whole number selected
    for (const char* box : {"birthYearBox", "designatedYearBox"})
        for (const auto& [key, keyName] :
             {std::pair{Qt::Key_Space, "Space"}, {Qt::Key_Delete, "Delete"}})
            for (int caret : {0, 2, 4, -1})
                QTest::addRow("%s %s, caret %d", box, keyName, caret)
                    << QString::fromLatin1(box) << key << caret;
}

void TestKeyboard::spaceAndDeleteEmptyTheBox() {
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(int, caret);
    // GIVEN 1990 in both boxes, the designated year chosen
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1990"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("0"));
    QVERIFY(focusOn(w, box));
    auto* edit = static_cast<QLineEdit*>(focused());
    if (caret < 0)
        edit->selectAll();
    else
        edit->setCursorPosition(caret);
    // A change made while typing is an edit; the program's own changes are not.
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QSignalSpy edits(edit, &QLineEdit::textEdited);

    QTest::keyClick(focused(), key);

    QCOMPARE(edit->text(), QString());
    QCOMPARE(focused(), edit);
    QCOMPARE(w.ageFigure->text(), QString());
    if (box == QLatin1String("birthYearBox")) {
        QCOMPARE(w.otherYearLabel->text(), QString());
        QCOMPARE(w.otherEraLabel->text(), QString());  // the list stays 西暦
        QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
        // Space is typed into the emptied box, and the recalculation empties it again: three
        // changes, one of them typed.
        QCOMPARE(changes.count(), key == Qt::Key_Space ? 3 : 1);
        QCOMPARE(edits.count(), key == Qt::Key_Space ? 1 : 0);
    } else {
        QCOMPARE(w.designatedWesternLabel->text(), QString());
        QCOMPARE(w.birthYearBox->text(), QStringLiteral("1990"));
        // The key is consumed and the blank discarded: the box is emptied once.
        QCOMPARE(changes.count(), 1);
        QCOMPARE(edits.count(), 0);
    }
    // The box takes a new number at once.
    QTest::keyClicks(focused(), QStringLiteral("12"));
    QCOMPARE(edit->text(), QStringLiteral("12"));
}

// Enter in a year box types nothing and selects the whole number; the next digit replaces it.
void TestKeyboard::enterSelectsTheWholeNumber_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("caret");
    QTest::newRow("birthYearBox Enter, caret inside") << "birthYearBox" << Qt::Key_Return << 1;
    QTest::newRow("birthYearBox Enter, caret at start") << "birthYearBox" << Qt::Key_Return << 0;
    QTest::newRow("birthYearBox keypad Enter") << "birthYearBox" << Qt::Key_Enter << 2;
    QTest::newRow("designatedYearBox Enter, caret inside")
        << "designatedYearBox" << Qt::Key_Return << 3;
    QTest::newRow("designatedYearBox keypad Enter") << "designatedYearBox" << Qt::Key_Enter << 4;
}

void TestKeyboard::enterSelectsTheWholeNumber() {
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(int, caret);
    Window w;
    QVERIFY(prepare(w, true));
    QVERIFY(focusOn(w, box));
    auto* edit = static_cast<QLineEdit*>(focused());
    const QString before = edit->text();
    edit->setCursorPosition(caret);
    QVERIFY(!edit->hasSelectedText());
    QSignalSpy changes(edit, &QLineEdit::textChanged);

    QTest::keyClick(focused(), key);

    QCOMPARE(changes.count(), 0);
    QCOMPARE(edit->text(), before);
    QCOMPARE(edit->selectionStart(), 0);
    QCOMPARE(edit->selectedText(), before);
    QCOMPARE(focused(), edit);

    QTest::keyClick(focused(), '4');
    QCOMPARE(edit->text(), QStringLiteral("4"));
    if (edit == w.birthYearBox)
        QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1929"));  // 昭和 4
    else
        QCOMPARE(w.ageFigure->text(), QStringLiteral("-1976"));  // 西暦 4, born 1980
}

void TestKeyboard::enterInTheEraList() {
    // GIVEN 昭和 55, the era list focused
    Window w;
    QVERIFY(prepare(w, false));
    w.birthYearBox->setCursorPosition(1);
    QVERIFY(focusOn(w, QStringLiteral("eraList")));
    // WHEN Enter is pressed
    QTest::keyClick(focused(), Qt::Key_Return);
    // THEN the year box has the focus with its number selected, and the next digit replaces it
    QCOMPARE(focused(), w.birthYearBox);
    QCOMPARE(w.birthYearBox->selectedText(), QStringLiteral("55"));
    QCOMPARE(w.eraList->currentText(), QStringLiteral("昭和"));
    QVERIFY(!w.eraList->view()->isVisible());
    QTest::keyClicks(focused(), QStringLiteral("6"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("6"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1931"));
}

// Insert exchanges the two years exactly as a click on the exchange button does, in the two year
// boxes and on thisYearOption; on designatedYearOption, the exchange button and the era list it
// does nothing.
void TestKeyboard::insertExchanges_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<bool>("exchanges");
    QTest::newRow("birthYearBox, thisYearOption chosen") << "birthYearBox" << false << true;
    QTest::newRow("birthYearBox, designatedYearOption chosen") << "birthYearBox" << true << true;
    QTest::newRow("designatedYearBox") << "designatedYearBox" << true << true;
    QTest::newRow("thisYearOption") << "thisYearOption" << false << true;
    QTest::newRow("designatedYearOption") << "designatedYearOption" << true << false;
    QTest::newRow("exchangeButton, thisYearOption chosen") << "exchangeButton" << false << false;
    QTest::newRow("exchangeButton, designatedYearOption chosen")
        << "exchangeButton" << true << false;
    QTest::newRow("eraList") << "eraList" << false << false;
}

void TestKeyboard::insertExchanges() {
    QFETCH(QString, from);
    QFETCH(bool, option2);
    QFETCH(bool, exchanges);
    // The same window, once exchanged by a click.
    Window clicked;
    QVERIFY(prepare(clicked, option2));
    const Snapshot before = snapshot(clicked);
    QTest::mouseClick(clicked.exchangeButton, Qt::LeftButton);
    const Snapshot exchanged = snapshot(clicked);
    QCOMPARE(exchanged.era, QStringLiteral("西暦"));
    QCOMPARE(exchanged.birthText, QStringLiteral("1990"));
    QCOMPARE(exchanged.designatedEra, QStringLiteral("昭和"));
    QCOMPARE(exchanged.designatedText, QStringLiteral("55"));
    clicked.form->close();

    Window w;
    QVERIFY(prepare(w, option2));
    QVERIFY2(focusOn(w, from), qPrintable(w.roleOf(focused())));
    COMPARE_SNAPSHOT(snapshot(w), before);

    QTest::keyClick(focused(), Qt::Key_Insert);

    COMPARE_SNAPSHOT(snapshot(w), exchanges ? exchanged : before);
    QCOMPARE(w.roleOf(focused()), from);
    // A second Insert exchanges back.
    if (exchanges) {
        QTest::keyClick(focused(), Qt::Key_Insert);
        COMPARE_SNAPSHOT(snapshot(w), before);
    }
}

// Keys that have no row on a control leave the window as it was.
void TestKeyboard::keysWithoutAnEffect_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("birthYearBox Escape") << "birthYearBox" << false << Qt::Key_Escape;
    QTest::newRow("birthYearBox F2") << "birthYearBox" << false << Qt::Key_F2;
    QTest::newRow("birthYearBox Home") << "birthYearBox" << false << Qt::Key_Home;
    QTest::newRow("designatedYearBox Escape") << "designatedYearBox" << true << Qt::Key_Escape;
    QTest::newRow("designatedYearBox End") << "designatedYearBox" << true << Qt::Key_End;
    QTest::newRow("eraList Insert") << "eraList" << false << Qt::Key_Insert;
    QTest::newRow("eraList Delete") << "eraList" << false << Qt::Key_Delete;
    QTest::newRow("thisYearOption Delete") << "thisYearOption" << false << Qt::Key_Delete;
    QTest::newRow("thisYearOption Space") << "thisYearOption" << false << Qt::Key_Space;
    QTest::newRow("designatedYearOption Delete")
        << "designatedYearOption" << true << Qt::Key_Delete;
    QTest::newRow("exchangeButton Delete") << "exchangeButton" << true << Qt::Key_Delete;
}

void TestKeyboard::keysWithoutAnEffect() {
    QFETCH(QString, from);
    QFETCH(bool, option2);
    QFETCH(Qt::Key, key);
    Window w;
    QVERIFY(prepare(w, option2));
    QVERIFY(focusOn(w, from));
    const Snapshot before = snapshot(w);
    QTest::keyClick(focused(), key);
    COMPARE_SNAPSHOT(snapshot(w), before);
    QCOMPARE(w.roleOf(focused()), from);
}

void TestKeyboard::arrowsInTheEraListRecalculateNothing() {
    // The list's own keys choose an era; that alone recalculates nothing.
    Window w;
    QVERIFY(prepare(w, false));
    QVERIFY(focusOn(w, QStringLiteral("eraList")));
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(w.eraList->currentText(), QStringLiteral("大正"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("55"));
    // Enter then leads back to the year, and the next digit counts in the new era.
    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClick(focused(), '9');
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1920"));
}

// Shift and Ctrl act when they go down; the key pressed while they are held is then handled by
// the control that has the focus by that time.
void TestKeyboard::chords_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<Qt::Key>("modifier");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("birthText");
    QTest::addColumn<QString>("designatedEra");
    QTest::addColumn<QString>("designatedText");
    QTest::newRow("Shift+Left in birthYearBox")
        << "birthYearBox" << false << Qt::Key_Shift << Qt::Key_Left << "designatedYearBox"
        << "昭和"
        << "55"
        << "大正"
        << "";
    QTest::newRow("Ctrl+Down in birthYearBox")
        << "birthYearBox" << false << Qt::Key_Control << Qt::Key_Down << "designatedYearBox"
        << "昭和"
        << "55"
        << "明治"
        << "";
    QTest::newRow("Shift+Right in designatedYearBox")
        << "designatedYearBox" << true << Qt::Key_Shift << Qt::Key_Right << "birthYearBox"
        << "平成"
        << ""
        << "西暦"
        << "1990";
    QTest::newRow("Shift+Up on thisYearOption")
        << "thisYearOption" << false << Qt::Key_Shift << Qt::Key_Up << "birthYearBox"
        << "昭和"
        << ""
        << "西暦"
        << "1990";
    QTest::newRow("Ctrl+Delete on exchangeButton")
        << "exchangeButton" << false << Qt::Key_Control << Qt::Key_Delete << "designatedYearBox"
        << "昭和"
        << "55"
        << "西暦"
        << "";
}

void TestKeyboard::chords() {
    QFETCH(QString, from);
    QFETCH(bool, option2);
    QFETCH(Qt::Key, modifier);
    QFETCH(Qt::Key, key);
    QFETCH(QString, to);
    QFETCH(QString, era);
    QFETCH(QString, birthText);
    QFETCH(QString, designatedEra);
    QFETCH(QString, designatedText);
    // GIVEN 昭和 55 born, 西暦 1990 designated, the focus on `from`
    Window w;
    QVERIFY(prepare(w, option2));
    QVERIFY(focusOn(w, from));
    // WHEN the modifier goes down and the key is pressed while it is held
    chord(modifier, key);
    // THEN the modifier's row ran on `from` and the key's row on the control it led to
    QCOMPARE(w.roleOf(focused()), to);
    QCOMPARE(w.eraList->currentText(), era);
    QCOMPARE(w.birthYearBox->text(), birthText);
    QCOMPARE(w.designatedEraCaption->text(), designatedEra);
    QCOMPARE(w.designatedYearBox->text(), designatedText);
    // Every row here ends with the designated year chosen if it was, or was chosen by the chord.
    QCOMPARE(w.designatedYearOption->isChecked(),
             option2 || to == QLatin1String("designatedYearBox"));
}

// A held Shift or Ctrl repeats its key-down; it acts once, when it goes down.
void TestKeyboard::heldModifierActsOnce_data() {
    QTest::addColumn<Qt::Key>("modifier");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("again");
    QTest::newRow("Shift") << Qt::Key_Shift << "designatedYearBox"
                           << "birthYearBox";
    QTest::newRow("Ctrl") << Qt::Key_Control << "designatedYearBox"
                          << "thisYearOption";
}

void TestKeyboard::heldModifierActsOnce() {
    QFETCH(Qt::Key, modifier);
    QFETCH(QString, then);
    QFETCH(QString, again);
    const Qt::KeyboardModifiers held =
        modifier == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
    Window w;
    QVERIFY(prepare(w, false));
    QCOMPARE(focused(), w.birthYearBox);
    // WHEN the key goes down and is held: the desktop repeats it
    keyEvent(true, modifier);
    QCOMPARE(w.roleOf(focused()), then);
    for (int i = 0; i < 5; ++i) keyEvent(true, modifier, held, true);
    keyEvent(false, modifier, held);
    // THEN it acted once
    QCOMPARE(w.roleOf(focused()), then);
    QVERIFY(w.designatedYearOption->isChecked());
    // AND pressed anew it acts again, on the control that has the focus now
    keyEvent(true, modifier);
    keyEvent(false, modifier, held);
    QCOMPARE(w.roleOf(focused()), again);
}

// Tab goes through the year box, the chosen option button, the designated year while it can be
// typed in, the era list and the exchange button, and round again.
void TestKeyboard::tabOrder_data() {
    QTest::addColumn<bool>("option2");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("thisYearOption chosen")
        << false
        << QStringList{"thisYearOption", "eraList", "exchangeButton", "birthYearBox",
                       "thisYearOption"};
    QTest::newRow("designatedYearOption chosen")
        << true << QStringList{"designatedYearOption", "designatedYearBox", "eraList",
                               "exchangeButton",       "birthYearBox",      "designatedYearOption"};
}

void TestKeyboard::tabOrder() {
    QFETCH(bool, option2);
    QFETCH(QStringList, stops);
    Window w;
    QVERIFY(prepare(w, option2));
    QVERIFY(focusOn(w, QStringLiteral("birthYearBox")));
    for (const QString& stop : stops) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(w.roleOf(focused()), stop);
        // Passing by changes neither the reference nor the texts.
        QCOMPARE(w.designatedYearOption->isChecked(), option2);
        QCOMPARE(w.designatedYearBox->isEnabled(), option2);
        QCOMPARE(w.birthYearBox->text(), QStringLiteral("55"));
        QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
        if (auto* box = qobject_cast<QLineEdit*>(focused()))
            QCOMPARE(box->selectedText(), box->text());
    }
}

// Shift+Tab: Shift goes down first and performs its own row, then Tab goes back from wherever
// the focus is by then.
void TestKeyboard::shiftTab_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("option2After");
    QTest::newRow("eraList, thisYearOption chosen")
        << "eraList" << false << "thisYearOption" << false;
    QTest::newRow("eraList, designatedYearOption chosen")
        << "eraList" << true << "designatedYearBox" << true;
    // Shift leads to the year box, and back from it is the last stop of the round.
    QTest::newRow("exchangeButton") << "exchangeButton" << true << "exchangeButton" << true;
    QTest::newRow("designatedYearBox") << "designatedYearBox" << true << "exchangeButton" << true;
    // Shift chooses the designated year and leads into it; back from it is designatedYearOption.
    QTest::newRow("birthYearBox") << "birthYearBox" << false << "designatedYearOption" << true;
}

void TestKeyboard::shiftTab() {
    QFETCH(QString, from);
    QFETCH(bool, option2);
    QFETCH(QString, to);
    QFETCH(bool, option2After);
    Window w;
    QVERIFY(prepare(w, option2));
    QVERIFY(focusOn(w, from));
    chord(Qt::Key_Shift, Qt::Key_Backtab);
    QCOMPARE(w.roleOf(focused()), to);
    QCOMPARE(w.designatedYearOption->isChecked(), option2After);
}

// A click into a year box selects its whole number instead of placing the caret.
void TestKeyboard::clickSelectsTheWholeNumber_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("hadFocus");
    QTest::addColumn<int>("x");  // in per cent of the box's width
    for (const char* box : {"birthYearBox", "designatedYearBox"})
        for (bool hadFocus : {false, true})
            for (int x : {5, 50, 95})
                QTest::addRow("%s, %s, at %d%%", box, hadFocus ? "focused" : "not focused", x)
                    << QString::fromLatin1(box) << hadFocus << x;
}

void TestKeyboard::clickSelectsTheWholeNumber() {
    QFETCH(QString, box);
    QFETCH(bool, hadFocus);
    QFETCH(int, x);
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1990"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    auto* edit = static_cast<QLineEdit*>(w.widget(box));
    QVERIFY(focusOn(w, hadFocus ? box : QStringLiteral("eraList")));
    edit->setCursorPosition(1);

    QTest::mouseClick(edit, Qt::LeftButton, {},
                      QPoint(edit->width() * x / 100, edit->height() / 2));

    QCOMPARE(focused(), edit);
    QCOMPARE(edit->text(), QStringLiteral("1990"));
    QCOMPARE(edit->selectionStart(), 0);
    QCOMPARE(edit->selectedText(), QStringLiteral("1990"));
    QTest::keyClick(focused(), '7');
    QCOMPARE(edit->text(), QStringLiteral("7"));
}

void TestKeyboard::charactersAreTypedAsUsual() {
    // Digits and other characters are typed, up to four; a blank only in the birth-year box,
    // where it reads as no number.
    Window w;
    QVERIFY(prepare(w, true));
    QVERIFY(focusOn(w, QStringLiteral("birthYearBox")));
    QTest::keyClick(focused(), Qt::Key_End);
    QTest::keyClicks(focused(), QStringLiteral("a.9x"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("55a."));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QVERIFY(focusOn(w, QStringLiteral("designatedYearBox")));
    QTest::keyClicks(focused(), QStringLiteral("12"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("12"));
    QTest::keyClick(focused(), Qt::Key_Backspace);
    QTest::keyClicks(focused(), QStringLiteral("0a"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("10a"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("-1970"));
}

// Going to another window or into a menu and coming back is no new visit of the box: the caret
// stays where it was and typing goes on where it stopped.
void TestKeyboard::comingBackKeepsTheCaret_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("viaMenu");
    for (const char* box : {"birthYearBox", "designatedYearBox"})
        for (bool viaMenu : {false, true})
            QTest::addRow("%s, %s", box, viaMenu ? "menu" : "other window")
                << QString::fromLatin1(box) << viaMenu;
}

void TestKeyboard::comingBackKeepsTheCaret() {
    QFETCH(QString, box);
    QFETCH(bool, viaMenu);
    // GIVEN 19 typed into the box, the caret after it
    Window w;
    QVERIFY(w.show());
    if (box == QLatin1String("designatedYearBox"))
        QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QVERIFY(focusOn(w, box));
    auto* edit = static_cast<QLineEdit*>(focused());
    edit->selectAll();
    QTest::keyClicks(focused(), QStringLiteral("19"));
    QCOMPARE(edit->text(), QStringLiteral("19"));
    // WHEN the user goes away and comes back
    if (viaMenu) {
        QMenuBar* bar = w->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(w.helpMenu->menuAction()).center());
        QTRY_VERIFY(w.helpMenu->isVisible());
        QTest::keyClick(w.helpMenu, Qt::Key_Escape);
        QTRY_VERIFY(!w.helpMenu->isVisible());
        // Escape closes the menu and leaves the bar highlighted; a second one leaves the bar.
        if (focused() == bar) QTest::keyClick(bar, Qt::Key_Escape);
    } else {
        QWidget other;
        other.setWindowTitle(QStringLiteral("other"));
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(w.show());
    }
    // THEN the box has the focus, nothing is selected, and typing goes on
    QCOMPARE(focused(), edit);
    QVERIFY(!edit->hasSelectedText());
    QTest::keyClicks(focused(), QStringLiteral("80"));
    QCOMPARE(edit->text(), QStringLiteral("1980"));
}

void TestKeyboard::comingBackToAnOptionButtonChangesNothing() {
    // GIVEN no designated year, then thisYearOption chosen by Ctrl and the two years exchanged by
    // Insert: no year of birth, so no figure
    Window w;
    QVERIFY(prepare(w, true));
    QTest::keyClick(focused(), Qt::Key_Delete);
    QTest::keyClick(focused(), Qt::Key_Control);
    QCOMPARE(focused(), w.thisYearOption);
    QTest::keyClick(focused(), Qt::Key_Insert);
    QCOMPARE(w.birthYearBox->text(), QString());
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("55"));
    QCOMPARE(w.ageFigure->text(), QString());
    // WHEN the user goes to another window and comes back
    {
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    QVERIFY(w.show());
    // THEN the button was not visited anew: no this-year figure appears
    QCOMPARE(focused(), w.thisYearOption);
    QCOMPARE(w.ageFigure->text(), QString());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
