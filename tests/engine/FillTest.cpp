#include "FillFixtures.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
// Places box b at (x, y) by hand, as a fill would have.
void put(FillEngineProbe& f, int pos, int b, int x, int y) {
    f.packingOrder[pos] = static_cast<std::int16_t>(b);
    f.boxPlaced[b] = 1;
    f.boxX[b] = static_cast<std::int16_t>(x);
    f.boxY[b] = static_cast<std::int16_t>(y);
    f.notePlaced(pos);
}
} // namespace

TEST(BestPosition, FirstFeasiblePointWinsOverABetterScore) {
    FillSetup s(100, 50, {{2, 2}});
    s.prepare();
    auto& f = s.f;
    f.points.count = 2;
    f.points.x(1) = 5, f.points.y(1) = 0;
    f.points.x(2) = 0, f.points.y(2) = 0;
    f.fillPos = 1;
    f.curBox = 1;
    f.bestPosScore = 1555555555;
    f.findBestPosition();
    EXPECT_EQ(f.bestPoint, 1);
    EXPECT_EQ(f.bestPosScore, 7 * 100 + 2);
}

TEST(BestPosition, EdgeToEdgeIsNoOverlapButOneUnitIs) {
    // Beside the placed box along X, then above it along Y; in the plain and the fast scan.
    for (const bool alongY : {false, true}) {
        for (const bool plain : {false, true}) {
            FillSetup s(100, 50, {{5, 5}, {5, 5}});
            s.prepare();
            auto& f = s.f;
            f.plainScans = plain;
            f.boxPlaced[0] = 1;
            put(f, 1, 1, 0, 0);
            f.points.count = 2;
            (alongY ? f.points.y(1) : f.points.x(1)) = 4; // overlaps by one unit
            (alongY ? f.points.x(1) : f.points.y(1)) = 0;
            (alongY ? f.points.y(2) : f.points.x(2)) = 5; // touches
            (alongY ? f.points.x(2) : f.points.y(2)) = 0;
            f.fillPos = 2;
            f.curBox = 2;
            f.bestPosScore = 1555555555;
            f.findBestPosition();
            EXPECT_EQ(f.bestPoint, 2) << alongY << plain;
        }
    }
}

TEST(BestPosition, ABoxTooHeavyForBothSupportsStopsTheScan) {
    FillSetup s(1000, 100, {{10, 10, 900}});
    s.prepare();
    auto& f = s.f;
    f.contNoseWt = 400;
    f.contTailWt = 400;
    f.points.count = 2;
    f.points.x(1) = 0, f.points.y(1) = 0;
    f.points.x(2) = 500, f.points.y(2) = 0;
    f.fillPos = 1;
    f.curBox = 1;
    f.bestPosScore = 1555555555;
    f.findBestPosition();
    EXPECT_EQ(f.bestPosScore, 1555555555);
    f.contTailWt = 500; // now the sum carries it: the box goes to the first point
    f.findBestPosition();
    EXPECT_EQ(f.bestPoint, 1);
}

TEST(SupportLoads, RebalanceShiftsTheLoadTowardTheTail) {
    FillSetup s(1000, 100, {{100, 100, 500}});
    s.prepare();
    auto& f = s.f;
    put(f, 1, 1, 0, 0);
    f.fill.fillWeight = 500;
    f.loadCGX = 50;
    f.usedX = 100;
    f.computeAxleLoads();
    EXPECT_EQ(f.fill.fillTailLoad, 25);
    EXPECT_EQ(f.fill.fillNoseLoad, 475);
    f.contNoseWt = 375; // exceeded by 100 over a span of 1000: shift 200
    f.rebalanceAxleLoads();
    EXPECT_EQ(f.boxX[1], 200);
    EXPECT_FLOAT_EQ(f.loadCGX, 250);
    EXPECT_EQ(f.usedX, 100);
    // The shift never runs past the free length behind the load.
    f.boxX[1] = 0, f.loadCGX = 50, f.usedX = 950;
    f.computeAxleLoads();
    f.rebalanceAxleLoads();
    EXPECT_EQ(f.boxX[1], 50);
}

TEST(Fill, IdenticalBoxesAfterAFailureAreSkippedWithoutASearch) {
    std::vector<FillBox> boxes(10, FillBox{10, 10});
    FillSetup s(30, 25, boxes); // room for six by geometry, more by area
    s.prepare();
    auto& f = s.f;
    f.fillContainer();
    EXPECT_EQ(f.fill.fillCount, 6);
    EXPECT_EQ(f.searches, 7); // six placed, the seventh searched in vain, eight to ten skipped
    EXPECT_EQ(f.lastFailed, 7);
}

TEST(Fill, ABoxLargerThanOneThatFoundNoPlaceIsNotSearchedASmallerOneIs) {
    // Six boxes fill two rows and leave a strip 5 wide: 10 x 8 finds no place, so
    // 12 x 9 cannot either, while 10 x 5 goes into the strip. The plain form searches all.
    std::vector<FillBox> boxes(6, FillBox{10, 10});
    boxes.push_back({10, 8, 1, 2});
    boxes.push_back({12, 9, 1, 3});
    boxes.push_back({10, 5, 1, 4});
    for (const bool plain : {false, true}) {
        FillSetup s(30, 25, boxes);
        s.prepare();
        auto& f = s.f;
        f.plainScans = plain;
        f.fillContainer();
        EXPECT_EQ(f.fill.fillCount, 7) << plain;
        EXPECT_EQ(f.boxPlaced[8], 0) << plain;
        EXPECT_EQ(f.boxPlaced[9], 1) << plain;
        EXPECT_EQ(f.boxY[9], 20) << plain;
        EXPECT_EQ(f.searches, plain ? 9 : 8);
        EXPECT_EQ(f.searchesSkipped, plain ? 0 : 1);
    }
}

TEST(Fill, TheAreaCapDecidesAlikeInThePlainAndTheFastFormAtItsVeryEdge) {
    // The second box's area brings the load below, exactly to, or past the cap of 2000 * 1.001.
    for (const float area : {1001.5f, 1002.0f, 1002.5f}) {
        bool placed[2] = {};
        long long searches[2] = {};
        for (const bool plain : {false, true}) {
            FillSetup s(100, 20, {{100, 10, 1, 1}, {50, 10, 1, 2}});
            s.f.boxArea[2] = area;
            s.prepare();
            s.f.plainScans = plain;
            s.f.fillContainer();
            placed[plain] = s.f.boxPlaced[2] == 1;
            searches[plain] = s.f.searches;
        }
        EXPECT_EQ(placed[0], placed[1]) << area;
        EXPECT_EQ(searches[0], searches[1]) << area;
        if (area != 1002.0f) {
            EXPECT_EQ(placed[0], area < 1002.0f) << area;
        }
    }
}

TEST(Fill, AHeavyBoxIsSkippedAndALighterOneStillTried) {
    FillSetup s(100, 100, {{10, 10, 60, 1}, {10, 10, 50, 2}, {10, 10, 30, 3}}, 100);
    s.prepare();
    auto& f = s.f;
    f.fillContainer();
    EXPECT_EQ(f.boxPlaced[1], 1);
    EXPECT_EQ(f.boxPlaced[2], 0);
    EXPECT_EQ(f.boxPlaced[3], 1);
    EXPECT_EQ(f.fill.fillWeight, 90);
}

TEST(Fill, StopsWhenTheLightestBoxNoLongerFitsByWeight) {
    FillSetup s(100, 100, {{10, 10, 50}, {10, 10, 50}, {10, 10, 50}}, 100);
    s.prepare();
    s.f.fillContainer();
    EXPECT_EQ(s.f.fill.fillCount, 2);
    EXPECT_EQ(s.f.searches, 2);
}

namespace {
// Three boxes of kind A (5 x 10), five of kind B (8 x 10), one of kind C (1 x 10)
// in a 40 x 12 container: the fourth B finds no place. Without the A boxes the
// container is 36 long, so again a B finds no place.
FillSetup groupCase(int backtrack, bool aFirst = true) {
    std::vector<FillBox> boxes;
    if (aFirst)
        for (int i = 0; i < 3; ++i) boxes.push_back({5, 10, 1, 1});
    for (int i = 0; i < 5; ++i) boxes.push_back({8, 10, 1, 2});
    boxes.push_back({1, 10, 1, 3});
    FillSetup s(aFirst ? 40 : 36, 12, boxes);
    s.f.backtrack = static_cast<std::int16_t>(backtrack);
    s.prepare();
    return s;
}
int placedOfKind(const FillEngineProbe& f, int kind) {
    int n = 0;
    for (int b = 1; b <= f.boxN; ++b) n += f.boxKind[b] == kind && f.boxPlaced[b] == 1;
    return n;
}
} // namespace

TEST(Fill, BacktrackTakesOutAnIncompleteGroup) {
    {
        FillSetup s = groupCase(0);
        s.f.fillContainer();
        EXPECT_EQ(placedOfKind(s.f, 2), 3);
    }
    {
        FillSetup s = groupCase(1); // out, and on with the next kind
        s.f.fillContainer();
        EXPECT_EQ(placedOfKind(s.f, 1), 3);
        EXPECT_EQ(placedOfKind(s.f, 2), 0);
        EXPECT_EQ(placedOfKind(s.f, 3), 1);
        EXPECT_EQ(s.f.fill.fillCount, 4);
        EXPECT_FLOAT_EQ(s.f.fill.fillArea, 3 * 50 + 10);
    }
    {
        FillSetup s = groupCase(-1); // out, and the fill ends
        s.f.fillContainer();
        EXPECT_EQ(placedOfKind(s.f, 2), 0);
        EXPECT_EQ(placedOfKind(s.f, 3), 0);
        EXPECT_EQ(s.f.fill.fillCount, 3);
    }
    // A failing group at the start of the order: kept with 1 or 2, taken out with 3.
    for (int bt : {1, 2}) {
        FillSetup s = groupCase(bt, false);
        s.f.fillContainer();
        EXPECT_EQ(placedOfKind(s.f, 2), 4) << bt;
    }
    {
        FillSetup s = groupCase(3, false);
        s.f.fillContainer();
        EXPECT_EQ(placedOfKind(s.f, 2), 0);
        EXPECT_EQ(placedOfKind(s.f, 3), 1);
    }
}

TEST(Fill, PassZeroNeverTurnsABox) {
    for (int pass : {0, 1}) {
        FillSetup s(10, 20, {{20, 10, 1, 1, true}});
        s.f.engTaskDefltOn = true;
        s.f.engTaskTurnOn = true;
        s.prepare(1, pass);
        s.f.fillContainer();
        EXPECT_EQ(s.f.fill.fillCount, pass == 0 ? 0 : 1) << pass;
    }
}

TEST(PrepareFill, CountsForIntensityFiveWithoutTurnableBoxes) {
    FillSetup s(1000, 1000, std::vector<FillBox>(10, FillBox{10, 10}));
    s.f.engIntensity = 5;
    s.f.engTaskDefltOn = true;
    s.f.engTaskTurnOn = false;
    s.prepare();
    EXPECT_FALSE(s.f.turnableAny);
    EXPECT_EQ(s.f.orderCap, 125);
    EXPECT_EQ(s.f.orientCount, 0);
    EXPECT_EQ(s.f.randomSteps, 31);
    EXPECT_EQ(s.f.strategyMode, 3);
    EXPECT_EQ(s.f.firstPass, 1);
}

TEST(PrepareFill, RunsStrategyAndPasses) {
    // Kinds A, A, B, A: three runs with independent keys.
    FillSetup s(100, 100, {{5, 5, 1, 1}, {5, 5, 1, 1}, {6, 6, 1, 2}, {5, 5, 1, 1}});
    s.f.engIntensity = 12;
    s.prepare();
    EXPECT_EQ(s.f.kindGroups, 3);
    EXPECT_EQ(s.f.runKey[1], s.f.runKey[2]);
    EXPECT_EQ(s.f.firstPass, 0);
    FillSetup all(100, 100, {{5, 5, 1, 1}, {6, 6, 1, 2}, {7, 7, 1, 3}});
    all.prepare();
    EXPECT_EQ(all.f.strategyMode, 1);
    EXPECT_FLOAT_EQ(all.f.turnThreshold, 0.5f);
}

TEST(PrepareFill, ReferenceSizeIsTheFirstOfTheCheapestSides) {
    FillSetup s(100, 100, {{3, 10}, {9, 4}});
    s.prepare();
    EXPECT_EQ(s.f.refSize, 3);
    EXPECT_EQ(s.f.points.minUsefulGap, 2);
}
