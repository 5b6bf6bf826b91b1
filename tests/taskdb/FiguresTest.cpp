// How areas, utilisation and cost figures and sizes are shown.
#include "taskdb/Figures.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <limits>

namespace rectix::taskdb::test {

namespace {
const core::NumberFormat point(".");
const core::NumberFormat comma(",");
} // namespace

TEST(AreaRounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundAreaGuarded(2.5f), 2);
    EXPECT_EQ(roundAreaGuarded(3.5f), 4);
    EXPECT_EQ(roundAreaGuarded(0.5f), 0);
}

TEST(AreaRounding, DividesByTheAreaMultiplier) {
    // A 2500 x 1250 sheet.
    EXPECT_EQ(displayedArea(3125000, 1, 1), 3125000);
    EXPECT_EQ(displayedArea(3125000, 1000, 1), 3125);
    EXPECT_EQ(displayedArea(3125000, 1000000, 1), 3);
    EXPECT_THROW(displayedArea(1, 0, 1), core::ZeroDivideError);
}

TEST(AreaRounding, CapsLargeValues) {
    EXPECT_EQ(roundAreaGuarded(1555555555.0f), displayCap);
    EXPECT_EQ(roundAreaGuarded(std::numeric_limits<float>::quiet_NaN()), displayCap);
    EXPECT_EQ(displayedArea(30000.0L * 30000 * 2, 1, 1), displayCap);
    EXPECT_EQ(roundAreaGuarded(1000000000.0f), 1000000000);
    // A stored area past single precision, or one made negative by a count below zero, shows a cap.
    EXPECT_EQ(displayedArea(1e300L, 1000, 1), displayCap);
    EXPECT_EQ(displayedArea(-1e300L, 1, 1), -displayCap);
    EXPECT_EQ(displayedArea(-32768.0L * 1073676289, 1, 1), -displayCap);
}

TEST(PageFigures, FixedWithTwoDecimalsToFiveSignificantDigits) {
    EXPECT_EQ(formatPageFigure(87.654L, point), "87.65");
    EXPECT_EQ(formatPageFigure(0, point), "0.00");
    EXPECT_EQ(formatPageFigure(-48, point), "-48.00");
    EXPECT_EQ(formatPageFigure(1234.567L, point), "1234.60");
    EXPECT_EQ(formatPageFigure(12345.678L, point), "12346.00");
    EXPECT_EQ(formatPageFigure(-0.001L, point), "0.00");
    EXPECT_EQ(formatPageFigure(87.654L, comma), "87,65");
}

TEST(PageFigures, MoreThanFiveIntegerDigitsInScientificNotation) {
    EXPECT_EQ(formatPageFigure(123456.78L, point), "1.2346E5");
    EXPECT_EQ(formatPageFigure(-123456.78L, comma), "-1,2346E5");
    EXPECT_EQ(formatPageFigure(100000, point), "1E5");
    // Rounding to five digits can carry into a sixth.
    EXPECT_EQ(formatPageFigure(99999.7L, point), "1E5");
}

TEST(SizeTexts, ShowEachSideWhole) {
    EXPECT_EQ(sizeText(1200, 800), "1200  800");
    EXPECT_EQ(sizeText(32767, 20000), "32767  20000");
}

} // namespace rectix::taskdb::test
