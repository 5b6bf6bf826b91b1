// The print commands of the solution page and the layout page: the no-printer message, the
// "Warnings" questions, the printer-setup dialog whose cancel stops, and the page, the tables and
// the screen colours given back on every path.
#include "../support/PlanBuilder.h"
#include "../support/SyncRecorder.h"
#include "ReportFixture.h"

#include "render/LayoutView.h"
#include "results/LayoutWindow.h"
#include "results/SolutionWindow.h"
#include "results/ViewOptionsWindow.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>

namespace rectix::results::test {

using rectix::test::PlanBuilder;

namespace {

using B = core::DialogButton;

const std::string noPrinter = "errorbox: Default printer was not found on program start.\r"
                              "Please turn on printer/server and restart program.";

class SolutionPrintTest : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        load("taskdb/export/three-containers.solution");
        window = std::make_unique<SolutionWindow>(*dm);
        window->setReports(forms.get());
        window->show();
    }
    void TearDown() override {
        window.reset();
        ReportTest::TearDown();
    }
    void selectContainer(int row) {
        auto* g = window->findChild<ui::DataGrid*>(QStringLiteral("SolutGrid"));
        g->setCurrentIndex(g->model()->index(row, 1));
    }
    // The page and its tables as they were before the command.
    void expectGivenBack(std::int64_t contNo) {
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(dm->solut.controlsDisabled());
        EXPECT_FALSE(dm->posit.controlsDisabled());
        EXPECT_EQ(dm->solutContNo.asInteger(), contNo);
        EXPECT_EQ(dm->positContNo.asInteger(), contNo);
    }

    std::unique_ptr<SolutionWindow> window;
};

} // namespace

TEST_F(SolutionPrintTest, WithoutAPrinterTheMessageIsAllThatHappens) {
    store.reportsFailed = true;
    EXPECT_TRUE(window->findChild<QPushButton*>(QStringLiteral("PrintButton"))->isEnabled());
    window->printButtonClick();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{noPrinter});
    EXPECT_EQ(setups, 0);
    EXPECT_FALSE(QFile::exists(printed));
}

TEST_F(SolutionPrintTest, WarningsAskTwiceAndACancelStopsBeforeTheDialog) {
    store.warnings = true;
    window->printButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], "confirm: Print current solution report now?");
    EXPECT_EQ(setups, 0);

    dialogs.shown.clear();
    dialogs.answers = {B::Ok, B::Ok};
    selectContainer(2);
    window->printButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1],
              "confirm: Note: to print the other container\rdata, select it and press \"Print\"");
    EXPECT_EQ(setups, 1);
    const std::vector<std::string> pages = pdf::pages(printed);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pdf::contains(pages[0], "Positions for Cont No:"));
    EXPECT_TRUE(pdf::contains(pages[0], " 24 "));
    expectGivenBack(4);
}

TEST_F(SolutionPrintTest, TheFirstContainerPrintsTheTableAndThePageStaysOnIt) {
    store.warnings = false;
    selectContainer(0);
    // The file is put in place with the busy cursor: its folder may be awaited.
    std::vector<bool> busy;
    sync_recorder::atRename = [&busy] { busy.push_back(QApplication::overrideCursor() != nullptr); };
    window->printButtonClick();
    sync_recorder::atRename = nullptr;
    EXPECT_EQ(busy, std::vector<bool>{true});
    EXPECT_TRUE(dialogs.shown.empty());
    const std::vector<std::string> pages = pdf::pages(printed);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pdf::contains(pages[0], "Solution for a task:"));
    EXPECT_TRUE(pdf::contains(pages[1], "Positions for Cont No:"));
    EXPECT_TRUE(pdf::contains(pages[1], "*** Rectix 1.95 ***"));
    expectGivenBack(1);
}

TEST_F(SolutionPrintTest, ACancelledDialogOrAFailedPrintGivesEverythingBack) {
    store.warnings = false;
    selectContainer(1);
    acceptSetup = false;
    window->printButtonClick();
    EXPECT_EQ(setups, 1);
    EXPECT_FALSE(QFile::exists(printed));
    expectGivenBack(2);

    // A file that cannot be written: the error passes on, and the page is whole again.
    acceptSetup = true;
    printed = file("no-such-folder/printed.pdf");
    EXPECT_THROW(window->printButtonClick(), std::runtime_error);
    expectGivenBack(2);
}

// A stored solution that a reload refuses is not printed: the error box names the table, the row
// and the field, and the page stays on the container selected.
TEST_F(SolutionPrintTest, AStoredSolutionThatAReloadRefusesIsNotPrinted) {
    store.warnings = false;
    selectContainer(2);
    dm->posit.edit();
    dm->positPosX.setInteger(1350);
    dm->posit.post();
    window->findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0],
              "errorbox: Task \"Shipment\": table posit, row (TaskID 1, ContNo 4, BoxNo 24), "
              "field PosX: stored box 24 of container 4 does not lie inside its container");
    EXPECT_EQ(setups, 0);
    EXPECT_FALSE(QFile::exists(printed));
    expectGivenBack(4);
}

namespace {

// The layout page over a plan of two containers, with the image report of the task.
class LayoutPrintTest : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        load("taskdb/export/three-containers.solution");
        const int type = b.addType(1000, 500);
        const int kind = b.addKind("Crate", "CR");
        for (int load : {6, 3}) {
            const int c = b.addContainer(type);
            for (int j = 0; j < load; ++j) b.addBox(kind, c, j % 5 * 200, j / 5 * 250, 200, 250);
        }
        b.finish();
        options = std::make_unique<ViewOptionsWindow>(view, store);
        page = std::make_unique<LayoutWindow>(view, b.problem, *options, store);
        page->setReports(forms.get());
        page->show();
        store.warnings = false;
    }
    void TearDown() override {
        page.reset();
        options.reset();
        ReportTest::TearDown();
    }
    // The screen's colours and the page taking input again.
    void expectScreenPicture() {
        EXPECT_EQ(view.backgroundColor, 0x1F1F1F);
        EXPECT_EQ(view.lineWidth, 1);
        EXPECT_TRUE(page->isEnabled());
    }

    PlanBuilder b;
    render::LayoutView view;
    std::unique_ptr<ViewOptionsWindow> options;
    std::unique_ptr<LayoutWindow> page;
};

} // namespace

TEST_F(LayoutPrintTest, ThePictureIsPrintedLandscapeOnWhiteWithBlackCaptions) {
    EXPECT_TRUE(page->findChild<QPushButton*>(QStringLiteral("PrintButton"))->isEnabled());
    page->printButtonClick();
    EXPECT_EQ(setups, 1);
    const std::vector<std::string> pages = pdf::pages(printed);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pdf::contains(pages[0], "Layout for a task:"));
    EXPECT_TRUE(pdf::contains(pages[0], "Shipment"));
    EXPECT_FALSE(pdf::contains(pages[0], "*** Rectix"));
    const std::string info = pdf::info(printed);
    EXPECT_TRUE(pdf::contains(info, "Page    1 size:  842 x 595")) << info;
    EXPECT_TRUE(pdf::contains(info, "Rectix Image")) << info;

    // The picture's frame, below the title: white ground, the captions and frames in black or
    // grey, the boxes' light fills, and nothing of the screen's dark ground.
    const QImage shot = pdf::render(printed, 1);
    ASSERT_FALSE(shot.isNull());
    int white = 0, black = 0, screenGround = 0, total = 0;
    for (int y = 80; y < shot.height() - 60; ++y)
        for (int x = 50; x < shot.width() - 50; ++x) {
            const QColor c = shot.pixelColor(x, y);
            ++total;
            if (c.red() > 245 && c.green() > 245 && c.blue() > 245) ++white;
            if (c.red() < 40 && c.green() < 40 && c.blue() < 40) ++black;
            if (c == QColor(0x1F, 0x1F, 0x1F)) ++screenGround;
        }
    EXPECT_GT(white, total / 2);
    EXPECT_GT(black, 50);
    EXPECT_LT(screenGround, total / 100);
    expectScreenPicture();
}

// The screen colours come back however the printing ends.
TEST_F(LayoutPrintTest, TheScreenColoursReturnOnEveryPath) {
    store.reportsFailed = true;
    page->printButtonClick();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{noPrinter});
    expectScreenPicture();
    store.reportsFailed = false;

    store.warnings = true;
    view.backgroundColor = 0;
    page->printButtonClick();
    EXPECT_EQ(dialogs.shown.back(), "confirm: Print current Image now?");
    EXPECT_EQ(setups, 0);
    expectScreenPicture();
    store.warnings = false;

    acceptSetup = false;
    page->printButtonClick();
    EXPECT_FALSE(QFile::exists(printed));
    expectScreenPicture();

    acceptSetup = true;
    printed = file("no-such-folder/printed.pdf");
    EXPECT_THROW(page->printButtonClick(), std::runtime_error);
    expectScreenPicture();
}

} // namespace rectix::results::test
