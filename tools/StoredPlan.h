#pragma once

#include "ExitStatus.h"

#include <filesystem>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::tools {

// Reloads the stored solution of a task of the table set in `folder` into the problem's result
// record, as the View button does. Status 0 when it did, else the tool's exit status and why not
// in one line.
Failure reloadStoredPlan(const std::filesystem::path& folder, long taskID, engine::PackProblem& problem);

} // namespace rectix::tools
