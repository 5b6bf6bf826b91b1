// Colours: the stored byte order, the palette and the colours derived for screen and print.
#include "../support/PlanBuilder.h"
#include "Rendering.h"

#include "render/Palette.h"

#include <gtest/gtest.h>

namespace rectix::render::test {

TEST(Colours, RedLivesInTheLowestByte) {
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0x505080), QColor(0x80, 0x50, 0x50));
}

TEST(Colours, TrackGreys) {
    EXPECT_EQ(backColor(0), 0);
    EXPECT_EQ(backColor(1), 0x0F0F0F);
    EXPECT_EQ(backColor(2), 0x1F1F1F);
    EXPECT_EQ(backColor(4), 0x3F3F3F);
    EXPECT_EQ(backColor(16), 0xFFFFFF);
}

TEST(Palette, KindsTakeNeighbouringEntriesRepeatingEvery25) {
    PlanBuilder b;
    for (int k = 1; k <= 30; ++k) b.addKind("K" + std::to_string(k), "k");
    LayoutView view = normalView(b.problem);
    const auto& colour = b.problem.boxKinds.color;
    EXPECT_EQ(colour[1], colour[26]);
    EXPECT_EQ(colour[5], colour[30]);
    EXPECT_NE(colour[1], colour[2]);
    EXPECT_EQ(colour[1], view.palette[1]);

    view.tracks.palett = 1;
    readViewSettings(view, b.problem);
    EXPECT_EQ(colour[1], view.palette[4]);
    EXPECT_EQ(colour[23], view.palette[1]); // (22 + 3) mod 25 + 1
}

TEST(Palette, BrightnessScalesEveryComponent) {
    PlanBuilder b;
    b.addKind("A", "a");
    LayoutView view = normalView(b.problem);
    EXPECT_EQ(view.brightness, 0);
    EXPECT_EQ(view.palette[1], 252 * 0x010101); // 63 x 4 in each byte, no carry into the next
    EXPECT_EQ(view.palette[5], 252);            // red
    view.tracks.bright = 0;
    readViewSettings(view, b.problem);
    EXPECT_EQ(view.palette[7], (31 * 4) << 16); // blue at level 63 - 32
}

TEST(Palette, TextColoursFollowBackgroundAndPrint) {
    PlanBuilder b;
    LayoutView view = normalView(b.problem);
    EXPECT_EQ(view.textColor, 0xEEEEEE); // dark ground
    EXPECT_EQ(view.boxTextColor, 0xEEEEEE);

    view.tracks.backGr = 16;
    readViewSettings(view, b.problem);
    EXPECT_EQ(view.backgroundColor, 0xFFFFFF);
    EXPECT_EQ(view.textColor, 0x101010);

    view.tracks.partGr = 0;
    readViewSettings(view, b.problem);
    EXPECT_EQ(view.boxTextColor, 0);
    EXPECT_EQ(view.gridFineColor, 0xA0A0A0);

    view.tracks.partGr = 4;
    printViewSettings(view, b.problem);
    EXPECT_EQ(view.lineWidth, 2);
    EXPECT_EQ(view.backgroundColor, 0xFFFFFF);
    EXPECT_EQ(view.partGrey, 0xFFFFFF); // a dark box grey prints white
    EXPECT_EQ(view.textColor, 0);
    EXPECT_EQ(view.boxTextColor, 0);
    EXPECT_EQ(view.brightness, 6);

    readViewSettings(view, b.problem);
    EXPECT_EQ(view.textColor, 0x101010);
}

TEST(ViewSettings, SizeTrackFactor) {
    EXPECT_EQ(magnificationOf(30), 1.0f);
    EXPECT_EQ(magnificationOf(100), 2.0f);
    EXPECT_NEAR(magnificationOf(0), 0.571f, 0.001f);
    LayoutView view;
    view.tracks.shiftX = 3;
    view.tracks.shiftY = -2;
    view.tracks.space = 8;
    screenTracks(view);
    EXPECT_EQ(view.shiftX, -15.0f);
    EXPECT_EQ(view.shiftY, -6.0f);
    EXPECT_EQ(view.gapSetting, 8.0f);
}

} // namespace rectix::render::test
