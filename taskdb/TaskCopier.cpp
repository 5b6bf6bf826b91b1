#include "taskdb/TaskCopier.h"

#include "dataset/PartFile.h"

#include "core/Dialogs.h"
#include "core/DurableFile.h"
#include "core/SideFiles.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/TableSets.h"

#include "dataset/Cursor.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include "core/UiTexts.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>

namespace rectix::taskdb {

namespace {

using dataset::Cursor;
using dataset::Value;

constexpr const char* libraryTables[] = {"boxes", "conts"};

std::string msg(core::Msg slot) {
    return core::messageText(slot);
}

dataset::CalendarDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
           std::chrono::day(static_cast<unsigned>(local.tm_mday));
}

std::vector<Value> rowOf(const Cursor& c) {
    std::vector<Value> row;
    for (const auto& f : c.tableDef().fields) row.push_back(c.field(f.name).value());
    return row;
}

const Value& valueIn(const dataset::TableDef& table, const std::vector<Value>& row, std::string_view field) {
    return row.at(table.fieldIndex(field).value());
}

// A stored number as a double; null counts as 0.
double number(const Value& v) {
    return static_cast<double>(dataset::numericValue(v));
}

// The rows of a task in one table, in key order (every key starts with TaskID).
std::vector<std::vector<Value>> rowsOfTask(dataset::TableSet& set, const char* table, std::int32_t taskID) {
    Cursor c(set, table);
    c.open();
    std::vector<std::vector<Value>> rows;
    if (!c.locate("TaskID", taskID)) return rows;
    while (c.field("TaskID").asInteger() == taskID) {
        rows.push_back(rowOf(c));
        c.next();
        if (c.eof()) break;
    }
    return rows;
}

// Appends a copy of `row`, its auto-increment key left to the table; the
// caller assigns what differs and posts.
void copyRow(Cursor& c, const std::vector<Value>& row) {
    c.append();
    const auto& fields = c.tableDef().fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].type != dataset::FieldType::AutoInc) c.field(fields[i].name).setValue(row.at(i));
}

// Copies the rows of a task into `c` under the TaskID `taskID`, with `zeroed` set to 0.
void copyTaskRows(Cursor& c, const std::vector<std::vector<Value>>& rows, std::int32_t taskID,
                  const char* zeroed = nullptr) {
    for (const auto& row : rows) {
        copyRow(c, row);
        c.field("TaskID").setInteger(taskID);
        if (zeroed) c.field(zeroed).setInteger(0);
        c.post();
    }
}

// Keeps copies of the export set's library files while a task is copied, so
// that a failure can put back the files it changed. The copies are side files
// of the library files (kind "undo"): those of a killed copy go when the set
// is opened, or when a later copy keeps its own.
class LibraryUndo {
  public:
    static constexpr const char* undoKind = dataset::PartFile::keptCopyKind;

    explicit LibraryUndo(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~LibraryUndo() { discard(); }
    LibraryUndo(const LibraryUndo&) = delete;
    LibraryUndo& operator=(const LibraryUndo&) = delete;

    bool save(const std::string& file) {
        const std::filesystem::path target = folder_ / file;
        std::filesystem::path kept;
        int lock = -1;
        try {
            core::removeDeadSideFiles(target, {undoKind});
            kept = core::makeSideFile(target, undoKind, lock);
        } catch (const core::FileWriteError&) {
            return false;
        }
        std::error_code ec;
        // Into the file made, whose lock stays with it.
        std::filesystem::copy_file(target, kept, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            std::filesystem::remove(kept, ec);
            ::close(lock);
            return false;
        }
        saved_.push_back({file, kept, lock, false});
        return true;
    }
    void changed(const std::string& file) {
        for (auto& s : saved_)
            if (s.file == file) s.changed = true;
    }
    // Puts back the changed files; the export set must be closed.
    void restore() noexcept {
        for (const auto& s : saved_) {
            std::error_code ec;
            if (s.changed) std::filesystem::rename(s.kept, folder_ / s.file, ec);
        }
        discard();
    }
    void discard() noexcept {
        for (const auto& s : saved_) {
            std::error_code ec;
            std::filesystem::remove(s.kept, ec);
            ::close(s.lock);
        }
        saved_.clear();
    }

  private:
    struct Saved {
        std::string file;
        std::filesystem::path kept;
        int lock; // held until the copy is put back or removed
        bool changed;
    };

    std::filesystem::path folder_;
    std::vector<Saved> saved_;
};

} // namespace

TaskCopier::TaskCopier(DataModule& dm, TableSets& sets) : dm_(dm), sets_(sets) {}

bool TaskCopier::copyFileToExport(std::string_view table) {
    try {
        dm_.db.copyTableFileTo(table, dm_.exdb);
        return true;
    } catch (const std::exception&) {
        core::Dialogs::current().show(DialogKind::Error,
                                      msg(core::Msg::ExportCopyFailed) + " " + dm_.db.table(table).fileName(),
                                      DialogButton::Ok, 0);
        return false;
    }
}

void TaskCopier::copyTask(bool toExport) {
    RunStore& store = dm_.store();
    // The buttons are offered only while the home set is active.
    if (!sets_.requireOpenSet() || store.activeDB != 0) return;
    core::Dialogs& dialogs = core::Dialogs::current();
    if (dm_.tasks.isEmpty()) {
        dialogs.show(DialogKind::Confirmation, msg(core::Msg::SetIsEmpty), DialogButton::Ok, 0);
        return;
    }
    if (store.warnings && dialogs.show(DialogKind::Confirmation,
                                       msg(toExport ? core::Msg::AddTaskToExport : core::Msg::DuplicateTask),
                                       DialogButton::Ok | DialogButton::Cancel, 0) != DialogButton::Ok)
        return;

    // Exporting switches the working tables, so the settings window waits; duplicating adds a
    // task the task page must not show halfway. No other command starts meanwhile.
    std::vector<dataset::Cursor*> stopped;
    if (!toExport) stopped.push_back(&dm_.tasks);
    const OperationFrame frame(dm_.operationView(), OperationFrame::Options()
                                                        .exclusive()
                                                        .progress()
                                                        .busyCursor()
                                                        .pageDisabled()
                                                        .settingsDisabled(toExport)
                                                        .controlsOff(stopped));
    ProgressView& wait = dm_.waitWindow();
    wait.setStep(core::Caption::TaskCopying);
    wait.setOverallPercent(5);
    sets_.postModifiedTables();
    const std::int32_t taskID = dm_.tasksTaskID.asInteger();
    const TaskRows rows = readTask(taskID, toExport);
    if (!acceptRows(rows, toExport)) return;
    if (toExport) {
        store.lastTaskID = taskID;
        if (!sets_.reopenWorkingTables()) return;
        dm_.tasks.locate("TaskID", taskID);
    }

    LibraryUndo undo(dm_.exdb.folder());
    for (const char* table : libraryTables) {
        const std::string file = dm_.exdb.table(table).fileName();
        if (!undo.save(file)) {
            dialogs.show(DialogKind::Error, msg(core::Msg::ExportCopyFailed) + " " + file, DialogButton::Ok,
                         0);
            return;
        }
    }
    std::int32_t duplicate = 0;
    try {
        if (toExport) {
            // Into a set without tasks the libraries come whole, with no rows left of earlier exports.
            sets_.setExportTablesActive(true);
            if (dm_.extasks.isEmpty()) {
                for (const char* table : libraryTables) undo.changed(dm_.exdb.table(table).fileName());
                dataset::Transaction tx(dm_.exdb);
                dm_.exdb.emptyTable("conts");
                dm_.exdb.emptyTable("boxes");
                tx.commit();
            }
            sets_.setExportTablesActive(false);
        }
        int percent = 10;
        for (const char* table : libraryTables) {
            wait.setOverallPercent(percent);
            percent += 25;
            if (!copyFileToExport(table)) {
                undo.restore();
                return;
            }
            undo.changed(dm_.exdb.table(table).fileName());
        }
        wait.setOverallPercent(60);
        if (toExport)
            exportRows(rows);
        else
            duplicate = duplicateRows(rows);
    } catch (...) {
        closeExportTables();
        undo.restore();
        throw;
    }
    undo.discard();
    if (duplicate != 0) dm_.tasks.locate("TaskID", duplicate);
    wait.setOverallPercent(100);
    dm_.tc.first();
    dm_.tb.first();
}

TaskCopier::TaskRows TaskCopier::readTask(std::int32_t taskID, bool withSolution) {
    TaskRows rows;
    rows.task = rowOf(dm_.tasks);
    rows.tc = rowsOfTask(dm_.db, "tc", taskID);
    rows.tb = rowsOfTask(dm_.db, "tb", taskID);
    if (withSolution) {
        rows.solut = rowsOfTask(dm_.db, "solut", taskID);
        rows.distr = rowsOfTask(dm_.db, "distr", taskID);
        rows.posit = rowsOfTask(dm_.db, "posit", taskID);
    }
    return rows;
}

bool TaskCopier::acceptRows(const TaskRows& rows, bool toExport) {
    for (const Row& row : rows.tc)
        if (!acceptRow(row, toExport, true)) return false;
    for (const Row& row : rows.tb)
        if (!acceptRow(row, toExport, false)) return false;
    return true;
}

// The rules the copied row meets: the export set's task rows refuse an amount
// below 1; a duplicate's rows are entered as the user's are, so they also
// need a library row and a cost of at least 0.
bool TaskCopier::acceptRow(const Row& row, bool toExport, bool containers) {
    const dataset::TableDef& table = dm_.db.table(containers ? "tc" : "tb");
    const char* keyField = containers ? "TypeID" : "KindID";
    const double key = number(valueIn(table, row, keyField));
    const double amount = number(valueIn(table, row, containers ? "Avail" : "Total"));
    const double cost = number(valueIn(table, row, "Cost"));
    std::optional<core::Msg> refusal;
    if (!toExport && key < 1)
        refusal = containers ? core::Msg::DefineContainerType : core::Msg::DefineBoxKind;
    else if (amount < 1)
        refusal = core::Msg::RowWithoutAmount;
    else if (!toExport && cost < 0)
        refusal = core::Msg::NegativeCost;
    if (!refusal) return true;

    std::string text = msg(*refusal);
    Cursor library(dm_.db, containers ? "conts" : "boxes");
    library.open();
    if (key >= 1 && library.locate(keyField, static_cast<std::int64_t>(key)))
        text += "\r\"" + library.field(containers ? "Type" : "Kind").asString() + "\"";
    core::Dialogs::current().show(DialogKind::Warning, text, DialogButton::Ok, 0);
    return false;
}

void TaskCopier::exportRows(const TaskRows& rows) {
    ProgressView& wait = dm_.waitWindow();
    sets_.setExportTablesActive(true);
    dataset::Transaction tx(dm_.exdb);
    copyRow(dm_.extasks, rows.task);
    dm_.extasks.post();
    const std::int32_t id = dm_.extasks.field("TaskID").asInteger();
    wait.setOverallPercent(70);
    copyTaskRows(dm_.extc, rows.tc, id);
    wait.setOverallPercent(80);
    copyTaskRows(dm_.extb, rows.tb, id);
    wait.setOverallPercent(90);
    copyTaskRows(dm_.exsolut, rows.solut, id);
    copyTaskRows(dm_.exdistr, rows.distr, id);
    copyTaskRows(dm_.exposit, rows.posit, id);
    tx.commit();
    sets_.setExportTablesActive(false);
}

// Writes the duplicate through cursors of its own, so that the data module's
// rules and totals see it only once it is whole; gives its TaskID.
std::int32_t TaskCopier::duplicateRows(const TaskRows& rows) {
    ProgressView& wait = dm_.waitWindow();
    dataset::Transaction tx(dm_.db);
    Cursor tasks(dm_.db, "tasks");
    Cursor tc(dm_.db, "tc");
    Cursor tb(dm_.db, "tb");
    for (Cursor* c : {&tasks, &tc, &tb}) c->open();
    copyRow(tasks, rows.task);
    tasks.field("Name").setString(tasks.field("Name").asString() + " -dupl");
    tasks.field("Solut").setBoolean(false);
    tasks.field("Date").setDate(today());
    tasks.post();
    const std::int32_t id = tasks.field("TaskID").asInteger();
    wait.setOverallPercent(70);
    copyTaskRows(tc, rows.tc, id, "Used");
    wait.setOverallPercent(80);
    copyTaskRows(tb, rows.tb, id, "Placed");
    wait.setOverallPercent(90);
    tx.commit();
    dm_.tasks.refresh();
    return id;
}

void TaskCopier::closeExportTables() noexcept {
    try {
        sets_.setExportTablesActive(false);
    } catch (...) {
    }
}

} // namespace rectix::taskdb
