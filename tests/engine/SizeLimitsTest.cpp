#include "EngineFixtures.h"

#include "engine/SizeLimits.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;

// Tasks at the limits pass them and run without an arithmetic error: the longest sides with the
// gaps, the shortest span for heavy boxes, and a span of one unit in a container too light for them.
TEST(SizeLimits, TasksAtTheLimitsRun) {
    struct Case {
        ContRow cont;
        BoxRow box;
        int itemGap, edgeGap;
    };
    const BoxRow heavy{100, 80, 32767, 200};
    const std::vector<Case> cases = {
        {{1000, 240, 1000, 1}, {32766, 10, 1, 2}, 1, 0},
        {{32767, 240, 1000, 1}, {100, 80, 1, 2}, 3, 2},
        {{20000, 240, 89478485, 1, 0, 0, 0, 19938}, heavy, 0, 0},
        {{20000, 240, 1000, 1, 0, 0, 0, 19999}, heavy, 0, 0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        loadProblem(p, {cases[i].cont}, {cases[i].box});
        p.settings.intensity = 1;
        p.settings.itemGap = static_cast<std::int16_t>(cases[i].itemGap);
        p.settings.edgeGap = static_cast<std::int16_t>(cases[i].edgeGap);
        EXPECT_FALSE(SizeLimits::firstIn(p)) << "case " << i;
        prepareStart(p);
        EXPECT_NO_THROW(run.runPacking()) << "case " << i;
    }
}
