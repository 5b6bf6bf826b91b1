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
    EXPECT_TRUE(dm->tasks.isOpen());
    EXPECT_FALSE(dm->extasks.isOpen());
}

TEST_F(Lifecycle, LastTaskIDSelectsTheTaskOrLeavesTheFirst) {
    for (const char* name : {"One", "Two", "Three"}) addTask(name);
    store.LastTaskID = 2;
    reopen();
    EXPECT_EQ(store.DBState, 555);
    EXPECT_EQ(dm->tasksName.asString(), "Two");

    store.LastTaskID = 0;
    reopen();
    EXPECT_EQ(dm->tasksName.asString(), "One");

    dm->tasks.locate("TaskID", 3);
    dm->tasks.deleteRow();
    store.LastTaskID = 3;
    reopen();
    EXPECT_EQ(store.DBState, 555);
    EXPECT_EQ(dm->tasksName.asString(), "One");
}

TEST_F(Lifecycle, AFolderThatCannotBeOpenedEndsWithTheMessage) {
    dm.reset();
    fs::remove_all(root / "data/home");
    reopen();
    EXPECT_EQ(store.DBState, 0);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Rectix DB is busy or wrong"}));
    EXPECT_FALSE(dm->db.isOpen());
    EXPECT_FALSE(dm->tasks.isOpen());
}

TEST_F(Lifecycle, ASetHeldElsewhereCannotBeOpened) {
    RunStore other;
    TDMForm second(other, root);
    ScriptedDialog secondDialogs;
    second.setDialogs(&secondDialogs);
    second.DataModuleCreate();
    EXPECT_EQ(other.DBState, 0);
    EXPECT_EQ(secondDialogs.messages.size(), 1u);
}

TEST_F(Lifecycle, ANewTaskTakesTheActiveSettings) {
    store.OptPower = 7;
    store.OptTime = 30;
    store.OptRand = 4;
    store.OptQw = 30;
    store.OptQg = 2;
    store.OptQc = 15;
    store.OptQr = 20;
    store.OptBB = 2;
    store.OptBW = 3;
    store.OptLast = true;
    const int posts = page.solutStateCalls;
    dm->tasks.append();
    EXPECT_EQ(dm->tasks.state(), dataset::CursorState::Browse); // stored at once
    EXPECT_EQ(dm->tasksQw.asInteger(), 230);
    EXPECT_EQ(dm->tasksPower.asInteger(), 7);
    EXPECT_EQ(dm->tasksTime.asInteger(), 30);
    EXPECT_EQ(dm->tasksRand.asInteger(), 4);
    EXPECT_EQ(dm->tasksQc.asInteger(), 15);
    EXPECT_EQ(dm->tasksQr.asInteger(), 20);
    EXPECT_EQ(dm->tasksBB.asInteger(), 2);
    EXPECT_EQ(dm->tasksBW.asInteger(), 3);
    EXPECT_TRUE(dm->tasksLast.asBoolean());
    EXPECT_EQ(dm->tasksName.asString(), "Task " + std::to_string(dm->tasksTaskID.asInteger()));
    EXPECT_GT(page.solutStateCalls, posts);
}

TEST_F(Lifecycle, ASettingBeyondItsTaskFieldIsARangeError) {
    store.OptQg = 400;
    EXPECT_THROW(dm->tasks.append(), core::RangeError);
}

TEST_F(Lifecycle, MovingToATaskLoadsItsSettingsOnlyWhenAsked) {
    addTask("First");
    dm->tasks.edit();
    dm->tasksQw.setInteger(235);
    dm->tasksPower.setInteger(9);
    dm->tasks.post();
    addTask("Second");

    store.TaskOptSet = false;
    const int colors = settings.colorCalls;
    dm->tasks.first();
    EXPECT_EQ(store.OptQw, 0);
    EXPECT_GT(settings.colorCalls, colors);
    EXPECT_EQ(view.calls.back(), false);

    store.TaskOptSet = true;
    dm->tasks.last();
    dm->tasks.first();
    EXPECT_EQ(store.OptQw, 35);
    EXPECT_EQ(store.OptQg, 2);
    EXPECT_EQ(store.OptPower, 9);
    EXPECT_GT(settings.showCalls, 0);
}

TEST_F(Lifecycle, LoadingSettingsWithoutTasksChangesNothing) {
    store.OptPower = 5;
    dm->LoadTaskOptions();
    EXPECT_EQ(store.OptPower, 5);
    EXPECT_EQ(settings.showCalls, 0);
}

} // namespace rectix::taskdb::test
