#include "PackRun.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"

#include <algorithm>
#include <cstdio>

namespace rectix::engine {

using core::fdiv;
using core::toF32;
using core::toI16;

namespace {
constexpr long double Eps = 0.00001L;

std::string OneDecimal(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", seconds);
    return buf;
}
} // namespace

PackRun::PackRun(PackProblem& problem, Progress& progress)
    : p_(problem), progress_(progress), orders_(problem) {
    fill_.progress = &progress_;
    fill_.Totals = &p_.Totals;
}

void PackRun::SetDefaultCaptions() {
    auto& c = core::UiTexts::global().captions;
    c[50] = "Please wait";
    c[51] = "sec";
    c[52] = "Esc to abort";
    c[53] = "Packing progress...";
    c[54] = "Run";
    c[55] = "Aborted...";
}

double PackRun::Elapsed() const {
    return (fill_.NowMs() - StartMs) / 1000.0;
}

bool PackRun::StopTest() {
    return progress_.EscPressed() || fill_.NowMs() >= StartMs + p_.Settings.TimeLimitMs;
}

void PackRun::HandOver(int c) {
    const TRunSettings& s = p_.Settings;
    FillEngine& f = fill_;
    const int t = p_.ContInstType[c];
    f.EngineReset();
    int n = 0;
    for (int b = 1; b <= p_.BoxCount; ++b) {
        if (p_.ResultSolution.ContNo[b] != 0) continue;
        const int k = p_.BoxInstKind[b];
        ++n;
        f.BoxInst[n] = toI16(b);
        f.BoxKind[n] = toI16(k);
        f.GroupSize[n] = p_.BoxKinds.Total[k];
        f.BoxArea[n] = p_.BoxKinds.Area[k];
        f.BoxWeight[n] = p_.BoxKinds.Weight[k];
        f.BoxCost[n] = p_.BoxKinds.Cost[k];
        f.BoxPlaced[n] = 0;
        f.BoxTurnOn[n] = p_.BoxKinds.TurnOn[k];
        f.BoxLen[n] = core::add16(p_.BoxKinds.Length[k], s.ItemGap);
        f.BoxWid[n] = core::add16(p_.BoxKinds.Width[k], s.ItemGap);
    }
    f.BoxN = toI16(n);
    const auto& ct = p_.ContTypes;
    f.Points.SetUsable(toI16(ct.Length[t] + s.ItemGap - 2 * s.EdgeGap),
                       toI16(ct.Width[t] + s.ItemGap - 2 * s.EdgeGap));
    f.ContLoadWt = ct.LoadWt[t];
    f.ContArea = ct.Area[t];
    f.ContCost = ct.Cost[t];
    f.ContNoseWt = ct.NoseWt[t];
    f.ContTailWt = ct.TailWt[t];
    f.NoseDist = toI16(ct.NoseDL[t] + s.ItemGap / 2 - s.EdgeGap);
    f.TailDist = toI16(ct.TailDL[t] + s.ItemGap / 2 - s.EdgeGap);
    f.EngTaskDefltOn = s.TaskDefltOn;
    f.EngTaskTurnOn = s.TaskTurnOn;
    f.FillDir = ct.FillDir[t];
    f.EngWeightFactor = s.WeightFactor;
    f.EngCostFactor = s.CostFactor;
    f.EngLeftFactor = s.LeftFactor;
    f.EngBindFactor = s.BindGroupFactor;
    switch (core::roundHalfEven(static_cast<long double>(s.BindGroupFactor) * 10)) {
    case 5:
        f.Backtrack = -1;
        break;
    case 6:
        f.Backtrack = 1;
        break;
    case 7:
        f.Backtrack = -2;
        break;
    case 8:
        f.Backtrack = 2;
        break;
    case 9:
    case 10:
        f.Backtrack = 3;
        break;
    default:
        f.Backtrack = 0;
        break;
    }
    f.EngIntensity = s.Intensity;
    // A fill may use what remains of the run's time, never more: the user's
    // time limit holds within one progress step.
    const double remaining = StartMs - f.NowMs() + s.TimeLimitMs;
    double budget = remaining;
    if (p_.ContCount > 1) budget *= 2;
    f.TimeBudgetMs = std::min(budget, remaining);
    LastTimeBudgetMs = f.TimeBudgetMs;
    f.EngineSeed = toI16(s.Seed + c);
}

void PackRun::RunPacking() {
    TPackSolution& result = p_.ResultSolution;
    const int contCount = p_.ContCount;
    progress_.SetTimeLab("0 " + core::captionText(51));
    progress_.SetWaitLab(core::captionText(52));
    progress_.SetProgLab(core::captionText(53));
    progress_.SetEscPressed(false);
    FillsDone = 0;
    progress_.SetProgBar(0);
    progress_.SetProgBarYnD(0);
    progress_.ShowProgBarYnD(true);
    progress_.ShowTimeLab(true);
    progress_.Repaint();

    StartMs = fill_.NowMs();
    fill_.RunStartMs = StartMs;
    fill_.StopRun = false;
    p_.StopRun = false;
    FixedCount = 0;
    for (int c = 1; c <= contCount; ++c)
        if (p_.StartSolution.FixCont[c]) FixedCount = toI16(FixedCount + 1);

    const TRunTotals& r = p_.Totals;
    const float e1 = toF32(fdiv(fdiv(r.TotalBoxArea, Eps + r.TotalContArea), 0.8L));
    const float e2 = toF32(fdiv(fdiv(r.TotalBoxWeight, r.TotalCapacity + Eps), 0.9L));
    float e = e1 < e2 ? e2 : e1;
    e = std::clamp(toF32(static_cast<long double>(contCount) * e), 1.0f, static_cast<float>(contCount));
    e = static_cast<float>(
        core::roundHalfEven(e + (1 - fdiv(e, contCount)) * (p_.ContTypeCount - 1) - FixedCount));
    ContainerEstimate = std::clamp(e, 1.0f, static_cast<float>(contCount));
    ProgressTotal =
        toI16(core::roundHalfEven(static_cast<long double>(p_.VariantCount + 1) * ContainerEstimate));

    p_.BestSolution = p_.StartSolution;
    p_.BestSolution.Score = 0;
    p_.CurrentSolution = p_.StartSolution;
    p_.ContOrder.fill(0);
    ReplacePhase = 0;
    EngineCalls = 0;
    orders_.Clear();

    bool endRun = false;
    while (!endRun) {
        if (ReplacePhase == 0) {
            for (int i = 1; i <= contCount; ++i) p_.ContOrder[i] = toI16(i);
            core::Random::global().seed(static_cast<long long>(p_.Settings.Seed) + EngineCalls);
            if (!orders_.NextContainerOrder()) break;
            result = p_.CurrentSolution;
            result.LastCont = 0;
        }
        int skipType = 0, candidates = 0;
        float candScore = 0, fillScore = 0;
        int position = 0;
        cur_ = 0;
        do {
            ++position;
            while (position <= contCount && (result.BoxLoad[p_.ContOrder[position]] > 0 ||
                                             p_.ContInstType[p_.ContOrder[position]] == skipType))
                ++position;
            if (position > contCount || result.LoadedBoxes >= p_.BoxCount) break;

            EngineCalls = core::add32(EngineCalls, 1);
            const int c = p_.ContOrder[position];
            const int t = p_.ContInstType[c];
            cur_ = c;
            skipType = t;
            capacity_ = p_.ContTypes.LoadWt[t];
            area_ = p_.ContTypes.Area[t];
            HandOver(c);
            fill_.PrepareFill();
            fill_.PackAllOrderings();
            if (fill_.StopRun) p_.StopRun = true;

            FillsDone = toI16(FillsDone + 1);
            progress_.SetProgBar(
                static_cast<int>(core::roundHalfEven(fdiv(FillsDone * 100.0L, ProgressTotal + Eps))));
            progress_.SetTimeLab(OneDecimal(Elapsed()) + " " + core::captionText(51));
            progress_.Repaint();

            const std::int32_t placed = fill_.Fill.FillCount;
            fillScore = fill_.Fill.FillScore;
            if (placed == 0 || !(fillScore > 0)) {
                cur_ = 0;
            } else if (ReplacePhase == 1 && !p_.Settings.IgnoreLast &&
                       result.LoadedBoxes + placed < p_.BoxCount) {
                cur_ = 0; // a replacement must take every remaining box
            } else if (ReplacePhase == 1) {
                ++candidates;
                if (candidates == 1 || fillScore > candScore) {
                    p_.ReplacementSolution = result;
                    candScore = fillScore;
                    CommitContainer(p_.ReplacementSolution);
                }
            } else {
                CommitContainer(result);
                skipType = 0;
                if (result.LoadedBoxes >= p_.BoxCount && (!p_.Settings.IgnoreLast || result.UsedConts == 1) &&
                    position < contCount && p_.ContInstType[p_.ContOrder[contCount]] != t) {
                    ReplacePhase = 1;
                    candidates = 1;
                    skipType = t;
                    p_.ReplacementSolution = result;
                    candScore = fillScore;
                    RemoveContainer(result, c);
                    result.LastCont = 0;
                }
            }
            if (StopTest()) {
                if (ReplacePhase == 1) candidates = 0;
                p_.StopRun = true;
            }
        } while (position < contCount && result.LoadedBoxes < p_.BoxCount && candidates < p_.ContTypeCount &&
                 !p_.StopRun);

        if (ReplacePhase == 1) {
            result = p_.ReplacementSolution;
            if (result.LoadedBoxes < p_.BoxCount && result.UsedConts < contCount && candidates > 0) continue;
            if (!p_.Settings.IgnoreLast) ReplacePhase = 0;
        }
        if (p_.Settings.IgnoreLast && result.LastCont != 0 && result.LoadedBoxes >= p_.BoxCount &&
            result.UsedConts > 1) {
            const int last = result.LastCont;
            if (result.VolEff[last] < result.AreaFill || result.WgtEff[last] < result.WeightFill) {
                RemoveContainer(result, last);
                result.LastCont = toI16(result.LastCont + 500);
            }
        }
        p_.EvaluateObjective(result);
        if (result.Score > p_.BestSolution.Score) p_.BestSolution = result;
        if (StopTest()) p_.StopRun = true;
        if (p_.StopRun || ReplacePhase == 1 ||
            (p_.BestSolution.WeightFill >= p_.WeightTarget && p_.BestSolution.AreaFill >= p_.AreaTarget))
            break;
        orders_.VariantNo = toI16(orders_.VariantNo + 1);
        if (orders_.VariantNo - orders_.SkippedOrders > p_.VariantCount) endRun = true;
    }

    p_.CountPlacedAndUsed(p_.BestSolution);
    result = p_.BestSolution.Score != 0 ? p_.BestSolution : p_.StartSolution;
    LastRunSeconds = OneDecimal(Elapsed());
    progress_.ShowProgBarYnD(false);
    progress_.SetWaitLab(core::captionText(50));
    progress_.SetTimeLab(core::captionText(54) + " " + LastRunSeconds + " " + core::captionText(51));
    progress_.Repaint();
}

void PackRun::AcceptContainerResult(TPackSolution& plan) {
    const int c = cur_;
    const int t = p_.ContInstType[c];
    const auto& f = fill_.Fill;
    plan.BoxLoad[c] = toI16(f.FillCount);
    plan.WolLoad[c] = f.FillArea;
    plan.CostLoad[c] = f.FillCost;
    plan.WgtLoad[c] = f.FillWeight;
    plan.NoseLoad[c] = f.FillNoseLoad;
    plan.TailLoad[c] = f.FillTailLoad;
    plan.WgtEff[c] = toF32(fdiv(plan.WgtLoad[c], capacity_ + Eps));
    plan.VolEff[c] = toF32(fdiv(plan.WolLoad[c], Eps + area_));
    plan.UsedConts = toI16(plan.UsedConts + 1);
    plan.UsedCapacity = core::add32(plan.UsedCapacity, capacity_);
    plan.UsedContArea = toF32(static_cast<long double>(plan.UsedContArea) + area_);
    plan.UsedContCost = toF32(static_cast<long double>(plan.UsedContCost) + p_.ContTypes.Cost[t]);
    plan.LoadedBoxes = toI16(plan.LoadedBoxes + plan.BoxLoad[c]);
    plan.LoadedWeight = core::add32(plan.LoadedWeight, plan.WgtLoad[c]);
    plan.LoadedArea = toF32(static_cast<long double>(plan.LoadedArea) + plan.WolLoad[c]);
    plan.LoadedCost = toF32(static_cast<long double>(plan.LoadedCost) + plan.CostLoad[c]);
    plan.LastCont = toI16(c);
    p_.EvaluateObjective(plan);
}

void PackRun::CommitContainer(TPackSolution& plan) {
    AcceptContainerResult(plan);
    const FillEngine& f = fill_;
    const TRunSettings& s = p_.Settings;
    int n = 0;
    for (int i = 1; i <= f.BoxN; ++i) {
        const int e = f.PackingOrder[i];
        if (f.BoxPlaced[e] != 1) continue;
        const int b = f.BoxInst[e];
        plan.ContNo[b] = toI16(cur_);
        plan.LoadNo[b] = toI16(++n);
        plan.PosX[b] = core::add16(f.BoxX[e], s.EdgeGap);
        plan.PosY[b] = core::add16(f.BoxY[e], s.EdgeGap);
        plan.PosLh[b] = toI16(f.BoxLen[e] - s.ItemGap);
        plan.PosWh[b] = toI16(f.BoxWid[e] - s.ItemGap);
    }
}

void PackRun::RemoveContainer(TPackSolution& plan, int c) {
    const int t = p_.ContInstType[c];
    const auto& ct = p_.ContTypes;
    plan.UsedConts = toI16(plan.UsedConts - 1);
    plan.UsedContArea = toF32(static_cast<long double>(plan.UsedContArea) - ct.Area[t]);
    plan.UsedContCost = toF32(static_cast<long double>(plan.UsedContCost) - ct.Cost[t]);
    plan.UsedCapacity = core::checkedSub(plan.UsedCapacity, ct.LoadWt[t]);
    plan.LoadedWeight = core::checkedSub(plan.LoadedWeight, plan.WgtLoad[c]);
    plan.LoadedBoxes = toI16(plan.LoadedBoxes - plan.BoxLoad[c]);
    plan.LoadedArea = toF32(static_cast<long double>(plan.LoadedArea) - plan.WolLoad[c]);
    plan.LoadedCost = toF32(static_cast<long double>(plan.LoadedCost) - plan.CostLoad[c]);
    plan.WgtEff[c] = plan.VolEff[c] = plan.CostLoad[c] = plan.WolLoad[c] = 0;
    plan.BoxLoad[c] = 0;
    plan.WgtLoad[c] = plan.NoseLoad[c] = plan.TailLoad[c] = 0;
    for (int b = 1; b <= p_.BoxCount; ++b) {
        if (plan.ContNo[b] != c) continue;
        plan.ContNo[b] = plan.LoadNo[b] = plan.PosX[b] = plan.PosY[b] = plan.PosLh[b] = plan.PosWh[b] = 0;
    }
    p_.EvaluateObjective(plan);
}

} // namespace rectix::engine
