#include "results/TaskReport.h"

#include "core/UiTexts.h"
#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

namespace rectix::results {

namespace rl = reportLayout;

namespace {

QString caption(core::Caption slot) {
    return QString::fromStdString(core::captionText(slot));
}

// A label whose text is the figure `text` points at when the band prints.
ui::ReportElement figure(double x, double y, double width, const QString* text) {
    ui::ReportElement e = ui::ReportElement::boundText({x, y, width, 15}, [text] { return *text; });
    e.font = rl::font(10);
    e.figure = true;
    return e;
}

// A summary row: its caption, then the number, area and weight figures in their three columns. A
// row continuing the one above has its caption set right, under the first.
void addSummaryRow(ui::ReportBand& band, double y, const QString& text, bool continues, const QString* number,
                   const QString* area, const QString* weight) {
    band.add(rl::label(0, y, 130, text, 10, false,
                       (continues ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    band.add(figure(135, y, 120, number));
    band.add(figure(260, y, 130, area));
    band.add(figure(395, y, 128, weight));
}

} // namespace

TaskReportLabels TaskReportLabels::fromPage(const std::array<QString, taskdb::pageFigureCount>& figures,
                                            const QString& volMult, bool commonTurnRules, bool turnOn) {
    using F = taskdb::PageFigure;
    auto at = [&figures](F f) { return figures[static_cast<std::size_t>(f)]; };
    const QString number = caption(core::Caption::Number);
    const QString area = caption(core::Caption::Area);
    TaskReportLabels l;
    l.effWgt = at(F::EffWgt) + QStringLiteral(" %");
    l.effVol = at(F::EffVol) + QStringLiteral(" %");
    l.costPck = at(F::CostPck);
    l.volMult = volMult;
    l.turn = commonTurnRules ? caption(turnOn ? core::Caption::Yes : core::Caption::No)
                             : caption(core::Caption::BoxLibrary);
    l.avlNmb = number + at(F::AvlNmb);
    l.avlWgt = caption(core::Caption::LoadWgt) + at(F::AvlWgt);
    l.avlVol = area + at(F::AvlVol);
    l.usdNmb = at(F::UsdNmb);
    l.usdWgt = at(F::UsdWgt);
    l.usdVol = at(F::UsdVol);
    l.totNmb = number + at(F::TotNmb);
    l.totWgt = caption(core::Caption::Weight) + at(F::TotWgt);
    l.totVol = area + at(F::TotVol);
    l.lftNmb = at(F::LftNmb);
    l.lftWgt = at(F::LftWgt);
    l.lftVol = at(F::LftVol);
    return l;
}

TaskReport::TaskReport(taskdb::DataModule& dm) {
    buildContainers(dm);
    buildBoxes(dm);
    job_.title = QStringLiteral("Rectix Task Report");
    job_.addReports = [this] { return std::vector<const ui::BandedReport*>{&containers_, &boxes_}; };
}

void TaskReport::buildContainers(taskdb::DataModule& dm) {
    const dataset::Cursor& tasks = dm.tasks;
    ui::ReportBand& t = containers_.titleBand;
    t.height = 150;
    t.add(rl::label(0, 0, 80, QStringLiteral("Task Name: "), 12, true));
    t.add(rl::field(80, 0, 300, tasks, "Name", 12, true));
    t.add(rl::label(400, 0, 35, QStringLiteral("Date:")));
    t.add(rl::field(435, 0, 88, tasks, "Date"));
    t.add(rl::label(0, 22, 120, QStringLiteral("Totals:  Area Util:")));
    t.add(figure(120, 22, 90, &labels_.effVol));
    t.add(rl::label(230, 22, 70, QStringLiteral("Weight Util:")));
    t.add(figure(300, 22, 90, &labels_.effWgt));
    t.add(rl::label(0, 40, 75, QStringLiteral("Description: ")));
    t.add(rl::field(75, 40, 305, tasks, "Descr"));
    t.add(rl::label(400, 40, 55, QStringLiteral("Net Cost:")));
    t.add(figure(455, 40, 68, &labels_.costPck));
    t.add(rl::label(0, 58, 175, QStringLiteral("Gaps (Item-Item / Item-Edge):")));
    // The task's own gaps, which its solution was made with; the active settings may differ.
    ui::ReportElement gaps = ui::ReportElement::boundText({175, 58, 70, 15}, [&dm] {
        return QString::number(dm.tasksBB.asInteger()) + QStringLiteral(" / ") +
               QString::number(dm.tasksBW.asInteger());
    });
    gaps.font = rl::font(10);
    gaps.figure = true;
    t.add(gaps);
    t.add(rl::label(0, 76, 130, QStringLiteral("Common Turn Rules =  ")));
    t.add(rl::field(130, 76, 40, tasks, "DefltOn"));
    t.add(rl::label(170, 76, 75, QStringLiteral(":   TurnOn:  ")));
    t.add(figure(245, 76, 90, &labels_.turn));
    t.add(rl::label(400, 76, 60, QStringLiteral("Area Mult:")));
    t.add(figure(460, 76, 63, &labels_.volMult));
    t.add(rl::label(0, 98, 300, QStringLiteral("Sheets  /  2D Containers to Load: "), 10, true));
    addSummaryRow(t, 116, QStringLiteral("SUMMARY - Available:"), false, &labels_.avlNmb, &labels_.avlVol,
                  &labels_.avlWgt);
    addSummaryRow(t, 132, QStringLiteral("Used:"), true, &labels_.usdNmb, &labels_.usdVol, &labels_.usdWgt);

    // Costs up to 123456.78 and every count, size and area print at 10 points; larger costs smaller.
    const std::vector<rl::Column> columns{{"Container Type", "Type", 0, 136, false},
                                          {"Cost", "Cost", 138, 58},
                                          {"Avail", "Avail", 200, 36},
                                          {"Used", "Used", 240, 36},
                                          {"Mark", "Mark", 280, 30},
                                          {"Length", "Length", 314, 36},
                                          {"Width", "Width", 354, 34},
                                          {"Area", "Volume", 390, 68},
                                          {"LoadWgt", "LoadWt", 462, 61}};
    containers_.columnHeader = rl::columnHeader(columns);
    containers_.detail = rl::detail(dm.tc, columns);
    containers_.setRows(dm.tc);
}

void TaskReport::buildBoxes(taskdb::DataModule& dm) {
    ui::ReportBand& t = boxes_.titleBand;
    t.height = 58;
    t.add(rl::label(0, 0, 300, QStringLiteral("Parts  /  2D Boxes to Pack: "), 10, true));
    addSummaryRow(t, 18, QStringLiteral("SUMMARY  - Total:"), false, &labels_.totNmb, &labels_.totVol,
                  &labels_.totWgt);
    addSummaryRow(t, 34, QStringLiteral("Left:"), true, &labels_.lftNmb, &labels_.lftVol, &labels_.lftWgt);

    const std::vector<rl::Column> columns{{"Box Kind", "Kind", 0, 120, false}, {"Cost", "Cost", 122, 58},
                                          {"Total", "Total", 184, 36},         {"Used", "Placed", 224, 36},
                                          {"Mark", "Mark", 264, 26},           {"Length", "Length", 294, 36},
                                          {"Width", "Width", 334, 34},         {"Area", "Volume", 370, 66},
                                          {"Weight", "Weight", 440, 38},       {"TurnOn", "TurnOn", 482, 41}};
    boxes_.columnHeader = rl::columnHeader(columns);
    boxes_.detail = rl::detail(dm.tb, columns);
    boxes_.setRows(dm.tb);
    boxes_.summary = rl::titleLineBand();
    boxes_.beforePrint = [this] { rl::setTitleLine(boxes_); };
}

} // namespace rectix::results
