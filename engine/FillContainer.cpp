#include "FillEngine.h"

#include "FastRounding.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace rectix::engine {

using core::toF32;

namespace {
constexpr long double slack = capacitySlack;
constexpr std::int32_t noScore = hugeValue;
} // namespace

void FillEngine::fillContainer() {
    ++totalFills;
    // Slots above boxN are never written after engineReset, so they are 0 already.
    if (boxN < 0 || boxN > maxBoxSlot) throw core::RangeError("Range check error: box count");
    for (Box16* a : {&boxPlaced, &boxX, &boxY}) std::fill_n(a->data(), boxN + 1, std::int16_t{0});
    boxPlaced[0] = 1;
    for (int k = 1; k <= kindListCount_; ++k) kindPlaced_[kindList_[k]] = 0;
    points.resetPoints(0, points.capacity);
    points.count = 1;
    scoreWX = workDir == 1 ? 100 : 1;
    scoreWY = workDir == 1 ? 1 : 100;
    fillPos = 0;
    fill.fillArea = fill.fillCost = 0;
    fill.fillWeight = fill.fillCount = fill.fillNoseLoad = fill.fillTailLoad = 0;
    usedX = usedY = 0;
    usedFraction = 0;
    density = 1.0f;
    loadCGX = 0;
    lastFailed = 0;
    placedCount_ = 0;
    lastCoverer_ = 0;
    forgetFailedSearches();
    grid_.reset(contLength, contWidth, gridBoxes_);
    // The caps once per fill; a whole weight passes its cap exactly when it passes the cap's whole part.
    const std::int64_t weightCap = static_cast<std::int64_t>(std::floor(slack * contLoadWt));
    const long double areaCap = slack * contArea;
    // A double sum of two floats lies within 2^-52 of the extended one: beyond a
    // margin of 2^-40 around the cap it decides alike, inside it the extended sum decides.
    const bool capInDouble = areaCap > 0 && areaCap < 1e300L;
    const double capLow = capInDouble ? static_cast<double>(areaCap) * (1 - 0x1p-40) : 0;
    const double capHigh = capInDouble ? static_cast<double>(areaCap) * (1 + 0x1p-40) : 0;
    auto overAreaCap = [&](float area) {
        if (capInDouble) {
            const double sum = static_cast<double>(fill.fillArea) + area;
            if (sum > capHigh) return true;
            if (sum < capLow) return false;
        }
        return static_cast<long double>(fill.fillArea) + area > areaCap;
    };
    // Whether not even the lightest or smallest box would fit any more; it changes only with the load.
    auto full = [&] {
        return fill.fillWeight + std::int64_t{minBoxWeight} > weightCap || overAreaCap(minBoxArea);
    };
    bool isFull = full();
    const std::int16_t *wid0 = boxWid0.data(), *len0 = boxLen0.data();
    const bool* turnOn = boxTurnOn.data();
    const std::int32_t* weights = boxWeight.data();
    const float* areas = boxArea.data();

    while (true) {
        fillPos = toI16Inline(fillPos + 1);
        curBox = packingOrder[fillPos];
        const int cur = curBox;
        // Box numbers in the order and lastFailed lie in 0..boxN, inside the arrays.
        const bool sameAsFailed = lastFailed > 0 && wid0[cur] == wid0[lastFailed] &&
                                  len0[cur] == len0[lastFailed] && turnOn[cur] == turnOn[lastFailed];
        // The plain form of the caps, kept as the reference, compares as first written.
        auto capped = [&] {
            if (plainScans)
                return static_cast<long double>(boxWeight[cur]) + fill.fillWeight > slack * contLoadWt ||
                       static_cast<long double>(fill.fillArea) + boxArea[cur] > slack * contArea;
            return weights[cur] + std::int64_t{fill.fillWeight} > weightCap || overAreaCap(areas[cur]);
        };
        if (boxPlaced[cur] != 1 && !sameAsFailed && !capped()) {
            bestPosScore = noScore;
            chosenLen = chosenWid = 0;
            searchUnlessCertainToFail();
            if (turnableAny && boxTurnOn[cur] && boxLen[cur] != boxWid[cur] &&
                ((pass > 0 && bestPosScore == noScore) || (pass > 1 && usedFraction >= turnThreshold))) {
                turnBox(cur);
                searchUnlessCertainToFail();
            }
            const bool found = bestPosScore != noScore;
            lastFailed = found ? 0 : curBox;
            if (found) {
                placeCurrentBox();
                isFull = full();
            } else if (backtrack != 0) {
                takeOutIncompleteGroup();
                isFull = full();
            }
        }
        if (fillPos >= boxN) break;
        // A long fill looks around now and then; a stop leaves the rest of the order untried.
        if (fillPos % 128 == 0 && lookAroundWhenDue()) break;
        if (plainScans ? static_cast<long double>(fill.fillWeight) + minBoxWeight > slack * contLoadWt ||
                             static_cast<long double>(fill.fillArea) + minBoxArea > slack * contArea
                       : isFull)
            break;
    }
    computeAxleLoads();
    if (static_cast<long long>(contNoseWt) + contTailWt > 0) rebalanceAxleLoads();
}

void FillEngine::placeCurrentBox() {
    const int b = curBox;
    boxLen[b] = chosenLen;
    boxWid[b] = chosenWid;
    boxX[b] = points.x(bestPoint);
    boxY[b] = points.y(bestPoint);
    boxPlaced[b] = 1;
    forgetFailedSearches();
    ++kindPlaced_[boxKind[b]];
    const std::int32_t weight = boxWeight[b];
    fill.fillCount = core::add32(fill.fillCount, 1);
    fill.fillCost = toF32(static_cast<long double>(fill.fillCost) + boxCost[b]);
    fill.fillWeight = core::add32(fill.fillWeight, weight);
    fill.fillArea = toF32(static_cast<long double>(fill.fillArea) + boxArea[b]);
    loadCGX = toF32(core::fdiv(weight * (boxX[b] + boxLen[b] * 0.5L) +
                                   (static_cast<long double>(fill.fillWeight) - weight) * loadCGX,
                               0.00001L + fill.fillWeight));
    updateUsedExtent();
    if (fillPos < boxN) {
        points.deletePoint(bestPoint);
        removeOverlappedCornerPoints(b);
        points.newPointStart = points.count + 1;
        addCornerPointsForBox(fillPos, false);
        addCornerPointsForBox(fillPos, true);
        mergeCornerPoints();
    }
    notePlaced(fillPos);
}

// A group of one kind that cannot be completed is taken out again.
void FillEngine::takeOutIncompleteGroup() {
    const int kind = boxKind[curBox];
    int q = fillPos - 1;
    while (q > 0 && !(boxKind[packingOrder[q]] != kind && boxPlaced[packingOrder[q]] == 1)) --q;
    if (q == 0 && std::abs(backtrack) <= 2) return;
    forgetFailedSearches();

    for (int pos = fillPos - 1; pos >= 1 && boxKind[packingOrder[pos]] == kind; --pos) {
        const int b = packingOrder[pos];
        // Only a box that was placed has anything to give back.
        if (boxPlaced[b] != 1) continue;
        const std::int32_t weight = boxWeight[b];
        loadCGX = toF32(core::fdiv(static_cast<long double>(fill.fillWeight) * loadCGX -
                                       weight * (boxX[b] + boxLen[b] * 0.5L),
                                   0.00001L + std::abs(static_cast<long double>(fill.fillWeight) - weight)));
        fill.fillArea = toF32(static_cast<long double>(fill.fillArea) - boxArea[b]);
        fill.fillWeight = core::checkedSub(fill.fillWeight, weight);
        fill.fillCost = toF32(static_cast<long double>(fill.fillCost) - boxCost[b]);
        fill.fillCount = core::checkedSub(fill.fillCount, 1);
        boxPlaced[b] = 0;
        --kindPlaced_[boxKind[b]];
        grid_.remove(b, boxX[b], boxY[b], boxLen[b], boxWid[b]);
        boxX[b] = boxY[b] = boxLen[b] = boxWid[b] = 0;
    }
    if (backtrack < 0) {
        fillPos = boxN;
    } else {
        while (fillPos < boxN && boxKind[packingOrder[fillPos + 1]] == kind) ++fillPos;
    }
}

} // namespace rectix::engine
