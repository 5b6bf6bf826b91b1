// The view options: track handlers, resets, saved settings and the task change.
#include "LayoutPageFixture.h"

#include "ui/TitleBar.h"

#include "results/ViewSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <algorithm>

namespace rectix::results::test {

namespace {
using T = ViewOptionsWindow;

void clickLabel(ViewOptionsWindow& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    QTest::mouseClick(label, Qt::LeftButton);
}
} // namespace

TEST_F(LayoutPageTest, SizeTrackSetsTheMagnification) {
    options->track(T::MagnTrack)->setValue(100);
    EXPECT_EQ(view.magnification, 2.0f);
    options->track(T::MagnTrack)->setValue(30);
    EXPECT_EQ(view.magnification, 1.0f);
    options->track(T::ShiftXTrack)->setValue(4);
    EXPECT_EQ(view.shiftX, -20.0f);
    options->track(T::ShiftYTrack)->setValue(4);
    EXPECT_EQ(view.shiftY, 12.0f);
    options->track(T::BackGrTrack)->setValue(16);
    EXPECT_EQ(view.backgroundColor, 0xFFFFFF);
    options->track(T::MagnTrack)->setValue(150); // brought into the range
    EXPECT_EQ(options->track(T::MagnTrack)->value(), 100);
}

TEST_F(LayoutPageTest, NormUnchecksTheBoxesALabelClickDoesNot) {
    plan({2});
    open();
    options->markKindCheck()->setChecked(true);
    options->orientCheck()->setChecked(true);
    options->track(T::PalettTrack)->setValue(5);
    options->track(T::BrightTrack)->setValue(3);
    options->track(T::BackGrTrack)->setValue(9);
    options->track(T::PartGrTrack)->setValue(0);
    options->track(T::SpaceTrack)->setValue(6);

    clickLabel(*options, "Label12"); // "Light" resets all four colour values
    EXPECT_EQ(options->track(T::PalettTrack)->value(), 0);
    EXPECT_EQ(options->track(T::BrightTrack)->value(), 16);
    EXPECT_EQ(options->track(T::BackGrTrack)->value(), 2);
    EXPECT_EQ(options->track(T::PartGrTrack)->value(), 4);
    EXPECT_EQ(view.partGrey, 0x3F3F3F);
    EXPECT_EQ(options->track(T::SpaceTrack)->value(), 6);
    EXPECT_TRUE(options->markKindCheck()->isChecked());
    EXPECT_TRUE(options->orientCheck()->isChecked());

    QTest::mouseClick(options->findChild<QPushButton*>(QStringLiteral("NormBut")), Qt::LeftButton);
    EXPECT_FALSE(options->markKindCheck()->isChecked());
    EXPECT_FALSE(options->orientCheck()->isChecked());
    EXPECT_EQ(options->track(T::SpaceTrack)->value(), 1);
    EXPECT_FALSE(view.tracks.markKind);
}

TEST_F(LayoutPageTest, SavedSettingsAreBroughtIntoRange) {
    plan({2});
    open(); // the page's creation resets the options in full: "Parts" at 4
    EXPECT_EQ(options->track(T::PartGrTrack)->value(), 4);
    ViewTracks saved;
    saved.grid = 7;
    saved.space = 3;
    saved.partGr = 12;
    saved.orient = true;
    options->applySaved(saved);
    EXPECT_EQ(options->track(T::GridTrack)->value(), 4);
    EXPECT_EQ(options->track(T::SpaceTrack)->value(), 3);
    EXPECT_EQ(view.partGrey, backColor(12));
    EXPECT_TRUE(options->orientCheck()->isChecked());
    EXPECT_FALSE(options->markKindCheck()->isChecked());
    EXPECT_EQ(options->tracks().grid, 4);
}

TEST_F(LayoutPageTest, TaskChangeKeepsColoursAndResetsSizeAndShift) {
    plan({2});
    open();
    options->track(T::PalettTrack)->setValue(3);
    options->track(T::PartGrTrack)->setValue(0);
    options->track(T::GridTrack)->setValue(-2);
    options->track(T::MagnTrack)->setValue(80);
    options->track(T::ShiftXTrack)->setValue(10);
    options->track(T::ShiftYTrack)->setValue(-10);
    static_cast<taskdb::ViewOptionsView&>(*options).normalTracks(false);
    EXPECT_EQ(options->track(T::PalettTrack)->value(), 3);
    EXPECT_EQ(options->track(T::PartGrTrack)->value(), 0);
    EXPECT_EQ(options->track(T::GridTrack)->value(), -2);
    EXPECT_EQ(view.magnification, 1.0f);
    EXPECT_EQ(view.shiftX, 0.0f);
    EXPECT_EQ(view.shiftY, 0.0f);
}

TEST_F(LayoutPageTest, ChangesBeforeThePageIsShownOnlySetTheState) {
    // At start-up the data module's first task change comes before the page exists.
    options->track(T::MagnTrack)->setValue(50);
    options->normalTracks(false);
    EXPECT_EQ(view.magnification, 1.0f);

    int redraws = 0;
    QWidget hidden;
    options->setPage(&hidden, &b.problem, [&] { ++redraws; });
    options->normalTracks(true);
    options->track(T::LineTrack)->setValue(3);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(view.lineWidth, 3);
    options->setPage(nullptr, nullptr, {});
}

TEST_F(LayoutPageTest, GridTrackOnlyInTheSingleView) {
    plan({2, 2});
    open();
    EXPECT_FALSE(options->track(T::GridTrack)->isEnabled());
    page->nextButtonClick();
    EXPECT_TRUE(options->track(T::GridTrack)->isEnabled());
    EXPECT_TRUE(options->findChild<QLabel*>(QStringLiteral("GridLabel"))->isEnabled());
}

// The window keeps its design width while the title fits and widens for a longer one; while it is
// shown it grows and shrinks to the left, so that beside the page at the screen's edge it stays
// on the screen.
TEST_F(LayoutPageTest, ATitleThatDoesNotFitWidensTheWindowToTheLeft) {
    options->setWindowTitle(QStringLiteral("Tune"));
    EXPECT_EQ(options->width(), 174);
    options->move(300, 200);
    options->show();
    const int right = options->frameGeometry().right();
    for (const char* title : {"Opzioni visualizzazione", "View Options", "Tune"}) {
        options->setWindowTitle(QString::fromUtf8(title));
        EXPECT_EQ(options->width(), std::max(174, ui::titleBarWidth(options->windowTitle()))) << title;
        EXPECT_EQ(options->frameGeometry().right(), right) << title;
    }
    EXPECT_EQ(options->width(), 174);
}

} // namespace rectix::results::test

namespace rectix::results::test {

// A language switched while the window was hidden widens it; the next show keeps it on the screen.
TEST_F(LayoutPageTest, AWindowWidenedWhileHiddenIsShownOnTheScreen) {
    options->setWindowTitle(QStringLiteral("Tune"));
    const QRect screen = options->screen()->geometry();
    options->move(screen.right() + 1 - options->frameGeometry().width(), 200);
    options->show();
    ASSERT_EQ(options->frameGeometry().right(), screen.right());
    options->hide();
    options->setWindowTitle(QStringLiteral("Opzioni visualizzazione di prova lunghe"));
    options->show();
    EXPECT_GT(options->width(), 174);
    EXPECT_LE(options->frameGeometry().right(), screen.right());
    EXPECT_GE(options->frameGeometry().left(), screen.left());
}

TEST_F(LayoutPageTest, OnlyTheLeftButtonOnALabelResetsItsGroup) {
    plan({2});
    open();
    options->track(T::SpaceTrack)->setValue(6);
    auto* label = options->findChild<QLabel*>(QStringLiteral("Label9"));
    ASSERT_NE(label, nullptr);
    QTest::mouseClick(label, Qt::RightButton);
    QTest::mouseClick(label, Qt::MiddleButton);
    EXPECT_EQ(options->track(T::SpaceTrack)->value(), 6);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(options->track(T::SpaceTrack)->value(), 1);
}

} // namespace rectix::results::test
