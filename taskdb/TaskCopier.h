#pragma once

#include "dataset/Value.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace rectix::taskdb {

class DataModule;
class TableSets;

// Copies the current task of the home set: exporting appends it, with its
// containers, boxes and stored solution, to the export set; duplicating adds
// an unsolved copy named Name + " -dupl" to the home set. Either way the
// export set's container and box library files are first replaced by the
// home set's, so the copied rows refer to the same library rows there.
//
// All or nothing: the task's rows are checked against the rules of the rows
// they become before anything changes, and a failure (a library file that
// cannot be copied, a database error) leaves both sets as they were.
class TaskCopier {
  public:
    TaskCopier(DataModule& dm, TableSets& sets);

    // true exports, false duplicates. Only while the home set is active.
    void copyTask(bool toExport);
    // Copies a library table's file ("boxes", "conts") from the home set to the
    // export set, which must be closed; false, after message 16, when that failed.
    bool copyFileToExport(std::string_view table);

  private:
    using Row = std::vector<dataset::Value>; // every stored field, in stored order
    struct TaskRows {
        Row task;
        std::vector<Row> tc, tb, solut, distr, posit;
    };

    TaskRows readTask(std::int32_t taskID, bool withSolution);
    bool acceptRows(const TaskRows& rows, bool toExport);
    bool acceptRow(const Row& row, bool toExport, bool containers);
    void exportRows(const TaskRows& rows);
    std::int32_t duplicateRows(const TaskRows& rows);
    void closeExportTables() noexcept;

    DataModule& dm_;
    TableSets& sets_;
};

} // namespace rectix::taskdb
