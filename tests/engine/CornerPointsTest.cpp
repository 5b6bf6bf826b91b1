#include "FillFixtures.h"

#include "engine/CornerPoints.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
std::vector<std::pair<int, int>> Points(CornerPoints& c) {
    std::vector<std::pair<int, int>> v;
    for (int i = 1; i <= c.Count; ++i) v.emplace_back(c.X(i), c.Y(i));
    return v;
}
} // namespace

TEST(CornerPoints, EqualKeysKeepCreationOrderAndWeightsPickTheMainAxis) {
    CornerPoints c;
    c.Capacity = 10;
    c.SetPointCapacity(11);
    c.Count = 3;
    c.X(1) = 3, c.Y(1) = 0;
    c.X(2) = 0, c.Y(2) = 5;
    c.X(3) = 3, c.Y(3) = 0; // same key as point 1: goes after it
    c.InsertPointSorted(2, 1.0f, 0.001f);
    c.InsertPointSorted(3, 1.0f, 0.001f);
    EXPECT_EQ(Points(c), (std::vector<std::pair<int, int>>{{0, 5}, {3, 0}, {3, 0}}));
    // Along the width (3, 0) comes before (0, 5).
    c.Count = 2;
    c.X(1) = 0, c.Y(1) = 5;
    c.X(2) = 3, c.Y(2) = 0;
    c.InsertPointSorted(2, 0.001f, 1.0f);
    EXPECT_EQ(Points(c), (std::vector<std::pair<int, int>>{{3, 0}, {0, 5}}));
}

TEST(CornerPoints, GrowthIsTenPercentAndKeepsTheExtents) {
    CornerPoints c;
    c.SetUsable(500, 200);
    c.Capacity = 30;
    c.SetPointCapacity(31);
    c.Count = 29;
    c.GrowCornerPointArrays();
    EXPECT_EQ(c.Capacity, 30);
    c.Count = 30;
    c.GrowCornerPointArrays();
    EXPECT_EQ(c.Capacity, 33);
    EXPECT_EQ(c.Slots(), 34);
    EXPECT_EQ(c.UsableLength(), 500);
    EXPECT_EQ(c.UsableWidth(), 200);
    EXPECT_THROW(c.X(34), rectix::core::RangeError);
}

TEST(CornerPoints, ABoxAtTheOriginLeavesItsTwoCorners) {
    for (int workDir : {1, 2}) {
        FillSetup s(100, 50, {{10, 4}, {10, 4}});
        s.Prepare(workDir);
        auto& f = s.f;
        f.FillContainer();
        // Only the first box matters here: look at the list right after it.
        FillSetup t(100, 50, {{10, 4}, {10, 4}});
        t.Prepare(workDir);
        auto& g = t.f;
        g.BoxPlaced.fill(0);
        g.BoxPlaced[0] = 1;
        g.Points.ResetPoints(0, g.Points.Capacity);
        g.Points.Count = 1;
        EXPECT_EQ(g.Points.X(1), 0);
        EXPECT_EQ(g.Points.MinLength(1), g.Points.MinUsefulGap);
        g.FillPos = 1;
        g.CurBox = 1;
        g.BoxPlaced[1] = 1;
        g.Points.DeletePoint(1);
        g.RemoveOverlappedCornerPoints(1);
        g.Points.NewPointStart = g.Points.Count + 1;
        g.AddCornerPointsForBox(1, false);
        g.AddCornerPointsForBox(1, true);
        g.MergeCornerPoints();
        const auto expected = workDir == 1 ? std::vector<std::pair<int, int>>{{0, 4}, {10, 0}}
                                           : std::vector<std::pair<int, int>>{{10, 0}, {0, 4}};
        EXPECT_EQ(Points(g.Points), expected);
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(g.Points.MinLength(i), g.Points.MinUsefulGap);
            EXPECT_EQ(g.Points.MinWidth(i), g.Points.MinUsefulGap);
        }
        // And the fill put the second box at the first of them.
        EXPECT_EQ(f.BoxX[2] + f.BoxY[2], workDir == 1 ? 4 : 10);
    }
}

TEST(CornerPoints, MergeKeepsTheSmallerMinimums) {
    FillSetup s(100, 50, {{10, 4}});
    s.Prepare();
    auto& c = s.f.Points;
    c.Count = 3;
    c.X(1) = 5, c.Y(1) = 5, c.MinLength(1) = 7, c.MinWidth(1) = 2;
    c.X(2) = 1, c.Y(2) = 1;
    c.X(3) = 5, c.Y(3) = 5, c.MinLength(3) = 3, c.MinWidth(3) = 9;
    c.NewPointStart = 2;
    s.f.MergeCornerPoints();
    ASSERT_EQ(c.Count, 2);
    EXPECT_EQ(Points(c), (std::vector<std::pair<int, int>>{{1, 1}, {5, 5}}));
    EXPECT_EQ(c.MinLength(2), 3);
    EXPECT_EQ(c.MinWidth(2), 2);
}
