#pragma once

#include "ExitStatus.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::tools {

// The harness's second form: solves (clears, reloads) a task stored in the
// table set of a folder exactly as the program's Solve (Clear, View) does,
// and prints the plan as JSON; or writes the CSV files of its stored solution
// as the solution page's File button does, and prints their paths. Returns
// the process exit status.
int runStoredTask(const std::vector<std::string>& args);

// Reloads the stored solution of a task of the table set in `folder` into the problem's result
// record, as the View button does. Status 0 when it did, else the tool's exit status and why not
// in one line.
Failure reloadStoredPlan(const std::filesystem::path& folder, long taskID, engine::PackProblem& problem);

} // namespace rectix::tools
