#pragma once

#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

// The box library printed: one row per library row with the title line at the end.
class BoxLibraryReport {
  public:
    // The data module must outlive the report.
    explicit BoxLibraryReport(taskdb::DataModule& dm);
    BoxLibraryReport(const BoxLibraryReport&) = delete;
    BoxLibraryReport& operator=(const BoxLibraryReport&) = delete;

    const ui::CompositeReport& job() const { return job_; }

  private:
    ui::BandedReport report_;
    ui::CompositeReport job_;
};

} // namespace rectix::results
