// The seeds of the fill's random draws: a run's plan follows from its inputs and these seeds alone,
// so a changed seed shows here, not only in the harness's golden plans.
#include "EngineFixtures.h"
#include "FillFixtures.h"

#include "core/Random.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

// Where every box went, folded into one number (FNV-1a).
std::uint64_t planDigest(const PackSolution& plan, int boxes) {
    std::uint64_t h = 1469598103934665603ull;
    for (int b = 1; b <= boxes; ++b)
        for (const std::int16_t v :
             {plan.contNo[b], plan.loadNo[b], plan.posX[b], plan.posY[b], plan.posLh[b]}) {
            h ^= static_cast<std::uint16_t>(v);
            h *= 1099511628211ull;
        }
    return h;
}

} // namespace

// Pinned from the engine as it stands. The fills' draws are seeded with the run's seed + the
// container's number, and again at every orientation; a change of either seed changes the fills
// tried and the plans found (the first task has two types, the last one three containers of one).
TEST(Seeds, PlansAndFillCountsFollowFromTheFillSeeds) {
    struct Case {
        std::vector<ContRow> conts;
        std::vector<BoxRow> boxes;
        int intensity;
        long long fills;
        std::uint64_t digest;
    };
    const std::vector<BoxRow> odd = {{37, 23, 1, 9}, {41, 29, 1, 7}, {53, 17, 1, 8}, {19, 13, 1, 12}};
    const std::vector<Case> cases = {
        {{{1200, 240, 20000, 2, 100, 1}, {800, 240, 12000, 2, 60, 1}},
         {{120, 80, 500, 14}, {120, 100, 700, 6}, {60, 40, 90, 11, false}},
         3,
         5897,
         0xbc568fa9b883f762ull},
        {{{300, 200, 100000, 1}}, odd, 2, 481, 0x665dd8b3a72eba65ull},
        {{{150, 110, 100000, 3}}, odd, 2, 1215, 0x5d4e59c64f6fa683ull},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        loadProblem(p, c.conts, c.boxes);
        p.settings.intensity = static_cast<std::int16_t>(c.intensity);
        p.settings.timeLimitMs = 1e9;
        p.settings.seed = 7;
        prepareStart(p);
        run.runPacking();
        EXPECT_EQ(run.fillEngine().totalFillCount(), c.fills) << "task " << i;
        EXPECT_EQ(planDigest(p.resultSolution, p.boxCount), c.digest) << "task " << i;
    }
}

// The key of each run of one kind is drawn right after the fill seeds its generator with the
// engine seed; a few boxes draw in 0..countCap - 1.
TEST(Seeds, TheRunKeysAreTheFirstDrawsFromTheEngineSeed) {
    for (const int seed : {1, 37, 555}) {
        FillSetup s(100, 100, {{10, 10, 1, 1}, {10, 10, 1, 1}, {20, 10, 1, 2}, {30, 10, 1, 3}});
        s.f.engineSeed = static_cast<std::int16_t>(seed);
        s.f.prepareFill();
        rectix::core::Random expected;
        expected.seed(static_cast<long long>(seed));
        const std::int32_t first = expected.next(countCap);
        EXPECT_EQ(s.f.runKey[1], first) << seed;
        EXPECT_EQ(s.f.runKey[2], first) << seed;
        EXPECT_EQ(s.f.runKey[3], expected.next(countCap)) << seed;
        EXPECT_EQ(s.f.runKey[4], expected.next(countCap)) << seed;
    }
}
