#include "results/SolutionReport.h"

#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

namespace rectix::results {

namespace rl = reportLayout;

SolutionReport::SolutionReport(taskdb::DataModule& dm) : dm_(dm) {
    buildContainers();
    buildPositions();
    job_.title = QStringLiteral("Rectix Solution");
    job_.addReports = [this] {
        std::vector<const ui::BandedReport*> parts;
        if (firstContainerSelected()) parts.push_back(&containers_);
        parts.push_back(&positions_);
        return parts;
    };
}

void SolutionReport::markSelected() {
    selected_ = dm_.solut.bookmark();
}

void SolutionReport::freeSelected() {
    dm_.solut.freeBookmark(selected_);
}

// The first row in the solution's order, whatever number the run gave it: a plan whose
// containers start above number 1 prints its table too.
bool SolutionReport::firstContainerSelected() const {
    dataset::Cursor& solut = dm_.solut;
    return solut.isOpen() && !solut.isEmpty() && solut.currentIndex() == 0;
}

void SolutionReport::buildContainers() {
    const dataset::Cursor& tasks = dm_.tasks;
    ui::ReportBand& t = containers_.titleBand;
    t.height = 48;
    t.add(rl::label(0, 0, 130, QStringLiteral("Solution for a task: "), 12, true));
    t.add(rl::field(130, 0, 260, tasks, "Name", 12, true));
    t.add(rl::label(400, 0, 35, QStringLiteral("Date:")));
    t.add(rl::field(435, 0, 88, tasks, "Date"));
    t.add(rl::label(0, 24, 300, QStringLiteral("Sheet  /  Container Total Load Data: "), 10, true));

    // Loads, areas and costs of the largest values print smaller.
    const std::vector<rl::Column> columns{{"Container Type", "Type", 0, 100, false},
                                          {"Cont No", "ContNo", 102, 42},
                                          {"Box Sum", "BoxLoad", 146, 46},
                                          {"Weight", "WgtLoad", 194, 46},
                                          {"Util,%", "WgtEff", 242, 38},
                                          {"Area", "VolLoad", 282, 52},
                                          {"Util,%", "VolEff", 336, 38},
                                          {"Cost", "CostLoad", 376, 54},
                                          {"NoseWgt  TailWgt", "NoseLoad", 432, 44},
                                          {"", "TailLoad", 478, 45}};
    containers_.columnHeader = rl::columnHeader(columns);
    containers_.detail = rl::detail(dm_.solut, columns);
    containers_.setRows(dm_.solut);
}

void SolutionReport::buildPositions() {
    ui::ReportBand& t = positions_.titleBand;
    t.height = 24;
    t.add(rl::label(0, 0, 260, QStringLiteral("Part  /  Box Space Positions for Cont No: "), 10, true));
    t.add(rl::field(260, 0, 40, dm_.solut, "ContNo", 10, true));
    t.add(rl::field(305, 0, 218, dm_.solut, "Type", 10, true));

    const std::vector<rl::Column> columns{{"Box Kind", "Kind", 0, 150, false}, {"Box No", "BoxNo", 154, 44},
                                          {"Pos X", "PosX", 202, 46},          {"Pos Y", "PosY", 252, 46},
                                          {"Put L", "PosLh", 302, 46},         {"Put W", "PosWh", 352, 46},
                                          {"Load No", "LoadNo", 402, 50},      {"Mark", "Mark", 460, 40}};
    positions_.columnHeader = rl::columnHeader(columns);
    positions_.detail = rl::detail(dm_.posit, columns);
    positions_.setRows(dm_.posit);
    positions_.summary = rl::titleLineBand();
    positions_.beforePrint = [this] {
        dataset::Cursor& solut = dm_.solut;
        if (selected_.valid && solut.bookmarkValid(selected_)) solut.gotoBookmark(selected_);
        rl::setTitleLine(positions_);
    };
}

} // namespace rectix::results
