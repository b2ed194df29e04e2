#include "year_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>
#include <algorithm>

namespace yorvane {

namespace {

// Cuts a paste to four characters. A text set from code leaves the box unmodified; only an
// edit of the user is cut, and what is cut is the end of what was just inserted (before the
// caret), as a box that is full takes no more.
class PasteLimit final : public QValidator {
public:
    explicit PasteLimit(QLineEdit* box) : QValidator(box), box_(box) {}
    State validate(QString& input, int& pos) const override {
        const qsizetype excess = input.size() - YearBox::kMaxTyped;
        if (excess > 0 && box_->isModified()) {
            const qsizetype start = std::max<qsizetype>(0, pos - excess);
            input.remove(start, pos - start);
            if (input.size() > YearBox::kMaxTyped) input.truncate(YearBox::kMaxTyped);
            pos = std::min(static_cast<int>(start), YearBox::kMaxTyped);
        }
        return Acceptable;
    }

private:
    QLineEdit* box_;
};

}  // namespace

bool isNewVisit(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

YearBox::YearBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setValidator(new PasteLimit(this));
    setTextMargins(0, 0, 0, 0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setToolTip(
        QStringLiteral("「↓」で明治、「←」で大正、「↑」で昭和、「→」で平成、３桁以上で西暦"));
}

void YearBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        selectAll();
        return;
    }
    // A fifth character is not typed.
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() &&
        text().size() - selectedText().size() + typed.size() > kMaxTyped)
        return;
    QLineEdit::keyPressEvent(event);
}

void YearBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) selectAll();
}

void YearBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!isNewVisit(event->reason())) return;
    selectAll();
    emit visited();
}

}  // namespace yorvane
