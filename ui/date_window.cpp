#include "date_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "colours.h"
#include "placement.h"
#include "u16text.h"
#include "units.h"
#include "window_common.h"

namespace yorvane {

namespace {

const QString kTitle = QStringLiteral("日付で調べる");
const QString kBirthHint = QStringLiteral("1980/3/4、昭和55年3月4日、S55.3.4 など");

const char* const kGroupNames[kAnswerGroupCount] = {"birthdayGroup", "ageGroup", "signsGroup",
                                                    "schoolGroup", "customsGroup"};

// What each line of the answer is, for its box's objectName ("japaneseDateAnswer"); the boxes of
// a list are numbered from 0 ("unluckyYearsAnswer3").
struct LineName {
    std::u16string_view label;
    const char* name;
    bool list = false;
};
constexpr LineName kLineNames[] = {
    {u"西暦", "westernDate"},
    {u"和暦", "japaneseDate"},
    {u"旧暦", "lunisolarDate"},
    {u"六曜", "sixDayCycle"},
    {u"日干支", "daySign"},
    {u"満年齢", "age"},
    {u"数え年", "countedAge"},
    {u"次の誕生日まで", "daysToBirthday"},
    {u"旧暦の誕生日", "lunisolarBirthdays"},
    {u"基準日の旧暦", "referenceLunisolarDate"},
    {u"基準日の六曜", "referenceSixDayCycle"},
    {u"干支", "yearSign"},
    {u"九星", "yearStar"},
    {u"干支（1月1日から）", "newYearSign"},
    {u"九星（1月1日から）", "newYearStar"},
    {u"立春", "springStart"},
    {u"月干支", "monthSign"},
    {u"月命星", "monthStar"},
    {u"早生まれ", "earlyBorn"},
    {u"小学校入学", "elementaryEntry"},
    {u"中学校入学", "juniorHighEntry"},
    {u"高校入学", "highEntry"},
    {u"高校卒業", "highGraduation"},
    {u"短大・専門卒業", "collegeGraduation"},
    {u"大学卒業", "universityGraduation"},
    {u"学歴", "schoolRecord", true},
    {u"厄年一覧", "unluckyYears", true},
    {u"長寿祝い一覧", "longevity", true},
};

// "japaneseDateAnswer", "unluckyYearsAnswer3" for the fourth item of its list; "answer" and the
// line's place for a label the table does not know.
QString lineName(std::u16string_view label, int line, int item) {
    for (const LineName& n : kLineNames)
        if (n.label == label)
            return QLatin1String(n.name) + QStringLiteral("Answer") +
                   (n.list ? QString::number(item) : QString());
    return QStringLiteral("answer%1").arg(line);
}

QLineEdit* makeInput(QWidget* parent, const char* name, const QString& accessibleName,
                     const QString& hint) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setPlaceholderText(hint);
    box->setToolTip(hint);
    return box;
}

// A value of the answer: read-only, so that it can be selected and copied, and reached with Tab.
QLineEdit* makeAnswerBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u'年') * 28);  // the longest lines
    return box;
}

// The window follows the desktop's theme: it fixes no background, and so no text colour but
// the red that marks a day that does not exist, made to read on the theme's own background.
void setRed(QWidget* w, QPalette::ColorRole role, QPalette::ColorRole background, bool red) {
    if (!red) {
        w->setPalette(QPalette());  // the window's own colours again
        return;
    }
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, role, colours::readableRed(p.color(group, background)));
    w->setPalette(p);
}

// The caption beside `box`: `text`, or none at all for a list's further items (an empty label
// would be read as its group's name).
void setCaption(QFormLayout* form, QLineEdit* box, const QString& text, int width) {
    auto* caption = static_cast<QLabel*>(form->labelForField(box));
    if (text.isEmpty()) {
        delete caption;  // its row keeps the box alone
        return;
    }
    if (!caption) {
        caption = new QLabel(form->parentWidget());
        caption->setMinimumWidth(width);
        caption->setBuddy(box);
        int row = 0;
        QFormLayout::ItemRole role{};
        form->getWidgetPosition(box, &row, &role);
        form->setWidget(row, QFormLayout::LabelRole, caption);
    }
    if (caption->text() != text) caption->setText(text);
}

// The rows of one group made or dropped to match its lines, from the form's row `first` on;
// true when a row was made. The caption stands beside the first line of a label only (a list
// has a row for each item); every box is named by its label for screen readers.
bool showLines(QFormLayout* form, int first, std::vector<QLineEdit*>& boxes,
               const std::vector<const AnswerLine*>& lines, int captionWidth) {
    const bool growing = boxes.size() < lines.size();
    for (; boxes.size() > lines.size(); boxes.pop_back()) form->removeRow(boxes.back());
    while (boxes.size() < lines.size()) {
        boxes.push_back(makeAnswerBox(form->parentWidget()));
        form->insertRow(first + static_cast<int>(boxes.size()) - 1, nullptr, boxes.back());
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QLineEdit* box = boxes[i];
        const QString label = qs(lines[i]->label);
        const bool firstOfLabel = i == 0 || lines[i - 1]->label != lines[i]->label;
        if (box->accessibleName() != label) box->setAccessibleName(label);
        setCaption(form, box, firstOfLabel ? label : QString(), captionWidth);
        box->setText(qs(lines[i]->value));
        box->setCursorPosition(0);
        setRed(box, QPalette::Text, QPalette::Base, lines[i]->red);
    }
    return growing;
}

}  // namespace

DateWindow::DateWindow(QDate today, SettingsLocation settings, QWidget* parent)
    : QWidget(parent, Qt::Window), today_(today), settings_(std::move(settings)) {
    readAsFrame(this);  // before anything asks for its accessible object
    setObjectName(QStringLiteral("dateWindow"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    setFont(pGothic(9));
    addCloseKeys(this);

    auto* form = new QFormLayout;
    birthBox = makeInput(this, "birthDateBox", QStringLiteral("生年月日"), kBirthHint);
    referenceBox =
        makeInput(this, "referenceDateBox", QStringLiteral("基準日"), QStringLiteral("空なら今日"));
    referenceBox->setText(
        QStringLiteral("%1/%2/%3").arg(today.year()).arg(today.month()).arg(today.day()));
    form->addRow(QStringLiteral("生年月日(&B)"), birthBox);
    form->addRow(QStringLiteral("基準日(&K)"), referenceBox);
    reasonCaption = new QLabel(this);
    reasonCaption->setObjectName(QStringLiteral("reasonLabel"));
    // A screen reader reads the reason and the notes themselves: no name stands in for them.
    form->addRow(QString(), reasonCaption);
    // The answers scroll under the boxes when the screen is too low for all of them.
    answers_ = new QWidget(this);  // in the window at once, for the Tab order
    makeGroups(answers_);
    // Until a day is typed, the rows of an answer for one born on the 基準日 stand empty; made
    // before the area shows them, they count in its first size.
    const Date day{today.year(), today.month(), today.day()};
    if (const DateQuery q = answerDate(dateText(day), day, options()); q.answer)
        showAnswer(answerLines(answerFields(*q.answer)));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("answerArea"));
    scroll_->setAccessibleName(QStringLiteral("答え"));
    scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes from the boxes to the answers themselves
    scroll_->setWidget(answers_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Narrowed, the window scrolls down, never across: the answers keep their width.
    scroll_->setMinimumWidth(answers_->minimumSizeHint().width() +
                             scroll_->verticalScrollBar()->sizeHint().width());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(scroll_, 1);
    // A box reached by Tab or by its mnemonic is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && answers_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now);
    });

    connect(birthBox, &QLineEdit::textChanged, this, &DateWindow::recompute);
    connect(referenceBox, &QLineEdit::textChanged, this, &DateWindow::recompute);
    recompute();
    setRed(reasonCaption, QPalette::WindowText, QPalette::Window, true);
}

// A titled box for each group, its lines' captions as wide as the widest label's, and the notes
// under them all.
void DateWindow::makeGroups(QWidget* answers) {
    for (const LineName& n : kLineNames)
        captionWidth_ = std::max(captionWidth_, fontMetrics().horizontalAdvance(qs(n.label)));
    auto* column = new QVBoxLayout(answers);
    column->setContentsMargins({});
    for (std::size_t g = 0; g < kAnswerGroupCount; ++g) {
        auto* box = new QGroupBox(qs(answerGroupName(AnswerGroup(g))), answers);
        box->setObjectName(QLatin1String(kGroupNames[g]));
        groups[g] = box;
        // The heading in bold; the rows in the window's own face.
        box->setFont(pGothic(9, true));
        auto* rows = new QWidget(box);
        rows->setFont(font());
        (new QVBoxLayout(box))->addWidget(rows);
        rows_[g].form = new QFormLayout(rows);
        rows_[g].form->setContentsMargins({});
        column->addWidget(box);
    }
    makeSchoolControls(rows_[std::size_t(AnswerGroup::School)]);
    makeSexChoice(rows_[std::size_t(AnswerGroup::Customs)]);
    notesLabel = new QLabel(answers);
    notesLabel->setObjectName(QStringLiteral("notesLabel"));
    notesLabel->setWordWrap(true);
    column->addWidget(notesLabel);
    column->addStretch();
}

// The years of 浪人・留年 above the 学歴, the copy in résumé form under it.
void DateWindow::makeSchoolControls(Group& school) {
    extraYearsBox = new QSpinBox;
    extraYearsBox->setObjectName(QStringLiteral("extraYearsBox"));
    extraYearsBox->setAccessibleName(QStringLiteral("浪人・留年の年数"));
    extraYearsBox->setRange(0, kMaxExtraYears);
    extraYearsBox->setSuffix(QStringLiteral(" 年"));
    extraYearsBox->setToolTip(QStringLiteral("高校卒業より後の学歴を、この年数だけ遅らせます"));
    extraYearsBox->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    school.form->addRow(QStringLiteral("浪人・留年(&R)"), extraYearsBox);
    copyResumeButton = new QPushButton(QStringLiteral("履歴書の形でコピー(&C)"));
    copyResumeButton->setObjectName(QStringLiteral("copyResumeButton"));
    copyResumeButton->setToolTip(QStringLiteral("学歴を履歴書に書く形でクリップボードに写します"));
    westernResumeCheck = new QCheckBox(QStringLiteral("西暦で(&W)"));
    westernResumeCheck->setObjectName(QStringLiteral("westernResumeCheck"));
    westernResumeCheck->setToolTip(QStringLiteral("写す年を和暦でなく西暦で書きます"));
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copyResumeButton);
    copyRow->addWidget(westernResumeCheck);
    copyRow->addStretch();
    school.form->addRow(QString(), copyRow);
    school.firstLine = 1;
    school.before = {extraYearsBox};
    school.after = {copyResumeButton, westernResumeCheck};
    connect(extraYearsBox, &QSpinBox::valueChanged, this, &DateWindow::recompute);
    connect(copyResumeButton, &QPushButton::clicked, this, &DateWindow::copyResume);
}

// Whose 厄年 are listed, as last chosen.
void DateWindow::makeSexChoice(Group& customs) {
    sexChoice = new QComboBox;
    sexChoice->setObjectName(QStringLiteral("unluckySexChoice"));
    sexChoice->setAccessibleName(QStringLiteral("厄年の性別"));
    sexChoice->addItem(QStringLiteral("男女とも"), QString());
    for (const Sex sex : {Sex::Male, Sex::Female})
        sexChoice->addItem(qs(sexName(sex)), qs(sexName(sex)));
    if (const std::optional<Sex> stored = readUnluckySex(settings_))
        sexChoice->setCurrentIndex(std::max(0, sexChoice->findData(qs(sexName(*stored)))));
    sexChoice->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    customs.form->addRow(QStringLiteral("性別(&S)"), sexChoice);
    customs.firstLine = 1;
    customs.before = {sexChoice};
    connect(sexChoice, &QComboBox::currentIndexChanged, this, &DateWindow::sexChosen);
}

std::optional<Sex> DateWindow::chosenSex() const {
    for (const Sex sex : {Sex::Male, Sex::Female})
        if (sexChoice->currentData().toString() == qs(sexName(sex))) return sex;
    return std::nullopt;
}

AnswerOptions DateWindow::options() const {
    AnswerOptions o;
    o.sex = chosenSex();
    o.extraYears = extraYearsBox->value();
    return o;
}

QSize DateWindow::sizeHint() const {
    // Tall enough for every answer; the window is fitted to its screen where it opens.
    QSize size = QWidget::sizeHint();
    size.setHeight(size.height() - scroll_->sizeHint().height() + answers_->sizeHint().height());
    return size;
}

// An empty box is no mistake: nothing is said until a day is typed.
void DateWindow::recompute() {
    if (birthBox->text().trimmed().isEmpty()) {
        clearAnswer(QString());
        return;
    }
    const QDate t = today_;
    const DateQuery q = answerDate(u16(birthBox->text()), u16(referenceBox->text()),
                                   {t.year(), t.month(), t.day()}, options());
    if (!q.answer) {
        clearAnswer(qs(q.error));
        return;
    }
    showReason(QString());
    record_ = q.answer->schoolRecord;
    copyResumeButton->setEnabled(true);
    showAnswer(answerLines(answerFields(*q.answer)));
    QStringList notes;
    for (const std::u16string& note : answerNotes(*q.answer))
        notes << QStringLiteral("※ ") + qs(note);
    notesLabel->setText(notes.join(QLatin1Char('\n')));
}

// Each group's lines under its heading; the boxes in the lines' order.
void DateWindow::showAnswer(const std::vector<AnswerLine>& lines) {
    bool made = false;
    answerBoxes.clear();
    for (std::size_t g = 0; g < kAnswerGroupCount; ++g) {
        std::vector<const AnswerLine*> own;
        for (const AnswerLine& line : lines)
            if (line.group == AnswerGroup(g)) own.push_back(&line);
        Group& group = rows_[g];
        made |= showLines(group.form, group.firstLine, group.boxes, own, captionWidth_);
        answerBoxes.insert(answerBoxes.end(), group.boxes.begin(), group.boxes.end());
    }
    for (std::size_t i = 0, item = 0; i < lines.size(); ++i) {
        item = i > 0 && lines[i - 1].label == lines[i].label ? item + 1 : 0;
        const QString name = lineName(lines[i].label, int(i), int(item));
        if (answerBoxes[i]->objectName() != name) answerBoxes[i]->setObjectName(name);
    }
    if (made) chainTabOrder();
}

// Nothing of an earlier answer stays beside a text that names no day.
// The reason is the birth box's description too, which a screen reader says when asked where the
// focus is: a label's new text is not spoken.
void DateWindow::showReason(const QString& reason) {
    reasonCaption->setText(reason);
    const QString description = reason.isEmpty() ? kBirthHint : reason + u' ' + kBirthHint;
    if (birthBox->accessibleDescription() != description)
        birthBox->setAccessibleDescription(description);
}

void DateWindow::clearAnswer(const QString& reason) {
    showReason(reason);
    for (QLineEdit* box : answerBoxes) {
        box->clear();
        setRed(box, QPalette::Text, QPalette::Base, false);
    }
    notesLabel->clear();
    record_.reset();
    copyResumeButton->setEnabled(false);
}

// Tab goes down the window as it reads: the two boxes, then each group's controls and lines.
void DateWindow::chainTabOrder() {
    QWidget* previous = referenceBox;
    const auto chain = [&previous](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    for (const Group& g : rows_) {
        for (QWidget* w : g.before) chain(w);
        for (QWidget* w : g.boxes) chain(w);
        for (QWidget* w : g.after) chain(w);
    }
}

// The 学歴 as lines of a résumé: "平成4年4月 小学校 入学", or "1992年4月 小学校 入学".
void DateWindow::copyResume() {
    if (!record_) return;
    const ResumeCalendar calendar =
        westernResumeCheck->isChecked() ? ResumeCalendar::Western : ResumeCalendar::Japanese;
    QStringList lines;
    for (const SchoolEntry& e : *record_) lines << qs(resumeLine(e, calendar));
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void DateWindow::sexChosen() {
    recompute();
    QString why;
    if (!writeUnluckySex(settings_, chosenSex(), &why))
        std::fprintf(stderr, "yorvane: 厄年の性別を保存できませんでした: %s\n", qPrintable(why));
}

void DateWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    keepWholeOnScreen(this);
}

void DateWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A new desktop theme: the red is made again for its background.
    if (event->type() == QEvent::PaletteChange)
        setRed(reasonCaption, QPalette::WindowText, QPalette::Window, true);
}

}  // namespace yorvane
