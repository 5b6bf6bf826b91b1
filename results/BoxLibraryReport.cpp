#include "results/BoxLibraryReport.h"

#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

namespace rectix::results {

namespace rl = reportLayout;

BoxLibraryReport::BoxLibraryReport(taskdb::DataModule& dm) {
    report_.title = QStringLiteral("Rectix Box Library");
    report_.titleBand.height = 30;
    report_.titleBand.add(rl::label(0, 0, rl::pageWidth, QStringLiteral("Part / 2D Box Library"), 14, true));
    const std::vector<rl::Column> columns{{"Part / Box Kind", "Kind", 0, 130, false},
                                          {"Mark", "Mark", 132, 36},
                                          {"Length", "Length", 172, 44},
                                          {"Width", "Width", 220, 44},
                                          {"Area", "Volume", 268, 56},
                                          {"Weight", "Weight", 328, 48},
                                          {"TurnOn", "TurnOn", 380, 44},
                                          {"Description", "Descr", 434, 89, false}};
    report_.columnHeader = rl::columnHeader(columns);
    report_.detail = rl::detail(dm.boxes, columns);
    report_.setRows(dm.boxes);
    report_.summary = rl::titleLineBand();
    report_.beforePrint = [this] { rl::setTitleLine(report_); };
    job_ = ui::CompositeReport(report_);
}

} // namespace rectix::results
