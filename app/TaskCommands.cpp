// The task page's commands: Solve and Clear in their frame, the Solution and View buttons' reload,
// the buttons that open the other windows, and the handlers that post the page's edits.
#include "app/MainWindow.h"

#include "app/ProgressWindow.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "results/PrintSession.h"
#include "results/ReportForms.h"
#include "results/TaskReport.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/TableSets.h"
#include "ui/DataCheckBox.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/DataGridModel.h"
#include "ui/FigureEdit.h"
#include "ui/ReportPrinter.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>

namespace rectix::app {

void MainWindow::runButtonClick() {
    if (!dm_ || !bridge_) return;
    // Text still being typed (a cell, the name) is written as when the button is clicked.
    if (isActiveWindow()) runButton_->setFocus(Qt::OtherFocusReason);
    postPageRows();
    postWhenModified(dm_->solut);
    if (dm_->tasksSolut.asBoolean())
        clearSolution();
    else
        solve();
}

// The page turns to Clear through the data module's events once the solution is written.
void MainWindow::solve() {
    const std::string refusal = bridge_->solveRefusal();
    if (!refusal.empty()) {
        core::Dialogs::current().show(core::DialogKind::Error, refusal, core::DialogButton::Ok, 0);
        return;
    }
    runOperation([this] {
        bridge_->solveTask();
        postModifiedTables();
    });
    if (viewButton_->isEnabled()) viewButton_->setFocus();
}

// Containers the user fixed stay for the next Solve.
void MainWindow::clearSolution() {
    if (store_.warnings && core::Dialogs::current().show(core::DialogKind::Confirmation,
                                                         core::messageText(core::Msg::ClearSolution),
                                                         core::DialogButton::Ok | core::DialogButton::Cancel,
                                                         0) != core::DialogButton::Ok)
        return;
    runOperation([this] {
        bridge_->clearSolution();
        postModifiedTables();
    });
}

void MainWindow::runOperation(const std::function<void()>& work) {
    if (!taskdb::OperationFrame::running()) placeWaitForm();
    // Disabling the window takes the focus from its control; that control gets it back, or the
    // run button when the work disabled it (Clear disables View).
    struct Refocus {
        QPointer<QWidget> control;
        QPointer<QWidget> fallback;
        ~Refocus() {
            for (QWidget* w : {control.data(), fallback.data()})
                if (w && w->isEnabled() && w->isVisible()) {
                    w->setFocus(Qt::OtherFocusReason);
                    return;
                }
        }
    } refocus{focusWidget(), runButton_};
    const taskdb::OperationFrame frame(dm_->operationView(), taskdb::OperationFrame::Options()
                                                                 .exclusive()
                                                                 .progress()
                                                                 .busyCursor()
                                                                 .letEventsThrough()
                                                                 .pageDisabled());
    work();
}

void MainWindow::placeWaitForm() {
    if (wait_) wait_->placeOver(boxesGrid_ ? static_cast<QWidget*>(boxesGrid_) : centralWidget());
}

void MainWindow::updatePositTT() {
    const taskdb::OperationFrame frame(dm_->operationView(),
                                       taskdb::OperationFrame::Options().controlsOff({&dm_->tc, &dm_->tb}));
    bridge_->reloadSolution();
}

void MainWindow::resultButtonClick() {
    reloadThenShow(PageWindow::Solution);
}

void MainWindow::viewButtonClick() {
    reloadThenShow(PageWindow::Layout);
}

// The result record must hold the plan of the task shown before either page reads it.
void MainWindow::reloadThenShow(PageWindow page) {
    if (!dm_ || !bridge_) return;
    if (dm_->tasksTaskID.asInteger() != store_.loadedSolutionTaskID) {
        const taskdb::OperationFrame frame(dm_->operationView(),
                                           taskdb::OperationFrame::Options().busyCursor().pageDisabled());
        updatePositTT();
    }
    if (!hasWindow(page)) return;
    showModal(page);
    runButton_->setFocus();
}

void MainWindow::showModal(PageWindow which) {
    if (QDialog* window = windows_[static_cast<std::size_t>(which)]) window->exec();
}

void MainWindow::setPageWindow(PageWindow which, QDialog* window) {
    windows_[static_cast<std::size_t>(which)] = window;
    optButton_->setEnabled(hasWindow(PageWindow::Settings));
    taskButton_->setEnabled(hasWindow(PageWindow::TaskList));
    currSolutState();
}

void MainWindow::setReports(results::ReportForms* reports) {
    reports_ = reports;
    currSolutState();
}

void MainWindow::contsButtonClick() {
    postPageRows();
    showModal(PageWindow::ContainerLibrary);
}

void MainWindow::boxesButtonClick() {
    postPageRows();
    showModal(PageWindow::BoxLibrary);
}

// The list opens just under the task's name.
void MainWindow::taskButtonClick() {
    QDialog* list = windows_[static_cast<std::size_t>(PageWindow::TaskList)];
    if (!list) return;
    list->move(nameEdit_->mapToGlobal(QPoint(-12, nameEdit_->height())));
    list->exec();
}

void MainWindow::optButtonClick() {
    postPageRows();
    QDialog* settings = windows_[static_cast<std::size_t>(PageWindow::Settings)];
    if (!settings) return;
    if (settings->isVisible()) {
        settings->raise();
        settings->activateWindow();
    } else {
        settings->show();
    }
}

void MainWindow::printButtonClick() {
    if (!reports_ || !dm_ || !results::PrintSession::printerReady(store_)) return;
    postPageRows();
    taskdb::SolveBridge::checkTaskRows(*dm_);
    if (!results::PrintSession::confirmed(store_, core::Msg::PrintTask)) return;
    results::TaskReport& report = reports_->task();
    const std::unique_ptr<QPrinter> printer = reports_->printer.setUp(report.job(), this);
    if (!printer) return;
    std::array<QString, taskdb::pageFigureCount> figures;
    for (std::size_t f = 0; f < figures.size(); ++f) figures[f] = figures_[f]->figure();
    report.setLabels(results::TaskReportLabels::fromPage(
        figures, volMltEdit_->text(), dbCheckDflt_->isChecked(), dbCheckTurn_->isChecked()));
    const results::PrintSession session(this, {&dm_->tc, &dm_->tb}, true);
    ui::ReportPrinter::printOn(report.job(), *printer);
}

void MainWindow::helpButtonClick() {
    const QPoint corner = helpButton_->mapToGlobal(QPoint(0, 0));
    helpPopup_->popup(corner - QPoint(helpPopup_->sizeHint().width(), 0));
}

// A command of the navigator leaves the keyboard in the page: the name of a new task is selected,
// so typing replaces it, and after a delete the name of the task now shown has the focus.
void MainWindow::tasksNavigatorClick(ui::DataNavigator::Button button) {
    using B = ui::DataNavigator::Button;
    if (button != B::Insert && button != B::Delete) return;
    if (!nameEdit_->isEnabled() || dm_->tasks.isEmpty()) {
        // The last task went: a new one is what the page can do next.
        QToolButton* insert = tasksNavigator_->button(B::Insert);
        if (insert->isEnabled()) insert->setFocus(Qt::OtherFocusReason);
        return;
    }
    nameEdit_->setFocus(Qt::OtherFocusReason);
    if (button == B::Insert) nameEdit_->selectAll();
}

// The new row's first cell that takes typing gets the focus.
void MainWindow::rowsNavigatorClick(ui::DataGrid* grid, ui::DataNavigator::Button button) {
    using B = ui::DataNavigator::Button;
    if (button != B::Insert && button != B::Delete) return;
    if (!grid->isEnabled()) return;
    grid->setFocus(Qt::OtherFocusReason);
    const int row = grid->dataModel().currentRow();
    if (row < 0) return;
    QAbstractItemModel* model = grid->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        const QModelIndex cell = model->index(row, c);
        if (grid->isColumnHidden(c) || !(model->flags(cell) & Qt::ItemIsEditable)) continue;
        grid->setCurrentIndex(cell);
        return;
    }
}

void MainWindow::nameEditExit() {
    validNameEdit();
    postWhenModified(dm_->tasks);
}

void MainWindow::descrEditExit() {
    postWhenModified(dm_->tasks);
}

// With a solution the turn rules are read-only; without one the choice counts at once.
void MainWindow::dbCheckDfltMouseUp() {
    if (dm_->tasksSolut.asBoolean()) return;
    postWhenModified(dm_->tasks, true);
}

void MainWindow::postWhenModified(dataset::Cursor& c, bool orInserted) {
    if (!c.isOpen()) return;
    if (c.modified() || (orInserted && c.state() == dataset::CursorState::Insert)) c.post();
}

// A command run by its key leaves the focus where it was; the rows typed into are posted, and the
// totals follow, as when a click on the command's button leaves the grid.
void MainWindow::postPageRows() {
    if (!dm_) return;
    for (dataset::Cursor* c : {&dm_->tasks, &dm_->tc, &dm_->tb}) postWhenModified(*c);
}

void MainWindow::postModifiedTables() {
    if (tableSets_) tableSets_->postModifiedTables();
}

} // namespace rectix::app
