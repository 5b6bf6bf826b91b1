#include "PackProblem.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace rectix::engine {

using core::fdiv;
using core::toF32;
using core::toI16;
using core::toI32;

namespace {
constexpr long double Eps = 0.00001L;
}

void PackProblem::ResetProblem(TPackSolution& plan) {
    Settings = TRunSettings{};
    AreaTarget = 1.0f;
    WeightTarget = 1.0f;
    StopRun = false;
    ContTypeCount = BoxKindCount = ContCount = BoxCount = 0;
    plan = TPackSolution{};
    ContTypes = TContTypes{};
    ContTypes.Mark.fill("?");
    ContInstType.fill(0);
    BoxKinds = TBoxKinds{};
    BoxKinds.Mark.fill("?");
    BoxKinds.Kind.fill("??");
    BoxInstKind.fill(0);
}

std::int16_t PackProblem::Factorial(std::int16_t n) {
    if (n == 0) return 0;
    if (n < 0 || n > 7) return 12777;
    std::int16_t f = 1;
    for (std::int16_t i = 2; i <= n; ++i) f = toI16(f * i);
    return f;
}

void PackProblem::PrepareInstances() {
    // A type (kind) with a quantity of 0 or less still gets one instance; the
    // bounds of the instance arrays are checked before anything is written.
    ContCount = 0;
    for (int t = 1; t <= ContTypeCount; ++t) {
        const int n = std::max<int>(1, ContTypes.Avail[t]);
        for (int j = 0; j < n; ++j) {
            const auto c = toI16(ContCount + 1);
            ContInstType[c] = toI16(t);
            ContCount = c;
        }
    }
    BoxCount = 0;
    for (int k = 1; k <= BoxKindCount; ++k) {
        const int n = std::max<int>(1, BoxKinds.Total[k]);
        for (int j = 0; j < n; ++j) {
            const auto b = toI16(BoxCount + 1);
            BoxInstKind[b] = toI16(k);
            BoxCount = b;
        }
    }
    core::Random::global().seed(static_cast<long long>(Settings.Seed));
    for (int t = 1; t <= ContTypeCount; ++t) ContTypes.RandKey[t] = core::random(9999);
    PrepareTotals();
    PrepareVariantCount();
}

void PackProblem::PrepareTotals() {
    TRunTotals& r = Totals;
    r = TRunTotals{};
    for (int t = 1; t <= ContTypeCount; ++t) {
        const std::int32_t avail = ContTypes.Avail[t];
        r.TotalCapacity = core::add32(r.TotalCapacity, core::mul32(ContTypes.LoadWt[t], avail));
        r.TotalContArea = toF32(r.TotalContArea + static_cast<long double>(avail) * ContTypes.Area[t]);
        r.TotalContCost =
            toF32(r.TotalContCost + std::fabs(ContTypes.Cost[t]) * static_cast<long double>(avail));
        if (ContTypes.LoadWt[t] > r.MaxLoadWt) r.MaxLoadWt = ContTypes.LoadWt[t];
        if (ContTypes.Area[t] > r.MaxContArea) r.MaxContArea = ContTypes.Area[t];
        if (ContTypes.Avail[t] > r.MaxAvail) r.MaxAvail = ContTypes.Avail[t];
    }
    r.MeanCapacity = core::checkedDiv<std::int32_t>(r.TotalCapacity, ContCount);
    r.MeanContArea = toF32(fdiv(r.TotalContArea, ContCount));
    r.MeanContCost = toF32(fdiv(r.TotalContCost, ContCount));
    for (int k = 1; k <= BoxKindCount; ++k) {
        const std::int32_t total = BoxKinds.Total[k];
        r.TotalBoxWeight = core::add32(r.TotalBoxWeight, core::mul32(BoxKinds.Weight[k], total));
        r.TotalBoxArea = toF32(r.TotalBoxArea + static_cast<long double>(total) * BoxKinds.Area[k]);
        r.TotalBoxCost =
            toF32(r.TotalBoxCost + std::fabs(BoxKinds.Cost[k]) * static_cast<long double>(total));
    }
}

std::int32_t PackProblem::TypeSequences() const {
    std::int32_t m = 1;
    std::int32_t n = 0;
    for (int t = 1; t <= ContTypeCount; ++t) {
        for (int j = 1; j <= ContTypes.Avail[t]; ++j) {
            ++n;
            if (m < CountCap) m = m * n / j;
        }
    }
    return m;
}

void PackProblem::PrepareVariantCount() {
    const int intensity = Settings.Intensity;
    int v = std::min(2 * intensity, std::max(intensity, ContTypeCount - 1));
    const std::int32_t m = TypeSequences();
    if (m - 1 < v) v = m - 1;
    VariantCount = toI16(std::clamp(v, 0, 40));
}

void PackProblem::ComputeContainerLoads(TPackSolution& plan) const {
    core::Slots<float, 0, MaxContSlot> moment;
    for (int c = 0; c <= MaxContSlot; ++c) {
        plan.BoxLoad[c] = 0;
        plan.WgtLoad[c] = 0;
        plan.WolLoad[c] = 0;
        plan.CostLoad[c] = 0;
        plan.NoseLoad[c] = 0;
        plan.TailLoad[c] = 0;
    }
    for (int b = 1; b <= BoxCount; ++b) {
        const int c = plan.ContNo[b];
        const int k = BoxInstKind[b];
        const int t = ContInstType[c];
        plan.BoxLoad[c] = toI16(plan.BoxLoad[c] + 1);
        plan.WgtLoad[c] = core::add32(plan.WgtLoad[c], BoxKinds.Weight[k]);
        plan.CostLoad[c] = toF32(static_cast<long double>(plan.CostLoad[c]) + BoxKinds.Cost[k]);
        plan.WolLoad[c] = toF32(static_cast<long double>(plan.WolLoad[c]) + BoxKinds.Area[k]);
        const long double arm = plan.PosLh[b] * 0.5L + plan.PosX[b] - ContTypes.NoseDL[t];
        moment[c] = toF32(moment[c] + arm * BoxKinds.Weight[k]);
    }
    for (int c = 1; c <= ContCount; ++c) {
        const int t = ContInstType[c];
        const std::int32_t span = ContTypes.Length[t] - ContTypes.NoseDL[t] - ContTypes.TailDL[t];
        plan.TailLoad[c] = toI32(core::roundHalfEven(fdiv(moment[c], span + Eps)));
        plan.NoseLoad[c] = core::checkedSub(plan.WgtLoad[c], plan.TailLoad[c]);
    }
}

void PackProblem::CountPlacedAndUsed(const TPackSolution& plan) {
    BoxKinds.Placed.fill(0);
    ContTypes.Used.fill(0);
    for (int b = 1; b <= BoxCount; ++b) {
        const int k = plan.ContNo[b] < 1 ? 0 : BoxInstKind[b];
        BoxKinds.Placed[k] = toI16(BoxKinds.Placed[k] + 1);
    }
    for (int c = 1; c <= ContCount; ++c) {
        const int t = plan.BoxLoad[c] < 1 ? 0 : ContInstType[c];
        ContTypes.Used[t] = toI16(ContTypes.Used[t] + 1);
    }
}

void PackProblem::CountSplitKinds(TPackSolution& plan) const {
    // One bit per container slot (0 = unplaced) for every kind.
    core::Slots<std::uint32_t, 0, MaxBoxSlot> slotsOfKind;
    for (int b = 1; b <= BoxCount; ++b) {
        const int c = plan.ContNo[b];
        if (c < 0 || c > MaxContSlot)
            throw core::RangeError("Range check error: container " + std::to_string(c));
        slotsOfKind[BoxInstKind[b]] |= 1u << c;
    }
    int split = 0;
    for (int k = 1; k <= BoxKindCount; ++k) split += std::popcount(slotsOfKind[k]);
    plan.SplitKinds = toI16(split - BoxKindCount);
}

void PackProblem::EvaluateObjective(TPackSolution& plan) const {
    const TRunSettings& s = Settings;
    const TRunTotals& r = Totals;
    plan.AreaFill = toF32(fdiv(plan.LoadedArea, Eps + plan.UsedContArea));
    plan.WeightFill = toF32(fdiv(plan.LoadedWeight, plan.UsedCapacity + Eps));
    const float fill = toF32((1 - static_cast<long double>(s.WeightFactor)) * plan.AreaFill +
                             static_cast<long double>(plan.WeightFill) * s.WeightFactor);
    const float ratio =
        toF32(fdiv(r.TotalBoxArea, r.TotalContArea) + fdiv(r.TotalBoxWeight, r.TotalCapacity + Eps));
    const float costShare = toF32(fdiv(plan.LoadedCost, Eps + r.TotalBoxCost) * ratio);
    const float contShare =
        toF32(fdiv(2, fdiv(fdiv(plan.UsedContCost, Eps + r.TotalContCost), ratio + Eps) + 1));
    const float costTerm = toF32((1 - 0.5L) * contShare + costShare * 0.5L);
    float score = toF32((1 - static_cast<long double>(s.CostFactor)) * fill +
                        static_cast<long double>(costTerm) * s.CostFactor);
    score = toF32((1 - static_cast<long double>(s.LeftFactor)) * score +
                  fdiv(plan.LoadedBoxes, BoxCount) * s.LeftFactor);
    CountSplitKinds(plan);
    plan.Score = toF32(fdiv(
        score, fdiv(10 * static_cast<long double>(s.BindGroupFactor) * plan.SplitKinds, BoxKindCount) + 1));
}

void PackProblem::EvaluateSolution(TPackSolution& plan, bool recount) {
    if (recount) {
        ComputeContainerLoads(plan);
        CountPlacedAndUsed(plan);
    }
    plan.VolEff.fill(0);
    plan.WgtEff.fill(0);
    plan.UsedContArea = plan.UsedContCost = plan.LoadedArea = plan.LoadedCost = 0;
    plan.UsedCapacity = plan.LoadedWeight = 0;
    plan.UsedConts = plan.LoadedBoxes = 0;
    plan.Score = plan.AreaFill = plan.WeightFill = 0;
    for (int c = 1; c <= ContCount; ++c) {
        const int t = ContInstType[c];
        plan.WgtEff[c] = toF32(fdiv(plan.WgtLoad[c], ContTypes.LoadWt[t] + Eps));
        plan.VolEff[c] = toF32(fdiv(plan.WolLoad[c], Eps + ContTypes.Area[t]));
        plan.LoadedBoxes = toI16(plan.LoadedBoxes + plan.BoxLoad[c]);
        plan.LoadedWeight = core::add32(plan.LoadedWeight, plan.WgtLoad[c]);
        plan.LoadedArea = toF32(static_cast<long double>(plan.LoadedArea) + plan.WolLoad[c]);
        plan.LoadedCost = toF32(static_cast<long double>(plan.LoadedCost) + plan.CostLoad[c]);
        if (plan.BoxLoad[c] > 0) {
            plan.UsedConts = toI16(plan.UsedConts + 1);
            plan.UsedContArea = toF32(static_cast<long double>(plan.UsedContArea) + ContTypes.Area[t]);
            plan.UsedContCost = toF32(static_cast<long double>(plan.UsedContCost) + ContTypes.Cost[t]);
            plan.UsedCapacity = core::add32(plan.UsedCapacity, ContTypes.LoadWt[t]);
        }
    }
    EvaluateObjective(plan);
}

} // namespace rectix::engine
