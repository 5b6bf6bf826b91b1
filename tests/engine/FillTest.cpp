#include "FillFixtures.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
// Places box b at (x, y) by hand, as a fill would have.
void Put(FillEngine& f, int pos, int b, int x, int y) {
    f.PackingOrder[pos] = static_cast<std::int16_t>(b);
    f.BoxPlaced[b] = 1;
    f.BoxX[b] = static_cast<std::int16_t>(x);
    f.BoxY[b] = static_cast<std::int16_t>(y);
    f.NotePlaced(pos);
}
} // namespace

TEST(BestPosition, FirstFeasiblePointWinsOverABetterScore) {
    FillSetup s(100, 50, {{2, 2}});
    s.Prepare();
    auto& f = s.f;
    f.Points.Count = 2;
    f.Points.X(1) = 5, f.Points.Y(1) = 0;
    f.Points.X(2) = 0, f.Points.Y(2) = 0;
    f.FillPos = 1;
    f.CurBox = 1;
    f.BestPosScore = 1555555555;
    f.FindBestPosition();
    EXPECT_EQ(f.BestPoint, 1);
    EXPECT_EQ(f.BestPosScore, 7 * 100 + 2);
}

TEST(BestPosition, EdgeToEdgeIsNoOverlapButOneUnitIs) {
    FillSetup s(100, 50, {{5, 5}, {5, 5}});
    s.Prepare();
    auto& f = s.f;
    f.BoxPlaced[0] = 1;
    Put(f, 1, 1, 0, 0);
    f.Points.Count = 2;
    f.Points.X(1) = 4, f.Points.Y(1) = 0; // overlaps by one unit
    f.Points.X(2) = 5, f.Points.Y(2) = 0; // touches
    f.FillPos = 2;
    f.CurBox = 2;
    f.BestPosScore = 1555555555;
    f.FindBestPosition();
    EXPECT_EQ(f.BestPoint, 2);
}

TEST(BestPosition, ABoxTooHeavyForBothSupportsStopsTheScan) {
    FillSetup s(1000, 100, {{10, 10, 900}});
    s.Prepare();
    auto& f = s.f;
    f.ContNoseWt = 400;
    f.ContTailWt = 400;
    f.Points.Count = 2;
    f.Points.X(1) = 0, f.Points.Y(1) = 0;
    f.Points.X(2) = 500, f.Points.Y(2) = 0;
    f.FillPos = 1;
    f.CurBox = 1;
    f.BestPosScore = 1555555555;
    f.FindBestPosition();
    EXPECT_EQ(f.BestPosScore, 1555555555);
    f.ContTailWt = 500; // now the sum carries it: the box goes to the first point
    f.FindBestPosition();
    EXPECT_EQ(f.BestPoint, 1);
}

TEST(SupportLoads, RebalanceShiftsTheLoadTowardTheTail) {
    FillSetup s(1000, 100, {{100, 100, 500}});
    s.Prepare();
    auto& f = s.f;
    Put(f, 1, 1, 0, 0);
    f.Fill.FillWeight = 500;
    f.LoadCGX = 50;
    f.UsedX = 100;
    f.ComputeAxleLoads();
    EXPECT_EQ(f.Fill.FillTailLoad, 25);
    EXPECT_EQ(f.Fill.FillNoseLoad, 475);
    f.ContNoseWt = 375; // exceeded by 100 over a span of 1000: shift 200
    f.RebalanceAxleLoads();
    EXPECT_EQ(f.BoxX[1], 200);
    EXPECT_FLOAT_EQ(f.LoadCGX, 250);
    EXPECT_EQ(f.UsedX, 100);
    // The shift never runs past the free length behind the load.
    f.BoxX[1] = 0, f.LoadCGX = 50, f.UsedX = 950;
    f.ComputeAxleLoads();
    f.RebalanceAxleLoads();
    EXPECT_EQ(f.BoxX[1], 50);
}

TEST(Fill, IdenticalBoxesAfterAFailureAreSkippedWithoutASearch) {
    std::vector<FillBox> boxes(10, FillBox{10, 10});
    FillSetup s(30, 25, boxes); // room for six by geometry, more by area
    s.Prepare();
    auto& f = s.f;
    f.FillContainer();
    EXPECT_EQ(f.Fill.FillCount, 6);
    EXPECT_EQ(f.Searches, 7); // six placed, the seventh searched in vain, eight to ten skipped
    EXPECT_EQ(f.LastFailed, 7);
}

TEST(Fill, AHeavyBoxIsSkippedAndALighterOneStillTried) {
    FillSetup s(100, 100, {{10, 10, 60, 1}, {10, 10, 50, 2}, {10, 10, 30, 3}}, 100);
    s.Prepare();
    auto& f = s.f;
    f.FillContainer();
    EXPECT_EQ(f.BoxPlaced[1], 1);
    EXPECT_EQ(f.BoxPlaced[2], 0);
    EXPECT_EQ(f.BoxPlaced[3], 1);
    EXPECT_EQ(f.Fill.FillWeight, 90);
}

TEST(Fill, StopsWhenTheLightestBoxNoLongerFitsByWeight) {
    FillSetup s(100, 100, {{10, 10, 50}, {10, 10, 50}, {10, 10, 50}}, 100);
    s.Prepare();
    s.f.FillContainer();
    EXPECT_EQ(s.f.Fill.FillCount, 2);
    EXPECT_EQ(s.f.Searches, 2);
}

namespace {
// Three boxes of kind A (5 x 10), five of kind B (8 x 10), one of kind C (1 x 10)
// in a 40 x 12 container: the fourth B finds no place. Without the A boxes the
// container is 36 long, so again a B finds no place.
FillSetup GroupCase(int backtrack, bool aFirst = true) {
    std::vector<FillBox> boxes;
    if (aFirst)
        for (int i = 0; i < 3; ++i) boxes.push_back({5, 10, 1, 1});
    for (int i = 0; i < 5; ++i) boxes.push_back({8, 10, 1, 2});
    boxes.push_back({1, 10, 1, 3});
    FillSetup s(aFirst ? 40 : 36, 12, boxes);
    s.f.Backtrack = static_cast<std::int16_t>(backtrack);
    s.Prepare();
    return s;
}
int PlacedOfKind(const FillEngine& f, int kind) {
    int n = 0;
    for (int b = 1; b <= f.BoxN; ++b) n += f.BoxKind[b] == kind && f.BoxPlaced[b] == 1;
    return n;
}
} // namespace

TEST(Fill, BacktrackTakesOutAnIncompleteGroup) {
    {
        FillSetup s = GroupCase(0);
        s.f.FillContainer();
        EXPECT_EQ(PlacedOfKind(s.f, 2), 3);
    }
    {
        FillSetup s = GroupCase(1); // out, and on with the next kind
        s.f.FillContainer();
        EXPECT_EQ(PlacedOfKind(s.f, 1), 3);
        EXPECT_EQ(PlacedOfKind(s.f, 2), 0);
        EXPECT_EQ(PlacedOfKind(s.f, 3), 1);
        EXPECT_EQ(s.f.Fill.FillCount, 4);
        EXPECT_FLOAT_EQ(s.f.Fill.FillArea, 3 * 50 + 10);
    }
    {
        FillSetup s = GroupCase(-1); // out, and the fill ends
        s.f.FillContainer();
        EXPECT_EQ(PlacedOfKind(s.f, 2), 0);
        EXPECT_EQ(PlacedOfKind(s.f, 3), 0);
        EXPECT_EQ(s.f.Fill.FillCount, 3);
    }
    // A failing group at the start of the order: kept with 1 or 2, taken out with 3.
    for (int bt : {1, 2}) {
        FillSetup s = GroupCase(bt, false);
        s.f.FillContainer();
        EXPECT_EQ(PlacedOfKind(s.f, 2), 4) << bt;
    }
    {
        FillSetup s = GroupCase(3, false);
        s.f.FillContainer();
        EXPECT_EQ(PlacedOfKind(s.f, 2), 0);
        EXPECT_EQ(PlacedOfKind(s.f, 3), 1);
    }
}

TEST(Fill, PassZeroNeverTurnsABox) {
    for (int pass : {0, 1}) {
        FillSetup s(10, 20, {{20, 10, 1, 1, true}});
        s.f.EngTaskDefltOn = true;
        s.f.EngTaskTurnOn = true;
        s.Prepare(1, pass);
        s.f.FillContainer();
        EXPECT_EQ(s.f.Fill.FillCount, pass == 0 ? 0 : 1) << pass;
    }
}

TEST(PrepareFill, CountsForIntensityFiveWithoutTurnableBoxes) {
    FillSetup s(1000, 1000, std::vector<FillBox>(10, FillBox{10, 10}));
    s.f.EngIntensity = 5;
    s.f.EngTaskDefltOn = true;
    s.f.EngTaskTurnOn = false;
    s.Prepare();
    EXPECT_FALSE(s.f.TurnableAny);
    EXPECT_EQ(s.f.OrderCap, 125);
    EXPECT_EQ(s.f.OrientCount, 0);
    EXPECT_EQ(s.f.RandomSteps, 31);
    EXPECT_EQ(s.f.StrategyMode, 3);
    EXPECT_EQ(s.f.FirstPass, 1);
}

TEST(PrepareFill, RunsStrategyAndPasses) {
    // Kinds A, A, B, A: three runs with independent keys.
    FillSetup s(100, 100, {{5, 5, 1, 1}, {5, 5, 1, 1}, {6, 6, 1, 2}, {5, 5, 1, 1}});
    s.f.EngIntensity = 12;
    s.Prepare();
    EXPECT_EQ(s.f.KindGroups, 3);
    EXPECT_EQ(s.f.RunKey[1], s.f.RunKey[2]);
    EXPECT_EQ(s.f.FirstPass, 0);
    FillSetup all(100, 100, {{5, 5, 1, 1}, {6, 6, 1, 2}, {7, 7, 1, 3}});
    all.Prepare();
    EXPECT_EQ(all.f.StrategyMode, 1);
    EXPECT_FLOAT_EQ(all.f.TurnThreshold, 0.5f);
}

TEST(PrepareFill, ReferenceSizeIsTheFirstOfTheCheapestSides) {
    FillSetup s(100, 100, {{3, 10}, {9, 4}});
    s.Prepare();
    EXPECT_EQ(s.f.RefSize, 3);
    EXPECT_EQ(s.f.Points.MinUsefulGap, 2);
}
