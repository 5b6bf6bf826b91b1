#include "results/ReportForms.h"

#include "results/ImageReport.h"
#include "results/LibraryReport.h"
#include "results/SolutionReport.h"
#include "results/TaskReport.h"

namespace rectix::results {

ReportForms::ReportForms(taskdb::DataModule& dm) : dm_(dm) {}

ReportForms::~ReportForms() = default;

void ReportForms::create() {
    boxLibrary_ = std::make_unique<LibraryReport>(dm_, LibraryReport::Library::Boxes);
    containerLibrary_ = std::make_unique<LibraryReport>(dm_, LibraryReport::Library::Containers);
    task_ = std::make_unique<TaskReport>(dm_);
    solution_ = std::make_unique<SolutionReport>(dm_);
    image_ = std::make_unique<ImageReport>(dm_);
}

} // namespace rectix::results
