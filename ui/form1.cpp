#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "eras.h"
#include "form2.h"
#include "number.h"
#include "placement.h"
#include "platform.h"
#include "profile_file.h"
#include "recalc.h"
#include "units.h"

// The pictures built into the program live in this static library: make sure they are linked.
static void initResources() {
    static const bool once = [] { Q_INIT_RESOURCE(resources); return true; }();
    (void)once;
}

namespace yorvane {

namespace {

QString qs(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string_view u16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

const QColor kWindowGrey(192, 192, 192);
const QColor kValueBox(224, 224, 224);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

// The desktop's colour for button shadows, which greys a label out.
// Some styles' shadow is too light to read on the grey window; the classic shadow grey is
// used then.
QColor buttonShadow() {
    const QColor c = QGuiApplication::palette().color(QPalette::Dark);
    return qGray(c.rgb()) > 140 ? QColor(128, 128, 128) : c;
}

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

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const QString& text,
                  const QFont& font, Qt::Alignment align = Qt::AlignLeft,
                  const QColor& background = kWindowGrey) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignVCenter);
    // A label on the window's grey lets its container show through (a style may shade the
    // inside of the frame a little); the value boxes are filled with their lighter grey.
    l->setAutoFillBackground(background != kWindowGrey);
    setBackground(l, background);
    setTextColour(l, kBlack);
    return l;
}

// The year boxes take at most four characters from the user, whether typed (checked in the
// key filter) or pasted; the program's own texts (a stored "ERROR", for one) stay whole.
class FourCharacters final : public QValidator {
public:
    explicit FourCharacters(QLineEdit* box) : QValidator(box), box_(box) {}
    State validate(QString& input, int& pos) const override {
        // A text set from code leaves the box unmodified; only an edit of the user is cut,
        // and what is cut is the end of what was just inserted (before the caret), as a box
        // that is full takes no more.
        const qsizetype excess = input.size() - 4;
        if (excess > 0 && box_->isModified()) {
            const qsizetype start = std::max<qsizetype>(0, pos - excess);
            input.remove(start, pos - start);
            pos = static_cast<int>(start);
            if (input.size() > 4) input.truncate(4);
            pos = std::min(pos, 4);
        }
        return Acceptable;
    }

private:
    QLineEdit* box_;
};

void setupYearBox(QLineEdit* box) {
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setValidator(new FourCharacters(box));
    box->setTextMargins(0, 0, 0, 0);
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
    box->setToolTip(QStringLiteral(
        "「↓」で明治、「←」で大正、「↑」で昭和、「→」で平成、３桁以上で西暦"));
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
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
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

    setTabOrder(textNen, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, textShitei);
    setTabOrder(textShitei, cboGengo);
    setTabOrder(cboGengo, ComExch);

    connectHandlers();
    // The first control of the tab order has the focus when the window opens.
    textNen->setFocus(Qt::OtherFocusReason);

    setFixedSize(sizeHint());
    move(px(8550), px(6270));
}

// The version window has no owner, so that it can outlive the main window on screen; the
// program ends only once both are closed, and then it goes with the main window.
Form1::~Form1() { delete form2_; }

void Form1::buildAgeBox(QWidget* client) {
    cboGengo = new QComboBox(client);
    cboGengo->setObjectName(QStringLiteral("cboGengo"));
    cboGengo->setGeometry(rectTwips(360, 240, 1005, 375));
    cboGengo->setFont(gothic(12.75));
    cboGengo->setEditable(false);
    for (const auto& era : kModernEras) cboGengo->addItem(qs(era.name));
    cboGengo->setCurrentIndex(-1);  // start-up selects 昭和
    setBackground(cboGengo, kWhite);
    cboGengo->setToolTip(QStringLiteral("「Enter」で入力欄へ"));
    cboGengo->setAccessibleName(QStringLiteral("元号"));
    cboGengo->setAccessibleDescription(QStringLiteral("生まれ年を数える暦"));

    Frame1 = new QGroupBox(QStringLiteral("何歳？"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(rectTwips(360, 1560, 2655, 2535));
    Frame1->setFont(pGothic(11.25));
    Frame1->setAutoFillBackground(true);
    setBackground(Frame1, kWindowGrey);
    Frame1->setAccessibleDescription(QStringLiteral("年齢または何年前かを求める"));

    ComExch = new QPushButton(QStringLiteral("↓↑"), Frame1);
    ComExch->setObjectName(QStringLiteral("ComExch"));
    ComExch->setGeometry(rectTwips(2000, 240, 600, 350));
    ComExch->setFont(windowFont());
    ComExch->setToolTip(QStringLiteral("交換"));
    ComExch->setAccessibleName(QStringLiteral("交換"));
    ComExch->setAccessibleDescription(QStringLiteral("生まれ年と指定年を入れ替える"));

    textShitei = new QLineEdit(QStringLiteral("1990"), Frame1);
    textShitei->setObjectName(QStringLiteral("textShitei"));
    textShitei->setGeometry(rectTwips(960, 1200, 975, 405));
    textShitei->setFont(pGothic(15.75));
    setupYearBox(textShitei);
    textShitei->setEnabled(false);
    setBackground(textShitei, kWindowGrey);
    setTextColour(textShitei, kBlack);
    {
        QPalette p = textShitei->palette();
        p.setColor(QPalette::Disabled, QPalette::Text, buttonShadow());
        textShitei->setPalette(p);
    }
    textShitei->setAccessibleName(QStringLiteral("指定年"));
    textShitei->setAccessibleDescription(QStringLiteral("年齢を求める年"));

    Option2 = new QRadioButton(QStringLiteral("下記の年では"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(rectTwips(240, 840, 1815, 315));
    Option2->setFont(windowFont());
    Option2->setToolTip(QStringLiteral("Ctrlで今年欄へ、Shiftで入力欄へ"));
    Option2->setAccessibleDescription(QStringLiteral("指定年での年齢"));

    Option1 = new QRadioButton(QStringLiteral("今年の誕生日で"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(rectTwips(240, 360, 1935, 345));
    Option1->setFont(windowFont());
    Option1->setChecked(true);
    Option1->setToolTip(QStringLiteral("Ctrlで指定年欄へ、Shiftで入力欄へ"));
    Option1->setAccessibleDescription(QStringLiteral("今年の誕生日での年齢"));
    // Opaque on the frame's grey, so that a change of their wording repaints the buttons
    // alone and not the whole age box behind them.
    for (QRadioButton* b : {Option1, Option2}) {
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(true);
        setBackground(b, kWindowGrey);
    }
    // Tab reaches only the selected option button, as on the desktop.
    Option1->setFocusPolicy(Qt::StrongFocus);
    Option2->setFocusPolicy(Qt::ClickFocus);

    lblSeireki = makeLabel(Frame1, "lblSeireki", rectTwips(1140, 1670, 735, 195), {},
                           windowFont(), Qt::AlignHCenter);
    setTextColour(lblSeireki, buttonShadow());
    lblSeireki->setAccessibleDescription(QStringLiteral("指定年の西暦"));

    Label11 = makeLabel(Frame1, "Label11", rectTwips(2040, 2040, 495, 375), QStringLiteral("歳"),
                        pGothic(12));
    Label11->setAccessibleDescription(QStringLiteral("年齢の単位"));

    lblnenrei = makeLabel(Frame1, "lblnenrei", rectTwips(960, 1920, 975, 375), {}, pGothic(20.25),
                          Qt::AlignRight, kValueBox);
    lblnenrei->setAccessibleDescription(QStringLiteral("年齢または何年前"));

    Label13 = makeLabel(Frame1, "Label13", rectTwips(2040, 1320, 495, 375), QStringLiteral("年"),
                        pGothic(12));
    setTextColour(Label13, buttonShadow());

    Label12 = makeLabel(Frame1, "Label12", rectTwips(360, 1320, 615, 375), QStringLiteral("西暦"),
                        pGothic(12));
    setTextColour(Label12, buttonShadow());
    Label12->setAccessibleDescription(QStringLiteral("指定年の元号"));
}

void Form1::buildBirthYearLine(QWidget* client) {
    textNen = new QLineEdit(client);
    textNen->setObjectName(QStringLiteral("textNen"));
    textNen->setGeometry(rectTwips(1440, 240, 975, 375));
    textNen->setFont(pGothic(15.75));
    setupYearBox(textNen);
    setBackground(textNen, kWhite);
    setTextColour(textNen, kBlack);
    textNen->setAccessibleName(QStringLiteral("生まれ年"));
    textNen->setAccessibleDescription(QStringLiteral("元号の欄の暦で数えた生まれ年"));

    lblJidai = makeLabel(client, "lblJidai", rectTwips(360, 750, 1200, 190), {}, pGothic(8.25));
    lblJidai->setAccessibleDescription(QStringLiteral("時代"));

    Label3 = makeLabel(client, "Label3", rectTwips(2520, 1050, 495, 375), QStringLiteral("年"),
                       pGothic(12));

    lblNen = makeLabel(client, "lblNen", rectTwips(1440, 960, 975, 375), {}, pGothic(15.75),
                       Qt::AlignRight, kValueBox);
    lblNen->setAccessibleDescription(QStringLiteral("和暦または西暦の年"));

    lblGengo = makeLabel(client, "lblGengo", rectTwips(120, 1020, 1215, 375), {}, gothic(12.75),
                         Qt::AlignRight);
    lblGengo->setAccessibleDescription(QStringLiteral("元号"));
}

void Form1::buildRightColumn(QWidget* client) {
    Image1 = new PictureBox(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rectTwips(3480, 1680, 2400, 2400));
    Image1->setPixmap(QPixmap(QStringLiteral(":/keyguide.jpg")));
    Image1->setToolTip(QStringLiteral("クリックでキー操作説明"));
    Image1->setAccessibleName(QStringLiteral("干支の絵"));
    Image1->setAccessibleDescription(QStringLiteral("クリックでキー操作説明"));

    lblkana = makeLabel(client, "lblkana", rectTwips(3840, 720, 1695, 255), {}, windowFont(),
                        Qt::AlignHCenter);
    lblkana->setAccessibleDescription(QStringLiteral("干支の読み"));

    Label8 = makeLabel(client, "Label8", rectTwips(3360, 1080, 375, 255), QStringLiteral("干支"),
                       windowFont());
    Label7 = makeLabel(client, "Label7", rectTwips(3360, 360, 375, 255), QStringLiteral("九星"),
                       windowFont());
    Label7->setToolTip(QStringLiteral("元気？ v(^o^) ♪♪ "));

    lbleto = makeLabel(client, "lbleto", rectTwips(3840, 960, 1695, 375), {}, pGothic(18),
                       Qt::AlignHCenter, kValueBox);
    lbleto->setToolTip(QStringLiteral("いわゆる「えと」です"));
    lbleto->setAccessibleDescription(QStringLiteral("干支"));

    lbl9sei = makeLabel(client, "lbl9sei", rectTwips(3840, 240, 1695, 375), {}, pGothic(18),
                        Qt::AlignHCenter, kValueBox);
    lbl9sei->setToolTip(QStringLiteral("暦にのってるあれです"));
    lbl9sei->setAccessibleDescription(QStringLiteral("九星"));

    Label4 = makeLabel(client, "Label4", rectTwips(2520, 350, 495, 375), QStringLiteral("年"),
                       pGothic(12));
}

void Form1::buildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    mnuGengo = bar->addAction(QStringLiteral("元号表"));
    mnuGengo->setObjectName(QStringLiteral("mnuGengo"));
    mnuH = bar->addMenu(QStringLiteral("ヘルプ"));
    mnuH->setObjectName(QStringLiteral("mnuH"));
    mnuHelp = mnuH->addAction(QStringLiteral("ヘルプ"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuVer = mnuH->addAction(QStringLiteral("バージョン情報"));
    mnuVer->setObjectName(QStringLiteral("mnuVer"));
}

void Form1::connectHandlers() {
    connect(textNen, &QLineEdit::textChanged, this, &Form1::textNen_Change);
    connect(textShitei, &QLineEdit::textChanged, this, &Form1::textShitei_Change);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(ComExch, &QPushButton::clicked, this, &Form1::ComExch_Click);
    connect(mnuGengo, &QAction::triggered, this, &Form1::mnuGengo_Click);
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
    connect(mnuVer, &QAction::triggered, this, &Form1::mnuVer_Click);
    connect(Image1, &PictureBox::clicked, this, &Form1::Image1_Click);
    connect(Image1, &PictureBox::doubleClicked, this, &Form1::Image1_DblClick);
    // Only the selected option button is a Tab stop.
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        Option1->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        Option2->setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    });
    for (QWidget* w : {static_cast<QWidget*>(textNen), static_cast<QWidget*>(textShitei),
                       static_cast<QWidget*>(cboGengo), static_cast<QWidget*>(Option1),
                       static_cast<QWidget*>(Option2), static_cast<QWidget*>(ComExch)})
        w->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// The recalculation

void Form1::textNen_Change() {
    RecalcInput in{};
    const QString nenText = textNen->text();
    const QString shiteiText = textShitei->text();
    const QString label12 = Label12->text();
    in.nenText = u16(nenText);
    in.eraIndex = cboGengo->currentIndex();
    in.shiteiText = u16(shiteiText);
    in.label12 = u16(label12);
    in.option2Selected = Option2->isChecked();
    in.currentYear = platform_.currentYear();
    in.gengoNen = gengoNen;
    in.shiteiSeireki = u16(shiteiSeireki);
    const RecalcResult r = recalculate(in);

    // A number below 1 empties the field; emptying it runs this handler again for the empty
    // text, which shows exactly what the rest of this run would.
    if (r.emptyNenText && !nenText.isEmpty()) {
        textNen->setText(QString());
        return;
    }

    inputNen = r.inputNen;
    if (cboGengo->currentIndex() != r.eraIndex) cboGengo->setCurrentIndex(r.eraIndex);
    seirekiNen = r.seirekiNen;
    setTextColour(textNen, r.nenRed ? kRed : kBlack);
    lblGengo->setText(qs(r.lblGengo));
    gengoNen = r.gengoNen;
    lblNen->setText(qs(r.lblNen));

    kyuseiIdx = static_cast<std::int16_t>(r.sign.kyuseiIdx);
    jikkanIdx = static_cast<std::int16_t>(r.sign.jikkanIdx);
    junishiIdx = static_cast<std::int16_t>(r.sign.junishiIdx);
    kyuseiText = qs(r.sign.kyuseiText);
    jikkanText = qs(r.sign.jikkanText);
    junishiText = qs(r.sign.junishiText);
    jikkanKana = qs(r.sign.jikkanKana);
    junishiKana = qs(r.sign.junishiKana);
    lbl9sei->setText(qs(r.lbl9sei));
    lblkana->setText(qs(r.lblkana));
    lbleto->setText(qs(r.lbleto));

    shiteiNen = r.shiteiNen;
    shiteiSeireki = qs(r.shiteiSeireki);
    lblnenrei->setText(qs(r.lblnenrei));
    nenreiValue = r.nenreiValue;
    setTextColour(lblnenrei, r.nenreiRed ? kRed : kBlack);
    setTextColour(textShitei, r.shiteiRed ? kRed : kBlack);
    Frame1->setTitle(qs(r.wording.frame));
    Option1->setText(qs(r.wording.option1));
    Option2->setText(qs(r.wording.option2));
    Label11->setText(qs(r.wording.unit));

    lblJidai->setText(qs(r.lblJidai));
    showPicture(qs(r.picture));
}

void Form1::showPicture(const QString& fileName) {
    // A missing or unreadable file shows no picture.
    const QPixmap picture = platform_.loadPicture(platform_.programFolder() + u'/' + fileName,
                                                  Image1->size() * Image1->devicePixelRatio());
    if (picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(picture);
}

// ---------------------------------------------------------------------------------------------
// The designated year and the figure

void Form1::resolveDesignatedYear() {
    if (auto s = yorvane::resolveDesignatedYear(u16(Label12->text()), shiteiNen))
        shiteiSeireki = qs(*s);
}

void Form1::showDesignatedWesternYear() {
    lblSeireki->setText(
        qs(designatedWesternCaption(u16(Label12->text()), shiteiNen, u16(shiteiSeireki))));
}

void Form1::designatedFigure() {
    lblnenrei->setText(
        qs(yorvane::designatedFigure(u16(shiteiSeireki), u16(textShitei->text()), seirekiNen)));
}

void Form1::thisYearFigure() {
    lblnenrei->setText(qs(yorvane::thisYearFigure(platform_.currentYear(), seirekiNen)));
}

void Form1::colourFigure() {
    nenreiValue = readValue(u16(lblnenrei->text()));
    setTextColour(lblnenrei, nenreiValue < 0 ? kRed : kBlack);
}

void Form1::colourDesignatedYear() {
    setTextColour(textShitei,
                  designatedYearPastEnd(u16(Label12->text()), shiteiNen) ? kRed : kBlack);
}

void Form1::Option1_GotFocus() {
    textShitei->setEnabled(false);
    thisYearFigure();
    setBackground(textShitei, kWindowGrey);
    colourFigure();
    for (QWidget* w : {lblSeireki, Label12, Label13}) setTextColour(w, buttonShadow());
}

void Form1::Option2_Click() {
    textShitei->setEnabled(true);
    textShitei->setFocus(Qt::OtherFocusReason);
    setTextColour(Label12, kBlack);
    setTextColour(Label13, kBlack);
    shiteiNen = readYearNumber(u16(textShitei->text()));
    setBackground(textShitei, kWhite);
    resolveDesignatedYear();
    designatedFigure();
    colourFigure();
    colourDesignatedYear();
}

void Form1::textShitei_Change() {
    shiteiNen = readYearNumber(u16(textShitei->text()));
    if (shiteiNen < 1) {
        // Emptying the field runs this handler again for the empty text; this run then goes
        // on with no year.
        textShitei->setText(QString());
        shiteiNen = 0;
    }
    // A number of more than 100 is always a Western year.
    if (shiteiNen > 100) Label12->setText(qs(kModernEras[Seireki].name));
    resolveDesignatedYear();
    showDesignatedWesternYear();
    if (Option2->isChecked()) designatedFigure();
    if (textShitei->text().isEmpty()) lblnenrei->clear();
    colourFigure();
    colourDesignatedYear();
}

void Form1::textShitei_GotFocus() {
    setBackground(textShitei, kWhite);
    selectWholeText(textShitei);
    setTextColour(lblSeireki, kBlack);
    showDesignatedWesternYear();
}

void Form1::ComExch_Click() {
    exchGengoIdx = static_cast<std::int16_t>(cboGengo->currentIndex());
    exchShiteiGengo = Label12->text();
    exchNenText = textNen->text();
    exchShiteiText = textShitei->text();
    // Both eras change before either text, so each change handler sees its new era. A caption
    // the list does not hold (a stored "ERROR") cannot be selected: the list keeps its entry.
    if (const int i = cboGengo->findText(exchShiteiGengo, Qt::MatchExactly); i >= 0)
        cboGengo->setCurrentIndex(i);
    Label12->setText(cboGengo->itemText(exchGengoIdx));
    textNen->setText(exchShiteiText);
    textShitei->setText(exchNenText);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

int Form1::virtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyReturn;
        case Qt::Key_Shift: return KeyShift;
        case Qt::Key_Control: return KeyControl;
        case Qt::Key_Space: return KeySpace;
        case Qt::Key_Left: return KeyLeft;
        case Qt::Key_Up: return KeyUp;
        case Qt::Key_Right: return KeyRight;
        case Qt::Key_Down: return KeyDown;
        case Qt::Key_Insert: return KeyInsert;
        case Qt::Key_Delete: return KeyDelete;
        default: return 0;
    }
}

void Form1::selectWholeText(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void Form1::selectOption2() {
    // Selecting the button from code runs its selection handling only when it changes.
    if (Option2->isChecked()) return;
    Option2->setChecked(true);
    Option2_Click();
}

void Form1::cboGengo_KeyDown(int& keyCode, int) {
    if (keyCode == KeyReturn) textNen->setFocus(Qt::OtherFocusReason);
}

void Form1::ComExch_KeyDown(int& keyCode, int) {
    if (keyCode == KeyShift) textNen->setFocus(Qt::OtherFocusReason);
    else if (keyCode == KeyControl) Option2->setFocus(Qt::OtherFocusReason);
}

void Form1::Option1_KeyDown(int& keyCode, int) {
    switch (keyCode) {
        case KeyReturn: textNen->setFocus(Qt::OtherFocusReason); break;
        case KeyShift: textNen->setFocus(Qt::OtherFocusReason); break;
        case KeyControl: Option2->setFocus(Qt::OtherFocusReason); break;
        case KeyInsert: ComExch_Click(); break;
        default: break;
    }
}

void Form1::Option2_KeyDown(int& keyCode, int) {
    if (keyCode == KeyShift) textNen->setFocus(Qt::OtherFocusReason);
    else if (keyCode == KeyControl) Option1->setFocus(Qt::OtherFocusReason);
}

void Form1::textNen_KeyDown(int& keyCode, int) {
    // The era keys select the era first, so the change that emptying the field fires already
    // counts in it.
    const auto eraKey = [this](int era) {
        cboGengo->setCurrentIndex(era);
        textNen->setText(QString());
    };
    switch (keyCode) {
        case KeyReturn: selectWholeText(textNen); break;
        case KeySpace: textNen->setText(QString()); break;
        case KeyDelete: textNen->setText(QString()); break;
        case KeyControl: Option2->setFocus(Qt::OtherFocusReason); break;
        case KeyShift:
            // Select first: a disabled box cannot take the focus.
            selectOption2();
            textShitei->setFocus(Qt::OtherFocusReason);
            break;
        case KeyDown: eraKey(Meiji); break;
        case KeyLeft: eraKey(Taisho); break;
        case KeyUp: eraKey(Showa); break;
        case KeyRight: eraKey(Heisei); break;
        case KeyInsert: ComExch_Click(); break;
        default: break;
    }
}

void Form1::textNen_KeyPress(int& keyAscii) {
    if (keyAscii == KeyReturn) keyAscii = 0;
}

void Form1::textNen_Click() { selectWholeText(textNen); }

void Form1::textNen_GotFocus() {
    setBackground(textNen, kWhite);
    selectWholeText(textNen);
}

void Form1::textShitei_KeyDown(int& keyCode, int) {
    const auto eraKey = [this](int era) {
        Label12->setText(qs(kModernEras[static_cast<std::size_t>(era)].name));
        textShitei->setText(QString());
    };
    switch (keyCode) {
        case KeyReturn: selectWholeText(textShitei); break;
        case KeySpace:
            textShitei->setText(QString());
            keyCode = 0;
            break;
        case KeyDelete: textShitei->setText(QString()); break;
        case KeyShift: textNen->setFocus(Qt::OtherFocusReason); break;
        case KeyControl: Option1->setFocus(Qt::OtherFocusReason); break;
        case KeyDown: eraKey(Meiji); break;
        case KeyLeft: eraKey(Taisho); break;
        case KeyUp: eraKey(Showa); break;
        case KeyRight: eraKey(Heisei); break;
        case KeyInsert: ComExch_Click(); break;
        default: break;
    }
}

void Form1::textShitei_KeyPress(int& keyAscii) {
    if (keyAscii == KeyReturn || keyAscii == KeySpace) keyAscii = 0;
}

void Form1::textShitei_Click() { selectWholeText(textShitei); }

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const int vk = virtualKey(key->key());
            // Shift and Ctrl act once, when they go down, not again while held.
            if (vk != 0 && !(key->isAutoRepeat() && (vk == KeyShift || vk == KeyControl))) {
                int code = vk;
                const int shift = static_cast<int>(key->modifiers());
                if (watched == textNen) textNen_KeyDown(code, shift);
                else if (watched == textShitei) textShitei_KeyDown(code, shift);
                else if (watched == cboGengo) cboGengo_KeyDown(code, shift);
                else if (watched == Option1) Option1_KeyDown(code, shift);
                else if (watched == Option2) Option2_KeyDown(code, shift);
                else if (watched == ComExch) ComExch_KeyDown(code, shift);
                if (code == 0) return true;
            }
            auto* box = qobject_cast<QLineEdit*>(watched);
            if (box && !key->text().isEmpty()) {
                int ascii = key->text().at(0).unicode();
                if (box == textNen) textNen_KeyPress(ascii);
                else textShitei_KeyPress(ascii);
                if (ascii == 0) return true;
                // A fifth character is not typed.
                if (key->text().at(0).isPrint() &&
                    box->text().size() - box->selectedText().size() + key->text().size() > 4)
                    return true;
            }
            // Arrow keys move between the option buttons and select the one they land on.
            if ((watched == Option1 || watched == Option2) && vk >= KeyLeft && vk <= KeyDown) {
                (watched == Option1 ? Option2 : Option1)->setFocus(Qt::OtherFocusReason);
                return true;
            }
            return false;
        }
        case QEvent::FocusIn: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Let the control take the focus first, then run the handler.
            watched->event(event);
            // Coming back from another window or from a menu is no new visit of the control:
            // the caret and the selection stay as they were.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                reason == Qt::MenuBarFocusReason)
                return true;
            if (watched == textNen) {
                textNen_GotFocus();
            } else if (watched == textShitei) {
                textShitei_GotFocus();
            } else if (watched == Option1) {
                // The desktop's option buttons select themselves when they get the focus; a
                // mouse click selects through the click itself.
                if (!Option1->isChecked() && reason != Qt::MouseFocusReason)
                    Option1->setChecked(true);
                Option1_GotFocus();
            } else if (watched == Option2) {
                if (reason != Qt::MouseFocusReason) selectOption2();
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            if (left && (watched == textNen || watched == textShitei)) {
                watched->event(event);
                if (watched == textNen) textNen_Click();
                else textShitei_Click();
                return true;
            }
            return false;
        }
        default: return QMainWindow::eventFilter(watched, event);
    }
}

// ---------------------------------------------------------------------------------------------
// Menus and the picture

void Form1::mnuGengo_Click() {
    platform_.openDocument(QStringLiteral("gengo.gif"), platform_.programFolder());
}

void Form1::mnuHelp_Click() {
    platform_.openDocument(QStringLiteral("help.htm"), platform_.programFolder());
}

void Form1::mnuVer_Click() {
    if (!form2_) {
        form2_ = new Form2(platform_);
        form2_->setAttribute(Qt::WA_DeleteOnClose);
        form2_->centreOnScreen(screen());
    }
    form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

void Form1::Image1_Click() { showPicture(QStringLiteral("scene2.gif")); }

void Form1::Image1_DblClick() { showPicture(QStringLiteral("scene1.jpg")); }

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
    cboGengo->setCurrentIndex(Showa);
    const std::optional<QByteArray> file = profile::readFile(settingsPath());
    const QPoint designPosition = pos();
    if (auto left = positionFromTwips(GetINIValue(QStringLiteral("LEFT"), QStringLiteral("LOCATION"), file)))
        move(*left, y());
    if (auto top = positionFromTwips(GetINIValue(QStringLiteral("TOP"), QStringLiteral("LOCATION"), file)))
        move(x(), *top);
    // A position saved on a screen that is gone, or beyond a smaller one, would open the window
    // where nobody can see or move it.
    if (!titleBarReachable(titleBarAt(pos(), width()), availableScreenAreas())) move(designPosition);
    textShitei->setText(GetINIValue(QStringLiteral("SHITEI"), QStringLiteral("SET"), file));
    Label12->setText(GetINIValue(QStringLiteral("GENGO"), QStringLiteral("SET"), file));
    shiteiNen = readYearNumber(u16(textShitei->text()));
    if (shiteiNen > 100) Label12->setText(qs(kModernEras[Seireki].name));
    resolveDesignatedYear();
    lblSeireki->setText(shiteiNen != 0 ? shiteiSeireki : QString());
    if (Label12->text() == qs(kModernEras[Seireki].name)) lblSeireki->clear();
}

void Form1::Form_Unload() {
    const SettingsLocation where = platform_.settingsLocation();
    QString why;
    if (where.file.isEmpty()) {
        why = QStringLiteral("the desktop names no configuration folder");
    } else if (!where.delivered.isEmpty() &&
               !QDir().mkpath(QFileInfo(where.file).absolutePath())) {
        why = QStringLiteral("its folder cannot be created");
    } else {
        // All four values in one save: two windows closing together never mix their settings.
        profile::writeStrings(
            where.file,
            {{QStringLiteral("LOCATION"), QStringLiteral("LEFT"), singleText(static_cast<float>(x()) * 15.0f)},
             {QStringLiteral("LOCATION"), QStringLiteral("TOP"), singleText(static_cast<float>(y()) * 15.0f)},
             {QStringLiteral("SET"), QStringLiteral("SHITEI"), textShitei->text()},
             {QStringLiteral("SET"), QStringLiteral("GENGO"), Label12->text()}},
            &why);
    }
    // Closing never fails; a save that did not happen is said once.
    if (!why.isEmpty())
        std::fprintf(stderr, "yorvane: settings not saved to %s: %s\n",
                     qPrintable(QDir::toNativeSeparators(where.file)), qPrintable(why));
}

void Form1::closeEvent(QCloseEvent* event) {
    // The settings are written once, whatever happens to the writes; closing never fails.
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    event->accept();
}

}  // namespace yorvane
