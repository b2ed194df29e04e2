#pragma once
// The main window: the birth-year line, the age box, the right column with the sign and its
// picture, and the menu bar. Every control carries its name as objectName; each event the
// program handles has one method named after the control and the event.

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

#include "form2.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace yorvane {


class Platform;

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

    // Desktop key codes the keyboard handlers work with.
    enum Key : int {
        KeyReturn = 13, KeyShift = 16, KeyControl = 17, KeySpace = 32,
        KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40,
        KeyInsert = 45, KeyDelete = 46,
    };
    // The desktop key code of a Qt key, 0 for a key no handler looks at.
    static int virtualKey(int qtKey);

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload();

    // The recalculation and the designated year.
    void textNen_Change();
    void Option1_GotFocus();
    void Option2_Click();
    void textShitei_Change();
    void textShitei_GotFocus();
    void ComExch_Click();

    // Keyboard. A handler sets keyCode (or keyAscii) to 0 to consume the key (or character).
    void cboGengo_KeyDown(int& keyCode, int shift);
    void ComExch_KeyDown(int& keyCode, int shift);
    void Option1_KeyDown(int& keyCode, int shift);
    void Option2_KeyDown(int& keyCode, int shift);
    void textNen_KeyDown(int& keyCode, int shift);
    void textNen_KeyPress(int& keyAscii);
    void textNen_Click();
    void textNen_GotFocus();
    void textShitei_KeyDown(int& keyCode, int shift);
    void textShitei_KeyPress(int& keyAscii);
    void textShitei_Click();

    // Menus and the picture.
    void mnuGengo_Click();
    void mnuHelp_Click();
    void mnuVer_Click();
    void Image1_Click();
    void Image1_DblClick();

    // One value of the settings file as readFile gives it; the text "ERROR" when there is no
    // file or no such value.
    QString GetINIValue(const QString& key, const QString& section,
                        const std::optional<QByteArray>& file) const;
    // The settings file the start-up reads.
    QString settingsPath() const;

    Form2* versionWindow() const { return form2_; }

    // Controls.
    QComboBox* cboGengo = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* ComExch = nullptr;
    QLineEdit* textShitei = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLabel* lblSeireki = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* lblnenrei = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* textNen = nullptr;
    QLabel* lblJidai = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblNen = nullptr;
    QLabel* lblGengo = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* lblkana = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lbleto = nullptr;
    QLabel* lbl9sei = nullptr;
    QLabel* Label4 = nullptr;
    QAction* mnuGengo = nullptr;
    QMenu* mnuH = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuVer = nullptr;

    // Form-level variables, shared by the handlers.
    std::int32_t inputNen = 0;
    std::int32_t seirekiNen = 0;
    std::int32_t gengoNen = 0;
    std::int16_t kyuseiIdx = 0, jikkanIdx = 0, junishiIdx = 0;
    QString kyuseiText, jikkanText, junishiText, jikkanKana, junishiKana;
    std::int32_t shiteiNen = 0;
    QString shiteiSeireki;
    double nenreiValue = 0;
    std::int16_t exchGengoIdx = 0;
    QString exchShiteiGengo, exchNenText, exchShiteiText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBirthYearLine(QWidget* client);
    void buildAgeBox(QWidget* client);
    void buildRightColumn(QWidget* client);
    void buildMenuBar();
    void connectHandlers();

    void showPicture(const QString& fileName);
    void selectWholeText(QLineEdit* box);
    void selectOption2();
    void colourFigure();
    void colourDesignatedYear();
    void resolveDesignatedYear();
    void showDesignatedWesternYear();
    void designatedFigure();
    void thisYearFigure();

    Platform& platform_;
    QPointer<Form2> form2_;
    bool unloaded_ = false;
};

}  // namespace yorvane
