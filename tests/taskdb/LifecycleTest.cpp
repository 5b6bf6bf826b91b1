// Start-up of the data module and the events of the tasks table.
#include "TaskDbFixture.h"

#include "core/Errors.h"
#include "core/UiTexts.h"

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
