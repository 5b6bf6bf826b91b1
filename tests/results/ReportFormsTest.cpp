// The five report forms printed to PDF files and read back: headings on every page and the title
// line last, the composites' parts on pages of their own, the solution's container table only for
// its first container, and the task's own gaps.
#include "../support/RegionalDesktop.h"
#include "ReportFixture.h"

#include "results/LibraryReport.h"
#include "results/SolutionReport.h"
#include "results/TaskReport.h"
#include "taskdb/Figures.h"
#include "ui/ReportPrinter.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>

namespace rectix::results::test {

namespace {

const std::string titleLine = "*** Rectix 1.95 ***";

// A number written twice over, once in each form ("1,10.1,1").
bool garbled(const std::string& text) {
    static const QRegularExpression twice(QStringLiteral("[0-9],[0-9]+\\.[0-9]"));
    return twice.match(QString::fromStdString(text)).hasMatch();
}

} // namespace

TEST_F(ReportTest, ABoxLibraryOfManyPagesHasItsHeadingsOnEveryPageAndTheTitleLineLast) {
    store.boxEditMode = true;
    for (int i = 1; i <= 120; ++i) {
        dm->boxes.append();
        dm->boxesKind.setString("Kind " + std::to_string(1000 + i));
        dm->boxesLength.setInteger(100 + i);
        dm->boxesWidth.setInteger(50);
        dm->boxesWeight.setInteger(3);
        dm->boxes.post();
    }
    const int pagesPrinted = ui::ReportPrinter::printToPdf(forms->boxLibrary().job(), file("boxes.pdf"));
    const std::vector<std::string> pages = pdf::pages(file("boxes.pdf"));
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pagesPrinted, static_cast<int>(pages.size()));
    int next = 1001;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pdf::contains(pages[p], "Part / Box Kind")) << "page " << p + 1;
        EXPECT_TRUE(pdf::contains(pages[p], "Description")) << "page " << p + 1;
        EXPECT_EQ(pdf::contains(pages[p], "Part / 2D Box Library"), p == 0) << "page " << p + 1;
        EXPECT_EQ(pdf::contains(pages[p], titleLine), p + 1 == pages.size()) << "page " << p + 1;
        // The rows go on where the page before stopped.
        while (pdf::contains(pages[p], "Kind " + std::to_string(next) + " ")) ++next;
    }
    EXPECT_EQ(next, 1121);
    EXPECT_TRUE(pdf::contains(pdf::info(file("boxes.pdf")), "Rectix Box Library"));
}

TEST_F(ReportTest, TheContainerLibraryListsItsTypesUnderItsHeadings) {
    load("taskdb/export/three-containers.solution");
    ui::ReportPrinter::printToPdf(forms->containerLibrary().job(), file("conts.pdf"));
    const std::vector<std::string> pages = pdf::pages(file("conts.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    for (const char* text : {"Sheet / 2D Container Library", "Sheet / Container Type", "Fill Dir",
                             "Nose / Tail Weigt & Posit", "Sheet", "Plate", "*** Rectix 1.95 ***"})
        EXPECT_TRUE(pdf::contains(pages[0], text)) << text << "\n" << pages[0];
    EXPECT_TRUE(pdf::contains(pdf::info(file("conts.pdf")), "Rectix Container Library"));
}

// The gaps printed are those the task's solution was made with, not the active settings.
TEST_F(ReportTest, TheTaskReportPrintsTheTasksOwnGapsAndItsBoxesOnAPageOfTheirOwn) {
    load("taskdb/export/three-containers.solution");
    dm->tasks.edit();
    dm->tasksBB.setInteger(3);
    dm->tasksBW.setInteger(7);
    dm->tasksDefltOn.setBoolean(false);
    dm->tasks.post();
    store.optBB = 12;
    store.optBW = 14;
    std::array<QString, taskdb::pageFigureCount> figures;
    for (std::size_t f = 0; f < figures.size(); ++f) figures[f] = QString::number(f + 10);
    forms->task().setLabels(TaskReportLabels::fromPage(figures, QStringLiteral("1000"), false, true));
    ui::ReportPrinter::printToPdf(forms->task().job(), file("task.pdf"));

    const std::vector<std::string> pages = pdf::pages(file("task.pdf"));
    ASSERT_EQ(pages.size(), 2u);
    const std::string first = pdf::flat(pages[0]);
    for (const char* text :
         {"Task Name:", "Shipment", "Gaps (Item-Item / Item-Edge):", "Box Library", "Area Mult:", "1000",
          "Number 10", "Area 12", "LoadWgt 11", "Container Type", "LoadWgt", "Sheet", "Plate"})
        EXPECT_TRUE(pdf::contains(first, text)) << text << "\n" << first;
    // The tool may close up the blanks round the slash.
    std::string gaps = first.substr(first.find("Item-Edge):") + 11, 12);
    gaps.erase(std::remove(gaps.begin(), gaps.end(), ' '), gaps.end());
    EXPECT_EQ(gaps.substr(0, 3), "3/7") << first;
    EXPECT_FALSE(pdf::contains(first, "Parts / 2D Boxes to Pack:"));
    EXPECT_FALSE(pdf::contains(first, titleLine));
    const std::string boxes = pdf::flat(pages[1]);
    for (const char* text : {"Parts / 2D Boxes to Pack:", "Box Kind", "TurnOn", "Square", "Small",
                             "Number 16", "Weight 17", "*** Rectix 1.95 ***"})
        EXPECT_TRUE(pdf::contains(boxes, text)) << text << "\n" << boxes;
    EXPECT_TRUE(pdf::contains(pdf::info(file("task.pdf")), "Rectix Task Report"));
}

TEST_F(ReportTest, TheTurnRuleLabelFollowsTheCommonRules) {
    std::array<QString, taskdb::pageFigureCount> figures;
    EXPECT_EQ(TaskReportLabels::fromPage(figures, {}, true, true).turn, QStringLiteral("Yes"));
    EXPECT_EQ(TaskReportLabels::fromPage(figures, {}, true, false).turn, QStringLiteral("No"));
    EXPECT_EQ(TaskReportLabels::fromPage(figures, {}, false, true).turn, QStringLiteral("Box Library"));
}

TEST_F(ReportTest, TheFirstContainerPrintsTheContainerTableThenItsPositions) {
    load("taskdb/export/three-containers.solution");
    dm->solut.first();
    SolutionReport& report = forms->solution();
    report.markSelected();
    ui::ReportPrinter::printToPdf(report.job(), file("solution.pdf"));
    const std::vector<std::string> pages = pdf::pages(file("solution.pdf"));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pdf::contains(pages[0], "Solution for a task:"));
    EXPECT_TRUE(pdf::contains(pages[0], "Shipment"));
    EXPECT_TRUE(pdf::contains(pages[0], "Container Type"));
    EXPECT_FALSE(pdf::contains(pages[0], "Positions for Cont No:"));
    // The table walked every container; the positions are still those of the first.
    EXPECT_TRUE(pdf::contains(pages[1], "Positions for Cont No:"));
    EXPECT_TRUE(pdf::contains(pages[1], "Sheet"));
    EXPECT_TRUE(pdf::contains(pages[1], " 23 ")); // box 23, the first container's last
    EXPECT_FALSE(pdf::contains(pages[1], " 24 "));
    EXPECT_TRUE(pdf::contains(pages[1], titleLine));
    EXPECT_EQ(dm->solutContNo.asInteger(), 1);
    EXPECT_TRUE(pdf::contains(pdf::info(file("solution.pdf")), "Rectix Solution"));
}

TEST_F(ReportTest, AnotherContainerPrintsOnlyItsPositions) {
    load("taskdb/export/three-containers.solution");
    ASSERT_TRUE(dm->solut.locate("ContNo", 4));
    forms->solution().markSelected();
    ui::ReportPrinter::printToPdf(forms->solution().job(), file("solution.pdf"));
    const std::vector<std::string> pages = pdf::pages(file("solution.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pdf::contains(pages[0], "Solution for a task:"));
    EXPECT_TRUE(pdf::contains(pages[0], "Positions for Cont No:"));
    EXPECT_TRUE(pdf::contains(pages[0], "Plate"));
    EXPECT_TRUE(pdf::contains(pages[0], " 24 "));
    EXPECT_TRUE(pdf::contains(pages[0], " 25 "));
    EXPECT_FALSE(pdf::contains(pages[0], " 23 "));
    EXPECT_TRUE(pdf::contains(pages[0], titleLine));
}

// A plan without a container number 1 still prints its table, for its first container.
TEST_F(ReportTest, APlanWithoutContainerOnePrintsItsTableForItsFirstContainer) {
    load("reports/no-container-one.solution");
    dm->solut.first();
    ASSERT_EQ(dm->solutContNo.asInteger(), 2);
    forms->solution().markSelected();
    ui::ReportPrinter::printToPdf(forms->solution().job(), file("solution.pdf"));
    const std::vector<std::string> pages = pdf::pages(file("solution.pdf"));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pdf::contains(pages[0], "Solution for a task:"));
    EXPECT_TRUE(pdf::contains(pages[0], "Offcuts"));
    EXPECT_TRUE(pdf::contains(pages[1], "Positions for Cont No:"));

    dm->solut.last();
    forms->solution().markSelected();
    ui::ReportPrinter::printToPdf(forms->solution().job(), file("solution.pdf"));
    EXPECT_EQ(pdf::pages(file("solution.pdf")).size(), 1u);
}

// Under a French desktop every figure prints once, with a decimal comma; a cost summed in single
// precision prints as the other costs do.
TEST_F(ReportTest, ACommaLocalePrintsEachFigureOnceWithItsComma) {
    load("taskdb/export/three-containers.solution");
    dm->solut.first();
    dm->solut.edit();
    dm->solutCostLoad.setFloat(static_cast<double>(84.46f));
    dm->solut.post();
    const rectix::test::RegionalDesktop french("fr_FR");
    ASSERT_TRUE(french.active());

    dm->solut.first();
    SolutionReport& solution = forms->solution();
    solution.markSelected();
    ui::ReportPrinter::printToPdf(solution.job(), file("solution.pdf"));
    const std::string containers = pdf::flat(pdf::pages(file("solution.pdf")).at(0));
    for (const char* text : {" 85,50 ", " 19,50 ", " 84,46 ", " 36,00 ", " 12,50 ", "06/12/2026"})
        EXPECT_TRUE(pdf::contains(containers, text)) << text << "\n" << containers;
    EXPECT_FALSE(garbled(containers)) << containers;
    EXPECT_FALSE(pdf::contains(containers, "0844727")) << containers;

    std::array<QString, taskdb::pageFigureCount> figures;
    for (std::size_t f = 0; f < figures.size(); ++f)
        figures[f] = QString::fromStdString(taskdb::pageFigureText(
            dm->totals(), static_cast<taskdb::PageFigure>(f), core::NumberFormat::regional()));
    forms->task().setLabels(TaskReportLabels::fromPage(figures, QStringLiteral("1000"), true, true));
    ui::ReportPrinter::printToPdf(forms->task().job(), file("task.pdf"));
    const std::string task = pdf::flat(pdf::pages(file("task.pdf")).at(0));
    // Plate's cost, the net cost and the utilisation figures.
    for (const char* text : {" 40,5 ", "-222,50", "55,58 %", "11,40 %", "06/12/2026"})
        EXPECT_TRUE(pdf::contains(task, text)) << text << "\n" << task;
    EXPECT_FALSE(garbled(task)) << task;
}

} // namespace rectix::results::test
