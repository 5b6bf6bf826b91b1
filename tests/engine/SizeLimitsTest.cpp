#include "EngineFixtures.h"

#include "engine/SizeLimits.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

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

namespace {

SizeLimits::ContainerFigures figures(const ContRow& c) {
    return {c.length, c.width, c.noseDL, c.tailDL, c.loadWt, c.noseWt, c.tailWt};
}

int pick(std::mt19937& g, int lo, int hi) {
    return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
}

} // namespace

// At least any load a fill makes: what the usable area holds, densest kinds first and the last in
// part, within the capacity cap and, with supports, the limits' sum.
TEST(SizeLimits, TheHeaviestLoadIsWhatTheAreaCapacityAndLimitsLetIn) {
    struct Case {
        ContRow cont;
        std::vector<SizeLimits::BoxFigures> boxes;
        int itemGap;
        std::int64_t load;
    };
    const ContRow strip{100, 10, 1000000, 1};
    const std::vector<Case> cases = {
        {{100, 100, 1000000, 1}, {{50, 50, 1000, 10}}, 1, 3922},
        {strip, {{10, 10, 150, 10}, {5, 10, 100, 20}}, 0, 2000}, // the lighter kind is denser
        {strip, {{11, 11, 1000, 5}, {10, 20, 7, 3}}, 0, 21},     // the first fits in neither orientation
        {{100, 100, 1000, 1}, {{10, 10, 500, 20}}, 0, 1001},
        {{100, 100, 1000000, 1, 0, 0, 10, 10, 600, 400}, {{10, 10, 500, 20}}, 0, 1010},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizeLimits(c.itemGap, 0).heaviestLoad(figures(c.cont), c.boxes), c.load) << c.load;
}

// A stored or fixed plan is measured by each container's own load, the last container's too.
TEST(SizeLimits, AStoredPlanIsMeasuredByEachContainersOwnLoad) {
    PackProblem p;
    loadProblem(p, {{20000, 240, 89478485, 3, 0, 0, 0, 19990}}, {{100, 80, 32767, 66}});
    p.prepareInstances();
    PackSolution spread, last;
    for (int b = 1; b <= 66; ++b) {
        spread.contNo[b] = static_cast<std::int16_t>(1 + (b - 1) / 22);
        last.contNo[b] = 3;
    }
    EXPECT_FALSE(SizeLimits::firstLoadedIn(p, spread));
    const auto found = SizeLimits::firstLoadedIn(p, last);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->breach.load, 66 * 32767);
    EXPECT_EQ(found->breach.limit, 21);
}

// Generated tasks with supports a few units apart, heavy boxes and large capacities, run whether
// refused or not: by the engine's own sums, none it lets through passes 32 bits, and some it
// refuses do.
TEST(SizeLimits, CloseSupportsAreRefusedOnlyWhereTheirLoadsMayPassThirtyTwoBits) {
    std::mt19937 g(5);
    constexpr std::int64_t i32Max = std::numeric_limits<std::int32_t>::max();
    const int tasks = 300;
    int refused = 0, refusedOverflowing = 0;
    std::int64_t highestAccepted = 0;
    for (int round = 0; round < tasks; ++round) {
        ContRow c{pick(g, 40, 3000), pick(g, 20, 600), pick(g, 1000000, 89478485), pick(g, 1, 2)};
        const int span = pick(g, 1, 6);
        c.noseDL = pick(g, 0, c.length - span);
        c.tailDL = c.length - span - c.noseDL;
        if (g() % 2 == 0) c.noseWt = pick(g, 0, 20000000), c.tailWt = pick(g, 1, 20000000);
        std::vector<BoxRow> boxes;
        for (int k = pick(g, 1, 3); k > 0; --k)
            boxes.push_back({pick(g, 5, std::max(5, c.length / 3)), pick(g, 5, std::max(5, c.width / 2)),
                             pick(g, 1000, 32767), pick(g, 1, 300)});
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        loadProblem(p, {c}, boxes);
        p.settings.intensity = static_cast<std::int16_t>(pick(g, 0, 1));
        p.settings.itemGap = static_cast<std::int16_t>(pick(g, 0, 3));
        p.settings.edgeGap = static_cast<std::int16_t>(pick(g, 0, 3));
        const bool refuse = SizeLimits::firstIn(p).has_value();
        prepareStart(p);
        bool overflowed = false;
        try {
            run.runPacking();
        } catch (const rectix::core::OverflowError&) {
            overflowed = true;
        } catch (const rectix::core::RangeError&) {
            overflowed = true;
        }
        const std::int64_t peak = run.fillEngine().peakSupportLoadSeen();
        EXPECT_EQ(overflowed, peak > i32Max) << "round " << round;
        EXPECT_TRUE(refuse || !overflowed) << "round " << round;
        if (!refuse) highestAccepted = std::max(highestAccepted, peak);
        refused += refuse;
        refusedOverflowing += refuse && overflowed;
    }
    // Every span here is 1 to 6 units: a load-blind bound refused about a third of these tasks.
    EXPECT_LE(refused, tasks / 10);
    EXPECT_GE(refusedOverflowing, 1);
    EXPECT_GE(highestAccepted, i32Max / 4);
}
