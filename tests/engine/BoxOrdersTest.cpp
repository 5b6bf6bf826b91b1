#include "FillFixtures.h"

#include "core/Random.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
std::vector<int> order(const FillEngineProbe& f) {
    std::vector<int> v;
    for (int p = 1; p <= f.boxN; ++p) v.push_back(f.packingOrder[p]);
    return v;
}
void identity(FillEngineProbe& f) {
    for (int p = 0; p <= f.boxN; ++p) f.packingOrder[p] = static_cast<std::int16_t>(p);
}
} // namespace

TEST(BoxOrders, SwapGroupsWithOddsZeroExchangesEveryPairItVisits) {
    // Four groups: kinds 1, 2, 3, 4 of two boxes each.
    std::vector<FillBox> boxes;
    for (int k = 1; k <= 4; ++k) boxes.insert(boxes.end(), 2, FillBox{5, 5, 1, k});
    FillSetup s(100, 100, boxes);
    identity(s.f);
    s.f.swapGroupsRandom(0);
    EXPECT_EQ(order(s.f), (std::vector<int>{3, 4, 1, 2, 7, 8, 5, 6}));
}

TEST(BoxOrders, ShuffleNeverSplitsARunAndEqualKeysChangeNothing) {
    std::vector<FillBox> boxes;
    for (int k = 1; k <= 5; ++k) boxes.insert(boxes.end(), 3, FillBox{5 + k, 5, 1, k});
    FillSetup s(100, 100, boxes);
    for (std::uint32_t seed = 1; seed < 30; ++seed) {
        s.f.random_.seed(seed);
        identity(s.f);
        s.f.shuffleGroupsRandom();
        const auto o = order(s.f);
        for (std::size_t i = 0; i < o.size(); i += 3) {
            EXPECT_EQ(o[i + 1], o[i] + 1);
            EXPECT_EQ(o[i + 2], o[i] + 2);
        }
    }
    // All boxes of one kind: no draw at kind borders and the order stays.
    FillSetup one(100, 100, std::vector<FillBox>(6, FillBox{5, 5}));
    identity(one.f);
    const auto state = one.f.random_.state();
    one.f.swapAtKindBorders(3);
    one.f.sortOrderByArea();
    EXPECT_EQ(one.f.random_.state(), state);
    EXPECT_EQ(order(one.f), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(BoxOrders, PlacedBoxesSortByTheFillDirection) {
    FillSetup s(100, 100, {{1, 1}, {1, 1}, {1, 1}});
    auto& f = s.f;
    identity(f);
    f.boxX[1] = 5, f.boxY[1] = 0;
    f.boxX[2] = 0, f.boxY[2] = 9;
    f.boxX[3] = 3, f.boxY[3] = 3;
    f.fillDir = 1; // 10X + 2Y: 50, 18, 36
    f.sortPlacedByPosition();
    EXPECT_EQ(order(f), (std::vector<int>{2, 3, 1}));
    f.fillDir = 2; // 10Y + 2X: 10, 90, 36
    f.sortPlacedByPosition();
    EXPECT_EQ(order(f), (std::vector<int>{1, 3, 2}));
    f.fillDir = 0; // 6(X + Y): 30, 54, 36
    f.sortPlacedByPosition();
    EXPECT_EQ(order(f), (std::vector<int>{1, 3, 2}));
}

TEST(BoxOrders, RowTiersOrderFullRowsFirst) {
    FillSetup s(100, 100, {{5, 5, 1, 1}, {5, 5, 1, 2}, {5, 5, 1, 3}});
    auto& f = s.f;
    identity(f);
    f.rowMarker[1] = 2;  // no row
    f.rowMarker[2] = 7;  // remainder
    f.rowMarker[3] = 50; // full row
    f.measureGroups();
    f.sortGroupsByAreaAndRow(1);
    EXPECT_EQ(order(f), (std::vector<int>{3, 2, 1}));
}

// The fast sorts must give exactly what the plain selection sort gives.
TEST(BoxOrders, FastSortsAgreeWithTheSelectionSort) {
    std::mt19937 gen(7);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + static_cast<int>(gen() % 60);
        std::vector<FillBox> boxes;
        for (int i = 0; i < n; ++i)
            boxes.push_back({1 + static_cast<int>(gen() % 6), 1 + static_cast<int>(gen() % 6), 1,
                             1 + static_cast<int>(gen() % 4)});
        FillSetup s(100, 100, boxes);
        auto& f = s.f;
        std::vector<int> start;
        for (int p = 1; p <= n; ++p) start.push_back(p);
        std::shuffle(start.begin(), start.end(), gen);
        auto setStart = [&] {
            for (int p = 1; p <= n; ++p) f.packingOrder[p] = static_cast<std::int16_t>(start[p - 1]);
            f.measureGroups();
        };
        const int k = static_cast<int>(gen() % 5);
        const float ww = static_cast<float>(static_cast<int>(gen() % 7) - 3);
        const float lw = 0.5f + static_cast<float>(gen() % 4);
        setStart();
        f.sortGroupsByWeightedSides(k, ww, lw);
        const auto fast = order(f);
        setStart();
        std::vector<float> keys(static_cast<std::size_t>(n + 1));
        for (int b = 1; b <= n; ++b)
            keys[static_cast<std::size_t>(b)] = rectix::core::toF32(
                static_cast<long double>(f.groupSize[b] + k) *
                (static_cast<long double>(ww) * f.boxWid[b] + static_cast<long double>(lw) * f.boxLen[b]));
        f.sortFamilyPlain(1, n, keys.data(), false);
        ASSERT_EQ(fast, order(f)) << "round " << round;
    }
}

// The radix sort against the selection sort on signed, equal and sub-range keys, both directions.
TEST(BoxOrders, RadixSortAgreesOnSignedEqualAndPartialRanges) {
    std::mt19937 gen(21);
    for (int round = 0; round < 300; ++round) {
        const int n = 2 + static_cast<int>(gen() % 120);
        FillSetup s(100, 100, std::vector<FillBox>(static_cast<std::size_t>(n), FillBox{5, 5}));
        auto& f = s.f;
        FillData::Box16 key;
        const int spread = round % 3 == 0 ? 3 : 30000;
        for (int b = 1; b <= n; ++b) {
            key[b] = static_cast<std::int16_t>(static_cast<int>(gen() % (2 * spread + 1)) - spread);
            f.boxX[b] = static_cast<std::int16_t>(static_cast<int>(gen() % 2001) - 1000);
            f.boxY[b] = static_cast<std::int16_t>(static_cast<int>(gen() % 2001) - 1000);
        }
        std::vector<int> start;
        for (int p = 1; p <= n; ++p) start.push_back(p);
        std::shuffle(start.begin(), start.end(), gen);
        auto setStart = [&] {
            for (int p = 1; p <= n; ++p) f.packingOrder[p] = static_cast<std::int16_t>(start[p - 1]);
        };
        const int first = 1 + static_cast<int>(gen() % static_cast<unsigned>(n));
        const int last = first + static_cast<int>(gen() % static_cast<unsigned>(n - first + 1));
        std::vector<float> keys(static_cast<std::size_t>(n + 1));
        for (int b = 1; b <= n; ++b) keys[static_cast<std::size_t>(b)] = key[b];
        setStart();
        f.sortOrderByKey(first, last, key);
        const auto fast = order(f);
        setStart();
        f.sortFamilyPlain(first, last, keys.data(), false);
        ASSERT_EQ(fast, order(f)) << "round " << round;

        f.fillDir = static_cast<std::int16_t>(round % 3);
        setStart();
        f.sortPlacedByPosition();
        const auto fastUp = order(f);
        for (int b = 1; b <= n; ++b) {
            const long double x = f.boxX[b], y = f.boxY[b];
            keys[static_cast<std::size_t>(b)] = rectix::core::toF32(f.fillDir == 1   ? 10 * x + 2 * y
                                                                    : f.fillDir == 2 ? 10 * y + 2 * x
                                                                                     : 6 * x + 6 * y);
        }
        setStart();
        f.sortFamilyPlain(1, n, keys.data(), true);
        ASSERT_EQ(fastUp, order(f)) << "round " << round;
    }
}
