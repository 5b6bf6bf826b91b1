#include "FillEngine.h"

#include "core/Clock.h"
#include "core/Errors.h"
#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

FillEngine::FillEngine() {
    engineReset();
}

void FillEngine::attach(const RunTotals& runTotals, Progress& runProgress) {
    totals = &runTotals;
    progress = &runProgress;
}

void FillEngine::startRun(double startMs) {
    runStartMs = startMs;
    stopRun = false;
}

void FillEngine::handOver(const Container& c, const Settings& s) {
    engineReset();
    points.setUsable(c.usableLength, c.usableWidth);
    contLoadWt = c.loadWt;
    contArea = c.area;
    contCost = c.cost;
    contNoseWt = c.noseWt;
    contTailWt = c.tailWt;
    noseDist = c.noseDist;
    tailDist = c.tailDist;
    fillDir = c.fillDir;
    engTaskDefltOn = s.taskDefltOn;
    engTaskTurnOn = s.taskTurnOn;
    engWeightFactor = s.weightFactor;
    engCostFactor = s.costFactor;
    engLeftFactor = s.leftFactor;
    engBindFactor = s.bindFactor;
    backtrack = s.backtrack;
    engIntensity = s.intensity;
    timeBudgetMs = s.timeBudgetMs;
    engineSeed = s.seed;
}

void FillEngine::addBox(const Box& b) {
    const auto n = static_cast<std::int16_t>(boxN + 1);
    boxInst[n] = b.inst;
    boxKind[n] = b.kind;
    groupSize[n] = b.groupSize;
    boxArea[n] = b.area;
    boxWeight[n] = b.weight;
    boxCost[n] = b.cost;
    boxPlaced[n] = 0;
    boxTurnOn[n] = b.turnOn;
    boxLen[n] = b.length;
    boxWid[n] = b.width;
    boxN = n;
}

FillEngine::Placement FillEngine::placementAt(int i) const {
    const int e = packingOrder[i];
    return {boxPlaced[e] == 1, boxInst[e], boxX[e], boxY[e], boxLen[e], boxWid[e]};
}

float FillEngine::powerF(float base, float exponent) {
    if (base == 0.0f) return 0.0f;
    if (base < 0.0f) throw core::InvalidOpError("Invalid floating point operation");
    return core::toF32(std::exp(std::log(static_cast<long double>(base)) * exponent));
}

std::int16_t FillEngine::engineFactorial(std::int16_t n) {
    if (n == 0) return 0;
    if (n < 0 || n > 7) return 12777;
    std::int16_t f = 1;
    for (std::int16_t i = 2; i <= n; ++i) f = static_cast<std::int16_t>(f * i);
    return f;
}

void FillEngine::engineReset() {
    engineSeed = 1;
    fillDir = 0;
    engIntensity = 5;
    engTaskDefltOn = engTaskTurnOn = true;
    engWeightFactor = engCostFactor = engLeftFactor = engBindFactor = 0;
    backtrack = 0;
    boxN = 0;
    kindCountsReady_ = false;
    strategyMode = 0;
    rowShare = 70;
    improveRatio = 0.99f;
    densityExponent = 0.0001f;
    timeBudgetMs = 55000.0;
    rowMarkersAllowed = countByRuns = true;
    for (Box16* a : {&boxLen,     &boxWid,       &boxX,           &boxY,          &boxLen0,   &boxWid0,
                     &orientLen,  &orientWid,    &boxInst,        &boxKind,       &groupSize, &boxPlaced,
                     &rowMarker,  &packingOrder, &bestX,          &bestY,         &bestLen,   &bestWid,
                     &bestPlaced, &savedOrder,   &savedOrientLen, &savedOrientWid})
        a->fill(0);
    boxWeight.fill(0);
    runKey.fill(0);
    boxArea.fill(0);
    boxCost.fill(0);
    boxTurnOn.fill(false);
    points.freePoints();
    points.setUsable(0, 0);
    contArea = 0;
    contLoadWt = hugeValue;
    contNoseWt = contTailWt = 0;
    noseDist = tailDist = 0;
    contCost = 0;
}

void FillEngine::saveBestPlacement() {
    bestWid = boxWid;
    bestLen = boxLen;
    bestY = boxY;
    bestX = boxX;
    bestPlaced = boxPlaced;
    best = fill;
}

void FillEngine::restoreBestPlacement() {
    boxWid = bestWid;
    boxLen = bestLen;
    boxY = bestY;
    boxX = bestX;
    boxPlaced = bestPlaced;
    fill = best;
}

void FillEngine::saveOrdering() {
    savedOrder = packingOrder;
    savedWorkDir = workDir;
    savedPass = pass;
    savedOrientWid = orientWid;
    savedOrientLen = orientLen;
}

void FillEngine::restoreOrdering() {
    boxWid = orientWid = savedOrientWid;
    boxLen = orientLen = savedOrientLen;
    packingOrder = savedOrder;
    workDir = savedWorkDir;
    pass = savedPass;
}

} // namespace rectix::engine
