#include "results/ContainerLibraryReport.h"

#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

namespace rectix::results {

namespace rl = reportLayout;

ContainerLibraryReport::ContainerLibraryReport(taskdb::DataModule& dm) {
    report_.title = QStringLiteral("Rectix Container Library");
    report_.titleBand.height = 30;
    report_.titleBand.add(
        rl::label(0, 0, rl::pageWidth, QStringLiteral("Sheet / 2D Container Library"), 14, true));
    const std::vector<rl::Column> columns{{"Sheet / Container Type", "Type", 0, 118, false},
                                          {"Mark", "Mark", 120, 30},
                                          {"Length", "Length", 152, 40},
                                          {"Width", "Width", 194, 40},
                                          {"Area", "Volume", 236, 50},
                                          {"Fill Dir", "FillDir", 294, 38, false},
                                          {"LoadWt", "LoadWt", 332, 42},
                                          {"Nose / Tail Weigt & Posit", "NoseWt", 378, 34},
                                          {"", "TailWt", 414, 34},
                                          {"", "NoseDL", 452, 34},
                                          {"", "TailDL", 489, 34}};
    report_.columnHeader = rl::columnHeader(columns);
    report_.detail = rl::detail(dm.conts, columns);
    report_.setRows(dm.conts);
    report_.summary = rl::titleLineBand();
    report_.beforePrint = [this] { rl::setTitleLine(report_); };
    job_ = ui::CompositeReport(report_);
}

} // namespace rectix::results
