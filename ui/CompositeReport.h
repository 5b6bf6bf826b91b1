#pragma once

#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace rectix::ui {

class BandedReport;

// Reports printed as one job, each part starting on a new page in its own orientation.
class CompositeReport {
  public:
    CompositeReport() = default;
    // A job of one report, titled as the report.
    explicit CompositeReport(const BandedReport& report);

    QString title; // the print job's title
    std::vector<const BandedReport*> parts;
    // Collects the parts when the job prints, in place of `parts` (a part that prints only in
    // some states).
    std::function<std::vector<const BandedReport*>()> addReports;

    // Paints every part on the device, which must not be painted on yet; returns the pages.
    // A painter that cannot start (a file that cannot be written) is a std::runtime_error.
    int paint(QPagedPaintDevice& device) const;
};

} // namespace rectix::ui
