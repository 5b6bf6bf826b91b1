#include "FillEngine.h"

#include "FastRounding.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace rectix::engine {

using core::roundHalfEven;

// Counters of one call of the driver. The signature tables hold one slot per
// orientation (ordering) number less skips, which never exceeds its cap.
struct FillEngine::Driver {
    std::int32_t attemptCount = 0;
    std::int32_t orientIdx = 0, orientSkips = 0, orientTries = 0;
    std::int16_t groupFact = 0; // factorial of the orientation's group count
    std::int32_t orderCheckCount = 0, orderVariants = 0, orderCount = 0;
    std::int32_t rowVariants = 0, rowOrdersOn = 0;
    std::int32_t orderIdx = 0, orderSkips = 0, orderTries = 0, rowPhaseSkips = 0;
    std::int32_t improveLeft = 0, perturbLeft = 0, randomStepsLeft = 0;
    std::vector<std::int64_t> orientSig = std::vector<std::int64_t>(maxOrientCount + 1);
    std::vector<std::int64_t> orderSig1 = std::vector<std::int64_t>(maxOrderCap + 1);
    std::vector<std::int64_t> orderSig2 = std::vector<std::int64_t>(maxOrderCap + 1);

    bool mainPhase(const FillEngine& f) const { return randomStepsLeft == f.randomSteps; }
};

namespace {

// Rounds v to the nearest whole number, ties to even, when v lies below 2^30
// and at least 1e-4 from a half: a double product within 2^-21 of the extended
// one then rounds as the extended one does. Returns false where it cannot tell.
bool roundNearDouble(double v, std::int64_t& out) {
    constexpr double shifter = 6755399441055744.0; // 1.5 * 2^52: adding it rounds to a whole number
    if (!(v > -1073741824.0 && v < 1073741824.0)) return false;
    const double r = (v + shifter) - shifter;
    const double off = v - r;
    if (off > 0.4999 || off < -0.4999) return false;
    out = static_cast<std::int64_t>(r);
    return true;
}

// Looks for value in slots 0..slot-1, the first equal slot deciding.
bool seenBefore(const std::vector<std::int64_t>& table, std::int32_t slot, std::int64_t value) {
    for (std::int32_t j = 0; j < slot; ++j)
        if (table.at(static_cast<std::size_t>(j)) == value) return true;
    return false;
}

} // namespace

void FillEngine::applyOrientationRule(int orientIdx) {
    switch (orientIdx) {
    case 0:
        break;
    case 1:
        turnTurnableShortFirst();
        break;
    case 2:
        turnTurnableLongFirst();
        break;
    case 3:
        turnTowardReferenceSize(2);
        break;
    case 4:
        turnTowardReferenceSize(1);
        break;
    case 5:
        turnAllTurnable();
        break;
    default:
        randomTurnBoxes(1);
        break;
    }
}

void FillEngine::applyRowTable(int orderIdx) {
    static const int factors[] = {1, 2, 5, 10, 20};
    if (orderIdx == 0)
        sortOrderByRowMarker();
    else if (orderIdx <= 5)
        sortGroupsByAreaAndRow(factors[orderIdx - 1]);
    else
        shuffleGroupsRandomVariant(false);
}

bool FillEngine::progressStep(Driver& d) {
    std::int64_t total = roundHalfEven((static_cast<long double>(d.orderCount) + orderCap) / 2) + 1;
    total *= 2;
    if (turnableAny) total *= static_cast<std::int64_t>(lastPass - firstPass + 1) * (orientCount + 1);
    const std::int64_t step = std::max<std::int64_t>(1, total / 20);
    if ((d.attemptCount - 1) % step != 0) return false;
    if (progress)
        progress->setContainerPercent(
            static_cast<int>(roundHalfEven(core::fdiv(d.attemptCount, total) * 100)));
    return lookAround();
}

bool FillEngine::lookAroundWhenDue() {
    if (!searching_ || nowMs() < lastLookMs_ + lookIntervalMs) return false;
    return lookAround();
}

bool FillEngine::lookAround() {
    lastLookMs_ = nowMs();
    if (progress) {
        progress->setElapsedMs(lastLookMs_ - runStartMs);
        progress->repaintNow();
        progress->processMessages();
    }
    const bool esc = progress && progress->escPressed();
    if (nowMs() >= searchStartMs_ + timeBudgetMs || esc) {
        if (progress) {
            progress->setPhase(RunPhase::Stopping);
            progress->repaintNow();
        }
        stopRun = true;
        return true;
    }
    return false;
}

void FillEngine::packAllOrderings() {
    Driver d;
    startSearch(d);
    if (!searchDirections(d)) randomPhase(d);
    finishSearch();
}

void FillEngine::startSearch(Driver& d) {
    if (progress) progress->setContainerPercent(0);
    workDir = 1;
    points.capacity = boxN / 2 + 30;
    points.setPointCapacity(points.capacity + 1);
    d.randomStepsLeft = randomSteps;
    fill.fillScore = 0;
    saveBestPlacement();
    searchStartMs_ = lastLookMs_ = nowMs();
    searching_ = true;
}

bool FillEngine::searchDirections(Driver& d) {
    for (workDir = 1; workDir <= 2; ++workDir) {
        for (pass = firstPass; pass <= lastPass; ++pass) {
            if (pass > firstPass && !turnableAny) break;
            if (searchOrientations(d)) return true;
        }
    }
    return false;
}

bool FillEngine::searchOrientations(Driver& d) {
    d.orientIdx = d.orientTries = d.orientSkips = 0;
    std::fill(d.orientSig.begin(), d.orientSig.end(), 0);
    while (true) {
        random_.seed(static_cast<long long>(engineSeed) + d.orientIdx + pass + workDir + 101);
        chooseOrientation(d);
        countOrderings(d);
        if (searchOrderings(d)) return true;
        ++d.orientIdx;
        if (!(d.orientIdx - d.orientSkips <= orientCount && turnableAny)) {
            --d.orientIdx;
            return false;
        }
    }
}

void FillEngine::chooseOrientation(Driver& d) {
    while (true) {
        ++d.orientTries;
        boxLen = boxLen0;
        boxWid = boxWid0;
        for (int p = 1; p <= boxN; ++p) packingOrder[p] = static_cast<std::int16_t>(p);
        groupCount = kindGroups;
        clearRowMarkers();
        measureGroups();
        if (turnableAny) {
            if (d.orientIdx - d.orientSkips > plainOrientCount) {
                randomTurnBoxes(1);
                randomTurnGroups(2);
            } else {
                applyOrientationRule(d.orientIdx);
            }
        }
        // Skip an orientation whose sides repeat an earlier one of the pass.
        const std::int32_t slot = d.orientIdx - d.orientSkips;
        if (slot < orientCheckCount) {
            const std::int64_t sig = orientationSignature();
            d.orientSig.at(static_cast<std::size_t>(slot)) = sig;
            if (d.orientIdx > 0 && seenBefore(d.orientSig, slot, sig) && d.orientTries < 7 * orientCount) {
                ++d.orientSkips;
                ++d.orientIdx;
                continue;
            }
        }
        return;
    }
}

std::int64_t FillEngine::orientationSignature() const {
    std::int64_t sig = 0;
    for (int b = 1; b <= boxN; ++b) sig += roundHalfEven(core::fdiv(boxLen[b], boxWid[b]) * runKey[b]);
    return sig;
}

void FillEngine::countOrderings(Driver& d) {
    d.groupFact = engineFactorial(groupCount);
    long long checkCount = d.groupFact, variants = d.groupFact;
    long long runTally = groupCount;
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e + 1 <= boxN && boxKind[e + 1] == boxKind[s] && boxWid[e + 1] == boxWid[s]) ++e;
        const long long m = e - s + 1;
        if (m >= 2) {
            ++runTally;
            if (checkCount < countCap)
                checkCount = m % 2 == 0 ? (runTally * checkCount) / 2 : (runTally - 1) * checkCount;
            if (variants < countCap)
                variants = m % 2 == 0 ? (runTally - 2) * variants * (m / 2 - 1) + (runTally * variants) / 2
                                      : ((runTally - 2) * (m / 2) + 1) * variants;
        }
        s = e + 1;
    }
    // Wide counts cannot wrap; past the cap they only need to stay large.
    d.orderCheckCount = static_cast<std::int32_t>(std::min<long long>(checkCount, INT32_MAX));
    d.orderVariants = static_cast<std::int32_t>(std::min<long long>(variants, INT32_MAX));
    clearRowMarkers();
    d.rowVariants = 0;
    d.rowOrdersOn = 0;
    if (rowMarkersAllowed && pass < 2) {
        assignRowMarkers(2, false);
        d.rowVariants = engineFactorial(core::toI16(rowGroups));
        d.rowOrdersOn = (groupCount != rowGroups || rowRests > 0) ? 1 : 0;
    }
    if (countByRuns)
        d.orderVariants -= 1;
    else
        d.orderVariants = d.groupFact - 1 + d.rowVariants * d.rowOrdersOn;
    d.orderCount = std::min(d.orderVariants, orderCap);
    d.rowVariants = std::min<std::int32_t>(
        d.rowVariants,
        core::toI32(roundHalfEven(static_cast<long double>(d.orderCount + 1) * rowShare / 100)));
    orientLen = boxLen;
    orientWid = boxWid;
    d.orderIdx = d.orderTries = d.orderSkips = d.rowPhaseSkips = 0;
    std::fill(d.orderSig1.begin(), d.orderSig1.end(), 0);
    std::fill(d.orderSig2.begin(), d.orderSig2.end(), 0);
}

bool FillEngine::searchOrderings(Driver& d) {
    while (true) {
        chooseOrdering(d);
        if (fillOrdering(d)) return true;
        ++d.orderIdx;
        if (d.orderIdx - d.orderSkips > d.orderCount) {
            --d.orderIdx;
            return false;
        }
    }
}

void FillEngine::chooseOrdering(Driver& d) {
    while (true) {
        ++d.orderTries;
        boxLen = orientLen;
        boxWid = orientWid;
        for (int p = 1; p <= boxN; ++p) packingOrder[p] = static_cast<std::int16_t>(p);
        measureGroupsInHandOverOrder();
        const std::int32_t k = d.orderIdx - d.orderSkips;
        if (k >= d.groupFact + d.rowVariants * d.rowOrdersOn) {
            clearRowMarkers();
            assignRowMarkers(2, true);
            measureGroups();
            shuffleGroupsRandomVariant(d.orderIdx % 2 == 1);
        } else if (k < d.rowVariants) {
            applyRowTable(d.orderIdx);
            d.rowPhaseSkips = d.orderSkips;
        } else {
            applyStrategy(d.orderIdx - d.rowPhaseSkips - d.rowVariants, d.orderIdx);
        }
        // Skip an ordering that repeats an earlier one of the orientation.
        if (k < d.rowVariants * d.rowOrdersOn + d.orderCheckCount) {
            const auto [s1, s2] = orderingSignatures(k < d.rowVariants);
            d.orderSig1.at(static_cast<std::size_t>(k)) = s1;
            d.orderSig2.at(static_cast<std::size_t>(k)) = s2;
            bool dup = false;
            for (std::int32_t j = 0; j < k && !dup; ++j)
                dup = d.orderSig1[static_cast<std::size_t>(j)] == s1 &&
                      d.orderSig2[static_cast<std::size_t>(j)] == s2;
            if (d.orderIdx > 0 && dup && d.orderTries < 7 * d.orderCount) {
                ++d.orderSkips;
                ++d.orderIdx;
                continue;
            }
        }
        return;
    }
}

std::pair<std::int64_t, std::int64_t> FillEngine::orderingSignatures(bool markedOnly) {
    static const auto roots = [] {
        std::array<long double, maxBoxSlot + 1> r{};
        for (std::size_t p = 0; p < r.size(); ++p) r[p] = std::sqrt(static_cast<long double>(p));
        return r;
    }();
    static const auto rootsNear = [] {
        std::array<double, maxBoxSlot + 1> r{};
        for (std::size_t p = 0; p < r.size(); ++p) r[p] = static_cast<double>(roots[p]);
        return r;
    }();
    if (boxN > maxBoxSlot) throw core::RangeError("Range check error: box count");
    std::int64_t s1 = 0, s2 = 0;
    for (int p = 1; p <= boxN; ++p) {
        const int b = packingOrder[p];
        if (markedOnly && rowMarker[b] < 10) continue;
        if (plainScans) {
            const long double q = core::fdiv(boxLen[b], boxWid[b]) * runKey[b];
            s1 += roundHalfEven(q * p);
            s2 += roundHalfEven(std::sqrt(static_cast<long double>(p)) * q);
            continue;
        }
        // A box's factor changes only with its sides or its run key.
        SignatureFactor& f = sigFactor_[static_cast<std::size_t>(b)];
        if (f.len != boxLen[b] || f.wid != boxWid[b] || f.key != runKey[b]) {
            const long double q = core::fdiv(boxLen[b], boxWid[b]) * runKey[b];
            f = {q, static_cast<double>(q), boxLen[b], boxWid[b], runKey[b]};
        }
        const std::size_t pi = static_cast<std::size_t>(p);
        std::int64_t r1 = 0, r2 = 0;
        if (!roundNearDouble(f.qNear * p, r1)) r1 = roundHalfEvenInline(f.q * p);
        if (!roundNearDouble(f.qNear * rootsNear[pi], r2)) r2 = roundHalfEvenInline(roots[pi] * f.q);
        s1 += r1;
        s2 += r2;
    }
    return {s1, s2};
}

bool FillEngine::fillOrdering(Driver& d) {
    d.improveLeft = followUpFills;
    while (true) {
        // The fill reads no group sizes, and every reader measures them again first:
        // only the plain form keeps this measuring.
        if (plainScans) measureGroups();
        fillContainer();
        scoreContainerLoad();
        if (fill.fillScore > best.fillScore) {
            saveOrdering();
            saveBestPlacement();
            if (d.orderIdx != 0) d.perturbLeft = followUpFills;
        }
        d.attemptCount = core::add32(d.attemptCount, 1);
        // A fill cut short by a stop still competes with the best one.
        if (stopRun || progressStep(d) || lookAroundWhenDue()) return true;
        if (d.perturbLeft > 0) {
            --d.perturbLeft;
            restoreOrdering();
            shuffleGroupsRandomVariant(true);
            d.improveLeft = followUpFills;
            continue;
        }
        if (d.improveLeft > 0 && fill.fillScore > static_cast<long double>(improveRatio) * best.fillScore &&
            d.mainPhase(*this)) {
            --d.improveLeft;
            boxLen = orientLen;
            boxWid = orientWid;
            shuffleGroupsRandomVariant(true);
            continue;
        }
        return false;
    }
}

void FillEngine::randomPhase(Driver& d) {
    while (d.randomStepsLeft > 0 && best.fillScore > 0) {
        --d.randomStepsLeft;
        restoreOrdering();
        if (backtrack != 0)
            swapGroupsRandom(swapOdds);
        else if (d.randomStepsLeft % 2 == 1)
            randomSwapOrder();
        else
            swapAtKindBorders(3);
        if (fillOrdering(d)) return;
    }
}

void FillEngine::finishSearch() {
    searching_ = false;
    if (best.fillScore > 0) {
        restoreOrdering();
        restoreBestPlacement();
    }
    sortPlacedByPosition();
    points.freePoints();
}

} // namespace rectix::engine
