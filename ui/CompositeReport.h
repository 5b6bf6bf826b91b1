#pragma once

#include <QPageRanges>
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

    // Which pages of the job print, in which order and how often, as a print dialog chooses.
    struct PageChoice {
        QPageRanges ranges; // pages from 1; empty for all
        bool lastFirst = false;
        int copies = 1;      // copies made here, for a device that makes none of its own
        bool collate = true; // whole copies one after the other, else each page `copies` times
    };

    // Paints the chosen pages of every part on the device, which must not be painted on yet;
    // returns the pages printed. A device that fails (a printer that does not start, a page
    // refused) or a choice holding no page of the job is a std::runtime_error.
    int paint(QPagedPaintDevice& device, const PageChoice& choice) const;
    int paint(QPagedPaintDevice& device) const { return paint(device, PageChoice()); }
};

} // namespace rectix::ui
