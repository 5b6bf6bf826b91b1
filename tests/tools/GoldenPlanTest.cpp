// The golden plans again, with the engine's plain scans (every earlier position
// instead of the indexes and the grid): the oracle gives the same plans byte for byte.
#include "../support/FileText.h"
#include "tools/TaskFile.h"

#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace rectix;

namespace {

// The harness's work clock at 1 ms per fill.
const engine::FillEngine* clockEngine = nullptr;
double workClockMs() {
    return static_cast<double>(clockEngine->totalFillCount());
}

} // namespace

TEST(GoldenPlan, ThePlainScansGiveEveryGoldenPlan) {
    int plans = 0;
    for (const auto& dir : std::filesystem::directory_iterator(std::string(RECTIX_TEST_DATA) + "/plans")) {
        engine::PackProblem problem;
        engine::NullProgress progress;
        engine::PackRun run(problem, progress);
        clockEngine = &run.fillEngine();
        run.fillEngine().setClock(&workClockMs);
        run.fillEngine().setPlainScans(true);
        const auto fixed = tools::loadTaskJson(readFile(dir.path() / "task.json"), problem);
        tools::prepareStart(problem, fixed);
        run.runPacking();
        EXPECT_EQ(tools::planJson(problem, run, run.fillEngine().totalFillCount()) + "\n",
                  readFile(dir.path() / "plan.json"))
            << dir.path().filename();
        ++plans;
    }
    EXPECT_EQ(plans, 8);
}
