#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <utility>

#include "accessible_list.h"
#include "agetable_window.h"
#include "colours.h"
#include "control_colours.h"
#include "date_window.h"
#include "main_window.h"
#include "picture_box.h"
#include "platform.h"
#include "u16text.h"
#include "units.h"
#include "year_box.h"
#include "yorvane/view.h"

// The pictures built into the program live in this static library: make sure they are linked.
static void initResources() {
    static const bool once = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)once;
}

namespace yorvane {

using namespace colours;

namespace {

// The arrow keys choose the era of the number about to be typed.
constexpr std::array<std::pair<Qt::Key, Era>, 4> kArrowEras{{
    {Qt::Key_Down, Era::Meiji},
    {Qt::Key_Left, Era::Taisho},
    {Qt::Key_Up, Era::Showa},
    {Qt::Key_Right, Era::Heisei},
}};

// The font of the controls that have none of their own.
QFont windowFont() { return pGothic(9); }

// Names a control, places it and gives it its font.
template <class Control>
Control* placed(Control* c, const char* name, QRect geometry, const QFont& font) {
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(geometry);
    c->setFont(font);
    return c;
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const QString& text,
                  const QFont& font, Qt::Alignment align = Qt::AlignLeft,
                  const QColor& background = kWindowGrey) {
    auto* l = placed(new QLabel(text, parent), name, geometry, font);
    l->setAlignment(align | Qt::AlignVCenter);
    // A label on the window's grey lets its container show through (a style may shade the
    // inside of the frame a little); the value boxes are filled with their lighter grey.
    l->setAutoFillBackground(background != kWindowGrey);
    setBackground(l, background);
    setTextColour(l, kBlack);
    return l;
}

void describe(QWidget* w, const QString& description, const QString& name = {}) {
    if (!name.isEmpty()) w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      platform_(platform) {
    initResources();
    registerFontSubstitutes();
    nameListsByTheirPurpose();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ヨルヴァネ  "));
    QIcon icon(QStringLiteral(":/icon.png"));
    icon.addFile(QStringLiteral(":/icon-64.png"));
    setWindowIcon(icon);
    setFont(windowFont());
    setPalette(designedPalette());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(6240), px(4380));
    client->setAutoFillBackground(true);
    setBackground(client, kWindowGrey);
    setCentralWidget(client);

    // Creation order of the controls; the tab order follows below.
    createAgeBox(client);
    createBirthYearLine(client);
    createRightColumn(client);
    createMenuBar();

    setTabOrder(birthYearBox, thisYearOption);
    setTabOrder(thisYearOption, designatedYearOption);
    setTabOrder(designatedYearOption, designatedYearBox);
    setTabOrder(designatedYearBox, eraList);
    setTabOrder(eraList, exchangeButton);

    connectHandlers();
    bindKeys();
    // The first control of the tab order has the focus when the window opens.
    birthYearBox->setFocus(Qt::OtherFocusReason);

    setFixedSize(sizeHint());
    move(px(8550), px(6270));
    QAccessible::installActivationObserver(this);
    accessibilityActiveChanged(QAccessible::isActive());
}

// The version window has no owner, so that it can outlive the main window on screen; the
// program ends only once both are closed, and then it goes with the main window.
MainWindow::~MainWindow() {
    QAccessible::removeActivationObserver(this);
    delete versionWindow_;
}

void MainWindow::createAgeBox(QWidget* client) {
    eraList =
        placed(new QComboBox(client), "cboGengo", rectTwips(360, 240, 1005, 375), gothic(12.75));
    eraList->setEditable(false);
    for (Era era : kEras) eraList->addItem(qs(eraName(era)));
    eraList->setCurrentIndex(-1);  // start-up selects 昭和
    setBackground(eraList, kWhite);
    eraList->setToolTip(QStringLiteral("「Enter」で入力欄へ"));
    describe(eraList, QStringLiteral("生まれ年を数える暦"), QStringLiteral("元号"));

    ageFrame = placed(new QGroupBox(QStringLiteral("何歳？"), client), "Frame1",
                      rectTwips(360, 1560, 2655, 2535), pGothic(11.25));
    ageFrame->setAutoFillBackground(true);
    setBackground(ageFrame, kWindowGrey);
    describe(ageFrame, QStringLiteral("年齢または何年前かを求める"));

    exchangeButton = placed(new QPushButton(QStringLiteral("↓↑"), ageFrame), "ComExch",
                            rectTwips(2000, 240, 600, 350), windowFont());
    exchangeButton->setToolTip(QStringLiteral("交換"));
    // Its description follows the answers (MainWindow::render).
    exchangeButton->setAccessibleName(QStringLiteral("交換"));

    createDesignatedYearBox();
    createReferenceButtons();
    createAgeLabels();
}

void MainWindow::createReferenceButtons() {
    designatedYearOption = placed(new QRadioButton(QStringLiteral("下記の年では"), ageFrame),
                                  "Option2", rectTwips(240, 840, 1815, 315), windowFont());
    designatedYearOption->setToolTip(QStringLiteral("Ctrlで今年欄へ、Shiftで入力欄へ"));
    describe(designatedYearOption, QStringLiteral("指定年での年齢"));

    thisYearOption = placed(new QRadioButton(QStringLiteral("今年の誕生日で"), ageFrame), "Option1",
                            rectTwips(240, 360, 1935, 345), windowFont());
    thisYearOption->setChecked(true);
    thisYearOption->setToolTip(QStringLiteral("Ctrlで指定年欄へ、Shiftで入力欄へ"));
    describe(thisYearOption, QStringLiteral("今年の誕生日での年齢"));
    // Tab reaches only the selected option button, as on the desktop.
    thisYearOption->setFocusPolicy(Qt::StrongFocus);
    designatedYearOption->setFocusPolicy(Qt::ClickFocus);
}

void MainWindow::createDesignatedYearBox() {
    designatedYearBox = placed(new YearBox(QStringLiteral("1990"), ageFrame), "textShitei",
                               rectTwips(960, 1200, 975, 405), pGothic(15.75));
    designatedYearBox->setEnabled(false);
    setBackground(designatedYearBox, kWindowGrey);
    setTextColour(designatedYearBox, kBlack);
    {
        QPalette p = designatedYearBox->palette();
        p.setColor(QPalette::Disabled, QPalette::Text, buttonShadow());
        designatedYearBox->setPalette(p);
    }
    describe(designatedYearBox, QStringLiteral("年齢を求める年"), QStringLiteral("指定年"));
}

void MainWindow::createAgeLabels() {
    designatedWesternLabel = makeLabel(ageFrame, "lblSeireki", rectTwips(1140, 1670, 735, 195), {},
                                       windowFont(), Qt::AlignHCenter);
    setTextColour(designatedWesternLabel, buttonShadow());
    describe(designatedWesternLabel, QStringLiteral("指定年の西暦"));

    ageUnit = makeLabel(ageFrame, "Label11", rectTwips(2040, 2040, 495, 375), QStringLiteral("歳"),
                        pGothic(12));
    describe(ageUnit, QStringLiteral("年齢の単位"));

    figureFont_ = pGothic(20.25);
    ageFigure = makeLabel(ageFrame, "lblnenrei", rectTwips(960, 1920, 975, 375), {}, figureFont_,
                          Qt::AlignRight, kValueBox);
    describe(ageFigure, QStringLiteral("年齢または何年前"));

    designatedYearUnit = makeLabel(ageFrame, "Label13", rectTwips(2040, 1320, 495, 375),
                                   QStringLiteral("年"), pGothic(12));
    setTextColour(designatedYearUnit, buttonShadow());

    designatedEraCaption = makeLabel(ageFrame, "Label12", rectTwips(360, 1320, 615, 375),
                                     qs(eraName(Era::Western)), pGothic(12));
    setTextColour(designatedEraCaption, buttonShadow());
    describe(designatedEraCaption, QStringLiteral("指定年の元号"));
    // A screen reader reads the era with the year it belongs to.
    designatedEraCaption->setBuddy(designatedYearBox);
}

void MainWindow::createBirthYearLine(QWidget* client) {
    birthYearBox = placed(new YearBox(QString(), client), "textNen", rectTwips(1440, 240, 975, 375),
                          pGothic(15.75));
    setBackground(birthYearBox, kWhite);
    setTextColour(birthYearBox, kBlack);
    // Its description carries the answers (MainWindow::render).
    birthYearBox->setAccessibleName(QStringLiteral("生まれ年"));

    periodLabel = makeLabel(client, "lblJidai", rectTwips(360, 750, 1200, 190), {}, pGothic(8.25));
    describe(periodLabel, QStringLiteral("時代"));

    makeLabel(client, "Label3", rectTwips(2520, 1050, 495, 375), QStringLiteral("年"), pGothic(12));

    otherYearLabel = makeLabel(client, "lblNen", rectTwips(1440, 960, 975, 375), {}, pGothic(15.75),
                               Qt::AlignRight, kValueBox);
    describe(otherYearLabel, QStringLiteral("和暦または西暦の年"));

    otherEraLabel = makeLabel(client, "lblGengo", rectTwips(120, 1020, 1215, 375), {},
                              gothic(12.75), Qt::AlignRight);
    describe(otherEraLabel, QStringLiteral("元号"));
}

void MainWindow::createRightColumn(QWidget* client) {
    signPicture = new PictureBox(client);
    signPicture->setObjectName(QStringLiteral("Image1"));
    signPicture->setGeometry(rectTwips(3480, 1680, 2400, 2400));
    signPicture->setPixmap(QPixmap(QStringLiteral(":/keyguide.jpg")));
    signPicture->setToolTip(QStringLiteral("クリックでキー操作説明"));
    describe(signPicture, QStringLiteral("クリックでキー操作説明"), QStringLiteral("干支の絵"));

    signReadingLabel = makeLabel(client, "lblkana", rectTwips(3840, 720, 1695, 255), {},
                                 windowFont(), Qt::AlignHCenter);
    describe(signReadingLabel, QStringLiteral("干支の読み"));

    makeLabel(client, "Label8", rectTwips(3360, 1080, 375, 255), QStringLiteral("干支"),
              windowFont());
    QLabel* nineStarCaption = makeLabel(client, "Label7", rectTwips(3360, 360, 375, 255),
                                        QStringLiteral("九星"), windowFont());
    nineStarCaption->setToolTip(QStringLiteral("元気？ v(^o^) ♪♪ "));
    // A screen reader would read the tool tip aloud where a label has no description.
    describe(nineStarCaption, QStringLiteral("右の欄は生まれ年の九星"));

    signLabel = makeLabel(client, "lbleto", rectTwips(3840, 960, 1695, 375), {}, pGothic(18),
                          Qt::AlignHCenter, kValueBox);
    signLabel->setToolTip(QStringLiteral("いわゆる「えと」です"));
    describe(signLabel, QStringLiteral("干支"));

    nineStarLabel = makeLabel(client, "lbl9sei", rectTwips(3840, 240, 1695, 375), {}, pGothic(18),
                              Qt::AlignHCenter, kValueBox);
    nineStarLabel->setToolTip(QStringLiteral("暦にのってるあれです"));
    describe(nineStarLabel, QStringLiteral("九星"));

    makeLabel(client, "Label4", rectTwips(2520, 350, 495, 375), QStringLiteral("年"), pGothic(12));
}

void MainWindow::createMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    const auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    // Each entry has a mnemonic of its own, written after it as Japanese menus do.
    eraTableAction = named(bar->addAction(QStringLiteral("元号表(&G)")), "mnuGengo");
    ageTableAction = named(bar->addAction(QStringLiteral("早見表(&T)")), "mnuHayami");
    dateAction = named(bar->addAction(QStringLiteral("日付(&D)")), "mnuHiduke");
    helpMenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu->setObjectName(QStringLiteral("mnuH"));
    helpAction = named(helpMenu->addAction(QStringLiteral("ヘルプ(&H)")), "mnuHelp");
    helpAction->setShortcut(QKeySequence::HelpContents);
    versionAction = named(helpMenu->addAction(QStringLiteral("バージョン情報(&A)")), "mnuVer");
    // Ctrl+Q ends the program as the close button ends the window, the settings saved.
    quitAction = named(new QAction(QStringLiteral("終了"), this), "mnuQuit");
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(quitAction);
}

void MainWindow::connectHandlers() {
    connect(birthYearBox, &QLineEdit::textChanged, this, &MainWindow::birthYearChanged);
    connect(designatedYearBox, &QLineEdit::textChanged, this, &MainWindow::designatedYearChanged);
    connect(designatedYearBox, &YearBox::visited, this, &MainWindow::designatedYearBoxVisited);
    connect(designatedYearOption, &QRadioButton::clicked, this,
            &MainWindow::designatedYearOptionClicked);
    connect(exchangeButton, &QPushButton::clicked, this, &MainWindow::exchangeClicked);
    connect(eraTableAction, &QAction::triggered, this, &MainWindow::eraTableChosen);
    connect(ageTableAction, &QAction::triggered, this, &MainWindow::ageTableChosen);
    connect(dateAction, &QAction::triggered, this, &MainWindow::dateWindowChosen);
    connect(helpAction, &QAction::triggered, this, &MainWindow::helpChosen);
    connect(versionAction, &QAction::triggered, this, &MainWindow::versionChosen);
    connect(quitAction, &QAction::triggered, this, [this] {
        close();
        QCoreApplication::quit();
    });
    connect(signPicture, &PictureBox::clicked, this,
            [this] { apply([](MainInputs& in) { choosePicture(in, u"scene2.gif"); }); });
    connect(signPicture, &PictureBox::doubleClicked, this,
            [this] { apply([](MainInputs& in) { choosePicture(in, kBlankPicture); }); });
    // The list and the option buttons are chosen on them directly: the inputs follow.
    connect(eraList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!rendering_) inputs_.listEra = eraAt(index);
    });
    connect(thisYearOption, &QRadioButton::toggled, this, [this](bool on) {
        if (!rendering_) inputs_.designatedIsReference = !on;
        // Only the selected option button is a Tab stop.
        thisYearOption->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        designatedYearOption->setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    });
    for (QWidget* w :
         std::initializer_list<QWidget*>{birthYearBox, designatedYearBox, eraList, thisYearOption,
                                         designatedYearOption, exchangeButton})
        w->installEventFilter(this);
}

void MainWindow::bindKeys() {
    const auto focus = [](QWidget* w) { return [w] { w->setFocus(Qt::OtherFocusReason); }; };
    const auto bind = [this](QObject* control, int key, std::function<void()> action,
                             bool consumed = false) {
        keyBindings_.push_back({control, key, std::move(action), consumed});
    };
    const auto exchange = [this] { exchangeClicked(); };
    // Emptying a box is a change of its text like any other; an empty box stays as it is.
    const auto clearBirthYear = [this] { birthYearBox->setText(QString()); };
    const auto clearDesignatedYear = [this] { designatedYearBox->setText(QString()); };
    // Enter in a year box belongs to the box itself.
    for (int enter : {Qt::Key_Return, Qt::Key_Enter}) {
        bind(eraList, enter, [this] { focusBirthYear(); });
        bind(thisYearOption, enter, [this] { focusBirthYear(); });
    }
    bind(birthYearBox, Qt::Key_Space, clearBirthYear);
    bind(birthYearBox, Qt::Key_Delete, clearBirthYear);
    bind(birthYearBox, Qt::Key_Shift, [this] { focusDesignatedYear(); });
    bind(birthYearBox, Qt::Key_Control, focus(designatedYearOption));
    bind(birthYearBox, Qt::Key_Insert, exchange);
    bind(designatedYearBox, Qt::Key_Space, clearDesignatedYear, true);
    bind(designatedYearBox, Qt::Key_Delete, clearDesignatedYear);
    bind(designatedYearBox, Qt::Key_Shift, [this] { focusBirthYear(); });
    bind(designatedYearBox, Qt::Key_Control, focus(thisYearOption));
    bind(designatedYearBox, Qt::Key_Insert, exchange);
    bind(thisYearOption, Qt::Key_Shift, [this] { focusBirthYear(); });
    bind(thisYearOption, Qt::Key_Control, focus(designatedYearOption));
    bind(thisYearOption, Qt::Key_Insert, exchange);
    bind(designatedYearOption, Qt::Key_Shift, [this] { focusBirthYear(); });
    bind(designatedYearOption, Qt::Key_Control, focus(thisYearOption));
    bind(exchangeButton, Qt::Key_Shift, [this] { focusBirthYear(); });
    bind(exchangeButton, Qt::Key_Control, focus(designatedYearOption));
    for (const auto& [key, era] : kArrowEras) {
        bind(birthYearBox, key, [this, era = era] { chooseBirthEra(era); });
        bind(designatedYearBox, key, [this, era = era] { chooseDesignatedEra(era); });
        // Arrow keys move between the option buttons and select the one they land on.
        bind(thisYearOption, key, focus(designatedYearOption), true);
        bind(designatedYearOption, key, focus(thisYearOption), true);
    }
}

}  // namespace yorvane
