#pragma once
// The window 日付で調べる: a day of birth typed in any common notation and a 基準日; at each
// keystroke the day-exact answers of the engine, the same lines the command line prints, under a
// heading for each group (生まれた日, 年齢, 干支と九星, 学歴, 厄年と長寿祝い), or the reason the
// text names no day in a caption under the boxes. Under 学歴 the years of 浪人・留年 and a copy of
// the lines in résumé form; under 厄年と長寿祝い whose 厄年 are listed, remembered in the
// settings file.

#include <QDate>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "platform.h"
#include "yorvane/answer_fields.h"
#include "yorvane/school.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace yorvane {

class DateWindow final : public QWidget {
    Q_OBJECT
public:
    // `today` is the 基準日 it starts with, and the one used while that box is empty; the choice
    // of whose 厄年 are listed is read from and written to `settings`.
    explicit DateWindow(QDate today, SettingsLocation settings = {}, QWidget* parent = nullptr);

    QLineEdit* birthBox = nullptr;      // [birthDateBox]
    QLineEdit* referenceBox = nullptr;  // [referenceDateBox]
    QLabel* reasonCaption = nullptr;    // [reasonLabel] why the text names no day, in red
    // A titled box per group of answers, in the groups' order ([birthdayGroup] ...).
    std::array<QGroupBox*, kAnswerGroupCount> groups{};
    // One read-only box per line of the answer, in the lines' order, named by its label.
    std::vector<QLineEdit*> answerBoxes;
    QLabel* notesLabel = nullptr;             // [notesLabel] remarks on the answer
    QSpinBox* extraYearsBox = nullptr;        // [extraYearsBox] years of 浪人・留年
    QPushButton* copyResumeButton = nullptr;  // [copyResumeButton] the 学歴 to the clipboard
    QCheckBox* westernResumeCheck = nullptr;  // [westernResumeCheck] the copy in 西暦
    QComboBox* sexChoice = nullptr;           // [unluckySexChoice] both, 男 or 女

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // A group's rows: the controls above its lines, its lines, the controls under them.
    struct Group {
        QFormLayout* form = nullptr;
        int firstLine = 0;  // the form's row of the first line
        std::vector<QLineEdit*> boxes;
        std::vector<QWidget*> before, after;
    };

    void makeGroups(QWidget* answers);
    void makeSchoolControls(Group& school);
    void makeSexChoice(Group& customs);
    AnswerOptions options() const;
    std::optional<Sex> chosenSex() const;
    void showReason(const QString& reason);
    void recompute();
    void showAnswer(const std::vector<AnswerLine>& lines);
    void clearAnswer(const QString& reason);
    void chainTabOrder();
    void copyResume();
    void sexChosen();

    QDate today_;
    SettingsLocation settings_;
    std::array<Group, kAnswerGroupCount> rows_{};
    std::optional<SchoolRecord> record_;  // of the answer shown
    int captionWidth_ = 0;                // of the widest label: the groups' captions line up
    QWidget* answers_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace yorvane
