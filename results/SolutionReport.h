#pragma once

#include "dataset/Cursor.h"
#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

// The current task's solution printed: the table of its loaded containers, when the selected
// container is the solution's first, then the box positions of the selected container with the
// title line at the end. The selected container is the solution cursor's row when
// markSelected() ran; printing the container table walks the cursor, and the positions go back
// to that row before they print.
class SolutionReport {
  public:
    // The data module must outlive the report.
    explicit SolutionReport(taskdb::DataModule& dm);
    SolutionReport(const SolutionReport&) = delete;
    SolutionReport& operator=(const SolutionReport&) = delete;

    // The solution cursor's current row becomes the selected container.
    void markSelected();
    void freeSelected();
    const ui::CompositeReport& job() const { return job_; }

  private:
    void buildContainers();
    void buildPositions();
    // The container table prints only for the solution's first container.
    bool firstContainerSelected() const;

    taskdb::DataModule& dm_;
    dataset::Bookmark selected_;
    ui::BandedReport containers_; // solut
    ui::BandedReport positions_;  // posit
    ui::CompositeReport job_;
};

} // namespace rectix::results
