#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "agetable_window.h"
#include "colours.h"
#include "control_colours.h"
#include "date_window.h"
#include "messages.h"
#include "picture_box.h"
#include "placement.h"
#include "platform.h"
#include "settings.h"
#include "u16text.h"
#include "window_common.h"
#include "year_box.h"
#include "yorvane/text.h"

namespace yorvane {

using namespace colours;

namespace {
// A number as the window shows it; none shows nothing.
QString numberText(const std::optional<std::int64_t>& n) { return n ? qs(decimal(*n)) : QString(); }

// Sets a box's text unless it holds it already: setText would move the caret and drop the
// selection even for the same text.
void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

// The answers reach a screen reader from the box they were typed in: its description, which a
// reader speaks when asked where the focus is. The exchange button's description says what the
// exchange made of the birth year. Without a year each says what it is for.
void describeAnswers(QWidget* birthYearBox, QWidget* exchangeButton, const MainView& view) {
    if (!QAccessible::isActive()) return;
    const QString answers = qs(spokenAnswers(view));
    const QString exchange = QStringLiteral("生まれ年と指定年を入れ替える");
    const auto describe = [](QWidget* w, const QString& description) {
        if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    };
    if (answers.isEmpty()) {
        describe(birthYearBox, QStringLiteral("元号の欄の暦で数えた生まれ年"));
        describe(exchangeButton, exchange);
        return;
    }
    describe(birthYearBox, answers);
    const QString year = view.listEra ? qs(eraName(*view.listEra)) : QString();
    describe(exchangeButton, exchange + QStringLiteral("。いまの生まれ年は") + year +
                                 qs(view.birthText) + QStringLiteral("年、") + answers);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// The view

void MainWindow::accessibilityActiveChanged(bool active) {
    if (!active) return;
    MainInputs now = inputs_;
    now.currentYear = platform_.currentYear();
    describeAnswers(birthYearBox, exchangeButton, mainView(now));
}

void MainWindow::apply(const std::function<void(MainInputs&)>& change) {
    change(inputs_);
    inputs_.currentYear = platform_.currentYear();
    render(mainView(inputs_));
    settingsMayHaveChanged();
}

void MainWindow::render(const MainView& view) {
    rendering_ = true;
    if (view.listEra && eraAt(eraList->currentIndex()) != view.listEra)
        eraList->setCurrentIndex(eraIndex(*view.listEra));
    setBoxText(birthYearBox, qs(view.birthText));
    setTextColour(birthYearBox, view.birthRed ? kRed : kBlack);
    otherEraLabel->setText(qs(view.otherEra));
    otherYearLabel->setText(qs(view.otherYear));
    periodLabel->setText(qs(view.period));
    nineStarLabel->setText(qs(view.nineStar));
    signReadingLabel->setText(qs(view.signReading));
    signLabel->setText(qs(view.sign));
    renderAgeBox(view);
    renderPicture(view);
    describeAnswers(birthYearBox, exchangeButton, view);
    rendering_ = false;
}

void MainWindow::renderAgeBox(const MainView& view) {
    thisYearOption->setChecked(!view.designatedIsReference);
    designatedYearOption->setChecked(view.designatedIsReference);
    designatedEraCaption->setText(qs(view.designatedCaption));
    setBoxText(designatedYearBox, qs(view.designatedText));
    setTextColour(designatedYearBox, view.designatedRed ? kRed : kBlack);
    designatedYearBox->setEnabled(view.designatedActive);
    setBackground(designatedYearBox, view.designatedActive ? kWhite : kWindowGrey);
    for (QLabel* l : {designatedEraCaption, designatedYearUnit})
        setTextColour(l, view.designatedActive ? kBlack : buttonShadow());
    designatedWesternLabel->setText(numberText(view.designatedWestern));
    setTextColour(designatedWesternLabel, view.designatedWesternActive ? kBlack : buttonShadow());
    const QString figure = numberText(view.figure);
    if (ageFigure->text() != figure) {
        ageFigure->setText(figure);
        fitFigure();
    }
    setTextColour(ageFigure, view.figure && *view.figure < 0 ? kRed : kBlack);
    renderWording(view.wording);
}

// The figure at its designed size, or smaller where it would not fit its box: a year far off
// gives more digits than the box holds, and the box would show only their right part, a
// negative figure without its sign.
void MainWindow::fitFigure() {
    QFont font = figureFont_;
    const int room = ageFigure->contentsRect().width();
    while (font.pointSizeF() > 6.0 &&
           QFontMetrics(font).horizontalAdvance(ageFigure->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.75);
    if (ageFigure->font() != font) ageFigure->setFont(font);
}

void MainWindow::renderWording(const Wording& wording) {
    // A new title repaints the title strip alone, not every control in the frame: the frame's
    // own update is held while the title changes (the attribute itself, since re-enabling
    // through setUpdatesEnabled repaints the whole frame), then the strip is marked.
    const QString title = qs(wording.title);
    if (ageFrame->title() != title) {
        const QRect before = ageFrame->contentsRect();
        ageFrame->setAttribute(Qt::WA_UpdatesDisabled, true);
        ageFrame->setTitle(title);
        ageFrame->setAttribute(Qt::WA_UpdatesDisabled, false);
        const int titleHeight = ageFrame->fontMetrics().height() + 2;
        ageFrame->update(QRect(0, 0, ageFrame->width(), std::max(titleHeight, before.top())));
    }
    thisYearOption->setText(qs(wording.thisYear));
    designatedYearOption->setText(qs(wording.designatedYear));
    ageUnit->setText(qs(wording.unit));
}

void MainWindow::renderPicture(const MainView& view) {
    // Each choice of a picture reads its file again; the key guide is the window's own.
    if (view.pictureSerial == shownPictureSerial_) return;
    shownPictureSerial_ = view.pictureSerial;
    // A missing or unreadable file shows no picture.
    const QSize shown = signPicture->size() * signPicture->devicePixelRatio();
    const QPixmap picture =
        platform_.loadPicture(platform_.programFolder() + u'/' + qs(view.picture), shown);
    if (picture.isNull())
        signPicture->clear();
    else
        signPicture->setPixmap(picture);
}

// ---------------------------------------------------------------------------------------------
// What happened

void MainWindow::birthYearChanged() {
    if (rendering_) return;
    const std::u16string text(u16(birthYearBox->text()));
    apply([&](MainInputs& in) { enterBirthYear(in, text); });
    followBirthYear();
}

// An open age table follows each new reading of the year of birth.
void MainWindow::followBirthYear() {
    if (ageTable_ && ageTable_->isVisible()) ageTable_->showYear(mainView(inputs_).birthYear);
}

void MainWindow::designatedYearChanged() {
    if (rendering_) return;
    const std::u16string text(u16(designatedYearBox->text()));
    apply([&](MainInputs& in) { enterDesignatedYear(in, text); });
}

void MainWindow::designatedYearBoxVisited() {
    apply([](MainInputs& in) { in.designatedWesternActive = true; });
}

void MainWindow::thisYearOptionFocused(Qt::FocusReason reason) {
    // The desktop's option buttons select themselves when they get the focus; a mouse click
    // selects through the click itself.
    if (!thisYearOption->isChecked() && reason != Qt::MouseFocusReason)
        thisYearOption->setChecked(true);
    apply(countThisYear);
}

void MainWindow::designatedYearOptionFocused(Qt::FocusReason reason) {
    if (reason != Qt::MouseFocusReason) selectDesignatedYearOption();
}

void MainWindow::selectDesignatedYearOption() {
    // Selecting the button from code runs its selection handling only when it changes.
    if (designatedYearOption->isChecked()) return;
    designatedYearOption->setChecked(true);
    designatedYearOptionClicked();
}

void MainWindow::designatedYearOptionClicked() {
    apply(countDesignatedYear);
    designatedYearBox->setFocus(Qt::OtherFocusReason);
}

void MainWindow::exchangeClicked() {
    apply(exchangeYears);
    followBirthYear();
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void MainWindow::chooseBirthEra(Era era) {
    // An empty box stays as it is: the year of birth is not read again.
    const bool reread = !inputs_.birthText.empty();
    apply([era](MainInputs& in) { yorvane::chooseBirthEra(in, era); });
    if (reread) followBirthYear();
}

void MainWindow::chooseDesignatedEra(Era era) {
    apply([era](MainInputs& in) { yorvane::chooseDesignatedEra(in, era); });
}

void MainWindow::focusBirthYear() { birthYearBox->setFocus(Qt::OtherFocusReason); }

void MainWindow::focusDesignatedYear() {
    // Select first: a disabled box cannot take the focus.
    selectDesignatedYearOption();
    designatedYearBox->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shift and Ctrl act once, when they go down, not again while held.
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control))
            return false;
        for (const KeyBinding& b : keyBindings_) {
            if (b.control != watched || b.key != key->key()) continue;
            b.action();
            return b.consumed;
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // The option buttons run their handling once they have the focus; the year boxes run
        // theirs themselves.
        const auto handler = watched == thisYearOption ? &MainWindow::thisYearOptionFocused
                             : watched == designatedYearOption
                                 ? &MainWindow::designatedYearOptionFocused
                                 : nullptr;
        if (!handler || !isNewVisit(reason)) return QMainWindow::eventFilter(watched, event);
        watched->event(event);
        (this->*handler)(reason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Menus

// Hands a document of the program folder to the desktop; says so when it could not be opened.
void MainWindow::openDocument(const QString& fileName, const QString& what) {
    const QString path = QDir(platform_.programFolder()).filePath(fileName);
    const auto failed = [window = QPointer<MainWindow>(this), what, path] {
        showOpenFailure(window, what, QDir::toNativeSeparators(path));
    };
    if (!platform_.openDocument(fileName, platform_.programFolder(), failed)) failed();
}

void MainWindow::eraTableChosen() {
    openDocument(QStringLiteral("gengo.gif"), QStringLiteral("元号表"));
}

// The age table, made on first use, opens on the year shown here; the focus stays here.
void MainWindow::ageTableChosen() {
    if (!ageTable_) {
        ageTable_ =
            std::make_unique<AgeTableWindow>(platform_.currentYear(), platform_.settingsLocation());
        shareCommands(ageTable_.get(), {helpAction, quitAction});
        ageTable_->openBeside(this);
    }
    ageTable_->showYear(mainView(inputs_).birthYear);
    ageTable_->show();
    ageTable_->raise();
    activateWindow();
    // The keys stay where they were, so Qt tells no one that the focus is back from the menu: a
    // screen reader would go on reading the menu entry. It is told here.
    if (QWidget* focused = QApplication::focusWidget(); focused && QAccessible::isActive()) {
        QAccessibleEvent event(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

// One window 日付で調べる, made on first use, brought forward with the focus in its first box.
void MainWindow::dateWindowChosen() {
    if (!dateWindow_) {
        dateWindow_ = std::make_unique<DateWindow>(platform_.today(), platform_.settingsLocation());
        shareCommands(dateWindow_.get(), {helpAction, quitAction});
        openOnOwnersScreen(dateWindow_.get(), this, dateWindow_->sizeHint(), Opening::Beside);
    }
    dateWindow_->show();
    dateWindow_->raise();
    dateWindow_->activateWindow();
    dateWindow_->birthBox->setFocus();
}

void MainWindow::helpChosen() {
    openDocument(QStringLiteral("help.htm"), QStringLiteral("ヘルプ"));
}

void MainWindow::versionChosen() {
    if (!versionWindow_) {
        versionWindow_ = new VersionWindow(platform_);
        versionWindow_->setAttribute(Qt::WA_DeleteOnClose);
        shareCommands(versionWindow_, {helpAction, quitAction});
        openOnOwnersScreen(versionWindow_, this, versionWindow_->size(), Opening::Centred);
    }
    versionWindow_->show();
    versionWindow_->raise();
    versionWindow_->activateWindow();
}

// ---------------------------------------------------------------------------------------------
// Start-up, shutdown and settings

namespace {
// The strip the title bar of a window `width` wide takes when the window is placed at `topLeft`.
QRect titleBarAt(QPoint topLeft, int width) {
    const int height = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {topLeft, QSize(width, std::max(height, 16))};
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// How long the settings wait after a change before they are written: a move comes to rest, a
// year is typed whole.
constexpr int kSaveDelayMs = 1000;
}  // namespace

void MainWindow::loadSettings() {
    const MainWindowSettings stored = readMainWindowSettings(platform_.settingsLocation());
    const QPoint designPosition = pos();
    if (stored.left) move(*stored.left, y());
    if (stored.top) move(x(), *stored.top);
    // A position saved on a screen that is gone, or beyond a smaller one, would open the window
    // where nobody can see or move it.
    if (!titleBarReachable(titleBarAt(pos(), width()), availableScreenAreas()))
        move(designPosition);
    // The first position is kept only where the whole window fits: a small or scaled screen
    // would show it in part, or not at all.
    if (pos() == designPosition) {
        const QRect frame(pos(), size() + QSize(0, titleBarAt(pos(), width()).height()));
        const QScreen* primary = QGuiApplication::primaryScreen();
        if (primary)
            move(wholeOnScreen(frame, availableScreenAreas(), primary->availableGeometry()));
    } else {
        // One saved within reach comes back with the whole title bar on its screen.
        const QRect bar = titleBarAt(pos(), width());
        move(titleBarKeptOnScreen(bar, bar.height(), availableScreenAreas()).topLeft());
    }
    // The stored designated year is read under the design caption 西暦, then its own caption
    // is put beside it.
    apply([&](MainInputs& in) {
        in.listEra = Era::Showa;
        enterDesignatedYear(in, u16(stored.designatedYear));
        setDesignatedCaption(in, u16(stored.designatedCaption));
    });
    // What was just read is not written back; each later change is, once it rests.
    savedValues_ = settingsNow();
    if (!saveTimer_) {
        saveTimer_ = new QTimer(this);
        saveTimer_->setSingleShot(true);
        saveTimer_->setInterval(kSaveDelayMs);
        connect(saveTimer_, &QTimer::timeout, this, &MainWindow::saveSettings);
    }
    saveTimer_->stop();
}

MainWindowSettings MainWindow::settingsNow() const {
    return {x(), y(), designatedYearBox->text(), designatedEraCaption->text()};
}

void MainWindow::settingsMayHaveChanged() {
    // Nothing before start-up has read the settings, nothing after the close has written them.
    if (!saveTimer_ || settingsSaved_) return;
    if (settingsNow() == savedValues_)
        saveTimer_->stop();
    else
        saveTimer_->start();  // again from the start at each change
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settingsMayHaveChanged();
}

void MainWindow::saveSettings() {
    if (saveTimer_) saveTimer_->stop();
    const SettingsLocation where = platform_.settingsLocation();
    const MainWindowSettings values = settingsNow();
    QString why;
    if (writeMainWindowSettings(where, values, &why)) {
        savedValues_ = values;
        reportedFailure_.clear();
        return;
    }
    // Closing never fails; a save that did not happen is said once, not again at each change.
    if (why.isEmpty() || why == reportedFailure_) return;
    reportedFailure_ = why;
    std::fprintf(
        stderr, "yorvane: 設定を保存できませんでした: %s%s\n",
        qPrintable(where.file.isEmpty() ? QString() : QDir::toNativeSeparators(where.file) + ": "),
        qPrintable(why));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The settings are written once, whatever happens to the writes; closing never fails.
    if (!settingsSaved_) {
        settingsSaved_ = true;
        saveSettings();
    }
    if (ageTable_) ageTable_->close();
    if (dateWindow_) dateWindow_->close();
    event->accept();
}

}  // namespace yorvane
