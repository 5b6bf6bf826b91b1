#pragma once

#include "engine/PackProblem.h"
#include "engine/PackRun.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rectix::tools {

// A task file that cannot be solved: its message names the field at fault.
class TaskFileError : public std::runtime_error {
  public:
    explicit TaskFileError(const std::string& what) : std::runtime_error(what) {}
};

// A box of a fixed container as it was loaded: position with the edge gap,
// placed sides without the item gap, load number from 1.
struct FixedBox {
    std::int32_t kindID = 0;
    std::int16_t posX = 0, posY = 0, posLh = 0, posWh = 0, loadNo = 0;
};

// A container the user fixed in an earlier plan, taken over with its boxes.
struct FixedContainer {
    std::int32_t typeID = 0;
    std::vector<FixedBox> boxes;
};

// Reads a task in the harness's JSON form into the problem, as the solve
// bridge reads a stored task: resetProblem, the model arrays in row order, the
// settings converted to the engine's units. Returns the task's fixed
// containers, checked to fit the task's containers and boxes. Throws TaskFileError.
std::vector<FixedContainer> loadTaskJson(const std::string& text, engine::PackProblem& problem);

// Prepares the instances, takes the fixed containers over into the start plan
// (each into the lowest free instance of its type, each box into the lowest
// free instance of its kind) and evaluates it, as a solve does. Throws
// TaskFileError for a fixed load whose support loads a run could not hold.
void prepareStart(engine::PackProblem& problem, const std::vector<FixedContainer>& fixed = {});

// The plan in resultSolution as JSON text.
std::string planJson(const engine::PackProblem& problem, const engine::PackRun& run, long long fills);

} // namespace rectix::tools
