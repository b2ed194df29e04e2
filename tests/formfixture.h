#pragma once
// A main window in a program folder of its own: a temporary copy of the data files, so that
// start-up reads and shutdown writes a settings file that belongs to the test alone.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "fakeplatform.h"
#include "form1.h"

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

inline const QColor kRed(255, 0, 0);
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kGrey(192, 192, 192);

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<yorvane::Form1> form;

    // A window after start-up, shown and active, with the data files and the delivered
    // settings file (designated year 西暦 1990) in its folder.
    explicit Window(bool load = true, bool withSettings = true) {
        copyProgramFolder(dir.path(), withSettings);
        platform = std::make_unique<FakePlatform>(dir.path());
        form = std::make_unique<yorvane::Form1>(*platform);
        if (load) form->Form_Load();
    }
    bool show() {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
    yorvane::Form1* operator->() const { return form.get(); }
    QString settingsFile() const { return QDir(dir.path()).filePath(QStringLiteral("yorvane.ini")); }
};
