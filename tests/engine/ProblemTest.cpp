#include "EngineFixtures.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;
using rectix::core::RangeError;

TEST(PackProblem, ResetGivesTheDocumentedDefaults) {
    PackProblem p;
    p.StartSolution.ContNo[7] = 3;
    p.ResetProblem(p.StartSolution);
    EXPECT_EQ(p.ContTypes.Mark[1], "?");
    EXPECT_EQ(p.BoxKinds.Mark[1], "?");
    EXPECT_EQ(p.BoxKinds.Kind[1001], "??");
    EXPECT_EQ(p.Settings.TimeLimitMs, 555000.0);
    EXPECT_EQ(p.Settings.Seed, 1);
    EXPECT_EQ(p.Settings.Intensity, 3);
    EXPECT_EQ(p.StartSolution.ContNo[7], 0);
}

TEST(PackProblem, Factorial) {
    EXPECT_EQ(PackProblem::Factorial(0), 0);
    EXPECT_EQ(PackProblem::Factorial(1), 1);
    EXPECT_EQ(PackProblem::Factorial(7), 5040);
    EXPECT_EQ(PackProblem::Factorial(8), 12777);
    EXPECT_EQ(PackProblem::Factorial(-1), 12777);
}

namespace {
int VariantCountFor(const std::vector<int>& avails, int intensity) {
    PackProblem p;
    std::vector<ContRow> conts;
    for (int a : avails) conts.push_back({100, 50, 1000, a});
    LoadProblem(p, conts, {{10, 10, 1, 1}});
    p.Settings.Intensity = static_cast<std::int16_t>(intensity);
    p.PrepareInstances();
    return p.VariantCount;
}
} // namespace

TEST(PackProblem, VariantCountFollowsTheDistinctTypeSequences) {
    EXPECT_EQ(VariantCountFor({1, 1}, 5), 1);                    // M = 2
    EXPECT_EQ(VariantCountFor({2, 2, 2}, 10), 10);               // min(2 x 10, max(10, 2))
    EXPECT_EQ(VariantCountFor(std::vector<int>(24, 1), 50), 40); // never above 40
    EXPECT_EQ(VariantCountFor(std::vector<int>(24, 1), 20), 23);
    EXPECT_EQ(VariantCountFor({3}, 20), 0); // one type: a single order
    EXPECT_EQ(VariantCountFor({1, 1, 1}, 0), 0);
}

TEST(PackProblem, TypeSequencesCountTheDistinctOrdersOfTypes) {
    PackProblem p;
    LoadProblem(p, {{100, 50, 1000, 2}, {100, 60, 1000, 2}, {100, 70, 1000, 2}}, {{10, 10, 1, 1}});
    EXPECT_EQ(p.TypeSequences(), 90); // 6! / (2! 2! 2!)
    LoadProblem(p, std::vector<ContRow>(24, ContRow{100, 50, 1000, 1}), {{10, 10, 1, 1}});
    EXPECT_GE(p.TypeSequences(), 25555); // stops growing at the cap
}

TEST(PackProblem, InstancesAndTotals) {
    PackProblem p;
    LoadProblem(p, {{100, 50, 1000, 2, 7.5f}, {200, 10, 300, 0, -2}},
                {{10, 5, 3, 4, true, -1.5f}, {2, 2, 1, 1}});
    p.PrepareInstances();
    // A type with Avail 0 still yields one instance but adds nothing to the totals.
    EXPECT_EQ(p.ContCount, 3);
    EXPECT_EQ(p.ContInstType[3], 2);
    EXPECT_EQ(p.BoxCount, 5);
    EXPECT_EQ(p.BoxInstKind[5], 2);
    EXPECT_EQ(p.Totals.TotalCapacity, 2000);
    EXPECT_FLOAT_EQ(p.Totals.TotalContArea, 10000);
    EXPECT_FLOAT_EQ(p.Totals.TotalContCost, 15);
    EXPECT_EQ(p.Totals.MeanCapacity, 666);
    EXPECT_EQ(p.Totals.TotalBoxWeight, 13);
    EXPECT_FLOAT_EQ(p.Totals.TotalBoxCost, 6);
    EXPECT_EQ(p.Totals.MaxAvail, 2);
    // Random keys come from the generator seeded with Seed 1: 313, then 8609 (worked by hand).
    EXPECT_EQ(p.ContTypes.RandKey[1], 313);
    EXPECT_EQ(p.ContTypes.RandKey[2], 8609);
}

TEST(PackProblem, TooManyInstancesRaiseARangeErrorBeforeWritingPastTheArrays) {
    PackProblem p;
    // Rows of Avail 0 still yield one instance each: 25 rows fill the 25 slots exactly.
    LoadProblem(p, std::vector<ContRow>(25, ContRow{100, 50, 1000, 0}), {{10, 10, 1, 1}});
    EXPECT_NO_THROW(p.PrepareInstances());
    EXPECT_EQ(p.ContCount, 25);
    p.ContTypes.Avail[3] = 2;
    EXPECT_THROW(p.PrepareInstances(), RangeError);
}

TEST(PackProblem, LeverRuleGivesNegativeTailLoadBeforeTheNoseSupport) {
    PackProblem p;
    LoadProblem(p, {{1000, 100, 10000, 1, 0, 0, 200, 100}}, {{100, 50, 300, 1}});
    PrepareStart(p);
    auto& s = p.StartSolution;
    s.ContNo[1] = 1;
    s.PosX[1] = 0; // centre at 50, 150 before the nose support at 200
    s.PosLh[1] = 100;
    s.PosWh[1] = 50;
    p.ComputeContainerLoads(s);
    // Moment (50 - 200) x 300 over a span of 700.
    EXPECT_EQ(s.TailLoad[1], -64);
    EXPECT_EQ(s.NoseLoad[1], 364);
    EXPECT_GT(s.NoseLoad[1], s.WgtLoad[1]);
}

TEST(PackProblem, ObjectiveWithAllFactorsZeroIsTheAreaFill) {
    PackProblem p;
    LoadProblem(p, {{100, 100, 1000, 2, 50}}, {{50, 50, 10, 3, true, 4}});
    PrepareStart(p);
    EXPECT_EQ(p.StartSolution.Score, 0);
    auto& s = p.ResultSolution;
    s = p.StartSolution;
    for (int b = 1; b <= 3; ++b) {
        s.ContNo[b] = 1;
        s.PosLh[b] = s.PosWh[b] = 50;
    }
    s.PosX[2] = 50;
    s.PosY[3] = 50;
    p.EvaluateSolution(s, true);
    EXPECT_FLOAT_EQ(s.AreaFill, 0.75f);
    EXPECT_FLOAT_EQ(s.Score, s.AreaFill);
    EXPECT_EQ(s.UsedConts, 1);
    EXPECT_EQ(s.SplitKinds, 0);
    // Splitting the kind over two containers costs a penalty once the bind factor is on.
    s.ContNo[3] = 2;
    p.Settings.BindGroupFactor = 0.5f;
    p.EvaluateSolution(s, true);
    EXPECT_EQ(s.SplitKinds, 1);
    EXPECT_FLOAT_EQ(s.Score, s.AreaFill / (10 * 0.5f * 1 / 1 + 1));
}

TEST(PackProblem, ZeroContainerAreaEndsTheSolveWithAnError) {
    PackProblem p;
    LoadProblem(p, {{100, 100, 1000, 1}}, {{50, 50, 10, 1}});
    p.ContTypes.Area[1] = 0;
    p.PrepareInstances();
    EXPECT_THROW(p.EvaluateSolution(p.StartSolution, true), rectix::core::ZeroDivideError);
}
