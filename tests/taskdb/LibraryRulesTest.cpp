// Changing and deleting library rows that tasks or the export set use.
#include "TaskDbFixture.h"

#include "core/Errors.h"
#include "core/UiTexts.h"

namespace rectix::taskdb::test {

using dataset::CursorState;

class LibraryRules : public TaskDbTest {
  protected:
    // Three tasks using the truck, with nothing solved; the library in edit mode.
    void threeTasksUseTheTruck() {
        truck = addContainer("Truck", 1000, 500);
        for (const char* name : {"A", "B", "C"}) {
            addTask(name);
            addTaskContainer(truck, 1);
        }
        store.cntEditMode = true;
        store.askEachTaskConts = true;
        ASSERT_TRUE(dm->conts.locate("TypeID", truck));
    }

    static std::string text(int slot) { return core::messageText(slot); }

    std::int32_t truck = 0;
};

TEST_F(LibraryRules, AnswersOverThreeTasksThatUseTheType) {
    threeTasksUseTheTruck();
    dialogs.answers = {DialogButton::Yes, DialogButton::Yes, DialogButton::Yes};
    dm->conts.edit();
    EXPECT_EQ(dm->conts.state(), CursorState::Edit);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[1].text, text(61) + "\r\"B\".\r" + text(77) + "\r" + text(79) + "\r" + text(80));
    EXPECT_EQ(dialogs.shown[1].help, 9);
    dm->conts.cancel();

    dialogs.shown.clear();
    dialogs.answers = {DialogButton::All};
    dm->conts.edit();
    EXPECT_EQ(dm->conts.state(), CursorState::Edit);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    dm->conts.cancel();

    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Yes, DialogButton::No};
    EXPECT_THROW(dm->conts.edit(), core::SilentAbort);
    EXPECT_EQ(dm->conts.state(), CursorState::Browse);
    EXPECT_EQ(dialogs.shown.size(), 2u);

    dialogs.shown.clear();
    dialogs.answers = {DialogButton::YesToAll};
    dm->conts.edit();
    EXPECT_FALSE(store.askEachTaskConts);
    dm->conts.cancel();
    dm->conts.edit();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(LibraryRules, ClosingTheQuestionRefuses) {
    threeTasksUseTheTruck();
    dialogs.answers = {DialogButton::Yes, DialogButton::Cancel};
    EXPECT_THROW(dm->conts.edit(), core::SilentAbort);
    EXPECT_EQ(dm->conts.state(), CursorState::Browse);
}

TEST_F(LibraryRules, NothingIsAskedWithoutWarningsOrForAnUnusedType) {
    threeTasksUseTheTruck();
    store.warnings = false;
    dm->conts.edit();
    dm->conts.cancel();
    store.warnings = true;
    addContainer("Van", 600, 400);
    dm->conts.edit();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LibraryRules, ARowUsedByASolvedTaskIsRefusedForEditing) {
    truck = addContainer("Truck", 1000, 500);
    addTask("Solved");
    addTaskContainer(truck, 2, 1);
    store.cntEditMode = true;
    for (DialogButton answer : {DialogButton::Ok, DialogButton::Cancel}) {
        dialogs.shown.clear();
        dialogs.answers = {answer};
        ASSERT_TRUE(dm->conts.locate("TypeID", truck));
        EXPECT_THROW(dm->conts.edit(), core::SilentAbort);
        EXPECT_EQ(dm->conts.state(), CursorState::Browse);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, text(61) + "\r\"Solved\".\r" + text(66));
    }
    // Outside the edit mode only quantities change, and nothing is checked.
    store.cntEditMode = false;
    dm->conts.edit();
    EXPECT_EQ(dm->conts.state(), CursorState::Edit);
}

// The tasks that use a type are found among the rows of every type, in task order.
TEST_F(LibraryRules, OnlyTheTasksUsingTheTypeAreAskedInTaskOrderAndTheFirstSolvedOneIsNamed) {
    const std::int32_t van = addContainer("Van", 600, 240);
    truck = addContainer("Truck", 1000, 500);
    const std::int32_t lorry = addContainer("Lorry", 800, 245);
    const std::vector<std::pair<const char*, std::vector<std::int32_t>>> tasks = {
        {"T1", {van, truck}}, {"T2", {lorry}}, {"T3", {truck, lorry}}, {"T4", {van}}};
    for (const auto& [name, types] : tasks) {
        addTask(name);
        for (std::int32_t type : types) addTaskContainer(type, 1);
    }
    store.cntEditMode = true;
    auto asked = [&](std::int32_t type) {
        dialogs.shown.clear();
        dialogs.answers = {DialogButton::Yes, DialogButton::Yes, DialogButton::Yes};
        store.askEachTaskConts = true;
        EXPECT_TRUE(dm->conts.locate("TypeID", type));
        dm->conts.edit();
        dm->conts.cancel();
        std::vector<std::string> names;
        for (const auto& d : dialogs.shown) names.push_back(d.text.substr(text(61).size() + 1, 4));
        return names;
    };
    EXPECT_EQ(asked(van), (std::vector<std::string>{"\"T1\"", "\"T4\""}));
    EXPECT_EQ(asked(truck), (std::vector<std::string>{"\"T1\"", "\"T3\""}));
    EXPECT_EQ(asked(lorry), (std::vector<std::string>{"\"T2\"", "\"T3\""}));

    for (const char* name : {"T5", "T6"}) {
        addTask(name);
        addTaskContainer(truck, 3, 1);
    }
    addTask("T7");
    addTaskContainer(lorry, 3, 1);
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Ok};
    ASSERT_TRUE(dm->conts.locate("TypeID", truck));
    EXPECT_THROW(dm->conts.edit(), core::SilentAbort);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, text(61) + "\r\"T5\".\r" + text(66));
    // A type no task uses is not refused for its neighbours' solved rows.
    dialogs.shown.clear();
    ASSERT_TRUE(dm->conts.locate("TypeID", van));
    dialogs.answers = {DialogButton::All};
    dm->conts.edit();
    EXPECT_EQ(dm->conts.state(), CursorState::Edit);
}

TEST_F(LibraryRules, TheExportSetGuardRefusesInsertingAndEditingButNotDeleting) {
    truck = addContainer("Truck", 1000, 500);
    store.cntEditMode = true;
    store.activeDB = 1;
    EXPECT_THROW(dm->conts.append(), core::SilentAbort);
    EXPECT_THROW(dm->conts.edit(), core::SilentAbort);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, text(65));
    EXPECT_EQ(dialogs.shown[0].help, 15);
    dm->conts.deleteRow();
    EXPECT_TRUE(dm->conts.isEmpty());
}

TEST_F(LibraryRules, ATypeUsedInTheExportSetIsNeitherChangedNorDeleted) {
    const auto crate = addBox("Crate", 100, 100);
    store.boxEditMode = true;
    dm->exdb.open();
    dm->extb.open();
    dm->extb.append();
    dm->extb.field("TaskID").setInteger(1);
    dm->extb.field("KindID").setInteger(crate);
    dm->extb.field("Total").setInteger(5);
    dm->extb.post();
    dm->exdb.close();

    EXPECT_THROW(dm->boxes.edit(), core::SilentAbort);
    EXPECT_EQ(dialogs.shown.at(0).text, text(64) + "\r" + text(67));
    EXPECT_THROW(dm->boxes.deleteRow(), core::SilentAbort);
    EXPECT_EQ(dialogs.shown.at(1).text, text(64) + "\r" + text(60));
    EXPECT_FALSE(dm->exdb.isOpen());
    EXPECT_FALSE(dm->boxes.isEmpty());
}

TEST_F(LibraryRules, TheAxleRuleWantsTheSupportSpanPositive) {
    addContainer("Trailer", 1000, 300);
    store.cntEditMode = true;
    dm->conts.edit();
    dm->contsNoseDL.setInteger(600);
    EXPECT_THROW(dm->contsTailDL.setInteger(400), core::SilentAbort);
    EXPECT_TRUE(dm->contsTailDL.isNull());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].help, 10);
    dm->contsTailDL.setInteger(399);
    // Shortening the container is checked the same way, and closing the dialog refuses too.
    dialogs.answers = {DialogButton::Cancel};
    EXPECT_THROW(dm->contsLength.setInteger(999), core::SilentAbort);
    EXPECT_EQ(dm->contsLength.asInteger(), 1000);
    dm->conts.post();
    EXPECT_EQ(dm->contsTailDL.asInteger(), 399);
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// The ranges that the harness's task files and the solve bridge also keep: a
// capacity whose sum over 24 containers would pass 32 bits is refused when
// posted; a post that leaves a value as it was passes.
TEST_F(LibraryRules, APostOutsideTheSharedRangesIsRefusedWithTheRule) {
    const auto heavy = addContainer("Truck", 1000, 200);
    store.cntEditMode = true;
    dm->conts.edit();
    dm->contsLoadWt.setInteger(100000000);
    EXPECT_THROW(dm->conts.post(), core::SilentAbort);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "LoadWt must be from 0 to 89478485");
    dm->conts.cancel();
    dm->conts.edit();
    dm->contsLoadWt.setInteger(89478485);
    dm->conts.post();
    EXPECT_EQ(dm->contsLoadWt.asInteger(), 89478485);

    addTask("T");
    addTaskContainer(heavy, 1);
    dm->tc.edit();
    dm->tcAvail.setInteger(1);
    dm->tc.post(); // an unchanged row passes
}

// A library row that a task uses is not deleted; the message names the first such task.
TEST_F(LibraryRules, ARowATaskUsesIsNotDeleted) {
    threeTasksUseTheTruck();
    dialogs.answers = {DialogButton::Ok};
    EXPECT_THROW(dm->conts.deleteRow(), core::SilentAbort);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, text(61) + "\r\"A\".\r" + text(60));
    EXPECT_EQ(dialogs.shown.back().help, 9);
    EXPECT_TRUE(dm->conts.locate("TypeID", truck));
}

} // namespace rectix::taskdb::test
