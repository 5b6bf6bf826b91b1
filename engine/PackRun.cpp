#include "PackRun.h"

#include "core/Checked.h"
#include "core/NumberFormat.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>

namespace rectix::engine {

using core::fdiv;
using core::toF32;
using core::toI16;

namespace {
constexpr long double eps = 0.00001L;

// The fill's backtrack step for a bind group factor.
std::int16_t backtrackFor(float bindGroupFactor) {
    switch (core::roundHalfEven(static_cast<long double>(bindGroupFactor) * 10)) {
    case 5:
        return -1;
    case 6:
        return 1;
    case 7:
        return -2;
    case 8:
        return 2;
    case 9:
    case 10:
        return 3;
    default:
        return 0;
    }
}

// The stored form, with a point whatever the C library's locale.
std::string oneDecimal(double seconds) {
    return core::NumberFormat::point().fixed(seconds, 1);
}
} // namespace

PackRun::PackRun(PackProblem& problem, Progress& progress)
    : p_(problem), progress_(progress), orders_(problem) {
    fill_.attach(p_.totals, progress_);
}

bool PackRun::stopTest() {
    return progress_.escPressed() || fill_.now() >= startMs + p_.settings.timeLimitMs;
}

void PackRun::handOver(int c) {
    const RunSettings& s = p_.settings;
    const int t = p_.contInstType[c];
    const auto& ct = p_.contTypes;
    FillEngine::Container container;
    container.usableLength = toI16(ct.length[t] + s.itemGap - 2 * s.edgeGap);
    container.usableWidth = toI16(ct.width[t] + s.itemGap - 2 * s.edgeGap);
    container.loadWt = ct.loadWt[t];
    container.area = ct.area[t];
    container.cost = ct.cost[t];
    container.noseWt = ct.noseWt[t];
    container.tailWt = ct.tailWt[t];
    container.noseDist = toI16(ct.noseDL[t] + s.itemGap / 2 - s.edgeGap);
    container.tailDist = toI16(ct.tailDL[t] + s.itemGap / 2 - s.edgeGap);
    container.fillDir = ct.fillDir[t];

    FillEngine::Settings settings;
    settings.taskDefltOn = s.taskDefltOn;
    settings.taskTurnOn = s.taskTurnOn;
    settings.weightFactor = s.weightFactor;
    settings.costFactor = s.costFactor;
    settings.leftFactor = s.leftFactor;
    settings.bindFactor = s.bindGroupFactor;
    settings.backtrack = backtrackFor(s.bindGroupFactor);
    settings.intensity = s.intensity;
    // Twice the time left when other containers may follow: a run may pass its
    // limit by up to one fill's budget.
    settings.timeBudgetMs = startMs - fill_.now() + s.timeLimitMs;
    if (p_.contCount > 1) settings.timeBudgetMs *= 2;
    settings.seed = toI16(s.seed + c);
    fill_.handOver(container, settings);

    for (int b = 1; b <= p_.boxCount; ++b) {
        if (p_.resultSolution.contNo[b] != 0) continue;
        const int k = p_.boxInstKind[b];
        FillEngine::Box box;
        box.inst = toI16(b);
        box.kind = toI16(k);
        box.groupSize = p_.boxKinds.total[k];
        box.area = p_.boxKinds.area[k];
        box.weight = p_.boxKinds.weight[k];
        box.cost = p_.boxKinds.cost[k];
        box.turnOn = p_.boxKinds.turnOn[k];
        box.length = core::add16(p_.boxKinds.length[k], s.itemGap);
        box.width = core::add16(p_.boxKinds.width[k], s.itemGap);
        fill_.addBox(box);
    }
}

void PackRun::runPacking() {
    showRunStart();
    startRun();
    while (true) {
        if (replacePhase == 0 && !startVariant()) break;
        fillContainersInOrder();
        if (replacePhase == 1 && continuesReplacement()) continue;
        dropWeakLastContainer();
        if (endsAfterVariant()) break;
    }
    finishRun();
}

void PackRun::showRunStart() {
    progress_.setPhase(RunPhase::Packing);
    progress_.setElapsedMs(0);
    progress_.setEscPressed(false);
    fillsDone = 0;
    progress_.setOverallPercent(0);
    progress_.setContainerPercent(0);
    progress_.showContainerPercent(true);
    progress_.showElapsed(true);
    progress_.repaintNow();
}

void PackRun::startRun() {
    startMs = fill_.now();
    fill_.startRun(startMs);
    p_.stopRun = false;
    fixedCount = 0;
    for (int c = 1; c <= p_.contCount; ++c)
        if (p_.startSolution.fixCont[c]) fixedCount = toI16(fixedCount + 1);
    estimateContainers();
    p_.bestSolution = p_.startSolution;
    p_.bestSolution.score = 0;
    p_.currentSolution = p_.startSolution;
    p_.contOrder.fill(0);
    replacePhase = 0;
    engineCalls = 0;
    orders_.clear();
}

void PackRun::estimateContainers() {
    const int contCount = p_.contCount;
    const RunTotals& r = p_.totals;
    const float e1 = toF32(fdiv(fdiv(r.totalBoxArea, eps + r.totalContArea), 0.8L));
    const float e2 = toF32(fdiv(fdiv(r.totalBoxWeight, r.totalCapacity + eps), 0.9L));
    float e = e1 < e2 ? e2 : e1;
    e = std::clamp(toF32(static_cast<long double>(contCount) * e), 1.0f, static_cast<float>(contCount));
    e = static_cast<float>(
        core::roundHalfEven(e + (1 - fdiv(e, contCount)) * (p_.contTypeCount - 1) - fixedCount));
    containerEstimate = std::clamp(e, 1.0f, static_cast<float>(contCount));
    progressTotal =
        toI16(core::roundHalfEven(static_cast<long double>(p_.variantCount + 1) * containerEstimate));
}

bool PackRun::startVariant() {
    for (int i = 1; i <= p_.contCount; ++i) p_.contOrder[i] = toI16(i);
    p_.random.seed(static_cast<long long>(p_.settings.seed) + engineCalls);
    if (!orders_.nextContainerOrder()) return false;
    p_.resultSolution = p_.currentSolution;
    p_.resultSolution.lastCont = 0;
    return true;
}

void PackRun::fillContainersInOrder() {
    const PackSolution& result = p_.resultSolution;
    const int contCount = p_.contCount;
    v_ = VariantState{};
    cur_ = 0;
    do {
        ++v_.position;
        while (v_.position <= contCount && (result.boxLoad[p_.contOrder[v_.position]] > 0 ||
                                            p_.contInstType[p_.contOrder[v_.position]] == v_.skipType))
            ++v_.position;
        if (v_.position > contCount || result.loadedBoxes >= p_.boxCount) break;
        fillContainer(p_.contOrder[v_.position]);
        takeFill();
        if (stopTest()) {
            if (replacePhase == 1) v_.candidates = 0;
            p_.stopRun = true;
        }
    } while (v_.position < contCount && result.loadedBoxes < p_.boxCount &&
             v_.candidates < p_.contTypeCount && !p_.stopRun);
}

void PackRun::fillContainer(int c) {
    engineCalls = core::add32(engineCalls, 1);
    const int t = p_.contInstType[c];
    cur_ = c;
    v_.skipType = t;
    capacity_ = p_.contTypes.loadWt[t];
    area_ = p_.contTypes.area[t];
    handOver(c);
    fill_.prepareFill();
    fill_.packAllOrderings();
    if (fill_.stopped()) p_.stopRun = true;

    fillsDone = toI16(fillsDone + 1);
    progress_.setOverallPercent(
        static_cast<int>(core::roundHalfEven(fdiv(fillsDone * 100.0L, progressTotal + eps))));
    progress_.setElapsedMs(fill_.now() - startMs);
    progress_.repaintNow();
}

void PackRun::takeFill() {
    PackSolution& result = p_.resultSolution;
    const std::int32_t placed = fill_.result().fillCount;
    v_.fillScore = fill_.result().fillScore;
    if (placed == 0 || !(v_.fillScore > 0)) {
        cur_ = 0;
    } else if (replacePhase == 1 && !p_.settings.ignoreLast && result.loadedBoxes + placed < p_.boxCount) {
        cur_ = 0; // a replacement must take every remaining box
    } else if (replacePhase == 1) {
        ++v_.candidates;
        if (v_.candidates == 1 || v_.fillScore > v_.candScore) {
            p_.replacementSolution = result;
            v_.candScore = v_.fillScore;
            commitContainer(p_.replacementSolution);
        }
    } else {
        commitContainer(result);
        v_.skipType = 0;
        if (result.loadedBoxes >= p_.boxCount && (!p_.settings.ignoreLast || result.usedConts == 1))
            startReplacement();
    }
}

// A container that completed the plan before the end of the order is taken out
// again, so that the containers after it may replace it.
void PackRun::startReplacement() {
    PackSolution& result = p_.resultSolution;
    const int c = cur_;
    const int t = p_.contInstType[c];
    if (!(v_.position < p_.contCount && p_.contInstType[p_.contOrder[p_.contCount]] != t)) return;
    replacePhase = 1;
    v_.candidates = 1;
    v_.skipType = t;
    p_.replacementSolution = result;
    v_.candScore = v_.fillScore;
    removeContainer(result, c);
    result.lastCont = 0;
}

bool PackRun::continuesReplacement() {
    PackSolution& result = p_.resultSolution;
    result = p_.replacementSolution;
    if (result.loadedBoxes < p_.boxCount && result.usedConts < p_.contCount && v_.candidates > 0) return true;
    if (!p_.settings.ignoreLast) replacePhase = 0;
    return false;
}

void PackRun::dropWeakLastContainer() {
    PackSolution& result = p_.resultSolution;
    if (!(p_.settings.ignoreLast && result.lastCont != 0 && result.loadedBoxes >= p_.boxCount &&
          result.usedConts > 1))
        return;
    const int last = result.lastCont;
    if (result.volEff[last] < result.areaFill || result.wgtEff[last] < result.weightFill) {
        removeContainer(result, last);
        result.lastCont = toI16(result.lastCont + 500);
    }
}

bool PackRun::endsAfterVariant() {
    PackSolution& result = p_.resultSolution;
    p_.evaluateObjective(result);
    if (result.score > p_.bestSolution.score) p_.bestSolution = result;
    if (stopTest()) p_.stopRun = true;
    if (p_.stopRun || replacePhase == 1 ||
        (p_.bestSolution.weightFill >= p_.weightTarget && p_.bestSolution.areaFill >= p_.areaTarget))
        return true;
    orders_.variantNo = toI16(orders_.variantNo + 1);
    return orders_.variantNo - orders_.skippedOrders > p_.variantCount;
}

void PackRun::finishRun() {
    PackSolution& result = p_.resultSolution;
    p_.countPlacedAndUsed(p_.bestSolution);
    result = p_.bestSolution.score != 0 ? p_.bestSolution : p_.startSolution;
    const double runMs = fill_.now() - startMs;
    lastRunSeconds = oneDecimal(runMs / 1000.0);
    progress_.showContainerPercent(false);
    progress_.setPhase(RunPhase::Finished);
    progress_.setElapsedMs(runMs);
    progress_.repaintNow();
}

void PackRun::acceptContainerResult(PackSolution& plan) {
    const int c = cur_;
    const int t = p_.contInstType[c];
    const auto& f = fill_.result();
    plan.boxLoad[c] = toI16(f.fillCount);
    plan.wolLoad[c] = f.fillArea;
    plan.costLoad[c] = f.fillCost;
    plan.wgtLoad[c] = f.fillWeight;
    plan.noseLoad[c] = f.fillNoseLoad;
    plan.tailLoad[c] = f.fillTailLoad;
    plan.wgtEff[c] = toF32(fdiv(plan.wgtLoad[c], capacity_ + eps));
    plan.volEff[c] = toF32(fdiv(plan.wolLoad[c], eps + area_));
    plan.usedConts = toI16(plan.usedConts + 1);
    plan.usedCapacity = core::add32(plan.usedCapacity, capacity_);
    plan.usedContArea = toF32(static_cast<long double>(plan.usedContArea) + area_);
    plan.usedContCost = toF32(static_cast<long double>(plan.usedContCost) + p_.contTypes.cost[t]);
    plan.loadedBoxes = toI16(plan.loadedBoxes + plan.boxLoad[c]);
    plan.loadedWeight = core::add32(plan.loadedWeight, plan.wgtLoad[c]);
    plan.loadedArea = toF32(static_cast<long double>(plan.loadedArea) + plan.wolLoad[c]);
    plan.loadedCost = toF32(static_cast<long double>(plan.loadedCost) + plan.costLoad[c]);
    plan.lastCont = toI16(c);
    p_.evaluateObjective(plan);
}

void PackRun::commitContainer(PackSolution& plan) {
    acceptContainerResult(plan);
    const RunSettings& s = p_.settings;
    int n = 0;
    for (int i = 1; i <= fill_.boxCount(); ++i) {
        const FillEngine::Placement box = fill_.placementAt(i);
        if (!box.placed) continue;
        const int b = box.inst;
        plan.contNo[b] = toI16(cur_);
        plan.loadNo[b] = toI16(++n);
        plan.posX[b] = core::add16(box.x, s.edgeGap);
        plan.posY[b] = core::add16(box.y, s.edgeGap);
        plan.posLh[b] = toI16(box.length - s.itemGap);
        plan.posWh[b] = toI16(box.width - s.itemGap);
    }
}

void PackRun::removeContainer(PackSolution& plan, int c) {
    const int t = p_.contInstType[c];
    const auto& ct = p_.contTypes;
    plan.usedConts = toI16(plan.usedConts - 1);
    plan.usedContArea = toF32(static_cast<long double>(plan.usedContArea) - ct.area[t]);
    plan.usedContCost = toF32(static_cast<long double>(plan.usedContCost) - ct.cost[t]);
    plan.usedCapacity = core::checkedSub(plan.usedCapacity, ct.loadWt[t]);
    plan.loadedWeight = core::checkedSub(plan.loadedWeight, plan.wgtLoad[c]);
    plan.loadedBoxes = toI16(plan.loadedBoxes - plan.boxLoad[c]);
    plan.loadedArea = toF32(static_cast<long double>(plan.loadedArea) - plan.wolLoad[c]);
    plan.loadedCost = toF32(static_cast<long double>(plan.loadedCost) - plan.costLoad[c]);
    plan.wgtEff[c] = plan.volEff[c] = plan.costLoad[c] = plan.wolLoad[c] = 0;
    plan.boxLoad[c] = 0;
    plan.wgtLoad[c] = plan.noseLoad[c] = plan.tailLoad[c] = 0;
    for (int b = 1; b <= p_.boxCount; ++b) {
        if (plan.contNo[b] != c) continue;
        plan.contNo[b] = plan.loadNo[b] = plan.posX[b] = plan.posY[b] = plan.posLh[b] = plan.posWh[b] = 0;
    }
    p_.evaluateObjective(plan);
}

} // namespace rectix::engine
