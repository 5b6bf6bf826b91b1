// The task page's states, its figures, the edit guard, the area multiplier and the column scaling.
#include "app/MainWindow.h"

#include "app/PageColours.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/Figures.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/TableSets.h"
#include "ui/DataCheckBox.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"
#include "ui/ErrorBoundary.h"
#include "ui/FigureEdit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace rectix::app {

namespace {

// The widget's own enabled setting, whatever its window's.
bool ownEnabled(const QWidget* w, const QWidget* window) {
    return w->isEnabledTo(window);
}

} // namespace

void MainWindow::currSolutState() {
    const bool haveTasks = dm_ && dm_->tasks.isOpen() && dm_->tasks.recordCount() >= 1;
    tasksControls(haveTasks);
    solutControls(haveTasks && dm_->tasksSolut.asBoolean());
    currDfltTurns(haveTasks && dm_->tasksDefltOn.asBoolean());
}

void MainWindow::tasksControls(bool haveTasks) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{contsGrid_, boxesGrid_, contsNavigator_, boxesNavigator_, runButton_,
                                         viewButton_, resultButton_, dbCheckDflt_, dbCheckTurn_})
        if (w) w->setEnabled(haveTasks);
    contsButton_->setEnabled(haveTasks && hasWindow(PageWindow::ContainerLibrary));
    boxesButton_->setEnabled(haveTasks && hasWindow(PageWindow::BoxLibrary));
    printButton_->setEnabled(haveTasks && reports_ != nullptr);
    const QColor colour = haveTasks ? QApplication::palette().color(QPalette::Base) : noTaskGrey;
    for (QWidget* w : std::initializer_list<QWidget*>{contsGrid_, boxesGrid_, descrEdit_, dateEdit_})
        if (w) setBaseColour(w, colour, haveTasks ? QColor() : noTaskGrey);
}

void MainWindow::solutControls(bool haveSolution) {
    store_.solutionState = haveSolution;
    viewButton_->setEnabled(ownEnabled(viewButton_, this) && haveSolution);
    resultButton_->setEnabled(ownEnabled(viewButton_, this));
    runButton_->setText(QString::fromStdString(
        core::captionText(haveSolution ? core::Caption::ClearButton : core::Caption::SolveButton)));
    runButton_->setToolTip(QString::fromStdString(
        core::hintText(haveSolution ? core::Hint::ClearButton : core::Hint::SolveButton)));
    using B = ui::DataNavigator::Button;
    for (ui::DataNavigator* n : {contsNavigator_, boxesNavigator_}) {
        if (!n) continue;
        if (haveSolution)
            n->setVisibleButtons({B::First, B::Prior, B::Next, B::Last});
        else
            n->setVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete});
    }
    for (ui::DataGrid* g : {contsGrid_, boxesGrid_})
        if (g) g->setReadOnly(haveSolution);
    for (ui::DataCheckBox* c : {dbCheckDflt_, dbCheckTurn_})
        if (c) c->setReadOnly(haveSolution);
}

void MainWindow::currDfltTurns(bool defltOn) {
    if (dbCheckTurn_) dbCheckTurn_->setEnabled(ownEnabled(dbCheckTurn_, this) && defltOn);
}

void MainWindow::showActiveSet(bool visible, const std::string& caption) {
    exchLabel_->setText(QString::fromStdString(caption));
    exchLabel_->setVisible(visible);
}

void MainWindow::refreshStateTexts() {
    splitHeadings();
    solutControls(store_.solutionState);
    fitButtons();
    newFileNameCaption();
    // The settings window's empty-set button follows the language with the indicator.
    if (tableSets_) {
        tableSets_->updateExchangeState();
        return;
    }
    const int set = store_.activeDB;
    if (set >= 0 && set <= 2) showActiveSet(set != 0, core::captionText(core::Caption::HomeSetOn, set));
}

// The texts space their parts apart ("Boxes:    Total    Left"); a text without such gaps is
// split at its blanks, the last two words going over the two columns.
void MainWindow::splitHeadings() {
    static const QRegularExpression gaps(QStringLiteral("\\s{2,}"));
    for (Heading* h : {&contsHeading_, &boxesHeading_}) {
        const QString text = h->text->text().trimmed();
        QStringList parts = text.split(gaps, Qt::SkipEmptyParts);
        if (parts.size() != 3) parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        while (parts.size() > 3) parts[0] += QLatin1Char(' ') + parts.takeAt(1);
        for (qsizetype i = 0; i < 3; ++i)
            h->parts[static_cast<std::size_t>(i)]->setText(i < parts.size() ? parts[i] : QString());
    }
}

// Every figure is formatted before any is shown, so a figure that cannot be shown leaves them all.
void MainWindow::totalsChanged(const taskdb::TaskTotals& totals) {
    const core::NumberFormat& shown = core::NumberFormat::regional();
    std::array<QString, taskdb::pageFigureCount> texts;
    for (int f = 0; f < taskdb::pageFigureCount; ++f)
        texts[static_cast<std::size_t>(f)] =
            QString::fromStdString(taskdb::pageFigureText(totals, static_cast<taskdb::PageFigure>(f), shown));
    for (std::size_t f = 0; f < texts.size(); ++f) figures_[f]->setFigure(texts[f]);
    setBaseColour(figures_[static_cast<std::size_t>(taskdb::PageFigure::LftNmb)],
                  totals.boxesLeftOver ? leftBoxesRed : aqua);
}

bool MainWindow::hasWindow(PageWindow which) const {
    return !windows_[static_cast<std::size_t>(which)].isNull();
}

bool MainWindow::taskListVisible() const {
    const QDialog* list = windows_[static_cast<std::size_t>(PageWindow::TaskList)];
    return list && list->isVisible();
}

QRect MainWindow::anchorGeometry(TaskPageAnchor anchor) const {
    const QWidget* control = nullptr;
    switch (anchor) {
    case TaskPageAnchor::BoxesButton:
        control = boxesButton_;
        break;
    case TaskPageAnchor::BoxesGrid:
        control = boxesGrid_;
        break;
    case TaskPageAnchor::BoxesNavigator:
        control = boxesNavigator_;
        break;
    }
    return control ? QRect(control->mapToGlobal(QPoint(0, 0)), control->size()) : QRect();
}

void MainWindow::focusNextCommand() {
    for (QPushButton* b : {viewButton_, runButton_}) {
        if (b && b->isEnabled()) {
            b->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool MainWindow::editKeys(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Tab with Shift
    case Qt::Key_Shift:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_CapsLock:
    case Qt::Key_Escape:
    case Qt::Key_Pause:
    case Qt::Key_Menu:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Meta:
        return false;
    default:
        return true;
    }
}

void MainWindow::guardGridEdit(int key) {
    if (!editKeys(key) || !dm_ || !dm_->tasks.isOpen()) return;
    core::Dialogs& dialogs = core::Dialogs::current();
    if (dm_->tasksSolut.asBoolean()) {
        dialogs.show(core::DialogKind::Information, core::messageText(core::Msg::ClearBeforeEditing),
                     core::DialogButton::Ok, 0);
        return;
    }
    const bool yellow = (contsGrid_->hasFocus() && contsGrid_->currentIndex().column() > 4) ||
                        (boxesGrid_->hasFocus() && boxesGrid_->currentIndex().column() > 4);
    if (yellow)
        dialogs.show(core::DialogKind::Information, core::messageText(core::Msg::EditInTheLibrary),
                     core::DialogButton::Ok, 0);
}

void MainWindow::validNameEdit() {
    if (!nameEdit_ || !dm_->tasks.isOpen() || dm_->tasks.isEmpty()) return;
    if (!nameEdit_->text().trimmed().isEmpty()) return;
    const auto state = dm_->tasks.state();
    if (state != dataset::CursorState::Edit && state != dataset::CursorState::Insert) dm_->tasks.edit();
    dm_->tasksName.setString("???");
}

void MainWindow::applyAreaMultiplier() {
    store_.volMltPos = volMltUp_->value();
    store_.areaMult = taskdb::areaMultiplier(store_.volMltPos);
    volMltEdit_->setText(QString::number(store_.areaMult));
}

void MainWindow::volMltUpClick() {
    applyAreaMultiplier();
    refreshAreaTables();
}

// The totals' areas are shown with the multiplier too, so they follow it with the tables.
void MainWindow::refreshAreaTables() {
    if (!dm_) return;
    for (dataset::Cursor* c : {&dm_->conts, &dm_->boxes, &dm_->tc, &dm_->tb, &dm_->solut, &dm_->distr})
        if (c->isOpen()) c->refresh();
    if (dm_->tasks.isOpen()) dm_->refreshTotals();
}

void MainWindow::setAreaLabel() {
    const QString area = QString::fromStdString(store_.areaLabel);
    volLabel1_->setText(area);
    volLabel2_->setText(area);
    for (ui::DataGrid* g : {contsGrid_, boxesGrid_}) {
        if (!g) continue;
        ui::DataGridModel& model = g->dataModel();
        for (int c = 0; c < model.columnCount(); ++c)
            if (model.column(c).field == "Volume") model.setHeaderData(c, Qt::Horizontal, area);
    }
}

void MainWindow::formActivate() {
    newFileNameCaption();
    if (viewButton_->isEnabled()) viewButton_->setFocus();
}

// A command's own work posts what it changes; meanwhile nothing is posted from here.
void MainWindow::formDeactivate() {
    if (!dm_ || taskdb::OperationFrame::running()) return;
    ui::ErrorBoundary::run([this] {
        validNameEdit();
        postWhenModified(dm_->tasks, true);
    });
}

void MainWindow::formResize() {
    store_.placementFlags.setAll();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    formResize();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        formActivate();
    else
        formDeactivate();
}

// The grids scale their columns whenever their width changes, which follows the window's.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == contsGrid_) contsWidths_.scale(*contsGrid_);
        if (watched == boxesGrid_) boxesWidths_.scale(*boxesGrid_);
    } else if (event->type() == QEvent::KeyPress && watched == volMltEdit_) {
        // The edit steps its spinner with the arrow keys, as a click on the spinner's arrows does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            volMltUp_->stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && (watched == dbCheckDflt_ || watched == dbCheckTurn_)) {
        // Entering a check box, not the window's getting back the focus after a dialog; Tab and
        // Ctrl+Tab (the way out of a grid) only move through the page and are never guarded.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
            QMetaObject::invokeMethod(this, ui::guarded([this] { guardGridEdit(Qt::Key_Return); }),
                                      Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace rectix::app
