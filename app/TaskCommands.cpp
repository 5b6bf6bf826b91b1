// The task page's commands: Solve and Clear in their frame, the Solution and View buttons' reload,
// the buttons that open the other windows, and the handlers that post the page's edits.
#include "app/TasksUnit.h"

#include "app/OperationScope.h"
#include "app/WaitUnit.h"
#include "core/UiTexts.h"
#include "taskdb/ControlsOff.h"
#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/TableSets.h"
#include "ui/BusyCursor.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/DisabledWindow.h"
#include "ui/MessageDialogs.h"

#include <QDialog>
#include <QMenu>
#include <QPushButton>

namespace rectix::app {

void TTasksForm::RunButtonClick() {
    if (!dm_ || !bridge_) return;
    // Text still being typed (a cell, the name) is written as when the button is clicked.
    if (isActiveWindow()) runButton_->setFocus(Qt::OtherFocusReason);
    for (dataset::Cursor* c : {&dm_->tasks, &dm_->tc, &dm_->tb, &dm_->solut}) PostWhenModified(*c);
    if (dm_->tasksSolut.asBoolean())
        Clear();
    else
        Solve();
}

// The page turns to Clear through the data module's events once the solution is written.
void TTasksForm::Solve() {
    const std::string refusal = bridge_->SolveRefusal();
    if (!refusal.empty()) {
        ui::MessageDialogs::current().show(ui::DialogKind::Error, refusal, ui::DialogButton::Ok, 0);
        return;
    }
    RunOperation([this] {
        bridge_->SolveTask();
        PostModifiedTables();
    });
    if (viewButton_->isEnabled()) viewButton_->setFocus();
}

// Containers the user fixed stay for the next Solve.
void TTasksForm::Clear() {
    if (store_.Warnings && ui::MessageDialogs::current().show(
                               ui::DialogKind::Confirmation, core::messageText(34),
                               ui::DialogButton::Ok | ui::DialogButton::Cancel, 0) != ui::DialogButton::Ok)
        return;
    RunOperation([this] {
        bridge_->ClearSolution();
        PostModifiedTables();
    });
}

void TTasksForm::RunOperation(const std::function<void()>& work) {
    if (!OperationScope::running()) PlaceWaitForm();
    // Disabling the window takes the focus from its control; that control gets it back.
    struct Refocus {
        QPointer<QWidget> control;
        ~Refocus() {
            if (control && control->isEnabled() && control->isVisible()) control->setFocus();
        }
    } refocus{focusWidget()};
    OperationScope scope(this, wait_);
    work();
}

void TTasksForm::PlaceWaitForm() {
    if (wait_) wait_->placeOver(boxesGrid_ ? static_cast<QWidget*>(boxesGrid_) : centralWidget());
}

void TTasksForm::UpdatePositTT() {
    const taskdb::ControlsOff off{&dm_->tc, &dm_->tb};
    bridge_->ReloadSolution();
}

void TTasksForm::ResultButtonClick() {
    ReloadThenShow(PageWindow::Solution);
}

void TTasksForm::ViewButtonClick() {
    ReloadThenShow(PageWindow::Layout);
}

// The result record must hold the plan of the task shown before either page reads it.
void TTasksForm::ReloadThenShow(PageWindow page) {
    if (!dm_ || !bridge_) return;
    if (dm_->tasksTaskID.asInteger() != store_.LoadedSolutionTaskID) {
        const ui::BusyCursor busy;
        const ui::DisabledWindow off(this);
        UpdatePositTT();
    }
    if (!hasWindow(page)) return;
    ShowModal(page);
    runButton_->setFocus();
}

void TTasksForm::ShowModal(PageWindow which) {
    if (QDialog* window = windows_[static_cast<std::size_t>(which)]) window->exec();
}

void TTasksForm::setPageWindow(PageWindow which, QDialog* window) {
    windows_[static_cast<std::size_t>(which)] = window;
    optButton_->setEnabled(hasWindow(PageWindow::Settings));
    taskButton_->setEnabled(hasWindow(PageWindow::TaskList));
    CurrSolutState();
}

void TTasksForm::setTaskReport(std::function<void()> print) {
    printTask_ = std::move(print);
    CurrSolutState();
}

void TTasksForm::ContsButtonClick() {
    ShowModal(PageWindow::ContainerLibrary);
}

void TTasksForm::BoxesButtonClick() {
    ShowModal(PageWindow::BoxLibrary);
}

// The list opens just under the task's name.
void TTasksForm::TaskButtonClick() {
    QDialog* list = windows_[static_cast<std::size_t>(PageWindow::TaskList)];
    if (!list) return;
    list->move(nameEdit_->mapToGlobal(QPoint(-12, nameEdit_->height())));
    list->exec();
}

void TTasksForm::OptButtonClick() {
    QDialog* settings = windows_[static_cast<std::size_t>(PageWindow::Settings)];
    if (!settings) return;
    if (settings->isVisible()) {
        settings->raise();
        settings->activateWindow();
    } else {
        settings->show();
    }
}

void TTasksForm::PrintButtonClick() {
    if (printTask_) printTask_();
}

void TTasksForm::HelpButtonClick() {
    const QPoint corner = helpButton_->mapToGlobal(QPoint(0, 0));
    helpPopup_->popup(corner - QPoint(helpPopup_->sizeHint().width(), 0));
}

void TTasksForm::TasksNavigatorClick(bool inserted) {
    if (inserted) nameEdit_->setFocus();
}

void TTasksForm::NameEditExit() {
    ValidNameEdit();
    PostWhenModified(dm_->tasks);
}

void TTasksForm::DescrEditExit() {
    PostWhenModified(dm_->tasks);
}

// With a solution the turn rules are read-only; without one the choice counts at once.
void TTasksForm::DBCheckDfltMouseUp() {
    if (dm_->tasksSolut.asBoolean()) return;
    PostWhenModified(dm_->tasks, true);
}

void TTasksForm::PostWhenModified(dataset::Cursor& c, bool orInserted) {
    if (!c.isOpen()) return;
    if (c.modified() || (orInserted && c.state() == dataset::CursorState::Insert)) c.post();
}

void TTasksForm::PostModifiedTables() {
    if (tableSets_) tableSets_->PostModifiedTables();
}

} // namespace rectix::app
