// The container and box library windows: modes, the mode hint, Reset, Copy to, Clear, placement.
#include "LibraryFixture.h"

#include "app/LibraryKind.h"
#include "app/LibraryWindow.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

namespace {

using rectix::app::LibraryWindow;
using rectix::core::DialogButton;

const std::string editHint =
    "information: You'd press \"Edit\" button\rto modify yellow columns data\ror insert a "
    "new item.";
const std::string fixHint = "information: You'd press \"Fix\" button\rto modify Q'ty column data.";

class LibraryWindowTest : public LibraryPageTest {
  protected:
    static QPushButton* windowButton(LibraryWindow* w, const char* name) {
        return w->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Alt+letter from the focused control.
    static void pressAccelerator(LibraryWindow* w, Qt::Key letter, const char* button) {
        QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !windowButton(w, button)->isDown(); }, 1000)) << button;
    }
    static void typeIn(LibraryWindow* w, int column, Qt::Key key = Qt::Key_A) {
        rectix::ui::DataGrid* g = w->grid();
        g->setFocus(Qt::MouseFocusReason);
        g->setCurrentIndex(g->model()->index(std::max(g->dataModel().currentRow(), 0), column));
        QTest::keyClick(g, key);
        // Closes a cell editor the key may have opened, dropping what it typed.
        if (QWidget* editor = QApplication::focusWidget(); editor && editor != g)
            QTest::keyClick(editor, Qt::Key_Escape);
        if (g->dataCursor().state() != rectix::dataset::CursorState::Browse) g->dataCursor().cancel();
    }

    void setQuantity(rectix::dataset::Cursor& library, std::int32_t id, const char* key, const char* amount,
                     int value) {
        ASSERT_TRUE(library.locate(key, id));
        library.edit();
        library.field(amount).setInteger(value);
        library.post();
    }

    std::int32_t addTemporaryBox(const std::string& name) {
        const std::int32_t id = addBox(name, 10, 10);
        const bool mode = std::exchange(store().boxEditMode, true);
        EXPECT_TRUE(dm->boxes.locate("KindID", id));
        dm->boxes.edit();
        dm->boxesTemp.setBoolean(true);
        dm->boxes.post();
        store().boxEditMode = mode;
        return id;
    }

    std::int32_t addTemporaryContainer(const std::string& name) {
        const std::int32_t id = addContainer(name, 100, 100);
        const bool mode = std::exchange(store().cntEditMode, true);
        EXPECT_TRUE(dm->conts.locate("TypeID", id));
        dm->conts.edit();
        dm->contsTemp.setBoolean(true);
        dm->conts.post();
        store().cntEditMode = mode;
        return id;
    }

    template <typename F> void forEachBox(F f) {
        rectix::dataset::Cursor& c = dm->boxes;
        if (c.isEmpty()) return;
        for (c.first();; c.next()) {
            f();
            if (c.currentIndex() + 1 >= c.recordCount()) break;
        }
    }

    std::vector<std::string> boxKinds() {
        std::vector<std::string> kinds;
        forEachBox([&] { kinds.push_back(dm->boxesKind.asString()); });
        return kinds;
    }

    void markSolved() {
        dm->tasks.edit();
        dm->tasksSolut.setBoolean(true);
        dm->tasks.post();
    }
};

TEST_F(LibraryWindowTest, TheCopyButtonNeedsATaskWithoutASolutionAndBrowseMode) {
    EXPECT_FALSE(windowButton(boxLibrary(), "MoveButton")->isEnabled()); // no task yet
    boxLibrary()->hide();

    sampleTask();
    for (const char* name : {"BoxForm", "CntForm"}) {
        LibraryWindow* w = open(name);
        QPushButton* move = windowButton(w, "MoveButton");
        EXPECT_TRUE(move->isEnabled()) << name;
        w->editButtonClick();
        EXPECT_FALSE(move->isEnabled()) << name;
        w->editButtonClick();
        EXPECT_TRUE(move->isEnabled()) << name;
        w->hide();
    }
    markSolved();
    EXPECT_FALSE(windowButton(boxLibrary(), "MoveButton")->isEnabled());
}

TEST_F(LibraryWindowTest, TheModeHintNamesTheButtonThatAllowsTheEdit) {
    sampleTask();
    LibraryWindow* w = boxLibrary();
    dialogs.shown.clear();
    typeIn(w, 1); // Kind
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{editHint});
    dialogs.shown.clear();
    for (int column : {0, 8, 9}) typeIn(w, column); // Q'ty, Temp, description
    typeIn(w, 1, Qt::Key_Right);                    // navigation never hints
    EXPECT_TRUE(dialogs.shown.empty());

    w->editButtonClick();
    typeIn(w, 0);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{fixHint});
    // The browse-mode columns refuse typing, the edit-mode ones the quantity.
    EXPECT_TRUE(w->grid()->model()->flags(w->grid()->model()->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(w->grid()->model()->flags(w->grid()->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(LibraryWindowTest, ResetZeroesEveryPositiveQuantity) {
    const std::int32_t pallet = addBox("Pallet", 120, 80);
    const std::int32_t crate = addBox("Crate", 60, 40);
    addBox("Drum", 60, 60);
    addTask("Shipment");
    setQuantity(dm->boxes, pallet, "KindID", "Total", 3);
    setQuantity(dm->boxes, crate, "KindID", "Total", 7);
    LibraryWindow* w = boxLibrary();
    QTest::mouseClick(windowButton(w, "ResetButton"), Qt::LeftButton);
    forEachBox([&] { EXPECT_EQ(dm->boxesTotal.asInteger(), 0) << dm->boxesKind.asString(); });
}

TEST_F(LibraryWindowTest, CopyToAddsOrUpdatesTheTaskRowsOfPositiveQuantities) {
    const std::int32_t pallet = addBox("Pallet", 120, 80);
    const std::int32_t crate = addBox("Crate", 60, 40);
    const std::int32_t task = addTask("Shipment");
    setQuantity(dm->boxes, pallet, "KindID", "Total", 3);
    LibraryWindow* w = boxLibrary();
    QTest::mouseClick(windowButton(w, "MoveButton"), Qt::LeftButton);
    ASSERT_EQ(rows(dm->tb), 1);
    EXPECT_EQ(dm->tbKindID.asInteger(), pallet);
    EXPECT_EQ(dm->tbTotal.asInteger(), 3);
    EXPECT_EQ(dm->tbCost.isNull(), false); // a new row has a cost, as a typed one
    EXPECT_FALSE(dm->tb.locate("KindID", crate));
    ASSERT_TRUE(dm->boxes.locate("KindID", pallet));
    EXPECT_EQ(dm->boxesTaskID.asInteger(), task);
    EXPECT_EQ(store().totalBoxes, 3);

    // An existing row takes the library's quantity.
    dm->tb.edit();
    dm->tbTotal.setInteger(9);
    dm->tb.post();
    QTest::mouseClick(windowButton(w, "MoveButton"), Qt::LeftButton);
    ASSERT_EQ(rows(dm->tb), 1);
    EXPECT_EQ(dm->tbTotal.asInteger(), 3);
    EXPECT_EQ(store().totalBoxes, 3);
}

TEST_F(LibraryWindowTest, CopyToGoesThroughTheTaskRowRules) {
    const std::int32_t truck = addContainer("Truck", 1360, 245);
    const std::int32_t van = addContainer("Van", 420, 200);
    addTask("Shipment");
    addTaskContainer(truck, 3);
    // Two trucks hold fixed loads: fewer than two available is refused unless ignored.
    dm->tc.edit();
    dm->tcUsed.setInteger(2);
    dm->tc.post();
    LibraryWindow* w = containerLibrary();
    setQuantity(dm->conts, truck, "TypeID", "Avail", 1);
    setQuantity(dm->conts, van, "TypeID", "Avail", 2);
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Ok};
    w->moveButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_NE(dialogs.shown[0].find("Available container number should not be less"), std::string::npos);
    ASSERT_TRUE(dm->tc.locate("TypeID", truck));
    EXPECT_EQ(dm->tcAvail.asInteger(), 3);
    ASSERT_TRUE(dm->tc.locate("TypeID", van));
    EXPECT_EQ(dm->tcAvail.asInteger(), 2);
    EXPECT_EQ(dm->tc.state(), rectix::dataset::CursorState::Browse);
}

TEST_F(LibraryWindowTest, BoxClearAnswersForAllRows) {
    for (const char* kind : {"T1", "T2", "T3", "T4"}) addTemporaryBox(kind);
    const std::int32_t used = addTemporaryBox("T0 used");
    addBox("Kept", 10, 10);
    addTask("Other task");
    addTaskBox(used, 1);
    addTask("Current task"); // the kind is used by a task that is not the current one
    LibraryWindow* w = boxLibrary();
    w->editButtonClick();

    // Yes to All at the first question: the rest go without asking; the used kind is never offered.
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::No, DialogButton::YesToAll};
    QTest::mouseClick(windowButton(w, "ClearButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"confirm: Delete box:  T1", "confirm: Delete box:  T2"}));
    EXPECT_EQ(boxKinds(), (std::vector<std::string>{"Kept", "T0 used", "T1"}));
    EXPECT_TRUE(w->editMode());
}

TEST_F(LibraryWindowTest, BoxClearEndsAtNoToAllAndTellsWhenNothingIsLeft) {
    for (const char* kind : {"T1", "T2", "T3"}) addTemporaryBox(kind);
    LibraryWindow* w = boxLibrary();
    w->editButtonClick();
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Yes, DialogButton::NoToAll};
    w->clearButtonClick();
    EXPECT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(boxKinds(), (std::vector<std::string>{"T2", "T3"}));

    dialogs.shown.clear();
    dialogs.answers = {DialogButton::YesToAll};
    w->clearButtonClick();
    EXPECT_TRUE(boxKinds().empty());
    dialogs.shown.clear();
    w->clearButtonClick();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"information: Nothing to delete"});
}

TEST_F(LibraryWindowTest, ContainerClearAsksForEachUnusedTemporaryType) {
    addTemporaryContainer("C1");
    addTemporaryContainer("C2");
    addContainer("Kept", 100, 100);
    LibraryWindow* w = containerLibrary();
    w->editButtonClick();
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::No, DialogButton::Yes};
    w->clearButtonClick();
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"confirm: Delete container:\rC1", "confirm: Delete container:\rC2"}));
    EXPECT_EQ(rows(dm->conts), 2);
}

TEST_F(LibraryWindowTest, EditModeHoldsThroughActivationsAndEndsWhenTheWindowCloses) {
    addBox("Crate", 60, 40);
    LibraryWindow* w = boxLibrary();
    auto* navigator = w->findChild<rectix::ui::DataNavigator*>(QStringLiteral("DBNavigator1"));
    EXPECT_TRUE(navigator->button(rectix::ui::DataNavigator::Button::Insert)->isHidden());
    // Outside edit mode the library takes no new row.
    EXPECT_THROW(dm->boxes.insert(), rectix::core::SilentAbort);
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);

    w->editButtonClick();
    EXPECT_FALSE(navigator->button(rectix::ui::DataNavigator::Button::Insert)->isHidden());
    QApplication::setActiveWindow(main);
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(w->editMode());
    EXPECT_TRUE(store().boxEditMode);
    w->reject();
    EXPECT_FALSE(store().boxEditMode);
    w->show();
    EXPECT_FALSE(w->editMode());
}

TEST_F(LibraryWindowTest, AWindowPlacedOnASmallScreenStaysOnItAtItsMinimumSize) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    main->move(screen.left(), screen.bottom() - 60); // the boxes grid far below the screen's foot
    store().placementFlags.setAll();
    for (const char* name : {"BoxForm", "CntForm"}) {
        LibraryWindow* w = open(name);
        EXPECT_GE(w->height(), w->minimumHeight()) << name;
        EXPECT_TRUE(screen.contains(w->geometry())) << name;
        w->hide();
    }
}

// The container library's anchor, the "Box Library" button, is on the page's bottom row: the
// window still opens at least at its design size, on the screen, never above the button's row
// when the screen has room below it.
TEST_F(LibraryWindowTest, TheContainerLibraryOpensAtLeastAtItsDesignSize) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    store().placementFlags.setAll();
    LibraryWindow* w = open("CntForm");
    EXPECT_GE(w->width(), 790);
    EXPECT_GE(w->height(), 268);
    EXPECT_TRUE(screen.contains(w->geometry()));
    const int anchorTop = button("BoxesButton")->mapToGlobal(QPoint(0, 0)).y() - 8;
    if (anchorTop + w->height() + 30 <= screen.bottom() + 1)
        EXPECT_EQ(w->geometry().top(), anchorTop);
    else
        EXPECT_EQ(w->geometry().bottom(), screen.bottom() - 30);
}

} // namespace

// The description column runs past the window's right edge; its title starts at its left edge,
// where it can be seen, not in its middle, out of sight.
TEST_F(LibraryWindowTest, TheDescriptionTitleStartsWhereItCanBeSeen) {
    for (const char* name : {"BoxForm", "CntForm"}) {
        LibraryWindow* w = open(name);
        rectix::ui::DataGrid* g = w->grid();
        const int last = g->model()->columnCount() - 1;
        const QString title = g->model()->headerData(last, Qt::Horizontal).toString();
        EXPECT_EQ(title, QStringLiteral("  Description")) << name;
        const auto alignment =
            g->model()->headerData(last, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_TRUE(alignment & Qt::AlignLeft) << name;
        QHeaderView* header = g->horizontalHeader();
        const int titleStart = header->sectionViewportPosition(last);
        // The box library's column begins inside the window, so its title's first letters show;
        // the container library's begins past the edge, seen once the grid is scrolled.
        if (std::string_view(name) == "BoxForm") {
            EXPECT_LT(titleStart + header->fontMetrics().horizontalAdvance(QStringLiteral("  Desc")),
                      header->viewport()->width());
        }
        w->hide();
    }
}

// The accelerators of the window's buttons work from the grid, where the user types.
TEST_F(LibraryWindowTest, AltDTogglesEditModeFromTheGrid) {
    for (const char* name : {"BoxForm", "CntForm"}) {
        LibraryWindow* w = open(name);
        w->grid()->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(w->editMode()) << name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([w] { return w->editMode(); }, 1000)) << name;
        // In edit mode the button reads "&Fix".
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([w] { return !w->editMode(); }, 1000)) << name;
        w->hide();
    }
}

// A type that a solved task's plan uses cannot change: one warning says so, however the user
// goes on (Tab to the next cell, Enter), and the row keeps its value.
TEST_F(LibraryWindowTest, ChangingATypeASolvedTaskUsesWarnsOnce) {
    sampleTask();
    dm->tc.first();
    const std::int64_t truck = dm->tcTypeID.asInteger();
    click("RunButton");
    ASSERT_TRUE(solved());
    dialogs.shown.clear();
    dialogs.answers.assign(6, DialogButton::Ok);

    LibraryWindow* w = containerLibrary();
    w->editButtonClick();
    ASSERT_TRUE(w->editMode());
    rectix::ui::DataGrid* g = w->grid();
    ASSERT_TRUE(dm->conts.locate("TypeID", truck));
    const int row = g->dataModel().currentRow();
    constexpr int lengthColumn = 3;
    g->setFocus(Qt::MouseFocusReason);
    g->setCurrentIndex(g->model()->index(row, lengthColumn));
    QTest::keyClick(g, Qt::Key_5);
    if (QWidget* editor = QApplication::focusWidget(); editor && editor != g) {
        QTest::keyClicks(editor, QStringLiteral("00"));
        QTest::keyClick(editor, Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();

    std::vector<std::string> warnings;
    for (const std::string& s : dialogs.shown)
        if (s.rfind("warning: ", 0) == 0) warnings.push_back(s);
    EXPECT_EQ(warnings.size(), 1u) << ::testing::PrintToString(dialogs.shown);
    ASSERT_TRUE(dm->conts.locate("TypeID", truck));
    EXPECT_EQ(dm->contsLength.asInteger(), 1360);
    EXPECT_EQ(dm->conts.state(), rectix::dataset::CursorState::Browse);
    w->hide();
}

// The Insert key adds a library row only in edit mode, as the navigator's "+" (shown only then).
TEST_F(LibraryWindowTest, TheInsertKeyAddsARowOnlyInEditMode) {
    addBox("Crate", 60, 40);
    LibraryWindow* w = boxLibrary();
    rectix::ui::DataGrid* g = w->grid();
    g->setFocus(Qt::MouseFocusReason);
    g->setCurrentIndex(g->model()->index(0, 0));
    QTest::keyClick(g, Qt::Key_Insert);
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);
    EXPECT_TRUE(dialogs.shown.empty());

    w->editButtonClick();
    QTest::keyClick(g, Qt::Key_Insert);
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Insert);
    EXPECT_EQ(g->currentIndex().column(), 1); // the quantity column takes no typing in edit mode
    QTest::keyClick(g, Qt::Key_Escape);
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);
    w->hide();
}

// In edit mode Esc belongs to the row being edited, wherever the focus is: the window stays open
// and in edit mode. In browse mode Esc closes it as Close does.
TEST_F(LibraryWindowTest, EscClosesTheWindowOnlyOutsideEditMode) {
    addBox("Crate", 60, 40);
    LibraryWindow* w = boxLibrary();
    w->editButtonClick();
    for (QWidget* target :
         {static_cast<QWidget*>(w->grid()), static_cast<QWidget*>(windowButton(w, "EditButton"))}) {
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible()) << target->objectName().toStdString();
        EXPECT_TRUE(w->editMode()) << target->objectName().toStdString();
    }
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);

    w->editButtonClick();
    ASSERT_FALSE(w->editMode());
    w->grid()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w->grid(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

// Whatever cell the last visit ended in, the window opens on the current row's quantity, so the
// first digit typed sets the quantity instead of bringing the mode hint.
TEST_F(LibraryWindowTest, TheWindowOpensOnTheQuantityOfTheCurrentRow) {
    addBox("Crate", 60, 40);
    addBox("Drum", 60, 60);
    for (const char* name : {"BoxForm", "CntForm"}) {
        if (std::string_view(name) == "CntForm") addContainer("Van", 420, 200);
        LibraryWindow* w = open(name);
        rectix::ui::DataGrid* g = w->grid();
        g->setFocus(Qt::MouseFocusReason);
        g->setCurrentIndex(g->model()->index(0, 1));
        w->reject();
        dialogs.shown.clear();
        w = open(name);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), g) << name;
        EXPECT_EQ(g->currentIndex().row(), g->dataModel().currentRow()) << name;
        EXPECT_EQ(g->currentIndex().column(), 0) << name;
        QTest::keyClick(g, Qt::Key_7);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, g) << name;
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor commits on Return a moment later
        EXPECT_TRUE(dialogs.shown.empty()) << name << ::testing::PrintToString(dialogs.shown);
        const char* amount = std::string_view(name) == "BoxForm" ? "Total" : "Avail";
        EXPECT_EQ(g->dataCursor().field(amount).asInteger(), 7) << name;
        w->reject();
    }
}

// In a pick-list cell (Temp, editable in browse mode) Down moves to the next row as it does in
// every other cell; the closed list does not step the value.
TEST_F(LibraryWindowTest, DownInAPickListCellMovesToTheNextRowAndKeepsTheValue) {
    const std::int32_t crate = addBox("Crate", 60, 40);
    const std::int32_t drum = addBox("Drum", 60, 60);
    LibraryWindow* w = boxLibrary();
    rectix::ui::DataGrid* g = w->grid();
    constexpr int tempColumn = 8;
    g->setFocus(Qt::MouseFocusReason);
    g->setCurrentIndex(g->model()->index(0, tempColumn));
    QTest::keyClick(g, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, g);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(g->currentIndex().row(), 1);
    EXPECT_EQ(g->currentIndex().column(), tempColumn);
    EXPECT_EQ(QApplication::focusWidget(), g);
    for (std::int32_t id : {crate, drum}) {
        ASSERT_TRUE(dm->boxes.locate("KindID", id));
        EXPECT_FALSE(dm->boxesTemp.asBoolean()) << id;
    }
    w->hide();
}

// A cell editor open when the mode changes is written and closed: it would otherwise go on
// taking typing in a column the new mode makes read-only.
TEST_F(LibraryWindowTest, AModeChangeWritesAndClosesAnOpenCellEditor) {
    addBox("Crate", 60, 40);
    LibraryWindow* w = boxLibrary();
    rectix::ui::DataGrid* g = w->grid();
    w->editButtonClick();
    g->setCurrentIndex(g->model()->index(0, 1));
    QTest::keyClick(g, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, g);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral("s"));
    w->editButtonClick();
    EXPECT_FALSE(w->editMode());
    EXPECT_EQ(g->indexWidget(g->currentIndex()), nullptr);
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);
    EXPECT_EQ(dm->boxesKind.asString(), "Crates");
    w->hide();
}

TEST_F(LibraryWindowTest, FixClosesARowOpenedButLeftUnchangedAndTheMarkerFollows) {
    addBox("Crate", 60, 40);
    LibraryWindow* w = boxLibrary();
    w->editButtonClick();
    dm->boxes.edit(); // as after a question answered Yes and the cell left as it was
    w->editButtonClick();
    EXPECT_EQ(dm->boxes.state(), rectix::dataset::CursorState::Browse);
    const int row = w->grid()->dataModel().currentRow();
    EXPECT_EQ(w->grid()->model()->headerData(row, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
    w->hide();
}

// An accelerator moves no focus: the quantity still being typed in its cell is what Copy to and
// Reset act on, in both libraries, also after Down on the last row left the cell editor open.
TEST_F(LibraryWindowTest, AQuantityTypedThenCopiedByItsAcceleratorReachesTheTask) {
    const std::int32_t crate = addBox("Crate", 60, 40);
    const std::int32_t drum = addBox("Drum", 60, 60);
    const std::int32_t van = addContainer("Van", 420, 200);
    addTask("Shipment");
    struct Case {
        const char* window;
        std::int32_t id;
        int row;
        rectix::dataset::Cursor* taskRows;
        const char* key;
        const char* amount;
    };
    for (const Case& c : {Case{"BoxForm", crate, 0, &dm->tb, "KindID", "Total"},
                          Case{"BoxForm", drum, 1, &dm->tb, "KindID", "Total"},
                          Case{"CntForm", van, 0, &dm->tc, "TypeID", "Avail"}}) {
        LibraryWindow* w = open(c.window);
        rectix::ui::DataGrid* g = w->grid();
        g->setFocus(Qt::MouseFocusReason);
        g->setCurrentIndex(g->model()->index(c.row, 0));
        QTest::keyClick(g, Qt::Key_4);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, g) << c.window;
        if (c.row == 1) QTest::keyClick(editor, Qt::Key_Down); // the last row: the editor stays
        pressAccelerator(w, Qt::Key_C, "MoveButton");
        ASSERT_TRUE(c.taskRows->locate(c.key, c.id)) << c.window;
        EXPECT_EQ(c.taskRows->field(c.amount).asInteger(), 4) << c.window;

        // Reset after typing leaves no quantity behind in a cell editor to be written later.
        g->setCurrentIndex(g->model()->index(c.row, 0));
        QTest::keyClick(g, Qt::Key_6);
        pressAccelerator(w, Qt::Key_R, "ResetButton");
        w->reject();
        rectix::dataset::Cursor& library = dm->*w->kind().library;
        ASSERT_TRUE(library.locate(c.key, c.id)) << c.window;
        EXPECT_EQ(library.field(c.amount).asInteger(), 0) << c.window;
    }
}
