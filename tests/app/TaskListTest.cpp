// The task list: choosing a task, closing, deleting and duplicating.
#include "SettingsWindowFixture.h"

#include "ui/DataGrid.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class TaskListTest : public SettingsWindowTest {
  protected:
    rectix::ui::DataGrid* listGrid() const {
        return taskList->findChild<rectix::ui::DataGrid*>(QStringLiteral("DBGrid1"));
    }
    QPushButton* listButton(const char* name) const {
        return taskList->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Opens the list from the task page and runs `inside` once it is shown; the list is modal.
    void openList(std::function<void()> inside) {
        QTimer::singleShot(0, taskList, [this, inside = std::move(inside)] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(taskList));
            inside();
            if (taskList->isVisible()) taskList->reject();
        });
        click("TaskButton");
    }
};

} // namespace

TEST_F(TaskListTest, EnterAndEscCloseTheListOnTheRowReached) {
    const std::int32_t first = addTask("First");
    addTask("Second");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        dm->tasks.last();
        bool closed = false;
        openList([&] {
            listGrid()->setFocus();
            QTest::keyClick(listGrid(), Qt::Key_Up);
            QTest::keyClick(listGrid(), key);
            closed = !taskList->isVisible();
        });
        EXPECT_TRUE(closed) << key;
        EXPECT_EQ(dm->tasksTaskID.asInteger(), first) << key;
        EXPECT_EQ(part<QLineEdit>("NameEdit")->text(), QStringLiteral("First")) << key;
        // Without a solution the run button has the focus.
        EXPECT_EQ(main->focusWidget(), button("RunButton")) << key;
    }
}

TEST_F(TaskListTest, DeleteOnAnEmptySetSaysSoAndDeletesNothing) {
    openList([&] { QTest::mouseClick(listButton("DeleteButton"), Qt::LeftButton); });
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"confirm: DB is empty"});
}

TEST_F(TaskListTest, DeleteAsksFirst) {
    addTask("Kept");
    addTask("Gone");
    dialogs.answers = {rectix::core::DialogButton::Cancel, rectix::core::DialogButton::Ok};
    openList([&] {
        QTest::mouseClick(listButton("DeleteButton"), Qt::LeftButton);
        QTest::mouseClick(listButton("DeleteButton"), Qt::LeftButton);
    });
    EXPECT_EQ(rows(dm->tasks), 1);
    EXPECT_EQ(dm->tasksName.asString(), "Kept");
}

TEST_F(TaskListTest, DuplicateAddsAnUnsolvedCopyNamedAfterTheTask) {
    sampleTask();
    store().warnings = false;
    openList([&] { QTest::mouseClick(listButton("DuplButton"), Qt::LeftButton); });
    EXPECT_EQ(rows(dm->tasks), 2);
    EXPECT_EQ(dm->tasksName.asString(), "Shipment -dupl");
    EXPECT_EQ(rows(dm->tc), 2);
    EXPECT_EQ(rows(dm->tb), 2);
    EXPECT_TRUE(main->isEnabled());
}

// The list stays usable from the keyboard: after Duplicate and Delete the grid has the focus on
// the current row, so Up moves and Enter closes on the row reached.
TEST_F(TaskListTest, DuplicateAndDeleteGiveTheFocusBackToTheGridOnTheCurrentRow) {
    const std::int32_t first = addTask("First");
    addTask("Second");
    store().warnings = false;
    dialogs.answers = {rectix::core::DialogButton::Ok};
    for (const char* name : {"DuplButton", "DeleteButton"}) {
        dm->tasks.last();
        bool closed = false;
        openList([&] {
            listGrid()->setFocus();
            QTest::mouseClick(listButton(name), Qt::LeftButton);
            EXPECT_EQ(QApplication::focusWidget(), listGrid()) << name;
            EXPECT_EQ(listGrid()->currentIndex().row(), static_cast<int>(dm->tasks.currentIndex())) << name;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            closed = !taskList->isVisible();
        });
        EXPECT_TRUE(closed) << name;
        EXPECT_EQ(dm->tasksTaskID.asInteger(), first) << name;
    }
}

TEST_F(TaskListTest, EnterOnAFocusedButtonPressesItAndKeepsTheListOpen) {
    addTask("Kept");
    addTask("Gone");
    dialogs.answers = {rectix::core::DialogButton::Ok};
    bool open = false;
    openList([&] {
        listButton("DeleteButton")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(listButton("DeleteButton"), Qt::Key_Return);
        open = taskList->isVisible();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(rows(dm->tasks), 1);
    EXPECT_EQ(dm->tasksName.asString(), "Kept");
}

TEST_F(TaskListTest, TheCurrentTaskShowsAsAWholeSelectedRow) {
    addTask("Kept");
    addTask("Gone");
    dialogs.answers = {rectix::core::DialogButton::Ok};
    std::vector<int> selected;
    openList([&] {
        const QItemSelectionModel* selection = listGrid()->selectionModel();
        selected.push_back(static_cast<int>(selection->selectedRows().size()));
        QTest::mouseClick(listButton("DeleteButton"), Qt::LeftButton);
        selected.push_back(static_cast<int>(selection->selectedRows().size()));
    });
    EXPECT_EQ(selected, (std::vector<int>{1, 1}));
}

// A cancelled delete leaves the keyboard on "Delete Task": the next Enter asks again, it does not
// choose a task and close the list.
TEST_F(TaskListTest, ACancelledDeleteKeepsTheFocusOnTheDeleteButton) {
    addTask("Kept");
    addTask("Gone");
    dialogs.answers = {rectix::core::DialogButton::Cancel, rectix::core::DialogButton::Ok};
    std::vector<bool> onButton;
    bool open = false;
    openList([&] {
        QPushButton* deleteButton = listButton("DeleteButton");
        deleteButton->setFocus(Qt::TabFocusReason);
        for (int press = 0; press < 2; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            onButton.push_back(QApplication::focusWidget() == deleteButton);
        }
        open = taskList->isVisible();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(rows(dm->tasks), 1);
    // Once a task went, the grid has the keyboard on the current row.
    EXPECT_EQ(onButton, (std::vector<bool>{true, false}));
}
