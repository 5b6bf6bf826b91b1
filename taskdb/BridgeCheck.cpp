// The solve bridge: the reload's checks for the actions that show, print or write stored rows.
#include "taskdb/SolveBridge.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RowRefusal.h"
#include "taskdb/ValueRanges.h"

#include "core/UiTexts.h"
#include "engine/Progress.h"

#include <exception>
#include <memory>
#include <vector>

namespace rectix::taskdb {

namespace {

// "(TaskID 1, ContNo 2)": the current row by its keys.
std::string rowKeys(const dataset::Cursor& rows) {
    std::string keys;
    for (const std::string& key : rows.tableDef().keyFields())
        keys += (keys.empty() ? "(" : ", ") + key + " " + rows.field(key).displayText();
    return keys + ")";
}

std::string atRow(const dataset::Cursor& rows, const char* field, const std::string& what) {
    const std::string& table = rows.tableDef().name;
    if (!field) return core::messageWith(core::Msg::StoredRow, {table, rowKeys(rows), what});
    return core::messageWith(core::Msg::StoredField, {table, rowKeys(rows), field, what});
}

// A bridge over a problem of its own: what it reads leaves the caller's result record alone.
struct ScratchBridge {
    explicit ScratchBridge(DataModule& dm) : run(problem, quiet), bridge(dm, problem, run) {}
    engine::PackProblem problem;
    engine::NullProgress quiet;
    engine::PackRun run;
    SolveBridge bridge;
};

} // namespace

void SolveBridge::refuseRow(const dataset::Cursor& rows, const char* field, const std::string& what) const {
    refuse(atRow(rows, field, what));
}

void SolveBridge::checkKeyOnce(const dataset::Cursor& rows, const char* key,
                               std::set<std::int32_t>& seen) const {
    const dataset::Field& field = rows.field(key);
    if (!seen.insert(field.asInteger()).second)
        refuseRow(rows, key, core::messageWith(core::Msg::KeyRepeated, {field.displayText(), key}));
}

void SolveBridge::checkSolutionRow(const dataset::Cursor& rows) const {
    if (const std::string what = rowRefusal(rows, "", ""); !what.empty()) refuseRow(rows, nullptr, what);
}

void SolveBridge::checkStoredSolution(DataModule& dm) {
    const auto scratch = std::make_unique<ScratchBridge>(dm);
    walkKeepingRows(dm.operationView(), {&dm.solut, &dm.distr, &dm.posit, &dm.tc, &dm.tb},
                    [&] { scratch->bridge.readCheckedSolution(scratch->problem.resultSolution); });
}

void SolveBridge::checkTaskRows(DataModule& dm) {
    const auto scratch = std::make_unique<ScratchBridge>(dm);
    const SolveBridge& bridge = scratch->bridge;
    bridge.checkSolutionRow(dm.tasks);
    walkKeepingRows(dm.operationView(), {&dm.tc, &dm.tb}, [&] {
        std::set<std::int32_t> types, kinds;
        for (dm.tc.first(); !dm.tc.eof(); dm.tc.next()) {
            bridge.checkStoredRow(dm.tc, "tc", "conts", core::Msg::ContainerTypeRow, dm.tcType.asString());
            bridge.checkKeyOnce(dm.tc, "TypeID", types);
        }
        for (dm.tb.first(); !dm.tb.eof(); dm.tb.next()) {
            bridge.checkStoredRow(dm.tb, "tb", "boxes", core::Msg::BoxKindRow, dm.tbKind.asString());
            bridge.checkKeyOnce(dm.tb, "KindID", kinds);
        }
    });
}

void SolveBridge::checkLibraryRows(DataModule& dm, dataset::Cursor& library) {
    const std::string& table = library.tableDef().name;
    walkKeepingRows(dm.operationView(), {&library}, [&] {
        for (library.first(); !library.eof(); library.next())
            if (const std::string what = rowRefusal(library, table, ""); !what.empty())
                throw BridgeError(atRow(library, nullptr, what));
    });
}

} // namespace rectix::taskdb
