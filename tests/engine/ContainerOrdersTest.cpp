#include "EngineFixtures.h"

#include "core/Random.h"
#include "engine/ContainerOrders.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {
std::vector<int> order(const PackProblem& p) {
    std::vector<int> v;
    for (int i = 1; i <= p.contCount; ++i) v.push_back(p.contOrder[i]);
    return v;
}
std::vector<int> typeSequence(const PackProblem& p) {
    std::vector<int> v;
    for (int i = 1; i <= p.contCount; ++i) v.push_back(p.contInstType[p.contOrder[i]]);
    return v;
}
void setOrder(PackProblem& p, const std::vector<int>& order) {
    for (std::size_t i = 0; i < order.size(); ++i)
        p.contOrder[static_cast<long>(i + 1)] = static_cast<std::int16_t>(order[i]);
}
} // namespace

TEST(ContainerOrders, SortsAreStableAndHonourTheParameter) {
    PackProblem p;
    // Type 1: two containers 100 x 50 (area 5000, capacity 700, cost 3); type 2: one 100 x 70.
    loadProblem(p, {{100, 50, 700, 2, 3}, {100, 70, 900, 1, 5}}, {{10, 10, 1, 1}});
    p.prepareInstances();
    ContainerOrders o(p);

    setOrder(p, {2, 1, 3});
    o.sortContainersByArea(0, 0); // 5000^2 x 2 = 5e7 against 7000^2 x 1 = 4.9e7
    EXPECT_EQ(order(p), (std::vector<int>{2, 1, 3}));
    o.sortContainersByArea(25, 0); // with a large multiplier the count hardly matters
    EXPECT_EQ(order(p), (std::vector<int>{3, 2, 1}));
    // An area between 0 and the parameter gets a negative key and goes after the larger one.
    setOrder(p, {1, 2, 3});
    o.sortContainersByArea(0, 6000);
    EXPECT_EQ(order(p), (std::vector<int>{3, 1, 2}));

    setOrder(p, {2, 3, 1});
    o.sortContainersByCapacity(0, 0); // 700^2 x 2 = 980000 against 900^2 = 810000
    EXPECT_EQ(order(p), (std::vector<int>{2, 1, 3}));

    setOrder(p, {3, 2, 1});
    o.sortContainersByCost(0, 0); // ascending: 3 x 3 x 2 = 18 before 5 x 5 = 25
    EXPECT_EQ(order(p), (std::vector<int>{2, 1, 3}));
    // A cost between 0 and the parameter comes first in the ascending sort.
    setOrder(p, {1, 2, 3});
    o.sortContainersByCost(0, 4);
    EXPECT_EQ(order(p), (std::vector<int>{1, 2, 3}));
}

TEST(ContainerOrders, OneContainerIsLeftAlone) {
    PackProblem p;
    loadProblem(p, {{100, 50, 700, 1}}, {{10, 10, 1, 1}});
    p.prepareInstances();
    ContainerOrders o(p);
    p.contOrder[1] = 1;
    o.shuffleContainers();
    o.shuffleContainersByType();
    o.sortContainersByCost(0, 1);
    EXPECT_EQ(p.contOrder[1], 1);
}

TEST(ContainerOrders, ShuffleByTypeKeepsTypesTogether) {
    PackProblem p;
    loadProblem(p, {{100, 50, 700, 3}, {100, 80, 900, 2}, {100, 90, 900, 3}}, {{10, 10, 1, 1}});
    p.prepareInstances();
    ContainerOrders o(p);
    for (std::uint32_t seed = 1; seed < 50; ++seed) {
        p.random.seed(seed);
        setOrder(p, {1, 2, 3, 4, 5, 6, 7, 8});
        o.shuffleContainersByType();
        const auto types = typeSequence(p);
        int changes = 0;
        for (std::size_t i = 1; i < types.size(); ++i) changes += types[i] != types[i - 1];
        EXPECT_EQ(changes, 2);
    }
}

TEST(ContainerOrders, ARepeatedTypeSequenceIsSkippedAndShiftsTheVariantNumbers) {
    PackProblem p;
    loadProblem(p, {{100, 50, 700, 1}, {100, 80, 900, 1}}, {{10, 10, 1, 1}});
    p.settings.intensity = 5;
    p.prepareInstances();
    ASSERT_EQ(p.variantCount, 1);
    ContainerOrders o(p);
    bool sawSkip = false;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        o.clear();
        setOrder(p, {1, 2});
        ASSERT_TRUE(o.nextContainerOrder());
        const auto first = typeSequence(p);
        o.variantNo = 1;
        setOrder(p, {1, 2});
        p.random.seed(seed);
        ASSERT_TRUE(o.nextContainerOrder());
        EXPECT_NE(typeSequence(p), first);
        // Every skip moves the variant number on by one.
        EXPECT_EQ(o.variantNo - o.skippedOrders, 1);
        sawSkip = sawSkip || o.skippedOrders > 0;
    }
    EXPECT_TRUE(sawSkip);
}

TEST(ContainerOrders, CollidingKeysEndTheSearchInsteadOfLoopingForever) {
    PackProblem p;
    loadProblem(p, {{100, 50, 700, 1}, {100, 80, 900, 1}}, {{10, 10, 1, 1}});
    p.settings.intensity = 5;
    p.prepareInstances();
    p.contTypes.randKey[2] = p.contTypes.randKey[1]; // both sequences share one signature
    ContainerOrders o(p);
    setOrder(p, {1, 2});
    ASSERT_TRUE(o.nextContainerOrder());
    o.variantNo = 1;
    EXPECT_FALSE(o.nextContainerOrder());
}
