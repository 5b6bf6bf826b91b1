#include "app/Startup.h"

#include "app/AboutWindow.h"
#include "app/AcknowledgementsWindow.h"
#include "app/BoxImportMenu.h"
#include "app/HelpFiles.h"
#include "app/LibraryKind.h"
#include "app/LibraryWindow.h"
#include "app/MainWindow.h"
#include "app/ProgressWindow.h"
#include "app/SettingsWindow.h"
#include "app/SplashScreen.h"
#include "app/TaskListWindow.h"
#include "engine/PackRun.h"
#include "lang/Language.h"
#include "render/LayoutView.h"
#include "results/LayoutWindow.h"
#include "results/ReportForms.h"
#include "results/SolutionWindow.h"
#include "results/ViewOptionsWindow.h"
#include "taskdb/DataModule.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/TableSets.h"
#include "taskdb/TaskCopier.h"
#include "ui/ErrorBoundary.h"
#include "ui/Hints.h"
#include "ui/WindowTexts.h"

#include <QApplication>

namespace rectix::app {

namespace {

taskdb::SavedViewSettings savedOf(const render::ViewTracks& t) {
    taskdb::SavedViewSettings saved;
    saved.space = static_cast<std::int16_t>(t.space);
    saved.line = static_cast<std::int16_t>(t.line);
    saved.palett = static_cast<std::int16_t>(t.palett);
    saved.bright = static_cast<std::int16_t>(t.bright);
    saved.backGr = static_cast<std::int16_t>(t.backGr);
    saved.parts = static_cast<std::int16_t>(t.partGr);
    saved.Grid = static_cast<std::int16_t>(t.grid);
    saved.markKind = t.markKind ? 1 : 0;
    saved.orient = t.orient ? 1 : 0;
    return saved;
}

} // namespace

Startup::Startup(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)), settings_(store_, savedView_, programFolder_) {
    settings_.setCurrentTask([this]() -> std::int32_t {
        if (!dm_ || !dm_->tasks.isOpen() || dm_->tasks.isEmpty()) return 0;
        return static_cast<std::int32_t>(dm_->tasksTaskID.asInteger());
    });
}

Startup::~Startup() {
    lang::Language::global().setRefreshHook({});
    lang::Language::global().setWindowWriter(nullptr);
    if (tasksForm_) tasksForm_->restoreCurrentDir();
    // Nothing below the windows keeps a window it would call as the members go.
    if (dm_) {
        dm_->setTaskPage(nullptr);
        dm_->setWaitWindow(nullptr);
        dm_->setOperationView(nullptr);
        dm_->setSettingsWindow(nullptr);
        dm_->setBoxLibrary(nullptr);
        dm_->setContainerLibrary(nullptr);
        dm_->setViewOptions(nullptr);
    }
    settings_.setViewSource({});
    if (tableSets_) tableSets_->setExchangePage(nullptr);
}

results::SolutionWindow* Startup::solutionWindow() const {
    return solution_;
}

AboutWindow* Startup::aboutForm() const {
    return about_;
}

StartupOutcome Startup::run() {
    try {
        return sequence();
    } catch (...) {
        ui::ErrorBoundary::reportCurrent();
        return ended();
    }
}

// The program ends with its main window. Only this loop ends then: a window closed outside it
// leaves the application's later loops, a modal dialog's among them, running as ever.
int Startup::exec() {
    if (!tasksForm_) return 1;
    const QMetaObject::Connection ending =
        QObject::connect(tasksForm_.get(), &MainWindow::closed, qApp, [] { QCoreApplication::exit(0); });
    const int code = QApplication::exec();
    QObject::disconnect(ending);
    return code;
}

StartupOutcome Startup::sequence() {
    help_ = std::make_unique<HelpFiles>();
    lang::Language::global().setWindowWriter(&ui::WindowTexts::global());

    splash_ = std::make_unique<SplashScreen>();
    splash_->show();
    splash_->repaint();
    QApplication::processEvents();

    QApplication::setApplicationName(QStringLiteral("Rectix"));
    tasksForm_ = std::make_unique<MainWindow>(store_, settings_, programFolder_);
    lang::Language::global().setRefreshHook([form = tasksForm_.get()] { form->refreshStateTexts(); });
    const bool created = tasksForm_->formCreate();
    QApplication::processEvents();
    if (!created) return ended();

    createViewOptions();
    createDataModule();
    if (store_.dbState != taskdb::RunStore::tablesOpened) return ended();

    createWindows();
    store_.reportsFailed = false;
    try {
        createReports();
    } catch (...) {
        store_.reportsFailed = true;
    }

    splash_.reset();
    createAbout();
    tasksForm_->show();
    return StartupOutcome::Running;
}

StartupOutcome Startup::ended() {
    splash_.reset();
    if (tasksForm_) tasksForm_->restoreCurrentDir();
    return StartupOutcome::Ended;
}

void Startup::createViewOptions() {
    layoutView_ = std::make_unique<render::LayoutView>();
    viewOptions_ = std::make_unique<results::ViewOptionsWindow>(*layoutView_, store_);
}

void Startup::createDataModule() {
    dm_ = std::make_unique<taskdb::DataModule>(store_, programFolder_);
    dm_->setTaskPage(tasksForm_.get());
    operations_.setMainWindow(tasksForm_.get());
    dm_->setOperationView(&operations_);
    dm_->setViewOptions(viewOptions_.get());
    tableSets_ = std::make_unique<taskdb::TableSets>(*dm_, programFolder_);
    // The table files of the three sets are checked before any is opened.
    for (const char* alias : taskdb::TableSets::aliasNames) tableSets_->repairAllValFiles(alias);
    tasksForm_->setDataModule(dm_.get());
    tasksForm_->setTableSets(tableSets_.get());
    dm_->dataModuleCreate();
}

// In this order: box library, container library, settings window, solution page, layout page,
// progress window, task list, acknowledgements. The main window owns them, as their Qt parent.
void Startup::createWindows() {
    boxLibrary_ = new LibraryWindow(LibraryKind::boxes(), *dm_, tasksForm_.get());
    new BoxImportMenu(*boxLibrary_, *dm_); // the window owns it
    contLibrary_ = new LibraryWindow(LibraryKind::containers(), *dm_, tasksForm_.get());
    dm_->setBoxLibrary(boxLibrary_.data());
    dm_->setContainerLibrary(contLibrary_.data());
    tasksForm_->setPageWindow(PageWindow::BoxLibrary, boxLibrary_.data());
    tasksForm_->setPageWindow(PageWindow::ContainerLibrary, contLibrary_.data());
    solution_ = new results::SolutionWindow(*dm_, tasksForm_.get());
    solution_->setReloadPlan([form = tasksForm_.get()] { form->updatePositTT(); });
    tasksForm_->setPageWindow(PageWindow::Solution, solution_.data());
    wait_ = std::make_unique<ProgressWindow>();
    dm_->setWaitWindow(wait_.get());
    tasksForm_->setWaitForm(wait_.get());
    operations_.setProgressWindow(wait_.get());
    problem_ = std::make_unique<engine::PackProblem>();
    run_ = std::make_unique<engine::PackRun>(*problem_, *wait_);
    bridge_ = std::make_unique<taskdb::SolveBridge>(*dm_, *problem_, *run_);
    tasksForm_->setSolveBridge(bridge_.get());
    createLayoutPage();
    createSettingsWindows();
    ackno_ = new AcknowledgementsWindow(tasksForm_.get());
    tasksForm_->setAcknoForm(ackno_.data());
    ui::Hints::global().keepShown(ackno_.data());
}

// The settings window and the task list, which follow the active table set together with the
// main window's active-set label.
void Startup::createSettingsWindows() {
    copier_ = std::make_unique<taskdb::TaskCopier>(*dm_, *tableSets_);
    settingsWindow_ = new SettingsWindow(store_, *dm_, *tableSets_, *copier_, tasksForm_.get());
    dm_->setSettingsWindow(settingsWindow_.data());
    operations_.setSettingsWindow(settingsWindow_.data());
    tasksForm_->setPageWindow(PageWindow::Settings, settingsWindow_.data());
    taskList_ = new TaskListWindow(*dm_, *settingsWindow_, tasksForm_.get());
    tasksForm_->setPageWindow(PageWindow::TaskList, taskList_.data());
    QObject::connect(settingsWindow_.data(), &SettingsWindow::exchangeStateShown, taskList_.data(),
                     [this](const taskdb::ExchangeState& state) {
                         tasksForm_->showActiveSet(state.exchVisible, state.exchCaption);
                         taskList_->showExchangeState(state);
                     });
    tableSets_->setExchangePage(settingsWindow_.data());
    tableSets_->updateExchangeState();
}

// The layout page's creation resets its view options in full; the saved view settings follow, and
// the settings file writes what the view options show at exit.
void Startup::createLayoutPage() {
    layoutPage_ = new results::LayoutWindow(*layoutView_, *problem_, *viewOptions_, store_, tasksForm_.get());
    if (savedView_.saved()) viewOptions_->applySaved(results::ViewOptionsWindow::savedTracks(savedView_));
    settings_.setViewSource([this] { return savedOf(viewOptions_->tracks()); });
    tasksForm_->setPageWindow(PageWindow::Layout, layoutPage_.data());
    solution_->setLayoutPage(layoutPage_.data());
}

// In this order: box library, container library, task, solution and layout image reports. A
// report form that cannot be created switches printing off; those created before it stay.
void Startup::createReports() {
    reports_ = std::make_unique<results::ReportForms>(*dm_);
    tasksForm_->setReports(reports_.get());
    boxLibrary_->setReports(reports_.get());
    contLibrary_->setReports(reports_.get());
    solution_->setReports(reports_.get());
    layoutPage_->setReports(reports_.get());
    // The print commands are there either way: without the forms they tell why nothing prints.
    reports_->create();
}

void Startup::createAbout() {
    about_ = new AboutWindow(tasksForm_.get());
    tasksForm_->setAboutForm(about_.data());
    store_.warnings = AboutWindow::warnings();
    QObject::connect(about_.data(), &AboutWindow::warningsChanged, [this](bool on) { store_.warnings = on; });
}

} // namespace rectix::app
