// The three table sets: folders, the start-up check of the table files,
// switching the working tables between sets, emptying a set, and what the
// windows are told about the active set.
#include "TableSetsFixture.h"

#include "taskdb/Schema.h"

#include "dataset/Errors.h"

namespace rectix::taskdb::test {

namespace {

const std::string Busy73 = "DB is busy or incorrect";

} // namespace

using Switching = TableSetsTest;

TEST_F(Switching, HomeToExportAndBackReselectsTheHomeTask) {
    addTask("One");
    const auto two = addTask("Two");
    addTask("Three");
    dm->tasks.locate("TaskID", two);
    store.LoadedSolutionTaskID = two;

    sets->SwitchDatabase(1);
    EXPECT_EQ(store.ActiveDB, 1);
    EXPECT_EQ(dm->db.alias(), "Rectixexp");
    EXPECT_TRUE(dm->tasks.isEmpty());
    EXPECT_EQ(store.LastTaskID, two);
    EXPECT_EQ(store.LoadedSolutionTaskID, 0);

    addTask("Exported");
    sets->SwitchToHome();
    EXPECT_EQ(store.ActiveDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Two");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(exchange.enabled);
    EXPECT_FALSE(page.busy);
}

TEST_F(Switching, BetweenExportAndImportLastTaskIDStays) {
    addTask("One");
    const auto two = addTask("Two");
    sets->SwitchDatabase(1);
    addTask("Exported");
    sets->SwitchDatabase(2);
    EXPECT_EQ(store.ActiveDB, 2);
    EXPECT_EQ(store.LastTaskID, two);
    sets->SwitchDatabase(1);
    EXPECT_EQ(store.LastTaskID, two);
    EXPECT_EQ(dm->tasksName.asString(), "Exported");
}

TEST_F(Switching, ASetHeldByAnotherProgramShowsMessage73AndKeepsThePreviousSet) {
    addTask("One");
    const auto two = addTask("Two");
    addTask("Three");
    dm->tasks.locate("TaskID", two);
    TDMForm::EnsureTableFiles(dm->exdb);
    hold("export", "tasks");

    sets->SwitchDatabase(1);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Busy73});
    EXPECT_EQ(store.ActiveDB, 0);
    EXPECT_EQ(dm->db.alias(), "RectixB");
    EXPECT_EQ(dm->tasksName.asString(), "Two"); // the task that was current, not the first
    EXPECT_EQ(figure(PageFigure::AvlNmb), "0");
    EXPECT_TRUE(exchange.enabled);
    EXPECT_FALSE(page.busy);
}

TEST_F(Switching, AnArithmeticErrorOpeningASetShowsItsMessageAndReturns) {
    addTask("Home");
    {
        dataset::TableSet import(dataset::AliasRegistry(root), "Rectiximp", schema());
        TDMForm::EnsureTableFiles(import);
    }
    // Placed below zero makes the boxes left beyond 16 bits.
    sql("import", "tasks", "INSERT INTO tasks (TaskID, Name) VALUES (1, 'Odd')");
    sql("import", "tb", "INSERT INTO tb (TaskID, KindID, Total, Placed) VALUES (1, 1, 32767, -32768)");

    sets->SwitchDatabase(2);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Math error opening DB", Busy73}));
    EXPECT_EQ(store.ActiveDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Home");
}

TEST_F(Switching, HomeAfterAFailedReturnStaysWithTheTaskOfTheSetStillActive) {
    addTask("One");
    dm->tasks.locate("TaskID", addTask("Two"));
    sets->SwitchDatabase(1);
    for (const char* name : {"E1", "E2", "E3"}) addTask(name);
    hold("home", "tasks");

    sets->SwitchToHome();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Busy73});
    EXPECT_EQ(store.ActiveDB, 1);
    EXPECT_EQ(dm->tasksName.asString(), "E3"); // not the export task that has the home task's TaskID
}

TEST_F(Switching, WhenThePreviousSetCannotBeReopenedEitherNoSetIsActive) {
    addTask("Home");
    HookedDialog hooked;
    dm->setDialogs(&hooked);
    TDMForm::EnsureTableFiles(dm->exdb);
    hold("export", "tasks");
    hooked.onMessage = [&] { hold("home", "tasks"); };

    sets->SwitchDatabase(1);
    EXPECT_EQ(hooked.messages, (std::vector<std::string>{Busy73, Busy73}));
    EXPECT_FALSE(sets->SetOpen());
    EXPECT_FALSE(dm->db.isOpen());
    ASSERT_FALSE(exchange.states.empty());
    const ExchangeState& none = exchange.states.back();
    EXPECT_EQ(none.ActiveSet, ExchangeState::NoSet);
    EXPECT_TRUE(none.HomeEnabled && none.ExpEnabled && none.ImpEnabled);
    EXPECT_FALSE(none.AddEnabled || none.ClearEnabled || none.DuplEnabled);
    EXPECT_TRUE(none.ExchVisible);
    EXPECT_FALSE(page.busy);

    // Every table action but switching is refused with the message.
    hooked.messages.clear();
    store.Warnings = false;
    copier->TaskCopying(true);
    copier->TaskCopying(false);
    sets->EmptyActiveSet();
    EXPECT_EQ(hooked.messages, (std::vector<std::string>{Busy73, Busy73, Busy73}));
    EXPECT_TRUE(hooked.shown.empty());

    // Once the other program lets go, the home set opens with its task.
    sqlite3_close(held.back());
    held.pop_back();
    hooked.messages.clear();
    sets->SwitchToHome();
    EXPECT_TRUE(hooked.messages.empty());
    EXPECT_TRUE(sets->SetOpen());
    EXPECT_EQ(store.ActiveDB, 0);
    EXPECT_EQ(dm->tasksName.asString(), "Home");
    EXPECT_EQ(exchange.states.back().ActiveSet, 0);
    dm->setDialogs(&dialogs);
}

using Emptying = TableSetsTest;

TEST_F(Emptying, AnExportSetWithoutLibrariesAndTasksIsOnlyReported) {
    TDMForm::EnsureTableFiles(dm->exdb);
    sql("export", "tc", "INSERT INTO tc (TaskID, TypeID, Avail) VALUES (9, 1, 1)");
    sql("export", "solut", "INSERT INTO solut (TaskID, ContNo) VALUES (9, 1)");
    sets->SwitchDatabase(1);
    dialogs.answers = {DialogButton::OK};

    sets->EmptyActiveSet();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, "Export DB is empty");
    EXPECT_EQ(dialogs.shown[0].buttons, std::vector<DialogButton>{DialogButton::OK});
    EXPECT_EQ(count(dm->db, "tc"), 1u);
    EXPECT_EQ(count(dm->db, "solut"), 1u);
    EXPECT_EQ(exchange.homeFocused, 0);
}

TEST_F(Emptying, RemovesEveryRowOfTheEightTablesAfterOK) {
    const char* tables[] = {"conts", "boxes", "tasks", "tc", "tb", "solut", "distr", "posit"};
    loadTask("copy/truck-a.task");
    store.Warnings = false;
    copier->TaskCopying(true);
    sets->SwitchDatabase(1);
    for (const char* t : tables) ASSERT_GT(count(dm->db, t), 0u) << t;

    dialogs.answers = {DialogButton::Cancel};
    sets->EmptyActiveSet();
    EXPECT_EQ(dialogs.shown.back().text, "Are you sure to delete all Export DB data?");
    EXPECT_EQ(count(dm->db, "tasks"), 1u);

    dialogs.answers = {DialogButton::OK};
    sets->EmptyActiveSet();
    for (const char* t : tables) EXPECT_EQ(count(dm->db, t), 0u) << t;
    EXPECT_TRUE(dm->tasks.isOpen());
    EXPECT_EQ(figure(PageFigure::AvlNmb), "0");
    EXPECT_EQ(exchange.homeFocused, 1);
    EXPECT_TRUE(exchange.enabled);
    EXPECT_FALSE(page.busy);

    sets->SwitchToHome();
    EXPECT_EQ(count(dm->db, "tasks"), 1u);
    EXPECT_EQ(count(dm->db, "posit"), 5u);
}

TEST_F(Emptying, TheImportSetIsNamedAndTheHomeSetIsNeverEmptied) {
    addTask("Home");
    sets->EmptyActiveSet();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(count(dm->db, "tasks"), 1u);

    sets->SwitchDatabase(2);
    addTask("Imported");
    dialogs.answers = {DialogButton::Closed};
    sets->EmptyActiveSet();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure to delete all Import DB data?");
    EXPECT_EQ(count(dm->db, "tasks"), 1u);
}

using ExchangeStates = TableSetsTest;

TEST_F(ExchangeStates, FollowTheActiveSet) {
    sets->UpdateExchangeState();
    addTask("One");
    sets->UpdateExchangeState();
    sets->SwitchDatabase(1);
    sets->SwitchDatabase(2);
    ASSERT_EQ(exchange.states.size(), 4u);

    struct Expected {
        int set;
        bool add, home, exp, imp, clear;
        const char* clearCaption;
        bool label;
        const char* labelCaption;
        bool dupl;
    };
    const Expected expected[] = {
        {0, false, false, true, true, false, "&Empty active DB", false, " Home DB on", true},
        {0, true, false, true, true, false, "&Empty active DB", false, " Home DB on", true},
        {1, false, true, false, true, true, "&Empty Export DB", true, "Export DB on", false},
        {2, false, true, true, false, true, "&Empty Import DB", true, "Import DB on", false},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ExchangeState& s = exchange.states[i];
        const Expected& e = expected[i];
        EXPECT_EQ(s.ActiveSet, e.set) << i;
        EXPECT_EQ(s.AddEnabled, e.add) << i;
        EXPECT_EQ(s.HomeEnabled, e.home) << i;
        EXPECT_EQ(s.ExpEnabled, e.exp) << i;
        EXPECT_EQ(s.ImpEnabled, e.imp) << i;
        EXPECT_EQ(s.ClearEnabled, e.clear) << i;
        EXPECT_EQ(s.ClearCaption, e.clearCaption) << i;
        EXPECT_EQ(s.ExchVisible, e.label) << i;
        EXPECT_EQ(s.ExchCaption, e.labelCaption) << i;
        EXPECT_EQ(s.DuplEnabled, e.dupl) << i;
    }
}

using StartupCheck = TableSetsTest;

TEST_F(StartupCheck, ReportsDamagedAndUnreadableTableFilesAndGoesOn) {
    TDMForm::EnsureTableFiles(dm->exdb);
    for (const char* alias : TableSets::AliasNames) sets->RepairAllValFiles(alias);
    EXPECT_TRUE(dialogs.shown.empty()); // sound files, and an import folder without files

    {
        std::ofstream damaged(folder("export") / "solut.db", std::ios::binary | std::ios::trunc);
        for (int i = 0; i < 200; ++i) damaged << "not a table file ";
    }
    hold("export", "tc");
    fs::remove_all(folder("import"));
    for (const char* alias : TableSets::AliasNames) sets->RepairAllValFiles(alias);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].text,
              "Damaged table file \"" + (folder("export") / "solut.db").string() + "\"");
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[1].text,
              "Error reading table file \"" + (folder("export") / "tc.db").string() + "\"");
}

TEST_F(StartupCheck, AliasPathsComeFromTheAliasFile) {
    std::ofstream(root / dataset::AliasRegistry::fileName) << "Rectiximp = /srv/exchange/in\n";
    TableSets fromFile(*dm, root);
    EXPECT_EQ(fromFile.GetAliasPath("rectixb"), (root / "data/home").string());
    EXPECT_EQ(fromFile.GetAliasPath("Rectiximp"), "/srv/exchange/in");
    EXPECT_THROW(fromFile.GetAliasPath("Elsewhere"), dataset::DatabaseError);
}

} // namespace rectix::taskdb::test
