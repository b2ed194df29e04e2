#pragma once
// The main window: the birth-year line, the age box, the right column with the sign and its
// picture, and the menu bar. Every control carries its designed name as objectName (the
// glossary in DESIGN.md pairs each with its member here). What the window reads is kept as
// MainInputs; a handler changes one input and renders the view the engine makes of them.

#include <QAccessible>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "settings.h"
#include "version_window.h"
#include "yorvane/view.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace yorvane {

class AgeTableWindow;
class DateWindow;
class PictureBox;
class Platform;
class YearBox;

class MainWindow : public QMainWindow, private QAccessible::ActivationObserver {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: the era list on 昭和, the stored position and designated year. Shutdown: the
    // position and the designated year written back. In between they are written about a second
    // after each change has come to rest, so that a lost display or a crash loses at most that.
    void loadSettings();
    void saveSettings();

private:
    // The answers in words for a screen reader are written only while one listens (they cost a
    // few microseconds a keystroke), and all at once when one starts listening.
    void accessibilityActiveChanged(bool active) override;

    // Building the window (main_window_build.cpp).
    void createAgeBox(QWidget* client);
    void createReferenceButtons();
    void createDesignatedYearBox();
    void createAgeLabels();
    void createBirthYearLine(QWidget* client);
    void createRightColumn(QWidget* client);
    void createMenuBar();
    void connectHandlers();
    void bindKeys();

    // Every control from the view; a control that already shows its part is left alone.
    void render(const MainView& view);
    void renderAgeBox(const MainView& view);
    void fitFigure();
    void renderWording(const Wording& wording);
    void renderPicture(const MainView& view);
    // Changes the inputs with `change`, then renders them.
    void apply(const std::function<void(MainInputs&)>& change);

    // What happened.
    void birthYearChanged();
    void followBirthYear();
    void designatedYearChanged();
    void designatedYearBoxVisited();
    void thisYearOptionFocused(Qt::FocusReason reason);
    void designatedYearOptionFocused(Qt::FocusReason reason);
    void designatedYearOptionClicked();
    void exchangeClicked();
    void openDocument(const QString& fileName, const QString& what);
    void eraTableChosen();
    void ageTableChosen();
    void dateWindowChosen();
    void helpChosen();
    void versionChosen();

    // What the keys do.
    void chooseBirthEra(Era era);
    void chooseDesignatedEra(Era era);
    void focusBirthYear();
    void focusDesignatedYear();
    void selectDesignatedYearOption();

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
    QAction* quitAction = nullptr;                 // [mnuQuit], Ctrl+Q, in no menu

    MainInputs inputs_;
    bool rendering_ = false;                // the controls' own signals are the render's echo
    std::uint32_t shownPictureSerial_ = 0;  // the picture choice the picture control shows

    struct KeyBinding {
        QObject* control;
        int key;
        std::function<void()> action;
        bool consumed;  // the control does not see the key
    };
    std::vector<KeyBinding> keyBindings_;

    Platform& platform_;
    QPointer<VersionWindow> versionWindow_;
    std::unique_ptr<AgeTableWindow> ageTable_;  // made on first use
    std::unique_ptr<DateWindow> dateWindow_;    // made on first use
    // The settings: what saveSettings writes now, and the save that waits for changes to rest.
    MainWindowSettings settingsNow() const;
    void settingsMayHaveChanged();
    QTimer* saveTimer_ = nullptr;     // made once start-up has read the settings
    MainWindowSettings savedValues_;  // as last read or written: no save while they are the same
    QString reportedFailure_;         // the reason of the last failed save, said once
    bool settingsSaved_ = false;
    QFont figureFont_;  // the figure's designed font; smaller only where it would not fit

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
};

}  // namespace yorvane
