#include "date_window.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "colours.h"
#include "placement.h"
#include "u16text.h"
#include "units.h"
#include "window_common.h"
#include "yorvane/answer_fields.h"

namespace yorvane {

namespace {

const QString kTitle = QStringLiteral("日付で調べる");

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
QLineEdit* makeAnswerBox(QWidget* parent, int index, const QString& label) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("textKotae%1").arg(index));
    box->setAccessibleName(label);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setMinimumWidth(320);
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

// The answer's rows made or dropped to match its lines (a list has a row for each item), each
// box named by its label; the notes stay under them.
void showLines(QFormLayout* form, std::vector<QLineEdit*>& boxes,
               const std::vector<AnswerLine>& lines) {
    for (; boxes.size() > lines.size(); boxes.pop_back()) form->removeRow(boxes.back());
    while (boxes.size() < lines.size()) {
        const int row = static_cast<int>(boxes.size());
        boxes.push_back(makeAnswerBox(form->parentWidget(), row, QString()));
        auto* caption = new QLabel(form->parentWidget());
        caption->setBuddy(boxes.back());
        form->insertRow(row, caption, boxes.back());
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QLineEdit* box = boxes[i];
        const QString label = qs(lines[i].label);
        if (box->accessibleName() != label) {
            box->setAccessibleName(label);
            static_cast<QLabel*>(form->labelForField(box))->setText(label);
        }
        box->setText(qs(lines[i].value));
        box->setCursorPosition(0);
        setRed(box, QPalette::Text, QPalette::Base, lines[i].red);
    }
}

}  // namespace

DateWindow::DateWindow(QDate today, QWidget* parent) : QWidget(parent, Qt::Window), today_(today) {
    announceWindowsAsFrames();  // before anything asks for its accessible object
    setObjectName(QStringLiteral("frmHiduke"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    setFont(pGothic(9));
    addCloseKeys(this);

    auto* form = new QFormLayout;
    birthBox = makeInput(this, "textSeinengappi", QStringLiteral("生年月日"),
                         QStringLiteral("1980/3/4、昭和55年3月4日、S55.3.4 など"));
    referenceBox =
        makeInput(this, "textKijunbi", QStringLiteral("基準日"), QStringLiteral("空なら今日"));
    referenceBox->setText(
        QStringLiteral("%1/%2/%3").arg(today.year()).arg(today.month()).arg(today.day()));
    form->addRow(QStringLiteral("生年月日(&B)"), birthBox);
    form->addRow(QStringLiteral("基準日(&K)"), referenceBox);
    reasonCaption = new QLabel(this);
    reasonCaption->setObjectName(QStringLiteral("lblRiyu"));
    // A screen reader reads the reason and the notes themselves: no name stands in for them.
    form->addRow(QString(), reasonCaption);
    // The answers scroll under the boxes when the screen is too low for all of them.
    answers_ = new QWidget;
    auto* answerForm = new QFormLayout(answers_);
    answerForm->setContentsMargins({});
    // Until a day is typed, the rows of an answer for one born on the 基準日 stand empty.
    const Date day{today.year(), today.month(), today.day()};
    if (const DateQuery q = answerDate(dateText(day), day); q.answer)
        showLines(answerForm, answerBoxes, answerLines(answerFields(*q.answer)));
    notesLabel = new QLabel(answers_);
    notesLabel->setObjectName(QStringLiteral("lblChui"));
    notesLabel->setWordWrap(true);
    answerForm->addRow(notesLabel);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrKotae"));
    scroll_->setAccessibleName(QStringLiteral("答え"));
    scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes from the boxes to the answers themselves
    scroll_->setWidget(answers_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(scroll_, 1);

    connect(birthBox, &QLineEdit::textChanged, this, &DateWindow::recompute);
    connect(referenceBox, &QLineEdit::textChanged, this, &DateWindow::recompute);
    recompute();
    setRed(reasonCaption, QPalette::WindowText, QPalette::Window, true);
}

QSize DateWindow::sizeHint() const {
    // Tall enough for every answer; the window is fitted to its screen where it opens.
    QSize size = QWidget::sizeHint();
    size.setHeight(size.height() - scroll_->sizeHint().height() + answers_->sizeHint().height());
    return size;
}

void DateWindow::recompute() {
    const QDate t = today_;
    const DateQuery q = answerDate(u16(birthBox->text()), u16(referenceBox->text()),
                                   {t.year(), t.month(), t.day()});
    if (!q.answer) {
        clearAnswer(qs(q.error));
        return;
    }
    reasonCaption->clear();
    showLines(static_cast<QFormLayout*>(answers_->layout()), answerBoxes,
              answerLines(answerFields(*q.answer)));
    QStringList notes;
    for (const std::u16string& note : answerNotes(*q.answer))
        notes << QStringLiteral("※ ") + qs(note);
    notesLabel->setText(notes.join(QLatin1Char('\n')));
}

// Nothing of an earlier answer stays beside a text that names no day.
void DateWindow::clearAnswer(const QString& reason) {
    reasonCaption->setText(reason);
    for (QLineEdit* box : answerBoxes) {
        box->clear();
        setRed(box, QPalette::Text, QPalette::Base, false);
    }
    notesLabel->clear();
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
