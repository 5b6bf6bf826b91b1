#pragma once

#include "engine/PackProblem.h"
#include "engine/PackRun.h"

#include <stdexcept>
#include <string>

namespace rectix::tools {

// A task file that cannot be solved: its message names the field at fault.
class TaskFileError : public std::runtime_error {
  public:
    explicit TaskFileError(const std::string& what) : std::runtime_error(what) {}
};

// Reads a task in the harness's JSON form into the problem, as the solve
// bridge reads a stored task: resetProblem, the model arrays in row order, the
// settings converted to the engine's units. Throws TaskFileError.
void loadTaskJson(const std::string& text, engine::PackProblem& problem);

// Prepares the instances and evaluates the empty start plan, as a solve does.
void prepareStart(engine::PackProblem& problem);

// The plan in resultSolution as JSON text.
std::string planJson(const engine::PackProblem& problem, const engine::PackRun& run, long long fills);

} // namespace rectix::tools
