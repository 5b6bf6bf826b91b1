#pragma once

#include "taskdb/SavedViewSettings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::taskdb {
class DataModule;
class SolveBridge;
} // namespace rectix::taskdb

namespace rectix::tools {

// Which report the harness prints, as the program's print commands print it.
struct ReportRequest {
    std::string kind;             // task, solution, containers, boxes or layout
    std::optional<int> container; // the solution's selected container, the layout's single one
    std::filesystem::path output; // the PDF file
    // The saved view options the layout page opens with.
    taskdb::SavedViewSettings view;
};

// Empty when the request is sound, else what is wrong with it in one line.
std::string checkReportRequest(const ReportRequest& request);

// Prints the report of the data module's current task to the PDF file. Empty when it did, else
// why not in one line; stored rows that the checks of a reload refuse throw their BridgeError.
// Needs no application object: it makes one for the printing. The caller has checked the output
// file (outputRefusal) before the set was opened.
std::string printStoredReport(taskdb::DataModule& dm, taskdb::SolveBridge& bridge,
                              engine::PackProblem& problem, const ReportRequest& request);

} // namespace rectix::tools
