// Solve and Clear from the run button, their frame, and the reload before the solution pages.
#include "TaskPageFixture.h"

#include "app/AboutWindow.h"
#include "app/ProgressWindow.h"
#include "engine/PackProblem.h"
#include "results/SolutionWindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace {

class SolveClear : public TaskPageTest {
  protected:
    void expectRestored() const {
        EXPECT_TRUE(main->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(start.waitForm()->isVisible());
    }
    int placedBoxes() {
        int placed = 0;
        for (dm->tb.first(); !dm->tb.eof(); dm->tb.next())
            placed += static_cast<int>(dm->tbPlaced.asInteger());
        return placed;
    }
    // A task of one container and one box row with the given totals.
    void limitTask(int containers, int boxes) {
        const std::int32_t sheet = addContainer("Sheet", 1000, 1000);
        const std::int32_t tile = addBox("Tile", 10, 10);
        addTask("Limits");
        addTaskContainer(sheet, containers);
        addTaskBox(tile, boxes);
    }
    void setAvail(int avail) {
        dm->tc.first();
        dm->tc.edit();
        dm->tcAvail.setInteger(avail);
        dm->tc.post();
    }
    void setTotal(int total) {
        dm->tb.first();
        dm->tb.edit();
        dm->tbTotal.setInteger(total);
        dm->tb.post();
    }
    // The page a button opens modally is closed as soon as it is up.
    void clickClosingPage(const char* name) const {
        QTimer::singleShot(0, [] {
            if (QWidget* page = QApplication::activeModalWidget()) page->close();
        });
        click(name);
    }
};

} // namespace

TEST_F(SolveClear, SolveStoresTheSolutionAndTheButtonTurnsIntoClear) {
    const std::int32_t id = sampleTask();
    QApplication::setActiveWindow(main);
    click("RunButton");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(solved());
    EXPECT_GE(rows(dm->solut), 1);
    EXPECT_EQ(store().loadedSolutionTaskID, id);
    EXPECT_EQ(placedBoxes(), start.problem()->resultSolution.loadedBoxes);
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("C&lear"));
    EXPECT_TRUE(button("ResultButton")->isEnabled());
    EXPECT_EQ(main->focusWidget(), button("ViewButton"));
    expectRestored();
}

TEST_F(SolveClear, SolveIsRefusedOverTheTaskLimitsAndAcceptedAtThem) {
    limitTask(25, 10);
    click("RunButton");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Total container number exceeds limit: 24"});
    setAvail(24);
    setTotal(1001);
    dialogs.shown.clear();
    click("RunButton");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Total box number exceeds limit: 1000"});
    EXPECT_FALSE(solved());
    EXPECT_EQ(rows(dm->solut), 0);

    setTotal(1000);
    store().optTime = 1; // accepted is enough: the plan need not be the best
    dialogs.shown.clear();
    click("RunButton");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(solved());
    EXPECT_GT(placedBoxes(), 0);
}

// A side that fits its field but not with the item gap: the refusal's dialog, not an error box.
TEST_F(SolveClear, SolveRefusesASideTooLongForTheItemGapByName) {
    const std::int32_t sheet = addContainer("Sheet", 1000, 1000);
    const std::int32_t strip = addBox("Strip", 32767, 10);
    addTask("Strips");
    addTaskContainer(sheet, 1);
    addTaskBox(strip, 2);
    store().optBB = 1;
    click("RunButton");
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"error: Task \"Strips\": box kind \"Strip\": Length 32767 is "
                                       "more than 32766, the most a run can hold with the Item to "
                                       "Item Gap 1"});
    EXPECT_FALSE(solved());
    expectRestored();
}

TEST_F(SolveClear, SolveFromTheKeyboardCountsWhatIsStillBeingTypedInACell) {
    sampleTask();
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    focusCell(conts, 0, 3);
    conts->edit(conts->currentIndex());
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(cell, nullptr);
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("30"));
    button("RunButton")->click(); // as its accelerator does: the focus stays in the cell
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Total container number exceeds limit: 24"});
    EXPECT_EQ(dm->tcAvail.asInteger(), 30);
}

TEST_F(SolveClear, ATaskWithoutContainersOrBoxesIsRefusedWithItsMessage) {
    const std::int32_t sheet = addContainer("Sheet", 1000, 1000);
    addBox("Tile", 10, 10);
    addTask("Empty");
    click("RunButton");
    addTaskContainer(sheet, 2);
    click("RunButton");
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"error: You should define container(s)",
                                                       "error: You should define boxes"}));
    EXPECT_FALSE(solved());
}

TEST_F(SolveClear, ClearAsksWhileWarningsIsOnAndClearsAtOnceWithItOff) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());

    click("RunButton"); // answered Cancel
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"confirm: Clear current task solution?"});
    EXPECT_TRUE(solved());

    start.aboutForm()->findChild<QCheckBox*>("WarnsCheck")->setChecked(false);
    dialogs.shown.clear();
    QApplication::setActiveWindow(main);
    click("RunButton");
    EXPECT_EQ(main->focusWidget(), button("RunButton")); // kept through the disabled window
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(solved());
    EXPECT_EQ(rows(dm->solut), 0);
    EXPECT_EQ(placedBoxes(), 0);
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("So&lve"));
    EXPECT_FALSE(button("ViewButton")->isEnabled());
    expectRestored();
}

// Esc reaches the progress window as the user's key does, once the run has begun.
TEST_F(SolveClear, EscDuringALongSolveStopsItWithTheBestPlanStored) {
    const std::int32_t id = sampleTask(2, 60);
    // Active settings past the window's ranges make the run long; the task keeps its own.
    store().optPower = 50;
    store().optTime = 600;
    rectix::app::ProgressWindow* wait = start.waitForm();
    struct EscOnceRunning : QObject {
        QObject* window = nullptr;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Show && window) {
                QCoreApplication::postEvent(window,
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
                window = nullptr;
            }
            return false;
        }
    } esc;
    esc.window = wait;
    wait->findChild<QProgressBar*>(QStringLiteral("ProgBarYnD"))->installEventFilter(&esc);

    click("RunButton");
    EXPECT_TRUE(wait->escPressed());
    EXPECT_TRUE(start.problem()->stopRun); // stopped, not run to its end
    EXPECT_TRUE(solved());
    EXPECT_GE(rows(dm->solut), 1);
    EXPECT_GT(placedBoxes(), 0);
    EXPECT_EQ(placedBoxes(), start.problem()->resultSolution.loadedBoxes);
    EXPECT_EQ(store().loadedSolutionTaskID, id);
    expectRestored();
}

TEST_F(SolveClear, AnErrorInsideTheWorkLeavesThePageUsable) {
    sampleTask();
    dm->positPosX.setConstraint([](const rectix::dataset::Value&) { return false; }, "Position refused");
    click("RunButton");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].rfind("errorbox: ", 0), 0u) << dialogs.shown[0];
    EXPECT_FALSE(solved());
    EXPECT_EQ(rows(dm->solut), 0);
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("So&lve"));
    expectRestored();
}

TEST_F(SolveClear, SolutionAndViewReloadThePlanOnlyWhenTheRecordHoldsAnotherTasks) {
    const std::int32_t id = sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    const int loaded = start.problem()->resultSolution.loadedBoxes;
    start.problem()->resultSolution.loadedBoxes = -1; // would be rebuilt by a reload
    clickClosingPage("ViewButton");
    EXPECT_EQ(start.problem()->resultSolution.loadedBoxes, -1);

    store().loadedSolutionTaskID = 0;
    // The solution page opens modally; it closes as soon as it is up.
    QTimer::singleShot(0, start.solutionWindow(), &QDialog::accept);
    click("ResultButton");
    EXPECT_FALSE(start.solutionWindow()->isVisible());
    EXPECT_EQ(store().loadedSolutionTaskID, id);
    EXPECT_EQ(start.problem()->resultSolution.loadedBoxes, loaded);
    expectRestored();

    // Stored rows that do not fit the task: the reload fails whole and the page stays usable.
    dm->solut.first();
    dm->posit.first();
    dm->posit.edit();
    dm->positPosX.setInteger(1350);
    dm->posit.post();
    store().loadedSolutionTaskID = 0;
    clickClosingPage("ViewButton");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].rfind("errorbox: ", 0), 0u) << dialogs.shown[0];
    EXPECT_EQ(store().loadedSolutionTaskID, 0);
    expectRestored();
}
