#pragma once

#include "engine/FillEngine.h"

namespace rectix::engine {

// The fill engine opened up for its white-box tests: the state and the steps that the tests
// set up and check, which the engine keeps to itself.
class FillEngineProbe : public FillEngine {
  public:
    static const FillData& state(const FillEngine& f) { return f; }

    // The state.
    using FillEngine::backtrack, FillEngine::bestPoint, FillEngine::bestPosScore, FillEngine::boxArea,
        FillEngine::boxInst, FillEngine::boxKind, FillEngine::boxLen, FillEngine::boxN, FillEngine::boxPlaced,
        FillEngine::boxTurnOn, FillEngine::boxWeight, FillEngine::boxWid, FillEngine::boxX, FillEngine::boxY,
        FillEngine::contArea, FillEngine::contLoadWt, FillEngine::contNoseWt, FillEngine::contTailWt,
        FillEngine::curBox, FillEngine::engIntensity, FillEngine::engTaskDefltOn, FillEngine::engTaskTurnOn,
        FillEngine::engineSeed, FillEngine::fill, FillEngine::fillDir, FillEngine::fillPos,
        FillEngine::firstPass, FillEngine::groupSize, FillEngine::kindGroups, FillEngine::lastFailed,
        FillEngine::loadCGX, FillEngine::orderCap, FillEngine::orientCount, FillEngine::packingOrder,
        FillEngine::pass, FillEngine::plainScans, FillEngine::points, FillEngine::randomSteps,
        FillEngine::refSize, FillEngine::rowMarker, FillEngine::runKey, FillEngine::searches,
        FillEngine::searchesSkipped, FillEngine::strategyMode, FillEngine::totalFills, FillEngine::totals,
        FillEngine::turnThreshold, FillEngine::turnableAny, FillEngine::usedX, FillEngine::workDir,
        FillEngine::timeBudgetMs;

    // The steps.
    using FillEngine::computeAxleLoads, FillEngine::engineReset, FillEngine::fillContainer,
        FillEngine::findBestPosition, FillEngine::measureGroups, FillEngine::mergeCornerPoints,
        FillEngine::notePlaced, FillEngine::rebalanceAxleLoads, FillEngine::shuffleGroupsRandom,
        FillEngine::sortFamilyPlain, FillEngine::sortGroupsByAreaAndRow,
        FillEngine::sortGroupsByWeightedSides, FillEngine::sortOrderByArea, FillEngine::sortOrderByKey,
        FillEngine::sortPlacedByPosition, FillEngine::swapAtKindBorders, FillEngine::swapGroupsRandom,
        FillEngine::removeOverlappedCornerPoints, FillEngine::addCornerPointsForBox;
    using FillEngine::random_;
};

} // namespace rectix::engine
