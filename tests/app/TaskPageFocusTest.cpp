// Where the keyboard focus goes after the page's commands and after a message dialog.
#include "../support/WindowAnswers.h"
#include "TaskPageFixture.h"

#include "core/Dialogs.h"
#include "ui/DataEdit.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"
#include "ui/WindowDialogs.h"

#include <QDialog>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <utility>
#include <vector>

namespace {

using Button = rectix::ui::DataNavigator::Button;

constexpr int costColumn = 1;
constexpr int amountColumn = 3;

// Real message dialogs, each closed with its default button as soon as it is up.
class RealDialogs {
  public:
    RealDialogs() {
        previous_ = rectix::core::Dialogs::install(&windows_);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++closed;
                d->accept();
            }
        });
        timer_.start();
    }
    ~RealDialogs() { rectix::core::Dialogs::install(previous_); }
    RealDialogs(const RealDialogs&) = delete;
    RealDialogs& operator=(const RealDialogs&) = delete;

    int closed = 0;

  private:
    QTimer timer_;
    rectix::ui::WindowDialogs windows_;
    rectix::core::Dialogs* previous_ = nullptr;
};

class TaskPageFocus : public TaskPageTest {
  protected:
    void SetUp() override {
        TaskPageTest::SetUp();
        sampleTask();
        QApplication::setActiveWindow(main);
    }
    QWidget* focus() const {
        QApplication::processEvents();
        return QApplication::focusWidget();
    }
    rectix::ui::DataNavigator* navigator(const char* name) const {
        return part<rectix::ui::DataNavigator>(name);
    }
    void clickCell(rectix::ui::DataGrid* g, int row, int column) const {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(row, column)).center());
    }
    // Types into a cell and leaves it with Tab, as the user does.
    void typeIntoCell(rectix::ui::DataGrid* g, int row, int column, const char* text) const {
        focusCell(g, row, column);
        QTest::keyClick(g, text[0]); // opens the cell editor
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClicks(editor, QString::fromLatin1(text + 1));
        QTest::keyClick(editor, Qt::Key_Tab);
    }
};

} // namespace

// The user's next keys go to the cell that was refused, not into the task's name.
TEST_F(TaskPageFocus, AfterAMessageTheFocusIsBackInTheCellThatRaisedIt) {
    RealDialogs real;

    const std::string name = dm->tasksName.asString();
    for (const char* text : {"abc", "0", "99999"}) {
        rectix::ui::DataGrid* g = grid("ContsGrid");
        typeIntoCell(g, 0, amountColumn, text);
        EXPECT_EQ(focus(), g) << text;
        EXPECT_EQ(g->currentIndex().row(), 0) << text;
        EXPECT_EQ(g->currentIndex().column(), amountColumn) << text;
        QTest::keyClick(g, Qt::Key_Escape);
    }
    EXPECT_EQ(real.closed, 3);
    EXPECT_EQ(dm->tasksName.asString(), name);
    EXPECT_EQ(dm->tcAvail.asInteger(), 1);
}

// The rules drop a new row whose amount they refuse, and in a task without rows its cell editor
// goes with it: the focus stays in the grid, so the next keys never rename the task.
TEST_F(TaskPageFocus, ARefusedAmountDropsTheNewRowAndTheFocusStaysInTheGrid) {
    RealDialogs real;
    const std::int32_t lorry = addContainer("Lorry", 800, 240);
    addTask("Empty");
    rectix::ui::DataGrid* g = grid("ContsGrid");
    for (const Qt::Key leave : {Qt::Key_Return, Qt::Key_Tab}) {
        focusCell(g, 0, 0);
        QTest::keyClick(g, Qt::Key_Insert);
        dm->tcTypeID.setInteger(lorry);
        g->setCurrentIndex(g->model()->index(0, amountColumn));
        QTest::keyClick(g, Qt::Key_Minus);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), leave);
        EXPECT_EQ(rows(dm->tc), 0) << leave;
        focus();
        EXPECT_EQ(main->focusWidget(), g) << leave;
        QTest::keyClicks(main->focusWidget(), QStringLiteral("zz"));
        EXPECT_EQ(dm->tasksName.asString(), "Empty") << leave;
    }
    EXPECT_EQ(real.closed, 2);
}

TEST_F(TaskPageFocus, AfterDeletingATaskTheNameOfTheTaskShownHasTheFocus) {
    addTask("Second");
    dialogs.answers = {rectix::core::DialogButton::Ok};
    QTest::mouseClick(navigator("TasksNavigator")->button(Button::Delete), Qt::LeftButton);
    ASSERT_EQ(rows(dm->tasks), 1);
    EXPECT_EQ(focus(), part<rectix::ui::DataEdit>("NameEdit"));
}

TEST_F(TaskPageFocus, ANewTaskHasItsNameSelectedSoThatTypingReplacesIt) {
    QTest::mouseClick(navigator("TasksNavigator")->button(Button::Insert), Qt::LeftButton);
    auto* name = part<rectix::ui::DataEdit>("NameEdit");
    EXPECT_EQ(focus(), name);
    EXPECT_FALSE(name->text().isEmpty());
    EXPECT_EQ(name->selectedText(), name->text());
}

TEST_F(TaskPageFocus, ANewRowHasTheFocusInItsFirstCell) {
    for (const char* which : {"Conts", "Boxes"}) {
        rectix::ui::DataGrid* g = grid((std::string(which) + "Grid").c_str());
        QTest::mouseClick(navigator((std::string(which) + "Navigator").c_str())->button(Button::Insert),
                          Qt::LeftButton);
        EXPECT_EQ(focus(), g) << which;
        EXPECT_EQ(g->dataCursor().state(), rectix::dataset::CursorState::Insert) << which;
        EXPECT_EQ(g->currentIndex().row(), g->dataModel().currentRow()) << which;
        EXPECT_EQ(g->currentIndex().column(), 0) << which;
        QTest::keyClick(g, Qt::Key_Escape);
    }
}

TEST_F(TaskPageFocus, TabMovesBetweenCellsAndCtrlTabLeavesTheGrid) {
    rectix::ui::DataGrid* g = grid("ContsGrid");
    focusCell(g, 0, 0);
    QTest::keyClick(g, Qt::Key_Tab);
    EXPECT_EQ(focus(), g);
    EXPECT_EQ(g->currentIndex().column(), 1);
    QTest::keyClick(g, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(focus(), part<QWidget>("DBCheckDflt"));
    focusCell(g, 0, 1);
    QTest::keyClick(g, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(focus(), part<QWidget>("DescrEdit"));
}

// Whatever a command disables, the keyboard is left on a control that takes it.
TEST_F(TaskPageFocus, AfterSolveAndClearTheFocusIsOnAnEnabledControl) {
    // The progress window had the activation; the window manager gives it back to the page.
    auto expectUsable = [this](const char* step) {
        QApplication::processEvents();
        QWidget* f = main->focusWidget();
        ASSERT_NE(f, nullptr) << step;
        EXPECT_TRUE(f->isEnabled()) << step << ": " << f->objectName().toStdString();
        EXPECT_TRUE(f->isVisible()) << step << ": " << f->objectName().toStdString();
    };
    click("RunButton");
    ASSERT_TRUE(solved());
    EXPECT_EQ(main->focusWidget(), button("ViewButton"));

    dialogs.answers = {rectix::core::DialogButton::Ok};
    click("RunButton");
    ASSERT_FALSE(solved());
    expectUsable("clear by mouse");

    click("RunButton");
    ASSERT_TRUE(solved());
    dialogs.answers = {rectix::core::DialogButton::Ok};
    QApplication::setActiveWindow(main);
    button("ViewButton")->setFocus();
    QTest::keyClick(button("ViewButton"), Qt::Key_L, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !solved(); }));
    expectUsable("clear from the keyboard");

    store().warnings = false;
    click("RunButton");
    click("RunButton");
    ASSERT_FALSE(solved());
    expectUsable("clear without asking");
}

TEST_F(TaskPageFocus, DeletingTheLastTaskOrRowLeavesTheFocusOnAnEnabledControl) {
    for (const char* which : {"Conts", "Boxes"}) {
        for (int row = 0; row < 2; ++row) {
            dialogs.answers = {rectix::core::DialogButton::Ok};
            QTest::mouseClick(navigator((std::string(which) + "Navigator").c_str())->button(Button::Delete),
                              Qt::LeftButton);
        }
        QWidget* f = focus();
        ASSERT_NE(f, nullptr) << which;
        EXPECT_TRUE(f->isEnabled()) << which << ": " << f->objectName().toStdString();
    }
    dialogs.answers = {rectix::core::DialogButton::Ok};
    QTest::mouseClick(navigator("TasksNavigator")->button(Button::Delete), Qt::LeftButton);
    ASSERT_EQ(rows(dm->tasks), 0);
    // The delete's progress window had the activation; the window manager gives it back.
    QApplication::processEvents();
    EXPECT_EQ(main->focusWidget(), navigator("TasksNavigator")->button(Button::Insert));
}

// Clicking "+" of a grid while the new task's name is still being typed: the click posts the
// task, which refreshes the page, and still adds the row (the refresh once hid and showed the
// navigator's buttons under the mouse, which swallowed the click).
TEST_F(TaskPageFocus, AGridsPlusWorksRightAfterTypingANewTasksName) {
    QTest::mouseClick(navigator("TasksNavigator")->button(Button::Insert), Qt::LeftButton);
    QTest::keyClicks(focus(), QStringLiteral("My task"));
    QToolButton* plus = navigator("ContsNavigator")->button(Button::Insert);
    // Through the window, as the window system delivers a click.
    QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, plus->mapTo(main, plus->rect().center()));
    EXPECT_EQ(dm->tasksName.asString(), "My task");
    EXPECT_EQ(dm->tasks.state(), rectix::dataset::CursorState::Browse);
    EXPECT_EQ(dm->tc.state(), rectix::dataset::CursorState::Insert);
    EXPECT_EQ(focus(), grid("ContsGrid"));
}

// Moving to the end greys out Next and Last under the mouse; the keyboard moves on to a control
// that takes it.
TEST_F(TaskPageFocus, TheNavigatorsEndsLeaveTheFocusOnAnEnabledControl) {
    addTask("Second");
    for (const char* which : {"TasksNavigator", "ContsNavigator", "BoxesNavigator"}) {
        for (Button b : {Button::First, Button::Last, Button::First, Button::Next, Button::Next}) {
            QToolButton* button = navigator(which)->button(b);
            if (!button->isEnabled()) continue;
            QTest::mouseClick(button, Qt::LeftButton);
            QWidget* f = focus();
            ASSERT_NE(f, nullptr) << which;
            EXPECT_TRUE(f->isEnabled()) << which << ": " << f->objectName().toStdString();
        }
    }
}

// The Insert key adds a row where the "+" does, so rows can be added by keyboard alone; with a
// solution the grids take none.
TEST_F(TaskPageFocus, TheInsertKeyAddsARowWhereThePlusDoes) {
    for (const char* which : {"ContsGrid", "BoxesGrid"}) {
        rectix::ui::DataGrid* g = grid(which);
        focusCell(g, 0, 3);
        QTest::keyClick(g, Qt::Key_Insert);
        EXPECT_EQ(g->dataCursor().state(), rectix::dataset::CursorState::Insert) << which;
        EXPECT_EQ(focus(), g) << which;
        EXPECT_EQ(g->currentIndex().row(), g->dataModel().currentRow()) << which;
        EXPECT_EQ(g->currentIndex().column(), 0) << which;
        QTest::keyClick(g, Qt::Key_Escape);
        EXPECT_EQ(g->dataCursor().state(), rectix::dataset::CursorState::Browse) << which;
    }
    click("RunButton");
    ASSERT_TRUE(solved());
    const int before = rows(dm->tc);
    dialogs.shown.clear();
    focusCell(grid("ContsGrid"), 0, 0);
    QTest::keyClick(grid("ContsGrid"), Qt::Key_Insert);
    EXPECT_EQ(dm->tc.state(), rectix::dataset::CursorState::Browse);
    EXPECT_EQ(rows(dm->tc), before);
}

// An Alt+letter that is no shortcut of the page (here Alt+G) types nothing: not into the task's
// name, not into a cell editor, and it opens no cell editor either.
TEST_F(TaskPageFocus, AnAltLetterThatIsNoShortcutTypesNothing) {
    auto* name = part<rectix::ui::DataEdit>("NameEdit");
    name->setFocus(Qt::MouseFocusReason);
    name->setCursorPosition(static_cast<int>(name->text().size()));
    QTest::keyClick(name, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(name, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(name->text(), QStringLiteral("Shipment"));
    EXPECT_EQ(dm->tasksName.asString(), "Shipment");

    rectix::ui::DataGrid* g = grid("ContsGrid");
    focusCell(g, 0, amountColumn);
    QTest::keyClick(g, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(focus(), g); // no cell editor opened for it
    QTest::keyClick(g, Qt::Key_4);
    QWidget* editor = focus();
    ASSERT_NE(editor, g);
    QTest::keyClick(editor, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor)->text(), QStringLiteral("4"));
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(dm->tcAvail.asInteger(), 4);
    EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);
}

// A row whose post the rules refuse: one message, and the user is back on the refused cell to
// correct it, by keyboard or by mouse; visiting the row's cells does not post it again.
TEST_F(TaskPageFocus, ARefusedPostShowsOneMessageAndLeavesTheUserOnTheRefusedCell) {
    rectix::ui::DataGrid* g = grid("ContsGrid");
    const int van = g->model()->index(0, 0).data().toString() == QStringLiteral("Van") ? 0 : 1;
    auto type = [this, g](const char* text) {
        QTest::keyClick(g, text[0]);
        QTest::keyClicks(focus(), QString::fromLatin1(text + 1));
        QTest::keyClick(focus(), Qt::Key_Return);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> leaves{
        {"click on another row", [&] { clickCell(g, 1 - van, amountColumn); }},
        {"Down key", [&] { QTest::keyClick(g, van == 0 ? Qt::Key_Down : Qt::Key_Up); }},
        {"click on another control", [&] { QTest::mouseClick(part<QWidget>("DescrEdit"), Qt::LeftButton); }}};
    for (const auto& [how, leave] : leaves) {
        rectix::test::WindowAnswers messages;
        focusCell(g, van, costColumn);
        type("2000000000");
        leave();
        EXPECT_EQ(messages.shown, std::vector<std::string>{"Cost must be from 0 to 1000000000"}) << how;
        EXPECT_EQ(focus(), g) << how;
        EXPECT_EQ(g->currentIndex(), g->model()->index(van, costColumn)) << how;
        clickCell(g, van, amountColumn);
        clickCell(g, van, costColumn);
        type("500");
        clickCell(g, van, amountColumn); // a new value: leaving its cell posts it
        EXPECT_EQ(messages.shown.size(), 1U) << how;
        EXPECT_EQ(g->model()->index(van, costColumn).data().toString().toStdString(), "500") << how;
    }
}
