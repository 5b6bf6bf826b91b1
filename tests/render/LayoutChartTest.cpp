// The area and weight chart.
#include "../support/PlanBuilder.h"
#include "Rendering.h"

#include <gtest/gtest.h>

namespace rectix::render::test {

namespace {
constexpr std::int32_t weightBar = 0x0000FF;
constexpr std::int32_t areaBar = 0xFF0000;
} // namespace

TEST(LayoutChart, OneContainerUsesAThirdOfTheWidth) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(100, 100, "T", 1000));
    b.addBox(b.addKind("Box", "B", 50, 50, 300), c);
    b.finish();
    LayoutView view = normalView(b.problem);
    const QImage image = renderChart(view, b.problem, QSize(900, 600));
    const QRect weight = pixelsWhere(image, colourIs(weightBar));
    const QRect area = pixelsWhere(image, colourIs(areaBar));
    ASSERT_TRUE(weight.isValid());
    ASSERT_TRUE(area.isValid());
    EXPECT_LT(weight.right(), 300);
    EXPECT_GT(weight.right(), 290);
    EXPECT_LT(area.left(), 100);
    EXPECT_EQ(area.bottom(), 599);
}

TEST(LayoutChart, ContainersWithoutAreaOrCapacityDrawFlatBars) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(0, 100, "Z", 0));
    b.addBox(b.addKind("Box", "B", 50, 50, 300), c);
    b.finish();
    ASSERT_EQ(b.problem.totals.maxContArea, 0.0f);
    LayoutView view = normalView(b.problem);
    QImage image;
    EXPECT_NO_THROW(image = renderChart(view, b.problem, QSize(900, 600)));
    EXPECT_FALSE(pixelsWhere(image, colourIs(areaBar), QRect(0, 0, 900, 590)).isValid());
    EXPECT_FALSE(pixelsWhere(image, colourIs(weightBar), QRect(0, 0, 900, 590)).isValid());
}

TEST(LayoutChart, HeavyLoadsKeepTheirTicks) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(100, 100, "T", 100000));
    const int heavy = b.addKind("Heavy", "H", 10, 10, 30000);
    for (int i = 0; i < 3; ++i) b.addBox(heavy, c);
    b.finish();
    LayoutView view = normalView(b.problem);
    const QImage image = renderChart(view, b.problem, QSize(900, 600));
    // 90000 of 100000: the weight bar's free rest is a thin band near its top.
    const QRect free = pixelsWhere(image, colourIs(0x404040), QRect(200, 0, 100, 600));
    ASSERT_TRUE(free.isValid());
    EXPECT_LT(free.height(), 60);
}

} // namespace rectix::render::test
