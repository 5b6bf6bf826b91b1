// The solution page over a stored solution of containers 1, 2 and 4: the detail grids and group
// boxes follow the selected container, "Fix Selected" is stored at once, View reloads the plan
// only for another task, the columns scale, and the File button writes or reports.
#include "../support/FileText.h"
#include "../support/RegionalDesktop.h"
#include "../support/ScriptedAnswers.h"
#include "../support/Unprivileged.h"
#include "StoredSolution.h"

#include "results/SolutionWindow.h"

#include "core/Dialogs.h"
#include "dataset/Cursor.h"
#include "lang/Language.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "ui/DataCheckBox.h"
#include "ui/DataGrid.h"
#include "ui/DataGridModel.h"
#include "ui/DataLabel.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rectix::results::test {

namespace fs = std::filesystem;
using taskdb::test::loadSolution;

namespace {

// Stands in for the layout page: counts how often it is shown.
class LayoutPageDouble : public QDialog {
  public:
    int exec() override { return ++shown, Accepted; }
    int shown = 0;
};

class SolutionWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lang::Language::global().applyLanguage(false, 0);
        previousFolder = fs::current_path();
        char tmpl[] = "/tmp/rectix-results-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        for (const char* set : {"data/home", "data/export", "data/import"})
            fs::create_directories(root / set);
        dataset::TableSet(dataset::AliasRegistry(root), "RectixB", taskdb::schema()).createTableFiles();
        fs::current_path(root);
        dm = std::make_unique<taskdb::DataModule>(store, root);
        dm->dataModuleCreate();
        ASSERT_EQ(store.dbState, 555);
        loadSolution(*dm, store, std::string(RECTIX_TEST_DATA) + "/taskdb/export/three-containers.solution");
        window = std::make_unique<SolutionWindow>(*dm);
        window->setReloadPlan([this] { ++reloads; });
        window->setLayoutPage(&layoutPage);
    }

    void TearDown() override {
        window.reset();
        dm.reset();
        fs::current_path(previousFolder);
        std::error_code ec;
        fs::permissions(root / "solutions", fs::perms::owner_all, ec);
        fs::remove_all(root, ec);
    }

    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    ui::DataGrid* grid(const char* name) const { return child<ui::DataGrid>(name); }

    // The texts of a group box's value labels, in their order, one a line.
    std::string values(const char* groupBox) const {
        std::string texts;
        for (const ui::DataLabel* l : child<QWidget>(groupBox)->findChildren<ui::DataLabel*>())
            texts += l->text().toStdString() + "\n";
        return texts;
    }

    void selectContainer(int row) {
        ui::DataGrid* g = grid("SolutGrid");
        g->setCurrentIndex(g->model()->index(row, 1));
    }

    fs::path previousFolder;
    fs::path root;
    taskdb::RunStore store;
    std::unique_ptr<taskdb::DataModule> dm;
    LayoutPageDouble layoutPage;
    std::unique_ptr<SolutionWindow> window;
    int reloads = 0;
    ScriptedAnswers dialogs;
};

} // namespace

TEST_F(SolutionWindowTest, DetailsAndGroupBoxesFollowTheSelectedContainer) {
    window->show();
    EXPECT_EQ(grid("SolutGrid")->model()->rowCount(), 3);
    EXPECT_EQ(grid("DistrGrid")->model()->rowCount(), 2);
    EXPECT_EQ(grid("PositGrid")->model()->rowCount(), 12);
    EXPECT_EQ(values("GroupBox1"), "Sheet\n1000\n1000\n1000  1000\n");

    selectContainer(2);
    EXPECT_EQ(dm->solutContNo.asInteger(), 4);
    EXPECT_EQ(grid("DistrGrid")->model()->rowCount(), 1);
    EXPECT_EQ(grid("PositGrid")->model()->rowCount(), 2);
    EXPECT_EQ(grid("PositGrid")->model()->index(1, 1).data().toString(), "25");
    EXPECT_EQ(values("GroupBox1"), "Plate\n500\n240\n600  400\n");
    EXPECT_EQ(values("GroupBox2"), "Small\n5\n15\n150  100\n");
}

TEST_F(SolutionWindowTest, ThePositionsGridKeepsNoSelectedCell) {
    window->show();
    ui::DataGrid* posit = grid("PositGrid");
    EXPECT_FALSE(posit->selectionModel()->hasSelection());
    selectContainer(2);
    dm->posit.last();
    EXPECT_EQ(posit->currentIndex().row(), 1);
    EXPECT_FALSE(posit->selectionModel()->hasSelection());
}

TEST_F(SolutionWindowTest, FixSelectedIsStoredAtOnce) {
    window->show();
    selectContainer(1);
    auto* fix = child<ui::DataCheckBox>("FixDBCheck");
    ASSERT_FALSE(fix->isChecked());
    QTest::mouseClick(fix, Qt::LeftButton, {}, QPoint(8, fix->height() / 2));
    EXPECT_TRUE(fix->isChecked());
    EXPECT_EQ(dm->solut.state(), dataset::CursorState::Browse);
    window->closeButtonClick();

    // What another reader of the table sees.
    dataset::Cursor stored(dm->db, "solut");
    stored.open();
    ASSERT_TRUE(stored.locate("ContNo", 2));
    EXPECT_TRUE(stored.field("FixCont").asBoolean());
    ASSERT_TRUE(stored.locate("ContNo", 1));
    EXPECT_FALSE(stored.field("FixCont").asBoolean());
}

// A task without a solution has no container to fix: a click changes nothing and writes no row.
TEST_F(SolutionWindowTest, FixSelectedCannotBeChangedOnAnEmptySolution) {
    const std::int64_t solved = dm->tasksTaskID.asInteger();
    dm->tasks.append();
    dm->tasks.edit();
    dm->tasksName.setString("Unsolved");
    dm->tasks.post();
    ASSERT_TRUE(dm->solut.isEmpty());
    window->show();
    auto* fix = child<ui::DataCheckBox>("FixDBCheck");
    EXPECT_TRUE(fix->isReadOnly());
    QTest::mouseClick(fix, Qt::LeftButton, {}, QPoint(8, fix->height() / 2));
    EXPECT_FALSE(fix->isChecked());
    EXPECT_EQ(dm->solut.state(), dataset::CursorState::Browse);
    EXPECT_TRUE(dm->solut.isEmpty());
    window->closeButtonClick();

    // Back on the solved task the check box takes clicks again.
    ASSERT_TRUE(dm->tasks.locate("TaskID", solved));
    window->show();
    EXPECT_FALSE(fix->isReadOnly());
}

TEST_F(SolutionWindowTest, ViewReloadsThePlanOnlyForAnotherTask) {
    store.loadedSolutionTaskID = dm->tasksTaskID.asInteger();
    window->chartButtonClick();
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(layoutPage.shown, 1);

    store.loadedSolutionTaskID = 0;
    window->chartButtonClick();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(layoutPage.shown, 2);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(SolutionWindowTest, ContainerAndPositionColumnsWidenWithTheWindowButNeverNarrow) {
    window->show();
    ui::DataGrid* solut = grid("SolutGrid");
    ui::DataGrid* posit = grid("PositGrid");
    ui::DataGrid* distr = grid("DistrGrid");
    EXPECT_EQ(solut->columnWidth(0), 127);
    EXPECT_EQ(solut->columnWidth(1), 64);
    window->resize(1400, 700);
    QApplication::processEvents();
    EXPECT_GT(solut->columnWidth(0), 127);
    EXPECT_NEAR(solut->columnWidth(0) * 64.0 / 127.0, solut->columnWidth(1), 1.0);
    EXPECT_GT(posit->columnWidth(0), 127);
    EXPECT_EQ(distr->columnWidth(0), 104);
    window->resize(650, 470);
    QApplication::processEvents();
    EXPECT_EQ(solut->columnWidth(0), 127);
    EXPECT_EQ(posit->columnWidth(2), 64);
}

TEST_F(SolutionWindowTest, FileWritesTheThreeFilesAndNamesThem) {
    store.warnings = true;
    dialogs.answers = {core::DialogButton::Ok};
    window->fileButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0], "confirm: Write current solution to files now?");
    EXPECT_EQ(dialogs.shown[1], "information: Solution data has been\rwritten into the following files:"
                                "\r ../solutions/Shipment-conts.csv\r ../solutions/Shipment-distr.csv"
                                "\r ../solutions/Shipment-posit.csv");
    EXPECT_NE(readFile(root / "solutions/Shipment-conts.csv").find("Plate,4,2,30,  12.500,"),
              std::string::npos);
    EXPECT_TRUE(window->isEnabled());
}

// A stored solution that a reload refuses is written to no file: the error box names the table,
// the row and the field, and the page stays on the container selected.
TEST_F(SolutionWindowTest, FileWritesNothingOfAStoredSolutionThatAReloadRefuses) {
    store.warnings = false;
    selectContainer(1);
    dm->distr.edit();
    dm->distrPlaced.setInteger(5);
    dm->distr.post();
    child<QPushButton>("FileButton")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0],
              "errorbox: Task \"Shipment\": table distr, row (TaskID 1, ContNo 2, KindID 1), "
              "field Placed: container 2 of the stored solution has 4 boxes of kind \"Square\", "
              "but its row counts 5");
    EXPECT_FALSE(fs::exists(root / "solutions"));
    EXPECT_EQ(dm->solutContNo.asInteger(), 2);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(SolutionWindowTest, FileAsksFirstOnlyWithWarnings) {
    store.warnings = true;
    dialogs.answers = {core::DialogButton::Cancel};
    window->fileButtonClick();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(fs::exists(root / "solutions"));

    store.warnings = false;
    dialogs.shown.clear();
    window->fileButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].rfind("information: ", 0), 0u);
    EXPECT_TRUE(fs::exists(root / "solutions/Shipment-posit.csv"));
}

TEST_F(SolutionWindowTest, AReadOnlySolutionsFolderGivesTheWriteErrorAndKeepsTheOlderFiles) {
    store.warnings = false;
    fs::create_directories(root / "solutions");
    for (const char* name : {"Shipment-conts.csv", "Shipment-distr.csv", "Shipment-posit.csv"})
        std::ofstream(root / "solutions" / name) << "older " << name;
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(root / "solutions", fs::perms::owner_read | fs::perms::owner_exec |
                                            fs::perms::group_read | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
    {
        const Unprivileged user;
        window->fileButtonClick();
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], "warning: Solution file(s) write error");
    for (const char* name : {"Shipment-conts.csv", "Shipment-distr.csv", "Shipment-posit.csv"})
        EXPECT_EQ(readFile(root / "solutions" / name), std::string("older ") + name);
    EXPECT_TRUE(window->isEnabled());
}

// A French desktop sees its decimal comma in every figure; the files for other programs keep
// their points, byte for byte.
TEST_F(SolutionWindowTest, AFrenchDesktopSeesDecimalCommasAndTheFilesKeepPoints) {
    store.warnings = false;
    // A cost summed in single precision (9 squares of 1, 3 small ones), shown as the other costs are.
    const float small = 25.1533f;
    dm->tb.last();
    dm->tb.edit();
    dm->tbCost.setFloat(static_cast<double>(small));
    dm->tb.post();
    for (const auto& [contNo, cost] :
         {std::pair(1, 9.0f + small + small + small), std::pair(4, small + small)}) {
        ASSERT_TRUE(dm->solut.locate("ContNo", contNo));
        dm->solut.edit();
        dm->solutCostLoad.setFloat(static_cast<double>(cost));
        dm->solut.post();
    }
    window->fileButtonClick();
    const std::string pointFile = readFile(root / "solutions/Shipment-conts.csv");
    ASSERT_NE(pointFile.find("Sheet,1,12,855,  85.500,195,  19.500,       84.46,"), std::string::npos)
        << pointFile;

    const rectix::test::RegionalDesktop french("fr_FR");
    ASSERT_TRUE(french.active());
    window->show();
    selectContainer(0);
    const ui::DataGrid* solut = grid("SolutGrid");
    const auto cell = [solut](int row, const char* field) {
        const auto* model = static_cast<const ui::DataGridModel*>(solut->model());
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->columnField(c).name() == field)
                return model->index(row, c).data().toString().toStdString();
        return std::string("no column ") + field;
    };
    EXPECT_EQ(cell(0, "VolEff"), "85,50");
    EXPECT_EQ(cell(0, "WgtEff"), "19,50");
    EXPECT_EQ(cell(0, "CostLoad"), "84,46");
    EXPECT_EQ(cell(2, "VolEff"), "12,50");

    // Line 1 carries the task's date in the regional short form; every number keeps its point.
    dialogs.shown.clear();
    window->fileButtonClick();
    const std::string commaFile = readFile(root / "solutions/Shipment-conts.csv");
    EXPECT_EQ(commaFile.substr(0, commaFile.find(',')), "06/12/2026");
    EXPECT_EQ(commaFile.substr(commaFile.find('\n')), pointFile.substr(pointFile.find('\n')));
}

// A read-only file of an earlier export, the folder writable: the write error, and no file of
// the three replaced.
TEST_F(SolutionWindowTest, AReadOnlyEarlierFileGivesTheWriteErrorAndNoFileIsReplaced) {
    store.warnings = false;
    fs::create_directories(root / "solutions");
    for (const char* name : {"Shipment-conts.csv", "Shipment-distr.csv", "Shipment-posit.csv"})
        std::ofstream(root / "solutions" / name) << "older " << name;
    fs::permissions(root / "solutions" / "Shipment-distr.csv",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    window->fileButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], "warning: Solution file(s) write error");
    for (const char* name : {"Shipment-conts.csv", "Shipment-distr.csv", "Shipment-posit.csv"})
        EXPECT_EQ(readFile(root / "solutions" / name), std::string("older ") + name);
}

} // namespace rectix::results::test
