#pragma once
// The window 日付で調べる: a day of birth typed in any common notation and a 基準日; at each
// keystroke the day-exact answers of the engine, the same lines the command line prints, or the
// reason the text names no day in a caption under the boxes.

#include <QDate>
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollArea;

namespace yorvane {

class DateWindow final : public QWidget {
    Q_OBJECT
public:
    // `today` is the 基準日 it starts with, and the one used while that box is empty.
    explicit DateWindow(QDate today, QWidget* parent = nullptr);

    QLineEdit* birthBox = nullptr;      // [textSeinengappi]
    QLineEdit* referenceBox = nullptr;  // [textKijunbi]
    QLabel* reasonCaption = nullptr;    // [lblRiyu] why the text names no day, in red
    // One read-only box per line of the answer, named by its label ([textKotae0] ...).
    std::vector<QLineEdit*> answerBoxes;
    QLabel* notesLabel = nullptr;  // [lblChui] remarks on the answer

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void recompute();
    void clearAnswer(const QString& reason);

    QDate today_;
    QWidget* answers_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace yorvane
