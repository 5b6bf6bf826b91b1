// The edit guard of the task grids and turn-rule boxes, and the grids' column widths.
#include "TaskPageFixture.h"

#include "core/Rounding.h"

#include <QAbstractItemModel>

namespace {

const std::string yellowColumns =
    "information: You can modify yellow columns data\rjust from the Container/Box "
    "Library";
const std::string clearFirst = "information: You'd \"Clear\" preceding solution\rbefore task data modifying";

constexpr int markColumn = 5;
constexpr int amountColumn = 3;

class TaskPageGuard : public TaskPageTest {
  protected:
    void SetUp() override {
        TaskPageTest::SetUp();
        sampleTask();
    }
    void dblClick(rectix::ui::DataGrid* g, int row, int column) const {
        QApplication::setActiveWindow(main);
        const QPoint at = g->visualRect(g->model()->index(row, column)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at); // the first click chooses the cell
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST_F(TaskPageGuard, ALetterInAYellowColumnShowsMessage52AndNotInTheAmountColumn) {
    for (const char* name : {"ContsGrid", "BoxesGrid"}) {
        dialogs.shown.clear();
        rectix::ui::DataGrid* g = grid(name);
        focusCell(g, 0, markColumn);
        QTest::keyClick(g, Qt::Key_A);
        EXPECT_EQ(dialogs.shown, std::vector<std::string>{yellowColumns}) << name;

        dialogs.shown.clear();
        focusCell(g, 0, amountColumn);
        QTest::keyClick(g, Qt::Key_A);
        EXPECT_TRUE(dialogs.shown.empty()) << name;
        g->setCurrentIndex(g->model()->index(0, 0)); // closes the cell editor the letter opened
    }
    // A yellow column takes no typing: its values come from the libraries.
    EXPECT_FALSE(grid("ContsGrid")->model()->flags(grid("ContsGrid")->model()->index(0, markColumn)) &
                 Qt::ItemIsEditable);
}

TEST_F(TaskPageGuard, ANewRowIsStoredOnlyOnceItHasItsQuantity) {
    rectix::ui::DataGrid* g = grid("ContsGrid");
    const std::int32_t van = addContainer("Van", 420, 200);
    dialogs.shown.clear();
    dm->tc.append();
    dm->tcTypeID.setInteger(van);
    const int row = static_cast<int>(dm->tc.currentIndex());
    focusCell(g, row, 0);
    g->setCurrentIndex(g->model()->index(row, amountColumn)); // on to the quantity
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(dm->tc.state(), rectix::dataset::CursorState::Insert);
    dm->tcAvail.setInteger(2);
    g->setCurrentIndex(g->model()->index(g->model()->index(row, 0).row(), markColumn));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(dm->tc.state(), rectix::dataset::CursorState::Browse);
    EXPECT_TRUE(dm->tc.locate("TypeID", van));
}

TEST_F(TaskPageGuard, NavigationKeysNeverShowAGuardMessage) {
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Tab,
                            Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_Escape};
    rectix::ui::DataGrid* g = grid("BoxesGrid");
    for (Qt::Key key : keys) {
        focusCell(g, 0, markColumn);
        QTest::keyClick(g, key);
    }
    focusCell(g, 0, markColumn);
    QTest::keyClick(g, Qt::Key_Tab, Qt::ShiftModifier);
    click("RunButton");
    ASSERT_TRUE(solved());
    for (Qt::Key key : keys) {
        focusCell(g, 0, markColumn);
        QTest::keyClick(g, key);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TaskPageGuard, WithASolutionEditingShowsMessage51) {
    click("RunButton");
    ASSERT_TRUE(solved());
    dblClick(grid("ContsGrid"), 0, amountColumn);
    dblClick(grid("BoxesGrid"), 0, markColumn);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{clearFirst, clearFirst}));

    dialogs.shown.clear();
    focusCell(grid("ContsGrid"), 0, amountColumn);
    QTest::keyClick(grid("ContsGrid"), Qt::Key_5);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{clearFirst});
    EXPECT_FALSE(dm->tc.modified()); // the grid is read-only

    dialogs.shown.clear();
    part<QWidget>("DBCheckDflt")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{clearFirst});
}

TEST_F(TaskPageGuard, CtrlTabOutOfASolvedTasksGridShowsNoGuardMessage) {
    click("RunButton");
    ASSERT_TRUE(solved());
    dialogs.shown.clear();
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    focusCell(conts, 0, amountColumn);
    QTest::keyClick(conts, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(main->focusWidget(), part<QWidget>("DBCheckDflt"));
    rectix::ui::DataGrid* boxes = grid("BoxesGrid");
    focusCell(boxes, 0, amountColumn);
    QTest::keyClick(boxes, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TaskPageGuard, WithoutASolutionDoubleClicksAndTurnRulesShowMessagesOnlyForYellowColumns) {
    dblClick(grid("ContsGrid"), 0, markColumn + 2);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{yellowColumns});
    dialogs.shown.clear();
    QApplication::setActiveWindow(main);
    part<QWidget>("DBCheckDflt")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.shown.empty());
}

namespace {

class TaskPageColumns : public TaskPageTest {
  protected:
    std::vector<int> widths(rectix::ui::DataGrid* g) const {
        std::vector<int> w;
        for (int c = 0; c < g->model()->columnCount(); ++c) w.push_back(g->columnWidth(c));
        return w;
    }
    void resizeClient(int width) const {
        main->resize(width, main->height());
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(TaskPageColumns, ANarrowWindowKeepsTheDesignWidthsAndAWideOneScalesEveryShownColumnAlike) {
    sampleTask();
    resizeClient(main->minimumWidth());
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    const std::vector<int> design = widths(conts);
    EXPECT_EQ(design[0], 138);
    for (int c = 3; c <= 10; ++c) EXPECT_EQ(design[static_cast<std::size_t>(c)], 64) << c;
    EXPECT_EQ(widths(grid("BoxesGrid"))[0], 141);

    resizeClient(1200);
    int sum = 0;
    for (int c = 0; c < static_cast<int>(design.size()); ++c)
        if (!conts->isColumnHidden(c)) sum += design[static_cast<std::size_t>(c)];
    const float factor = static_cast<float>(static_cast<long double>(conts->width() - 50) / sum);
    ASSERT_GT(factor, 1.2f);
    for (int c = 0; c < static_cast<int>(design.size()); ++c) {
        if (conts->isColumnHidden(c)) continue;
        EXPECT_EQ(
            conts->columnWidth(c),
            rectix::core::roundHalfEven(static_cast<float>(design[static_cast<std::size_t>(c)]) * factor))
            << c;
    }
    EXPECT_TRUE(conts->isColumnHidden(2)); // the priority stays hidden

    store().placementFlags = {};
    resizeClient(main->minimumWidth());
    EXPECT_EQ(widths(conts), design);
    EXPECT_TRUE(store().placementFlags.solutForm); // the other windows place themselves anew
}
