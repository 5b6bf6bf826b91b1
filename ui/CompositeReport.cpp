#include "ui/CompositeReport.h"

#include "ui/BandedReport.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <stdexcept>

namespace rectix::ui {

CompositeReport::CompositeReport(const BandedReport& report) : title(report.title), parts{&report} {}

int CompositeReport::paint(QPagedPaintDevice& device) const {
    const std::vector<const BandedReport*> printed = addReports ? addReports() : parts;
    if (printed.empty()) return 0;
    device.setPageOrientation(printed.front()->orientation);
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("The report cannot be printed: the printer did not start");
    int pages = 0;
    try {
        for (std::size_t i = 0; i < printed.size(); ++i) {
            if (i > 0) {
                device.setPageOrientation(printed[i]->orientation);
                device.newPage();
            }
            pages += printed[i]->paint(painter, device);
        }
    } catch (...) {
        painter.end();
        throw;
    }
    painter.end();
    return pages;
}

} // namespace rectix::ui
