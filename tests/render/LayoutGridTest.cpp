// The measuring grid's steps, fine lines and numbers.
#include "render/LayoutGrid.h"

#include <gtest/gtest.h>

namespace rectix::render::test {

namespace {
std::vector<std::string> numbers(std::initializer_list<int> values) {
    std::vector<std::string> out;
    for (int v : values) out.push_back(std::to_string(v));
    return out;
}
} // namespace

TEST(LayoutGrid, StepIsAPowerOfTenFittingTheContainer) {
    const GridPlan truck = planGrid(1200, 240, 1);
    EXPECT_EQ(truck.step, 100); // 1200 -> 120 -> 12, 240 -> 24 -> 2
    EXPECT_EQ(truck.labelsX, numbers({100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200}));
    EXPECT_EQ(truck.labelsY, numbers({100, 200}));
    EXPECT_TRUE(truck.fineX.empty());

    // Each quotient is rounded in turn: 2550 -> 255 -> 26 (half to even) -> 3.
    EXPECT_EQ(planGrid(2550, 100, 1).step, 1000);

    const GridPlan small = planGrid(20, 10, 1);
    EXPECT_EQ(small.step, 1);
    EXPECT_EQ(small.labelsX.size(), 20u);
    EXPECT_EQ(small.labelsX.front(), "1");
    EXPECT_EQ(small.labelsX.back(), "20");
}

TEST(LayoutGrid, NegativeSettingDoublesTheStep) {
    const GridPlan plan = planGrid(1200, 240, -1);
    EXPECT_EQ(plan.step, 200);
    EXPECT_EQ(plan.labelsX, numbers({200, 400, 600, 800, 1000, 1200}));
    EXPECT_EQ(plan.mainY, (std::vector<std::int32_t>{200}));
}

TEST(LayoutGrid, FineLinesDivideTheStep) {
    const GridPlan fifths = planGrid(1200, 240, 3);
    ASSERT_EQ(fifths.fineDivision, 5);
    EXPECT_EQ(fifths.fineX.size(), 60u); // 5 x 1200 div 100
    EXPECT_DOUBLE_EQ(static_cast<double>(fifths.fineX[0]), 20.0);
    EXPECT_EQ(fifths.fineY.size(), 12u);
    EXPECT_EQ(planGrid(1200, 240, -2).fineX.size(), 12u); // halves of 200
    EXPECT_EQ(planGrid(1200, 240, 4).fineX.size(), 120u);
}

} // namespace rectix::render::test
