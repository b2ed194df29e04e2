#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <utility>

#include "agetable_window.h"
#include "atomic_file.h"
#include "colours.h"
#include "date_window.h"
#include "form2.h"
#include "placement.h"
#include "platform.h"
#include "profile_file.h"
#include "u16text.h"
#include "units.h"
#include "year_box.h"
#include "yorvane/recalc.h"

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

void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::Active, QPalette::WindowText) == c &&
        p.color(QPalette::Active, QPalette::Text) == c)
        return;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, c);
        p.setColor(group, QPalette::Text, c);
        p.setColor(group, QPalette::ButtonText, c);
    }
    w->setPalette(p);
}

void setBackground(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::Active, QPalette::Window) == c &&
        p.color(QPalette::Active, QPalette::Base) == c)
        return;
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

void setTextRed(QWidget* w, bool red) { setTextColour(w, red ? kRed : kBlack); }

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

// ---------------------------------------------------------------------------------------------

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setScaledContents(true); }

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    // A double click reports one click, then the double click; the button going up after
    // the double click is no second click.
    if (std::exchange(afterDoubleClick_, false)) return;
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton) return;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

// ---------------------------------------------------------------------------------------------

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      platform_(platform) {
    initResources();
    registerFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ヨルヴァネ  "));
    QIcon icon(QStringLiteral(":/icon.png"));
    icon.addFile(QStringLiteral(":/icon-64.png"));
    setWindowIcon(icon);
    setFont(windowFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(6240), px(4380));
    client->setAutoFillBackground(true);
    setBackground(client, kWindowGrey);
    setCentralWidget(client);

    // Creation order of the controls; the tab order follows below.
    buildAgeBox(client);
    buildBirthYearLine(client);
    buildRightColumn(client);
    buildMenuBar();

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
}

// The version window has no owner, so that it can outlive the main window on screen; the
// program ends only once both are closed, and then it goes with the main window.
Form1::~Form1() { delete form2_; }

void Form1::buildAgeBox(QWidget* client) {
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
    describe(exchangeButton, QStringLiteral("生まれ年と指定年を入れ替える"),
             QStringLiteral("交換"));

    buildDesignatedYearBox();

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

    buildAgeLabels();
}

void Form1::buildDesignatedYearBox() {
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

void Form1::buildAgeLabels() {
    designatedWesternLabel = makeLabel(ageFrame, "lblSeireki", rectTwips(1140, 1670, 735, 195), {},
                                       windowFont(), Qt::AlignHCenter);
    setTextColour(designatedWesternLabel, buttonShadow());
    describe(designatedWesternLabel, QStringLiteral("指定年の西暦"));

    ageUnit = makeLabel(ageFrame, "Label11", rectTwips(2040, 2040, 495, 375), QStringLiteral("歳"),
                        pGothic(12));
    describe(ageUnit, QStringLiteral("年齢の単位"));

    ageFigure = makeLabel(ageFrame, "lblnenrei", rectTwips(960, 1920, 975, 375), {}, pGothic(20.25),
                          Qt::AlignRight, kValueBox);
    describe(ageFigure, QStringLiteral("年齢または何年前"));

    designatedYearUnit = makeLabel(ageFrame, "Label13", rectTwips(2040, 1320, 495, 375),
                                   QStringLiteral("年"), pGothic(12));
    setTextColour(designatedYearUnit, buttonShadow());

    designatedEraCaption = makeLabel(ageFrame, "Label12", rectTwips(360, 1320, 615, 375),
                                     qs(eraName(Era::Western)), pGothic(12));
    setTextColour(designatedEraCaption, buttonShadow());
    describe(designatedEraCaption, QStringLiteral("指定年の元号"));
}

void Form1::buildBirthYearLine(QWidget* client) {
    birthYearBox = placed(new YearBox(QString(), client), "textNen", rectTwips(1440, 240, 975, 375),
                          pGothic(15.75));
    setBackground(birthYearBox, kWhite);
    setTextColour(birthYearBox, kBlack);
    describe(birthYearBox, QStringLiteral("元号の欄の暦で数えた生まれ年"),
             QStringLiteral("生まれ年"));

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

void Form1::buildRightColumn(QWidget* client) {
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
    makeLabel(client, "Label7", rectTwips(3360, 360, 375, 255), QStringLiteral("九星"),
              windowFont())
        ->setToolTip(QStringLiteral("元気？ v(^o^) ♪♪ "));

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

void Form1::buildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    eraTableAction = bar->addAction(QStringLiteral("元号表"));
    eraTableAction->setObjectName(QStringLiteral("mnuGengo"));
    ageTableAction = bar->addAction(QStringLiteral("早見表"));
    ageTableAction->setObjectName(QStringLiteral("mnuHayami"));
    dateAction = bar->addAction(QStringLiteral("日付"));
    dateAction->setObjectName(QStringLiteral("mnuHiduke"));
    helpMenu = bar->addMenu(QStringLiteral("ヘルプ"));
    helpMenu->setObjectName(QStringLiteral("mnuH"));
    helpAction = helpMenu->addAction(QStringLiteral("ヘルプ"));
    helpAction->setObjectName(QStringLiteral("mnuHelp"));
    versionAction = helpMenu->addAction(QStringLiteral("バージョン情報"));
    versionAction->setObjectName(QStringLiteral("mnuVer"));
}

void Form1::connectHandlers() {
    connect(birthYearBox, &QLineEdit::textChanged, this, &Form1::birthYearChanged);
    connect(designatedYearBox, &QLineEdit::textChanged, this, &Form1::designatedYearChanged);
    connect(birthYearBox, &YearBox::visited, this, &Form1::birthYearBoxVisited);
    connect(designatedYearBox, &YearBox::visited, this, &Form1::designatedYearBoxVisited);
    connect(designatedYearOption, &QRadioButton::clicked, this,
            &Form1::designatedYearOptionClicked);
    connect(exchangeButton, &QPushButton::clicked, this, &Form1::exchangeClicked);
    connect(eraTableAction, &QAction::triggered, this, &Form1::eraTableChosen);
    connect(ageTableAction, &QAction::triggered, this, &Form1::ageTableChosen);
    connect(dateAction, &QAction::triggered, this, &Form1::dateWindowChosen);
    connect(helpAction, &QAction::triggered, this, &Form1::helpChosen);
    connect(versionAction, &QAction::triggered, this, &Form1::versionChosen);
    connect(signPicture, &PictureBox::clicked, this, &Form1::pictureClicked);
    connect(signPicture, &PictureBox::doubleClicked, this, &Form1::pictureDoubleClicked);
    // Only the selected option button is a Tab stop.
    connect(thisYearOption, &QRadioButton::toggled, this, [this](bool on) {
        thisYearOption->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        designatedYearOption->setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    });
    for (QWidget* w :
         std::initializer_list<QWidget*>{birthYearBox, designatedYearBox, eraList, thisYearOption,
                                         designatedYearOption, exchangeButton})
        w->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// The recalculation

void Form1::birthYearChanged() {
    const QString text = birthYearBox->text();
    const QString designatedText = designatedYearBox->text();
    RecalcInput in;
    in.birthYearText = u16(text);
    in.era = eraAt(eraList->currentIndex());
    in.designated = designatedInput(designatedText);
    in.currentYear = platform_.currentYear();
    const RecalcResult r = recalculate(in);

    // A number below 1 empties the box; emptying it runs this handler again for the empty
    // text, which shows exactly what the rest of this run would.
    if (r.emptyText && !text.isEmpty()) {
        birthYearBox->setText(QString());
        return;
    }
    if (r.era != in.era) eraList->setCurrentIndex(eraIndex(*r.era));
    birthYear_ = r.birthYear;
    setTextRed(birthYearBox, r.pastEraEnd);
    otherEraLabel->setText(qs(r.otherEra));
    otherYearLabel->setText(qs(r.otherYear));
    nineStarLabel->setText(qs(r.nineStar));
    signReadingLabel->setText(qs(r.signReading));
    signLabel->setText(qs(r.sign));

    designatedWestern_ = r.designatedWestern;
    showFigure(r.figure);
    setTextRed(designatedYearBox, r.designatedPastEraEnd);
    showWording(r.wording);

    periodLabel->setText(qs(r.period));
    showPicture(qs(r.picture));
    if (ageTable_ && ageTable_->isVisible()) ageTable_->showYear(birthYear_);
}

void Form1::showWording(const Wording& wording) {
    // A new title repaints the title strip alone, not every control in the frame: the frame's
    // own update is held while the title changes (the attribute itself, since re-enabling
    // through setUpdatesEnabled repaints the whole frame), then the strip is marked.
    const QString title = qs(wording.title);
    if (ageFrame->title() != title) {
        const QRect before = ageFrame->contentsRect();
        ageFrame->setAttribute(Qt::WA_UpdatesDisabled, true);
        ageFrame->setTitle(title);
        ageFrame->setAttribute(Qt::WA_UpdatesDisabled, false);
        const int titleHeight = ageFrame->fontMetrics().height() + 2;
        ageFrame->update(QRect(0, 0, ageFrame->width(), std::max(titleHeight, before.top())));
    }
    thisYearOption->setText(qs(wording.thisYear));
    designatedYearOption->setText(qs(wording.designatedYear));
    ageUnit->setText(qs(wording.unit));
}

// ---------------------------------------------------------------------------------------------
// The designated year and the figure

DesignatedInput Form1::designatedInput(const QString& text) const {
    DesignatedInput in;
    in.text = u16(text);
    in.era = designatedEra_;
    in.keptWestern = designatedWestern_;
    in.isReference = designatedYearOption->isChecked();
    in.birthYear = birthYear_;
    return in;
}

void Form1::setDesignatedEra(std::optional<Era> era, const QString& otherCaption) {
    designatedEra_ = era;
    designatedEraCaption->setText(era ? qs(eraName(*era)) : otherCaption);
}

void Form1::showFigure(const Figure& figure) {
    ageFigure->setText(qs(figure.text));
    setTextRed(ageFigure, figure.negative);
}

void Form1::designatedYearChanged() {
    const QString text = designatedYearBox->text();
    const DesignatedYear d = designatedYear(designatedInput(text));
    // Emptying the box runs this handler again for the empty text, which shows all this run
    // would.
    if (d.emptyText && !text.isEmpty()) {
        designatedYearBox->setText(QString());
        return;
    }
    if (d.era != designatedEra_) setDesignatedEra(d.era);
    designatedWestern_ = d.western;
    designatedWesternLabel->setText(qs(d.caption));
    if (d.figure) showFigure(*d.figure);
    setTextRed(designatedYearBox, d.pastEraEnd);
}

void Form1::thisYearOptionFocused(Qt::FocusReason reason) {
    // The desktop's option buttons select themselves when they get the focus; a mouse click
    // selects through the click itself.
    if (!thisYearOption->isChecked() && reason != Qt::MouseFocusReason)
        thisYearOption->setChecked(true);
    designatedYearBox->setEnabled(false);
    showFigure(thisYearFigure(platform_.currentYear(), birthYear_));
    setBackground(designatedYearBox, kWindowGrey);
    for (QWidget* w : std::initializer_list<QWidget*>{designatedWesternLabel, designatedEraCaption,
                                                      designatedYearUnit})
        setTextColour(w, buttonShadow());
}

void Form1::designatedYearOptionFocused(Qt::FocusReason reason) {
    if (reason != Qt::MouseFocusReason) selectDesignatedYearOption();
}

void Form1::selectDesignatedYearOption() {
    // Selecting the button from code runs its selection handling only when it changes.
    if (designatedYearOption->isChecked()) return;
    designatedYearOption->setChecked(true);
    designatedYearOptionClicked();
}

void Form1::designatedYearOptionClicked() {
    designatedYearBox->setEnabled(true);
    designatedYearBox->setFocus(Qt::OtherFocusReason);
    setTextColour(designatedEraCaption, kBlack);
    setTextColour(designatedYearUnit, kBlack);
    setBackground(designatedYearBox, kWhite);
    const QString text = designatedYearBox->text();
    const DesignatedYear d = designatedYear(designatedInput(text));
    designatedWestern_ = d.western;
    showFigure(*d.figure);
    setTextRed(designatedYearBox, d.pastEraEnd);
}

void Form1::birthYearBoxVisited() { setBackground(birthYearBox, kWhite); }

void Form1::designatedYearBoxVisited() {
    setBackground(designatedYearBox, kWhite);
    setTextColour(designatedWesternLabel, kBlack);
    const QString text = designatedYearBox->text();
    designatedWesternLabel->setText(qs(designatedYear(designatedInput(text)).caption));
}

void Form1::exchangeClicked() {
    const std::optional<Era> birthEra = eraAt(eraList->currentIndex());
    const QString birthText = birthYearBox->text();
    const QString designatedText = designatedYearBox->text();
    // Both eras change before either text, so each change handler sees its new era. A caption
    // that names no era (a stored "ERROR") cannot be chosen in the list: the list keeps its own.
    if (designatedEra_) eraList->setCurrentIndex(eraIndex(*designatedEra_));
    setDesignatedEra(birthEra);
    birthYearBox->setText(designatedText);
    designatedYearBox->setText(birthText);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void Form1::chooseBirthEra(Era era) {
    // The era first, so the change that emptying the box fires already counts in it.
    eraList->setCurrentIndex(eraIndex(era));
    birthYearBox->setText(QString());
}

void Form1::chooseDesignatedEra(Era era) {
    setDesignatedEra(era);
    designatedYearBox->setText(QString());
}

void Form1::focusBirthYear() { birthYearBox->setFocus(Qt::OtherFocusReason); }

void Form1::focusDesignatedYear() {
    // Select first: a disabled box cannot take the focus.
    selectDesignatedYearOption();
    designatedYearBox->setFocus(Qt::OtherFocusReason);
}

void Form1::clearBirthYear() { birthYearBox->setText(QString()); }

void Form1::clearDesignatedYear() { designatedYearBox->setText(QString()); }

void Form1::bindKeys() {
    const auto focus = [](QWidget* w) { return [w] { w->setFocus(Qt::OtherFocusReason); }; };
    const auto bind = [this](QObject* control, int key, std::function<void()> action,
                             bool consumed = false) {
        keyBindings_.push_back({control, key, std::move(action), consumed});
    };
    const auto exchange = [this] { exchangeClicked(); };
    // Enter in a year box belongs to the box itself.
    for (int enter : {Qt::Key_Return, Qt::Key_Enter}) {
        bind(eraList, enter, [this] { focusBirthYear(); });
        bind(thisYearOption, enter, [this] { focusBirthYear(); });
    }
    bind(birthYearBox, Qt::Key_Space, [this] { clearBirthYear(); });
    bind(birthYearBox, Qt::Key_Delete, [this] { clearBirthYear(); });
    bind(birthYearBox, Qt::Key_Shift, [this] { focusDesignatedYear(); });
    bind(birthYearBox, Qt::Key_Control, focus(designatedYearOption));
    bind(birthYearBox, Qt::Key_Insert, exchange);
    bind(
        designatedYearBox, Qt::Key_Space, [this] { clearDesignatedYear(); }, true);
    bind(designatedYearBox, Qt::Key_Delete, [this] { clearDesignatedYear(); });
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shift and Ctrl act once, when they go down, not again while held.
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control))
            return false;
        for (const KeyBinding& b : keyBindings_) {
            if (b.control != watched || b.key != key->key()) continue;
            b.action();
            return b.consumed;
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // The option buttons run their handling once they have the focus; the year boxes run
        // theirs themselves.
        const auto handler = watched == thisYearOption         ? &Form1::thisYearOptionFocused
                             : watched == designatedYearOption ? &Form1::designatedYearOptionFocused
                                                               : nullptr;
        if (!handler || !isNewVisit(reason)) return QMainWindow::eventFilter(watched, event);
        watched->event(event);
        (this->*handler)(reason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Menus and the picture

void Form1::eraTableChosen() {
    platform_.openDocument(QStringLiteral("gengo.gif"), platform_.programFolder());
}

// The age table, made on first use, opens on the year shown here; the focus stays here.
void Form1::ageTableChosen() {
    if (!ageTable_) ageTable_ = std::make_unique<AgeTableWindow>(platform_.currentYear());
    ageTable_->showYear(birthYear_);
    ageTable_->show();
    ageTable_->raise();
    activateWindow();
}

// One window 日付で調べる, made on first use, brought forward with the focus in its first box.
void Form1::dateWindowChosen() {
    if (!dateWindow_) dateWindow_ = std::make_unique<DateWindow>(QDate::currentDate());
    dateWindow_->show();
    dateWindow_->raise();
    dateWindow_->activateWindow();
    dateWindow_->birthBox->setFocus();
}

void Form1::helpChosen() {
    platform_.openDocument(QStringLiteral("help.htm"), platform_.programFolder());
}

void Form1::versionChosen() {
    if (!form2_) {
        form2_ = new Form2(platform_);
        form2_->setAttribute(Qt::WA_DeleteOnClose);
        form2_->centreOnScreen(screen());
    }
    form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

void Form1::pictureClicked() { showPicture(QStringLiteral("scene2.gif")); }

void Form1::pictureDoubleClicked() { showPicture(QStringLiteral("scene1.jpg")); }

void Form1::showPicture(const QString& fileName) {
    // A missing or unreadable file shows no picture.
    const QSize shown = signPicture->size() * signPicture->devicePixelRatio();
    const QPixmap picture =
        platform_.loadPicture(platform_.programFolder() + u'/' + fileName, shown);
    if (picture.isNull())
        signPicture->clear();
    else
        signPicture->setPixmap(picture);
}

// ---------------------------------------------------------------------------------------------
// Start-up, shutdown and settings

QString Form1::settingsPath() const {
    // The user's own file, or while there is none yet the first values the program comes with.
    const SettingsLocation where = platform_.settingsLocation();
    const QFileInfo own(where.file);
    if (where.delivered.isEmpty() || own.exists() || own.isSymLink()) return where.file;
    return where.delivered;
}

QString Form1::GetINIValue(const QString& key, const QString& section,
                           const std::optional<QByteArray>& file) const {
    return profile::readString(file, section, key, QStringLiteral("ERROR"));
}

namespace {
// A stored position in twips, as pixels. A text that is not a number, or one too far out to be
// a position at all, leaves the design position.
std::optional<int> positionFromTwips(const QString& text) {
    bool ok = false;
    const float twips = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(twips) || std::fabs(twips) > 1.0e8f) return std::nullopt;
    return static_cast<int>(std::lround(twips / 15.0f));
}

// The strip the title bar of a window `width` wide takes when the window is placed at `topLeft`.
QRect titleBarAt(QPoint topLeft, int width) {
    const int height = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {topLeft, QSize(width, std::max(height, 16))};
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// A single-precision number as plain decimal text: 2400, -120, 12.5.
QString singleText(float value) {
    if (value == std::trunc(value) && std::fabs(value) < 1.0e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}
}  // namespace

void Form1::Form_Load() {
    eraList->setCurrentIndex(eraIndex(Era::Showa));
    const std::optional<QByteArray> file = profile::readFile(settingsPath());
    const QPoint designPosition = pos();
    if (auto left = positionFromTwips(
            GetINIValue(QStringLiteral("LEFT"), QStringLiteral("LOCATION"), file)))
        move(*left, y());
    if (auto top =
            positionFromTwips(GetINIValue(QStringLiteral("TOP"), QStringLiteral("LOCATION"), file)))
        move(x(), *top);
    // A position saved on a screen that is gone, or beyond a smaller one, would open the window
    // where nobody can see or move it.
    if (!titleBarReachable(titleBarAt(pos(), width()), availableScreenAreas()))
        move(designPosition);
    designatedYearBox->setText(GetINIValue(QStringLiteral("SHITEI"), QStringLiteral("SET"), file));
    const QString caption = GetINIValue(QStringLiteral("GENGO"), QStringLiteral("SET"), file);
    setDesignatedEra(eraNamed(u16(caption)), caption);
    const QString text = designatedYearBox->text();
    const DesignatedYear d = designatedYear(designatedInput(text));
    if (d.era != designatedEra_) setDesignatedEra(d.era);
    designatedWestern_ = d.western;
    designatedWesternLabel->setText(qs(d.caption));
}

void Form1::Form_Unload() {
    const SettingsLocation where = platform_.settingsLocation();
    QString why;
    if (where.file.isEmpty()) {
        why =
            QStringLiteral("ホームフォルダーがわかりません（HOME が空か、絶対パスではありません）");
    } else if (!where.delivered.isEmpty() && !QDir().mkpath(QFileInfo(where.file).absolutePath())) {
        why = QStringLiteral("設定のフォルダーを作れません（%1）").arg(reasonForError(errno));
    } else {
        // All four values in one save: two windows closing together never mix their settings.
        profile::writeStrings(
            where.file,
            {{QStringLiteral("LOCATION"), QStringLiteral("LEFT"),
              singleText(static_cast<float>(x()) * 15.0f)},
             {QStringLiteral("LOCATION"), QStringLiteral("TOP"),
              singleText(static_cast<float>(y()) * 15.0f)},
             {QStringLiteral("SET"), QStringLiteral("SHITEI"), designatedYearBox->text()},
             {QStringLiteral("SET"), QStringLiteral("GENGO"), designatedEraCaption->text()}},
            &why);
    }
    // Closing never fails; a save that did not happen is said once.
    if (!why.isEmpty())
        std::fprintf(stderr, "yorvane: 設定を保存できませんでした: %s%s\n",
                     qPrintable(where.file.isEmpty() ? QString()
                                                     : QDir::toNativeSeparators(where.file) + ": "),
                     qPrintable(why));
}

void Form1::closeEvent(QCloseEvent* event) {
    // The settings are written once, whatever happens to the writes; closing never fails.
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    if (ageTable_) ageTable_->close();
    if (dateWindow_) dateWindow_->close();
    event->accept();
}

}  // namespace yorvane
