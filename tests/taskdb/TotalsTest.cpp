// The current task's totals and utilisation on the main page, and the
// calculated fields of the library and solution rows.
#include "TaskDbFixture.h"

#include "taskdb/Figures.h"

#include "core/Errors.h"

#include <fstream>
#include <map>
#include <sstream>

namespace rectix::taskdb::test {

namespace {

const std::map<std::string, PageFigure> figureNames = {
    {"AvlNmb", PageFigure::AvlNmb}, {"AvlWgt", PageFigure::AvlWgt}, {"AvlVol", PageFigure::AvlVol},
    {"UsdNmb", PageFigure::UsdNmb}, {"UsdWgt", PageFigure::UsdWgt}, {"UsdVol", PageFigure::UsdVol},
    {"TotNmb", PageFigure::TotNmb}, {"TotWgt", PageFigure::TotWgt}, {"TotVol", PageFigure::TotVol},
    {"LftNmb", PageFigure::LftNmb}, {"LftWgt", PageFigure::LftWgt}, {"LftVol", PageFigure::LftVol},
    {"EffWgt", PageFigure::EffWgt}, {"EffVol", PageFigure::EffVol}, {"CostPck", PageFigure::CostPck}};

} // namespace

// Each file under tests/data/taskdb/totals builds libraries and one task and
// names the figures the page shows for it.
class TotalsFromFile : public TaskDbTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TotalsFromFile, PageShowsTheFiguresOfTheFile) {
    std::ifstream in(testData("taskdb/totals/" + GetParam()));
    ASSERT_TRUE(in) << GetParam();
    std::map<std::string, std::int32_t> types, kinds;
    std::map<PageFigure, std::string> expected;
    std::string line, color;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word, name;
        words >> word;
        if (word.empty() || word[0] == '#') continue;
        if (word == "areamult") {
            words >> store.areaMult;
        } else if (word == "solved") {
            store.solutionState = true;
        } else if (word == "container" || word == "box") {
            int length = 0, width = 0, weight = 0;
            words >> name >> length >> width >> weight;
            if (word == "container")
                types[name] = addContainer(name, length, width, weight);
            else
                kinds[name] = addBox(name, length, width, weight);
        } else if (word == "task") {
            std::getline(words >> std::ws, name);
            addTask(name);
        } else if (word == "tc" || word == "tb") {
            int amount = 0, count = 0;
            double cost = 0;
            words >> name >> amount >> count >> cost;
            if (word == "tc")
                addTaskContainer(types.at(name), amount, count, cost);
            else
                addTaskBox(kinds.at(name), amount, count, cost);
        } else if (word == "expect") {
            std::string text;
            words >> name >> text;
            expected[figureNames.at(name)] = text;
        } else if (word == "color") {
            words >> color;
        } else {
            FAIL() << GetParam() << ": unknown line " << line;
        }
    }
    for (const auto& [f, text] : expected) EXPECT_EQ(figure(f), text) << GetParam() << ", figure " << int(f);
    if (!color.empty()) {
        // Light red (BBBBFF) marks the boxes a solved task leaves, aqua (FFFF00) the others.
        EXPECT_EQ(page.totals.boxesLeftOver, color == "BBBBFF") << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(TaskFiles, TotalsFromFile,
                         ::testing::Values("solved-with-left-boxes.task", "without-containers.task",
                                           "large-figures.task", "one-sheet-in-millions.task"),
                         [](const auto& file) {
                             std::string n = file.param.substr(0, file.param.find('.'));
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });

using TotalsTest = TaskDbTest;

TEST_F(TotalsTest, FollowEachPostAndDeleteOfTheTaskRows) {
    const auto truck = addContainer("Truck", 1200, 800, 5000);
    const auto crate = addBox("Crate", 400, 300, 50);
    addTask("T");
    addTaskContainer(truck, 3);
    EXPECT_EQ(figure(PageFigure::AvlNmb), "3");
    addTaskBox(crate, 7, 2);
    EXPECT_EQ(figure(PageFigure::LftNmb), "5");
    dm->tc.edit();
    dm->tcAvail.setInteger(4);
    EXPECT_EQ(figure(PageFigure::AvlNmb), "3"); // pending edits do not count
    dm->tc.post();
    EXPECT_EQ(figure(PageFigure::AvlNmb), "4");
    dm->tc.deleteRow();
    EXPECT_EQ(figure(PageFigure::AvlNmb), "0");
    EXPECT_EQ(store.totalContainers, 0);
    addTask("U");
    EXPECT_EQ(figure(PageFigure::TotNmb), "0");
    dm->tasks.first();
    EXPECT_EQ(figure(PageFigure::TotNmb), "7");
}

// The row that would take the total beyond 16 bits is refused before it is stored.
TEST_F(TotalsTest, ASixteenBitOverflowIsRefusedAndTheFiguresStayTrue) {
    const auto a = addBox("A", 10, 10, 1);
    const auto b = addBox("B", 10, 10, 1);
    addTask("T");
    addTaskBox(a, 20000);
    EXPECT_EQ(figure(PageFigure::TotNmb), "20000");
    EXPECT_THROW(addTaskBox(b, 20000), core::SilentAbort);
    dm->tb.cancel();
    EXPECT_EQ(dm->tb.recordCount(), 1u);
    EXPECT_EQ(figure(PageFigure::TotNmb), "20000");
    EXPECT_EQ(store.totalBoxes, 20000);
}

TEST_F(TotalsTest, LibraryRowsShowAnAreaOnlyWithATask) {
    store.areaMult = 1000;
    addContainer("Sheet", 2500, 1250);
    EXPECT_TRUE(dm->contsVolume.isNull());
    addTask("T");
    dm->conts.refresh();
    EXPECT_EQ(dm->contsVolume.asInteger(), 3125);
}

TEST_F(TotalsTest, SolutionRowsShowLoadsAgainstTheirContainer) {
    store.areaMult = 1000;
    const auto truck = addContainer("Truck", 1200, 800, 5000);
    const auto crate = addBox("Crate", 400, 300, 50);
    addTask("T");
    addSolutionContainer(1, truck, crate);
    dm->solut.edit();
    dm->solutWgtLoad.setInteger(2500);
    dm->solutWolLoad.setFloat(480000);
    dm->solut.post();
    EXPECT_EQ(dm->solutVolLoad.asInteger(), 480);
    EXPECT_DOUBLE_EQ(dm->solutWgtEff.asFloat(), 50.0);
    EXPECT_DOUBLE_EQ(dm->solutVolEff.asFloat(), 50.0);
    EXPECT_EQ(dm->solutLHW.asString(), "1200  800");

    dm->distr.edit();
    dm->distrPlaced.setInteger(3);
    dm->distr.post();
    EXPECT_EQ(dm->distrWgtSum.asInteger(), 150);
    EXPECT_EQ(dm->distrVolSum.asInteger(), 360);
    EXPECT_EQ(dm->distrLHW.asString(), "400  300");
}

} // namespace rectix::taskdb::test
