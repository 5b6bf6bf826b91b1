// Plans the engine makes pass the checks of a reload once stored: the golden plans, and their
// tasks solved with settings drawn at random, partly fixed, cleared and solved again.
#include "../support/FileText.h"
#include "../taskdb/TaskDbFixture.h"

#include "tools/TaskFile.h"

#include <nlohmann/json.hpp>

#include <random>

namespace rectix::taskdb::test {

namespace {

class PlanCheck : public SolvingTest {
  protected:
    // A new current task: the file's containers and boxes as library and task rows in the file's
    // order, and its turn rules.
    void storeTask(const engine::PackProblem& file) {
        addTask("Checked");
        dm->tasks.edit();
        dm->tasksDefltOn.setBoolean(file.settings.taskDefltOn);
        dm->tasksTurnOn.setBoolean(file.settings.taskTurnOn);
        dm->tasks.post();
        for (int t = 1; t <= file.contTypeCount; ++t) {
            const auto& c = file.contTypes;
            addTaskContainer(addContainer("T" + std::to_string(t), c.length[t], c.width[t], c.loadWt[t]),
                             c.avail[t]);
        }
        for (int k = 1; k <= file.boxKindCount; ++k) {
            const auto& b = file.boxKinds;
            const std::int32_t kind = addBox("K" + std::to_string(k), b.length[k], b.width[k], b.weight[k]);
            const bool mode = std::exchange(store.boxEditMode, true);
            dm->boxes.edit();
            dm->boxesTurnOn.setBoolean(b.turnOn[k]);
            dm->boxes.post();
            store.boxEditMode = mode;
            addTaskBox(kind, b.total[k]);
        }
    }

    // The stored solution passes the check of every reader, and a reload gives the plan back.
    void expectStoredPlanPasses(const engine::PackSolution& plan) {
        EXPECT_NO_THROW(SolveBridge::checkStoredSolution(*dm));
        ASSERT_NO_THROW(bridge->reloadSolution());
        const auto& r = problem.resultSolution;
        for (int j = 1; j <= problem.boxCount; ++j) {
            EXPECT_EQ(r.contNo[j], plan.contNo[j]) << j;
            EXPECT_EQ(r.posLh[j], plan.posLh[j]) << j;
        }
    }
};

} // namespace

TEST_F(PlanCheck, GoldenPlansAndTheirTasksSolvedAtRandomPassOnceStored) {
    std::mt19937 random(20261207);
    const auto draw = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    for (const auto& dir : fs::directory_iterator(testData("plans"))) {
        SCOPED_TRACE(dir.path().filename().string());
        engine::PackProblem file;
        tools::loadTaskJson(readFile(dir.path() / "task.json"), file);
        storeTask(file);
        problem.resetProblem(problem.resultSolution);
        bridge->readTaskInput();
        problem.prepareInstances();
        auto& plan = problem.resultSolution;
        const nlohmann::json golden = nlohmann::json::parse(readFile(dir.path() / "plan.json"));
        for (const auto& box : golden.at("boxes")) {
            const int j = box.at("BoxNo").get<int>();
            plan.contNo[j] = box.at("ContNo").get<std::int16_t>();
            plan.loadNo[j] = box.at("LoadNo").get<std::int16_t>();
            plan.posX[j] = box.at("PosX").get<std::int16_t>();
            plan.posY[j] = box.at("PosY").get<std::int16_t>();
            plan.posLh[j] = box.at("PosLh").get<std::int16_t>();
            plan.posWh[j] = box.at("PosWh").get<std::int16_t>();
        }
        problem.computeContainerLoads(plan);
        problem.countPlacedAndUsed(plan);
        bridge->writeSolution(plan);
        ASSERT_GT(dm->posit.recordCount(), 0u);
        expectStoredPlanPasses(engine::PackSolution(plan));

        // Solved again with turn rules, gaps and seed drawn, then with some containers fixed.
        bridge->clearSolution();
        dm->tasks.edit();
        dm->tasksDefltOn.setBoolean(draw(0, 1) == 1);
        dm->tasksTurnOn.setBoolean(draw(0, 1) == 1);
        dm->tasks.post();
        store.optBB = static_cast<std::int16_t>(draw(0, 3));
        store.optBW = static_cast<std::int16_t>(draw(0, 3));
        store.optRand = static_cast<std::int16_t>(draw(1, 555));
        for (int fixing = 0; fixing < 2; ++fixing) {
            bridge->solveTask();
            expectStoredPlanPasses(engine::PackSolution(problem.resultSolution));
            for (dm->solut.first(); !dm->solut.eof(); dm->solut.next()) {
                dm->solut.edit();
                dm->solutFixCont.setBoolean(draw(0, 1) == 1);
                dm->solut.post();
            }
            bridge->clearSolution();
        }
    }
}

} // namespace rectix::taskdb::test
