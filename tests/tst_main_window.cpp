// The main window driven as a user drives it: key events into the year boxes, clicks on the
// option buttons and the exchange button; the labels, colours and the era list read back.

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include "formfixture.h"

using yorvane::MainWindow;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamedAndPlaced_data();
    void everyControlIsNamedAndPlaced();
    void windowIsFixedWithMenuBar();
    void fontsAreTheJapaneseFaces();
    void startState();
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

void TestMainWindow::everyControlIsNamedAndPlaced_data() {
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

void TestMainWindow::everyControlIsNamedAndPlaced() {
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
    QCOMPARE(c->parentWidget() == w.ageFrame, inFrame);
}

void TestMainWindow::windowIsFixedWithMenuBar() {
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
    QCOMPARE(actions.size(), 4);
    QVERIFY(actions[0]->text().startsWith(QStringLiteral("元号表")));
    QVERIFY(!actions[0]->menu());
    QVERIFY(actions[1]->text().startsWith(QStringLiteral("早見表")));
    QVERIFY(!actions[1]->menu());
    QVERIFY(actions[2]->text().startsWith(QStringLiteral("日付")));
    QVERIFY(!actions[2]->menu());
    QVERIFY(actions[3]->text().startsWith(QStringLiteral("ヘルプ")));
    QVERIFY(actions[3]->menu());
    QCOMPARE(w.helpMenu->actions().size(), 2);
    QVERIFY(w.helpAction->text().startsWith(QStringLiteral("ヘルプ")));
    QVERIFY(w.versionAction->text().startsWith(QStringLiteral("バージョン情報")));
}

void TestMainWindow::fontsAreTheJapaneseFaces() {
    Window w(false);
    QCOMPARE(QFontInfo(w.birthYearBox->font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(w.eraList->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(w.otherEraLabel->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(w.birthYearBox->font().pointSizeF(), 15.75);
    QCOMPARE(w.ageFigure->font().pointSizeF(), 20.25);
    QCOMPARE(w.nineStarLabel->font().pointSizeF(), 18.0);
    QCOMPARE(w.periodLabel->font().pointSizeF(), 8.25);
    QCOMPARE(w.ageFrame->font().pointSizeF(), 11.25);
    // Controls of the frame with no font of their own do not take the frame's.
    QCOMPARE(w.thisYearOption->font(), w->font());
    QCOMPARE(w.exchangeButton->font(), w->font());
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
    QCOMPARE(w.ageFrame->title(), QStringLiteral("何歳？"));
    QCOMPARE(w.ageUnit->text(), QStringLiteral("歳"));
    // The key-guide picture, and no picture loaded from the folder before anything is typed.
    QVERIFY(!w.signPicture->pixmap().isNull());
    QVERIFY(w.platform->pictures.isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.birthYearBox);
    QCOMPARE(backgroundColour(w.ageFigure), yorvane::colours::kValueBox);
    QCOMPARE(backgroundColour(w.otherYearUnit), kGrey);
    QCOMPARE(backgroundColour(w.designatedYearBox), kGrey);
    QCOMPARE(backgroundColour(w.birthYearBox), kWhite);
}

void TestMainWindow::accessibleNames() {
    Window w(false);
    QCOMPARE(w.birthYearBox->accessibleName(), QStringLiteral("生まれ年"));
    QCOMPARE(w.designatedYearBox->accessibleName(), QStringLiteral("指定年"));
    QCOMPARE(w.eraList->accessibleName(), QStringLiteral("元号"));
    QCOMPARE(w.exchangeButton->accessibleName(), QStringLiteral("交換"));
    QVERIFY(!w.signPicture->accessibleName().isEmpty());
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
    QCOMPARE(w.ageFrame->title(), yearsAgo ? QStringLiteral("何年前？") : QStringLiteral("何歳？"));
    QCOMPARE(w.thisYearOption->text(),
             yearsAgo ? QStringLiteral("今年の") : QStringLiteral("今年の誕生日で"));
    QCOMPARE(w.designatedYearOption->text(),
             yearsAgo ? QStringLiteral("下記の年の") : QStringLiteral("下記の年では"));
    QCOMPARE(w.ageUnit->text(), yearsAgo ? QStringLiteral("年前") : QStringLiteral("歳"));
    // An empty field goes back to the age wording.
    w.birthYearBox->clear();
    QCOMPARE(w.ageUnit->text(), QStringLiteral("歳"));
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

// Typing the designated year under an era of the era label, with Option2 chosen, born 1980:
// one row for each thing the window writes (the rule's cases are the engine's).
void TestMainWindow::designatedYearTyping_data() {
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
    // GIVEN 昭和 55 born and 西暦 1990 designated, Option2 chosen
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
    // With no year of birth, Option1 shows this year itself and Option2 the designated year.
    QTest::mouseClick(w.designatedYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("1990"));
    QTest::mouseClick(w.thisYearOption, Qt::LeftButton);
    QCOMPARE(w.ageFigure->text(), QStringLiteral("2026"));
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

void TestMainWindow::wordingSwitchRepaintsLittle() {
    Window w;
    QVERIFY(w.show());
    QTest::keyClicks(w.birthYearBox, QStringLiteral("198"));
    QCOMPARE(w.ageFrame->title(), QStringLiteral("何年前？"));
    QCoreApplication::processEvents();
    PaintCounter counter;
    QList<QWidget*> watched{w.ageFrame,
                            w.thisYearOption,
                            w.ageUnit,
                            w.ageFigure,
                            w.designatedYearBox,
                            w.designatedWesternLabel,
                            w.designatedEraCaption,
                            w.designatedYearUnit};
    for (QWidget* c : watched) c->installEventFilter(&counter);
    // WHEN a fourth digit makes the year an age
    QTest::keyClick(w.birthYearBox, '0');
    QCoreApplication::processEvents();
    // THEN what changed is repainted, and the designated year in the same box is not
    QCOMPARE(w.ageFrame->title(), QStringLiteral("何歳？"));
    for (const char* changed : {"Frame1", "Option1", "Label11", "lblnenrei"})
        QVERIFY2(counter.paints.value(QLatin1String(changed)) > 0, changed);
    for (const char* unchanged : {"textShitei", "lblSeireki", "Label12", "Label13"})
        QVERIFY2(counter.paints.value(QLatin1String(unchanged)) == 0, unchanged);
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
