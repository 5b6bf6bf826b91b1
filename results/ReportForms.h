#pragma once

#include "ui/ReportPrinter.h"

#include <memory>

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::results {

class ImageReport;
class LibraryReport;
class SolutionReport;
class TaskReport;

// The five report forms of the program and the printer they print through. Created empty; the
// forms come with create(). The print commands use a form only while printing is on.
class ReportForms {
  public:
    // The data module must outlive the forms.
    explicit ReportForms(taskdb::DataModule& dm);
    ~ReportForms();
    ReportForms(const ReportForms&) = delete;
    ReportForms& operator=(const ReportForms&) = delete;

    // In this order: box library, container library, task, solution and image reports. An error
    // passes on; the forms created before it stay.
    void create();

    LibraryReport& boxLibrary() const { return *boxLibrary_; }
    LibraryReport& containerLibrary() const { return *containerLibrary_; }
    TaskReport& task() const { return *task_; }
    SolutionReport& solution() const { return *solution_; }
    ImageReport& image() const { return *image_; }

    // The printer-setup dialog and the printing; tests replace its dialog.
    ui::ReportPrinter printer;

  private:
    taskdb::DataModule& dm_;
    std::unique_ptr<LibraryReport> boxLibrary_;
    std::unique_ptr<LibraryReport> containerLibrary_;
    std::unique_ptr<TaskReport> task_;
    std::unique_ptr<SolutionReport> solution_;
    std::unique_ptr<ImageReport> image_;
};

} // namespace rectix::results
