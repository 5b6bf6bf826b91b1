#pragma once

#include "core/TextSlots.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "engine/PackProblem.h"
#include "engine/PackRun.h"

#include <cstdint>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>

namespace rectix::taskdb {

class DataModule;

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
    SolveBridge(DataModule& dm, engine::PackProblem& problem, engine::PackRun& run);

    // The message of the first of the Solve command's checks that the current
    // task fails (too many containers or boxes in all, no container or box
    // rows, settings no window wrote, figures a run could not hold), or ""
    // when it may be solved.
    std::string solveRefusal() const;
    // Solves the current task with the active optimizer settings and stores
    // the solution. The caller has checked the task's limits.
    void solveTask();
    void readTaskInput();
    void copyRunSettings();

    // Takes the fixed containers of the stored solution, with their boxes,
    // into the plan (lowest free instances of their type and kind).
    void readFixedContainers(engine::PackSolution& plan);
    void renumberFixedLoads(engine::PackSolution& plan);
    // Replaces the current task's stored solution by the plan, in one transaction.
    void writeSolution(const engine::PackSolution& plan);

    // Removes the current task's solution but for its fixed containers, in one transaction.
    void clearSolution();
    // Rebuilds the stored plan of the current task in resultSolution; returns its TaskID.
    std::int32_t reloadSolution();
    void readStoredSolution(engine::PackSolution& plan);

    // The checks of a reload, for every action that shows, prints or writes stored rows. Each
    // refuses with a BridgeError that names the table, the row and the field, and leaves the
    // cursors on their rows and the result record and the run-time store as they were.
    //
    // The current task's stored solution as a reload reads it: its task row, its container and
    // box rows, and every row of its solution tables.
    static void checkStoredSolution(DataModule& dm);
    // The current task's row and its container and box rows, as a solve reads them.
    static void checkTaskRows(DataModule& dm);
    // Every row of a library (dm.conts or dm.boxes) against the ranges of the table rules.
    static void checkLibraryRows(DataModule& dm, dataset::Cursor& library);

  private:
    std::string taskName() const;
    // The first side or support span of the current task's rows that a run with these gaps could
    // not hold, as a refusal; "" when there is none.
    std::string sizeRefusal(std::int64_t itemGap, std::int64_t edgeGap) const;
    // Refuses a plan read from the tables (fixed or stored containers) whose support loads, the
    // lever of a container's own load, would not fit their fields.
    void refuseStoredLoads(const engine::PackSolution& plan) const;
    [[noreturn]] void refuse(const std::string& what) const;
    // Refuses a row of `table` (with lookups from `library`) holding a value not
    // of its field's type or outside the range the table rules keep; the message
    // `rowSlot` names the row by `rowName`.
    void checkStoredRow(const dataset::Cursor& rows, const char* table, const char* library,
                        core::Msg rowSlot, const std::string& rowName) const;
    // Refuses the current row of `rows` when its `key` (a task's TypeID or KindID, which the rows of
    // one task are told apart by) is one in `seen`; else adds it there.
    void checkKeyOnce(const dataset::Cursor& rows, const char* key, std::set<std::int32_t>& seen) const;
    // Refuses the current row of `rows` (the field named when there is one) for `what`.
    [[noreturn]] void refuseRow(const dataset::Cursor& rows, const char* field,
                                const std::string& what) const;
    // The solution tables' rows and the task row are read as stored, without ranges.
    void checkSolutionRow(const dataset::Cursor& rows) const;
    // Reads the stored solution into `plan` as a reload does, with all of its checks.
    void readCheckedSolution(engine::PackSolution& plan);
    // Box `box` of the plan takes container `container` and the current box-position row.
    void takeStoredBox(engine::PackSolution& plan, int box, int container) const;
    // The current box-position row inside a container of the type.
    void checkPosition(int type, const std::string& where) const;
    // The current box-position row's sides are those of box kind `kind` (an index of the task's
    // kinds), turned only where the task's turn rule lets the kind turn.
    void checkSides(int kind, const std::string& where) const;
    // The load numbers of the current stored container c's box-position rows are 1..their count,
    // each once.
    void checkLoadNos(int c) const;
    // Every box-position row of the task lies in a container of `containers`, the task's
    // solution-container numbers.
    void checkNoStrayPositions(const std::set<std::int32_t>& containers) const;
    // Walks the rows of the current task in the whole table `details` reads (not only those of its
    // master's row); `visit` gives true when it deleted the row, which then needs no step on.
    void eachRowOfTask(const dataset::Cursor& details,
                       const std::function<bool(dataset::Cursor&)>& visit) const;
    // The current stored container, read into the plan as container c, against its rows.
    void checkStoredCounts(const engine::PackSolution& plan, int c) const;
    void checkNoOverlap(const engine::PackSolution& plan, int c, int stored) const;
    // Container c of the plan, stored as `stored`, carries no more than a fill loads into it.
    void checkCapacity(const engine::PackSolution& plan, int c, int stored) const;
    // The current stored container's totals are those its boxes give, container c of `plan`
    // holding its loads as computed.
    void checkStoredTotals(const engine::PackSolution& plan, int c) const;
    // Every task box row's placed count is the number of its kind's boxes in the plan.
    void checkPlacedCounts(const engine::PackSolution& plan) const;
    void deleteStoredSolution(bool keepFixed, int& kept);
    void changeRows(const std::function<void()>& change);
    void bar(int percent);
    void step(core::Caption captionSlot);

    DataModule& dm_;
    engine::PackProblem& p_;
    engine::PackRun& run_;
};

} // namespace rectix::taskdb
