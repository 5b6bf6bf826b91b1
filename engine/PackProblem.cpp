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
constexpr long double eps = 0.00001L;
}

void PackProblem::resetProblem(PackSolution& plan) {
    settings = RunSettings{};
    areaTarget = 1.0f;
    weightTarget = 1.0f;
    stopRun = false;
    contTypeCount = boxKindCount = contCount = boxCount = 0;
    plan = PackSolution{};
    contTypes = ContainerTypes{};
    contTypes.mark.fill("?");
    contInstType.fill(0);
    boxKinds = BoxKinds{};
    boxKinds.mark.fill("?");
    boxKinds.name.fill("??");
    boxInstKind.fill(0);
}

std::int16_t PackProblem::factorial(std::int16_t n) {
    if (n == 0) return 0;
    if (n < 0 || n > 7) return 12777;
    std::int16_t f = 1;
    for (std::int16_t i = 2; i <= n; ++i) f = toI16(f * i);
    return f;
}

void PackProblem::prepareInstances() {
    // A type (kind) with a quantity of 0 or less still gets one instance; the
    // bounds of the instance arrays are checked before anything is written.
    contCount = 0;
    for (int t = 1; t <= contTypeCount; ++t) {
        const int n = std::max<int>(1, contTypes.avail[t]);
        for (int j = 0; j < n; ++j) {
            const auto c = toI16(contCount + 1);
            contInstType[c] = toI16(t);
            contCount = c;
        }
    }
    boxCount = 0;
    for (int k = 1; k <= boxKindCount; ++k) {
        const int n = std::max<int>(1, boxKinds.total[k]);
        for (int j = 0; j < n; ++j) {
            const auto b = toI16(boxCount + 1);
            boxInstKind[b] = toI16(k);
            boxCount = b;
        }
    }
    random.seed(static_cast<long long>(settings.seed));
    for (int t = 1; t <= contTypeCount; ++t) contTypes.randKey[t] = random.next(9999);
    prepareTotals();
    prepareVariantCount();
}

void PackProblem::prepareTotals() {
    RunTotals& r = totals;
    r = RunTotals{};
    for (int t = 1; t <= contTypeCount; ++t) {
        const std::int32_t avail = contTypes.avail[t];
        r.totalCapacity = core::add32(r.totalCapacity, core::mul32(contTypes.loadWt[t], avail));
        r.totalContArea = toF32(r.totalContArea + static_cast<long double>(avail) * contTypes.area[t]);
        r.totalContCost =
            toF32(r.totalContCost + std::fabs(contTypes.cost[t]) * static_cast<long double>(avail));
        if (contTypes.loadWt[t] > r.maxLoadWt) r.maxLoadWt = contTypes.loadWt[t];
        if (contTypes.area[t] > r.maxContArea) r.maxContArea = contTypes.area[t];
        if (contTypes.avail[t] > r.maxAvail) r.maxAvail = contTypes.avail[t];
    }
    r.meanCapacity = core::checkedDiv<std::int32_t>(r.totalCapacity, contCount);
    r.meanContArea = toF32(fdiv(r.totalContArea, contCount));
    r.meanContCost = toF32(fdiv(r.totalContCost, contCount));
    for (int k = 1; k <= boxKindCount; ++k) {
        const std::int32_t total = boxKinds.total[k];
        r.totalBoxWeight = core::add32(r.totalBoxWeight, core::mul32(boxKinds.weight[k], total));
        r.totalBoxArea = toF32(r.totalBoxArea + static_cast<long double>(total) * boxKinds.area[k]);
        r.totalBoxCost =
            toF32(r.totalBoxCost + std::fabs(boxKinds.cost[k]) * static_cast<long double>(total));
    }
}

std::int32_t PackProblem::typeSequences() const {
    std::int32_t m = 1;
    std::int32_t n = 0;
    for (int t = 1; t <= contTypeCount; ++t) {
        for (int j = 1; j <= contTypes.avail[t]; ++j) {
            ++n;
            if (m < countCap) m = m * n / j;
        }
    }
    return m;
}

void PackProblem::prepareVariantCount() {
    const int intensity = settings.intensity;
    int v = std::min(2 * intensity, std::max(intensity, contTypeCount - 1));
    const std::int32_t m = typeSequences();
    if (m - 1 < v) v = m - 1;
    variantCount = toI16(std::clamp(v, 0, 40));
}

void PackProblem::computeContainerLoads(PackSolution& plan) const {
    core::Slots<float, 0, maxContSlot> moment;
    for (int c = 0; c <= maxContSlot; ++c) {
        plan.boxLoad[c] = 0;
        plan.wgtLoad[c] = 0;
        plan.wolLoad[c] = 0;
        plan.costLoad[c] = 0;
        plan.noseLoad[c] = 0;
        plan.tailLoad[c] = 0;
    }
    for (int b = 1; b <= boxCount; ++b) {
        const int c = plan.contNo[b];
        const int k = boxInstKind[b];
        const int t = contInstType[c];
        plan.boxLoad[c] = toI16(plan.boxLoad[c] + 1);
        plan.wgtLoad[c] = core::add32(plan.wgtLoad[c], boxKinds.weight[k]);
        plan.costLoad[c] = toF32(static_cast<long double>(plan.costLoad[c]) + boxKinds.cost[k]);
        plan.wolLoad[c] = toF32(static_cast<long double>(plan.wolLoad[c]) + boxKinds.area[k]);
        const long double arm = plan.posLh[b] * 0.5L + plan.posX[b] - contTypes.noseDL[t];
        moment[c] = toF32(moment[c] + arm * boxKinds.weight[k]);
    }
    for (int c = 1; c <= contCount; ++c) {
        const int t = contInstType[c];
        const std::int32_t span = contTypes.length[t] - contTypes.noseDL[t] - contTypes.tailDL[t];
        plan.tailLoad[c] = toI32(core::roundHalfEven(fdiv(moment[c], span + eps)));
        plan.noseLoad[c] = core::checkedSub(plan.wgtLoad[c], plan.tailLoad[c]);
    }
}

void PackProblem::countPlacedAndUsed(const PackSolution& plan) {
    boxKinds.placed.fill(0);
    contTypes.used.fill(0);
    for (int b = 1; b <= boxCount; ++b) {
        const int k = plan.contNo[b] < 1 ? 0 : boxInstKind[b];
        boxKinds.placed[k] = toI16(boxKinds.placed[k] + 1);
    }
    for (int c = 1; c <= contCount; ++c) {
        const int t = plan.boxLoad[c] < 1 ? 0 : contInstType[c];
        contTypes.used[t] = toI16(contTypes.used[t] + 1);
    }
}

void PackProblem::countSplitKinds(PackSolution& plan) const {
    // One bit per container slot (0 = unplaced) for every kind.
    core::Slots<std::uint32_t, 0, maxBoxSlot> slotsOfKind;
    for (int b = 1; b <= boxCount; ++b) {
        const int c = plan.contNo[b];
        if (c < 0 || c > maxContSlot)
            throw core::RangeError("Range check error: container " + std::to_string(c));
        slotsOfKind[boxInstKind[b]] |= 1u << c;
    }
    int split = 0;
    for (int k = 1; k <= boxKindCount; ++k) split += std::popcount(slotsOfKind[k]);
    plan.splitKinds = toI16(split - boxKindCount);
}

void PackProblem::evaluateObjective(PackSolution& plan) const {
    const RunSettings& s = settings;
    const RunTotals& r = totals;
    plan.areaFill = toF32(fdiv(plan.loadedArea, eps + plan.usedContArea));
    plan.weightFill = toF32(fdiv(plan.loadedWeight, plan.usedCapacity + eps));
    const float fill = toF32((1 - static_cast<long double>(s.weightFactor)) * plan.areaFill +
                             static_cast<long double>(plan.weightFill) * s.weightFactor);
    // The task's box-to-container ratio is an intermediate, never rounded to single precision.
    const long double ratio =
        fdiv(r.totalBoxArea, r.totalContArea) + fdiv(r.totalBoxWeight, r.totalCapacity + eps);
    const float costShare = toF32(fdiv(plan.loadedCost, eps + r.totalBoxCost) * ratio);
    const float contShare =
        toF32(fdiv(2, fdiv(fdiv(plan.usedContCost, eps + r.totalContCost), ratio + eps) + 1));
    const float costTerm = toF32((1 - 0.5L) * contShare + costShare * 0.5L);
    float score = toF32((1 - static_cast<long double>(s.costFactor)) * fill +
                        static_cast<long double>(costTerm) * s.costFactor);
    score = toF32((1 - static_cast<long double>(s.leftFactor)) * score +
                  fdiv(plan.loadedBoxes, boxCount) * s.leftFactor);
    countSplitKinds(plan);
    plan.score = toF32(fdiv(
        score, fdiv(10 * static_cast<long double>(s.bindGroupFactor) * plan.splitKinds, boxKindCount) + 1));
}

void PackProblem::evaluateSolution(PackSolution& plan, bool recount) {
    if (recount) {
        computeContainerLoads(plan);
        countPlacedAndUsed(plan);
    }
    plan.volEff.fill(0);
    plan.wgtEff.fill(0);
    plan.usedContArea = plan.usedContCost = plan.loadedArea = plan.loadedCost = 0;
    plan.usedCapacity = plan.loadedWeight = 0;
    plan.usedConts = plan.loadedBoxes = 0;
    plan.score = plan.areaFill = plan.weightFill = 0;
    for (int c = 1; c <= contCount; ++c) {
        const int t = contInstType[c];
        plan.wgtEff[c] = toF32(fdiv(plan.wgtLoad[c], contTypes.loadWt[t] + eps));
        plan.volEff[c] = toF32(fdiv(plan.wolLoad[c], eps + contTypes.area[t]));
        plan.loadedBoxes = toI16(plan.loadedBoxes + plan.boxLoad[c]);
        plan.loadedWeight = core::add32(plan.loadedWeight, plan.wgtLoad[c]);
        plan.loadedArea = toF32(static_cast<long double>(plan.loadedArea) + plan.wolLoad[c]);
        plan.loadedCost = toF32(static_cast<long double>(plan.loadedCost) + plan.costLoad[c]);
        if (plan.boxLoad[c] > 0) {
            plan.usedConts = toI16(plan.usedConts + 1);
            plan.usedContArea = toF32(static_cast<long double>(plan.usedContArea) + contTypes.area[t]);
            plan.usedContCost = toF32(static_cast<long double>(plan.usedContCost) + contTypes.cost[t]);
            plan.usedCapacity = core::add32(plan.usedCapacity, contTypes.loadWt[t]);
        }
    }
    evaluateObjective(plan);
}

} // namespace rectix::engine
