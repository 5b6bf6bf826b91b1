#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Errors.h"

#include <string>

namespace rectix::engine {

void FillEngine::removeOverlappedCornerPoints(int box) {
    const int xb = boxX[box], yb = boxY[box], lb = boxLen[box], wb = boxWid[box];
    const CornerPoints::Fields p = points.fields();
    // A point goes when its minimum footprint (closed at its far ends) meets the box (open at its far ends).
    points.deleteWhere([&](std::int32_t i) {
        const int x = p.x[i], y = p.y[i];
        return xb <= x + p.minL[i] && x < xb + lb && yb <= y + p.minW[i] && y < yb + wb;
    });
}

// The new points on the far side of the box at position pos: along the length
// (A = X, B = Y) or, mirrored, along the width (A = Y, B = X).
void FillEngine::addCornerPointsForBox(int pos, bool alongWidth) {
    const Box16& aPos = alongWidth ? boxY : boxX;
    const Box16& bPos = alongWidth ? boxX : boxY;
    const Box16& aSide = alongWidth ? boxWid : boxLen;
    const Box16& bSide = alongWidth ? boxLen : boxWid;
    const int b = packingOrder[pos];
    const int a = aPos[b] + aSide[b];
    const int bTop = bPos[b] + bSide[b];
    const std::int16_t gap = points.minUsefulGap;

    ++coverCall_;
    // Position 0 is the dummy box at the origin; then the placed boxes in order.
    auto makePoint = [&](int k) {
        const int c = packingOrder[k];
        const int e = k == 0 ? 0 : bPos[c] + bSide[c];
        if (k >= 1 && !(bTop > e && aPos[c] + aSide[c] > a)) return false;

        const int bMinRaw = bPos[b] - e;
        const int aMinRaw = (k == 0 ? 0 : aPos[c]) - a;
        const std::int16_t bMin = bMinRaw < gap ? gap : static_cast<std::int16_t>(bMinRaw);
        const std::int16_t aMin = aMinRaw < gap ? gap : static_cast<std::int16_t>(aMinRaw);

        points.count += 1;
        points.growCornerPointArrays();
        auto covers = [&](int q) {
            const int d = packingOrder[q];
            return boxPlaced[d] == 1 && aPos[d] <= a + aMin && aPos[d] + aSide[d] > a &&
                   bPos[d] <= e + bMin && bPos[d] + bSide[d] > e;
        };
        const bool covered =
            plainScans ? anyEarlierPlaced(pos, covers) : coveredFast(alongWidth, a, e, aMin, bMin);
        if (covered) {
            points.count -= 1;
            return false;
        }
        const std::int32_t n = points.count;
        (alongWidth ? points.minWidth(n) : points.minLength(n)) = aMin;
        (alongWidth ? points.minLength(n) : points.minWidth(n)) = bMin;
        (alongWidth ? points.Y(n) : points.X(n)) = core::toI16(a);
        (alongWidth ? points.X(n) : points.Y(n)) = core::toI16(e);
        return false;
    };
    makePoint(0);
    if (plainScans) {
        anyEarlierPlaced(pos, makePoint);
    } else {
        // Only boxes reaching past the far edge make points: visit just those, in position order.
        const std::int16_t* positions = placedPos_.data();
        const std::int16_t* ends = (alongWidth ? placedYEnd_ : placedXEnd_).data();
        const std::int16_t* placed = boxPlaced.data();
        const std::int16_t* order = packingOrder.data();
        if (placedCount_ > maxBoxSlot) throw core::RangeError("Range check error: placed boxes");
        for (int i = 1; i <= placedCount_ && positions[i] < pos; ++i)
            if (ends[i] > a && placed[order[positions[i]]] == 1) makePoint(positions[i]);
    }
}

// The covered test of addCornerPointsForBox through the grid. Within one call
// the footprint of points at B coordinate e grows with aMin alone, so an answer
// for one aMin settles every smaller one (uncovered) or larger one (covered).
bool FillEngine::coveredFast(bool alongWidth, int a, int e, std::int16_t aMin, std::int16_t bMin) {
    if (e < 0) throw core::RangeError("Range check error: corner point " + std::to_string(e));
    const auto i = static_cast<std::size_t>(e);
    if (i >= coverStamp_.size()) {
        coverStamp_.resize(i + 1, 0);
        coverLow_.resize(i + 1);
        coverHigh_.resize(i + 1);
    }
    if (coverStamp_[i] != coverCall_) {
        coverStamp_[i] = coverCall_;
        coverLow_[i] = INT32_MIN;
        coverHigh_[i] = INT32_MAX;
    }
    if (aMin <= coverLow_[i]) return false;
    if (aMin >= coverHigh_[i]) return true;
    // A covering box meets the point's minimum footprint, so the grid finds every candidate.
    const int aTop = a + aMin, bTop = e + bMin;
    const bool covered = alongWidth
                             ? grid_.any(e, a, bTop, aTop,
                                         [&](const BoxGrid::Entry& d) {
                                             return d.y1 <= aTop && d.y2 > a && d.x1 <= bTop && d.x2 > e;
                                         })
                             : grid_.any(a, e, aTop, bTop, [&](const BoxGrid::Entry& d) {
                                   return d.x1 <= aTop && d.x2 > a && d.y1 <= bTop && d.y2 > e;
                               });
    (covered ? coverHigh_[i] : coverLow_[i]) = aMin;
    return covered;
}

void FillEngine::mergeCornerPoints() {
    const float wx = workDir == 2 ? 0.001f : 1.0f;
    const float wy = workDir == 2 ? 1.0f : 0.001f;
    std::int32_t j = points.newPointStart;
    while (j <= points.count) {
        std::int32_t i = j - 1;
        if (plainScans) {
            const std::int16_t xj = points.X(j), yj = points.Y(j);
            while (i >= 1 && !(points.X(i) == xj && points.Y(i) == yj)) --i;
        } else {
            i = points.findSamePlace(j, wx, wy);
        }
        if (i < 1) {
            if (plainScans)
                points.insertPointSorted(j, wx, wy);
            else
                points.insertPointSortedFast(j, wx, wy);
            ++j;
        } else {
            if (points.minLength(j) < points.minLength(i)) points.minLength(i) = points.minLength(j);
            if (points.minWidth(j) < points.minWidth(i)) points.minWidth(i) = points.minWidth(j);
            points.deletePoint(j);
        }
    }
}

} // namespace rectix::engine
