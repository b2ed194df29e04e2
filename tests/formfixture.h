#pragma once
// A main window in a program folder of its own: a temporary copy of the data files, so that
// start-up reads and shutdown writes a settings file that belongs to the test alone.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "colours.h"
#include "fakeplatform.h"
#include "main_window.h"

// Copies every data file into `folder`; `withSettings` false leaves the settings file out.
inline void copyProgramFolder(const QString& folder, bool withSettings = true) {
    const QDir data(FakePlatform::defaultFolder());
    for (const QString& name : data.entryList(QDir::Files)) {
        if (!withSettings && name == QStringLiteral("yorvane.ini")) continue;
        QFile::copy(data.filePath(name), QDir(folder).filePath(name));
    }
}

// The text colour a label or a text box shows.
inline QColor textColour(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) ? w->palette().color(QPalette::Text)
                                             : w->palette().color(QPalette::WindowText);
}
inline QColor backgroundColour(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) ? w->palette().color(QPalette::Base)
                                             : w->palette().color(QPalette::Window);
}

using yorvane::colours::kBlack;
using yorvane::colours::kRed;
using yorvane::colours::kWhite;
inline const QColor kGrey = yorvane::colours::kWindowGrey;

// The version window, while one exists: it has no owner, so it is a top-level window of its own.
inline yorvane::VersionWindow* versionWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<yorvane::VersionWindow*>(w)) return f;
    return nullptr;
}

// The controls of a main window by their roles (the glossary in DESIGN.md), each found by its
// objectName: what a test reads and drives.
struct Controls {
    QComboBox* eraList = nullptr;
    QLineEdit* birthYearBox = nullptr;
    QLabel* birthYearUnit = nullptr;
    QLabel* otherEraLabel = nullptr;
    QLabel* otherYearLabel = nullptr;
    QLabel* otherYearUnit = nullptr;
    QLabel* periodLabel = nullptr;
    QGroupBox* ageFrame = nullptr;
    QPushButton* exchangeButton = nullptr;
    QRadioButton* thisYearOption = nullptr;
    QRadioButton* designatedYearOption = nullptr;
    QLabel* designatedEraCaption = nullptr;
    QLineEdit* designatedYearBox = nullptr;
    QLabel* designatedYearUnit = nullptr;
    QLabel* designatedWesternLabel = nullptr;
    QLabel* ageFigure = nullptr;
    QLabel* ageUnit = nullptr;
    QLabel* nineStarCaption = nullptr;
    QLabel* signCaption = nullptr;
    QLabel* nineStarLabel = nullptr;
    QLabel* signLabel = nullptr;
    QLabel* signReadingLabel = nullptr;
    QLabel* signPicture = nullptr;
    QAction* eraTableAction = nullptr;
    QAction* ageTableAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* helpAction = nullptr;
    QAction* versionAction = nullptr;

    Controls() = default;
    explicit Controls(const QObject* window) { find(window); }
    void find(const QObject* window) {
        const auto named = [window](auto*& control, const char* objectName) {
            control = window->findChild<std::remove_reference_t<decltype(*control)>*>(
                QString::fromLatin1(objectName));
            QVERIFY2(control, objectName);
        };
        named(eraList, "cboGengo");
        named(birthYearBox, "textNen");
        named(birthYearUnit, "Label4");
        named(otherEraLabel, "lblGengo");
        named(otherYearLabel, "lblNen");
        named(otherYearUnit, "Label3");
        named(periodLabel, "lblJidai");
        named(ageFrame, "Frame1");
        named(exchangeButton, "ComExch");
        named(thisYearOption, "Option1");
        named(designatedYearOption, "Option2");
        named(designatedEraCaption, "Label12");
        named(designatedYearBox, "textShitei");
        named(designatedYearUnit, "Label13");
        named(designatedWesternLabel, "lblSeireki");
        named(ageFigure, "lblnenrei");
        named(ageUnit, "Label11");
        named(nineStarCaption, "Label7");
        named(signCaption, "Label8");
        named(nineStarLabel, "lbl9sei");
        named(signLabel, "lbleto");
        named(signReadingLabel, "lblkana");
        named(signPicture, "Image1");
        named(eraTableAction, "mnuGengo");
        named(ageTableAction, "mnuHayami");
        named(helpMenu, "mnuH");
        named(helpAction, "mnuHelp");
        named(versionAction, "mnuVer");
    }
};

struct Window : Controls {
    QTemporaryDir dir;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<yorvane::MainWindow> form;

    // A window after start-up, shown and active, with the data files and the delivered
    // settings file (designated year 西暦 1990) in its folder.
    explicit Window(bool load = true, bool withSettings = true) {
        copyProgramFolder(dir.path(), withSettings);
        platform = std::make_unique<FakePlatform>(dir.path());
        form = std::make_unique<yorvane::MainWindow>(*platform);
        find(form.get());
        if (load) form->loadSettings();
    }
    bool show() {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
    yorvane::MainWindow* operator->() const { return form.get(); }
    QString settingsFile() const {
        return QDir(dir.path()).filePath(QStringLiteral("yorvane.ini"));
    }
};
