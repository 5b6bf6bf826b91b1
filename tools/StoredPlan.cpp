#include "StoredPlan.h"

#include "OpenedSet.h"

#include "core/Errors.h"
#include "engine/PackRun.h"
#include "taskdb/SolveBridge.h"

#include <optional>
#include <string>

namespace rectix::tools {

namespace fs = std::filesystem;

Failure reloadStoredPlan(const fs::path& folder, long taskID, engine::PackProblem& problem) {
    if (const std::string wrong = folderRefusal(folder); !wrong.empty()) return {2, wrong};
    std::optional<OpenedSet> set;
    try {
        set.emplace(folder);
        taskdb::DataModule& dm = set->dm;
        if (!set->isOpen()) return {2, "--taskset: " + openRefusal(*set, folder)};
        if (!dm.tasks.locate("TaskID", static_cast<std::int32_t>(taskID)))
            return {2, "--task: no task " + std::to_string(taskID) + " in " + folder.string()};
        if (!dm.tasksSolut.asBoolean())
            return {2, "task " + std::to_string(taskID) + " has no stored solution"};
        engine::PackRun run(problem, set->wait);
        taskdb::SolveBridge bridge(dm, problem, run);
        bridge.reloadSolution();
    } catch (const core::SilentAbort&) {
        return {2, set ? set->dialogs.joined() : std::string("operation aborted")};
    } catch (...) {
        return failureOn(set, folder);
    }
    return {0, {}};
}

} // namespace rectix::tools
