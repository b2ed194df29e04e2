// The main window driven as a user drives it: key events into the year boxes, clicks on the
// option buttons and the exchange button; the labels, colours and the era list read back.

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include "formfixture.h"

using yorvane::MainWindow;

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamedAndPlaced_data();
    void everyControlIsNamedAndPlaced();
    void windowIsFixedWithMenuBar();
    void fontsAreTheJapaneseFaces();
    void startState();
    void tabOrder();
    void accessibleNames();
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

void TestForm1::everyControlIsNamedAndPlaced_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    struct Row {
        const char* n;
        int l, t, w, h;
    };
    const Row rows[] = {
        {"cboGengo", 360, 240, 1005, 375},    {"Frame1", 360, 1560, 2655, 2535},
        {"ComExch", 2000, 240, 600, 350},     {"textShitei", 960, 1200, 975, 405},
        {"Option2", 240, 840, 1815, 315},     {"Option1", 240, 360, 1935, 345},
        {"lblSeireki", 1140, 1670, 735, 195}, {"Label11", 2040, 2040, 495, 375},
        {"lblnenrei", 960, 1920, 975, 375},   {"Label13", 2040, 1320, 495, 375},
        {"Label12", 360, 1320, 615, 375},     {"textNen", 1440, 240, 975, 375},
        {"lblJidai", 360, 750, 1200, 190},    {"Label3", 2520, 1050, 495, 375},
        {"lblNen", 1440, 960, 975, 375},      {"lblGengo", 120, 1020, 1215, 375},
        {"Image1", 3480, 1680, 2400, 2400},   {"lblkana", 3840, 720, 1695, 255},
        {"Label8", 3360, 1080, 375, 255},     {"Label7", 3360, 360, 375, 255},
        {"lbleto", 3840, 960, 1695, 375},     {"lbl9sei", 3840, 240, 1695, 375},
        {"Label4", 2520, 350, 495, 375},
    };
    for (const auto& r : rows)
        QTest::newRow(r.n) << QString::fromLatin1(r.n) << QRect(r.l, r.t, r.w, r.h);
}

void TestForm1::everyControlIsNamedAndPlaced() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Window w(false);
    auto* c = w->findChild<QWidget*>(name);
    QVERIFY(c);
    // 15 twips to a pixel, to the nearest pixel.
    QVERIFY2(std::abs(c->x() * 15 - twips.x()) <= 7, qPrintable(QString::number(c->x())));
    QVERIFY2(std::abs(c->y() * 15 - twips.y()) <= 7, qPrintable(QString::number(c->y())));
    QVERIFY2(std::abs(c->width() * 15 - twips.width()) <= 7,
             qPrintable(QString::number(c->width())));
    QVERIFY2(std::abs(c->height() * 15 - twips.height()) <= 7,
             qPrintable(QString::number(c->height())));
    // The controls of the age box sit inside the frame.
    const bool inFrame = twips.x() <= 2040 &&
                         QStringList{"ComExch", "textShitei", "Option2", "Option1", "lblSeireki",
                                     "Label11", "lblnenrei",  "Label13", "Label12"}
                             .contains(name);
    QCOMPARE(c->parentWidget() == w.Frame1, inFrame);
}

void TestForm1::windowIsFixedWithMenuBar() {
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w->windowTitle(), QStringLiteral("ヨルヴァネ  "));
    QCOMPARE(w->centralWidget()->size(), QSize(416, 292));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!w->windowIcon().isNull());
    // 元号表 and 早見表 are commands on the bar itself; ヘルプ opens a menu of two.
    const auto actions = w->menuBar()->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0]->text(), QStringLiteral("元号表"));
    QVERIFY(!actions[0]->menu());
    QCOMPARE(actions[1]->text(), QStringLiteral("早見表"));
    QVERIFY(!actions[1]->menu());
    QCOMPARE(actions[2]->text(), QStringLiteral("ヘルプ"));
    QVERIFY(actions[2]->menu());
    QCOMPARE(w.mnuH->actions().size(), 2);
    QCOMPARE(w.mnuHelp->text(), QStringLiteral("ヘルプ"));
    QCOMPARE(w.mnuVer->text(), QStringLiteral("バージョン情報"));
    for (QAction* a : {w.mnuGengo, w.mnuHayami, w.mnuHelp, w.mnuVer})
        QVERIFY(a->shortcut().isEmpty());
}

void TestForm1::fontsAreTheJapaneseFaces() {
    Window w(false);
    QCOMPARE(QFontInfo(w.textNen->font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(w.cboGengo->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(w.lblGengo->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(w.textNen->font().pointSizeF(), 15.75);
    QCOMPARE(w.lblnenrei->font().pointSizeF(), 20.25);
    QCOMPARE(w.lbl9sei->font().pointSizeF(), 18.0);
    QCOMPARE(w.lblJidai->font().pointSizeF(), 8.25);
    QCOMPARE(w.Frame1->font().pointSizeF(), 11.25);
    // Controls of the frame with no font of their own do not take the frame's.
    QCOMPARE(w.Option1->font(), w->font());
    QCOMPARE(w.ComExch->font(), w->font());
}

void TestForm1::startState() {
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w.cboGengo->currentText(), QStringLiteral("昭和"));
    QCOMPARE(w.cboGengo->count(), 5);
    const QStringList eras = {"西暦", "平成", "昭和", "大正", "明治"};
    for (int i = 0; i < 5; ++i) QCOMPARE(w.cboGengo->itemText(i), eras[i]);
    QVERIFY(!w.cboGengo->isEditable());
    QVERIFY(w.textNen->text().isEmpty());
    for (QLabel* l : {w.lblGengo, w.lblNen, w.lblJidai, w.lbl9sei, w.lbleto, w.lblkana, w.lblnenrei,
                      w.lblSeireki})
        QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
    QCOMPARE(w.textShitei->text(), QStringLiteral("1990"));
    QVERIFY(!w.textShitei->isEnabled());
    QVERIFY(w.Option1->isChecked());
    QVERIFY(!w.Option2->isChecked());
    QCOMPARE(w.Label12->text(), QStringLiteral("西暦"));
    QCOMPARE(w.Frame1->title(), QStringLiteral("何歳？"));
    QCOMPARE(w.Label11->text(), QStringLiteral("歳"));
    // The key-guide picture, and no picture loaded from the folder before anything is typed.
    QVERIFY(!w.Image1->pixmap().isNull());
    QVERIFY(w.platform->pictures.isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.textNen);
    QCOMPARE(backgroundColour(w.lblnenrei), yorvane::colours::kValueBox);
    QCOMPARE(backgroundColour(w.Label3), kGrey);
    QCOMPARE(backgroundColour(w.textShitei), kGrey);
    QCOMPARE(backgroundColour(w.textNen), kWhite);
}

void TestForm1::tabOrder() {
    Window w;
    QVERIFY(w.show());
    w.textNen->setFocus();
    QList<QWidget*> seen;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget();
    }
    // textShitei is disabled while Option1 is chosen; Option2 is not a Tab stop then.
    QCOMPARE(seen, (QList<QWidget*>{w.Option1, w.cboGengo, w.ComExch, w.textNen}));
}

void TestForm1::accessibleNames() {
    Window w(false);
    QCOMPARE(w.textNen->accessibleName(), QStringLiteral("生まれ年"));
    QCOMPARE(w.textShitei->accessibleName(), QStringLiteral("指定年"));
    QCOMPARE(w.cboGengo->accessibleName(), QStringLiteral("元号"));
    QCOMPARE(w.ComExch->accessibleName(), QStringLiteral("交換"));
    QVERIFY(!w.Image1->accessibleName().isEmpty());
    for (QWidget* c :
         std::initializer_list<QWidget*>{w.lblGengo, w.lblNen, w.lblJidai, w.lbl9sei, w.lbleto,
                                         w.lblkana, w.lblnenrei, w.lblSeireki})
        QVERIFY2(!c->accessibleDescription().isEmpty(), qPrintable(c->objectName()));
}

// Typing a number, one key at a time, under an era; what the window shows afterwards. The
// rule's cases are the engine's; these rows are one of each thing the window writes.
void TestForm1::typingUnderEachEra_data() {
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

void TestForm1::typingUnderEachEra() {
    QFETCH(int, era);
    QFETCH(QString, keys);
    QFETCH(QString, eraAfter);
    QFETCH(QString, gengo);
    QFETCH(QString, nen);
    QFETCH(bool, red);
    QFETCH(QString, period);
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(era);
    QTest::keyClicks(w.textNen, keys);
    QCOMPARE(w.textNen->text(), keys);
    QCOMPARE(w.cboGengo->currentText(), eraAfter);
    QCOMPARE(w.lblGengo->text(), gengo);
    QCOMPARE(w.lblNen->text(), nen);
    QCOMPARE(textColour(w.textNen), red ? kRed : kBlack);
    QCOMPARE(w.lblJidai->text(), period);
}

void TestForm1::everyKeystrokeRecalculates() {
    // GIVEN 平成 in the list
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(1);
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
        QTest::keyClick(w.textNen, s.key);
        QCOMPARE(w.cboGengo->currentText(), QString::fromUtf8(s.era));
        QCOMPARE(w.lblGengo->text(), QString::fromUtf8(s.gengo));
        QCOMPARE(w.lblNen->text(), QString::fromUtf8(s.nen));
        QCOMPARE(w.lblnenrei->text(), QString::number(2026 - s.western));
    }
    QCOMPARE(w.lbl9sei->text(), QStringLiteral("二黒土星"));
    // Backspace is a change as well.
    QTest::keyClick(w.textNen, Qt::Key_Backspace);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("1828"));
    QCOMPARE(w.lblGengo->text(), QString());
}

void TestForm1::uselessInputEmptiesTheField_data() {
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

void TestForm1::uselessInputEmptiesTheField() {
    QFETCH(QString, keys);
    QFETCH(int, era);
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.textNen, QStringLiteral("1980"));
    QCOMPARE(w.lbl9sei->text(), QStringLiteral("二黒土星"));
    w.cboGengo->setCurrentIndex(era);
    // The whole text at once (a paste), which reads as a number below 1.
    w.textNen->selectAll();
    w.textNen->insert(keys);
    QVERIFY(w.textNen->text().isEmpty());
    for (QLabel* l : {w.lbl9sei, w.lbleto, w.lblkana, w.lblnenrei, w.lblNen})
        QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
    QCOMPARE(w.lblGengo->text(), era == 0 ? QString() : QStringLiteral("西暦"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("scene1.jpg"));
    QVERIFY(!w.Image1->pixmap().isNull());
    QCOMPARE(textColour(w.textNen), kBlack);
}

void TestForm1::choosingAnEraAloneChangesNothing() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.textNen, QStringLiteral("55"));
    QCOMPARE(w.lblNen->text(), QStringLiteral("1980"));
    const int loaded = w.platform->pictures.size();
    w.cboGengo->setCurrentIndex(4);  // 明治, as the mouse chooses it
    QCOMPARE(w.lblNen->text(), QStringLiteral("1980"));
    QCOMPARE(w.lbleto->text(), QStringLiteral("庚申"));
    QCOMPARE(w.platform->pictures.size(), loaded);
    // The next change counts in the new era.
    QTest::keyClick(w.textNen, Qt::Key_Backspace);
    QCOMPARE(w.lblNen->text(), QStringLiteral("1872"));
}

void TestForm1::noFifthCharacter() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("19801"));
    QCOMPARE(w.textNen->text(), QStringLiteral("1980"));
    // A longer text pasted is cut to four characters.
    w.textNen->selectAll();
    w.textNen->insert(QStringLiteral("123456"));
    QCOMPARE(w.textNen->text(), QStringLiteral("1234"));
    // The program's own texts stay whole.
    w.textShitei->setText(QStringLiteral("ERROR"));
    QCOMPARE(w.textShitei->text(), QString());  // no number: emptied by its change handling
    w.Option2->click();
    QTest::keyClicks(w.textShitei, QStringLiteral("20001"));
    QCOMPARE(w.textShitei->text(), QStringLiteral("2000"));
}

void TestForm1::pictureFollowsTheYear() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("1984"));
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("ne.jpg"));
    QCOMPARE(w.lblkana->text(), QStringLiteral("きのえ  ね  "));
    QVERIFY(!w.Image1->pixmap().isNull());
    // Loaded anew at each keystroke.
    const int before = w.platform->pictures.size();
    QTest::keyClick(w.textNen, Qt::Key_Backspace);
    QCOMPARE(w.platform->pictures.size(), before + 1);
    QCOMPARE(w.platform->lastPicture(), QStringLiteral("tora.jpg"));  // 198 is a 寅 year
}

void TestForm1::missingPictureShowsNone() {
    Window w;
    QVERIFY(w.show());
    QVERIFY(QFile::remove(QDir(w.dir.path()).filePath(QStringLiteral("saru.jpg"))));
    QFile broken(QDir(w.dir.path()).filePath(QStringLiteral("scene1.jpg")));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("\xFF\xD8\xFF\xE0 not a whole picture");
    broken.close();
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("1980"));
    QVERIFY(w.Image1->pixmap().isNull());
    // Every step after the picture still ran.
    QCOMPARE(w.lbleto->text(), QStringLiteral("庚申"));
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("46"));
    w.textNen->clear();
    QVERIFY(w.Image1->pixmap().isNull());
    QCOMPARE(w.lblNen->text(), QString());
}

void TestForm1::figureAndWording_data() {
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

void TestForm1::figureAndWording() {
    QFETCH(QString, year);
    QFETCH(QString, figure);
    QFETCH(bool, yearsAgo);
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, year);
    QCOMPARE(w.lblnenrei->text(), figure);
    QCOMPARE(textColour(w.lblnenrei), figure.startsWith(u'-') ? kRed : kBlack);
    QCOMPARE(w.Frame1->title(), yearsAgo ? QStringLiteral("何年前？") : QStringLiteral("何歳？"));
    QCOMPARE(w.Option1->text(),
             yearsAgo ? QStringLiteral("今年の") : QStringLiteral("今年の誕生日で"));
    QCOMPARE(w.Option2->text(),
             yearsAgo ? QStringLiteral("下記の年の") : QStringLiteral("下記の年では"));
    QCOMPARE(w.Label11->text(), yearsAgo ? QStringLiteral("年前") : QStringLiteral("歳"));
    // An empty field goes back to the age wording.
    w.textNen->clear();
    QCOMPARE(w.Label11->text(), QStringLiteral("歳"));
}

void TestForm1::option2EnablesTheDesignatedYear() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("2000"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QVERIFY(w.Option2->isChecked());
    QVERIFY(w.textShitei->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.textShitei);
    QCOMPARE(w.textShitei->selectedText(), QStringLiteral("1990"));
    QCOMPARE(backgroundColour(w.textShitei), kWhite);
    QCOMPARE(textColour(w.Label12), kBlack);
    QCOMPARE(textColour(w.Label13), kBlack);
    QCOMPARE(textColour(w.lblSeireki), kBlack);
    // 西暦 1990 designated, born 2000: -10, in red.
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("-10"));
    QCOMPARE(textColour(w.lblnenrei), kRed);
}

void TestForm1::option1GreysItOut() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("2000"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("-10"));
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    QVERIFY(w.Option1->isChecked());
    QVERIFY(!w.textShitei->isEnabled());
    QCOMPARE(backgroundColour(w.textShitei), kGrey);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("26"));
    QCOMPARE(textColour(w.lblnenrei), kBlack);
    for (QLabel* l : {w.lblSeireki, w.Label12, w.Label13}) {
        QVERIFY2(textColour(l) != kBlack, qPrintable(l->objectName()));
        QVERIFY2(textColour(l) != kGrey, qPrintable(l->objectName()));
    }
}

// Typing the designated year under an era of the era label, with Option2 chosen, born 1980:
// one row for each thing the window writes (the rule's cases are the engine's).
void TestForm1::designatedYearTyping_data() {
    QTest::addColumn<Qt::Key>(
        "eraKey");  // in textShitei: Up 昭和, Left 大正, Right 平成, Down 明治
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

void TestForm1::designatedYearTyping() {
    QFETCH(Qt::Key, eraKey);
    QFETCH(QString, keys);
    QFETCH(QString, era);
    QFETCH(QString, western);
    QFETCH(QString, figure);
    QFETCH(bool, red);
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("1980"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QTest::keyClick(w.textShitei, eraKey);
    QVERIFY(w.textShitei->text().isEmpty());
    QCOMPARE(w.lblnenrei->text(), QString());
    QTest::keyClicks(w.textShitei, keys);
    QCOMPARE(w.Label12->text(), era);
    QCOMPARE(w.lblSeireki->text(), western);
    QCOMPARE(w.lblnenrei->text(), figure);
    QCOMPARE(textColour(w.lblnenrei), figure.startsWith(u'-') ? kRed : kBlack);
    QCOMPARE(textColour(w.textShitei), red ? kRed : kBlack);
    // The designated year counts in the next recalculation too.
    QTest::keyClick(w.textNen, Qt::Key_Backspace);
    QTest::keyClick(w.textNen, '0');
    QCOMPARE(w.lblnenrei->text(), figure);
}

void TestForm1::designatedYearEmptied_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("eraKey");  // 0: the designated era stays 西暦
    QTest::newRow("0 昭和") << "0" << int(Qt::Key_Up);
    QTest::newRow("abc 西暦") << "abc" << 0;
}

void TestForm1::designatedYearEmptied() {
    QFETCH(QString, text);
    QFETCH(int, eraKey);
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("1980"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    if (eraKey) QTest::keyClick(w.textShitei, Qt::Key(eraKey));
    w.textShitei->setText(text);
    QVERIFY(w.textShitei->text().isEmpty());
    QCOMPARE(w.lblSeireki->text(), QString());
    // No designated year, no figure: not the era offset taken for a year.
    QCOMPARE(w.lblnenrei->text(), QString());
    QTest::keyClick(w.textNen, Qt::Key_Backspace);
    QCOMPARE(w.lblnenrei->text(), QString());
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QString());
}

void TestForm1::clickingOption2Again() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("1980"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("10"));
    // A click is a click: the figure and the focus come back.
    w.textShitei->setText(QStringLiteral("2000"));
    w.lblnenrei->setText(QStringLiteral("x"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("20"));
    QCOMPARE(QApplication::focusWidget(), w.textShitei);
}

void TestForm1::exchange() {
    // GIVEN 昭和 55 born and 西暦 1990 designated, Option2 chosen
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.textNen, QStringLiteral("55"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    // WHEN the two are exchanged
    QTest::mouseClick(w.ComExch, Qt::LeftButton);
    // THEN 1990 is the year of birth and 昭和 55 the designated year
    QCOMPARE(w.cboGengo->currentText(), QStringLiteral("西暦"));
    QCOMPARE(w.textNen->text(), QStringLiteral("1990"));
    QCOMPARE(w.Label12->text(), QStringLiteral("昭和"));
    QCOMPARE(w.textShitei->text(), QStringLiteral("55"));
    QCOMPARE(w.lblSeireki->text(), QStringLiteral("1980"));
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("-10"));
    QCOMPARE(textColour(w.lblnenrei), kRed);
    QCOMPARE(w.lblGengo->text(), QStringLiteral("平成"));
    QCOMPARE(w.lblNen->text(), QStringLiteral("2"));
    // Exchanged back, all is as before.
    QTest::mouseClick(w.ComExch, Qt::LeftButton);
    QCOMPARE(w.cboGengo->currentText(), QStringLiteral("昭和"));
    QCOMPARE(w.textNen->text(), QStringLiteral("55"));
    QCOMPARE(w.Label12->text(), QStringLiteral("西暦"));
    QCOMPARE(w.textShitei->text(), QStringLiteral("1990"));
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("10"));
}

void TestForm1::exchangeWithUnknownEra() {
    // GIVEN a stored era caption that names no era
    Window w(false);
    QFile ini(w.settingsFile());
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[SET]\r\nSHITEI=55\r\nGENGO=ERROR\r\n");
    ini.close();
    w->loadSettings();
    QCOMPARE(w.Label12->text(), QStringLiteral("ERROR"));
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(3);
    QTest::keyClicks(w.textNen, QStringLiteral("10"));
    w.ComExch->click();
    // The list cannot select ERROR: it keeps 大正, and the rest of the exchange goes on.
    QCOMPARE(w.cboGengo->currentText(), QStringLiteral("大正"));
    QCOMPARE(w.textNen->text(), QStringLiteral("55"));
    QCOMPARE(textColour(w.textNen), kRed);  // 大正 55 is past the era's end
    QCOMPARE(w.Label12->text(), QStringLiteral("大正"));
    QCOMPARE(w.textShitei->text(), QStringLiteral("10"));
    QCOMPARE(w.lblSeireki->text(), QStringLiteral("1921"));
}

void TestForm1::exchangeOfEqualYearsKeepsTheCaret() {
    Window w;
    QVERIFY(w.show());
    w.cboGengo->setCurrentIndex(0);
    QTest::keyClicks(w.textNen, QStringLiteral("6"));
    w.textShitei->setText(QStringLiteral("6"));
    w.textNen->setCursorPosition(0);
    QTest::keyClick(w.textNen, Qt::Key_Insert);
    QCOMPARE(w.textNen->text(), QStringLiteral("6"));
    QCOMPARE(w.textNen->cursorPosition(), 0);
}

void TestForm1::emptyBirthYearFigures() {
    Window w;
    QVERIFY(w.show());
    // With no year of birth, Option1 shows this year itself and Option2 the designated year.
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("1990"));
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    QCOMPARE(w.lblnenrei->text(), QStringLiteral("2026"));
}

namespace {
// Counts the paint events of the controls it watches.
struct PaintCounter : QObject {
    QMap<QString, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints[watched->objectName()];
        return false;
    }
};
}  // namespace

void TestForm1::wordingSwitchRepaintsLittle() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.textNen, QStringLiteral("198"));
    QCOMPARE(w.Frame1->title(), QStringLiteral("何年前？"));
    QCoreApplication::processEvents();
    PaintCounter counter;
    QList<QWidget*> watched{w.Frame1,     w.Option1,    w.Label11, w.lblnenrei,
                            w.textShitei, w.lblSeireki, w.Label12, w.Label13};
    for (QWidget* c : watched) c->installEventFilter(&counter);
    // WHEN a fourth digit makes the year an age
    QTest::keyClick(w.textNen, '0');
    QCoreApplication::processEvents();
    // THEN what changed is repainted, and the designated year in the same box is not
    QCOMPARE(w.Frame1->title(), QStringLiteral("何歳？"));
    for (const char* changed : {"Frame1", "Option1", "Label11", "lblnenrei"})
        QVERIFY2(counter.paints.value(QLatin1String(changed)) > 0, changed);
    for (const char* unchanged : {"textShitei", "lblSeireki", "Label12", "Label13"})
        QVERIFY2(counter.paints.value(QLatin1String(unchanged)) == 0, unchanged);
}

void TestForm1::optionButtonsShowTheFrame() {
    Window w;
    QVERIFY(w.show());
    const QImage frame = w.Frame1->grab().toImage();
    // Beside the button's caption, inside the button, and left of it, on the frame alone.
    const QPoint inButton = w.Option2->geometry().topRight() + QPoint(-4, 3);
    const QPoint onFrame(w.Option2->x() - 8, inButton.y());
    QVERIFY(w.Option2->geometry().contains(inButton));
    QCOMPARE(frame.pixelColor(inButton), frame.pixelColor(onFrame));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
