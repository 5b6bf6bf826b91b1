#pragma once

#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

// A library printed: one row per library row under the library's heading and column titles, with
// the title line at the end. The two libraries differ only in their texts and column table.
class LibraryReport {
  public:
    enum class Library { Boxes, Containers };

    // The data module must outlive the report.
    LibraryReport(taskdb::DataModule& dm, Library library);
    LibraryReport(const LibraryReport&) = delete;
    LibraryReport& operator=(const LibraryReport&) = delete;

    const ui::CompositeReport& job() const { return job_; }

  private:
    ui::BandedReport report_;
    ui::CompositeReport job_;
};

} // namespace rectix::results
