#pragma once

#include "engine/PackProblem.h"
#include "engine/PackRun.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace rectix::taskdb {

class TDMForm;

// Stored data that does not fit the task it belongs to (rows from an import
// set can hold anything): the action is refused and nothing stored changes.
class BridgeError : public std::runtime_error {
  public:
    explicit BridgeError(const std::string& what) : std::runtime_error(what) {}
};

// The bridge between the current task's tables and the packing engine:
// solving a stored task, writing, clearing and reloading its solution.
//
// Stored rows are checked before they reach the engine's record, and the rows
// of a task change as a whole: a solve or a clear that fails leaves the
// task's tables exactly as they were.
class SolveBridge {
  public:
    SolveBridge(TDMForm& dm, engine::PackProblem& problem, engine::PackRun& run);

    // The message of the first of the Solve command's checks that the current
    // task fails (too many containers or boxes in all, no container or box
    // rows), or "" when it may be solved.
    std::string SolveRefusal() const;
    // Solves the current task with the active optimizer settings and stores
    // the solution. The caller has checked the task's limits.
    void SolveTask();
    void ReadTaskInput();
    void CopyRunSettings();

    // Takes the fixed containers of the stored solution, with their boxes,
    // into the plan (lowest free instances of their type and kind).
    void ReadFixedContainers(engine::TPackSolution& plan);
    void RenumberFixedLoads(engine::TPackSolution& plan);
    // Replaces the current task's stored solution by the plan, in one transaction.
    void WriteSolution(const engine::TPackSolution& plan);

    // Removes the current task's solution but for its fixed containers, in one transaction.
    void ClearSolution();
    // Rebuilds the stored plan of the current task in ResultSolution; returns its TaskID.
    std::int32_t ReloadSolution();
    void ReadStoredSolution(engine::TPackSolution& plan);

  private:
    std::string TaskName() const;
    [[noreturn]] void Refuse(const std::string& what) const;
    // Box `box` of the plan takes container `container` and the current box-position row.
    void TakeStoredBox(engine::TPackSolution& plan, int box, int container) const;
    void CheckPosition(int type, int x, int y, int length, int width, const std::string& where) const;
    void DeleteStoredSolution(bool keepFixed, int& kept);
    void SwitchOff();
    void SwitchOn();
    void Restore(bool failed);
    void Bar(int percent);
    void Step(int captionSlot);

    TDMForm& dm_;
    engine::PackProblem& p_;
    engine::PackRun& run_;
};

} // namespace rectix::taskdb
