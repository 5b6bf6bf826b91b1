// The solve bridge: reading the current task into the engine and solving it.
#include "taskdb/SolveBridge.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RowRefusal.h"
#include "taskdb/RunStore.h"
#include "taskdb/ValueRanges.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"
#include "engine/Limits.h"

namespace rectix::taskdb {

using core::toI16;
using core::toI32;

namespace {

// The first n characters of a UTF-8 text, never splitting a character.
std::string firstChars(const std::string& s, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t chars = 0; i < s.size() && chars < n; ++chars) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

std::int16_t fillDirOf(const std::string& text) {
    if (text == "Length") return 1;
    if (text == "Width") return 2;
    return 0;
}

} // namespace

SolveBridge::SolveBridge(DataModule& dm, engine::PackProblem& problem, engine::PackRun& run)
    : dm_(dm), p_(problem), run_(run) {}

std::string SolveBridge::taskName() const {
    return dm_.tasksName.asString();
}

void SolveBridge::refuse(const std::string& what) const {
    throw BridgeError(core::messageWith(core::Msg::TaskRefused, {taskName(), what}));
}

void SolveBridge::bar(int percent) {
    dm_.waitWindow().setOverallPercent(percent);
}

void SolveBridge::step(core::Caption captionSlot) {
    ProgressView& w = dm_.waitWindow();
    w.setStep(captionSlot);
    w.setOverallPercent(0);
    w.repaintNow();
}

std::string SolveBridge::solveRefusal() const {
    const RunStore& s = dm_.store();
    if (s.totalContainers > engine::maxTaskContainers)
        return core::messageText(core::Msg::TooManyContainers) + std::to_string(engine::maxTaskContainers);
    if (s.totalBoxes > engine::maxTaskBoxes)
        return core::messageText(core::Msg::TooManyBoxes) + std::to_string(engine::maxTaskBoxes);
    if (dm_.tc.recordCount() == 0) return core::messageText(core::Msg::DefineContainers);
    if (dm_.tb.recordCount() == 0) return core::messageText(core::Msg::DefineBoxes);
    // The solution would store the active settings over settings that no window wrote.
    if (std::string bad = dm_.taskSettingsRefusal(); !bad.empty()) return bad;
    return sizeRefusal(s.optBB, s.optBW);
}

void SolveBridge::solveTask() {
    if (const std::string bad = sizeRefusal(dm_.store().optBB, dm_.store().optBW); !bad.empty())
        throw BridgeError(bad);
    // Until the new plan is whole, the result record belongs to no task: a solve that fails or
    // is refused leaves neither the old task's name on it nor a half plan under the new one.
    dm_.store().loadedSolutionTaskID = 0;
    p_.resetProblem(p_.startSolution);
    readTaskInput();
    copyRunSettings();
    p_.prepareInstances();
    readFixedContainers(p_.startSolution);
    refuseStoredLoads(p_.startSolution);
    p_.computeContainerLoads(p_.startSolution);
    p_.countPlacedAndUsed(p_.startSolution);
    p_.evaluateSolution(p_.startSolution, false);
    renumberFixedLoads(p_.startSolution);
    run_.runPacking();
    writeSolution(p_.resultSolution);
    dm_.store().loadedSolutionTaskID = dm_.tasksTaskID.asInteger();
    dm_.waitWindow().showElapsed(false);
}

void SolveBridge::readTaskInput() {
    step(core::Caption::ReadingTask);
    const OperationFrame frame(dm_.operationView(),
                               OperationFrame::Options().controlsOff({&dm_.tc, &dm_.tb}));
    {
        p_.settings.taskTurnOn = dm_.tasksTurnOn.asBoolean();
        p_.settings.taskDefltOn = dm_.tasksDefltOn.asBoolean();
        auto& ct = p_.contTypes;
        int n = 0, sum = 0;
        std::set<std::int32_t> seen;
        dm_.tc.first();
        bar(5);
        for (; !dm_.tc.eof() && sum < engine::maxTaskContainers; dm_.tc.next()) {
            const int t = ++n;
            const std::string type = dm_.tcType.asString();
            checkStoredRow(dm_.tc, "tc", "conts", core::Msg::ContainerTypeRow, type);
            checkKeyOnce(dm_.tc, "TypeID", seen);
            ct.typeID[t] = toI32(dm_.tcTypeID.asInteger());
            ct.avail[t] = toI16(dm_.tcAvail.asInteger());
            ct.loadWt[t] = toI32(dm_.tcLoadWt.asInteger());
            ct.area[t] = core::toF32(dm_.tcWolume.asFloat());
            ct.length[t] = toI16(dm_.tcLength.asInteger());
            ct.width[t] = toI16(dm_.tcWidth.asInteger());
            ct.mark[t] = firstChars(dm_.tcMark.asString(), 3);
            ct.noseWt[t] = toI32(dm_.tcNoseWt.asInteger());
            ct.tailWt[t] = toI32(dm_.tcTailWt.asInteger());
            ct.noseDL[t] = toI16(dm_.tcNoseDL.asInteger());
            ct.tailDL[t] = toI16(dm_.tcTailDL.asInteger());
            ct.cost[t] = core::toF32(dm_.tcCost.asFloat());
            ct.fillDir[t] = fillDirOf(dm_.tcFillDir.asString());
            // A zero span would make the engine divide by zero.
            if (ct.noseDL[t] + ct.tailDL[t] >= ct.length[t])
                refuse(core::messageWith(core::Msg::ContainerTypeRow,
                                         {type, core::messageText(core::Msg::NoSupportSpan)}));
            sum += ct.avail[t];
        }
        p_.contTypeCount = toI16(n);
        bar(10);

        auto& bk = p_.boxKinds;
        const auto count = static_cast<long double>(dm_.tb.recordCount());
        int k = 0;
        sum = 0;
        seen.clear();
        dm_.tb.first();
        for (; !dm_.tb.eof() && sum < engine::maxTaskBoxes; dm_.tb.next()) {
            const int b = ++k;
            checkStoredRow(dm_.tb, "tb", "boxes", core::Msg::BoxKindRow, dm_.tbKind.asString());
            checkKeyOnce(dm_.tb, "KindID", seen);
            bk.kindID[b] = toI32(dm_.tbKindID.asInteger());
            bk.total[b] = toI16(dm_.tbTotal.asInteger());
            bk.weight[b] = toI32(dm_.tbWeight.asInteger());
            bk.area[b] = core::toF32(dm_.tbWolume.asFloat());
            bk.length[b] = toI16(dm_.tbLength.asInteger());
            bk.width[b] = toI16(dm_.tbWidth.asInteger());
            bk.turnOn[b] = dm_.tbTurnOn.isNull() ? false : dm_.tbTurnOn.asBoolean();
            bk.mark[b] = firstChars(dm_.tbMark.asString(), 2);
            bk.name[b] = firstChars(dm_.tbKind.asString(), 25);
            bk.cost[b] = core::toF32(dm_.tbCost.asFloat());
            sum += bk.total[b];
            bar(static_cast<int>(core::roundHalfEven(k * 90 / count)) + 10);
        }
        p_.boxKindCount = toI16(k);
    }
}

// Stored values outside the ranges of the table rules, which rows from another
// program can hold, would overflow the engine's sums or its 16-bit fields, and
// a value not of its field's type would be rounded or zeroed unseen, and
// written back so by the next post.
void SolveBridge::checkStoredRow(const dataset::Cursor& rows, const char* table, const char* library,
                                 core::Msg rowSlot, const std::string& rowName) const {
    if (const std::string what = rowRefusal(rows, table, library); !what.empty())
        refuse(core::messageWith(rowSlot, {rowName, what}));
}

void SolveBridge::copyRunSettings() {
    const RunStore& s = dm_.store();
    engine::RunSettings& r = p_.settings;
    r.seed = s.optRand;
    r.intensity = s.optPower;
    r.timeLimitMs = static_cast<double>(core::mul32(s.optTime, 1000));
    r.weightFactor = core::toF32(s.optQw * 0.01L);
    r.bindGroupFactor = core::toF32(s.optQg * 0.1L);
    r.costFactor = core::toF32(s.optQc * 0.01L);
    r.leftFactor = core::toF32(s.optQr * 0.01L);
    r.itemGap = s.optBB;
    r.edgeGap = s.optBW;
    r.ignoreLast = s.optLast;
}

void SolveBridge::takeStoredBox(engine::PackSolution& plan, int box, int container) const {
    plan.contNo[box] = toI16(container);
    plan.posX[box] = toI16(dm_.positPosX.asInteger());
    plan.posY[box] = toI16(dm_.positPosY.asInteger());
    plan.posLh[box] = toI16(dm_.positPosLh.asInteger());
    plan.posWh[box] = toI16(dm_.positPosWh.asInteger());
    plan.loadNo[box] = toI16(dm_.positLoadNo.asInteger());
}

// Stored values reach 32 bits here: the sums are taken wide.
void SolveBridge::checkPosition(int type, const std::string& where) const {
    const long long x = dm_.positPosX.asInteger(), y = dm_.positPosY.asInteger();
    const long long length = dm_.positPosLh.asInteger(), width = dm_.positPosWh.asInteger();
    const long long containerLength = p_.contTypes.length[type], containerWidth = p_.contTypes.width[type];
    const char* field = nullptr;
    if (x < 0 || x >= containerLength)
        field = "PosX";
    else if (y < 0 || y >= containerWidth)
        field = "PosY";
    else if (length < 1 || x + length > containerLength)
        field = "PosLh";
    else if (width < 1 || y + width > containerWidth)
        field = "PosWh";
    if (field) refuseRow(dm_.posit, field, core::messageWith(core::Msg::NotInsideContainer, {where}));
}

} // namespace rectix::taskdb
