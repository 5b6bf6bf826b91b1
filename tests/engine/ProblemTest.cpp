#include "EngineFixtures.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;
using rectix::core::RangeError;

TEST(PackProblem, ResetGivesTheDocumentedDefaults) {
    PackProblem p;
    p.startSolution.contNo[7] = 3;
    p.resetProblem(p.startSolution);
    EXPECT_EQ(p.contTypes.mark[1], "?");
    EXPECT_EQ(p.boxKinds.mark[1], "?");
    EXPECT_EQ(p.boxKinds.name[1001], "??");
    EXPECT_EQ(p.settings.timeLimitMs, 555000.0);
    EXPECT_EQ(p.settings.seed, 1);
    EXPECT_EQ(p.settings.intensity, 3);
    EXPECT_EQ(p.startSolution.contNo[7], 0);
}

TEST(PackProblem, Factorial) {
    EXPECT_EQ(PackProblem::factorial(0), 0);
    EXPECT_EQ(PackProblem::factorial(1), 1);
    EXPECT_EQ(PackProblem::factorial(7), 5040);
    EXPECT_EQ(PackProblem::factorial(8), 12777);
    EXPECT_EQ(PackProblem::factorial(-1), 12777);
}

namespace {
int variantCountFor(const std::vector<int>& avails, int intensity) {
    PackProblem p;
    std::vector<ContRow> conts;
    for (int a : avails) conts.push_back({100, 50, 1000, a});
    loadProblem(p, conts, {{10, 10, 1, 1}});
    p.settings.intensity = static_cast<std::int16_t>(intensity);
    p.prepareInstances();
    return p.variantCount;
}
} // namespace

TEST(PackProblem, VariantCountFollowsTheDistinctTypeSequences) {
    EXPECT_EQ(variantCountFor({1, 1}, 5), 1);                    // M = 2
    EXPECT_EQ(variantCountFor({2, 2, 2}, 10), 10);               // min(2 x 10, max(10, 2))
    EXPECT_EQ(variantCountFor(std::vector<int>(24, 1), 50), 40); // never above 40
    EXPECT_EQ(variantCountFor(std::vector<int>(24, 1), 20), 23);
    EXPECT_EQ(variantCountFor({3}, 20), 0); // one type: a single order
    EXPECT_EQ(variantCountFor({1, 1, 1}, 0), 0);
}

TEST(PackProblem, TypeSequencesCountTheDistinctOrdersOfTypes) {
    PackProblem p;
    loadProblem(p, {{100, 50, 1000, 2}, {100, 60, 1000, 2}, {100, 70, 1000, 2}}, {{10, 10, 1, 1}});
    EXPECT_EQ(p.typeSequences(), 90); // 6! / (2! 2! 2!)
    loadProblem(p, std::vector<ContRow>(24, ContRow{100, 50, 1000, 1}), {{10, 10, 1, 1}});
    EXPECT_GE(p.typeSequences(), 25555); // stops growing at the cap
}

TEST(PackProblem, InstancesAndTotals) {
    PackProblem p;
    loadProblem(p, {{100, 50, 1000, 2, 7.5f}, {200, 10, 300, 0, -2}},
                {{10, 5, 3, 4, true, -1.5f}, {2, 2, 1, 1}});
    p.prepareInstances();
    // A type with avail 0 still yields one instance but adds nothing to the totals.
    EXPECT_EQ(p.contCount, 3);
    EXPECT_EQ(p.contInstType[3], 2);
    EXPECT_EQ(p.boxCount, 5);
    EXPECT_EQ(p.boxInstKind[5], 2);
    EXPECT_EQ(p.totals.totalCapacity, 2000);
    EXPECT_FLOAT_EQ(p.totals.totalContArea, 10000);
    EXPECT_FLOAT_EQ(p.totals.totalContCost, 15);
    EXPECT_EQ(p.totals.meanCapacity, 666);
    EXPECT_EQ(p.totals.totalBoxWeight, 13);
    EXPECT_FLOAT_EQ(p.totals.totalBoxCost, 6);
    EXPECT_EQ(p.totals.maxAvail, 2);
    // Random keys come from the generator seeded with seed 1: 313, then 8609 (worked by hand).
    EXPECT_EQ(p.contTypes.randKey[1], 313);
    EXPECT_EQ(p.contTypes.randKey[2], 8609);
}

TEST(PackProblem, TooManyInstancesRaiseARangeErrorBeforeWritingPastTheArrays) {
    PackProblem p;
    // Rows of avail 0 still yield one instance each: 25 rows fill the 25 slots exactly.
    loadProblem(p, std::vector<ContRow>(25, ContRow{100, 50, 1000, 0}), {{10, 10, 1, 1}});
    EXPECT_NO_THROW(p.prepareInstances());
    EXPECT_EQ(p.contCount, 25);
    p.contTypes.avail[3] = 2;
    EXPECT_THROW(p.prepareInstances(), RangeError);
}

TEST(PackProblem, LeverRuleGivesNegativeTailLoadBeforeTheNoseSupport) {
    PackProblem p;
    loadProblem(p, {{1000, 100, 10000, 1, 0, 0, 200, 100}}, {{100, 50, 300, 1}});
    prepareStart(p);
    auto& s = p.startSolution;
    s.contNo[1] = 1;
    s.posX[1] = 0; // centre at 50, 150 before the nose support at 200
    s.posLh[1] = 100;
    s.posWh[1] = 50;
    p.computeContainerLoads(s);
    // Moment (50 - 200) x 300 over a span of 700.
    EXPECT_EQ(s.tailLoad[1], -64);
    EXPECT_EQ(s.noseLoad[1], 364);
    EXPECT_GT(s.noseLoad[1], s.wgtLoad[1]);
}

TEST(PackProblem, ObjectiveWithAllFactorsZeroIsTheAreaFill) {
    PackProblem p;
    loadProblem(p, {{100, 100, 1000, 2, 50}}, {{50, 50, 10, 3, true, 4}});
    prepareStart(p);
    EXPECT_EQ(p.startSolution.score, 0);
    auto& s = p.resultSolution;
    s = p.startSolution;
    for (int b = 1; b <= 3; ++b) {
        s.contNo[b] = 1;
        s.posLh[b] = s.posWh[b] = 50;
    }
    s.posX[2] = 50;
    s.posY[3] = 50;
    p.evaluateSolution(s, true);
    EXPECT_FLOAT_EQ(s.areaFill, 0.75f);
    EXPECT_FLOAT_EQ(s.score, s.areaFill);
    EXPECT_EQ(s.usedConts, 1);
    EXPECT_EQ(s.splitKinds, 0);
    // Splitting the kind over two containers costs a penalty once the bind factor is on.
    s.contNo[3] = 2;
    p.settings.bindGroupFactor = 0.5f;
    p.evaluateSolution(s, true);
    EXPECT_EQ(s.splitKinds, 1);
    EXPECT_FLOAT_EQ(s.score, s.areaFill / (10 * 0.5f * 1 / 1 + 1));
}

TEST(PackProblem, ZeroContainerAreaEndsTheSolveWithAnError) {
    PackProblem p;
    loadProblem(p, {{100, 100, 1000, 1}}, {{50, 50, 10, 1}});
    p.contTypes.area[1] = 0;
    p.prepareInstances();
    EXPECT_THROW(p.evaluateSolution(p.startSolution, true), rectix::core::ZeroDivideError);
}
