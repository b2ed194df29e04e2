#pragma once
// A box for a year number, as both year boxes of the main window are: at most four characters
// from the user, typed or pasted (the program's own texts, a stored "ERROR" for one, stay
// whole); the whole text selected on a click, on Enter and on each new visit; Enter never typed.

#include <QLineEdit>

namespace yorvane {

// Coming back from another window or from a menu is no new visit of a control: the caret and
// the selection stay as they were.
bool isNewVisit(Qt::FocusReason reason);

class YearBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 4;

    explicit YearBox(const QString& text, QWidget* parent);

signals:
    // The box got the focus on a new visit; its text is selected.
    void visited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace yorvane
