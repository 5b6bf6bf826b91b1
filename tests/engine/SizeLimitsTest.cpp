#include "EngineFixtures.h"

#include "engine/SizeLimits.h"

#include <gtest/gtest.h>

#include <optional>

using namespace rectix::engine;
using namespace rectix::engine::test;

// What passes the limits runs without an arithmetic error, at the limits themselves; one unit past
// them is found, with the row, the figure and the limit. A light container's span is measured
// against what a fill may load into it, not against every box of the task.
TEST(SizeLimits, TasksAtTheLimitsRunAndOneUnitPastThemAreFound) {
    using F = SizeLimits::Figure;
    struct Case {
        ContRow cont;
        BoxRow box;
        int itemGap, edgeGap;
        std::optional<SizeLimits::Found> found;
    };
    const BoxRow heavy{100, 80, 32767, 200};
    const std::vector<Case> cases = {
        {{1000, 240, 1000, 1}, {32766, 10, 1, 2}, 1, 0, std::nullopt},
        {{1000, 240, 1000, 1},
         {10, 32767, 1, 2},
         1,
         0,
         SizeLimits::Found{false, 1, {F::Width, 32767, 32766, 0}}},
        {{32767, 240, 1000, 1}, {100, 80, 1, 2}, 3, 2, std::nullopt},
        {{32767, 240, 1000, 1},
         {100, 80, 1, 2},
         3,
         1,
         SizeLimits::Found{true, 1, {F::Length, 32767, 32766, 0}}},
        {{20000, 240, 89478485, 1, 0, 0, 0, 19938}, heavy, 0, 0, std::nullopt},
        {{20000, 240, 89478485, 1, 0, 0, 0, 19939},
         heavy,
         0,
         0,
         SizeLimits::Found{true, 1, {F::SupportSpan, 61, 62, 6553400}}},
        {{20000, 240, 1000, 1, 0, 0, 0, 19999}, heavy, 0, 0, std::nullopt},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        loadProblem(p, {c.cont}, {c.box});
        p.settings.intensity = 1;
        p.settings.itemGap = static_cast<std::int16_t>(c.itemGap);
        p.settings.edgeGap = static_cast<std::int16_t>(c.edgeGap);
        const auto found = SizeLimits::firstIn(p);
        ASSERT_EQ(found.has_value(), c.found.has_value()) << "case " << i;
        if (found) {
            EXPECT_EQ(found->container, c.found->container) << "case " << i;
            EXPECT_EQ(found->entry, c.found->entry) << "case " << i;
            EXPECT_EQ(found->breach.figure, c.found->breach.figure) << "case " << i;
            EXPECT_EQ(found->breach.value, c.found->breach.value) << "case " << i;
            EXPECT_EQ(found->breach.limit, c.found->breach.limit) << "case " << i;
            EXPECT_EQ(found->breach.load, c.found->breach.load) << "case " << i;
            continue;
        }
        prepareStart(p);
        EXPECT_NO_THROW(run.runPacking()) << "case " << i;
        EXPECT_FALSE(SizeLimits::firstLoadedIn(p, p.resultSolution)) << "case " << i;
    }
}

// A plan read from the tables is measured by its containers' own loads.
TEST(SizeLimits, AStoredLoadIsMeasuredAgainstItsTypesSpan) {
    PackProblem p;
    loadProblem(p, {{30000, 240, 0, 1, 0, 0, 0, 29999}}, {{100, 80, 32767, 3}});
    prepareStart(p);
    EXPECT_FALSE(SizeLimits::firstIn(p)); // a fill loads nothing into it
    PackSolution plan = p.startSolution;
    for (int b = 1; b <= 2; ++b) plan.contNo[b] = 1;
    EXPECT_FALSE(SizeLimits::firstLoadedIn(p, plan));
    plan.contNo[3] = 1;
    const auto found = SizeLimits::firstLoadedIn(p, plan);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->breach.load, 98301);
    EXPECT_EQ(found->breach.limit, 2);
}
