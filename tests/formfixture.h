#pragma once
// A main window in a program folder of its own: a temporary copy of the data files, so that
// start-up reads and shutdown writes a settings file that belongs to the test alone.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTimer>
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

// The text of the message box that `action` brings up (its text, informative text and
// buttons), closed at once; empty when none does.
template <class F>
QString messageDuring(F action) {
    QString text;
    // A timer of this call's own: when no box comes up, it goes with the call instead of
    // closing a later test's box.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text() + u'\n' + box->informativeText();
            for (const QAbstractButton* button : box->buttons()) text += u'\n' + button->text();
            box->accept();
        }
    });
    timer.start(50);
    action();
    return text;
}

// Where a main window opens when no settings give it a usable position.
inline QPoint designPosition() {
    FakePlatform platform;
    return yorvane::MainWindow(platform).pos();
}

// The version window, while one exists: it has no owner, so it is a top-level window of its own.
inline yorvane::VersionWindow* versionWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<yorvane::VersionWindow*>(w)) return f;
    return nullptr;
}

// The room a text takes: its advance across, the height of its glyphs' ink (a large face's
// line is taller than the glyphs themselves).
inline QSize inkSize(const QWidget* c, const QString& text) {
    return {c->fontMetrics().horizontalAdvance(text),
            c->fontMetrics().tightBoundingRect(text).height()};
}

// Where a control shows something, in its parent's coordinates: a bare label its text by its
// alignment, an option button its mark and caption from its left edge, anything else (a filled
// label, a picture, a box, a list, a button, a frame) its whole rectangle.
inline QRect shownRect(const QWidget* c) {
    if (auto* l = qobject_cast<const QLabel*>(c);
        l && !l->autoFillBackground() && l->pixmap().isNull())
        return QStyle::alignedRect(l->layoutDirection(), l->alignment(), inkSize(l, l->text()),
                                   l->contentsRect())
            .translated(l->pos());
    if (qobject_cast<const QRadioButton*>(c)) return {c->pos(), c->sizeHint()};
    return c->geometry();
}

// The texts a control shows, and the room it has for them.
inline QStringList textsOf(const QWidget* c) {
    if (auto* l = qobject_cast<const QLabel*>(c)) return {l->text()};
    if (auto* e = qobject_cast<const QLineEdit*>(c)) return {e->text()};
    if (auto* b = qobject_cast<const QAbstractButton*>(c)) return {b->text()};
    if (auto* g = qobject_cast<const QGroupBox*>(c)) return {g->title()};
    QStringList items;
    if (auto* list = qobject_cast<const QComboBox*>(c))
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}
// Whether `text` is shown whole at the control's font in the room it has for it.
inline bool textFits(const QWidget* c, const QString& text) {
    const int width = c->fontMetrics().horizontalAdvance(text);
    const int frame = c->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, c);
    if (auto* list = qobject_cast<const QComboBox*>(c)) {
        QStyleOptionComboBox o;
        o.initFrom(list);
        return width <=
               c->style()
                   ->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c)
                   .width();
    }
    if (auto* l = qobject_cast<const QLabel*>(c)) {
        return l->contentsRect().size().expandedTo(inkSize(l, text)) == l->contentsRect().size();
    }
    if (qobject_cast<const QRadioButton*>(c))
        return c->sizeHint().width() <= c->width() && c->sizeHint().height() <= c->height();
    if (qobject_cast<const QLineEdit*>(c)) return width <= c->width() - 2 * (frame + 2);
    return width <= c->width() - 2 * frame;
}

// What a user must be able to see of a window's controls below `client` (frames entered): each
// lies inside its container, shows every text it holds whole (but for `known`, whose text is
// checked by the caller) and in a face that has every character of it, and nothing it shows
// lies under what another control shows.
inline void checkLayout(const QWidget* client, const QWidget* known = nullptr) {
    QList<const QWidget*> controls;
    for (const QWidget* c : client->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!c->isVisibleTo(client)) continue;
        if (qobject_cast<const QGroupBox*>(c)) {
            checkLayout(c, known);
            if (QTest::currentTestFailed()) return;
        }
        controls << c;
    }
    for (const QWidget* c : controls) {
        const QByteArray name = c->objectName().toUtf8();
        const QRect shown = shownRect(c);
        QVERIFY2(shown.isEmpty() || client->rect().contains(shown), name);
        QVERIFY2(shown.isEmpty() || c->geometry().contains(shown), name);
        const QRawFont face = QRawFont::fromFont(c->font());
        for (const QString& text : textsOf(c)) {
            QVERIFY2(c == known || textFits(c, text), name + ": " + text.toUtf8());
            for (const char32_t ch : text.toUcs4())
                QVERIFY2(face.supportsCharacter(ch), name + ": " + text.toUtf8());
        }
        for (const QWidget* other : controls)
            QVERIFY2(other == c || !shown.intersects(shownRect(other)),
                     name + " under " + other->objectName().toUtf8());
    }
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

    // Each control under the name of its role, for tests whose rows name controls.
    QHash<QString, QObject*> roles;
    QWidget* widget(const QString& role) const { return qobject_cast<QWidget*>(roles.value(role)); }
    QString roleOf(const QObject* control) const {
        return control ? roles.key(const_cast<QObject*>(control), control->objectName())
                       : QStringLiteral("(none)");
    }

    Controls() = default;
    explicit Controls(const QObject* window) { find(window); }
    void find(const QObject* window) {
        const auto named = [this, window](auto*& control, const char* role,
                                          const char* objectName) {
            control = window->findChild<std::remove_reference_t<decltype(*control)>*>(
                QString::fromLatin1(objectName));
            QVERIFY2(control, objectName);
            roles.insert(QString::fromLatin1(role), control);
        };
        named(eraList, "eraList", "cboGengo");
        named(birthYearBox, "birthYearBox", "textNen");
        named(birthYearUnit, "birthYearUnit", "Label4");
        named(otherEraLabel, "otherEraLabel", "lblGengo");
        named(otherYearLabel, "otherYearLabel", "lblNen");
        named(otherYearUnit, "otherYearUnit", "Label3");
        named(periodLabel, "periodLabel", "lblJidai");
        named(ageFrame, "ageFrame", "Frame1");
        named(exchangeButton, "exchangeButton", "ComExch");
        named(thisYearOption, "thisYearOption", "Option1");
        named(designatedYearOption, "designatedYearOption", "Option2");
        named(designatedEraCaption, "designatedEraCaption", "Label12");
        named(designatedYearBox, "designatedYearBox", "textShitei");
        named(designatedYearUnit, "designatedYearUnit", "Label13");
        named(designatedWesternLabel, "designatedWesternLabel", "lblSeireki");
        named(ageFigure, "ageFigure", "lblnenrei");
        named(ageUnit, "ageUnit", "Label11");
        named(nineStarCaption, "nineStarCaption", "Label7");
        named(signCaption, "signCaption", "Label8");
        named(nineStarLabel, "nineStarLabel", "lbl9sei");
        named(signLabel, "signLabel", "lbleto");
        named(signReadingLabel, "signReadingLabel", "lblkana");
        named(signPicture, "signPicture", "Image1");
        named(eraTableAction, "eraTableAction", "mnuGengo");
        named(ageTableAction, "ageTableAction", "mnuHayami");
        named(helpMenu, "helpMenu", "mnuH");
        named(helpAction, "helpAction", "mnuHelp");
        named(versionAction, "versionAction", "mnuVer");
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
