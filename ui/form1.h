#pragma once
// The main window: the birth-year line, the age box, the right column with the sign and its
// picture, and the menu bar. Every control carries its designed name as objectName (the
// glossary in DESIGN.md pairs each with its member here). The handlers gather what the
// controls hold, ask the engine and write its answer back.

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form2.h"
#include "yorvane/age.h"
#include "yorvane/eras.h"

class QAction;
class QComboBox;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace yorvane {

class AgeTableWindow;
class DateWindow;
class Platform;
class YearBox;

// A picture control: stretches its picture to its own size and reports clicks.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool afterDoubleClick_ = false;
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload();

    // One value of the settings file as readFile gives it; the text "ERROR" when there is no
    // file or no such value.
    QString GetINIValue(const QString& key, const QString& section,
                        const std::optional<QByteArray>& file) const;
    // The settings file the start-up reads.
    QString settingsPath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBirthYearLine(QWidget* client);
    void buildAgeBox(QWidget* client);
    void buildDesignatedYearBox();
    void buildAgeLabels();
    void buildRightColumn(QWidget* client);
    void buildMenuBar();
    void connectHandlers();
    void bindKeys();

    // What happened.
    void birthYearChanged();
    void designatedYearChanged();
    void birthYearBoxVisited();
    void designatedYearBoxVisited();
    void thisYearOptionFocused(Qt::FocusReason reason);
    void designatedYearOptionFocused(Qt::FocusReason reason);
    void designatedYearOptionClicked();
    void exchangeClicked();
    void eraTableChosen();
    void ageTableChosen();
    void dateWindowChosen();
    void helpChosen();
    void versionChosen();
    void pictureClicked();
    void pictureDoubleClicked();

    // What the keys do.
    void chooseBirthEra(Era era);
    void chooseDesignatedEra(Era era);
    void focusBirthYear();
    void focusDesignatedYear();
    void clearBirthYear();
    void clearDesignatedYear();
    void selectDesignatedYearOption();

    // Writing the controls.
    DesignatedInput designatedInput(const QString& text) const;
    void setDesignatedEra(std::optional<Era> era, const QString& otherCaption = {});
    void showFigure(const Figure& figure);
    void showWording(const Wording& wording);
    void showPicture(const QString& fileName);

    // Controls (objectName in brackets).
    QComboBox* eraList = nullptr;                  // [cboGengo] the era of the year of birth
    YearBox* birthYearBox = nullptr;               // [textNen]
    QLabel* otherEraLabel = nullptr;               // [lblGengo]
    QLabel* otherYearLabel = nullptr;              // [lblNen]
    QLabel* periodLabel = nullptr;                 // [lblJidai]
    QGroupBox* ageFrame = nullptr;                 // [Frame1]
    QPushButton* exchangeButton = nullptr;         // [ComExch]
    QRadioButton* thisYearOption = nullptr;        // [Option1]
    QRadioButton* designatedYearOption = nullptr;  // [Option2]
    QLabel* designatedEraCaption = nullptr;        // [Label12]
    YearBox* designatedYearBox = nullptr;          // [textShitei]
    QLabel* designatedYearUnit = nullptr;          // [Label13]
    QLabel* designatedWesternLabel = nullptr;      // [lblSeireki]
    QLabel* ageFigure = nullptr;                   // [lblnenrei]
    QLabel* ageUnit = nullptr;                     // [Label11]
    QLabel* nineStarLabel = nullptr;               // [lbl9sei]
    QLabel* signLabel = nullptr;                   // [lbleto]
    QLabel* signReadingLabel = nullptr;            // [lblkana]
    PictureBox* signPicture = nullptr;             // [Image1]
    QAction* eraTableAction = nullptr;             // [mnuGengo]
    QAction* ageTableAction = nullptr;             // [mnuHayami]
    QAction* dateAction = nullptr;                 // [mnuHiduke]
    QMenu* helpMenu = nullptr;                     // [mnuH]
    QAction* helpAction = nullptr;                 // [mnuHelp]
    QAction* versionAction = nullptr;              // [mnuVer]

    // What the controls do not show themselves.
    std::int32_t birthYear_ = 0;                       // the Western year of birth, 0 for none
    std::optional<Era> designatedEra_ = Era::Western;  // none for a caption naming no era
    std::u16string designatedWestern_;                 // kept while the caption names no era

    struct KeyBinding {
        QObject* control;
        int key;
        std::function<void()> action;
        bool consumed;  // the control does not see the key
    };
    std::vector<KeyBinding> keyBindings_;

    Platform& platform_;
    QPointer<Form2> form2_;
    std::unique_ptr<AgeTableWindow> ageTable_;  // made on first use
    std::unique_ptr<DateWindow> dateWindow_;    // made on first use
    bool unloaded_ = false;
};

}  // namespace yorvane
