#include "FillEngine.h"

#include "FastRounding.h"

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
    const int bStart = bPos[b];
    // The point at (a, e) of a box that reaches past a, starting at aStart along A.
    auto addPoint = [&](int e, int aStart) {
        const int bMinRaw = bStart - e;
        const int aMinRaw = aStart - a;
        const std::int16_t bMin = bMinRaw < gap ? gap : static_cast<std::int16_t>(bMinRaw);
        const std::int16_t aMin = aMinRaw < gap ? gap : static_cast<std::int16_t>(aMinRaw);
        auto covers = [&](int q) {
            const int d = packingOrder[q];
            return boxPlaced[d] == 1 && aPos[d] <= a + aMin && aPos[d] + aSide[d] > a &&
                   bPos[d] <= e + bMin && bPos[d] + bSide[d] > e;
        };
        if (plainScans) {
            points.count += 1;
            points.growCornerPointArrays();
            if (anyEarlierPlaced(pos, covers)) {
                points.count -= 1;
                return;
            }
        } else {
            // The list's length plays no part in the test, so a covered point costs no slot.
            if (coveredFast(alongWidth, a, e, aMin, bMin)) return;
            points.count += 1;
            points.growCornerPointArrays();
        }
        const std::int32_t n = points.count;
        const CornerPoints::Fields f = points.fields();
        (alongWidth ? f.minW : f.minL)[n] = aMin;
        (alongWidth ? f.minL : f.minW)[n] = bMin;
        (alongWidth ? f.y : f.x)[n] = toI16Inline(a);
        (alongWidth ? f.x : f.y)[n] = toI16Inline(e);
    };
    // Position 0 is the dummy box at the origin; then the placed boxes in order.
    addPoint(0, 0);
    if (plainScans) {
        anyEarlierPlaced(pos, [&](int k) {
            const int c = packingOrder[k];
            const int e = bPos[c] + bSide[c];
            if (bTop > e && aPos[c] + aSide[c] > a) addPoint(e, aPos[c]);
            return false;
        });
    } else {
        // Only boxes reaching past the far edge and ending below the new box's top make
        // points: the compact lists of placed boxes answer that without the box arrays.
        const std::int16_t* positions = placedPos_.data();
        const std::int16_t* aEnds = (alongWidth ? placedYEnd_ : placedXEnd_).data();
        const std::int16_t* bEnds = (alongWidth ? placedXEnd_ : placedYEnd_).data();
        const std::int16_t* aStarts = (alongWidth ? placedY_ : placedX_).data();
        const std::int16_t* placed = boxPlaced.data();
        const std::int16_t* order = packingOrder.data();
        if (placedCount_ > maxBoxSlot) throw core::RangeError("Range check error: placed boxes");
        for (int i = 1; i <= placedCount_ && positions[i] < pos; ++i)
            if (aEnds[i] > a && bEnds[i] < bTop && placed[order[positions[i]]] == 1)
                addPoint(bEnds[i], aStarts[i]);
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
    const int aTop = a + aMin, bTop = e + bMin;
    // Neighbouring points are mostly covered by one box: try the last one that covered first.
    const int last = lastCoverer_;
    if (boxPlaced[last] == 1) {
        const int x1 = boxX[last], y1 = boxY[last], x2 = x1 + boxLen[last], y2 = y1 + boxWid[last];
        if (alongWidth ? y1 <= aTop && y2 > a && x1 <= bTop && x2 > e
                       : x1 <= aTop && x2 > a && y1 <= bTop && y2 > e) {
            coverHigh_[i] = aMin;
            return true;
        }
    }
    // A covering box meets the point's minimum footprint, so the grid finds every candidate.
    int coverer = 0;
    auto coversAlongLength = [&](const BoxGrid::Entry& d) {
        coverer = d.box;
        return d.x1 <= aTop && d.x2 > a && d.y1 <= bTop && d.y2 > e;
    };
    auto coversAlongWidth = [&](const BoxGrid::Entry& d) {
        coverer = d.box;
        return d.y1 <= aTop && d.y2 > a && d.x1 <= bTop && d.x2 > e;
    };
    const bool covered = alongWidth ? grid_.any(e, a, bTop, aTop, coversAlongWidth)
                                    : grid_.any(a, e, aTop, bTop, coversAlongLength);
    if (covered) lastCoverer_ = coverer;
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
            const std::int16_t xj = points.x(j), yj = points.y(j);
            while (i >= 1 && !(points.x(i) == xj && points.y(i) == yj)) --i;
            if (i < 1) points.insertPointSorted(j, wx, wy);
        } else {
            i = points.findSamePlaceOrInsert(j, wx, wy);
        }
        if (i < 1) {
            ++j;
        } else {
            if (points.minLength(j) < points.minLength(i)) points.minLength(i) = points.minLength(j);
            if (points.minWidth(j) < points.minWidth(i)) points.minWidth(i) = points.minWidth(j);
            points.deletePoint(j);
        }
    }
}

} // namespace rectix::engine
