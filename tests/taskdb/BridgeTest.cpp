#include "TaskDbFixture.h"

#include "engine/PackRun.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/WriteCheck.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <vector>

namespace rectix::taskdb::test {

namespace {

class BridgeTest : public SolvingTest {
  protected:
    void SetUp() override {
        SolvingTest::SetUp();
        store.optLast = true;
        dialogs.answers.clear();
    }

    // A task with trucks and pallets, made current.
    std::int32_t truckTask(int trucks = 2, int pallets = 12) {
        truck = addContainer("Truck", 1200, 240, 20000);
        pallet = addBox("Pallet", 120, 80, 500);
        crate = addBox("Crate", 60, 40, 20);
        const std::int32_t id = addTask("Shipment");
        addTaskContainer(truck, trucks);
        addTaskBox(pallet, pallets);
        addTaskBox(crate, 5);
        return id;
    }

    void solve() { bridge->solveTask(); }

    // Marks the stored solution's containers as fixed, as the solution page does.
    void fixAll() {
        for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
            dm->solut.edit();
            dm->solutFixCont.setBoolean(true);
            dm->solut.post();
        }
    }

    int count(dataset::Cursor& c) { return static_cast<int>(c.recordCount()); }

    std::int32_t truck = 0, pallet = 0, crate = 0;
};

} // namespace

TEST_F(BridgeTest, ReadsTheTaskAsTheEngineNeedsIt) {
    const std::int32_t van = addContainer("Van with a long name", 600, 200, 3000);
    dm->conts.locate("TypeID", van);
    store.cntEditMode = true;
    dm->conts.edit();
    dm->contsMark.setString("VNé");
    dm->contsFillDir.setString("Either");
    dm->conts.post();
    const std::int32_t box = addBox("Ăn extremely long box name!", 50, 40, 7);
    dm->boxes.locate("KindID", box);
    store.boxEditMode = true;
    dm->boxes.edit();
    dm->boxesMark.setString("é2");
    dm->boxes.post();
    addTask("Read");
    addTaskContainer(van, 24, 0, 12.5);
    addTaskBox(box, 1000, 0, 3.25);
    dm->tasks.edit();
    dm->tasksDefltOn.setBoolean(true);
    dm->tasksTurnOn.setBoolean(false);
    dm->tasks.post();
    EXPECT_EQ(bridge->solveRefusal(), "");

    bridge->readTaskInput();
    EXPECT_EQ(problem.contTypeCount, 1);
    EXPECT_EQ(problem.contTypes.avail[1], 24);
    EXPECT_EQ(problem.contTypes.fillDir[1], 0);
    EXPECT_EQ(problem.contTypes.mark[1], "VNé");
    EXPECT_FLOAT_EQ(problem.contTypes.area[1], 120000);
    EXPECT_FLOAT_EQ(problem.contTypes.cost[1], 12.5f);
    EXPECT_EQ(problem.boxKinds.total[1], 1000);
    EXPECT_EQ(problem.boxKinds.name[1],
              "Ăn extremely long box nam"); // 25 characters, the first taking two bytes
    EXPECT_EQ(problem.boxKinds.mark[1], "é2");
    EXPECT_TRUE(problem.settings.taskDefltOn);
    EXPECT_FALSE(problem.settings.taskTurnOn);
}

TEST_F(BridgeTest, OnlyTheExactWordsGiveAFillDirection) {
    const std::pair<const char*, int> cases[] = {{"Length", 1}, {"Width", 2}, {"Either", 0}, {"", 0}};
    for (const auto& [text, dir] : cases) {
        problem.resetProblem(problem.startSolution);
        const std::int32_t t = addContainer(std::string("Type ") + text, 600, 200);
        dm->conts.locate("TypeID", t);
        store.cntEditMode = true;
        dm->conts.edit();
        if (*text)
            dm->contsFillDir.setString(text);
        else
            dm->contsFillDir.clear();
        dm->conts.post();
        addTask(std::string("Task ") + text);
        addTaskContainer(t, 1);
        bridge->readTaskInput();
        EXPECT_EQ(problem.contTypes.fillDir[1], dir) << text;
    }
}

TEST_F(BridgeTest, RefusesALimitOrAnEmptyGrid) {
    truckTask(24, 12);
    EXPECT_EQ(bridge->solveRefusal(), "");
    dm->tc.edit();
    dm->tcAvail.setInteger(25);
    dm->tc.post();
    EXPECT_EQ(bridge->solveRefusal(), "Total container number exceeds limit: 24");
    addTask("Empty");
    addTaskContainer(truck, 1);
    EXPECT_EQ(bridge->solveRefusal(), "You should define boxes");
}

TEST_F(BridgeTest, SolveStoresTheSolutionWithTheActiveSettings) {
    const std::int32_t id = truckTask();
    store.optQw = 35;
    store.optQg = 2;
    store.optBB = 0;
    store.optTime = 77;
    solve();
    EXPECT_TRUE(dm->tasksSolut.asBoolean());
    EXPECT_EQ(dm->tasksQw.asInteger(), 235);
    EXPECT_EQ(dm->tasksPower.asInteger(), 1);
    EXPECT_EQ(dm->tasksTime.asInteger(), 77);
    EXPECT_EQ(store.loadedSolutionTaskID, id);
    EXPECT_FLOAT_EQ(problem.settings.weightFactor, 0.35f);
    // The stored rows match the plan: one row per loaded container, a position per placed box.
    const auto& r = problem.resultSolution;
    EXPECT_EQ(count(dm->solut), r.usedConts);
    int positions = 0, placed = 0;
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
        positions += count(dm->posit);
        for (dm->distr.first(); !dm->distr.eof(); dm->distr.next()) placed += dm->distrPlaced.asInteger();
    }
    EXPECT_EQ(positions, r.loadedBoxes);
    EXPECT_EQ(placed, r.loadedBoxes);
    int tbPlaced = 0;
    for (dm->tb.first(); !dm->tb.eof(); dm->tb.next()) tbPlaced += dm->tbPlaced.asInteger();
    EXPECT_EQ(tbPlaced, r.loadedBoxes);
}

TEST_F(BridgeTest, FixedContainersTakeTheLowestInstancesAndKeepTheirBoxes) {
    store.optLast = false;
    truckTask(3, 40);
    solve();
    ASSERT_GE(count(dm->solut), 2);
    fixAll();
    bridge->clearSolution();
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
    dm->tc.first();
    EXPECT_EQ(dm->tcUsed.asInteger(), count(dm->solut));

    problem.resetProblem(problem.startSolution);
    bridge->readTaskInput();
    bridge->copyRunSettings();
    problem.prepareInstances();
    bridge->readFixedContainers(problem.startSolution);
    EXPECT_TRUE(problem.startSolution.fixCont[1]);
    EXPECT_TRUE(problem.startSolution.fixCont[2]);
    EXPECT_FALSE(problem.startSolution.fixCont[3]);
    // Reading takes nothing out of the tables: a solve that fails later changes nothing.
    EXPECT_GE(count(dm->solut), 2);
}

TEST_F(BridgeTest, ADroppedBoxClosesTheGapInTheLoadingSequence) {
    truckTask(1, 5);
    dm->tc.edit();
    dm->tcAvail.setInteger(1);
    dm->tc.post();
    problem.resetProblem(problem.startSolution);
    bridge->readTaskInput();
    problem.prepareInstances();
    auto& s = problem.startSolution;
    s.fixCont[1] = true;
    // Five boxes stored with load numbers 1..5; the one numbered 3 was dropped.
    const int loadNos[] = {1, 2, 4, 5};
    for (int j = 1; j <= 4; ++j) {
        s.contNo[j] = 1;
        s.loadNo[j] = static_cast<std::int16_t>(loadNos[j - 1]);
        s.posLh[j] = 120;
        s.posWh[j] = 80;
    }
    problem.computeContainerLoads(s);
    bridge->renumberFixedLoads(s);
    EXPECT_EQ(s.loadNo[3], 3);
    EXPECT_EQ(s.loadNo[4], 4);
    // Repeated stored numbers cannot keep the walk from ending.
    for (int j = 1; j <= 4; ++j) s.loadNo[j] = 2;
    bridge->renumberFixedLoads(s);
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(s.loadNo[j], j); // in instance order, each number once
}

TEST_F(BridgeTest, EachBoxOverTheTaskTotalGetsItsOwnWarning) {
    truckTask(1, 6);
    solve();
    fixAll();
    bridge->clearSolution();
    problem.resetProblem(problem.startSolution);
    bridge->readTaskInput();
    problem.boxKinds.total[1] = 3; // three fewer pallets than the fixed truck holds
    problem.prepareInstances();
    dialogs.shown.clear();
    bridge->readFixedContainers(problem.startSolution);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "Box to fix deficit for:\rPallet\rIts fixing omited");
}

TEST_F(BridgeTest, ClearWithoutFixedContainersZeroesEveryCount) {
    truckTask();
    solve();
    bridge->clearSolution();
    EXPECT_EQ(count(dm->solut), 0);
    for (dm->tc.first(); !dm->tc.eof(); dm->tc.next()) EXPECT_EQ(dm->tcUsed.asInteger(), 0);
    for (dm->tb.first(); !dm->tb.eof(); dm->tb.next()) EXPECT_EQ(dm->tbPlaced.asInteger(), 0);
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
}

TEST_F(BridgeTest, SolvingTwiceWithAClearBetweenGivesTheSamePlan) {
    truckTask();
    solve();
    const engine::PackSolution first = problem.resultSolution;
    bridge->clearSolution();
    solve();
    EXPECT_EQ(problem.resultSolution, first);
}

TEST_F(BridgeTest, ReloadRebuildsThePlanFromTheStoredRows) {
    store.optLast = false;
    const std::int32_t id = truckTask(4, 40);
    solve();
    const engine::PackSolution solved = problem.resultSolution;
    ASSERT_EQ(solved.usedConts, 2);
    // Store the second container as number 4: the reload rebuilds it there.
    dm->solut.locate("ContNo", 2);
    for (dataset::Cursor* rows : {&dm->posit, &dm->distr}) {
        while (!rows->isEmpty()) {
            rows->first();
            rows->edit();
            rows->field("ContNo").setInteger(4);
            rows->post();
        }
    }
    dm->solut.edit();
    dm->solutContNo.setInteger(4);
    dm->solut.post();
    store.loadedSolutionTaskID = 0;
    EXPECT_EQ(bridge->reloadSolution(), id);
    const auto& r = problem.resultSolution;
    EXPECT_EQ(r.boxLoad[2], 0);
    EXPECT_EQ(r.boxLoad[3], 0);
    EXPECT_EQ(r.boxLoad[4], solved.boxLoad[2]);
    EXPECT_EQ(r.wgtLoad[4], solved.wgtLoad[2]);
    EXPECT_EQ(r.loadedBoxes, solved.loadedBoxes);
    EXPECT_EQ(store.loadedSolutionTaskID, id);
}

TEST_F(BridgeTest, ReloadRefusesRowsThatDoNotFitTheTask) {
    truckTask();
    addTaskContainer(addContainer("Van", 400, 200, 3000), 1);
    solve();
    dm->solut.first();
    dm->posit.first();
    dm->posit.edit();
    dm->positPosX.setInteger(1190); // a pallet hanging out of the truck
    dm->posit.post();
    store.loadedSolutionTaskID = 77;
    dm->tc.first();
    dm->tb.first();
    const std::int32_t type = dm->tcTypeID.asInteger(), kind = dm->tbKindID.asInteger();
    EXPECT_THROW(bridge->reloadSolution(), BridgeError);
    EXPECT_EQ(store.loadedSolutionTaskID, 0); // a half-built plan belongs to no task
    // The page's rows stay where the user had them.
    EXPECT_EQ(dm->tcTypeID.asInteger(), type);
    EXPECT_EQ(dm->tbKindID.asInteger(), kind);
}

TEST_F(BridgeTest, AFailedWriteLeavesTheStoredSolutionAsItWas) {
    truckTask(3, 40);
    solve();
    fixAll();
    bridge->clearSolution();
    const int kept = count(dm->solut);
    // Make the writing of positions fail halfway.
    dm->positPosX.setConstraint([](const dataset::Value& v) { return v.integer() < 300; }, "Refused");
    EXPECT_ANY_THROW(solve());
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
    EXPECT_EQ(count(dm->solut), kept);
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) EXPECT_TRUE(dm->solutFixCont.asBoolean());
}

TEST_F(BridgeTest, AFailedClearLeavesEveryCountAsItWas) {
    truckTask();
    solve();
    const int rows = count(dm->solut);
    dm->tc.first();
    const int used = dm->tcUsed.asInteger();
    dm->tbPlaced.setConstraint([](const dataset::Value& v) { return v.integer() != 0; }, "Refused");
    EXPECT_ANY_THROW(bridge->clearSolution());
    dm->tc.first();
    EXPECT_EQ(dm->tcUsed.asInteger(), used);
    EXPECT_EQ(count(dm->solut), rows);
    EXPECT_TRUE(dm->tasksSolut.asBoolean());
}

TEST_F(BridgeTest, WriteCheckPassesInAWritableFolderAndLeavesNothing) {
    EXPECT_TRUE(WriteCheck::checkDataFolderWritable(root));
    EXPECT_FALSE(fs::exists(root / WriteCheck::probeName));
    EXPECT_TRUE(dialogs.shown.empty());
    // A probe that cannot be written (here a folder stands in its way) fails with the warning.
    fs::create_directory(root / WriteCheck::probeName);
    EXPECT_FALSE(WriteCheck::checkDataFolderWritable(root));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Problem saving data files.", 0), 0u);
    EXPECT_FALSE(WriteCheck::checkDataFolderWritable(root / "missing"));
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

namespace {

// Stores a value straight into a row of the current task, past the row rules, as an imported
// set can hold it.
void storeRaw(DataModule& dm, const char* table, const char* keyField, std::int32_t key, const char* field,
              std::int64_t value) {
    dataset::Cursor raw(dm.db, table);
    raw.open();
    ASSERT_TRUE(raw.locate("TaskID", dm.tasksTaskID.asInteger(), keyField, key));
    raw.edit();
    raw.field(field).setInteger(value);
    raw.post();
    raw.close();
    for (dataset::Cursor* c : {&dm.tc, &dm.tb, &dm.solut, &dm.distr, &dm.posit}) c->refresh();
}

} // namespace

// The result record names a task only while it holds that task's whole plan.
TEST_F(BridgeTest, ASolveThatFailsLeavesThePlanNamingNoTask) {
    const std::int32_t first = truckTask();
    solve();
    EXPECT_EQ(store.loadedSolutionTaskID, first);
    addTask("Second");
    addTaskContainer(truck, 1);
    addTaskBox(pallet, 3);
    storeRaw(*dm, "tc", "TypeID", truck, "Avail", 0);
    EXPECT_THROW(solve(), BridgeError);
    EXPECT_EQ(store.loadedSolutionTaskID, 0);
}

TEST_F(BridgeTest, ClearPassesARowWhoseAmountItDoesNotChange) {
    truckTask();
    solve();
    storeRaw(*dm, "tc", "TypeID", truck, "Avail", 0);
    dialogs.shown.clear();
    bridge->clearSolution();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
    EXPECT_EQ(count(dm->solut), 0);
}

TEST_F(BridgeTest, AFixedBoxWithoutAPlaceInTheSequenceIsRenumbered) {
    store.optLast = false;
    truckTask(1, 6);
    solve();
    fixAll();
    bridge->clearSolution();
    dm->solut.first();
    ASSERT_GE(count(dm->posit), 2);
    dm->posit.first();
    dm->posit.edit();
    dm->positLoadNo.setInteger(0);
    dm->posit.post();
    dialogs.shown.clear();
    solve();
    EXPECT_TRUE(dm->tasksSolut.asBoolean());
    // Every box of the fixed container has its own number from 1 up.
    const auto& plan = problem.resultSolution;
    std::vector<int> numbers;
    for (int j = 1; j <= problem.boxCount; ++j)
        if (plan.contNo[j] == 1) numbers.push_back(plan.loadNo[j]);
    std::sort(numbers.begin(), numbers.end());
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], static_cast<int>(i) + 1);
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// A fixed container stays fixed in the solution written after it; one the task no longer has
// room for is dropped with message 91 naming its type.
TEST_F(BridgeTest, FixedContainersAreStoredFixedAgainAndADeficitIsNamed) {
    store.optLast = false;
    truckTask(2, 30);
    solve();
    ASSERT_EQ(count(dm->solut), 2);
    fixAll();
    bridge->clearSolution();
    solve();
    int fixed = 0;
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) fixed += dm->solutFixCont.asBoolean();
    EXPECT_EQ(fixed, 2);

    bridge->clearSolution();
    dialogs.answers = {DialogButton::Ignore};
    dm->tc.edit();
    dm->tcAvail.setInteger(1); // below the two fixed trucks
    dm->tc.post();
    dialogs.shown.clear();
    solve();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.front().text,
              core::messageText(91) + "\r" + "Truck" + "\r" + core::messageText(92));
    fixed = 0;
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) fixed += dm->solutFixCont.asBoolean();
    EXPECT_EQ(fixed, 1);
}

} // namespace rectix::taskdb::test

namespace rectix::taskdb::test {

// Clear counts used and placed from the kept fixed containers alone, and names a kept row whose
// type or kind the task no longer has.
TEST_F(BridgeTest, ClearCountsTheKeptRowsAndNamesRowsTheTaskLacks) {
    store.optLast = false;
    truckTask(2, 30);
    solve();
    fixAll();
    std::map<std::int32_t, int> placed;
    int crateRows = 0;
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next())
        for (dm->distr.first(); !dm->distr.eof(); dm->distr.next()) {
            placed[dm->distrKindID.asInteger()] += dm->distrPlaced.asInteger();
            crateRows += dm->distrKindID.asInteger() == crate;
        }
    const int containers = count(dm->solut);
    ASSERT_GT(crateRows, 0);
    bridge->clearSolution();
    for (dm->tb.first(); !dm->tb.eof(); dm->tb.next())
        EXPECT_EQ(dm->tbPlaced.asInteger(), placed[dm->tbKindID.asInteger()]);
    ASSERT_TRUE(dm->tc.locate("TypeID", truck));
    EXPECT_EQ(dm->tcUsed.asInteger(), containers);

    // The truck and crate rows go from the task; the kept containers still name them.
    dialogs.answers = {DialogButton::Ignore, DialogButton::Ignore};
    dm->tc.deleteRow();
    ASSERT_TRUE(dm->tb.locate("KindID", crate));
    dm->tb.deleteRow();
    dialogs.shown.clear();
    bridge->clearSolution();
    std::vector<std::string> texts;
    for (const auto& s : dialogs.shown) texts.push_back(s.text);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "ContFix Error "), containers);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "BoxFix Error "), crateRows);
    ASSERT_TRUE(dm->tb.locate("KindID", pallet));
    EXPECT_EQ(dm->tbPlaced.asInteger(), placed[pallet]);
}

} // namespace rectix::taskdb::test
