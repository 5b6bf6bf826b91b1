#pragma once

#include <string>
#include <vector>

namespace rectix::tools {

// The harness's second form: solves (clears, reloads) a task stored in the
// table set of a folder exactly as the program's Solve (Clear, View) does,
// and prints the plan as JSON; or writes the CSV files of its stored solution
// as the solution page's File button does, and prints their paths. Returns
// the process exit status.
int runStoredTask(const std::vector<std::string>& args);

} // namespace rectix::tools
