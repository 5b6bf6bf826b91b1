// The layout picture: the overview's grid, labels, gaps, kind colours and the recorded centres.
#include "../support/PlanBuilder.h"
#include "Rendering.h"

#include "render/BoxPicking.h"

#include <gtest/gtest.h>

namespace rectix::render::test {

namespace {

// Rows of the box's inner area that hold anything but its fill, gathered into bands of
// neighbouring rows: one band per line of text.
int textLines(const QImage& image, QRect inner, QRgb fill) {
    int bands = 0;
    bool inBand = false;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        bool text = false;
        for (int x = inner.left(); x <= inner.right() && !text; ++x)
            text = (image.pixel(x, y) & 0xFFFFFF) != (fill & 0xFFFFFF);
        if (text && !inBand) ++bands;
        inBand = text;
    }
    return bands;
}

} // namespace

TEST(LayoutPicture, OverviewTakesTheFewestColumnsAmongEqualScales) {
    PlanBuilder b;
    const int type = b.addType(100, 100);
    const int kind = b.addKind("Box", "B");
    for (int i = 0; i < 5; ++i) b.addBox(kind, b.addContainer(type));
    b.finish();
    LayoutView view = normalView(b.problem);
    renderPicture(view, b.problem, QSize(800, 600)); // the margins come from the font

    // Two columns (three rows) bound by the height and three columns (two rows) bound by the
    // width give the very same scale when their free spans are equal.
    const int height = 600;
    const int free = height - 6 * view.marginY - 3 * view.captionBand - view.topBand;
    const int width = free + 6 * view.marginX;
    renderPicture(view, b.problem, QSize(width, height));
    EXPECT_EQ(view.gridCols, 2);
    EXPECT_EQ(view.gridRows, 3);

    renderPicture(view, b.problem, QSize(width + 40, height));
    EXPECT_EQ(view.gridCols, 3); // now the width binds less: three columns fit larger
    renderPicture(view, b.problem, QSize(1600, 300));
    EXPECT_EQ(view.gridCols, 5);
    EXPECT_EQ(view.gridRows, 1);
}

TEST(LayoutPicture, TurnSignsOnlyOnNearlySquareBoxes) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(1000, 1000));
    const int kind = b.addKind("Crate", "CR");
    const auto tall = b.addBox(kind, c, 0, 0, 90, 100);
    const auto lying = b.addBox(kind, c, 100, 0, 100, 90);
    const auto narrow = b.addBox(kind, c, 200, 0, 80, 100);
    const auto square = b.addBox(kind, c, 300, 0, 100, 100);
    ViewTracks tracks;
    tracks.orient = true;
    EXPECT_EQ(boxLabel(tracks, b.problem, tall), QStringLiteral("CR|"));
    EXPECT_EQ(boxLabel(tracks, b.problem, lying), QStringLiteral("CR_"));
    EXPECT_EQ(boxLabel(tracks, b.problem, narrow), QStringLiteral("CR"));
    EXPECT_EQ(boxLabel(tracks, b.problem, square), QStringLiteral("CR"));
    tracks.orient = false;
    tracks.markKind = true;
    EXPECT_EQ(boxLabel(tracks, b.problem, tall), QStringLiteral("Crate"));
}

TEST(LayoutPicture, KindNameWithBangDrawsOnTwoLines) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(100, 100));
    b.addBox(b.addKind("TOP!END", "M"), c, 0, 0, 100, 100);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.currentContainer = 1;
    view.loadingStep = 1;
    view.gapSetting = 0;
    const QRgb fill = toQColor(view.partGrey).rgb();

    QImage image = renderPicture(view, b.problem, QSize(600, 500));
    const QPoint centre(view.boxCentreX[1], view.boxCentreY[1]);
    const QRect across = extentAround(image, centre - QPoint(0, 60), fill);
    const QRect down = extentAround(image, centre - QPoint(80, 0), fill);
    const QRect inner = QRect(QPoint(across.left(), down.top()), QPoint(across.right(), down.bottom()))
                            .adjusted(3, 3, -3, -3);
    ASSERT_GT(inner.width(), 300);
    EXPECT_EQ(textLines(image, inner, fill), 1); // the mark

    view.tracks.markKind = true;
    image = renderPicture(view, b.problem, QSize(600, 500));
    EXPECT_EQ(textLines(image, inner, fill), 2);
}

TEST(LayoutPicture, GapIsTrimmedToAQuarterOfTheBox) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(600, 600));
    const int kind = b.addKind("Slat", "");
    b.addBox(kind, c, 100, 100, 10, 200);
    b.addBox(kind, c, 400, 100, 10, 200);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.tracks.partGr = 0; // boxes filled with their kind's colour
    readViewSettings(view, b.problem);
    view.currentContainer = 1;
    view.loadingStep = 2;
    view.gapSetting = 8; // 8 x 600 / 300 = 16 units

    const QImage image = renderPicture(view, b.problem, QSize(700, 700));
    const QRect box = extentAround(image, QPoint(view.boxCentreX[1], view.boxCentreY[1]),
                                   toQColor(b.problem.boxKinds.color[kind]).rgb());
    const double scale = (view.boxCentreX[2] - view.boxCentreX[1]) / 300.0;
    EXPECT_NEAR(box.width(), 5 * scale + 1, 1.5);    // 10 less 2.5 on each side
    EXPECT_NEAR(box.height(), 168 * scale + 1, 1.5); // 200 less 16 on each side
}

TEST(LayoutPicture, BoxCentresShowTheirKindColour) {
    PlanBuilder b;
    const int type = b.addType(400, 300);
    const int first = b.addContainer(type);
    const int second = b.addContainer(type);
    const int red = b.addKind("Red", "");
    const int green = b.addKind("Green", "");
    const int blue = b.addKind("Blue", "");
    b.addBox(red, first, 0, 0, 200, 150);
    b.addBox(green, first, 200, 0, 200, 300);
    b.addBox(blue, second, 0, 0, 400, 100);
    b.addBox(red, second, 0, 100, 100, 100);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.tracks.partGr = 0;
    readViewSettings(view, b.problem);

    const QImage image = renderPicture(view, b.problem, QSize(900, 500));
    for (int box = 1; box <= b.problem.boxCount; ++box) {
        SCOPED_TRACE(box);
        ASSERT_TRUE(view.boxDrawn[box]);
        const QRgb pixel = image.pixel(view.boxCentreX[box], view.boxCentreY[box]);
        EXPECT_EQ(QColor(pixel), toQColor(b.problem.boxKinds.color[b.problem.boxInstKind[box]]));
    }
    // Different kinds, different colours.
    EXPECT_NE(b.problem.boxKinds.color[red], b.problem.boxKinds.color[green]);
}

TEST(LayoutPicture, OnlyDrawnBoxesArePicked) {
    PlanBuilder b;
    const int type = b.addType(400, 300);
    const int first = b.addContainer(type);
    const int second = b.addContainer(type);
    const int kind = b.addKind("Box", "B");
    const int unplaced = b.addBox(kind, 0);
    const int inFirst = b.addBox(kind, first, 0, 0, 100, 100);
    const int inSecond = b.addBox(kind, second, 0, 0, 100, 100);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.currentContainer = static_cast<std::int16_t>(second);
    view.loadingStep = 1;
    renderPicture(view, b.problem, QSize(800, 600));

    EXPECT_FALSE(view.boxDrawn[unplaced]);
    EXPECT_FALSE(view.boxDrawn[inFirst]);
    EXPECT_EQ(pickBox(view, b.problem.boxCount, 3, 4), 0); // near (0, 0)
    const int x = view.boxCentreX[inSecond];
    const int y = view.boxCentreY[inSecond];
    EXPECT_EQ(pickBox(view, b.problem.boxCount, x + 7, y - 7), inSecond);
    EXPECT_EQ(pickBox(view, b.problem.boxCount, x + 8, y - 7), 0);
    EXPECT_EQ(boxHint(b.problem, static_cast<std::int16_t>(inSecond)),
              QStringLiteral("B: Box\nDims: 100*100\nWgt: 1\nXY: 0, 0"));
}

TEST(LayoutPicture, EmptiedContainerFallsBackToTheOverview) {
    PlanBuilder b;
    const int type = b.addType(400, 300);
    const int kind = b.addKind("Box", "B");
    b.addBox(kind, b.addContainer(type));
    b.addBox(kind, b.addContainer(type));
    b.addContainer(type);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.currentContainer = 3;
    renderPicture(view, b.problem, QSize(800, 600));
    EXPECT_EQ(view.currentContainer, 0);
    EXPECT_TRUE(view.boxDrawn[1]);
    EXPECT_TRUE(view.boxDrawn[2]);
}

TEST(LayoutPicture, ContainerWithoutAreaIsLeftOut) {
    PlanBuilder b;
    const int kind = b.addKind("Box", "B");
    const int flat = b.addBox(kind, b.addContainer(b.addType(400, 0)));
    const int good = b.addBox(kind, b.addContainer(b.addType(400, 300)));
    b.finish();
    LayoutView view = normalView(b.problem);
    EXPECT_NO_THROW(renderPicture(view, b.problem, QSize(800, 600)));
    EXPECT_FALSE(view.boxDrawn[flat]);
    EXPECT_TRUE(view.boxDrawn[good]);

    view.currentContainer = 1;
    view.loadingStep = 1;
    EXPECT_NO_THROW(renderPicture(view, b.problem, QSize(800, 600)));
    EXPECT_FALSE(view.boxDrawn[flat]);
}

TEST(LayoutPicture, LoadingStepDrawsTheFirstBoxesInLoadingOrder) {
    PlanBuilder b;
    const int c = b.addContainer(b.addType(1000, 100));
    const int kind = b.addKind("Box", "B");
    for (int i = 0; i < 10; ++i) b.addBox(kind, c, i * 100, 0, 100, 100);
    b.finish();
    LayoutView view = normalView(b.problem);
    view.currentContainer = 1;
    view.loadingStep = 4;
    renderPicture(view, b.problem, QSize(800, 400));
    for (int box = 1; box <= 10; ++box) EXPECT_EQ(view.boxDrawn[box], box <= 4) << box;
    EXPECT_LT(view.boxCentreX[1], view.boxCentreX[2]);
    EXPECT_GT(view.boxCentreY[1], 0);
}

} // namespace rectix::render::test
