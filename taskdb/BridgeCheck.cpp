// The solve bridge: the reload's checks for the actions that show, print or write stored rows.
#include "taskdb/SolveBridge.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RowRefusal.h"
#include "taskdb/ValueRanges.h"

#include "core/NumberFormat.h"
#include "core/UiTexts.h"
#include "engine/Progress.h"
#include "engine/SizeLimits.h"

#include <cmath>
#include <exception>
#include <memory>
#include <vector>

namespace rectix::taskdb {

namespace {

std::string atRow(const dataset::Cursor& rows, const char* field, const std::string& what) {
    return atStoredRow(rows, field ? field : "", what);
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

// The engine places a box with its kind's sides, turned only when the task lets the kind turn
// (the task's rule for every kind, or else the kind's own flag); placed sides hold no item gap.
void SolveBridge::checkSides(int kind, const std::string& where) const {
    const long long length = dm_.positPosLh.asInteger(), width = dm_.positPosWh.asInteger();
    const long long kindLength = p_.boxKinds.length[kind], kindWidth = p_.boxKinds.width[kind];
    if (length == kindLength && width == kindWidth) return;
    if (length != kindWidth || width != kindLength)
        refuseRow(dm_.posit, length != kindLength && length != kindWidth ? "PosLh" : "PosWh",
                  core::messageWith(core::Msg::SidesNotOfKind,
                                    {where, std::to_string(length), std::to_string(width),
                                     std::to_string(kindLength), std::to_string(kindWidth)}));
    const engine::RunSettings& s = p_.settings;
    if (!(s.taskDefltOn ? s.taskTurnOn : p_.boxKinds.turnOn[kind]))
        refuseRow(dm_.posit, "PosLh", core::messageWith(core::Msg::TurnedNotAllowed, {where}));
}

// The engine numbers a container's boxes 1, 2, 3 ... in loading order, and a fixed container's
// numbers are closed up again before they are stored.
void SolveBridge::checkLoadNos(int c) const {
    const auto count = static_cast<std::int64_t>(dm_.posit.recordCount());
    std::set<std::int32_t> seen;
    for (dm_.posit.first(); !dm_.posit.eof(); dm_.posit.next()) {
        const std::int32_t n = dm_.positLoadNo.asInteger();
        if (n >= 1 && n <= count && seen.insert(n).second) continue;
        const std::string where = core::messageWith(
            core::Msg::StoredBox, {std::to_string(dm_.positBoxNo.asInteger()), std::to_string(c)});
        refuseRow(dm_.posit, "LoadNo",
                  core::messageWith(core::Msg::LoadNoNotInSequence,
                                    {where, std::to_string(n), std::to_string(count)}));
    }
}

// The position rows follow their container's row: a row of no container would be left out of the
// plan unseen, and would join a container of that number written later.
void SolveBridge::checkNoStrayPositions(const std::set<std::int32_t>& containers) const {
    eachRowOfTask(dm_.posit, [&](dataset::Cursor& rows) {
        checkSolutionRow(rows);
        if (containers.contains(rows.field("ContNo").asInteger())) return false;
        const std::string where = core::messageWith(
            core::Msg::StoredBox, {rows.field("BoxNo").displayText(), rows.field("ContNo").displayText()});
        refuseRow(rows, "ContNo", core::messageWith(core::Msg::NoContainerRow, {where}));
        return false;
    });
}

void SolveBridge::eachRowOfTask(const dataset::Cursor& details,
                                const std::function<bool(dataset::Cursor&)>& visit) const {
    dataset::Cursor rows(details.tableSet(), details.tableDef().name);
    rows.open();
    const auto task = static_cast<long double>(dm_.tasksTaskID.asInteger());
    for (rows.first(); !rows.eof();)
        if (dataset::numericValue(rows.field("TaskID").value()) != task || !visit(rows)) rows.next();
}

void SolveBridge::checkCapacity(const engine::PackSolution& plan, int c, int stored) const {
    const int type = p_.contInstType[c];
    long long load = 0;
    for (int j = 1; j <= p_.boxCount; ++j)
        if (plan.contNo[j] == c) load += p_.boxKinds.weight[p_.boxInstKind[j]];
    const std::int64_t most = engine::SizeLimits::fillLoadCap(p_.contTypes.loadWt[type]);
    if (load > most)
        refuseRow(dm_.solut, "WgtLoad",
                  core::messageWith(core::Msg::LoadOverCapacity,
                                    {std::to_string(stored), std::to_string(load),
                                     std::to_string(p_.contTypes.loadWt[type]), std::to_string(most)}));
}

// The fill sums a container's areas and costs as floats in its loading order, and reckons its support
// loads from a float centre of gravity over its own span, both half a unit longer for an odd item gap:
// the reload's sums may differ by float roundings, its support loads also by that half unit.
void SolveBridge::checkStoredTotals(const engine::PackSolution& plan, int c) const {
    const long double boxes = plan.boxLoad[c] + 1;
    const auto rounding = [&](long double sum) { return boxes * std::ldexp(std::fabs(sum), -22); };
    const int t = p_.contInstType[c];
    const long double gap = dataset::numericValue(dm_.tasksBB.value()), odd = std::fmod(gap, 2);
    const long double length = p_.contTypes.length[t] + gap;
    const long double span = p_.contTypes.length[t] - p_.contTypes.noseDL[t] - p_.contTypes.tailDL[t];
    const long double weight = std::fabs(static_cast<long double>(plan.wgtLoad[c]));
    const long double support = 1 + weight * (odd * length / (span * (span + odd)) + rounding(length) / span);
    const auto check = [&](const char* field, const dataset::Field& stored, long double given,
                           long double within) {
        if (std::fabs(dataset::numericValue(stored.value()) - given) <= within) return;
        refuseRow(dm_.solut, field,
                  core::messageWith(core::Msg::TotalNotOfBoxes,
                                    {std::to_string(c),
                                     core::NumberFormat::point().general(static_cast<double>(given)),
                                     stored.displayText()}));
    };
    check("WgtLoad", dm_.solutWgtLoad, plan.wgtLoad[c], 0);
    check("WolLoad", dm_.solutWolLoad, plan.wolLoad[c], rounding(plan.wolLoad[c]));
    check("CostLoad", dm_.solutCostLoad, plan.costLoad[c], rounding(plan.costLoad[c]));
    check("NoseLoad", dm_.solutNoseLoad, plan.noseLoad[c], support);
    check("TailLoad", dm_.solutTailLoad, plan.tailLoad[c], support);
}

void SolveBridge::checkPlacedCounts(const engine::PackSolution& plan) const {
    std::vector<long long> placed(static_cast<std::size_t>(p_.boxKindCount) + 1);
    for (int j = 1; j <= p_.boxCount; ++j)
        if (plan.contNo[j] > 0) ++placed[static_cast<std::size_t>(p_.boxInstKind[j])];
    int k = 0;
    for (dm_.tb.first(); !dm_.tb.eof() && k < p_.boxKindCount; dm_.tb.next()) {
        const long long n = placed[static_cast<std::size_t>(++k)];
        if (dataset::numericValue(dm_.tbPlaced.value()) != n)
            refuseRow(
                dm_.tb, "Placed",
                core::messageWith(core::Msg::PlacedNotOfBoxes,
                                  {std::to_string(n), dm_.tbKind.asString(), dm_.tbPlaced.displayText()}));
    }
}

void SolveBridge::checkTaskRows(DataModule& dm) {
    const auto scratch = std::make_unique<ScratchBridge>(dm);
    const SolveBridge& bridge = scratch->bridge;
    if (const std::string bad = dm.taskRowRefusal(false); !bad.empty()) bridge.refuse(bad);
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
