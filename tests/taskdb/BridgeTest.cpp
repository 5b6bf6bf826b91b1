#include "TaskDbFixture.h"

#include "engine/PackRun.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/WriteCheck.h"

#include <fstream>

namespace rectix::taskdb::test {

namespace {

class BridgeTest : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        engine::PackRun::SetDefaultCaptions();
        store.OptPower = 1;
        store.OptTime = 60;
        store.OptRand = 1;
        store.OptLast = true;
        dialogs.answers.clear();
        bridge = std::make_unique<SolveBridge>(*dm, problem, run);
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

    void solve() { bridge->SolveTask(); }

    // Marks the stored solution's containers as fixed, as the solution page does.
    void fixAll() {
        for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
            dm->solut.edit();
            dm->solutFixCont.setBoolean(true);
            dm->solut.post();
        }
    }

    int count(dataset::Cursor& c) { return static_cast<int>(c.recordCount()); }

    engine::PackProblem problem;
    engine::PackRun run{problem, wait};
    std::unique_ptr<SolveBridge> bridge;
    std::int32_t truck = 0, pallet = 0, crate = 0;
};

} // namespace

TEST_F(BridgeTest, ReadsTheTaskAsTheEngineNeedsIt) {
    const std::int32_t van = addContainer("Van with a long name", 600, 200, 3000);
    dm->conts.locate("TypeID", van);
    store.CntEditMode = true;
    dm->conts.edit();
    dm->contsMark.setString("VNé");
    dm->contsFillDir.setString("Either");
    dm->conts.post();
    const std::int32_t box = addBox("Ăn extremely long box name!", 50, 40, 7);
    dm->boxes.locate("KindID", box);
    store.BoxEditMode = true;
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
    EXPECT_EQ(bridge->SolveRefusal(), "");

    bridge->ReadTaskInput();
    EXPECT_EQ(problem.ContTypeCount, 1);
    EXPECT_EQ(problem.ContTypes.Avail[1], 24);
    EXPECT_EQ(problem.ContTypes.FillDir[1], 0);
    EXPECT_EQ(problem.ContTypes.Mark[1], "VNé");
    EXPECT_FLOAT_EQ(problem.ContTypes.Area[1], 120000);
    EXPECT_FLOAT_EQ(problem.ContTypes.Cost[1], 12.5f);
    EXPECT_EQ(problem.BoxKinds.Total[1], 1000);
    EXPECT_EQ(problem.BoxKinds.Kind[1],
              "Ăn extremely long box nam"); // 25 characters, the first taking two bytes
    EXPECT_EQ(problem.BoxKinds.Mark[1], "é2");
    EXPECT_TRUE(problem.Settings.TaskDefltOn);
    EXPECT_FALSE(problem.Settings.TaskTurnOn);
}

TEST_F(BridgeTest, OnlyTheExactWordsGiveAFillDirection) {
    const std::pair<const char*, int> cases[] = {{"Length", 1}, {"Width", 2}, {"Either", 0}, {"", 0}};
    for (const auto& [text, dir] : cases) {
        problem.ResetProblem(problem.StartSolution);
        const std::int32_t t = addContainer(std::string("Type ") + text, 600, 200);
        dm->conts.locate("TypeID", t);
        store.CntEditMode = true;
        dm->conts.edit();
        if (*text)
            dm->contsFillDir.setString(text);
        else
            dm->contsFillDir.clear();
        dm->conts.post();
        addTask(std::string("Task ") + text);
        addTaskContainer(t, 1);
        bridge->ReadTaskInput();
        EXPECT_EQ(problem.ContTypes.FillDir[1], dir) << text;
    }
}

TEST_F(BridgeTest, RefusesALimitOrAnEmptyGrid) {
    truckTask(24, 12);
    EXPECT_EQ(bridge->SolveRefusal(), "");
    dm->tc.edit();
    dm->tcAvail.setInteger(25);
    dm->tc.post();
    EXPECT_EQ(bridge->SolveRefusal(), "Total container number exceeds limit: 24");
    addTask("Empty");
    addTaskContainer(truck, 1);
    EXPECT_EQ(bridge->SolveRefusal(), "You should define boxes");
}

TEST_F(BridgeTest, SolveStoresTheSolutionWithTheActiveSettings) {
    const std::int32_t id = truckTask();
    store.OptQw = 35;
    store.OptQg = 2;
    store.OptBB = 0;
    solve();
    EXPECT_TRUE(dm->tasksSolut.asBoolean());
    EXPECT_EQ(dm->tasksQw.asInteger(), 235);
    EXPECT_EQ(dm->tasksPower.asInteger(), 1);
    EXPECT_EQ(store.LoadedSolutionTaskID, id);
    EXPECT_FLOAT_EQ(problem.Settings.WeightFactor, 0.35f);
    // The stored rows match the plan: one row per loaded container, a position per placed box.
    const auto& r = problem.ResultSolution;
    EXPECT_EQ(count(dm->solut), r.UsedConts);
    int positions = 0, placed = 0;
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
        positions += count(dm->posit);
        for (dm->distr.first(); !dm->distr.eof(); dm->distr.next()) placed += dm->distrPlaced.asInteger();
    }
    EXPECT_EQ(positions, r.LoadedBoxes);
    EXPECT_EQ(placed, r.LoadedBoxes);
    int tbPlaced = 0;
    for (dm->tb.first(); !dm->tb.eof(); dm->tb.next()) tbPlaced += dm->tbPlaced.asInteger();
    EXPECT_EQ(tbPlaced, r.LoadedBoxes);
}

TEST_F(BridgeTest, FixedContainersTakeTheLowestInstancesAndKeepTheirBoxes) {
    store.OptLast = false;
    truckTask(3, 40);
    solve();
    ASSERT_GE(count(dm->solut), 2);
    fixAll();
    bridge->ClearSolution();
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
    dm->tc.first();
    EXPECT_EQ(dm->tcUsed.asInteger(), count(dm->solut));

    problem.ResetProblem(problem.StartSolution);
    bridge->ReadTaskInput();
    bridge->CopyRunSettings();
    problem.PrepareInstances();
    bridge->ReadFixedContainers(problem.StartSolution);
    EXPECT_TRUE(problem.StartSolution.FixCont[1]);
    EXPECT_TRUE(problem.StartSolution.FixCont[2]);
    EXPECT_FALSE(problem.StartSolution.FixCont[3]);
    // Reading takes nothing out of the tables: a solve that fails later changes nothing.
    EXPECT_GE(count(dm->solut), 2);
}

TEST_F(BridgeTest, ADroppedBoxClosesTheGapInTheLoadingSequence) {
    truckTask(1, 5);
    dm->tc.edit();
    dm->tcAvail.setInteger(1);
    dm->tc.post();
    problem.ResetProblem(problem.StartSolution);
    bridge->ReadTaskInput();
    problem.PrepareInstances();
    auto& s = problem.StartSolution;
    s.FixCont[1] = true;
    // Five boxes stored with load numbers 1..5; the one numbered 3 was dropped.
    const int loadNos[] = {1, 2, 4, 5};
    for (int j = 1; j <= 4; ++j) {
        s.ContNo[j] = 1;
        s.LoadNo[j] = static_cast<std::int16_t>(loadNos[j - 1]);
        s.PosLh[j] = 120;
        s.PosWh[j] = 80;
    }
    problem.ComputeContainerLoads(s);
    bridge->RenumberFixedLoads(s);
    EXPECT_EQ(s.LoadNo[3], 3);
    EXPECT_EQ(s.LoadNo[4], 4);
    // Repeated stored numbers cannot keep the walk from ending.
    for (int j = 1; j <= 4; ++j) s.LoadNo[j] = 2;
    bridge->RenumberFixedLoads(s);
    EXPECT_EQ(s.LoadNo[1], 1);
}

TEST_F(BridgeTest, EachBoxOverTheTaskTotalGetsItsOwnWarning) {
    truckTask(1, 6);
    solve();
    fixAll();
    bridge->ClearSolution();
    problem.ResetProblem(problem.StartSolution);
    bridge->ReadTaskInput();
    problem.BoxKinds.Total[1] = 3; // three fewer pallets than the fixed truck holds
    problem.PrepareInstances();
    dialogs.shown.clear();
    bridge->ReadFixedContainers(problem.StartSolution);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "Box to fix deficit for:\rPallet\rIts fixing omited");
}

TEST_F(BridgeTest, ClearWithoutFixedContainersZeroesEveryCount) {
    truckTask();
    solve();
    bridge->ClearSolution();
    EXPECT_EQ(count(dm->solut), 0);
    for (dm->tc.first(); !dm->tc.eof(); dm->tc.next()) EXPECT_EQ(dm->tcUsed.asInteger(), 0);
    for (dm->tb.first(); !dm->tb.eof(); dm->tb.next()) EXPECT_EQ(dm->tbPlaced.asInteger(), 0);
    EXPECT_FALSE(dm->tasksSolut.asBoolean());
}

TEST_F(BridgeTest, SolvingTwiceWithAClearBetweenGivesTheSamePlan) {
    truckTask();
    solve();
    const engine::TPackSolution first = problem.ResultSolution;
    bridge->ClearSolution();
    solve();
    EXPECT_EQ(problem.ResultSolution, first);
}

TEST_F(BridgeTest, ReloadRebuildsThePlanFromTheStoredRows) {
    store.OptLast = false;
    const std::int32_t id = truckTask(4, 40);
    solve();
    const engine::TPackSolution solved = problem.ResultSolution;
    ASSERT_EQ(solved.UsedConts, 2);
    // Store the second container as number 4, and spoil its stored load: the reload recomputes it.
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
    dm->solutWgtLoad.setInteger(1);
    dm->solut.post();
    store.LoadedSolutionTaskID = 0;
    EXPECT_EQ(bridge->ReloadSolution(), id);
    const auto& r = problem.ResultSolution;
    EXPECT_EQ(r.BoxLoad[2], 0);
    EXPECT_EQ(r.BoxLoad[3], 0);
    EXPECT_EQ(r.BoxLoad[4], solved.BoxLoad[2]);
    EXPECT_EQ(r.WgtLoad[4], solved.WgtLoad[2]);
    EXPECT_EQ(r.LoadedBoxes, solved.LoadedBoxes);
    EXPECT_EQ(store.LoadedSolutionTaskID, id);
}

TEST_F(BridgeTest, ReloadRefusesRowsThatDoNotFitTheTask) {
    truckTask();
    solve();
    dm->solut.first();
    dm->posit.first();
    dm->posit.edit();
    dm->positPosX.setInteger(1190); // a pallet hanging out of the truck
    dm->posit.post();
    store.LoadedSolutionTaskID = 77;
    EXPECT_THROW(bridge->ReloadSolution(), BridgeError);
    EXPECT_EQ(store.LoadedSolutionTaskID, 0); // a half-built plan belongs to no task
}

TEST_F(BridgeTest, AFailedWriteLeavesTheStoredSolutionAsItWas) {
    truckTask(3, 40);
    solve();
    fixAll();
    bridge->ClearSolution();
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
    EXPECT_ANY_THROW(bridge->ClearSolution());
    dm->tc.first();
    EXPECT_EQ(dm->tcUsed.asInteger(), used);
    EXPECT_EQ(count(dm->solut), rows);
    EXPECT_TRUE(dm->tasksSolut.asBoolean());
}

TEST_F(BridgeTest, WriteCheckPassesInAWritableFolderAndLeavesNothing) {
    EXPECT_TRUE(WriteCheck::CheckDataFolderWritable(root, dialogs));
    EXPECT_FALSE(fs::exists(root / WriteCheck::ProbeName));
    EXPECT_TRUE(dialogs.shown.empty());
    // A probe that cannot be written (here a folder stands in its way) fails with the warning.
    fs::create_directory(root / WriteCheck::ProbeName);
    EXPECT_FALSE(WriteCheck::CheckDataFolderWritable(root, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Problem saving data files.", 0), 0u);
    EXPECT_FALSE(WriteCheck::CheckDataFolderWritable(root / "missing", dialogs));
}

} // namespace rectix::taskdb::test
