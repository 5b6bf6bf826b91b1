// Deleting a task deletes its solution, containers and boxes as one change.
#include "TaskDbFixture.h"

#include "core/UiTexts.h"
#include "dataset/Errors.h"

#include <sqlite3.h>

namespace rectix::taskdb::test {

class TaskDelete : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        const auto truck = addContainer("Truck", 1200, 800);
        const auto van = addContainer("Van", 600, 400);
        std::vector<std::int32_t> kinds;
        for (const char* k : {"A", "B", "C"}) kinds.push_back(addBox(k, 100, 100));
        other = addTask("Other");
        addTaskContainer(truck, 1);
        addTaskBox(kinds[0], 1);
        doomed = addTask("Doomed");
        addTaskContainer(truck, 2, 1);
        addTaskContainer(van, 1, 1);
        for (auto k : kinds) addTaskBox(k, 2, 1);
        addSolutionContainer(1, truck, kinds[0]);
        addSolutionContainer(2, van, kinds[1]);
        dm->tasks.edit();
        dm->tasksSolut.setBoolean(true);
        dm->tasks.post();
        wait.bar.clear();
    }

    // Rows of a task in one table, read through a cursor of its own.
    std::size_t rowsOf(const char* table, std::int32_t taskID) {
        dataset::Cursor all(dm->db, table);
        all.open();
        std::size_t n = 0;
        for (all.first(); !all.eof(); all.next()) n += all.field("TaskID").asInteger() == taskID;
        return n;
    }

    std::vector<std::size_t> rowsOf(std::int32_t taskID) {
        std::vector<std::size_t> counts;
        for (const char* t : {"tasks", "tc", "tb", "solut", "distr", "posit"})
            counts.push_back(rowsOf(t, taskID));
        return counts;
    }

    std::int32_t other = 0, doomed = 0;
};

TEST_F(TaskDelete, RemovesEveryRowOfTheTaskWithProgress) {
    const auto otherRows = rowsOf(other);
    ASSERT_EQ(rowsOf(doomed), (std::vector<std::size_t>{1, 2, 3, 2, 2, 2}));
    dm->tasks.deleteRow();
    EXPECT_EQ(rowsOf(doomed), (std::vector<std::size_t>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rowsOf(other), otherRows);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), other);
    EXPECT_EQ(figure(PageFigure::AvlNmb), "1");

    EXPECT_EQ(wait.label, core::captionText(core::Caption::DeletingTask));
    EXPECT_EQ(wait.bar, (std::vector<int>{0, 5, 10, 10, 40, 70, 100, 0}));
    EXPECT_FALSE(wait.visible);
    EXPECT_TRUE(wait.pageEnabled);
    EXPECT_FALSE(wait.busy);
    EXPECT_TRUE(dialogs.shown.empty()); // the fixed containers' rows are not asked about

    EXPECT_EQ(addTask("New"), doomed + 1); // a deleted task's TaskID never comes back
}

TEST_F(TaskDelete, ATaskWithoutBoxesGoesFromTenToTheEnd) {
    dm->tasks.locate("TaskID", other);
    dm->tb.deleteRow();
    wait.bar.clear();
    dm->tasks.deleteRow();
    EXPECT_EQ(wait.bar, (std::vector<int>{0, 5, 10, 100, 0}));
}

TEST_F(TaskDelete, AnErrorHalfwayLeavesEverythingInPlace) {
    // The table refuses to lose the task's second box row, as a failing disk would.
    ASSERT_TRUE(dm->setTablesActive(false));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((root / "data/home/tb.db").c_str(), &db), SQLITE_OK);
    const std::string trigger =
        "CREATE TRIGGER fail BEFORE DELETE ON tb WHEN old.KindID = 2 AND old.TaskID = " +
        std::to_string(doomed) + " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END";
    ASSERT_EQ(sqlite3_exec(db, trigger.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_TRUE(dm->setTablesActive(true));
    ASSERT_TRUE(dm->tasks.locate("TaskID", doomed));
    const auto before = rowsOf(doomed);
    wait.bar.clear();

    EXPECT_THROW(dm->tasks.deleteRow(), dataset::DatabaseError);
    EXPECT_EQ(rowsOf(doomed), before);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), doomed);
    EXPECT_EQ(dm->tc.recordCount(), 2u);
    EXPECT_EQ(dm->tb.recordCount(), 3u);
    EXPECT_EQ(dm->solut.recordCount(), 2u);
    EXPECT_EQ(dm->distr.recordCount(), 1u);
    EXPECT_EQ(figure(PageFigure::AvlNmb), "3");
    EXPECT_FALSE(wait.visible);
    EXPECT_EQ(wait.bar.back(), 0);
    EXPECT_TRUE(wait.pageEnabled);
    EXPECT_FALSE(wait.busy);
    EXPECT_FALSE(dm->tc.controlsDisabled());
    EXPECT_TRUE(dm->solut.autoCalcFields());
}

} // namespace rectix::taskdb::test
