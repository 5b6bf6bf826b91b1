#include "StoredPlan.h"

#include "OpenedSet.h"

#include "engine/PackRun.h"
#include "taskdb/SolveBridge.h"

#include <exception>
#include <system_error>

namespace rectix::tools {

namespace fs = std::filesystem;

std::string reloadStoredPlan(const fs::path& folder, long taskID, engine::PackProblem& problem) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return "--taskset: no folder " + folder.string();
    OpenedSet set(folder);
    taskdb::DataModule& dm = set.dm;
    if (!set.isOpen()) return "--taskset: the table set in " + folder.string() + " cannot be opened";
    if (!dm.tasks.locate("TaskID", taskID))
        return "--task: no task " + std::to_string(taskID) + " in " + folder.string();
    if (!dm.tasksSolut.asBoolean()) return "task " + std::to_string(taskID) + " has no stored solution";
    engine::PackRun run(problem, set.wait);
    taskdb::SolveBridge bridge(dm, problem, run);
    try {
        bridge.reloadSolution();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace rectix::tools
