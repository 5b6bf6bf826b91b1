#pragma once

#include "BoxGrid.h"
#include "CornerPoints.h"
#include "Limits.h"
#include "Model.h"
#include "Progress.h"
#include "core/Clock.h"
#include "core/Slots.h"

#include <cstdint>

namespace rectix::engine {

// What one fill scored and loaded.
struct FillResult {
    float fillScore = 0;
    float fillArea = 0;
    float fillCost = 0;
    std::int32_t fillWeight = 0;
    std::int32_t fillCount = 0;
    std::int32_t fillNoseLoad = 0;
    std::int32_t fillTailLoad = 0;
};

// The single-container engine's state: the boxes and the container handed over, the settings,
// and the working state of the fill. Only the engine itself and its white-box tests see it.
struct FillData {
    using Box16 = core::Slots<std::int16_t, 0, maxBoxSlot>;
    using Box32 = core::Slots<std::int32_t, 0, maxBoxSlot>;
    using BoxF = core::Slots<float, 0, maxBoxSlot>;
    using BoxB = core::Slots<bool, 0, maxBoxSlot>;
    using Clock = double (*)();

    // --- the run's context ----------------------------------------------------
    const RunTotals* totals = nullptr;
    Progress* progress = nullptr;
    Clock nowMs = &core::nowMs;
    double runStartMs = 0;         // start of the whole run, for the elapsed-time label
    bool stopRun = false;          // set on time-out or Esc; the run reads it
    long long totalFills = 0;      // fills since construction, for benchmarks
    long long searches = 0;        // position searches since construction
    long long searchesSkipped = 0; // position searches known to fail without a scan

    // The largest support load computed since construction, before it is narrowed: for tests.
    std::int64_t peakSupportLoad = 0;
    // Scan every earlier position instead of the list of placed ones: the plain
    // form that the fast one must match.
    bool plainScans = false;

    // --- per-box arrays ---------------------------------------------------------
    Box16 boxLen, boxWid, boxX, boxY, boxLen0, boxWid0, orientLen, orientWid;
    Box16 boxInst, boxKind, groupSize, boxPlaced, rowMarker, packingOrder;
    Box32 boxWeight, runKey;
    BoxF boxArea, boxCost;
    BoxB boxTurnOn;
    std::int16_t boxN = 0;

    // best store and ordering snapshot.
    Box16 bestX, bestY, bestLen, bestWid, bestPlaced;
    Box16 savedOrder, savedOrientLen, savedOrientWid;
    std::int16_t savedWorkDir = 0, savedPass = 0;

    // --- the container, handed over by the run -----------------------------------
    CornerPoints points;
    std::int32_t contLoadWt = 0;
    float contArea = 0;
    float contCost = 0;
    std::int32_t contNoseWt = 0, contTailWt = 0;
    std::int16_t noseDist = 0, tailDist = 0;
    std::int16_t fillDir = 0;
    bool engTaskDefltOn = true, engTaskTurnOn = true;
    float engWeightFactor = 0, engCostFactor = 0, engLeftFactor = 0, engBindFactor = 0;
    std::int16_t backtrack = 0;
    std::int16_t engIntensity = 5;
    double timeBudgetMs = 55000.0;
    std::int16_t engineSeed = 1;

    FillResult fill;
    FillResult best;

    // --- derived by prepareFill --------------------------------------------------
    std::int16_t contLength = 0, contWidth = 0;
    bool turnableAny = false;
    float minBoxArea = 0;
    std::int32_t minBoxWeight = 0;
    float sumBoxArea = 0;
    std::int16_t refSize = 0;
    std::int16_t kindGroups = 0;
    std::int32_t plainOrientCount = 0, orientCheckCount = 0, orientCount = 0;
    std::int32_t orderCap = 0, randomSteps = 0, followUpFills = 0;
    // The most orientations after the first and orderings per orientation a search tries.
    static constexpr std::int32_t maxOrientCount = 301;
    static constexpr std::int32_t maxOrderCap = 1200;
    std::int16_t strategyMode = 0, swapOdds = 0, firstPass = 0, lastPass = 0;
    bool rowMarkersAllowed = true, countByRuns = true;
    float turnThreshold = 0;
    std::int16_t maxGroupSize = 1;

    // Constants.
    std::int32_t rowShare = 70;
    float improveRatio = 0.99f;
    float densityExponent = 0.0001f;

    // --- fill state ---------------------------------------------------------------
    std::int16_t workDir = 1, pass = 0;
    std::int16_t fillPos = 0, curBox = 0, lastFailed = 0;
    float loadCGX = 0;
    std::int16_t usedX = 0, usedY = 0;
    float usedFraction = 0, density = 1;
    std::int32_t scoreWX = 100, scoreWY = 1;
    std::int32_t bestPosScore = 0;
    std::int32_t bestPoint = 0;
    std::int16_t chosenLen = 0, chosenWid = 0;
    std::int16_t groupCount = 0;
    std::int32_t rowGroups = 0, rowRests = 0;
};

} // namespace rectix::engine
