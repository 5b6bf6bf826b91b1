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

TEST_F(Lifecycle, StartingOnEmptyFoldersCreatesTheTableFiles) {
    for (const char* t : {"conts", "boxes", "tasks", "tc", "tb", "solut", "distr", "posit"})
        EXPECT_TRUE(fs::exists(root / "data/home" / (std::string(t) + ".db"))) << t;
    EXPECT_FALSE(fs::exists(root / "data/export/tasks.db"));
    EXPECT_FALSE(dm->extasks.isOpen());
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

} // namespace rectix::taskdb::test
