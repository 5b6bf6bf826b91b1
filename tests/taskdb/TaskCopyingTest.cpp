// Exporting a task to the export set and duplicating it in the home set.
#include "../support/DeadProcess.h"
#include "TableSetsFixture.h"

#include "dataset/Errors.h"

#include <ctime>
#include <utility>

namespace rectix::taskdb::test {

// The solved task "Truck A" of tests/data/taskdb/copy is current in the home set.
class TaskCopying : public TableSetsTest {
  protected:
    void SetUp() override {
        TableSetsTest::SetUp();
        store.warnings = false;
        truckA = loadRows("copy/truck-a.rows");
        wait.bar.clear();
    }

    // Every table of a set, and whether a copy left files behind.
    std::vector<std::vector<std::string>> snapshot(dataset::TableSet& set) {
        std::vector<std::vector<std::string>> tables;
        for (const char* t : {"conts", "boxes", "tasks", "tc", "tb", "solut", "distr", "posit"})
            tables.push_back(rowsOf(set, t));
        for (const auto& e : fs::directory_iterator(root / "data/export"))
            if (e.path().extension() != ".db") tables.push_back({e.path().filename().string()});
        return tables;
    }

    std::int32_t truckA = 0;
};

TEST_F(TaskCopying, ExportingTheSameTaskTwiceGivesTwoTasksWithTheSameContents) {
    copier->copyTask(true);
    copier->copyTask(true);
    EXPECT_EQ(wait.bar,
              (std::vector<int>{5, 10, 35, 60, 70, 80, 90, 100, 0, 5, 10, 35, 60, 70, 80, 90, 100, 0}));
    EXPECT_TRUE(!wait.visible && !wait.busy && wait.settingsEnabled);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), truckA);
    EXPECT_EQ(store.lastTaskID, truckA);

    // The two copies are the export set's tasks 1 and 2.
    EXPECT_EQ(rowsOf(dm->exdb, "tasks").size(), 2u);
    for (const char* t : {"tasks", "tc", "tb", "solut", "distr", "posit"}) {
        const auto home = rowsOf(dm->db, t, truckA);
        EXPECT_FALSE(home.empty()) << t;
        EXPECT_EQ(rowsOf(dm->exdb, t, 1), home) << t;
        EXPECT_EQ(rowsOf(dm->exdb, t, 2), home) << t;
    }
}

TEST_F(TaskCopying, ExportingIntoASetWithoutTasksEmptiesItsLibrariesFirst) {
    // Rows left by an earlier export whose task has gone.
    sql("export", "conts", "INSERT INTO conts (Type, Length, Width) VALUES ('Old barge', 3000, 900)");
    sql("export", "boxes", "INSERT INTO boxes (Kind, Length, Width, Weight) VALUES ('Old sack', 50, 30, 5)");
    copier->copyTask(true);
    EXPECT_EQ(rowsOf(dm->exdb, "conts"), rowsOf(dm->db, "conts"));
    EXPECT_EQ(rowsOf(dm->exdb, "boxes"), rowsOf(dm->db, "boxes"));
}

TEST_F(TaskCopying, DuplicatingGivesAnUnsolvedCopyDatedTodayAndNoExportTask) {
    const auto original = rowsOf(dm->db, "tasks").at(0);
    copier->copyTask(false);
    const std::time_t now = std::time(nullptr);
    char today[11];
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));

    // Name|Solut|Descr|TurnOn|DefltOn|Power|Time|Rand|Qw|Qc|Qr|BB|BW|Last|Date|
    EXPECT_EQ(original,
              "Truck A|True|Weekly run to the coast|True|False|7|30|3|215|5|10|2|1|False|2024-03-01|");
    const auto dupl = dm->tasksTaskID.asInteger();
    EXPECT_EQ(rowsOf(dm->db, "tasks", dupl).at(0),
              "Truck A -dupl|False|Weekly run to the coast|True|False|7|30|3|215|5|10|2|1|False|" +
                  std::string(today) + "|");
    // TypeID|Avail|Used|Prior|Cost| and KindID|Total|Placed|Prior|Bind|Cost|
    EXPECT_EQ(rowsOf(dm->db, "tc", dupl), (std::vector<std::string>{"1|2|0|1|100|", "2|1|0|0|40.5|"}));
    EXPECT_EQ(rowsOf(dm->db, "tb", dupl), (std::vector<std::string>{"1|20|0|0|1|10|", "2|4|0|2|0|2.25|"}));
    EXPECT_TRUE(rowsOf(dm->db, "solut", dupl).empty());
    EXPECT_EQ(figure(PageFigure::AvlNmb), "3");
    EXPECT_EQ(figure(PageFigure::UsdNmb), "0");
    EXPECT_FALSE(dm->tasks.controlsDisabled());

    EXPECT_TRUE(rowsOf(dm->exdb, "tasks").empty());
    EXPECT_EQ(rowsOf(dm->exdb, "conts"), rowsOf(dm->db, "conts")); // the libraries are copied all the same
}

TEST_F(TaskCopying, ADuplicateNameKeepsItsFirst25Characters) {
    for (const auto& [name, dupl] : {std::pair{"Saturday market stalls", "Saturday market stalls -d"},
                                     std::pair{"Northern distribution hub", "Northern distribution hub"}}) {
        dm->tasks.edit();
        dm->tasksName.setString(name);
        dm->tasks.post();
        copier->copyTask(false);
        EXPECT_EQ(dm->tasksName.asString(), dupl);
    }
}

TEST_F(TaskCopying, ACopyFailingHalfwayLeavesBothSetsAsTheyWere) {
    copier->copyTask(true);
    addBox("Barrel", 60, 60, 90); // a replaced library would show it
    dm->tasks.locate("TaskID", truckA);
    const char* failOnSecondRow = " WHEN new.KindID = 2 BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END";
    sql("export", "posit", std::string("CREATE TRIGGER fail BEFORE INSERT ON posit") + failOnSecondRow);
    ASSERT_TRUE(dm->setTablesActive(false));
    sql("home", "tb", std::string("CREATE TRIGGER fail BEFORE INSERT ON tb") + failOnSecondRow);
    ASSERT_TRUE(dm->setTablesActive(true));
    const auto exportBefore = snapshot(dm->exdb);
    const auto homeBefore = snapshot(dm->db);

    for (bool toExport : {true, false}) {
        EXPECT_THROW(copier->copyTask(toExport), dataset::DatabaseError);
        EXPECT_EQ(snapshot(dm->exdb), exportBefore);
        EXPECT_EQ(snapshot(dm->db), homeBefore);
        EXPECT_EQ(dm->tasksTaskID.asInteger(), truckA);
        EXPECT_TRUE(!wait.visible && wait.bar.back() == 0 && wait.settingsEnabled && !wait.busy);
        EXPECT_FALSE(dm->exdb.isOpen() || dm->tasks.controlsDisabled());
    }
}

TEST_F(TaskCopying, ALibraryFileThatCannotBeCopiedEndsBeforeAnyRowIsWritten) {
    copier->copyTask(true);
    addBox("Barrel", 60, 60, 90);
    dm->tasks.locate("TaskID", truckA);
    const auto exportBefore = snapshot(dm->exdb);
    const auto homeTasks = rowsOf(dm->db, "tasks");
    hold("export", "conts"); // another program has the export set's container library open
    wait.bar.clear();

    copier->copyTask(false);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Error export file copy conts.db");
    for (sqlite3* h : std::exchange(held, {})) sqlite3_close(h);
    EXPECT_EQ(snapshot(dm->exdb), exportBefore); // the box library copied before is put back
    EXPECT_EQ(rowsOf(dm->db, "tasks"), homeTasks);
    EXPECT_EQ(wait.bar, (std::vector<int>{5, 10, 35, 0}));
}

// A copy killed halfway leaves its part files, their journals and the kept library files in the
// export set; the next copy removes them, whether or not it opens the set.
TEST_F(TaskCopying, ACopyRemovesWhatAKilledCopyLeftInTheExportSet) {
    const std::string dead = std::to_string(deadProcess());
    const fs::path folder = root / "data/export";
    for (bool toExport : {false, true}) {
        for (const char* kind : {"part", "part-journal", "undo"})
            std::ofstream(folder / (".boxes.db." + dead + "-Ab3dEf." + kind)) << "left";
        copier->copyTask(toExport);
        for (const auto& e : fs::directory_iterator(folder))
            EXPECT_EQ(e.path().extension(), ".db") << e.path() << (toExport ? " exporting" : " duplicating");
    }
}

TEST_F(TaskCopying, ARowThatWouldBeRefusedStopsTheCopyBeforeAnythingChanges) {
    // A task box with nothing to pack, as a set written elsewhere may hold.
    ASSERT_TRUE(dm->setTablesActive(false));
    sql("home", "tb", "UPDATE tb SET Total = 0 WHERE KindID = 2");
    ASSERT_TRUE(dm->setTablesActive(true));
    copier->copyTask(false);
    copier->copyTask(true);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.text, "Number must be positive\r\"Crate\"");
    EXPECT_EQ(dm->tasks.recordCount(), 1u);
    EXPECT_TRUE(rowsOf(dm->exdb, "tasks").empty());
}

TEST_F(TaskCopying, AsksFirstOnlyWhileWarningsAreOn) {
    store.warnings = true;
    dialogs.answers = {DialogButton::Cancel, DialogButton::Cancel};
    copier->copyTask(true);
    copier->copyTask(false);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Add current task to Export DB?");
    EXPECT_EQ(dialogs.shown[1].text, "Duplicate current task?");
    EXPECT_TRUE(rowsOf(dm->exdb, "tasks").empty());
    EXPECT_EQ(dm->tasks.recordCount(), 1u);

    store.warnings = false;
    copier->copyTask(false);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dm->tasks.recordCount(), 2u);
}

} // namespace rectix::taskdb::test
