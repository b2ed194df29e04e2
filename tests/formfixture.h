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

// The controls of a main window, found by their objectNames: what a test reads and drives.
struct Controls {
    QComboBox* cboGengo = nullptr;
    QLineEdit* textNen = nullptr;
    QLabel* lblGengo = nullptr;
    QLabel* lblNen = nullptr;
    QLabel* lblJidai = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* ComExch = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* textShitei = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* lblSeireki = nullptr;
    QLabel* lblnenrei = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lbl9sei = nullptr;
    QLabel* lbleto = nullptr;
    QLabel* lblkana = nullptr;
    QLabel* Image1 = nullptr;
    QAction* mnuGengo = nullptr;
    QAction* mnuHayami = nullptr;
    QMenu* mnuH = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuVer = nullptr;

    Controls() = default;
    explicit Controls(const QObject* form) { find(form); }
    void find(const QObject* form) {
        const auto named = [form](auto*& control, const char* name) {
            control = form->findChild<std::remove_reference_t<decltype(*control)>*>(
                QString::fromLatin1(name));
            QVERIFY2(control, name);
        };
#define YORVANE_FIND(name) named(name, #name)
        YORVANE_FIND(cboGengo);
        YORVANE_FIND(textNen);
        YORVANE_FIND(lblGengo);
        YORVANE_FIND(lblNen);
        YORVANE_FIND(lblJidai);
        YORVANE_FIND(Label3);
        YORVANE_FIND(Label4);
        YORVANE_FIND(Frame1);
        YORVANE_FIND(ComExch);
        YORVANE_FIND(Option1);
        YORVANE_FIND(Option2);
        YORVANE_FIND(Label12);
        YORVANE_FIND(textShitei);
        YORVANE_FIND(Label13);
        YORVANE_FIND(lblSeireki);
        YORVANE_FIND(lblnenrei);
        YORVANE_FIND(Label11);
        YORVANE_FIND(Label7);
        YORVANE_FIND(Label8);
        YORVANE_FIND(lbl9sei);
        YORVANE_FIND(lbleto);
        YORVANE_FIND(lblkana);
        YORVANE_FIND(Image1);
        YORVANE_FIND(mnuGengo);
        YORVANE_FIND(mnuHayami);
        YORVANE_FIND(mnuH);
        YORVANE_FIND(mnuHelp);
        YORVANE_FIND(mnuVer);
#undef YORVANE_FIND
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
