#include "app/TasksUnit.h"

#include "app/OperationScope.h"
#include "app/SettingsFile.h"
#include "app/StartupChecks.h"
#include "core/UiTexts.h"
#include "lang/Language.h"
#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/MessageDialogs.h"
#include "ui/WindowTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <system_error>

namespace rectix::app {

TTasksForm::TTasksForm(taskdb::RunStore& store, SettingsFile& settings, std::filesystem::path programFolder)
    : store_(store), settings_(settings), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("TasksForm"));
    ui::Help::setContext(this, 2);
    // The outer minimum of 702 x 520 less the frame.
    setMinimumSize(694, 488);
    buildPage();
    // Their windows join later.
    taskButton_->setEnabled(false);
    optButton_->setEnabled(false);
    TasksControls(false);
    SolutControls(false);
    ui::WindowTexts::global().registerWindow(QStringLiteral("TTasksForm"), this);
}

TTasksForm::~TTasksForm() {
    if (busyCursor_) QApplication::restoreOverrideCursor();
}

void TTasksForm::setDataModule(taskdb::TDMForm* dm) {
    if (dm_ || !dm) return;
    dm_ = dm;
    buildDataControls();
    TasksControls(false);
    SolutControls(false);
    CurrDfltTurns(false);
}

bool TTasksForm::FormCreate() {
    lang::Language::global().applyEnglishTexts(false);

    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    if (!ec) savedCurrentDir_ = current;
    std::filesystem::current_path(programFolder_);
    // File dialogs given no folder open in the current folder: Qt's own rule.

    if (!CheckDataFolderWritable()) return false;
    settings_.LoadIni();
    const bool foldersFound = CheckAliasFolders(programFolder_);

    store_.ActiveDB = 0;
    store_.LoadedSolutionTaskID = 0;
    store_.SolutionState = false;
    store_.BoxEditMode = false;
    store_.CntEditMode = false;
    store_.UsedCapArea = 0;
    store_.PlacedArea = 0;
    store_.UsedCapWgt = 0;
    store_.PlacedWgt = 0;
    store_.TotalContainers = 0;
    store_.TotalBoxes = 0;
    TasksControls(false);
    SolutControls(false);
    CurrDfltTurns(false);
    {
        const QSignalBlocker quiet(volMltUp_);
        volMltUp_->setValue(store_.VolMltPos);
    }
    ApplyAreaMultiplier();
    store_.Mode = 1;
    store_.AreaLabel = "Area";
    SetAreaLabel();
    store_.PlacementFlags.setAll();
    return foldersFound;
}

void TTasksForm::ExitButtonClick() {
    if (store_.Warnings && ui::MessageDialogs::current().show(
                               ui::DialogKind::Confirmation, core::messageText(48),
                               ui::DialogButton::Ok | ui::DialogButton::Cancel, 0) != ui::DialogButton::Ok)
        return;
    close();
}

void TTasksForm::NewFileNameCaption() {
    setWindowTitle(QApplication::applicationName() + QStringLiteral(" 1.95  - ") +
                   QString::fromStdString(core::captionText(59)));
}

void TTasksForm::RestoreCurrentDir() {
    if (!savedCurrentDir_) return;
    std::error_code ec;
    std::filesystem::current_path(*savedCurrentDir_, ec);
    savedCurrentDir_.reset();
}

void TTasksForm::SetBusyCursor(bool busy) {
    if (busy == busyCursor_) return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TTasksForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FormShow();
}

// The outer size 780 x 557 at (10, 12): a client area of 772 x 525.
void TTasksForm::FormShow() {
    move(10, 12);
    resize(772, 525);
    lang::Language::global().applyLanguage(true, taskdb::RunStore::LangIndex());
    NewFileNameCaption();
}

void TTasksForm::closeEvent(QCloseEvent* event) {
    if (OperationScope::running()) {
        event->ignore();
        return;
    }
    if (!closed_) {
        try {
            FormClose();
        } catch (...) {
            event->ignore();
            ui::ErrorBoundary::reportCurrent();
            return;
        }
        closed_ = true;
    }
    event->accept();
    // The program ends with its main window, whatever other windows are open.
    QApplication::exit(0);
}

void TTasksForm::FormClose() {
    if (QDialog* settings = windows_[static_cast<std::size_t>(PageWindow::Settings)];
        settings && settings->isVisible())
        settings->close();
    if (dm_) {
        ValidNameEdit();
        PostModifiedTables();
    }
    if (store_.ActiveDB == 0) settings_.SaveIni();
    RestoreCurrentDir();
    if (dm_) dm_->SetTablesActive(false);
}

} // namespace rectix::app
