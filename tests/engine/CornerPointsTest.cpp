#include "FillFixtures.h"

#include "engine/CornerPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
std::vector<std::pair<int, int>> points(CornerPoints& c) {
    std::vector<std::pair<int, int>> v;
    for (int i = 1; i <= c.count; ++i) v.emplace_back(c.x(i), c.y(i));
    return v;
}
} // namespace

TEST(CornerPoints, EqualKeysKeepCreationOrderAndWeightsPickTheMainAxis) {
    CornerPoints c;
    c.capacity = 10;
    c.setPointCapacity(11);
    c.count = 3;
    c.x(1) = 3, c.y(1) = 0;
    c.x(2) = 0, c.y(2) = 5;
    c.x(3) = 3, c.y(3) = 0; // same key as point 1: goes after it
    c.insertPointSorted(2, 1.0f, 0.001f);
    c.insertPointSorted(3, 1.0f, 0.001f);
    EXPECT_EQ(points(c), (std::vector<std::pair<int, int>>{{0, 5}, {3, 0}, {3, 0}}));
    // Along the width (3, 0) comes before (0, 5).
    c.count = 2;
    c.x(1) = 0, c.y(1) = 5;
    c.x(2) = 3, c.y(2) = 0;
    c.insertPointSorted(2, 0.001f, 1.0f);
    EXPECT_EQ(points(c), (std::vector<std::pair<int, int>>{{3, 0}, {0, 5}}));
}

TEST(CornerPoints, GrowthIsTenPercentAndKeepsTheExtents) {
    CornerPoints c;
    c.setUsable(500, 200);
    c.capacity = 30;
    c.setPointCapacity(31);
    c.count = 29;
    c.growCornerPointArrays();
    EXPECT_EQ(c.capacity, 30);
    c.count = 30;
    c.growCornerPointArrays();
    EXPECT_EQ(c.capacity, 33);
    EXPECT_EQ(c.slotCount(), 34);
    EXPECT_EQ(c.usableLength(), 500);
    EXPECT_EQ(c.usableWidth(), 200);
    EXPECT_THROW(c.x(34), rectix::core::RangeError);
}

TEST(CornerPoints, ABoxAtTheOriginLeavesItsTwoCorners) {
    for (int workDir : {1, 2}) {
        FillSetup s(100, 50, {{10, 4}, {10, 4}});
        s.prepare(workDir);
        auto& f = s.f;
        f.fillContainer();
        // Only the first box matters here: look at the list right after it.
        FillSetup t(100, 50, {{10, 4}, {10, 4}});
        t.prepare(workDir);
        auto& g = t.f;
        g.boxPlaced.fill(0);
        g.boxPlaced[0] = 1;
        g.points.resetPoints(0, g.points.capacity);
        g.points.count = 1;
        EXPECT_EQ(g.points.x(1), 0);
        EXPECT_EQ(g.points.minLength(1), g.points.minUsefulGap);
        g.fillPos = 1;
        g.curBox = 1;
        g.boxPlaced[1] = 1;
        g.points.deletePoint(1);
        g.removeOverlappedCornerPoints(1);
        g.points.newPointStart = g.points.count + 1;
        g.addCornerPointsForBox(1, false);
        g.addCornerPointsForBox(1, true);
        g.mergeCornerPoints();
        const auto expected = workDir == 1 ? std::vector<std::pair<int, int>>{{0, 4}, {10, 0}}
                                           : std::vector<std::pair<int, int>>{{10, 0}, {0, 4}};
        EXPECT_EQ(points(g.points), expected);
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(g.points.minLength(i), g.points.minUsefulGap);
            EXPECT_EQ(g.points.minWidth(i), g.points.minUsefulGap);
        }
        // And the fill put the second box at the first of them.
        EXPECT_EQ(f.boxX[2] + f.boxY[2], workDir == 1 ? 4 : 10);
    }
}

TEST(CornerPoints, MergeKeepsTheSmallerMinimums) {
    FillSetup s(100, 50, {{10, 4}});
    s.prepare();
    auto& c = s.f.points;
    c.count = 3;
    c.x(1) = 5, c.y(1) = 5, c.minLength(1) = 7, c.minWidth(1) = 2;
    c.x(2) = 1, c.y(2) = 1;
    c.x(3) = 5, c.y(3) = 5, c.minLength(3) = 3, c.minWidth(3) = 9;
    c.newPointStart = 2;
    s.f.mergeCornerPoints();
    ASSERT_EQ(c.count, 2);
    EXPECT_EQ(points(c), (std::vector<std::pair<int, int>>{{1, 1}, {5, 5}}));
    EXPECT_EQ(c.minLength(2), 3);
    EXPECT_EQ(c.minWidth(2), 2);
}

TEST(CornerPoints, TheFastKeyIsTheExtendedPrecisionKey) {
    std::mt19937 g(17);
    CornerPoints c;
    c.capacity = 10;
    c.setPointCapacity(11);
    c.count = 1;
    for (int i = 0; i < 200000; ++i) {
        c.x(1) = static_cast<std::int16_t>(static_cast<int>(g() % 65536) - 32768);
        c.y(1) = static_cast<std::int16_t>(static_cast<int>(g() % 65536) - 32768);
        float wx = 1.0f, wy = 0.001f;
        if (i % 3 == 1) std::swap(wx, wy);
        if (i % 3 == 2) {
            wx = std::ldexp(static_cast<float>(g() % 16777216), static_cast<int>(g() % 40) - 40);
            wy = std::ldexp(static_cast<float>(g() % 16777216), static_cast<int>(g() % 40) - 30);
        }
        ASSERT_EQ(c.pointKeyFast(1, wx, wy), c.pointKey(1, wx, wy))
            << c.x(1) << " " << c.y(1) << " " << wx << " " << wy;
    }
}
