// Exporting a task to the export set and duplicating it in the home set.
#include "TableSetsFixture.h"

#include "dataset/Errors.h"

#include <ctime>

namespace rectix::taskdb::test {

namespace {

const char* const TaskTables[] = {"tasks", "tc", "tb", "solut", "distr", "posit"};
const char* const AllTables[] = {"conts", "boxes", "tasks", "tc", "tb", "solut", "distr", "posit"};

dataset::Date today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
           std::chrono::day(static_cast<unsigned>(local.tm_mday));
}

} // namespace

// The solved task "Truck A" of tests/data/taskdb/copy is current in the home set.
class TaskCopying : public TableSetsTest {
  protected:
    void SetUp() override {
        TableSetsTest::SetUp();
        store.Warnings = false;
        truckA = loadTask("copy/truck-a.task");
        wait.bar.clear();
    }

    std::vector<std::int32_t> taskIDs(dataset::TableSet& set) {
        std::vector<std::int32_t> ids;
        const bool wasOpen = set.isOpen();
        if (!wasOpen) {
            TDMForm::EnsureTableFiles(set);
            set.open();
        }
        {
            dataset::Cursor c(set, "tasks");
            c.open();
            for (c.first(); !c.eof(); c.next()) ids.push_back(c.field("TaskID").asInteger());
        }
        if (!wasOpen) set.close();
        return ids;
    }

    std::vector<std::vector<std::string>> snapshot(dataset::TableSet& set) {
        std::vector<std::vector<std::string>> tables;
        for (const char* t : AllTables) tables.push_back(rowsOf(set, t));
        return tables;
    }

    bool undoFilesLeft() {
        for (const auto& e : fs::directory_iterator(folder("export")))
            if (e.path().extension() == ".undo") return true;
        return false;
    }

    std::int32_t truckA = 0;
};

TEST_F(TaskCopying, ExportingTheSameTaskTwiceGivesTwoTasksWithTheSameContents) {
    copier->TaskCopying(true);
    copier->TaskCopying(true);
    EXPECT_FALSE(dm->exdb.isOpen());
    EXPECT_EQ(wait.bar,
              (std::vector<int>{5, 10, 35, 60, 70, 80, 90, 100, 0, 5, 10, 35, 60, 70, 80, 90, 100, 0}));
    EXPECT_FALSE(wait.visible);
    EXPECT_EQ(wait.label, "Task copying...");
    EXPECT_FALSE(page.busy);
    EXPECT_TRUE(exchange.enabled);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), truckA);
    EXPECT_EQ(store.LastTaskID, truckA);

    const auto ids = taskIDs(dm->exdb);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_NE(ids[0], ids[1]);
    for (const char* t : TaskTables) {
        const auto home = rowsOf(dm->db, t, truckA);
        EXPECT_FALSE(home.empty()) << t;
        EXPECT_EQ(rowsOf(dm->exdb, t, ids[0]), home) << t;
        EXPECT_EQ(rowsOf(dm->exdb, t, ids[1]), home) << t;
    }
    EXPECT_EQ(rowsOf(dm->exdb, "conts"), rowsOf(dm->db, "conts"));
    EXPECT_EQ(rowsOf(dm->exdb, "boxes"), rowsOf(dm->db, "boxes"));
    EXPECT_FALSE(undoFilesLeft());
}

TEST_F(TaskCopying, ExportingIntoASetWithoutTasksReplacesItsLibraries) {
    // Rows left by an earlier export whose task has gone.
    TDMForm::EnsureTableFiles(dm->exdb);
    sql("export", "conts", "INSERT INTO conts (Type, Length, Width) VALUES ('Old barge', 3000, 900)");
    sql("export", "boxes", "INSERT INTO boxes (Kind, Length, Width, Weight) VALUES ('Old sack', 50, 30, 5)");
    copier->TaskCopying(true);
    EXPECT_EQ(rowsOf(dm->exdb, "conts"), rowsOf(dm->db, "conts"));
    EXPECT_EQ(rowsOf(dm->exdb, "boxes"), rowsOf(dm->db, "boxes"));
}

TEST_F(TaskCopying, DuplicatingGivesAnUnsolvedCopyDatedToday) {
    const auto exportTasks = taskIDs(dm->exdb);
    std::vector<std::string> settings;
    for (const char* f :
         {"Descr", "TurnOn", "DefltOn", "Power", "Time", "Rand", "Qw", "Qc", "Qr", "BB", "BW", "Last"})
        settings.push_back(dm->tasks.field(f).asString());
    copier->TaskCopying(false);

    const auto dupl = dm->tasksTaskID.asInteger();
    EXPECT_NE(dupl, truckA);
    EXPECT_EQ(dm->tasksName.asString(), "Truck A -dupl");
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
    EXPECT_EQ(dm->tasksDate.asDate(), today());
    std::size_t i = 0;
    for (const char* f :
         {"Descr", "TurnOn", "DefltOn", "Power", "Time", "Rand", "Qw", "Qc", "Qr", "BB", "BW", "Last"})
        EXPECT_EQ(dm->tasks.field(f).asString(), settings[i++]) << f;

    // The same rows with nothing used or placed, and no solution.
    // TypeID|Avail|Used|Prior|Cost| and KindID|Total|Placed|Prior|Bind|Cost|
    EXPECT_EQ(rowsOf(dm->db, "tc", dupl), (std::vector<std::string>{"1|2|0||100|", "2|1|0||40.5|"}));
    EXPECT_EQ(rowsOf(dm->db, "tb", dupl), (std::vector<std::string>{"1|20|0|||10|", "2|4|0|||2.25|"}));
    EXPECT_TRUE(rowsOf(dm->db, "solut", dupl).empty());
    EXPECT_EQ(figure(PageFigure::AvlNmb), "3");
    EXPECT_EQ(figure(PageFigure::UsdNmb), "0");
    EXPECT_FALSE(dm->tasks.controlsDisabled());

    EXPECT_EQ(taskIDs(dm->exdb), exportTasks);
    EXPECT_EQ(rowsOf(dm->exdb, "conts"), rowsOf(dm->db, "conts"));
    EXPECT_FALSE(undoFilesLeft());
}

TEST_F(TaskCopying, ADuplicateNameKeepsItsFirst25Characters) {
    for (const auto& [name, dupl] : {std::pair{"Saturday market stalls", "Saturday market stalls -d"},
                                     std::pair{"Northern distribution hub", "Northern distribution hub"}}) {
        dm->tasks.locate("TaskID", truckA);
        dm->tasks.edit();
        dm->tasksName.setString(name);
        dm->tasks.post();
        copier->TaskCopying(false);
        EXPECT_EQ(dm->tasksName.asString(), dupl);
    }
}

TEST_F(TaskCopying, AnExportFailingHalfwayLeavesBothSetsAsTheyWere) {
    copier->TaskCopying(true);
    addBox("Barrel", 60, 60, 90); // a replaced library would show it
    dm->tasks.locate("TaskID", truckA);
    sql("export", "posit",
        "CREATE TRIGGER fail BEFORE INSERT ON posit WHEN new.BoxNo = 22 "
        "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    const auto exportBefore = snapshot(dm->exdb);
    const auto homeBefore = snapshot(dm->db);

    EXPECT_THROW(copier->TaskCopying(true), dataset::DatabaseError);
    EXPECT_FALSE(dm->exdb.isOpen());
    EXPECT_EQ(snapshot(dm->exdb), exportBefore);
    EXPECT_EQ(snapshot(dm->db), homeBefore);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), truckA);
    EXPECT_FALSE(wait.visible);
    EXPECT_EQ(wait.bar.back(), 0);
    EXPECT_TRUE(exchange.enabled);
    EXPECT_FALSE(page.busy);
    EXPECT_FALSE(undoFilesLeft());
}

TEST_F(TaskCopying, ADuplicateFailingHalfwayLeavesBothSetsAsTheyWere) {
    ASSERT_TRUE(dm->SetTablesActive(false));
    sql("home", "tb",
        "CREATE TRIGGER fail BEFORE INSERT ON tb WHEN new.KindID = 2 "
        "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    ASSERT_TRUE(dm->SetTablesActive(true));
    dm->tasks.locate("TaskID", truckA);
    TDMForm::EnsureTableFiles(dm->exdb);
    sql("export", "conts", "INSERT INTO conts (Type, Length, Width) VALUES ('Old barge', 3000, 900)");
    const auto exportBefore = snapshot(dm->exdb);
    const auto homeBefore = snapshot(dm->db);

    EXPECT_THROW(copier->TaskCopying(false), dataset::DatabaseError);
    EXPECT_EQ(snapshot(dm->exdb), exportBefore);
    EXPECT_EQ(snapshot(dm->db), homeBefore);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), truckA);
    EXPECT_EQ(dm->tasks.recordCount(), 1u);
    EXPECT_FALSE(dm->tasks.controlsDisabled());
    EXPECT_FALSE(undoFilesLeft());
}

TEST_F(TaskCopying, ALibraryFileThatCannotBeCopiedEndsBeforeAnyRowIsWritten) {
    copier->TaskCopying(true);
    addBox("Barrel", 60, 60, 90);
    dm->tasks.locate("TaskID", truckA);
    const auto exportBefore = snapshot(dm->exdb);
    // Something in the way of the new container library file.
    fs::create_directories(folder("export") / "conts.db.part" / "in-the-way");
    wait.bar.clear();

    copier->TaskCopying(true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Error export file copy conts.db");
    EXPECT_EQ(snapshot(dm->exdb), exportBefore); // the boxes copied before are put back
    EXPECT_EQ(wait.bar, (std::vector<int>{5, 10, 35, 0}));
    EXPECT_FALSE(undoFilesLeft());
}

TEST_F(TaskCopying, ARowThatWouldBeRefusedStopsTheCopyBeforeAnythingChanges) {
    // A task box with nothing to pack, as a set written elsewhere may hold.
    ASSERT_TRUE(dm->SetTablesActive(false));
    sql("home", "tb", "UPDATE tb SET Total = 0 WHERE KindID = 2");
    ASSERT_TRUE(dm->SetTablesActive(true));
    dm->tasks.locate("TaskID", truckA);

    copier->TaskCopying(false);
    copier->TaskCopying(true);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.kind, DialogKind::Warning);
        EXPECT_EQ(shown.text, "Number must be positive\r\"Crate\"");
    }
    EXPECT_EQ(dm->tasks.recordCount(), 1u);
    EXPECT_FALSE(fs::exists(folder("export") / "tasks.db"));
    EXPECT_FALSE(wait.visible);
}

TEST_F(TaskCopying, AsksFirstOnlyWhileWarningsAreOn) {
    store.Warnings = true;
    dialogs.answers = {DialogButton::Cancel, DialogButton::Closed};
    copier->TaskCopying(true);
    copier->TaskCopying(false);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Add current task to Export DB?");
    EXPECT_EQ(dialogs.shown[1].text, "Duplicate current task?");
    EXPECT_EQ(dialogs.shown[1].buttons, (std::vector<DialogButton>{DialogButton::OK, DialogButton::Cancel}));
    EXPECT_FALSE(fs::exists(folder("export") / "tasks.db"));
    EXPECT_EQ(dm->tasks.recordCount(), 1u);
    EXPECT_TRUE(wait.bar.empty());

    store.Warnings = false;
    copier->TaskCopying(false);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dm->tasks.recordCount(), 2u);
}

} // namespace rectix::taskdb::test
