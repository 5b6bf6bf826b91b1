// The layout page: opening, navigation, the loading sequence and its animation, picking, chart.
#include "LayoutPageFixture.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QSlider>
#include <QTest>
#include <QToolTip>

namespace rectix::results::test {

TEST_F(LayoutPageTest, OneLoadedContainerOpensAlone) {
    plan({0, 3, 0});
    open();
    EXPECT_EQ(view.currentContainer, 2);
    EXPECT_EQ(view.loadingStep, 3);
    for (const char* name : {"SingleButton", "PrevButton", "NextButton", "DiagButton"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    for (const char* name : {"OneButton", "MinButton", "PlsButton", "FillButton", "SumButton", "TuneButton"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    EXPECT_EQ(button("SingleButton")->text(), QStringLiteral("All"));
    EXPECT_FALSE(button("PrintButton")->isEnabled());
}

TEST_F(LayoutPageTest, NavigationSkipsEmptyContainersAndWrapsThroughTheOverview) {
    plan({2, 0, 4, 0});
    open();
    EXPECT_EQ(view.currentContainer, 0);
    EXPECT_EQ(button("PrevButton")->text(), QStringLiteral("Last"));
    EXPECT_EQ(button("NextButton")->text(), QStringLiteral("First"));
    EXPECT_FALSE(button("OneButton")->isEnabled());
    EXPECT_TRUE(button("DiagButton")->isEnabled());

    page->prevButtonClick();
    EXPECT_EQ(view.currentContainer, 3);
    EXPECT_EQ(view.loadingStep, 4);
    EXPECT_EQ(button("PrevButton")->text(), QStringLiteral("Prev"));
    page->prevButtonClick();
    EXPECT_EQ(view.currentContainer, 1);
    page->prevButtonClick();
    EXPECT_EQ(view.currentContainer, 0);

    page->nextButtonClick();
    EXPECT_EQ(view.currentContainer, 1);
    EXPECT_EQ(view.loadingStep, 2);
    page->nextButtonClick();
    EXPECT_EQ(view.currentContainer, 3);
    page->nextButtonClick();
    EXPECT_EQ(view.currentContainer, 0);

    page->singleButtonClick();
    EXPECT_EQ(view.currentContainer, 1);
    page->singleButtonClick();
    EXPECT_EQ(view.currentContainer, 0);
    EXPECT_EQ(button("SingleButton")->text(), QStringLiteral("Single"));
}

TEST_F(LayoutPageTest, LoadingSequenceStopsAtBothEnds) {
    plan({3, 1});
    open();
    page->singleButtonClick();
    ASSERT_EQ(view.loadingStep, 3);
    page->plsButtonClick();
    EXPECT_EQ(view.loadingStep, 3);
    page->oneButtonClick();
    EXPECT_EQ(view.loadingStep, 1);
    page->minButtonClick();
    EXPECT_EQ(view.loadingStep, 1);
    page->plsButtonClick();
    EXPECT_EQ(view.loadingStep, 2);
    EXPECT_TRUE(view.boxDrawn[2]);
    EXPECT_FALSE(view.boxDrawn[3]);
    page->sumButtonClick();
    EXPECT_EQ(view.loadingStep, 3);
}

TEST_F(LayoutPageTest, AnimationSpeedsUpByAThirdAndStopsOnAnyCommand) {
    plan({10, 1});
    open();
    page->singleButtonClick();
    page->oneButtonClick();
    page->fillButtonClick();
    EXPECT_EQ(view.loadingStep, 2);
    ASSERT_TRUE(page->fillTimer().isActive());
    EXPECT_EQ(page->fillTimer().interval(), 1000);
    for (int expected : {666, 444, 296}) {
        page->fillButtonClick();
        EXPECT_EQ(page->fillTimer().interval(), expected);
    }
    page->timer2Timer();
    EXPECT_EQ(view.loadingStep, 3);

    page->minButtonClick();
    EXPECT_FALSE(page->fillTimer().isActive());
    EXPECT_EQ(page->fillTimer().interval(), 1000);

    // However often it is clicked, the timer never reaches 0 ms.
    page->fillButtonClick();
    for (int i = 0; i < 30; ++i) page->fillButtonClick();
    EXPECT_GE(page->fillTimer().interval(), 20);

    // The last step stops the animation.
    page->sumButtonClick();
    page->minButtonClick();
    page->fillButtonClick();
    EXPECT_EQ(view.loadingStep, 10);
    page->timer2Timer();
    EXPECT_FALSE(page->fillTimer().isActive());
}

TEST_F(LayoutPageTest, ClickPicksABoxWithin14Pixels) {
    plan({1, 1});
    open();
    page->singleButtonClick();
    ASSERT_TRUE(view.boxDrawn[1]);
    const QPoint centre(view.boxCentreX[1], view.boxCentreY[1]);
    page->image1MouseDown(Qt::LeftButton, centre + QPoint(8, -6));
    EXPECT_EQ(page->image()->toolTip(), QStringLiteral("CR: Crate\nDims: 100*100\nWgt: 1\nXY: 0, 0"));
    page->image1MouseDown(Qt::LeftButton, centre + QPoint(9, -6));
    EXPECT_EQ(page->image()->toolTip(), QStringLiteral("Right click mouse to adjust view"));
    // The other container's box was not drawn: its centre of (0, 0) is no box.
    page->image1MouseDown(Qt::LeftButton, QPoint(2, 2));
    EXPECT_EQ(page->image()->toolTip(), QStringLiteral("Right click mouse to adjust view"));

    page->image1MouseDown(Qt::RightButton, centre);
    EXPECT_EQ(page->image()->toolTip(), QStringLiteral("Click box mark center to see properties"));
    EXPECT_TRUE(options->isVisible());
    page->image1MouseDown(Qt::LeftButton, centre);
    EXPECT_FALSE(options->isVisible());
}

// The tip with the box's properties is still shown once the button is released.
TEST_F(LayoutPageTest, AClickedBoxsTipStaysVisibleAfterTheRelease) {
    plan({1, 1});
    open();
    page->singleButtonClick();
    ASSERT_TRUE(view.boxDrawn[1]);
    const QPoint centre(view.boxCentreX[1], view.boxCentreY[1]);
    ASSERT_TRUE(page->image()->hintsShown());
    // The page is active, as the user's is when clicked: an activation hides every tip.
    QApplication::setActiveWindow(page.get());
    QApplication::processEvents();
    QTest::mouseClick(page->image(), Qt::LeftButton, {}, centre + QPoint(3, 2));
    QApplication::processEvents();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("CR: Crate\nDims: 100*100\nWgt: 1\nXY: 0, 0"));
    // No timer of the tip's ends it within the hour: Qt's own time would hide it after ~10 s.
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible()) tip = w;
    ASSERT_NE(tip, nullptr);
    for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(tip))
        EXPECT_GE(timer.interval, 3600 * 1000);
    QToolTip::hideText();
}

TEST_F(LayoutPageTest, ChartIsReachedFromTheOverviewOnly) {
    plan({2, 3});
    open();
    page->tuneButtonClick();
    ASSERT_TRUE(options->isVisible());
    page->diagButtonClick();
    EXPECT_TRUE(view.chartMode);
    EXPECT_FALSE(options->isVisible());
    EXPECT_TRUE(page->windowTitle().endsWith(QStringLiteral("Container Area/Weight Capacity Utilization")));
    EXPECT_EQ(button("DiagButton")->text(), QStringLiteral("&Image"));
    EXPECT_FALSE(button("TuneButton")->isEnabled());
    EXPECT_FALSE(button("NextButton")->isEnabled());
    page->image1MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_FALSE(options->isVisible());

    page->diagButtonClick();
    EXPECT_FALSE(view.chartMode);
    EXPECT_TRUE(page->windowTitle().endsWith(QStringLiteral("Box Set Disposition")));
    page->nextButtonClick();
    EXPECT_FALSE(button("DiagButton")->isEnabled());
}

TEST_F(LayoutPageTest, ShowingAgainStartsFromTheOverview) {
    plan({2, 3});
    open();
    page->nextButtonClick();
    page->diagButtonClick();
    page->close();
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(page->result(), QDialog::Accepted);
    page->show();
    EXPECT_EQ(view.currentContainer, 0);
    EXPECT_FALSE(view.chartMode);
}

} // namespace rectix::results::test
