#include "app/SettingsWindow.h"

#include "app/GapEdit.h"
#include "app/MainWindow.h"
#include "app/PageColours.h"
#include "core/Checked.h"
#include "core/Dialogs.h"
#include "core/ScopeGuard.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/DefaultOptions.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/TableSets.h"
#include "taskdb/TaskCopier.h"
#include "ui/DataEdit.h"
#include "ui/ErrorBoundary.h"
#include "ui/FixedDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

#include <utility>

namespace rectix::app {

namespace {

constexpr int exchangePage = 1;

void paint(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, colour);
    w->setPalette(p);
}

QString withoutBlanks(QString text) {
    return text.remove(QLatin1Char(' '));
}

} // namespace

const QColor SettingsWindow::sameColour{0xFF, 0xFF, 0xFF};
const QColor SettingsWindow::differentColour = fromColourValue(0xEEEEFF);

SettingsWindow::SettingsWindow(taskdb::RunStore& store, taskdb::DataModule& dm, taskdb::TableSets& sets,
                               taskdb::TaskCopier& copier, MainWindow* mainWindow)
    : QDialog(mainWindow, ui::fixedDialogFlags), store_(store), dm_(dm), sets_(sets), copier_(copier),
      mainWindow_(mainWindow) {
    buildWindow();
    connectControls();
    showActiveOptions();
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::setDefaultOptions(bool alsoTaskOptSet) {
    taskdb::setDefaultOptions(store_, alsoTaskOptSet);
    showActiveOptions();
}

void SettingsWindow::loadTaskOptions() {
    dm_.loadTaskOptions();
}

void SettingsWindow::showActiveOptions() {
    const std::array<std::int32_t, SettingCount> positions = {
        store_.optPower,
        store_.optTime,
        store_.optRand,
        store_.optQw,
        store_.optQc,
        store_.optQr,
        core::toI16(static_cast<long long>(store_.optQg) * 10),
        0,
        0};
    for (int s = 0; s < SettingCount; ++s) {
        if (!upDowns_[s]) continue;
        const QSignalBlocker quiet(upDowns_[s]);
        upDowns_[s]->setValue(positions[s]);
    }
    bbEdit_->setText(QString::number(store_.optBB));
    bwEdit_->setText(QString::number(store_.optBW));
    {
        const QSignalBlocker quiet(lastCheck_);
        lastCheck_->setChecked(store_.optLast);
    }
    {
        const QSignalBlocker quietKeep(keepRadio_);
        const QSignalBlocker quietTask(taskRadio_);
        keepRadio_->setChecked(!store_.taskOptSet);
        taskRadio_->setChecked(store_.taskOptSet);
    }
    currOptSetColors();
}

void SettingsWindow::currOptSetColors() {
    for (int s = 0; s < SettingCount; ++s) {
        QWidget* active = upDowns_[s];
        QString activeText = upDowns_[s] ? upDowns_[s]->text() : QString();
        if (s == BB || s == BW) {
            active = s == BB ? static_cast<QWidget*>(bbEdit_) : bwEdit_;
            activeText = static_cast<QLineEdit*>(active)->text();
        }
        const QString taskText = taskEdits_[s]->text();
        bool same = false;
        switch (s) {
        case Qw:
        case Qg:
            same = activeText == withoutBlanks(taskText);
            break;
        case BB:
        case BW:
            same = GapEdit::integerOf(activeText) == GapEdit::integerOf(taskText);
            break;
        default:
            same = activeText == taskText;
        }
        const QColor& colour = same ? sameColour : differentColour;
        paint(active, colour);
        paint(taskEdits_[s], colour);
    }
}

void SettingsWindow::spinnerChanged(Setting setting, int position) {
    const auto value = static_cast<std::int16_t>(position);
    switch (setting) {
    case Power:
        store_.optPower = value;
        break;
    case Time:
        store_.optTime = value;
        break;
    case Rand:
        store_.optRand = value;
        break;
    case Qw:
        store_.optQw = value;
        break;
    case Qc:
        store_.optQc = value;
        break;
    case Qr:
        store_.optQr = value;
        break;
    case Qg:
        store_.optQg = static_cast<std::int16_t>(position / 10);
        break;
    default:
        return;
    }
    currOptSetColors();
}

void SettingsWindow::lastCheckClick() {
    store_.optLast = lastCheck_->isChecked();
    currOptSetColors();
}

void SettingsWindow::taskRadioClick() {
    store_.taskOptSet = taskRadio_->isChecked();
    loadTaskOptions();
}

void SettingsWindow::keepRadioClick() {
    store_.taskOptSet = taskRadio_->isChecked();
}

// The two task-column edits of the packed field: weight factor Qw mod 100, bind group factor
// tenfold Qw div 100, right-aligned as the other numbers are.
void SettingsWindow::qwDBEdChange() {
    bool ok = false;
    const int qw = qwDBEd_->text().trimmed().toInt(&ok);
    if (!ok) {
        taskEdits_[Qw]->clear();
        taskEdits_[Qg]->clear();
        return;
    }
    const int group = qw / 100;
    const int weight = qw - 100 * group;
    const int shownGroup = 10 * group;
    taskEdits_[Qw]->setText(QStringLiteral("%1").arg(weight, weight < 10 ? 10 : 9));
    taskEdits_[Qg]->setText(QStringLiteral("%1").arg(shownGroup, group < 1 ? 10 : 9));
}

GapEdit* SettingsWindow::focusedGap() const {
    QWidget* focused = focusWidget();
    if (focused == bbEdit_) return bbEdit_;
    if (focused == bwEdit_) return bwEdit_;
    return nullptr;
}

std::int16_t& SettingsWindow::gapSetting(const GapEdit* edit) const {
    return edit == bbEdit_ ? store_.optBB : store_.optBW;
}

bool SettingsWindow::commitGap(GapEdit* edit, BadGap bad) {
    // The message box taking the focus must not start a second commit.
    if (committing_) return false;
    committing_ = true;
    const core::ScopeGuard done([this] { committing_ = false; });

    std::int16_t& setting = gapSetting(edit);
    if (const std::optional<std::int16_t> gap = GapEdit::gapOf(edit->text())) {
        setting = *gap;
        edit->setText(QString::number(*gap));
        currOptSetColors();
        return true;
    }
    if (bad == BadGap::PutBack) {
        edit->setText(QString::number(setting));
        currOptSetColors();
        return false;
    }
    core::Dialogs::current().show(core::DialogKind::Error,
                                  core::messageText(core::Msg::PositiveIntegerUpTo) + " " +
                                      std::to_string(GapEdit::largestGap),
                                  core::DialogButton::Ok, 0);
    // The focus stays in the edit on the earlier value, selected: the next key replaces it
    // instead of lengthening the refused text.
    edit->setText(QString::number(setting));
    currOptSetColors();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

void SettingsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Closing left the focus on Close; the user comes back to the page's settings.
    focusFirstControl();
    if (!store_.placementFlags.optForm) return;
    place();
    currOptSetColors();
    store_.placementFlags.optForm = false;
}

// Beside the main window's right edge, level with its box navigator, kept on the screen.
void SettingsWindow::place() {
    if (!mainWindow_) return;
    const QRect main = mainWindow_->frameGeometry();
    const QScreen* shownOn = screen() ? screen() : QApplication::primaryScreen();
    const QRect area = shownOn->geometry();
    // Before the first showing the window has no frame yet: the main window's frame stands in.
    const QSize frame = main.size() - mainWindow_->size();
    // Texts written since the window was built change its size: the layout settles it first.
    if (layout()) layout()->activate();
    const QSize own = size() + frame.expandedTo(QSize(0, 0));
    int left = std::min(main.left() + main.width() - 4, area.width() - own.width() - 2);
    const QRect navigator = mainWindow_->anchorGeometry(TaskPageAnchor::BoxesNavigator);
    int top = navigator.isNull() ? main.top() : navigator.top();
    top = std::min(top, area.height() - own.height() - 30);
    move(std::max(left, 0), std::max(top, 0));
}

void SettingsWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        sets_.updateExchangeState();
    } else if (isVisible()) {
        if (GapEdit* gap = focusedGap()) commitGap(gap, BadGap::Report);
    }
}

// Closing never stops at a gap text that is not valid: the last valid value comes back.
void SettingsWindow::closeEvent(QCloseEvent* event) {
    if (taskdb::OperationFrame::running()) {
        event->ignore();
        return;
    }
    // A bad text left in an edit that lost the focus to another page is put back as well.
    GapEdit* focused = focusedGap();
    for (GapEdit* gap : {bbEdit_, bwEdit_})
        if (gap == focused || !GapEdit::gapOf(gap->text())) commitGap(gap, BadGap::PutBack);
    closeButton_->setFocus(Qt::OtherFocusReason);
    event->accept();
}

// Esc closes the window as Close does (a gap edit keeps Esc for its text and never passes it
// on); Ctrl+Tab and Ctrl+Shift+Tab turn the pages from any control, Close included.
void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        event->accept();
        const int step = event->key() == Qt::Key_Backtab ? pages_->count() - 1 : 1;
        pages_->setCurrentIndex((pages_->currentIndex() + step) % pages_->count());
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsWindow::focusFirstControl() {
    if (pages_->currentIndex() != exchangePage) {
        upDowns_[Power]->setFocus(Qt::TabFocusReason);
        return;
    }
    for (QPushButton* b : {addButton_, homeButton_, expButton_, impButton_, clearButton_})
        if (b->isEnabled()) {
            b->setFocus(Qt::TabFocusReason);
            return;
        }
    closeButton_->setFocus(Qt::TabFocusReason);
}

void SettingsWindow::showExchangeState(const taskdb::ExchangeState& state) {
    addButton_->setEnabled(state.addEnabled);
    homeButton_->setEnabled(state.homeEnabled);
    expButton_->setEnabled(state.expEnabled);
    impButton_->setEnabled(state.impEnabled);
    clearButton_->setText(QString::fromStdString(state.clearCaption));
    clearButton_->setEnabled(state.clearEnabled);
    emit exchangeStateShown(state);
}

// Asked while the window is disabled by the operation, so the focus is given when it ends.
void SettingsWindow::focusHomeButton() {
    homeFocusAsked_ = true;
    homeButton_->setFocus(Qt::OtherFocusReason);
}

void SettingsWindow::pageChanged(int index) {
    if (index != exchangePage) {
        closeButton_->setFocus(Qt::OtherFocusReason);
        return;
    }
    sets_.updateExchangeState();
    focusFirstControl();
}

void SettingsWindow::runSetOperation(const std::function<void()>& operation) {
    // A set operation takes the frame of its own once its questions are answered.
    if (taskdb::OperationFrame::running()) return;
    homeFocusAsked_ = false;
    // The task list duplicates through here too; only a button of this window brings it forward.
    const bool fromHere = isActiveWindow();
    ui::ErrorBoundary::run(operation);
    if (!isVisible()) return;
    // The operation's question closed before it began, and the window manager may have
    // activated the main window then; the next key still belongs here.
    if (fromHere) {
        raise();
        activateWindow();
    }
    if (std::exchange(homeFocusAsked_, false) && homeButton_->isEnabled()) {
        homeButton_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The window was disabled meanwhile, which took the focus from the pressed button.
    const QWidget* focused = focusWidget();
    if (!focused || !focused->isEnabled()) focusFirstControl();
}

void SettingsWindow::taskCopying(bool toExport) {
    runSetOperation([&] { copier_.copyTask(toExport); });
}

} // namespace rectix::app
