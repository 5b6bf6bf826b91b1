// Start-up of the data module and the events of the tasks table.
#include "TaskDbFixture.h"

#include "core/Errors.h"
#include "core/UiTexts.h"
#include "dataset/TableDef.h"
#include "taskdb/Schema.h"

#include <chrono>
#include <map>
#include <vector>

namespace rectix::taskdb::test {

using Lifecycle = TaskDbTest;

// Table files are made only with a new set: a set with some or all of them
// missing is refused, and nothing is created in its folder.
TEST_F(Lifecycle, ASetWithTableFilesMissingIsRefusedAndNothingIsCreated) {
    EXPECT_FALSE(dm->extasks.isOpen());
    dm.reset();
    fs::remove(root / "data/home/tasks.db");
    reopen();
    EXPECT_EQ(store.dbState, 0);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Rectix DB is busy or wrong"}));
    EXPECT_NE(dm->openError().find("tasks.db is missing"), std::string::npos) << dm->openError();
    EXPECT_FALSE(fs::exists(root / "data/home/tasks.db"));

    dm.reset();
    for (const auto& e : fs::directory_iterator(root / "data/home")) fs::remove(e.path());
    reopen();
    EXPECT_EQ(store.dbState, 0);
    EXPECT_TRUE(fs::is_empty(root / "data/home"));
}

TEST_F(Lifecycle, LastTaskIDSelectsTheTaskOrLeavesTheFirst) {
    for (const char* name : {"One", "Two", "Three"}) addTask(name);
    store.lastTaskID = 2;
    reopen();
    EXPECT_EQ(store.dbState, 555);
    EXPECT_EQ(dm->tasksName.asString(), "Two");

    store.lastTaskID = 0;
    reopen();
    EXPECT_EQ(dm->tasksName.asString(), "One");

    dm->tasks.locate("TaskID", 3);
    dm->tasks.deleteRow();
    store.lastTaskID = 3;
    reopen();
    EXPECT_EQ(store.dbState, 555);
    EXPECT_EQ(dm->tasksName.asString(), "One");
}

TEST_F(Lifecycle, AFolderThatCannotBeOpenedEndsWithTheMessage) {
    dm.reset();
    fs::remove_all(root / "data/home");
    reopen();
    EXPECT_EQ(store.dbState, 0);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Rectix DB is busy or wrong"}));
    EXPECT_FALSE(dm->db.isOpen());
    EXPECT_FALSE(dm->tasks.isOpen());
}

TEST_F(Lifecycle, ANewTaskTakesTheActiveSettings) {
    store.optQw = 30;
    store.optQg = 2;
    store.optBW = 3;
    store.optLast = true;
    dm->tasks.append();
    EXPECT_EQ(dm->tasks.state(), dataset::CursorState::Browse); // stored at once
    EXPECT_EQ(dm->tasksQw.asInteger(), 230);
    EXPECT_EQ(dm->tasksBW.asInteger(), 3);
    EXPECT_TRUE(dm->tasksLast.asBoolean());
    EXPECT_EQ(dm->tasksName.asString(), "Task " + std::to_string(dm->tasksTaskID.asInteger()));
}

TEST_F(Lifecycle, MovingToATaskLoadsItsSettingsOnlyWhenAsked) {
    store.optTime = 555;
    store.optRand = 1;
    addTask("First");
    dm->tasks.edit();
    dm->tasksQw.setInteger(235);
    dm->tasksPower.setInteger(9);
    dm->tasks.post();
    addTask("Second");

    dm->tasks.first();
    EXPECT_EQ(store.optQw, 0);
    store.taskOptSet = true;
    dm->tasks.last();
    dm->tasks.first();
    EXPECT_EQ(store.optQw, 35);
    EXPECT_EQ(store.optQg, 2);
    EXPECT_EQ(store.optPower, 9);
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

namespace {

using Snapshot = std::map<std::string, std::vector<std::vector<dataset::Value>>>;

// Every stored field of every row of the eight tables, read straight from the table files.
Snapshot snapshot(dataset::TableSet& set) {
    Snapshot rows;
    for (const dataset::TableDef& t : schema()) {
        dataset::Cursor c(set, t.name);
        c.open();
        for (c.first(); !c.eof(); c.next()) {
            std::vector<dataset::Value> row;
            for (std::size_t f = 0; f < c.fieldCount(); ++f) row.push_back(c.fieldAt(f).value());
            rows[t.name].push_back(row);
        }
    }
    return rows;
}

} // namespace

// A restart gives back every stored field of every table as it was written.
TEST_F(Lifecycle, EveryStoredFieldSurvivesARestart) {
    int n = 0;
    for (const dataset::TableDef& t : schema()) {
        dataset::Cursor c(dm->db, t.name);
        c.open();
        c.append();
        for (const dataset::FieldDef& f : t.fields) {
            ++n;
            switch (f.type) {
            case dataset::FieldType::AutoInc:
                break;
            case dataset::FieldType::Int16:
                c.field(f.name).setInteger(-300 - n);
                break;
            case dataset::FieldType::Int32:
                c.field(f.name).setInteger(100000 + n);
                break;
            case dataset::FieldType::Double:
                c.field(f.name).setFloat(n + 0.125);
                break;
            case dataset::FieldType::Boolean:
                c.field(f.name).setBoolean(n % 2 == 0);
                break;
            case dataset::FieldType::Date:
                c.field(f.name).setDate(std::chrono::year{2026} / 12 / (n % 28 + 1));
                break;
            case dataset::FieldType::String:
                c.field(f.name).setString(std::string("é") + std::to_string(n));
                break;
            }
        }
        c.post();
    }
    const Snapshot before = snapshot(dm->db);
    for (const auto& [table, rows] : before) EXPECT_EQ(rows.size(), 1u) << table;
    reopen();
    ASSERT_EQ(store.dbState, 555);
    EXPECT_EQ(snapshot(dm->db), before);
}

// Settings stored outside the settings window's ranges (written by another
// program) are refused with the field and value named: the active settings
// stay, and the task is not solved.
TEST_F(Lifecycle, StoredSettingsOutsideTheirRangesAreRefusedByName) {
    store.optTime = 555;
    store.optRand = 1;
    store.optPower = 5;
    addTask("Odd");
    const std::pair<const char*, const char*> cases[] = {
        {"UPDATE tasks SET Time = 100000", "Time 100000 is outside 5..5555"},
        {"UPDATE tasks SET Time = 0", "Time 0 is outside 5..5555"},
        {"UPDATE tasks SET BW = -100", "BW -100 is outside 0..5000"},
        {"UPDATE tasks SET Power = 300", "Power 300 is outside 0..20"},
        {"UPDATE tasks SET Qw = 96", "Qw 96 is outside"},
    };
    store.taskOptSet = true;
    for (const auto& [update, named] : cases) {
        dm.reset();
        ASSERT_EQ(sqlite(root / "data/home/tasks.db",
                         "UPDATE tasks SET Time = 555, Power = 5, BW = 0, Qw = 0;" + std::string(update)),
                  0);
        dialogs.shown.clear();
        reopen();
        ASSERT_EQ(store.dbState, 555);
        dm->loadTaskOptions();
        const std::string field = std::string(named).substr(0, std::string(named).find(' '));
        const std::string expected = "Task \"Odd\": table tasks, row (TaskID " +
                                     std::to_string(dm->tasksTaskID.asInteger()) + "), field " + field +
                                     ": the stored setting " + named;
        EXPECT_EQ(dm->taskSettingsRefusal().rfind(expected, 0), 0u) << dm->taskSettingsRefusal();
        ASSERT_FALSE(dialogs.shown.empty()) << update;
        EXPECT_EQ(dialogs.shown.back().text, dm->taskSettingsRefusal());
        EXPECT_EQ(store.optTime, 555);
        EXPECT_EQ(store.optPower, 5);
    }
}

} // namespace rectix::taskdb::test
