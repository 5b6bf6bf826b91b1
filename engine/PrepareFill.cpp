#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

namespace rectix::engine {

using core::toF32;

void FillEngine::prepareFill() {
    random_.seed(static_cast<long long>(engineSeed));
    if (fillDir < 0 || fillDir > 2) fillDir = 0;
    contLength = points.usableLength();
    contWidth = points.usableWidth();

    if (engTaskDefltOn) {
        for (int b = 1; b <= boxN; ++b) boxTurnOn[b] = engTaskTurnOn;
    } else {
        engTaskTurnOn = false;
        for (int b = 1; b <= boxN; ++b) engTaskTurnOn = engTaskTurnOn || boxTurnOn[b];
    }
    turnableAny = engTaskTurnOn;

    sumBoxArea = 0;
    minBoxArea = 1e24f;
    minBoxWeight = hugeValue;
    for (int b = 1; b <= boxN; ++b) {
        sumBoxArea = toF32(static_cast<long double>(sumBoxArea) + boxArea[b]);
        if (boxArea[b] < minBoxArea) minBoxArea = boxArea[b];
        if (boxWeight[b] < minBoxWeight) minBoxWeight = boxWeight[b];
    }
    // The grid has about as many cells as half the boxes one container holds by area (not all boxes on
    // offer): cells about the size of a box measured fastest.
    const double meanArea = boxN > 0 ? static_cast<double>(sumBoxArea) / boxN : 1.0;
    gridBoxes_ = static_cast<int>(std::clamp(static_cast<double>(contArea) / std::max(meanArea, 1.0) / 2, 1.0,
                                             std::max<double>(boxN, 1)));
    grid_.reset(contLength, contWidth, gridBoxes_);
    refSize = computeReferenceSize();
    kindListCount_ = 0;
    for (int b = 1; b <= boxN; ++b) kindTotal_[boxKind[b]] = kindPlaced_[boxKind[b]] = 0;
    for (int b = 1; b <= boxN; ++b) {
        if (kindTotal_[boxKind[b]]++ == 0) kindList_[++kindListCount_] = boxKind[b];
    }
    kindCountsReady_ = true;
    if (std::abs(backtrack) > 0) countByRuns = false;
    if (std::abs(backtrack) > 1) rowMarkersAllowed = false;
    for (int b = 1; b <= boxN; ++b) {
        boxLen0[b] = boxLen[b];
        boxWid0[b] = boxWid[b];
    }

    // Runs of one kind: their count, the orientation counts and one random key per run.
    kindGroups = 0;
    plainOrientCount = orientCheckCount = 1;
    std::int32_t orientCombos = 1;
    const std::uint32_t boxN2 = static_cast<std::uint32_t>(boxN) * static_cast<std::uint32_t>(boxN);
    const std::int32_t keyRange = static_cast<std::int32_t>(std::min<std::uint32_t>(
        countCap, static_cast<std::uint32_t>(hugeValue) / core::checkedMul(5u, boxN2)));
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e + 1 <= boxN && boxKind[e + 1] == boxKind[s]) ++e;
        const int m = e - s + 1;
        kindGroups = core::add16(kindGroups, 1);
        if (orientationCount(s) > 1) {
            if (plainOrientCount < countCap) plainOrientCount = core::mul32(plainOrientCount, 2);
            if (orientCombos < countCap) orientCombos = core::mul32(orientCombos, m + 1);
            if (orientCheckCount < countCap)
                orientCheckCount = core::mul32(orientCheckCount, m == 1 ? 2 : m % 2 == 0 ? 3 : 4);
        }
        const std::int32_t key = random_.next(keyRange);
        for (int b = s; b <= e; ++b) runKey[b] = key;
        s = e + 1;
    }
    orientCombos -= 1;
    plainOrientCount -= 1;

    for (int p = 1; p <= boxN; ++p) packingOrder[p] = static_cast<std::int16_t>(p);
    packingOrder[0] = 0;
    measureGroups();

    // How many boxes fit by area, roughly.
    float fitF = toF32(core::fdiv(0.95L * boxN * contArea, 0.00001L + sumBoxArea));
    fitF = std::min(std::max(fitF, 1.0f), static_cast<float>(boxN));
    std::int64_t fit = core::roundHalfEven(fitF);

    strategyMode = kindGroups > 5 ? 2 : 3;
    if (kindGroups == boxN) strategyMode = 1;
    turnThreshold = strategyMode == 1 ? 0.5f : strategyMode == 2 ? 0.6f : 0.7f;

    swapOdds = 4;
    if (engIntensity > 50) engIntensity = 50;
    firstPass = engIntensity <= 9 ? 1 : 0;
    lastPass = 2;

    fit = std::clamp<std::int64_t>(fit, 2, 85);
    orderCap =
        std::max<std::int32_t>(0, core::toI32(core::roundHalfEven(
                                      (9 - std::log2(3.0L * static_cast<long double>(fit))) * engIntensity)));
    std::int32_t b = core::toI32(core::roundHalfEven(orderCap / 4.0L));
    const std::int32_t product = core::mul32(orderCap + 1, b + 1);
    if (orderCap > maxOrderCap) b = product / (maxOrderCap + 1) - 1;
    if (b > maxOrientCount) {
        orderCap = product / (maxOrientCount + 1) - 1;
        b = maxOrientCount;
    }
    if (b > orientCombos) {
        orientCount = orientCombos;
        orderCap = core::mul32(orderCap + 1, b + 1) / (orientCombos + 1) - 1;
    } else {
        orientCount = b;
    }
    if (orderCap > maxOrderCap) orderCap = maxOrderCap;
    followUpFills = 10;
    randomSteps = core::mul32(core::mul32(orderCap + 1, 10), orientCount + 1) / 40;
}

std::int16_t FillEngine::computeReferenceSize() {
    // Equal side pairs cost alike: weigh each distinct pair by its count.
    std::map<std::pair<int, int>, long long> sides;
    int lo = 25555, hi = 0;
    for (int b = 1; b <= boxN; ++b) {
        if (boxPlaced[b] != 0) continue;
        const int w = boxWid[b], l = boxLen[b];
        lo = std::min({lo, w, l});
        hi = std::max({hi, w, l});
        ++sides[{w, l}];
    }
    points.minUsefulGap = core::toI16(lo - 1);
    long long bestCost = 25555;
    int result = 25555;
    for (int s = lo; s <= hi; ++s) {
        long long cost = 0;
        for (const auto& [wl, n] : sides)
            cost += n * std::min(std::abs(wl.first - s), std::abs(wl.second - s));
        if (cost < bestCost) {
            bestCost = cost;
            result = s;
        }
    }
    return core::toI16(result);
}

} // namespace rectix::engine
