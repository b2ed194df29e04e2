#include "date_window.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "colours.h"
#include "u16text.h"
#include "units.h"
#include "yorvane/dateanswer.h"

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

void setRed(QLineEdit* box, bool red) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text, red ? colours::kRed : colours::kBlack);
    box->setPalette(p);
}

}  // namespace

DateWindow::DateWindow(QDate today, QWidget* parent) : QWidget(parent, Qt::Window), today_(today) {
    setObjectName(QStringLiteral("frmHiduke"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    setFont(pGothic(9));

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
    reasonCaption->setAccessibleName(QStringLiteral("入力の誤り"));
    QPalette reasonColour = reasonCaption->palette();
    reasonColour.setColor(QPalette::WindowText, colours::kRed);
    reasonCaption->setPalette(reasonColour);
    form->addRow(QString(), reasonCaption);
    // The answers scroll under the boxes when the screen is too low for all of them.
    answers_ = new QWidget;
    auto* answerForm = new QFormLayout(answers_);
    answerForm->setContentsMargins({});
    for (std::u16string_view label : kAnswerLabels) {
        auto* box = makeAnswerBox(answers_, static_cast<int>(answerBoxes.size()), qs(label));
        answerBoxes.push_back(box);
        answerForm->addRow(qs(label), box);
    }
    notesLabel = new QLabel(answers_);
    notesLabel->setObjectName(QStringLiteral("lblChui"));
    notesLabel->setAccessibleName(QStringLiteral("注意"));
    notesLabel->setWordWrap(true);
    answerForm->addRow(notesLabel);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrKotae"));
    scroll_->setAccessibleName(QStringLiteral("答え"));
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
    const std::vector<AnswerLine> lines = answerLines(*q.answer);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        answerBoxes[i]->setText(qs(lines[i].value));
        answerBoxes[i]->setCursorPosition(0);
        setRed(answerBoxes[i], lines[i].red);
    }
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
        setRed(box, false);
    }
    notesLabel->clear();
}

void DateWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace yorvane
