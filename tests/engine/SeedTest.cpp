// The seeds of the fill's random draws: a run follows from its inputs and these seeds alone, so a
// changed seed shows here, not only in the harness's golden plans.
#include "EngineFixtures.h"
#include "FillFixtures.h"

#include "core/Random.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;

// Pinned from the engine as it stands. The fills' draws are seeded with the run's seed + the
// container's number, and again at every orientation; a change of either seed changes the fills
// tried (the first task has two types, the last one three containers of one type).
TEST(Seeds, TheFillCountsOfARunFollowFromTheFillSeeds) {
    const std::vector<BoxRow> odd = {{37, 23, 1, 9}, {41, 29, 1, 7}, {53, 17, 1, 8}, {19, 13, 1, 12}};
    const std::vector<BoxRow> pallets = {{120, 80, 500, 14}, {120, 100, 700, 6}, {60, 40, 90, 11, false}};
    struct Case {
        std::vector<ContRow> conts;
        std::vector<BoxRow> boxes;
        int intensity;
        long long fills;
    };
    const std::vector<Case> cases = {
        {{{1200, 240, 20000, 2, 100, 1}, {800, 240, 12000, 2, 60, 1}}, pallets, 3, 5897},
        {{{300, 200, 100000, 1}}, odd, 2, 481},
        {{{150, 110, 100000, 3}}, odd, 2, 1215},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        loadProblem(p, cases[i].conts, cases[i].boxes);
        p.settings.intensity = static_cast<std::int16_t>(cases[i].intensity);
        p.settings.timeLimitMs = 1e9;
        p.settings.seed = 7;
        prepareStart(p);
        run.runPacking();
        EXPECT_EQ(run.fillEngine().totalFillCount(), cases[i].fills) << "task " << i;
    }
}

// The key of each run of one kind is drawn right after the fill seeds its generator with the
// engine seed; a few boxes draw in 0..countCap - 1.
TEST(Seeds, TheRunKeysAreTheFirstDrawsFromTheEngineSeed) {
    for (const int seed : {1, 37, 555}) {
        FillSetup s(100, 100, {{10, 10, 1, 1}, {10, 10, 1, 1}, {20, 10, 1, 2}});
        s.f.engineSeed = static_cast<std::int16_t>(seed);
        s.f.prepareFill();
        rectix::core::Random expected;
        expected.seed(static_cast<long long>(seed));
        const std::int32_t first = expected.next(countCap);
        EXPECT_EQ(s.f.runKey[1], first) << seed;
        EXPECT_EQ(s.f.runKey[2], first) << seed;
        EXPECT_EQ(s.f.runKey[3], expected.next(countCap)) << seed;
    }
}
