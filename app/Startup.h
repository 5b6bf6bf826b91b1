#pragma once

#include "app/OperationWindows.h"
#include "app/SavedViewSettings.h"
#include "app/SettingsFile.h"
#include "taskdb/RunStore.h"

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

namespace rectix::results {
struct LayoutView;
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
    // Null where start-up ended before creating them.
    MainWindow* mainWindow() const { return tasksForm_.get(); }
    results::SolutionWindow* solutionWindow() const { return solution_.get(); }
    results::ReportForms* reports() const { return reports_.get(); }
    taskdb::DataModule* dataModule() const { return dm_.get(); }
    ProgressWindow* waitForm() const { return wait_.get(); }
    AboutWindow* aboutForm() const { return about_.get(); }
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
    SavedViewSettings savedView_;
    SettingsFile settings_;
    // The windows' side of the long-operation frames, for the data module and the windows.
    OperationWindows operations_;

    // The windows go first (see the destructor): their data controls watch the data module's cursors.
    std::unique_ptr<HelpFiles> help_;
    std::unique_ptr<MainWindow> tasksForm_;
    std::unique_ptr<SplashScreen> splash_;
    std::unique_ptr<ProgressWindow> wait_;
    std::unique_ptr<LibraryWindow> boxLibrary_;
    std::unique_ptr<LibraryWindow> contLibrary_;
    std::unique_ptr<AcknowledgementsWindow> ackno_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<TaskListWindow> taskList_;
    std::unique_ptr<AboutWindow> about_;
    // The layout page's picture state and view options live as long as the program.
    std::unique_ptr<results::LayoutView> layoutView_;
    std::unique_ptr<results::ViewOptionsWindow> viewOptions_;
    std::unique_ptr<results::LayoutWindow> layoutPage_;
    std::unique_ptr<results::SolutionWindow> solution_;
    // The report forms, which print the data module's tables.
    std::unique_ptr<results::ReportForms> reports_;
    std::unique_ptr<taskdb::DataModule> dm_;
    std::unique_ptr<taskdb::TableSets> tableSets_;
    std::unique_ptr<taskdb::TaskCopier> copier_;
    // The engine for the whole run of the program, with the progress window as its progress.
    std::unique_ptr<engine::PackProblem> problem_;
    std::unique_ptr<engine::PackRun> run_;
    std::unique_ptr<taskdb::SolveBridge> bridge_;
};

} // namespace rectix::app
