// Checking a task's container and box rows as they are typed and posted.
#include "TaskDbFixture.h"

#include "core/Errors.h"
#include "core/UiTexts.h"

#include <functional>

namespace rectix::taskdb::test {

using dataset::CursorState;

class TaskRowRules : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        truck = addContainer("Truck", 1200, 800);
        van = addContainer("Van", 600, 400);
        crate = addBox("Crate", 400, 300);
        task = addTask("T");
    }

    std::string lastText() const { return dialogs.shown.empty() ? "" : dialogs.shown.back().text; }

    std::int32_t truck = 0, van = 0, crate = 0, task = 0;
};

TEST_F(TaskRowRules, AvailableZeroOrLessIsRefusedAndTheRowDropped) {
    for (int avail : {0, -3}) {
        dm->tc.append();
        dm->tcTypeID.setInteger(truck);
        EXPECT_THROW(dm->tcAvail.setInteger(avail), core::SilentAbort);
        EXPECT_EQ(lastText(), core::messageText(74));
        EXPECT_EQ(dm->tc.state(), CursorState::Browse);
        EXPECT_TRUE(dm->tc.isEmpty());
    }
}

TEST_F(TaskRowRules, AvailableBelowTheUsedNumberPassesOnlyWithIgnore) {
    addTaskContainer(truck, 3, 2);
    dm->tc.edit();
    for (DialogButton refusing : {DialogButton::Ok, DialogButton::Cancel}) {
        dialogs.answers = {refusing};
        EXPECT_THROW(dm->tcAvail.setInteger(1), core::SilentAbort);
        EXPECT_EQ(dm->tcAvail.asInteger(), 3);
        EXPECT_EQ(dm->tc.state(), CursorState::Edit);
    }
    EXPECT_EQ(dialogs.shown.back().help, 5);
    dialogs.answers = {DialogButton::Ignore};
    dm->tcAvail.setInteger(1);
    dm->tc.post();
    EXPECT_EQ(dm->tcAvail.asInteger(), 1);
}

TEST_F(TaskRowRules, ADuplicateTypeIsRefusedButTheRowsOwnTypeIsAccepted) {
    addTaskContainer(truck, 1);
    dm->tc.append();
    EXPECT_THROW(dm->tcTypeID.setInteger(truck), core::SilentAbort);
    EXPECT_EQ(lastText(), core::messageText(82));
    EXPECT_EQ(dialogs.shown.back().help, 3);
    EXPECT_TRUE(dm->tcTypeID.isNull());
    dm->tcTypeID.setInteger(van);
    dm->tcAvail.setInteger(1);
    dm->tc.post();

    const auto shown = dialogs.shown.size();
    dm->tc.edit();
    dm->tcTypeID.setInteger(van);
    dm->tc.post();
    EXPECT_EQ(dialogs.shown.size(), shown);

    addTask("Other");
    addTaskContainer(truck, 1);
    EXPECT_EQ(dialogs.shown.size(), shown);
}

TEST_F(TaskRowRules, RowsWithNothingAvailableAreRefusedWhoeverPostsThem) {
    dm->tc.append();
    dm->tcTypeID.setInteger(truck);
    EXPECT_THROW(dm->tc.post(), core::SilentAbort);
    EXPECT_EQ(lastText(), core::messageText(74));
    EXPECT_EQ(dm->tc.state(), CursorState::Insert);
    dm->tc.cancel();

    addTaskContainer(truck, 2);
    dm->tcs.edit();
    dm->tcsAvail.setInteger(0);
    EXPECT_THROW(dm->tcs.post(), core::SilentAbort);
    dm->tcs.cancel();

    addTaskBox(crate, 4);
    dm->tbs.edit();
    dm->tbsTotal.clear();
    EXPECT_THROW(dm->tbs.post(), core::SilentAbort);
    dm->tbs.cancel();

    dm->exdb.open();
    dm->extc.open();
    dm->extc.append();
    dm->extc.field("TaskID").setInteger(1);
    dm->extc.field("TypeID").setInteger(truck);
    EXPECT_THROW(dm->extc.post(), core::SilentAbort);
    dm->exdb.close();

    dm->tc.refresh();
    EXPECT_EQ(dm->tcAvail.asInteger(), 2);
    EXPECT_EQ(dm->tc.recordCount(), 1u);
}

TEST_F(TaskRowRules, DeletingARowOfFixedContainersPassesOnlyWithIgnore) {
    addTaskContainer(truck, 2, 1);
    for (DialogButton refusing : {DialogButton::Ok, DialogButton::Cancel}) {
        dialogs.answers = {refusing};
        EXPECT_THROW(dm->tc.deleteRow(), core::SilentAbort);
        EXPECT_EQ(lastText(), core::messageText(88));
    }
    dialogs.answers = {DialogButton::Ignore};
    dm->tc.deleteRow();
    EXPECT_TRUE(dm->tc.isEmpty());

    // From the task list nothing is asked.
    addTaskBox(crate, 2, 1);
    page.taskList = true;
    const auto shown = dialogs.shown.size();
    dm->tb.deleteRow();
    EXPECT_EQ(dialogs.shown.size(), shown);
    EXPECT_TRUE(dm->tb.isEmpty());
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// A task total leaving its 16-bit range is refused before the row is stored, with the limit named.
TEST_F(TaskRowRules, ARowThatWouldTakeTheTaskTotalOutOfRangeIsRefused) {
    addTaskContainer(van, 10);
    dm->tc.append();
    dm->tcTypeID.setInteger(truck);
    dm->tcAvail.setInteger(32767);
    EXPECT_THROW(dm->tc.post(), core::SilentAbort);
    EXPECT_EQ(lastText(), core::messageText(38) + "32767");
    dm->tc.cancel();
    EXPECT_EQ(dm->tc.recordCount(), 1u);
    EXPECT_EQ(store.totalContainers, 10);
    // The row's own old amount does not count twice.
    dm->tc.first();
    dm->tc.edit();
    dm->tcAvail.setInteger(32767);
    dm->tc.post();
    EXPECT_EQ(store.totalContainers, 32767);

    addTaskBox(crate, 30000);
    const std::int32_t bag = addBox("Bag", 20, 20);
    dm->tb.append();
    dm->tbKindID.setInteger(bag);
    dm->tbTotal.setInteger(2768);
    EXPECT_THROW(dm->tb.post(), core::SilentAbort);
    EXPECT_EQ(lastText(), core::messageText(39) + "32767");
    dm->tb.cancel();
    EXPECT_EQ(store.totalBoxes, 30000);
}

TEST_F(TaskRowRules, ANewRowShowsTheCountAndCostItIsStoredWith) {
    dm->tc.append();
    EXPECT_EQ(dm->tcUsed.value(), dataset::Value(0));
    EXPECT_EQ(dm->tcCost.value(), dataset::Value(0.0));
    EXPECT_FALSE(dm->tc.modified());
    dm->tcTypeID.setInteger(truck);
    dm->tcAvail.setInteger(2);
    dm->tc.post();
    EXPECT_EQ(dm->tc.storedValue("Used"), dataset::Value(0));
    dm->tb.append();
    EXPECT_EQ(dm->tbPlaced.value(), dataset::Value(0));
    EXPECT_EQ(dm->tbCost.value(), dataset::Value(0.0));
    dm->tb.cancel();
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// The box side's rules and the cost rule each show their own message.
TEST_F(TaskRowRules, EachRuleShowsItsOwnMessage) {
    addTaskBox(crate, 4, 2);
    struct Case {
        const char* what;
        int slot;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"negative cost", 75,
         [&] {
             dm->tb.edit();
             dm->tbCost.setFloat(-1);
         }},
        {"second row of a kind", 83,
         [&] {
             dm->tb.append();
             dm->tbKindID.setInteger(crate);
         }},
        {"amount before the type", 85,
         [&] {
             dm->tc.append();
             dm->tcAvail.setInteger(2);
         }},
        {"total below the placed", 86,
         [&] {
             dm->tb.edit();
             dm->tbTotal.setInteger(1);
         }},
        {"amount before the kind", 87,
         [&] {
             dm->tb.append();
             dm->tbTotal.setInteger(2);
         }},
        {"deleting placed boxes", 89, [&] { dm->tb.deleteRow(); }},
    };
    for (const Case& c : cases) {
        dialogs.answers = {DialogButton::Ok};
        EXPECT_THROW(c.act(), core::SilentAbort) << c.what;
        EXPECT_EQ(lastText(), core::messageText(c.slot)) << c.what;
        dm->tb.cancel();
        dm->tc.cancel();
    }
    EXPECT_EQ(dm->tb.recordCount(), 1u);
    EXPECT_EQ(dm->tbTotal.asInteger(), 4);
}

} // namespace rectix::taskdb::test
