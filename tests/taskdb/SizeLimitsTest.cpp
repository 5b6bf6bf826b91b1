// Values that each fit their fields but whose sums, or whose lever over a support span, pass a
// limit: the Solve command refuses them before the run by row, field and limit, and the task's
// totals take them without failing.
#include "TaskDbFixture.h"

#include "engine/PackRun.h"
#include "taskdb/SolveBridge.h"

#include <array>
#include <functional>
#include <vector>

namespace rectix::taskdb::test {

namespace {

class SolveLimits : public SolvingTest {
  protected:
    // A task "Sizes" of one container type "Hall" and one box kind "Long", made current.
    void sizesTask(int contLength, int contWidth, int tailDL, int boxLength, int boxWeight, int boxes,
                   int noseWt = 0, int tailWt = 0, int noseDL = 0) {
        const std::int32_t hall = addContainer("Hall", contLength, contWidth, 89478485);
        store.cntEditMode = true;
        dm->conts.edit();
        dm->contsTailDL.setInteger(tailDL);
        dm->contsNoseDL.setInteger(noseDL);
        dm->contsNoseWt.setInteger(noseWt);
        dm->contsTailWt.setInteger(tailWt);
        dm->conts.post();
        store.cntEditMode = false;
        const std::int32_t box = addBox("Long", boxLength, 80, boxWeight);
        addTask("Sizes");
        addTaskContainer(hall, 1);
        addTaskBox(box, boxes);
    }
};

} // namespace

TEST_F(SolveLimits, FiguresARunCouldNotHoldAreRefusedBeforeTheRun) {
    struct Case {
        int contLength, contWidth, tailDL, boxLength, boxWeight, boxes, itemGap, edgeGap;
        std::string refusal;
    };
    const std::string hall = "Task \"Sizes\": container type \"Hall\": ";
    const std::string most = " the most a run can hold with the Item to Item Gap ";
    const std::vector<Case> cases = {
        {1000, 240, 0, 32767, 10, 2, 1, 0,
         "Task \"Sizes\": box kind \"Long\": Length 32767 is more than 32766," + most + "1"},
        {32767, 240, 0, 100, 10, 2, 1, 0,
         hall + "Length 32767 is more than 32766," + most + "1 and the Item to Edge Gap 0"},
        {500, 32767, 0, 100, 10, 2, 3, 1,
         hall + "Width 32767 is more than 32766," + most + "3 and the Item to Edge Gap 1"},
        // Heavy boxes with the supports one unit apart: the support loads would pass 32 bits.
        {20000, 240, 19999, 100, 32767, 200, 0, 0,
         hall + "Length - NoseDL - TailDL is 1; for a load of 6553400 it must be at least 62"},
        // One unit short of the least span (which runs, in the engine's tests).
        {20000, 240, 19939, 100, 32767, 200, 0, 0,
         hall + "Length - NoseDL - TailDL is 61; for a load of 6553400 it must be at least 62"},
    };
    for (const Case& c : cases) {
        sizesTask(c.contLength, c.contWidth, c.tailDL, c.boxLength, c.boxWeight, c.boxes);
        store.optBB = static_cast<std::int16_t>(c.itemGap);
        store.optBW = static_cast<std::int16_t>(c.edgeGap);
        EXPECT_EQ(bridge->solveRefusal(), c.refusal);
        try {
            bridge->solveTask();
            ADD_FAILURE() << c.refusal << ": solved";
        } catch (const BridgeError& e) {
            EXPECT_EQ(e.what(), c.refusal);
        }
        EXPECT_FALSE(dm->tasksSolut.asBoolean()) << c.refusal;
    }
}

// Supports one unit apart under boxes whose whole weight they could not take: the support limits,
// or a floor that holds only some of the boxes, keep every load a run makes light enough.
TEST_F(SolveLimits, CloseSupportsUnderALoadTheyCanTakeAreSolved) {
    for (const auto& [length, width, noseDL, weight, limit] :
         {std::array<int, 5>{20000, 240, 9999, 2000, 50000}, std::array<int, 5>{2000, 80, 0, 32767, 0}}) {
        sizesTask(length, width, length - noseDL - 1, 100, weight, 200, limit, limit, noseDL);
        EXPECT_EQ(bridge->solveRefusal(), "") << length;
        EXPECT_NO_THROW(bridge->solveTask()) << length;
        EXPECT_GT(problem.resultSolution.loadedBoxes, 0) << length;
    }
}

// A stored plan is measured by its containers' own loads: one that the container's supports can no
// longer take is refused on reload, and as a fixed container that a solve would start from.
TEST_F(SolveLimits, AStoredLoadTheSupportsCannotTakeIsRefused) {
    sizesTask(2000, 80, 1999, 100, 32767, 200);
    bridge->solveTask();
    ASSERT_EQ(problem.resultSolution.wgtLoad[1], 20 * 32767);
    const auto refusal = [&](int loadWt, const std::function<void()>& action) {
        dm.reset();
        const std::string hall = "UPDATE conts SET Length = 20000, TailDL = 19999, LoadWt = ";
        EXPECT_EQ(sqlite(root / "data/home/conts.db", hall + std::to_string(loadWt)), 0);
        reopen();
        bridge = std::make_unique<SolveBridge>(*dm, problem, run);
        try {
            action();
        } catch (const BridgeError& e) {
            return std::string(e.what());
        }
        return std::string("done");
    };
    const std::string why = "Length - NoseDL - TailDL is 1; for a load of 655340 it must be at least 7";
    EXPECT_NE(refusal(89478485, [&] { bridge->reloadSolution(); }).find(why), std::string::npos);
    EXPECT_EQ(store.loadedSolutionTaskID, 0);
    // Fixed and cleared; with a capacity of 0 the fixed load is over it.
    for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
        dm->solut.edit();
        dm->solutFixCont.setBoolean(true);
        dm->solut.post();
    }
    bridge->clearSolution();
    EXPECT_NE(refusal(0, [&] { bridge->solveTask(); }).find("field WgtLoad: container 1 carries 655340"),
              std::string::npos);
}

TEST_F(SolveLimits, TheTotalsTakeSumsPastTheirOldWidthsAndSolveRefusesThem) {
    // 25 containers of the largest capacity: each row fits the rules, the weight sum passes 32 bits.
    const std::int32_t heavy = addContainer("Heavy", 1000, 240, 89478485);
    const std::int32_t light = addContainer("Light", 1000, 240, 1);
    addTask("Wide sums");
    addTaskContainer(heavy, 25);
    addTaskContainer(light, 1);
    EXPECT_EQ(figure(PageFigure::AvlWgt), "2236962126");
    EXPECT_EQ(bridge->solveRefusal(), "Total container number exceeds limit: 24");

    // Counts summing past 16 bits, as another program can store them.
    dm.reset();
    ASSERT_EQ(sqlite(root / "data/home/tc.db", "UPDATE tc SET Avail = 32767"), 0);
    reopen();
    bridge = std::make_unique<SolveBridge>(*dm, problem, run);
    EXPECT_EQ(figure(PageFigure::AvlNmb), "65534");
    EXPECT_EQ(store.totalContainers, 32767);
    EXPECT_EQ(bridge->solveRefusal(), "Total container number exceeds limit: 24");
}

TEST_F(SolveLimits, AStoredCostATotalCannotTakeIsNamed) {
    const std::int32_t truck = addContainer("Truck", 1000, 240);
    const std::int32_t box = addBox("Crate", 100, 80);
    addTask("Costly");
    addTaskContainer(truck, 1, 1);
    addTaskBox(box, 3, 3);
    dm.reset();
    ASSERT_EQ(sqlite(root / "data/home/tb.db", "UPDATE tb SET Cost = 1e300"), 0);
    reopen();
    EXPECT_NE(store.dbState, 555);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages[0],
              "Math error opening DB\rTask \"Costly\": box kind \"Crate\": Cost 1e+300 is "
              "outside 0..1000000000");
}

} // namespace rectix::taskdb::test
