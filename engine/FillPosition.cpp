#include "FillEngine.h"

#include "FastRounding.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cstdlib>

namespace rectix::engine {

using core::fdiv;
using core::toF32;

namespace {
constexpr long double eps = 0.00001L;
}

bool FillEngine::overlaps(int x1, int y1, int x2, int y2, int uptoPos) const {
    const std::int16_t* order = packingOrder.data();
    const std::int16_t* bx = boxX.data();
    const std::int16_t* by = boxY.data();
    const std::int16_t* bl = boxLen.data();
    const std::int16_t* bw = boxWid.data();
    // Touching edges are no overlap. The grid holds exactly the placed boxes before the current one.
    if (!plainScans)
        return grid_.any(x1, y1, x2 - 1, y2 - 1, [&](const BoxGrid::Entry& d) {
            return d.y1 < y2 && d.y2 > y1 && d.x1 < x2 && d.x2 > x1;
        });
    return anyEarlierPlaced(uptoPos + 1, [&](int q) {
        const int d = order[q];
        return by[d] < y2 && by[d] + bw[d] > y1 && bx[d] < x2 && bx[d] + bl[d] > x1;
    });
}

void FillEngine::notePlaced(int pos) {
    placedCount_ += 1;
    placedPos_[placedCount_] = static_cast<std::int16_t>(pos);
    const int b = packingOrder[pos];
    placedX_[placedCount_] = boxX[b];
    placedY_[placedCount_] = boxY[b];
    placedXEnd_[placedCount_] = toI16Inline(boxX[b] + boxLen[b]);
    placedYEnd_[placedCount_] = toI16Inline(boxY[b] + boxWid[b]);
    grid_.add(b, boxX[b], boxY[b], boxLen[b], boxWid[b]);
}

bool FillEngine::certainToFail(int len, int wid) {
    for (int r = 0; r < failedCount_; ++r) {
        const FailedSearch& f = failed_[static_cast<std::size_t>(r)];
        if (len < f.len || wid < f.wid) continue;
        bool fitsSomewhere = false;
        for (int k = 0; k < f.passedOverCount && !fitsSomewhere; ++k) {
            const std::int32_t i = f.passedOver[static_cast<std::size_t>(k)];
            const CornerPoints::Fields p = points.fields();
            if (p.minL[i] >= len || p.minW[i] >= wid) continue;
            const int x1 = p.x[i], x2 = x1 + len, y1 = p.y[i], y2 = y1 + wid;
            fitsSomewhere = !(x1 < 0 || y1 < 0 || x2 > contLength || y2 > contWidth) &&
                            !overlaps(x1, y1, x2, y2, fillPos - 1);
        }
        if (!fitsSomewhere) return true;
    }
    return false;
}

void FillEngine::searchUnlessCertainToFail() {
    const bool supports = static_cast<long long>(contNoseWt) + contTailWt > 0;
    if (!plainScans && !supports && certainToFail(boxLen[curBox], boxWid[curBox])) {
        if (boxN >= maxBoxSlot + 1 || fillPos > boxN)
            throw core::RangeError("Range check error: fill position");
        ++searchesSkipped;
        return;
    }
    findBestPosition();
}

bool FillEngine::findBestPosition() {
    ++searches;
    const int box = curBox;
    const int len = boxLen[box], wid = boxWid[box];
    const std::int32_t weight = boxWeight[box];
    const int usable = points.usableLength();
    const float span = toF32(static_cast<long double>(usable) - noseDist - tailDist);
    const float m0 = toF32(static_cast<long double>(fill.fillWeight) * loadCGX);
    const float w1 = toF32(static_cast<long double>(fill.fillWeight) + weight);
    const float tMoment = toF32(static_cast<long double>(usable - tailDist) * w1);
    const float nMoment = toF32(static_cast<long double>(noseDist) * w1);
    const bool supports = static_cast<long long>(contNoseWt) + contTailWt > 0;
    if (boxN >= maxBoxSlot + 1 || fillPos > boxN) throw core::RangeError("Range check error: fill position");

    std::int32_t accepted = 0;
    std::array<std::int32_t, maxPassedOver> passedOverAt{};
    int passedOver = 0;
    const CornerPoints::Fields p = points.fields();
    for (std::int32_t i = 1; i <= points.count; ++i) {
        if (p.minL[i] >= len || p.minW[i] >= wid) {
            if (passedOver < maxPassedOver) passedOverAt[static_cast<std::size_t>(passedOver)] = i;
            ++passedOver;
            continue;
        }
        const int x1 = p.x[i], x2 = x1 + len;
        const int y1 = p.y[i], y2 = y1 + wid;
        if (supports) {
            const float m = toF32(weight * 0.5L * (x1 + x2) + m0);
            // Tail-side support over its limit, or the load over both limits: no point helps.
            if (static_cast<long double>(span) * contTailWt < static_cast<long double>(m) - nMoment) break;
            if (static_cast<long double>(span) * (static_cast<long double>(contNoseWt) + contTailWt) <
                static_cast<long double>(tMoment) - nMoment)
                break;
            const int u = x2 > usedX ? x2 : usedX;
            // A nose-side overload that shifting into the free length behind could not cure.
            if (static_cast<long double>(span) * contNoseWt + static_cast<long double>(usable - u) * w1 <
                static_cast<long double>(tMoment) - m)
                continue;
        }
        if (x1 < 0 || y1 < 0 || x2 > contLength || y2 > contWidth) continue;
        if (overlaps(x1, y1, x2, y2, fillPos - 1)) continue;
        accepted = i;
        break;
    }
    if (accepted == 0) {
        // Records are only read by fills, which forget them at every change of the fill state.
        if (!supports && passedOver <= maxPassedOver) {
            // A record that passed over no point makes every record of larger sides redundant.
            int kept = 0;
            for (int r = 0; r < failedCount_; ++r) {
                const FailedSearch& f = failed_[static_cast<std::size_t>(r)];
                if (passedOver == 0 && f.len >= len && f.wid >= wid) continue;
                failed_[static_cast<std::size_t>(kept++)] = f;
            }
            failedCount_ = std::min(kept + 1, maxFailedSearches);
            failed_[static_cast<std::size_t>(failedCount_ - 1)] = {
                static_cast<std::int16_t>(len), static_cast<std::int16_t>(wid), passedOver, passedOverAt};
        }
        return false;
    }
    const std::int32_t score = core::add32(core::mul32(points.x(accepted) + len, scoreWX),
                                           core::mul32(points.y(accepted) + wid, scoreWY));
    if (score < bestPosScore) {
        bestPosScore = score;
        chosenLen = static_cast<std::int16_t>(len);
        chosenWid = static_cast<std::int16_t>(wid);
        bestPoint = accepted;
    }
    return true;
}

void FillEngine::computeAxleLoads() {
    const float span = toF32(static_cast<long double>(points.usableLength()) - noseDist - tailDist);
    const std::int64_t tail =
        core::roundHalfEven(fdiv((static_cast<long double>(loadCGX) - noseDist) * fill.fillWeight, span));
    peakSupportLoad =
        std::max({peakSupportLoad, std::abs(tail), std::abs(std::int64_t{fill.fillWeight} - tail)});
    fill.fillTailLoad = core::toI32(tail);
    fill.fillNoseLoad = core::checkedSub(fill.fillWeight, fill.fillTailLoad);
}

void FillEngine::rebalanceAxleLoads() {
    if (!(fill.fillWeight > 0 && fill.fillNoseLoad > contNoseWt)) return;
    const int usable = points.usableLength();
    const float span = toF32(static_cast<long double>(usable) - noseDist - tailDist);
    // Bounded by the free length before it is narrowed: a shift past 16 bits ends up at that bound.
    std::int64_t wanted = core::roundHalfEven(fdiv(span, fill.fillWeight) *
                                              (static_cast<long double>(fill.fillNoseLoad) - contNoseWt));
    if (wanted + usedX > usable) wanted = usable - usedX;
    const std::int16_t shift = core::toI16(wanted);
    for (int b = 1; b <= boxN; ++b)
        if (boxPlaced[b] == 1) boxX[b] = core::add16(boxX[b], shift);
    loadCGX = toF32(static_cast<long double>(loadCGX) + shift);
    computeAxleLoads();
}

void FillEngine::updateUsedExtent() {
    const int b = curBox;
    if (boxX[b] + boxLen[b] > usedX) usedX = toI16Inline(boxX[b] + boxLen[b]);
    if (boxY[b] + boxWid[b] > usedY) usedY = toI16Inline(boxY[b] + boxWid[b]);
    const int d = fillDir != 0 ? fillDir : workDir;
    usedFraction =
        d == 2 ? toF32(fdiv(usedY, points.usableWidth())) : toF32(fdiv(usedX, points.usableLength()));
    density = toF32(fdiv(fdiv(fill.fillArea, contArea), eps + usedFraction));
}

std::int16_t FillEngine::countSplitGroups() const {
    // The fill keeps placed counts per kind once prepareFill has counted the totals.
    if (kindCountsReady_ && !plainScans) {
        int split = 0;
        for (int k = 1; k <= kindListCount_; ++k) {
            const int kind = kindList_[k];
            if (kindPlaced_[kind] > 0 && kindPlaced_[kind] < kindTotal_[kind]) ++split;
        }
        return static_cast<std::int16_t>(split);
    }
    // Boxes of a kind follow each other in hand-over order, but count by kind to rely on nothing.
    core::Slots<std::uint8_t, 0, maxBoxSlot> seen;
    int split = 0;
    for (int b = 1; b <= boxN; ++b) {
        std::uint8_t& s = seen[boxKind[b]];
        const std::uint8_t bit = boxPlaced[b] == 1 ? 1 : 2;
        if ((s | bit) == 3 && s != 3) ++split;
        s |= bit;
    }
    return static_cast<std::int16_t>(split);
}

void FillEngine::scoreContainerLoad() {
    const RunTotals& r = *totals;
    const long double wf = engWeightFactor, cf = engCostFactor, lf = engLeftFactor, bf = engBindFactor;
    const float a = toF32(fdiv(fill.fillArea, eps + contArea));
    const float w = toF32(fdiv(fill.fillWeight, contLoadWt + eps));
    const float q = toF32((1 - wf) * a + w * wf);
    const float c = toF32(fdiv(fill.fillCost, eps + r.totalBoxCost) *
                          (fdiv(r.totalBoxArea, contArea) + fdiv(r.totalBoxWeight, contLoadWt + eps)));
    const float h = toF32(fdiv(
        2, fdiv(fdiv(contCost, eps + r.totalContCost),
                fdiv(fill.fillArea, r.totalContArea) + fdiv(fill.fillWeight, r.totalCapacity + eps) + eps) +
               1));
    const float t = toF32((1 - 0.5L) * h + c * 0.5L);
    float score = toF32((1 - cf) * q + t * cf);
    score = toF32((1 - lf) * score + fdiv(fill.fillCount, boxN) * lf);
    score = toF32(fdiv(score, countSplitGroups() * (0.2L * bf) + 1));
    fill.fillScore = toF32(static_cast<long double>(score) * powerF(density, densityExponent));
}

} // namespace rectix::engine
