#include "FillEngine.h"

#include "core/Clock.h"
#include "core/Errors.h"
#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

FillEngine::FillEngine() : NowMs(&core::nowMs) {
    EngineReset();
}

float FillEngine::PowerF(float base, float exponent) {
    if (base == 0.0f) return 0.0f;
    if (base < 0.0f) throw core::InvalidOpError("Invalid floating point operation");
    return core::toF32(std::exp(std::log(static_cast<long double>(base)) * exponent));
}

std::int16_t FillEngine::EngineFactorial(std::int16_t n) {
    if (n == 0) return 0;
    if (n < 0 || n > 7) return 12777;
    std::int16_t f = 1;
    for (std::int16_t i = 2; i <= n; ++i) f = static_cast<std::int16_t>(f * i);
    return f;
}

void FillEngine::EngineReset() {
    EngineSeed = 1;
    FillDir = 0;
    EngIntensity = 5;
    EngTaskDefltOn = EngTaskTurnOn = true;
    EngWeightFactor = EngCostFactor = EngLeftFactor = EngBindFactor = 0;
    Backtrack = 0;
    BoxN = 0;
    StrategyMode = 0;
    RowShare = 70;
    ImproveRatio = 0.99f;
    DensityExponent = 0.0001f;
    TimeBudgetMs = 55000.0;
    RowMarkersAllowed = CountByRuns = true;
    for (Box16* a : {&BoxLen,     &BoxWid,       &BoxX,           &BoxY,          &BoxLen0,   &BoxWid0,
                     &OrientLen,  &OrientWid,    &BoxInst,        &BoxKind,       &GroupSize, &BoxPlaced,
                     &RowMarker,  &PackingOrder, &BestX,          &BestY,         &BestLen,   &BestWid,
                     &BestPlaced, &SavedOrder,   &SavedOrientLen, &SavedOrientWid})
        a->fill(0);
    BoxWeight.fill(0);
    RunKey.fill(0);
    BoxArea.fill(0);
    BoxCost.fill(0);
    BoxTurnOn.fill(false);
    Points.FreePoints();
    Points.SetUsable(0, 0);
    ContArea = 0;
    ContLoadWt = 1555555555;
    ContNoseWt = ContTailWt = 0;
    NoseDist = TailDist = 0;
    ContCost = 0;
}

void FillEngine::SaveBestPlacement() {
    BestWid = BoxWid;
    BestLen = BoxLen;
    BestY = BoxY;
    BestX = BoxX;
    BestPlaced = BoxPlaced;
    Best = Fill;
}

void FillEngine::RestoreBestPlacement() {
    BoxWid = BestWid;
    BoxLen = BestLen;
    BoxY = BestY;
    BoxX = BestX;
    BoxPlaced = BestPlaced;
    Fill = Best;
}

void FillEngine::SaveOrdering() {
    SavedOrder = PackingOrder;
    SavedWorkDir = WorkDir;
    SavedPass = Pass;
    SavedOrientWid = OrientWid;
    SavedOrientLen = OrientLen;
}

void FillEngine::RestoreOrdering() {
    BoxWid = OrientWid = SavedOrientWid;
    BoxLen = OrientLen = SavedOrientLen;
    PackingOrder = SavedOrder;
    WorkDir = SavedWorkDir;
    Pass = SavedPass;
}

} // namespace rectix::engine
