// Switching the working tables between the three sets, emptying a set, what
// the windows are told about the active set, and the start-up file check.
#include "TableSetsFixture.h"

#include "taskdb/WriteCheck.h"

#include <unistd.h>

#include "taskdb/Schema.h"

namespace rectix::taskdb::test {

namespace {

const std::string busy73 = "DB is busy or incorrect";

} // namespace

using Switching = TableSetsTest;

TEST_F(Switching, HomeToExportAndBackReselectsTheHomeTask) {
    for (const char* name : {"One", "Two", "Three"}) addTask(name);
    dm->tasks.locate("TaskID", 2);
    store.loadedSolutionTaskID = 2;
    sets->switchDatabase(1);
    EXPECT_EQ(store.activeDB, 1);
    EXPECT_TRUE(dm->tasks.isEmpty());
    EXPECT_EQ(store.lastTaskID, 2);
    EXPECT_EQ(store.loadedSolutionTaskID, 0);

    addTask("Exported");
    sets->switchToHome();
    EXPECT_EQ(store.activeDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Two");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(wait.settingsEnabled && !wait.busy);
}

// The opening and the return to the home task both land on it: a stored setting out of range is
// refused once, for that task.
TEST_F(Switching, BackHomeAStoredSettingOutOfRangeIsRefusedOnce) {
    for (const char* name : {"One", "Two"}) addTask(name);
    sets->switchDatabase(1);
    ASSERT_EQ(sqlite(root / "data/home/tasks.db", "UPDATE tasks SET Power = 99"), 0);
    store.taskOptSet = true;
    sets->switchToHome();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind(
                  "Task \"Two\": table tasks, row (TaskID 2), field Power: the stored setting Power 99", 0),
              0u)
        << dialogs.shown[0].text;
}

TEST_F(Switching, BetweenExportAndImportLastTaskIDStays) {
    addTask("One");
    addTask("Two");
    sets->switchDatabase(1);
    addTask("Exported");
    sets->switchDatabase(2);
    sets->switchDatabase(1);
    EXPECT_EQ(store.lastTaskID, 2);
    EXPECT_EQ(dm->tasksName.asString(), "Exported");
}

TEST_F(Switching, ASetHeldByAnotherProgramShowsMessage73AndKeepsThePreviousSet) {
    for (const char* name : {"One", "Two", "Three"}) addTask(name);
    dm->tasks.locate("TaskID", 2);
    hold("export", "tasks");
    sets->switchDatabase(1);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{busy73});
    EXPECT_EQ(store.activeDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Two"); // the task that was current, not the first

    // Back home after a failed return: the export set's task stays, not the
    // export task that has the home task's TaskID.
    sqlite3_close(held.back());
    held.pop_back();
    sets->switchDatabase(1);
    for (const char* name : {"E1", "E2", "E3"}) addTask(name);
    hold("home", "tasks");
    sets->switchToHome();
    EXPECT_EQ(store.activeDB, 1);
    EXPECT_EQ(dm->tasksName.asString(), "E3");
}

TEST_F(Switching, AnArithmeticErrorOpeningASetShowsItsMessageAndReturns) {
    addTask("Home");
    // placed below zero puts the boxes left beyond 16 bits; the message names the value.
    sql("import", "tasks", "INSERT INTO tasks (TaskID, Name) VALUES (1, 'Odd')");
    sql("import", "tb", "INSERT INTO tb (TaskID, KindID, Total, Placed) VALUES (1, 1, 32767, -32768)");
    sets->switchDatabase(2);
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{
                  "Math error opening DB\rTask \"Odd\": box kind \"\": Placed -32768 cannot be "
                  "used: Value 65535 is out of range for field 'Left' (-32768 to 32767)",
                  busy73}));
    EXPECT_EQ(store.activeDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Home");
}

TEST_F(Switching, WhenThePreviousSetCannotBeReopenedEitherNoSetIsActive) {
    addTask("Home");
    HookedDialog hooked;
    hold("export", "tasks");
    hooked.onMessage = [&] { hold("home", "tasks"); };
    sets->switchDatabase(1);
    EXPECT_EQ(hooked.messages, (std::vector<std::string>{busy73, busy73}));
    EXPECT_FALSE(sets->setOpen());
    const ExchangeState& none = exchange.states.at(0);
    EXPECT_EQ(none.activeSet, ExchangeState::noSet);
    EXPECT_TRUE(none.homeEnabled && none.expEnabled && none.impEnabled && none.exchVisible);
    EXPECT_FALSE(none.addEnabled || none.clearEnabled || none.duplEnabled);

    // Every table action but switching is refused with the message.
    hooked.messages.clear();
    copier->copyTask(true);
    copier->copyTask(false);
    sets->emptyActiveSet();
    EXPECT_EQ(hooked.messages, (std::vector<std::string>{busy73, busy73, busy73}));
    EXPECT_TRUE(hooked.shown.empty());

    // Once the other program lets go, the home set opens with its task.
    sqlite3_close(held.back());
    held.pop_back();
    sets->switchToHome();
    EXPECT_TRUE(sets->setOpen());
    EXPECT_EQ(dm->tasksName.asString(), "Home");
    EXPECT_EQ(exchange.states.back().activeSet, 0);
}

using Emptying = TableSetsTest;

TEST_F(Emptying, ASetWithoutLibrariesAndTasksIsOnlyReported) {
    sql("export", "tc", "INSERT INTO tc (TaskID, TypeID, Avail) VALUES (9, 1, 1)");
    sets->switchDatabase(1);
    sets->emptyActiveSet();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, "Export DB is empty");
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons(DialogButton::Ok));
    EXPECT_EQ(rowsOf(dm->db, "tc").size(), 1u);
}

TEST_F(Emptying, RemovesEveryRowOfTheEightTablesAfterOK) {
    const char* tables[] = {"conts", "boxes", "tasks", "tc", "tb", "solut", "distr", "posit"};
    loadRows("copy/truck-a.rows");
    sets->emptyActiveSet(); // never the home set
    store.warnings = false;
    copier->copyTask(true);
    sets->switchDatabase(1);
    dialogs.answers = {DialogButton::Cancel, DialogButton::Ok};
    sets->emptyActiveSet();
    EXPECT_EQ(rowsOf(dm->db, "tasks").size(), 1u);
    sets->emptyActiveSet();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "Are you sure to delete all Export DB data?");
    for (const char* t : tables) EXPECT_TRUE(rowsOf(dm->db, t).empty()) << t;
    EXPECT_EQ(exchange.homeFocused, 1);
    EXPECT_TRUE(wait.settingsEnabled && !wait.busy);

    sets->switchToHome();
    for (const char* t : tables) EXPECT_FALSE(rowsOf(dm->db, t).empty()) << t;
}

using ExchangeStates = TableSetsTest;

TEST_F(ExchangeStates, FollowTheActiveSet) {
    sets->updateExchangeState();
    addTask("One");
    sets->updateExchangeState();
    sets->switchDatabase(1);
    sets->switchDatabase(2);
    // set, then enabled: Add Home Exp Imp Clear Dupl; the clear caption; the label when shown
    std::vector<std::string> shown;
    for (const ExchangeState& s : exchange.states) {
        std::string text = std::to_string(s.activeSet) + " ";
        for (bool on :
             {s.addEnabled, s.homeEnabled, s.expEnabled, s.impEnabled, s.clearEnabled, s.duplEnabled})
            text += on ? '1' : '0';
        shown.push_back(text + " " + s.clearCaption + (s.exchVisible ? ", " + s.exchCaption : ""));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"0 001101 &Empty active DB", "0 101101 &Empty active DB",
                                               "1 010110 &Empty Export DB, Export DB on",
                                               "2 011010 &Empty Import DB, Import DB on"}));
}

TEST_F(TableSetsTest, TheStartUpCheckReportsDamagedAndUnreadableTableFiles) {
    for (const char* alias : TableSets::aliasNames) sets->repairAllValFiles(alias);
    EXPECT_TRUE(dialogs.shown.empty()); // sound files, and an import folder without files

    std::ofstream(file("export", "solut"), std::ios::trunc) << std::string(4096, 'x');
    hold("export", "tc");
    fs::remove_all(root / "data/import");
    for (const char* alias : TableSets::aliasNames) sets->repairAllValFiles(alias);
    // A file another program holds is left to the opening, which says so once.
    ASSERT_EQ(dialogs.shown.size(), 1u);
    // Nothing is repaired, so nothing is reported as corrected.
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text,
              "Error file date correction in \"" + file("export", "solut").string() + "\"");

    // A file that is no database at all is damaged too.
    std::ofstream(file("export", "tb"), std::ios::trunc) << "not a table";
    dialogs.shown.clear();
    sets->repairAllValFiles("Rectixexp");
    ASSERT_EQ(dialogs.shown.size(), 2u) << dialogs.shown.back().text;
    EXPECT_EQ(dialogs.shown[1].text,
              "Error file date correction in \"" + file("export", "tb").string() + "\"");
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// A set with a table file missing is refused with message 73 and nothing is
// created in its folder; one whose files cannot be written with the write
// check's warning. The previous set stays active either way.
TEST_F(Switching, ASetMissingAFileOrNotWritableIsRefusedAndLeftAlone) {
    addTask("Home");
    fs::remove(file("export", "posit"));
    sets->switchDatabase(1);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{busy73});
    EXPECT_FALSE(fs::exists(file("export", "posit")));
    EXPECT_EQ(store.activeDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Home");

    if (::geteuid() != 0) GTEST_SKIP() << "the unwritable case needs to drop privileges";
    // Readable and writable by root alone: the unprivileged user may only read.
    dm->setTablesActive(false);
    for (const fs::path& folder : {root, root / "data", root / "data/home", root / "data/import"})
        fs::permissions(folder, fs::perms::all);
    for (const char* set : {"home", "import"})
        for (const auto& e : fs::directory_iterator(root / "data" / set))
            fs::permissions(e.path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::others_read);
    for (const auto& e : fs::directory_iterator(root / "data/home"))
        fs::permissions(e.path(), fs::perms::all);
    ASSERT_EQ(::seteuid(65534), 0);
    const bool reopened = dm->setTablesActive(true);
    dialogs.shown.clear();
    sets->switchDatabase(2);
    ASSERT_EQ(::seteuid(0), 0);
    EXPECT_TRUE(reopened);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, WriteCheck::warningText);
    EXPECT_EQ(store.activeDB, 0);
}

} // namespace rectix::taskdb::test
