// The solve bridge: reading the current task into the engine and solving it.
#include "taskdb/SolveBridge.h"

#include "taskdb/ControlsOff.h"
#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"
#include "engine/Limits.h"

namespace rectix::taskdb {

using core::toI16;
using core::toI32;

namespace {

// The first n characters of a UTF-8 text, never splitting a character.
std::string FirstChars(const std::string& s, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t chars = 0; i < s.size() && chars < n; ++chars) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

std::int16_t FillDirOf(const std::string& text) {
    if (text == "Length") return 1;
    if (text == "Width") return 2;
    return 0;
}

} // namespace

SolveBridge::SolveBridge(TDMForm& dm, engine::PackProblem& problem, engine::PackRun& run)
    : dm_(dm), p_(problem), run_(run) {}

std::string SolveBridge::TaskName() const {
    return dm_.tasksName.asString();
}

void SolveBridge::Refuse(const std::string& what) const {
    throw BridgeError("Task \"" + TaskName() + "\": " + what);
}

void SolveBridge::Bar(int percent) {
    dm_.waitWindow().SetProgBar(percent);
}

void SolveBridge::Step(int captionSlot) {
    WaitWindow& w = dm_.waitWindow();
    w.SetProgLab(core::captionText(captionSlot));
    w.SetProgBar(0);
    w.Repaint();
}

std::string SolveBridge::SolveRefusal() const {
    const RunStore& s = dm_.store();
    if (s.TotalContainers > engine::MaxTaskContainers)
        return core::messageText(38) + std::to_string(engine::MaxTaskContainers);
    if (s.TotalBoxes > engine::MaxTaskBoxes)
        return core::messageText(39) + std::to_string(engine::MaxTaskBoxes);
    if (dm_.tc.recordCount() == 0) return core::messageText(42);
    if (dm_.tb.recordCount() == 0) return core::messageText(43);
    return {};
}

void SolveBridge::SolveTask() {
    p_.ResetProblem(p_.StartSolution);
    ReadTaskInput();
    CopyRunSettings();
    p_.PrepareInstances();
    ReadFixedContainers(p_.StartSolution);
    p_.ComputeContainerLoads(p_.StartSolution);
    p_.CountPlacedAndUsed(p_.StartSolution);
    p_.EvaluateSolution(p_.StartSolution, false);
    RenumberFixedLoads(p_.StartSolution);
    run_.RunPacking();
    WriteSolution(p_.ResultSolution);
    dm_.store().LoadedSolutionTaskID = dm_.tasksTaskID.asInteger();
    dm_.waitWindow().ShowTimeLab(false);
}

void SolveBridge::ReadTaskInput() {
    Step(41);
    const ControlsOff off{&dm_.tc, &dm_.tb};
    {
        p_.Settings.TaskTurnOn = dm_.tasksTurnOn.asBoolean();
        p_.Settings.TaskDefltOn = dm_.tasksDefltOn.asBoolean();
        auto& ct = p_.ContTypes;
        int n = 0, sum = 0;
        dm_.tc.first();
        Bar(5);
        for (; !dm_.tc.eof() && sum < engine::MaxTaskContainers; dm_.tc.next()) {
            const int t = ++n;
            ct.TypeID[t] = toI32(dm_.tcTypeID.asInteger());
            ct.Avail[t] = toI16(dm_.tcAvail.asInteger());
            ct.LoadWt[t] = toI32(dm_.tcLoadWt.asInteger());
            ct.Area[t] = core::toF32(dm_.tcWolume.asFloat());
            ct.Length[t] = toI16(dm_.tcLength.asInteger());
            ct.Width[t] = toI16(dm_.tcWidth.asInteger());
            ct.Mark[t] = FirstChars(dm_.tcMark.asString(), 3);
            ct.NoseWt[t] = toI32(dm_.tcNoseWt.asInteger());
            ct.TailWt[t] = toI32(dm_.tcTailWt.asInteger());
            ct.NoseDL[t] = toI16(dm_.tcNoseDL.asInteger());
            ct.TailDL[t] = toI16(dm_.tcTailDL.asInteger());
            ct.Cost[t] = core::toF32(dm_.tcCost.asFloat());
            ct.FillDir[t] = FillDirOf(dm_.tcFillDir.asString());
            // Rows that arrived past the row rules would make the engine invent
            // containers or divide by a zero span.
            const std::string what = "container type \"" + dm_.tcType.asString() + "\" ";
            if (ct.Avail[t] < 1) Refuse(what + "has no containers available");
            if (ct.Length[t] < 1 || ct.Width[t] < 1) Refuse(what + "has no length or width");
            if (ct.NoseDL[t] < 0 || ct.TailDL[t] < 0 || ct.NoseDL[t] + ct.TailDL[t] >= ct.Length[t])
                Refuse(what + "has support distances that leave no span");
            sum += ct.Avail[t];
        }
        p_.ContTypeCount = toI16(n);
        Bar(10);

        auto& bk = p_.BoxKinds;
        const auto count = static_cast<long double>(dm_.tb.recordCount());
        int k = 0;
        sum = 0;
        dm_.tb.first();
        for (; !dm_.tb.eof() && sum < engine::MaxTaskBoxes; dm_.tb.next()) {
            const int b = ++k;
            bk.KindID[b] = toI32(dm_.tbKindID.asInteger());
            bk.Total[b] = toI16(dm_.tbTotal.asInteger());
            bk.Weight[b] = toI32(dm_.tbWeight.asInteger());
            bk.Area[b] = core::toF32(dm_.tbWolume.asFloat());
            bk.Length[b] = toI16(dm_.tbLength.asInteger());
            bk.Width[b] = toI16(dm_.tbWidth.asInteger());
            bk.TurnOn[b] = dm_.tbTurnOn.isNull() ? false : dm_.tbTurnOn.asBoolean();
            bk.Mark[b] = FirstChars(dm_.tbMark.asString(), 2);
            bk.Kind[b] = FirstChars(dm_.tbKind.asString(), 25);
            bk.Cost[b] = core::toF32(dm_.tbCost.asFloat());
            const std::string what = "box kind \"" + dm_.tbKind.asString() + "\" ";
            if (bk.Total[b] < 1) Refuse(what + "has no boxes to pack");
            if (bk.Length[b] < 1 || bk.Width[b] < 1) Refuse(what + "has no length or width");
            if (bk.Weight[b] < 0) Refuse(what + "has a negative weight");
            sum += bk.Total[b];
            Bar(static_cast<int>(core::roundHalfEven(k * 90 / count)) + 10);
        }
        p_.BoxKindCount = toI16(k);
    }
}

void SolveBridge::CopyRunSettings() {
    const RunStore& s = dm_.store();
    engine::TRunSettings& r = p_.Settings;
    r.Seed = s.OptRand;
    r.Intensity = s.OptPower;
    r.TimeLimitMs = static_cast<double>(core::mul32(s.OptTime, 1000));
    r.WeightFactor = core::toF32(s.OptQw * 0.01L);
    r.BindGroupFactor = core::toF32(s.OptQg * 0.1L);
    r.CostFactor = core::toF32(s.OptQc * 0.01L);
    r.LeftFactor = core::toF32(s.OptQr * 0.01L);
    r.ItemGap = s.OptBB;
    r.EdgeGap = s.OptBW;
    r.IgnoreLast = s.OptLast;
}

void SolveBridge::TakeStoredBox(engine::TPackSolution& plan, int box, int container) const {
    plan.ContNo[box] = toI16(container);
    plan.PosX[box] = toI16(dm_.positPosX.asInteger());
    plan.PosY[box] = toI16(dm_.positPosY.asInteger());
    plan.PosLh[box] = toI16(dm_.positPosLh.asInteger());
    plan.PosWh[box] = toI16(dm_.positPosWh.asInteger());
    plan.LoadNo[box] = toI16(dm_.positLoadNo.asInteger());
}

void SolveBridge::CheckPosition(int type, int x, int y, int length, int width,
                                const std::string& where) const {
    const auto& ct = p_.ContTypes;
    if (x < 0 || y < 0 || length < 1 || width < 1 || x + length > ct.Length[type] ||
        y + width > ct.Width[type])
        Refuse(where + " does not lie inside its container");
}

} // namespace rectix::taskdb
