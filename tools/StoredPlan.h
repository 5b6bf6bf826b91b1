#pragma once

#include <filesystem>
#include <string>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::tools {

// Reloads the stored solution of a task of the table set in `folder` into the problem's result
// record, as the View button does. Empty when it did, else why not in one line.
std::string reloadStoredPlan(const std::filesystem::path& folder, long taskID, engine::PackProblem& problem);

} // namespace rectix::tools
