#include "StoredReport.h"

#include "CommandLine.h"
#include "HeadlessGui.h"
#include "MessageLine.h"

#include "core/DurableFile.h"
#include "engine/PackProblem.h"
#include "render/LayoutView.h"
#include "render/ViewSettings.h"
#include "results/ImageReport.h"
#include "results/LibraryReport.h"
#include "results/SolutionReport.h"
#include "results/TaskReport.h"
#include "results/ViewOptionsWindow.h"
#include "taskdb/DataModule.h"
#include "taskdb/Figures.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolveBridge.h"
#include "ui/RegionalSettings.h"
#include "ui/ReportPrinter.h"

#include <memory>
#include <optional>

namespace rectix::tools {

namespace {

// The printing needs an application object; it runs without a display.
class PrintingApplication {
  public:
    PrintingApplication() {
        if (QCoreApplication::instance()) return;
        gui_.emplace("rectix-solve");
        QCoreApplication::setApplicationName(QStringLiteral("Rectix"));
        ui::RegionalSettings::useSystem();
    }

  private:
    std::optional<HeadlessGui> gui_;
};

results::TaskReportLabels taskLabels(taskdb::DataModule& dm) {
    std::array<QString, taskdb::pageFigureCount> figures;
    const core::NumberFormat& shown = core::NumberFormat::regional();
    for (int f = 0; f < taskdb::pageFigureCount; ++f)
        figures[static_cast<std::size_t>(f)] = QString::fromStdString(
            taskdb::pageFigureText(dm.totals(), static_cast<taskdb::PageFigure>(f), shown));
    return results::TaskReportLabels::fromPage(figures, QString::number(dm.store().areaMult),
                                               dm.tasksDefltOn.asBoolean(), dm.tasksTurnOn.asBoolean());
}

// The solution cursor on the selected container: number `container`, or the first row.
std::string selectContainer(taskdb::DataModule& dm, const std::optional<int>& container) {
    if (!container) {
        dm.solut.first();
        return {};
    }
    if (!dm.solut.locate("ContNo", *container)) return emptyContainerRefusal(*container);
    return {};
}

// The layout page's picture as it opens, with the `saved` view options: the overview, or the one
// loaded container alone; or the container asked for.
std::string drawLayout(results::ImageReport& report, taskdb::SolveBridge& bridge,
                       engine::PackProblem& problem, const std::optional<int>& container,
                       const taskdb::SavedViewSettings& saved) {
    bridge.reloadSolution();
    const engine::PackSolution& plan = problem.resultSolution;
    render::LayoutView view;
    view.tracks = results::ViewOptionsWindow::savedTracks(saved);
    render::screenTracks(view);
    render::printViewSettings(view, problem);
    if (container) {
        if (*container > problem.contCount || plan.boxLoad[*container] == 0)
            return emptyContainerRefusal(*container);
        view.currentContainer = static_cast<std::int16_t>(*container);
    } else if (plan.usedConts == 1) {
        for (std::int16_t c = 1; c <= problem.contCount; ++c)
            if (plan.boxLoad[c] > 0) {
                view.currentContainer = c;
                break;
            }
    }
    view.loadingStep = plan.boxLoad[view.currentContainer];
    report.drawLayout(view, problem);
    return {};
}

} // namespace

std::string checkReportRequest(const ReportRequest& r) {
    if (r.kind != "task" && r.kind != "solution" && r.kind != "containers" && r.kind != "boxes" &&
        r.kind != "layout")
        return valueRefusal("--report", r.kind, "task, solution, containers, boxes or layout");
    if (r.container && r.kind != "solution" && r.kind != "layout")
        return "--container goes with --report solution or layout";
    if (r.output.empty()) return "--report needs -o FILE.pdf";
    return {};
}

std::string printStoredReport(taskdb::DataModule& dm, taskdb::SolveBridge& bridge,
                              engine::PackProblem& problem, const ReportRequest& r) {
    const PrintingApplication app;
    const QString path = QString::fromStdString(r.output.string());
    const bool solved = dm.tasksSolut.asBoolean();
    const std::string taskID = std::to_string(dm.tasksTaskID.asInteger());
    if ((r.kind == "solution" || r.kind == "layout") && !solved)
        return "task " + taskID + " has no stored solution";
    // The file is replaced only when the report was written whole; else the earlier one stays.
    auto print = [&path](const ui::CompositeReport& job) -> std::string {
        try {
            ui::ReportPrinter::printToPdf(job, path);
        } catch (const core::FileWriteError& e) {
            return e.what();
        }
        return {};
    };
    using Library = results::LibraryReport::Library;
    // The rows print only when they pass the checks the program's print commands make.
    if (r.kind == "containers") {
        taskdb::SolveBridge::checkLibraryRows(dm, dm.conts);
        return print(results::LibraryReport(dm, Library::Containers).job());
    }
    if (r.kind == "boxes") {
        taskdb::SolveBridge::checkLibraryRows(dm, dm.boxes);
        return print(results::LibraryReport(dm, Library::Boxes).job());
    }
    if (r.kind == "task") {
        taskdb::SolveBridge::checkTaskRows(dm);
        results::TaskReport report(dm);
        report.setLabels(taskLabels(dm));
        return print(report.job());
    }
    if (r.kind == "solution") {
        taskdb::SolveBridge::checkStoredSolution(dm);
        if (std::string wrong = selectContainer(dm, r.container); !wrong.empty()) return wrong;
        results::SolutionReport report(dm);
        report.markSelected();
        return print(report.job());
    }
    results::ImageReport report(dm);
    if (std::string wrong = drawLayout(report, bridge, problem, r.container, r.view); !wrong.empty())
        return wrong;
    return print(report.job());
}

} // namespace rectix::tools
