#include "ui/DataGrid.h"
#include "DataTables.h"
#include "core/Errors.h"
#include "dataset/Errors.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"
#include "ui/DisplaySuspension.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

using namespace rectix;
using dataset::CursorState;
using Shown = std::vector<std::string>;
using Rows = std::vector<std::string>;

namespace {

std::vector<ui::DataColumn> columns() {
    return {{.field = "Name", .widthChars = 10},
            {.field = "Qty"},
            {.field = "Kind", .dropDownRows = 12},
            {.field = "Turn", .pickList = {"False", "True"}}};
}

QModelIndex cell(const ui::DataGrid& g, int row, int column) {
    return g.model()->index(row, column);
}

std::string text(const ui::DataGrid& g, int row, int column) {
    return cell(g, row, column).data().toString().toStdString();
}

void click(ui::DataGrid& g, int row, int column) {
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(cell(g, row, column)).center());
}

// The open cell editor of the grid.
template <typename Editor> Editor* editor(const ui::DataGrid& g) {
    for (Editor* e : g.viewport()->findChildren<Editor*>())
        if (e->isVisible()) return e;
    return nullptr;
}

// Enter in a cell editor commits through a queued call.
void pressEnter(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Opens the editor of a cell of the current row, puts `value` in and presses Enter.
void enter(ui::DataGrid& g, int row, int column, const QString& value) {
    g.setCurrentIndex(cell(g, row, column));
    g.edit(cell(g, row, column));
    auto* e = editor<QLineEdit>(g);
    ASSERT_NE(e, nullptr);
    e->setText(value);
    pressEnter(e);
}

class Grid : public DataTables {
  protected:
    void SetUp() override {
        DataTables::SetUp();
        addItem("a", 1);
        addItem("b", 2);
        addItem("c", 3);
        items->first();
    }
};

} // namespace

TEST_F(Grid, CurrentRowIsTheCursorsRowBothWays) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    items->last();
    EXPECT_EQ(grid.currentIndex().row(), 2);

    int scrolls = 0;
    items->events.afterScroll = [&](dataset::Cursor&) { ++scrolls; };
    click(grid, 0, 1);
    EXPECT_EQ(items->field("Name").asString(), "a");
    EXPECT_EQ(scrolls, 1); // one move, not one per row passed
    EXPECT_EQ(grid.currentIndex(), cell(grid, 0, 1));
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(items->field("Name").asString(), "b");
    EXPECT_TRUE(grid.model()->headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_FALSE(grid.model()->headerData(1, Qt::Vertical).toString().isEmpty());
}

TEST_F(Grid, TypingEditsTheFieldAndMovingOffPosts) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    grid.setCurrentIndex(cell(grid, 0, 1));
    QTest::keyClick(&grid, Qt::Key_4);
    EXPECT_EQ(items->state(), CursorState::Edit);
    auto* e = editor<QLineEdit>(grid);
    ASSERT_NE(e, nullptr);
    QTest::keyClicks(e, "2");
    pressEnter(e);
    EXPECT_EQ(items->field("Qty").asInteger(), 42);
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2", "c 3"}));

    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(stored(), (Rows{"a 42", "b 2", "c 3"}));
    EXPECT_EQ(items->state(), CursorState::Browse);
    EXPECT_EQ(items->field("Name").asString(), "b");
    EXPECT_EQ(dialogs.shown, Shown{});
}

TEST_F(Grid, MovingOffARowThatPostingReordersLandsOnTheRowChosen) {
    ui::DataGrid grid(*items, columns());
    ui::DataNavigator navigator(*items);
    grid.show();
    enter(grid, 0, 0, "d"); // a becomes d and sorts last
    click(grid, 1, 0);      // b
    EXPECT_EQ(items->field("Name").asString(), "b");
    EXPECT_EQ(text(grid, grid.currentIndex().row(), 0), "b");

    navigator.click(ui::DataNavigator::Button::Insert); // shows before b
    const int fresh = grid.currentIndex().row();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    enter(grid, fresh, 0, "e");
    click(grid, fresh + 1, 0); // b, which showed below the new row
    EXPECT_EQ(stored(), (Rows{"b 2", "c 3", "d 1", "e "}));
    EXPECT_EQ(items->field("Name").asString(), "b");
}

TEST_F(Grid, ARefusalLeavesTheOldValueSilentlyAndOtherErrorsShowTheErrorBox) {
    items->field("Qty").onValidate = [](dataset::Field& f) {
        if (f.asInteger() > 100) throw core::SilentAbort();
    };
    ui::DataGrid grid(*items, columns());
    grid.show();
    enter(grid, 0, 1, "500");
    EXPECT_EQ(dialogs.shown, Shown{});
    enter(grid, 0, 1, "99999");
    EXPECT_EQ(dialogs.shown, Shown{"error: Value 99999 is out of range for field 'Qty' (-32768 to 32767)"});
    EXPECT_EQ(text(grid, 0, 1), "1");

    items->events.beforePost = [](dataset::Cursor&) { throw dataset::DatabaseError("Disk full"); };
    enter(grid, 0, 1, "5");
    click(grid, 2, 1); // the refused post keeps the row
    EXPECT_EQ(dialogs.shown.back(), "error: Disk full");
    EXPECT_EQ(items->state(), CursorState::Edit);
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

// A value typed into a row that another cursor deleted meanwhile lands in no other row.
TEST_F(Grid, AValueTypedIntoARowDeletedElsewhereIsRefusedWithItsMessage) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    dataset::Cursor other(*set, "items");
    other.open();
    other.deleteRow(); // "a", the grid's row
    EXPECT_FALSE(grid.model()->setData(cell(grid, 0, 1), QStringLiteral("7")));
    EXPECT_EQ(dialogs.shown,
              Shown{"error: Editing table 'items': the row was deleted through another cursor"});
    EXPECT_EQ(items->state(), CursorState::Browse);
    EXPECT_EQ(stored(), (Rows{"b 2", "c 3"}));
}

TEST_F(Grid, DropDownsListTheChoicesAndSetTheField) {
    addKind("Bolt");
    const int nut = addKind("Nut");
    addKind("Screw");
    ui::DataGrid grid(*items, columns());
    grid.show();
    auto choose = [&](int column, int choice) {
        grid.setCurrentIndex(cell(grid, 0, column));
        grid.edit(cell(grid, 0, column));
        auto* combo = editor<QComboBox>(grid);
        QStringList texts;
        for (int i = 0; combo && i < combo->count(); ++i) texts << combo->itemText(i);
        if (combo) {
            combo->setCurrentIndex(choice);
            emit combo->activated(choice);
        }
        return texts;
    };
    EXPECT_EQ(choose(2, 1), (QStringList{"Bolt", "Nut", "Screw"}));
    EXPECT_EQ(items->field("KindID").asInteger(), nut);
    EXPECT_EQ(text(grid, 0, 2), "Nut");
    EXPECT_EQ(choose(3, 1), (QStringList{"False", "True"}));
    EXPECT_TRUE(items->field("Turn").asBoolean());
}

// Typing in a drop-down cell completes to a listed value; a value listed nowhere is refused with
// the field's message, the cell stays current and the field keeps its value, whatever key ends
// the typing.
TEST_F(Grid, TypingInADropDownCellTakesListedValuesAndRefusesOthers) {
    addKind("Bolt");
    const int nut = addKind("Nut");
    ui::DataGrid grid(*items, columns());
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    auto typeInKind = [&](const char* typed, Qt::Key end) {
        grid.setCurrentIndex(cell(grid, 0, 2));
        QTest::keyClicks(&grid, QString::fromLatin1(typed).left(1));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_NE(focus, &grid) << typed; // the typing went into a cell editor
        if (focus == &grid) return;
        QTest::keyClicks(focus, QString::fromLatin1(typed).mid(1));
        QTest::keyClick(QApplication::focusWidget(), end);
        QCoreApplication::processEvents();
    };
    typeInKind("nu", Qt::Key_Return);
    EXPECT_EQ(items->field("KindID").asInteger(), nut);
    EXPECT_EQ(text(grid, 0, 2), "Nut");
    EXPECT_EQ(dialogs.shown, Shown{});

    for (Qt::Key end : {Qt::Key_Return, Qt::Key_Tab}) {
        dialogs.shown.clear();
        typeInKind("Test truck", end);
        ASSERT_EQ(dialogs.shown.size(), 1u) << end;
        EXPECT_NE(dialogs.shown[0].find("Test truck"), std::string::npos) << dialogs.shown[0];
        EXPECT_EQ(items->field("KindID").asInteger(), nut);
        EXPECT_EQ(grid.currentIndex(), cell(grid, 0, 2));
        EXPECT_TRUE(grid.hasFocus());
    }
    // A pick list completes the same way.
    dialogs.shown.clear();
    grid.setCurrentIndex(cell(grid, 0, 3));
    QTest::keyClicks(&grid, "t");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(items->field("Turn").asBoolean());
    EXPECT_EQ(dialogs.shown, Shown{});
}

// A title longer than its column's design width widens the column: set at the start or later.
TEST_F(Grid, ColumnsAreAtLeastAsWideAsTheirTitles) {
    auto cols = columns();
    cols[1].widthPixels = 20;
    cols[1].title = QStringLiteral("A title far wider than twenty pixels");
    ui::DataGrid grid(*items, cols);
    grid.show();
    const QFontMetrics metrics = grid.horizontalHeader()->fontMetrics();
    EXPECT_GE(grid.columnWidth(1), metrics.horizontalAdvance(cols[1].title));
    const QString longer = QStringLiteral("SpostFrontSpostFrontSpostFront");
    ASSERT_TRUE(grid.model()->setHeaderData(0, Qt::Horizontal, longer));
    EXPECT_GE(grid.columnWidth(0), metrics.horizontalAdvance(longer));
    const int wide = grid.columnWidth(0);
    grid.model()->setHeaderData(0, Qt::Horizontal, QStringLiteral("N"));
    EXPECT_EQ(grid.columnWidth(0), wide); // a shorter title leaves the width alone
}

// The field's label shows until a title is written, but the design width stays: the texts that
// write the titles come later and decide.
TEST_F(Grid, TheFieldsLabelStandsInForAMissingTitleWithoutWideningTheColumn) {
    const QString label = QStringLiteral("A label far wider than twenty pixels");
    items->field("Qty").setLabel(label.toStdString());
    auto cols = columns();
    cols[1].widthPixels = 20;
    ui::DataGrid grid(*items, cols);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), label);
    EXPECT_LT(grid.columnWidth(1), grid.horizontalHeader()->fontMetrics().horizontalAdvance(label));
    ASSERT_TRUE(grid.model()->setHeaderData(1, Qt::Horizontal, QStringLiteral("Q")));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Q"));
}

TEST_F(Grid, ColumnsTakeTitlesByNumberKeepTheirOrderAndTheirSettings) {
    auto cols = columns();
    cols[1].readOnly = true;
    cols[1].widthPixels = 138;
    cols[2].visible = false;
    ui::DataGrid grid(*items, cols);
    grid.show();
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString().toStdString(), "Name");
    EXPECT_TRUE(grid.model()->setHeaderData(3, Qt::Horizontal, "Turns"));
    EXPECT_EQ(grid.model()->headerData(3, Qt::Horizontal).toString().toStdString(), "Turns");
    EXPECT_FALSE(grid.model()->setHeaderData(4, Qt::Horizontal, "None"));

    EXPECT_FALSE(grid.horizontalHeader()->sectionsMovable());
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.columnWidth(1), 138);
    grid.setCurrentIndex(cell(grid, 0, 1));
    QTest::keyClick(&grid, Qt::Key_7);
    EXPECT_EQ(items->state(), CursorState::Browse);
    EXPECT_EQ(editor<QLineEdit>(grid), nullptr);
}

TEST_F(Grid, SuspendedDisplayShowsTheOldRowsUntilResumed) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    EXPECT_EQ(text(grid, 0, 1), "1");
    {
        ui::DisplaySuspension suspended([&] { items->disableControls(); }, [&] { items->enableControls(); });
        items->edit();
        items->field("Qty").setInteger(7);
        items->post();
        addItem("d", 4);
        EXPECT_EQ(text(grid, 0, 1), "1");
        EXPECT_EQ(grid.model()->rowCount(), 3);
        EXPECT_EQ(grid.currentIndex().row(), 0);
    }
    EXPECT_EQ(text(grid, 0, 1), "7");
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.currentIndex().row(), 3);
}

TEST_F(Grid, AClosedCursorShowsAnEmptyGrid) {
    items->close();
    ui::DataGrid grid(*items, columns());
    grid.show();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    items->open();
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 0);
    items->close();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_FALSE(grid.currentIndex().isValid());
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_5);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.shown, Shown{});
}

TEST_F(Grid, InsertShowsANewRowThatEscOrLeavingDrops) {
    QWidget window;
    auto* grid = new ui::DataGrid(*items, columns(), &window);
    auto* other = new QLineEdit(&window);
    ui::DataNavigator navigator(*items);
    window.show();
    QApplication::setActiveWindow(&window);
    items->next();
    navigator.click(ui::DataNavigator::Button::Insert);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(text(*grid, 1, 0), "");
    EXPECT_EQ(text(*grid, 2, 0), "b");
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(items->state(), CursorState::Browse);

    int exits = 0;
    QObject::connect(grid, &ui::DataGrid::exited, [&] { ++exits; });
    navigator.click(ui::DataNavigator::Button::Insert);
    grid->setFocus();
    other->setFocus();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2", "c 3"}));
}

TEST_F(Grid, HooksSeeKeysAndDoubleClicksBeforeEditing) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    std::vector<int> keys;
    grid.beforeKey = [&](QKeyEvent& e) {
        keys.push_back(e.key());
        return e.key() == Qt::Key_X;
    };
    grid.setCurrentIndex(cell(grid, 0, 0));
    QTest::keyClick(&grid, Qt::Key_X);
    EXPECT_EQ(items->state(), CursorState::Browse);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(items->field("Name").asString(), "b");
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_X, Qt::Key_Down}));

    int doubleClicks = 0;
    grid.beforeDoubleClick = [&] { return ++doubleClicks > 0; };
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell(grid, 1, 0)).center());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(items->state(), CursorState::Browse);

    grid.setReadOnly(true); // the hook still sees the key; no editor opens
    QTest::keyClick(&grid, Qt::Key_A);
    EXPECT_EQ(keys.back(), Qt::Key_A);
    EXPECT_EQ(items->state(), CursorState::Browse);
    EXPECT_EQ(editor<QLineEdit>(grid), nullptr);
}

TEST_F(Grid, CtrlDeleteAsksBeforeDeleting) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.shown, Shown{"ask: Delete record?"});
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2", "c 3"}));
    dialogs.answer = core::DialogButton::Ok;
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored(), (Rows{"b 2", "c 3"}));
    EXPECT_EQ(text(grid, grid.currentIndex().row(), 0), "b");
}

TEST_F(Grid, ATabFromARefusedValueKeepsItsCell) {
    ui::DataGrid grid(*items, columns());
    grid.show();
    grid.setCurrentIndex(cell(grid, 0, 1));
    grid.edit(cell(grid, 0, 1));
    auto* e = editor<QLineEdit>(grid);
    ASSERT_NE(e, nullptr);
    e->setText(QStringLiteral("99999"));
    QTest::keyClick(e, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(grid.currentIndex(), cell(grid, 0, 1));
    EXPECT_EQ(text(grid, 0, 1), "1");
}

// Disabled, a grid shows no column's own text colour: everything disabled looks disabled.
TEST_F(Grid, ADisabledGridGreysItsColouredColumns) {
    auto cols = columns();
    const QColor green(0, 128, 0);
    const QColor yellow(254, 255, 222);
    cols[1].textColor = green;
    cols[0].background = yellow;
    ui::DataGrid grid(*items, cols);
    grid.resize(400, 200);
    auto pixels = [&](const QColor& colour) {
        const QImage image = grid.grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == colour;
        return n;
    };
    EXPECT_GT(pixels(green), 0);
    EXPECT_GT(pixels(yellow), 0);
    grid.setEnabled(false);
    EXPECT_EQ(pixels(green), 0);
    EXPECT_EQ(pixels(yellow), 0);
}

// Following the cursor selects what the grid shows as selected: the whole row in a grid of rows,
// nothing in a grid without selection.
TEST_F(Grid, FollowingTheCursorSelectsWholeRowsOrNothingAsTheGridSelects) {
    ui::DataGrid rows(*items, columns());
    rows.setSelectionBehavior(QAbstractItemView::SelectRows);
    rows.show();
    items->last();
    EXPECT_TRUE(rows.selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(rows.selectionModel()->selectedIndexes().size(), 4);

    ui::DataGrid none(*items, columns());
    none.setSelectionMode(QAbstractItemView::NoSelection);
    none.show();
    items->first();
    EXPECT_EQ(none.currentIndex().row(), 0);
    EXPECT_FALSE(none.selectionModel()->hasSelection());
    items->next();
    EXPECT_EQ(none.currentIndex().row(), 1);
    EXPECT_FALSE(none.selectionModel()->hasSelection());
}

// A grid told to select whole rows after it was made shows the current row whole once shown.
TEST_F(Grid, AGridMadeToSelectRowsShowsTheCurrentRowWholeWhenShown) {
    items->next();
    ui::DataGrid rows(*items, columns());
    rows.setSelectionBehavior(QAbstractItemView::SelectRows);
    rows.show();
    EXPECT_TRUE(rows.selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(rows.selectionModel()->selectedIndexes().size(), 4);
    rows.hide();
    rows.selectionModel()->select(cell(rows, 1, 0), QItemSelectionModel::ClearAndSelect);
    rows.show();
    EXPECT_EQ(rows.selectionModel()->selectedIndexes().size(), 4);
}
