// Numbers and dates in the user's regional form, in the data-aware controls, typed as well as shown.
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/RegionalSettings.h"

#include "../support/RegionalDesktop.h"
#include "ScriptedDialogs.h"
#include "core/NumberFormat.h"
#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"

#include <QCoreApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace rectix;
using Shown = std::vector<std::string>;

namespace {

// A table of priced rows, the price shown as costs are ("0.##"), under a French desktop: the C
// library's locale and the regional settings both French.
class FrenchPrices : public ::testing::Test {
  protected:
    void SetUp() override {
        using namespace rectix::dataset;
        ASSERT_TRUE(french.active());
        char folder[] = "/tmp/rectix-regional-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        root = folder;
        std::filesystem::create_directories(root / "data/home");
        set = std::make_unique<TableSet>(
            AliasRegistry(root), "RectixB",
            std::vector<TableDef>{
                {"prices", {{"ID", FieldType::AutoInc}, {"Cost", FieldType::Double}}, {}, {}}});
        set->createTableFile("prices");
        set->open();
        prices = std::make_unique<Cursor>(*set, "prices");
        prices->open();
        prices->field("Cost").setDisplayFormat("0.##");
        prices->append();
        prices->field("Cost").setFloat(static_cast<double>(84.46f));
        prices->post();
    }
    void TearDown() override {
        prices.reset();
        set.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    double cost() const { return prices->field("Cost").asFloat(); }

    test::RegionalDesktop french{"fr_FR"};
    ScriptedDialogs dialogs;
    std::filesystem::path root;
    std::unique_ptr<dataset::TableSet> set;
    std::unique_ptr<dataset::Cursor> prices;
};

// Whether the grid's style draws the cell's text whole: its width within the cell's text
// rectangle less the style's margin on each side, as the style elides it.
bool shownWhole(const ui::DataGrid& grid, const QModelIndex& index) {
    QStyleOptionViewItem o;
    o.initFrom(grid.viewport());
    o.rect = grid.visualRect(index);
    o.font = grid.font();
    o.text = index.data().toString();
    o.features = QStyleOptionViewItem::HasDisplay;
    o.widget = &grid;
    const QStyle* style = grid.style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &o, &grid);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    return QFontMetricsF(grid.font()).horizontalAdvance(o.text) <= textRect.width() - 2 * margin;
}

void typeAndEnter(QWidget* target, const QString& text) {
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Return);
    QCoreApplication::processEvents();
}

} // namespace

TEST(RegionalSettings, EachRegionGivesItsOwnSeparatorAndShortDate) {
    const QDate date(2026, 12, 7);
    ui::RegionalSettings::use(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(core::NumberFormat::regional().decimalSeparator(), ",");
    EXPECT_EQ(ui::RegionalSettings::shortDate(date).toStdString(), "07/12/2026");
    ui::RegionalSettings::use(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(core::NumberFormat::regional().decimalSeparator(), ".");
    EXPECT_EQ(ui::RegionalSettings::shortDate(date).toStdString(), "12/7/26");
    for (auto language : {QLocale::Italian, QLocale::German}) {
        ui::RegionalSettings::use(QLocale(language));
        EXPECT_EQ(core::NumberFormat::regional().decimalSeparator(), ",");
    }
    ui::RegionalSettings::use(QLocale::c());
    EXPECT_EQ(core::NumberFormat::regional().decimalSeparator(), ".");
    ui::RegionalSettings::useSystem();
}

TEST_F(FrenchPrices, EditShowsAndTakesADecimalCommaOrPoint) {
    QWidget window;
    auto* edit = new ui::DataEdit(*prices, "Cost", &window);
    auto* other = new QLineEdit(&window);
    EXPECT_EQ(edit->text().toStdString(), "84,46");
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    EXPECT_EQ(edit->text().toStdString(), "84,4599990844727");

    typeAndEnter(edit, "12,5");
    EXPECT_DOUBLE_EQ(cost(), 12.5);
    typeAndEnter(edit, "7.25");
    EXPECT_DOUBLE_EQ(cost(), 7.25);
    other->setFocus();
    EXPECT_EQ(edit->text().toStdString(), "7,25");
    EXPECT_EQ(dialogs.shown, Shown{});

    // A refusal quotes what was typed.
    edit->setFocus();
    typeAndEnter(edit, "1,2,5");
    EXPECT_DOUBLE_EQ(cost(), 7.25);
    EXPECT_EQ(dialogs.shown, Shown{"error: '1,2,5' is not a valid floating point value for field 'Cost'"});
}

// A cost column of five characters shows five digits whole, and with them the decimal comma.
TEST_F(FrenchPrices, AGridColumnShowsAsManyDigitsAsItHasCharactersBesidesTheComma) {
    prices->field("Cost").setDisplayWidth(5);
    prices->edit();
    prices->field("Cost").setFloat(99999);
    prices->post();
    for (double cost : {1234.5, 9999.5}) {
        prices->append();
        prices->field("Cost").setFloat(cost);
        prices->post();
    }
    ui::DataGrid grid(*prices, {{.field = "Cost"}});
    grid.show();
    for (int row = 0; row < 3; ++row) {
        const QModelIndex cell = grid.model()->index(row, 0);
        EXPECT_TRUE(shownWhole(grid, cell))
            << cell.data().toString().toStdString() << " in " << grid.columnWidth(0) << " pixels";
    }
    EXPECT_EQ(grid.model()->index(2, 0).data().toString(), QStringLiteral("9999,5"));
}

// A refusal in a grid names the column by the title the grid shows.
TEST_F(FrenchPrices, AGridsRefusalNamesTheColumnByItsTitle) {
    ui::DataGrid grid(*prices, {{.field = "Cost"}});
    ASSERT_TRUE(grid.model()->setHeaderData(0, Qt::Horizontal, QStringLiteral("Coût")));
    EXPECT_FALSE(grid.model()->setData(grid.model()->index(0, 0), QStringLiteral("1,2,5")));
    EXPECT_EQ(dialogs.shown, Shown{"error: '1,2,5' is not a valid floating point value for field 'Coût'"});
}
