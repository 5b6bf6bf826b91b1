#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rectix::tools {

// The folder of the running program's executable, as the program finds its own folder.
std::filesystem::path executableFolder();

// The harness's second form: solves (clears, reloads) a task stored in the
// table set of a folder exactly as the program's Solve (Clear, View) does,
// and prints the plan as JSON; or writes the CSV files of its stored solution
// as the solution page's File button does, and prints their paths. Returns
// the process exit status.
//
// The printed reports and the CSV files take what the program takes from the
// settings file of `programFolder` at start-up and shows in them: the area
// multiplier, the language of the reports' labels and the view options the
// layout page opens with; the file's defaults where it is missing or cannot be
// read, without the program's warning. The other actions do not read it.
int runStoredTask(const std::vector<std::string>& args,
                  const std::filesystem::path& programFolder = executableFolder());

} // namespace rectix::tools
