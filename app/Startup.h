#pragma once

#include "app/OperationWindows.h"
#include "taskdb/RunStore.h"
#include "taskdb/SavedViewSettings.h"
#include "taskdb/SettingsFile.h"

#include <QPointer>

#include <filesystem>
#include <memory>

namespace rectix::engine {
class PackProblem;
class PackRun;
} // namespace rectix::engine

namespace rectix::taskdb {
class SolveBridge;
class DataModule;
class TableSets;
class TaskCopier;
} // namespace rectix::taskdb

namespace rectix::render {
struct LayoutView;
}

namespace rectix::results {
class LayoutWindow;
class ReportForms;
class SolutionWindow;
class ViewOptionsWindow;
} // namespace rectix::results

namespace rectix::app {

class AboutWindow;
class AcknowledgementsWindow;
class SplashScreen;
class MainWindow;
class HelpFiles;
class LibraryWindow;
class ProgressWindow;
class SettingsWindow;
class TaskListWindow;

enum class StartupOutcome {
    Running, // the main window is shown; the message loop runs until it closes
    Ended,   // the program ends; nothing but messages was shown
};

// The program's main sequence up to the message loop, and the one instance of every window and
// of the data module, which live as long as this object. Needs the application object.
class Startup {
  public:
    explicit Startup(std::filesystem::path programFolder);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Runs once. Ends the program when the program folder is not writable, when a set's folder
    // is missing, when the tables cannot be opened, or when a step fails with an error (shown in
    // the error box).
    StartupOutcome run();
    // After a run that left the program running: the message loop, until the main window has
    // closed, whatever other windows are open. The program's exit code.
    int exec();

    taskdb::RunStore& store() { return store_; }
    taskdb::SavedViewSettings& savedView() { return savedView_; }
    // Null where start-up ended before creating them.
    MainWindow* mainWindow() const { return tasksForm_.get(); }
    results::SolutionWindow* solutionWindow() const;
    results::ReportForms* reports() const { return reports_.get(); }
    taskdb::DataModule* dataModule() const { return dm_.get(); }
    ProgressWindow* waitForm() const { return wait_.get(); }
    AboutWindow* aboutForm() const;
    // The engine's problem record, whose result plan the layout page draws.
    engine::PackProblem* problem() const { return problem_.get(); }

  private:
    StartupOutcome sequence();
    StartupOutcome ended();
    // The windows of the main sequence's steps, in their order; later windows join their step.
    void createViewOptions();
    void createDataModule();
    void createWindows();
    void createSettingsWindows();
    void createLayoutPage();
    void createReports();
    void createAbout();

    std::filesystem::path programFolder_;
    taskdb::RunStore store_;
    taskdb::SavedViewSettings savedView_;
    taskdb::SettingsFile settings_;
    // The windows' side of the long-operation frames, for the data module and the windows.
    OperationWindows operations_;

    // Members go in the reverse of their order here: each outlives what uses it.
    std::unique_ptr<HelpFiles> help_;
    std::unique_ptr<SplashScreen> splash_;
    // The engine for the whole run of the program, with the progress window as its progress.
    std::unique_ptr<ProgressWindow> wait_;
    std::unique_ptr<engine::PackProblem> problem_;
    std::unique_ptr<engine::PackRun> run_;
    std::unique_ptr<taskdb::DataModule> dm_;
    std::unique_ptr<taskdb::TableSets> tableSets_;
    std::unique_ptr<taskdb::TaskCopier> copier_;
    std::unique_ptr<taskdb::SolveBridge> bridge_;
    // The layout page's picture state and view options live as long as the program.
    std::unique_ptr<render::LayoutView> layoutView_;
    std::unique_ptr<results::ViewOptionsWindow> viewOptions_;
    // The report forms, which print the data module's tables.
    std::unique_ptr<results::ReportForms> reports_;
    // The main window goes first, and with it the windows it owns as their Qt parent: their data
    // controls watch the data module's cursors. Null once their owner deleted them.
    std::unique_ptr<MainWindow> tasksForm_;
    QPointer<LibraryWindow> boxLibrary_;
    QPointer<LibraryWindow> contLibrary_;
    QPointer<AcknowledgementsWindow> ackno_;
    QPointer<SettingsWindow> settingsWindow_;
    QPointer<TaskListWindow> taskList_;
    QPointer<AboutWindow> about_;
    QPointer<results::LayoutWindow> layoutPage_;
    QPointer<results::SolutionWindow> solution_;
};

} // namespace rectix::app
