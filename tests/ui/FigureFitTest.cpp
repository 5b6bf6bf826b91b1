// A number too wide for its cell never shows as a shorter number: a report prints it in a smaller
// face, then as the overflow mark; a grid shows the mark where it would elide the number.
#include "DataTables.h"

#include "ui/DataGrid.h"
#include "ui/FigureFit.h"

#include <QImage>
#include <QProxyStyle>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include <map>

using namespace rectix;

namespace {

// The text of each cell of a grid as the style is asked to draw it, by column.
class DrawnCells : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* cell = qstyleoption_cast<const QStyleOptionViewItem*>(option);
            cell && element == CE_ItemViewItem) {
            drawn[cell->index.column()] = cell->text;
            // What the style elides the text beyond.
            const int margin = pixelMetric(PM_FocusFrameHMargin, nullptr, widget) + 1;
            room[cell->index.column()] =
                subElementRect(SE_ItemViewItemText, cell, widget).width() - 2 * margin;
            font[cell->index.column()] = cell->font;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable std::map<int, QString> drawn;
    mutable std::map<int, int> room;
    mutable std::map<int, QFont> font;
};

} // namespace

// The rule down to the mark, which no value of the reports' fields reaches.
TEST(FigureFit, APrintedFigureShrinksToTheFloorThenShowsTheMark) {
    QImage page(10, 10, QImage::Format_RGB32);
    page.setDotsPerMeterX(2835); // 72 dots per inch: a point a pixel
    page.setDotsPerMeterY(2835);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    const struct {
        const char* value;
        double width; // points
        const char* printed;
        bool smaller;
    } cases[] = {{"32767", 40, "32767", false},
                 {"123456.78", 44, "123456.78", true},
                 {"-123456789012345", 44, "###", false},
                 {"1234567", 12, "#", false}};
    for (const auto& c : cases) {
        const ui::FigureFit fit = ui::FigureFit::printed(QString::fromLatin1(c.value), font, c.width, &page);
        EXPECT_EQ(fit.text.toStdString(), c.printed) << c.value;
        EXPECT_EQ(fit.font.pointSizeF() < 10, c.smaller) << c.value;
        EXPECT_GE(fit.font.pointSizeF(), ui::FigureFit::floorPoints) << c.value;
    }
}

TEST_F(DataTables, AGridNumberTooWideForItsCellShowsTheMarkAndATextIsLeftToElide) {
    items->append();
    items->field("Name").setString("abcdefghij");
    items->field("Qty").setInteger(-32768);
    items->post();
    for (const int qtyWidth : {40, 120}) {
        SCOPED_TRACE(qtyWidth);
        ui::DataGrid grid(*items,
                          {{.field = "Name", .widthPixels = 24}, {.field = "Qty", .widthPixels = qtyWidth}});
        auto* style = new DrawnCells;
        style->setParent(&grid);
        grid.setStyle(style);
        grid.resize(400, 200);
        grid.show();
        grid.grab();
        ASSERT_TRUE(style->drawn.count(1));
        const QFontMetricsF metrics(style->font[1]);
        // Whatever it shows fits, so nothing is elided from it.
        EXPECT_LE(metrics.horizontalAdvance(style->drawn[1]), style->room[1]);
        EXPECT_EQ(style->drawn[1].toStdString(), qtyWidth > 100 ? "-32768" : "###");
        EXPECT_EQ(style->drawn[0].toStdString(), "abcdefghij");
    }
}
