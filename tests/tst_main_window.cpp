// The main window driven as a user drives it: key events into the year boxes, clicks on the
// option buttons and the exchange button; the labels, colours and the era list read back.

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include "formfixture.h"
#include "u16text.h"
#include "yorvane/figure_wording.h"

using yorvane::MainWindow;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void everyTextIsShownWhole_data();
    void everyTextIsShownWhole();
    void windowIsFixedWithMenuBar();
    void startState();
    void controlsNameThemselves();
    void typingUnderEachEra_data();
    void typingUnderEachEra();
    void everyKeystrokeRecalculates();
    void uselessInputEmptiesTheField_data();
    void uselessInputEmptiesTheField();
    void choosingAnEraAloneChangesNothing();
    void noFifthCharacter();
    void pictureFollowsTheYear();
    void missingPictureShowsNone();
    void figureAndWording_data();
    void figureAndWording();
    void option2EnablesTheDesignatedYear();
    void option1GreysItOut();
    void designatedYearTyping_data();
    void designatedYearTyping();
    void designatedYearEmptied_data();
    void designatedYearEmptied();
    void clickingOption2Again();
    void exchange();
    void exchangeWithUnknownEra();
    void exchangeOfEqualYearsKeepsTheCaret();
    void emptyBirthYearFigures();
    void wordingSwitchRepaintsLittle();
    void optionButtonsShowTheFrame();
};

// What the window shows after a year of birth typed under an era and, where there is one, a
// designated year typed with that button chosen: every control lies in the window, every text
// is whole and drawn in a face that has it, nothing covers anything else.
void TestMainWindow::everyTextIsShownWhole_data() {
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("designated");  // none: this year counts; ↑: in 昭和
    const struct {
        const char *name, *birth, *designated;
        int era;
    } rows[] = {
        {"nothing typed", "", "", 2},
        {"西暦 645, the first era", "645", "", 0},
        {"西暦 1573, the longest period", "1573", "", 0},
        {"昭和 65, past its end", "65", "", 2},
        {"明治 45, the last year", "45", "", 4},
        {"born 9999", "9999", "", 0},
        {"born 1, designated 9999", "1", "9999", 0},
        {"born 1999, designated 1", "1999", "1", 0},
        {"born 2999, a sign and three digits", "2999", "", 0},
        {"born 1999, designated 昭和 64", "1999", "↑64", 0},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.era << QString::fromUtf8(r.birth)
                              << QString::fromUtf8(r.designated);
}

void TestMainWindow::everyTextIsShownWhole() {
    QFETCH(int, era);
    QFETCH(QString, birth);
    QFETCH(QString, designated);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(era);
    QTest::keyClicks(w.birthYearBox, birth);
    if (!designated.isEmpty()) {
        QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
        if (designated.startsWith(u'↑')) QTest::keyClick(w.designatedYearBox, Qt::Key_Up);
        QTest::keyClicks(w.designatedYearBox, designated.remove(u'↑'));
    }
    QCOMPARE(w.birthYearBox->text(), birth);
    QVERIFY(textFits(w.ageFigure, w.ageFigure->text()));
    checkLayout(w->centralWidget(), w.ageFigure);
}

void TestMainWindow::windowIsFixedWithMenuBar() {
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!w->windowIcon().isNull());
    QVERIFY(w->rect().contains(w->centralWidget()->geometry()));
    QVERIFY(!w->menuBar()->geometry().intersects(w->centralWidget()->geometry()));
    // The era-table, age-table and date commands sit on the bar itself; the last entry opens a
    // menu of the help page and the version window. Each entry's text says what it is, no two
    // alike, no two with the same mnemonic; only the help page has a shortcut (F1).
    const auto bar = w->menuBar()->actions();
    QCOMPARE(bar.size(), 4);
    QCOMPARE(bar[0], w.eraTableAction);
    QCOMPARE(bar[1], w.ageTableAction);
    QVERIFY(!bar[0]->menu() && !bar[1]->menu() && !bar[2]->menu());
    QCOMPARE(bar[3]->menu(), w.helpMenu);
    QCOMPARE(w.helpMenu->actions(), (QList<QAction*>{w.helpAction, w.versionAction}));
    for (const QList<QAction*>& entries : {bar, w.helpMenu->actions()}) {
        QSet<QString> texts;
        QSet<QString> mnemonics;  // Alt and a letter of its own for each
        for (QAction* a : entries) {
            QVERIFY(!a->text().isEmpty());
            QCOMPARE(a->shortcut().isEmpty(), a != w.helpAction);
            texts << a->text();
            mnemonics << a->text().section(u'&', 1).left(1).toUpper();
            QVERIFY(!mnemonics.contains(QString()));
        }
        QCOMPARE(texts.size(), entries.size());
        QCOMPARE(mnemonics.size(), entries.size());
    }
    // The era list writes in the fixed face, the year boxes in the proportional one; the
    // frame's controls with no font of their own keep the window's, not the frame's larger one.
    const auto fixedFace = [](const QWidget* c) {
        return c->fontMetrics().horizontalAdvance(u'i') == c->fontMetrics().horizontalAdvance(u'W');
    };
    QVERIFY(fixedFace(w.eraList));
    QVERIFY(!fixedFace(w.birthYearBox));
    QCOMPARE(w.thisYearOption->font(), w->font());
    QCOMPARE(w.exchangeButton->font(), w->font());
    QVERIFY(w.ageFrame->font() != w->font());
}

void TestMainWindow::startState() {
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w.eraList->currentText(), QStringLiteral("昭和"));
    QCOMPARE(w.eraList->count(), 5);
    const QStringList eras = {"西暦", "平成", "昭和", "大正", "明治"};
    for (int i = 0; i < 5; ++i) QCOMPARE(w.eraList->itemText(i), eras[i]);
    QVERIFY(!w.eraList->isEditable());
    QVERIFY(w.birthYearBox->text().isEmpty());
    for (QLabel* l : {w.otherEraLabel, w.otherYearLabel, w.periodLabel, w.nineStarLabel,
                      w.signLabel, w.signReadingLabel, w.ageFigure, w.designatedWesternLabel})
        QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    QVERIFY(!w.designatedYearBox->isEnabled());
    QVERIFY(w.thisYearOption->isChecked());
    QVERIFY(!w.designatedYearOption->isChecked());
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
    QCOMPARE(w.ageFrame->title(), yorvane::qs(yorvane::kAgeWording.title));
    QCOMPARE(w.ageUnit->text(), yorvane::qs(yorvane::kAgeWording.unit));
    // The key-guide picture, and no picture loaded from the folder before anything is typed.
    QVERIFY(!w.signPicture->pixmap().isNull());
    QVERIFY(w.platform->pictures.isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.birthYearBox);
    QCOMPARE(backgroundColour(w.ageFigure), yorvane::colours::kValueBox);
    QCOMPARE(backgroundColour(w.otherYearUnit), kGrey);
    QCOMPARE(backgroundColour(w.designatedYearBox), kGrey);
    QCOMPARE(backgroundColour(w.birthYearBox), kWhite);
}

// A screen reader names each control the user can reach or click, and no two alike; each
// label that shows a result says what the result is.
void TestMainWindow::controlsNameThemselves() {
    Window w(false);
    QList<QWidget*> interactive{w.signPicture};
    for (QWidget* c : w->centralWidget()->findChildren<QWidget*>())
        if (c->focusPolicy() != Qt::NoFocus && c->isVisibleTo(w.form.get())) interactive << c;
    QCOMPARE(interactive.size(), 7);  // the picture, two year boxes, the list, three buttons
    QSet<QString> names;
    for (QWidget* c : interactive) {
        const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(c->objectName()));
        names << name;
    }
    QCOMPARE(names.size(), interactive.size());
    for (QWidget* c : std::initializer_list<QWidget*>{
             w.otherEraLabel, w.otherYearLabel, w.periodLabel, w.nineStarLabel, w.signLabel,
             w.signReadingLabel, w.ageFigure, w.designatedWesternLabel})
        QVERIFY2(!c->accessibleDescription().isEmpty(), qPrintable(c->objectName()));
}

// Typing a number, one key at a time, under an era; what the window shows afterwards. The
// rule's cases are the engine's; these rows are one of each thing the window writes.
void TestMainWindow::typingUnderEachEra_data() {
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("eraAfter");
    QTest::addColumn<QString>("gengo");
    QTest::addColumn<QString>("nen");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("period");
    QTest::newRow("昭和 55") << 2 << "55"
                             << "昭和"
                             << "西暦"
                             << "1980" << false << "";
    QTest::newRow("昭和 65") << 2 << "65"
                             << "昭和"
                             << "平成"
                             << "2" << true << "";
    QTest::newRow("平成 101") << 1 << "101"
                              << "西暦"
                              << ""
                              << "" << false << "";
    QTest::newRow("西暦 645") << 0 << "645"
                              << "西暦"
                              << "大化"
                              << "元" << false << "飛鳥時代";
    QTest::newRow("昭和 1867") << 2 << "1867"
                               << "西暦"
                               << "慶応"
                               << "3" << false << "江戸時代";
}

void TestMainWindow::typingUnderEachEra() {
    QFETCH(int, era);
    QFETCH(QString, keys);
    QFETCH(QString, eraAfter);
    QFETCH(QString, gengo);
    QFETCH(QString, nen);
    QFETCH(bool, red);
    QFETCH(QString, period);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(era);
    QTest::keyClicks(w.birthYearBox, keys);
    QCOMPARE(w.birthYearBox->text(), keys);
    QCOMPARE(w.eraList->currentText(), eraAfter);
    QCOMPARE(w.otherEraLabel->text(), gengo);
    QCOMPARE(w.otherYearLabel->text(), nen);
    QCOMPARE(textColour(w.birthYearBox), red ? kRed : kBlack);
    QCOMPARE(w.periodLabel->text(), period);
}

void TestMainWindow::everyKeystrokeRecalculates() {
    // GIVEN 平成 in the list
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(1);
    struct Step {
        char key;
        const char* era;
        const char* gengo;
        const char* nen;
        int western;
    };
    const Step steps[] = {
        {'1', "平成", "西暦", "1989", 1989},
        {'9', "平成", "西暦", "2007", 2007},
        {'8', "西暦", "", "", 198},  // three digits: a Western year
        {'9', "西暦", "平成", "元", 1989},
    };
    // WHEN 1989 is typed one digit at a time THEN each keystroke shows its year
    for (const auto& s : steps) {
        QTest::keyClick(w.birthYearBox, s.key);
        QCOMPARE(w.eraList->currentText(), QString::fromUtf8(s.era));
        QCOMPARE(w.otherEraLabel->text(), QString::fromUtf8(s.gengo));
        QCOMPARE(w.otherYearLabel->text(), QString::fromUtf8(s.nen));
        QCOMPARE(w.ageFigure->text(), QString::number(2026 - s.western));
    }
    QCOMPARE(w.nineStarLabel->text(), QStringLiteral("二黒土星"));
    // Backspace is a change as well.
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("1828"));
    QCOMPARE(w.otherEraLabel->text(), QString());
}

void TestMainWindow::uselessInputEmptiesTheField_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("era");
    QTest::newRow("0") << "0" << 2;
    QTest::newRow("-3") << "-3" << 2;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("0.4") << "0.4" << 0;
    QTest::newRow("3e9") << "3e9" << 0;
    QTest::newRow("1e10") << "1e10" << 2;
    QTest::newRow("9e99") << "9e99" << 0;
    QTest::newRow("-9e9") << "-9e9" << 0;
    QTest::newRow("blank") << " " << 2;
}

void TestMainWindow::uselessInputEmptiesTheField() {
    QFETCH(QString, keys);
    QFETCH(int, era);
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QCOMPARE(w.nineStarLabel->text(), QStringLiteral("二黒土星"));
    w.eraList->setCurrentIndex(era);
    // The whole text at once (a paste), which reads as a number below 1.
    w.birthYearBox->selectAll();
    w.birthYearBox->insert(keys);
    QVERIFY(w.birthYearBox->text().isEmpty());
    for (QLabel* l :
         {w.nineStarLabel, w.signLabel, w.signReadingLabel, w.ageFigure, w.otherYearLabel})
        QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
    QCOMPARE(w.otherEraLabel->text(), era == 0 ? QString() : QStringLiteral("西暦"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene1.jpg"));
    QVERIFY(!w.signPicture->pixmap().isNull());
    QCOMPARE(textColour(w.birthYearBox), kBlack);
}

void TestMainWindow::choosingAnEraAloneChangesNothing() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    const int loaded = w.platform->pictures.size();
    w.eraList->setCurrentIndex(4);  // 明治, as the mouse chooses it
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1980"));
    QCOMPARE(w.signLabel->text(), QStringLiteral("庚申"));
    QCOMPARE(w.platform->pictures.size(), loaded);
    // The next change counts in the new era.
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("1872"));
}

void TestMainWindow::noFifthCharacter() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("19801"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("1980"));
    // A longer text pasted is cut to four characters.
    w.birthYearBox->selectAll();
    w.birthYearBox->insert(QStringLiteral("123456"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("1234"));
    // The program's own texts stay whole.
    w.designatedYearBox->setText(QStringLiteral("ERROR"));
    QCOMPARE(w.designatedYearBox->text(), QString());  // no number: emptied by its change handling
    w.designatedYearOption->click();
    QTest::keyClicks(w.designatedYearBox, QStringLiteral("20001"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("2000"));
}

void TestMainWindow::pictureFollowsTheYear() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1984"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("ne.jpg"));
    QCOMPARE(w.signReadingLabel->text(), QStringLiteral("きのえ  ね  "));
    QVERIFY(!w.signPicture->pixmap().isNull());
    // Loaded anew at each keystroke.
    const int before = w.platform->pictures.size();
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);
    QCOMPARE(w.platform->pictures.size(), before + 1);
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("tora.jpg"));  // 198 is a 寅 year
}

void TestMainWindow::missingPictureShowsNone() {
    Window w;
    QVERIFY(w.show());
    QVERIFY(QFile::remove(QDir(w.dir.path()).filePath(QStringLiteral("saru.jpg"))));
    QFile broken(QDir(w.dir.path()).filePath(QStringLiteral("scene1.jpg")));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("\xFF\xD8\xFF\xE0 not a whole picture");
    broken.close();
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QVERIFY(w.signPicture->pixmap().isNull());
    // Every step after the picture still ran.
    QCOMPARE(w.signLabel->text(), QStringLiteral("庚申"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("46"));
    w.birthYearBox->clear();
    QVERIFY(w.signPicture->pixmap().isNull());
    QCOMPARE(w.otherYearLabel->text(), QString());
}

void TestMainWindow::figureAndWording_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<bool>("yearsAgo");
    QTest::newRow("1980") << "1980"
                          << "46" << false;
    QTest::newRow("1600") << "1600"
                          << "426" << true;
    QTest::newRow("2030") << "2030"
                          << "-4" << false;
}

void TestMainWindow::figureAndWording() {
    QFETCH(QString, year);
    QFETCH(QString, figure);
    QFETCH(bool, yearsAgo);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, year);
    QCOMPARE(w.ageFigure->text(), figure);
    QCOMPARE(textColour(w.ageFigure), figure.startsWith(u'-') ? kRed : kBlack);
    // Each part of the wording the view chose is shown in its own control.
    const auto showsWording = [&w](const yorvane::Wording& wording) {
        return w.ageFrame->title() == yorvane::qs(wording.title) &&
               w.thisYearOption->text() == yorvane::qs(wording.thisYear) &&
               w.designatedYearOption->text() == yorvane::qs(wording.designatedYear) &&
               w.ageUnit->text() == yorvane::qs(wording.unit);
    };
    QVERIFY(showsWording(yearsAgo ? yorvane::kYearsAgoWording : yorvane::kAgeWording));
    // An empty field goes back to the age wording.
    w.birthYearBox->clear();
    QVERIFY(showsWording(yorvane::kAgeWording));
}

void TestMainWindow::option2EnablesTheDesignatedYear() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("2000"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QVERIFY(w.designatedYearOption->isChecked());
    QVERIFY(w.designatedYearBox->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.designatedYearBox);
    QCOMPARE(w.designatedYearBox->selectedText(), QStringLiteral("1990"));
    QCOMPARE(backgroundColour(w.designatedYearBox), kWhite);
    QCOMPARE(textColour(w.designatedEraCaption), kBlack);
    QCOMPARE(textColour(w.designatedYearUnit), kBlack);
    QCOMPARE(textColour(w.designatedWesternLabel), kBlack);
    // 西暦 1990 designated, born 2000: -10, in red.
    QCOMPARE(w.ageFigure->text(), QStringLiteral("-10"));
    QCOMPARE(textColour(w.ageFigure), kRed);
}

void TestMainWindow::option1GreysItOut() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("2000"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("-10"));
    QTest::mouseClick(w.thisYearOption, Qt::LeftButton);
    QVERIFY(w.thisYearOption->isChecked());
    QVERIFY(!w.designatedYearBox->isEnabled());
    QCOMPARE(backgroundColour(w.designatedYearBox), kGrey);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("26"));
    QCOMPARE(textColour(w.ageFigure), kBlack);
    for (QLabel* l : {w.designatedWesternLabel, w.designatedEraCaption, w.designatedYearUnit}) {
        QVERIFY2(textColour(l) != kBlack, qPrintable(l->objectName()));
        QVERIFY2(textColour(l) != kGrey, qPrintable(l->objectName()));
    }
}

// Typing the designated year under an era of the era label, with designatedYearOption chosen, born
// 1980: one row for each thing the window writes (the rule's cases are the engine's).
void TestMainWindow::designatedYearTyping_data() {
    QTest::addColumn<Qt::Key>(
        "eraKey");  // in designatedYearBox: Up 昭和, Left 大正, Right 平成, Down 明治
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("western");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<bool>("red");
    QTest::newRow("平成 10") << Qt::Key_Right << "10"
                             << "平成"
                             << "1998"
                             << "18" << false;
    QTest::newRow("昭和 65") << Qt::Key_Up << "65"
                             << "昭和"
                             << "1990"
                             << "10" << true;
    QTest::newRow("昭和 101") << Qt::Key_Up << "101"
                              << "西暦"
                              << ""
                              << "-1879" << false;
    QTest::newRow("明治 45") << Qt::Key_Down << "45"
                             << "明治"
                             << "1912"
                             << "-68" << false;
    QTest::newRow("大正 16") << Qt::Key_Left << "16"
                             << "大正"
                             << "1927"
                             << "-53" << true;
}

void TestMainWindow::designatedYearTyping() {
    QFETCH(Qt::Key, eraKey);
    QFETCH(QString, keys);
    QFETCH(QString, era);
    QFETCH(QString, western);
    QFETCH(QString, figure);
    QFETCH(bool, red);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QTest::keyClick(w.designatedYearBox, eraKey);
    QVERIFY(w.designatedYearBox->text().isEmpty());
    QCOMPARE(w.ageFigure->text(), QString());
    QTest::keyClicks(w.designatedYearBox, keys);
    QCOMPARE(w.designatedEraCaption->text(), era);
    QCOMPARE(w.designatedWesternLabel->text(), western);
    QCOMPARE(w.ageFigure->text(), figure);
    QCOMPARE(textColour(w.ageFigure), figure.startsWith(u'-') ? kRed : kBlack);
    QCOMPARE(textColour(w.designatedYearBox), red ? kRed : kBlack);
    // The designated year counts in the next recalculation too.
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);
    QTest::keyClick(w.birthYearBox, '0');
    QCOMPARE(w.ageFigure->text(), figure);
}

void TestMainWindow::designatedYearEmptied_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("eraKey");  // 0: the designated era stays 西暦
    QTest::newRow("0 昭和") << "0" << int(Qt::Key_Up);
    QTest::newRow("abc 西暦") << "abc" << 0;
}

void TestMainWindow::designatedYearEmptied() {
    QFETCH(QString, text);
    QFETCH(int, eraKey);
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    if (eraKey) QTest::keyClick(w.designatedYearBox, Qt::Key(eraKey));
    w.designatedYearBox->setText(text);
    QVERIFY(w.designatedYearBox->text().isEmpty());
    QCOMPARE(w.designatedWesternLabel->text(), QString());
    // No designated year, no figure: not the era offset taken for a year.
    QCOMPARE(w.ageFigure->text(), QString());
    QTest::keyClick(w.birthYearBox, Qt::Key_Backspace);
    QCOMPARE(w.ageFigure->text(), QString());
    QTest::mouseClick(w.thisYearOption, Qt::LeftButton);
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QString());
}

void TestMainWindow::clickingOption2Again() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("1980"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("10"));
    // A click is a click: the figure and the focus come back.
    w.designatedYearBox->setText(QStringLiteral("2000"));
    w.ageFigure->setText(QStringLiteral("x"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("20"));
    QCOMPARE(QApplication::focusWidget(), w.designatedYearBox);
}

void TestMainWindow::exchange() {
    // GIVEN 昭和 55 born and 西暦 1990 designated, designatedYearOption chosen
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("55"));
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    // WHEN the two are exchanged
    QTest::mouseClick(w.exchangeButton, Qt::LeftButton);
    // THEN 1990 is the year of birth and 昭和 55 the designated year
    QCOMPARE(w.eraList->currentText(), QStringLiteral("西暦"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("1990"));
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("昭和"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("55"));
    QCOMPARE(w.designatedWesternLabel->text(), QStringLiteral("1980"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("-10"));
    QCOMPARE(textColour(w.ageFigure), kRed);
    QCOMPARE(w.otherEraLabel->text(), QStringLiteral("平成"));
    QCOMPARE(w.otherYearLabel->text(), QStringLiteral("2"));
    // Exchanged back, all is as before.
    QTest::mouseClick(w.exchangeButton, Qt::LeftButton);
    QCOMPARE(w.eraList->currentText(), QStringLiteral("昭和"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("55"));
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("西暦"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("1990"));
    QCOMPARE(w.ageFigure->text(), QStringLiteral("10"));
}

void TestMainWindow::exchangeWithUnknownEra() {
    // GIVEN a stored era caption that names no era
    Window w(false);
    QFile ini(w.settingsFile());
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[SET]\r\nSHITEI=55\r\nGENGO=ERROR\r\n");
    ini.close();
    w->loadSettings();
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("ERROR"));
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(3);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("10"));
    w.exchangeButton->click();
    // The list cannot select ERROR: it keeps 大正, and the rest of the exchange goes on.
    QCOMPARE(w.eraList->currentText(), QStringLiteral("大正"));
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("55"));
    QCOMPARE(textColour(w.birthYearBox), kRed);  // 大正 55 is past the era's end
    QCOMPARE(w.designatedEraCaption->text(), QStringLiteral("大正"));
    QCOMPARE(w.designatedYearBox->text(), QStringLiteral("10"));
    QCOMPARE(w.designatedWesternLabel->text(), QStringLiteral("1921"));
}

void TestMainWindow::exchangeOfEqualYearsKeepsTheCaret() {
    Window w;
    QVERIFY(w.show());
    w.eraList->setCurrentIndex(0);
    QTest::keyClicks(w.birthYearBox, QStringLiteral("6"));
    w.designatedYearBox->setText(QStringLiteral("6"));
    w.birthYearBox->setCursorPosition(0);
    QTest::keyClick(w.birthYearBox, Qt::Key_Insert);
    QCOMPARE(w.birthYearBox->text(), QStringLiteral("6"));
    QCOMPARE(w.birthYearBox->cursorPosition(), 0);
}

void TestMainWindow::emptyBirthYearFigures() {
    Window w;
    QVERIFY(w.show());
    // With no year of birth, thisYearOption shows this year itself and designatedYearOption the
    // designated year.
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("1990"));
    QTest::mouseClick(w.thisYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("2026"));
}

namespace {
// Counts the paint events of the controls it watches.
struct PaintCounter : QObject {
    QMap<const QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints[watched];
        return false;
    }
};
}  // namespace

void TestMainWindow::wordingSwitchRepaintsLittle() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("198"));
    QCOMPARE(w.ageFrame->title(), yorvane::qs(yorvane::kYearsAgoWording.title));
    QCoreApplication::processEvents();
    PaintCounter counter;
    const QList<QWidget*> changed{w.ageFrame, w.thisYearOption, w.ageUnit, w.ageFigure};
    const QList<QWidget*> unchanged{w.designatedYearBox, w.designatedWesternLabel,
                                    w.designatedEraCaption, w.designatedYearUnit};
    const QList<QWidget*> watched = changed + unchanged;
    for (QWidget* c : watched) c->installEventFilter(&counter);
    // WHEN a fourth digit makes the year an age
    QTest::keyClick(w.birthYearBox, '0');
    QCoreApplication::processEvents();
    // THEN what changed is repainted, and the designated year in the same box is not
    QCOMPARE(w.ageFrame->title(), yorvane::qs(yorvane::kAgeWording.title));
    for (QWidget* c : changed) QVERIFY2(counter.paints.value(c) > 0, qPrintable(w.roleOf(c)));
    for (QWidget* c : unchanged) QVERIFY2(counter.paints.value(c) == 0, qPrintable(w.roleOf(c)));
}

void TestMainWindow::optionButtonsShowTheFrame() {
    Window w;
    QVERIFY(w.show());
    const QImage frame = w.ageFrame->grab().toImage();
    // Beside the button's caption, inside the button, and left of it, on the frame alone.
    const QPoint inButton = w.designatedYearOption->geometry().topRight() + QPoint(-4, 3);
    const QPoint onFrame(w.designatedYearOption->x() - 8, inButton.y());
    QVERIFY(w.designatedYearOption->geometry().contains(inButton));
    QCOMPARE(frame.pixelColor(inButton), frame.pixelColor(onFrame));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
