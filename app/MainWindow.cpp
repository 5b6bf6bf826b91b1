#include "app/MainWindow.h"

#include "app/StartupChecks.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "core/Version.h"
#include "lang/Language.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/SettingsFile.h"
#include "ui/BusyCursor.h"
#include "ui/EnterPressesButton.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/WindowTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QWindow>

#include <system_error>

namespace rectix::app {

MainWindow::MainWindow(taskdb::RunStore& store, taskdb::SettingsFile& settings,
                       std::filesystem::path programFolder)
    : store_(store), settings_(settings), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("TasksForm"));
    ui::Help::setContext(this, 2);
    buildPage();
    // Their windows join later.
    taskButton_->setEnabled(false);
    optButton_->setEnabled(false);
    tasksControls(false);
    solutControls(false);
    ui::WindowTexts::global().registerWindow(QStringLiteral("TTasksForm"), this);
    ui::EnterPressesButton::install(this);
}

MainWindow::~MainWindow() {
    // The windows it owns go first, newest first, while the page they reach into is whole.
    QList<QPointer<QDialog>> owned;
    for (QObject* child : children())
        if (auto* window = qobject_cast<QDialog*>(child)) owned.prepend(window);
    for (const QPointer<QDialog>& window : owned) delete window.data();
}

void MainWindow::setDataModule(taskdb::DataModule* dm) {
    if (dm_ || !dm) return;
    dm_ = dm;
    buildDataControls();
    tasksControls(false);
    solutControls(false);
    currDfltTurns(false);
}

bool MainWindow::formCreate() {
    lang::Language::global().applyEnglishTexts(false);

    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    if (!ec) savedCurrentDir_ = current;
    std::filesystem::current_path(programFolder_);
    // File dialogs given no folder open in the current folder: Qt's own rule.

    if (!checkDataFolderWritable()) return false;
    settings_.loadIni();
    const bool foldersFound = checkAliasFolders(programFolder_);

    store_.activeDB = 0;
    store_.loadedSolutionTaskID = 0;
    store_.solutionState = false;
    store_.boxEditMode = false;
    store_.cntEditMode = false;
    store_.usedCapArea = 0;
    store_.placedArea = 0;
    store_.usedCapWgt = 0;
    store_.placedWgt = 0;
    store_.totalContainers = 0;
    store_.totalBoxes = 0;
    tasksControls(false);
    solutControls(false);
    currDfltTurns(false);
    {
        const QSignalBlocker quiet(volMltUp_);
        volMltUp_->setValue(store_.volMltPos);
    }
    applyAreaMultiplier();
    store_.mode = 1;
    store_.areaLabel = "Area";
    setAreaLabel();
    store_.placementFlags.setAll();
    return foldersFound;
}

void MainWindow::exitButtonClick() {
    if (store_.warnings && core::Dialogs::current().show(core::DialogKind::Confirmation,
                                                         core::messageText(core::Msg::ExitProgram),
                                                         core::DialogButton::Ok | core::DialogButton::Cancel,
                                                         0) != core::DialogButton::Ok)
        return;
    close();
}

void MainWindow::newFileNameCaption() {
    setWindowTitle(QApplication::applicationName() + QLatin1Char(' ') +
                   QString::fromLatin1(core::programVersion) + QStringLiteral("  - ") +
                   QString::fromStdString(core::captionText(core::Caption::TaskPage)));
}

void MainWindow::restoreCurrentDir() {
    if (!savedCurrentDir_) return;
    std::error_code ec;
    std::filesystem::current_path(*savedCurrentDir_, ec);
    savedCurrentDir_.reset();
}

// The first show runs the window's show handler before the window reaches the screen: only a
// window not yet made can be placed by its outer frame.
void MainWindow::setVisible(bool visible) {
    if (visible && !shownOnce_) {
        shownOnce_ = true;
        formShow();
    }
    QMainWindow::setVisible(visible);
}

// The outer frame at (10, 12), a client area of 772 x 525 (the outer 780 x 557).
void MainWindow::formShow() {
    resize(772, 525);
    if (testAttribute(Qt::WA_WState_Created) && windowHandle())
        windowHandle()->setFramePosition(QPoint(10, 12));
    else
        move(10, 12);
    lang::Language& language = lang::Language::global();
    language.applyLanguage(true, language.langIndex());
    newFileNameCaption();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (taskdb::OperationFrame::running()) {
        event->ignore();
        return;
    }
    if (!closed_) {
        try {
            formClose();
        } catch (...) {
            event->ignore();
            ui::ErrorBoundary::reportCurrent();
            return;
        }
        closed_ = true;
    }
    event->accept();
    emit closed();
}

void MainWindow::formClose() {
    if (QDialog* settings = windows_[static_cast<std::size_t>(PageWindow::Settings)];
        settings && settings->isVisible())
        settings->close();
    if (dm_) {
        validNameEdit();
        postModifiedTables();
    }
    if (store_.activeDB == 0) {
        // The settings file's folder may be awaited.
        const ui::BusyCursor busy;
        settings_.saveIni();
    }
    restoreCurrentDir();
    if (dm_) dm_->setTablesActive(false);
}

} // namespace rectix::app
