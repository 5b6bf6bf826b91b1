// The task list: choosing a task, closing, deleting and duplicating.
#include "SettingsWindowFixture.h"

#include "ui/DataGrid.h"

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
