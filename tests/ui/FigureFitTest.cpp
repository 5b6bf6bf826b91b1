// A number too wide for its cell never shows as a shorter number: a report prints it in a smaller
// face, then as the overflow mark; a grid shows the mark where it would elide the number.
#include "DataTables.h"

#include "ui/DataGrid.h"
#include "ui/FigureFit.h"

#include <QImage>
#include <QProxyStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

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
            cell && element == CE_ItemViewItem)
            drawn[cell->index.column()] = cell->text.toStdString();
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable std::map<int, std::string> drawn;
};

// The pixels of the first row's cell of column 1, the column `width` pixels wide.
QImage cellPixels(ui::DataGrid& grid, int width) {
    grid.setColumnWidth(1, width);
    return grid.viewport()->grab(grid.visualRect(grid.model()->index(0, 1))).toImage();
}

// Whether the style draws the right-aligned text of the cell whole: then the cell's pixels are
// the right end of the same cell drawn far wider.
bool drawnWhole(ui::DataGrid& grid, int width) {
    const QImage narrow = cellPixels(grid, width);
    const QImage wide = cellPixels(grid, width + 100);
    return narrow == wide.copy(wide.width() - narrow.width(), 0, narrow.width(), narrow.height());
}

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

// The mark shows from the first width at which the style, left to itself, would cut the number.
TEST_F(DataTables, AGridNumberShowsTheMarkWhereTheStyleWouldCutItAndATextIsLeftToElide) {
    items->append();
    items->field("Name").setString("abcdefghij");
    items->field("Qty").setInteger(-32768);
    items->post();
    const std::vector<ui::DataColumn> columns{{.field = "Name", .widthPixels = 24},
                                              {.field = "Qty", .widthPixels = 120}};
    ui::DataGrid grid(*items, columns);
    ui::DataGrid plain(*items, columns);
    plain.setItemDelegateForColumn(1, new QStyledItemDelegate(&plain)); // the style alone
    auto* style = new DrawnCells;
    for (ui::DataGrid* g : {&grid, &plain}) {
        auto* own = g == &grid ? style : new DrawnCells;
        own->setParent(g);
        g->setStyle(own);
        g->resize(400, 200);
        g->show();
    }
    auto shown = [&](int width) {
        cellPixels(grid, width);
        return style->drawn[1];
    };
    int width = 120;
    ASSERT_EQ(shown(width), "-32768");
    while (width > 1 && shown(width - 1) == "-32768") --width;
    EXPECT_EQ(shown(width - 1), "###");
    EXPECT_TRUE(drawnWhole(plain, width)) << width;
    EXPECT_FALSE(drawnWhole(plain, width - 1)) << width;
    grid.grab();
    EXPECT_EQ(style->drawn[0], "abcdefghij");
}
