// The program's start: the checks that end it before anything is shown, the start itself and the
// end of the program.
#include "../support/SyncRecorder.h"
#include "StartupFixture.h"

#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/StartupChecks.h"
#include "results/SolutionWindow.h"
#include "taskdb/DataModule.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <sqlite3.h>

using rectix::app::StartupOutcome;

namespace {

std::string missing(const std::string& shown, const std::string& alias) {
    return "plain: " + shown + " DB location not found, alias: " + alias;
}

} // namespace

TEST_F(StartupTest, AllThreeSetFoldersMissingGiveThreeMessagesInOrderAndNoMainWindow) {
    EXPECT_EQ(start.run(), StartupOutcome::Ended);
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{missing("Main/Home", "RectixB"), missing("Export", "Rectixexp"),
                                        missing("Import", "Rectiximp")}));
    EXPECT_EQ(start.dataModule(), nullptr);
    EXPECT_FALSE(start.mainWindow()->isVisible());
    EXPECT_EQ(std::filesystem::current_path(), startFolder);
}

TEST_F(StartupTest, TheExportFolderAloneMissingEndsAfterOneMessageWithNoTableOpened) {
    makeSets({"home", "import"});
    EXPECT_EQ(start.run(), StartupOutcome::Ended);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{missing("Export", "Rectixexp")});
    EXPECT_EQ(start.dataModule(), nullptr);
}

TEST_F(StartupTest, AnUnwritableProgramFolderShowsTheWarningAndEndsAtOnce) {
    makeSets({"home", "export", "import"});
    std::filesystem::create_directory(folder.path / "z-temp-pr.bat"); // the probe cannot be written
    EXPECT_EQ(start.run(), StartupOutcome::Ended);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"warning: " + rectix::app::dataFolderWarning});
    EXPECT_EQ(start.dataModule(), nullptr);
    EXPECT_EQ(std::filesystem::current_path(), startFolder);
}

TEST_F(StartupTest, ASetThatIsBusyOrBrokenShowsBusyOrWrongAndNoMainWindow) {
    makeSets({"home", "export", "import"});
    rectix::taskdb::RunStore otherStore;
    {
        rectix::taskdb::DataModule other(otherStore, folder.path); // another holder of the home set
        other.dataModuleCreate();
        ASSERT_EQ(otherStore.dbState, 555);
        EXPECT_EQ(start.run(), StartupOutcome::Ended);
    }
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"plain: Rectix DB is busy or wrong"});
    EXPECT_FALSE(start.mainWindow()->isVisible());

    rectix::app::Startup again(folder.path);
    std::filesystem::remove(tableFile("home", "tasks"));
    folder.write("data/home/tasks.db", "not a table");
    dialogs.shown.clear();
    EXPECT_EQ(again.run(), StartupOutcome::Ended);
    // The damaged file is named by the start-up check of the table files before the opening fails.
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].rfind("error: Error file date correction in", 0), 0u);
    EXPECT_EQ(dialogs.shown[1], "plain: Rectix DB is busy or wrong");
    EXPECT_FALSE(again.mainWindow()->isVisible());
}

TEST_F(StartupTest, AStartShowsTheMainWindowInTheProgramFolderAndItsCloseWritesTheSettings) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), StartupOutcome::Running);
    rectix::app::MainWindow& main = *start.mainWindow();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Rectix 1.95  - Task page"));
    EXPECT_EQ(main.pos(), QPoint(10, 12));
    EXPECT_EQ(std::filesystem::current_path(), folder.path);
    EXPECT_FALSE(std::filesystem::exists(folder.path / "z-temp-pr.bat"));
    EXPECT_EQ(start.store().dbState, 555);
    EXPECT_EQ(start.store().areaMult, 1000);
    EXPECT_TRUE(start.dataModule()->tasks.isOpen());
    EXPECT_NE(start.aboutForm(), nullptr);

    // The settings file is put in place with the busy cursor: its folder may be awaited.
    start.store().optPower = 17;
    std::vector<bool> busy;
    sync_recorder::atRename = [&busy] { busy.push_back(QApplication::overrideCursor() != nullptr); };
    EXPECT_TRUE(main.close());
    sync_recorder::atRename = nullptr;
    EXPECT_EQ(busy, std::vector<bool>{true});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(folder.read("rectix.ini").find("17   Opt.Intens\r\n"), std::string::npos);
    EXPECT_FALSE(start.dataModule()->tasks.isOpen());
    EXPECT_EQ(std::filesystem::current_path(), startFolder);
}

// Each window has one owner: every one goes with the program, and one its owner deleted early is
// not deleted again.
TEST_F(StartupTest, EveryWindowGoesOnceWithTheProgram) {
    makeSets({"home", "export", "import"});
    auto program = std::make_unique<rectix::app::Startup>(folder.path);
    ASSERT_EQ(program->run(), StartupOutcome::Running);
    QPointer<rectix::app::MainWindow> main = program->mainWindow();
    QList<QPointer<QDialog>> windows;
    for (QDialog* w : main->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) windows.append(w);
    EXPECT_GE(windows.size(), 8);

    delete program->solutionWindow();
    EXPECT_EQ(program->solutionWindow(), nullptr);
    program.reset();
    EXPECT_TRUE(main.isNull());
    for (const QPointer<QDialog>& w : windows) EXPECT_TRUE(w.isNull());
}

TEST_F(StartupTest, ClosingWhileTheExportSetIsActiveLeavesTheSettingsFileAsItWas) {
    makeSets({"home", "export", "import"});
    const std::string before = folder.read("rectix.ini");
    ASSERT_EQ(start.run(), StartupOutcome::Running);
    start.store().activeDB = 1;
    start.store().optPower = 17;
    EXPECT_TRUE(start.mainWindow()->close());
    EXPECT_EQ(folder.read("rectix.ini"), before);
}

// The program's loop ends with the main window, though another window is still open.
TEST_F(StartupTest, TheProgramsLoopEndsWhenTheMainWindowCloses) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), StartupOutcome::Running);
    rectix::app::MainWindow* main = start.mainWindow();
    // Should the close not end the loop, the test fails instead of waiting for ever.
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(30000);
    QTimer::singleShot(0, main, [&] {
        start.aboutForm()->show();
        main->close();
    });
    EXPECT_EQ(start.exec(), 0);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(start.dataModule()->tasks.isOpen());
    start.aboutForm()->hide();
}

// Closing the window ends only the program's own loop: outside it, as in a test that closes the
// window, every later loop (a modal dialog's) still runs until it is ended.
TEST_F(StartupTest, AMainWindowClosedOutsideTheProgramsLoopLeavesLaterLoopsRunning) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), StartupOutcome::Running);
    EXPECT_TRUE(start.mainWindow()->close());
    QEventLoop loop;
    bool ran = false;
    QTimer::singleShot(0, &loop, [&] {
        ran = true;
        loop.exit(7);
    });
    EXPECT_EQ(loop.exec(), 7);
    EXPECT_TRUE(ran);
}

// The opening and the return to the last task both land on the task with a setting out of range
// (written by another program): it is refused once, before the main window shows.
TEST_F(StartupTest, AStoredSettingOutOfRangeIsRefusedOnceAtTheStart) {
    makeSets({"home", "export", "import"});
    rectix::taskdb::RunStore store;
    rectix::taskdb::setDefaultOptions(store, true);
    {
        rectix::taskdb::DataModule dm(store, folder.path);
        dm.dataModuleCreate();
        dm.tasks.append(); // stored at once as "Task 1"
        rectix::taskdb::SavedViewSettings view;
        rectix::taskdb::SettingsFile ini(store, view, folder.path);
        ini.setCurrentTask([&dm] { return dm.tasksTaskID.asInteger(); });
        ini.saveIni();
        dm.setTablesActive(false);
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(tableFile("home", "tasks").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "UPDATE tasks SET Power = 99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    ASSERT_EQ(start.run(), StartupOutcome::Running);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].rfind("error: Task \"Task 1\": table tasks, row (TaskID 1), field Power: the "
                                     "stored setting Power 99 is outside 0..20",
                                     0),
              0u)
        << dialogs.shown[0];
}
