#include "EngineFixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

int pick(std::mt19937& g, int lo, int hi) {
    return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
}

struct Outcome {
    PackSolution plan;
    long long fills = 0;
};

// One whole run of the task the generator's state describes, with the engine's fast paths or its plain forms.
Outcome solve(std::uint32_t seed, bool plain) {
    std::mt19937 g(seed);
    PackProblem p;
    NullProgress progress;
    PackRun run(p, progress);
    run.fillEngine().setPlainScans(plain);
    std::vector<ContRow> conts;
    const int types = pick(g, 1, 3);
    for (int t = 0; t < types; ++t) {
        ContRow c{pick(g, 80, 700),
                  pick(g, 40, 260),
                  pick(g, 200, 6000),
                  pick(g, 1, 3),
                  static_cast<float>(pick(g, 0, 90)),
                  pick(g, 0, 2)};
        if (g() % 3 == 0) {
            c.noseDL = pick(g, 0, c.length / 4);
            c.tailDL = pick(g, 0, c.length / 4);
            c.noseWt = pick(g, 100, 3000);
            c.tailWt = pick(g, 100, 3000);
        }
        conts.push_back(c);
    }
    std::vector<BoxRow> boxes;
    const int kinds = pick(g, 1, 9);
    for (int k = 0; k < kinds; ++k)
        boxes.push_back({pick(g, 5, 130), pick(g, 5, 100), pick(g, 1, 300), pick(g, 1, 12), g() % 3 != 0,
                         static_cast<float>(pick(g, 0, 20))});
    loadProblem(p, conts, boxes);
    auto& st = p.settings;
    st.intensity = static_cast<std::int16_t>(pick(g, 0, 4));
    st.itemGap = static_cast<std::int16_t>(pick(g, 0, 3));
    st.edgeGap = static_cast<std::int16_t>(pick(g, 0, 3));
    st.ignoreLast = g() % 2 == 0;
    st.taskDefltOn = g() % 2 == 0;
    st.taskTurnOn = g() % 2 == 0;
    st.weightFactor = static_cast<float>(pick(g, 0, 19)) * 0.05f;
    st.costFactor = static_cast<float>(pick(g, 0, 10)) * 0.1f;
    st.leftFactor = static_cast<float>(pick(g, 0, 10)) * 0.1f;
    st.bindGroupFactor = static_cast<float>(pick(g, 0, 10)) * 0.1f; // 0.5 and up also choose the backtracking
    st.seed = static_cast<std::int16_t>(pick(g, 1, 555));
    prepareStart(p);
    run.runPacking();
    return {p.resultSolution, run.fillEngine().totalFillCount()};
}

} // namespace

// The engine's fast paths (grid, indexes, caches, radix sort, hoisted checks)
// against their plain forms on whole random tasks with every option: the same
// fills, the same plan, the same score.
TEST(Differential, FastAndPlainEnginesGiveIdenticalPlans) {
    for (std::uint32_t round = 0; round < 300; ++round) {
        const Outcome fast = solve(1000 + round, false);
        const Outcome plain = solve(1000 + round, true);
        ASSERT_EQ(fast.fills, plain.fills) << "round " << round;
        ASSERT_EQ(fast.plan.score, plain.plan.score) << "round " << round;
        ASSERT_TRUE(fast.plan == plain.plan) << "round " << round;
    }
}
