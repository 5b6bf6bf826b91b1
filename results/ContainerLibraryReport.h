#pragma once

#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

// The container library printed: one row per library row with the title line at the end.
class ContainerLibraryReport {
  public:
    // The data module must outlive the report.
    explicit ContainerLibraryReport(taskdb::DataModule& dm);
    ContainerLibraryReport(const ContainerLibraryReport&) = delete;
    ContainerLibraryReport& operator=(const ContainerLibraryReport&) = delete;

    const ui::CompositeReport& job() const { return job_; }

  private:
    ui::BandedReport report_;
    ui::CompositeReport job_;
};

} // namespace rectix::results
