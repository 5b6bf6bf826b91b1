#include "FillEngine.h"

#include "core/Checked.h"

namespace rectix::engine {

void FillEngine::RemoveOverlappedCornerPoints(int box) {
    const int xb = BoxX[box], yb = BoxY[box], lb = BoxLen[box], wb = BoxWid[box];
    // A point goes when its minimum footprint (closed at its far ends) meets the box (open at its far ends).
    Points.DeleteWhere([&](std::int32_t i) {
        const int x = Points.X(i), y = Points.Y(i);
        return xb <= x + Points.MinLength(i) && x < xb + lb && yb <= y + Points.MinWidth(i) && y < yb + wb;
    });
}

// The new points on the far side of the box at position pos: along the length
// (A = X, B = Y) or, mirrored, along the width (A = Y, B = X).
void FillEngine::AddCornerPointsForBox(int pos, bool alongWidth) {
    const Box16& aPos = alongWidth ? BoxY : BoxX;
    const Box16& bPos = alongWidth ? BoxX : BoxY;
    const Box16& aSide = alongWidth ? BoxWid : BoxLen;
    const Box16& bSide = alongWidth ? BoxLen : BoxWid;
    const int b = PackingOrder[pos];
    const int a = aPos[b] + aSide[b];
    const int bTop = bPos[b] + bSide[b];
    const std::int16_t gap = Points.MinUsefulGap;

    const PositionIndex& aEnds = alongWidth ? yEnds_ : xEnds_;
    // Position 0 is the dummy box at the origin; then the placed boxes in order.
    auto makePoint = [&](int k) {
        const int c = PackingOrder[k];
        const int e = k == 0 ? 0 : bPos[c] + bSide[c];
        if (k >= 1 && !(bTop > e && aPos[c] + aSide[c] > a)) return false;

        const int bMinRaw = bPos[b] - e;
        const int aMinRaw = (k == 0 ? 0 : aPos[c]) - a;
        const std::int16_t bMin = bMinRaw < gap ? gap : static_cast<std::int16_t>(bMinRaw);
        const std::int16_t aMin = aMinRaw < gap ? gap : static_cast<std::int16_t>(aMinRaw);

        Points.Count += 1;
        Points.GrowCornerPointArrays();
        auto covers = [&](int q) {
            const int d = PackingOrder[q];
            return BoxPlaced[d] == 1 && aPos[d] <= a + aMin && aPos[d] + aSide[d] > a &&
                   bPos[d] <= e + bMin && bPos[d] + bSide[d] > e;
        };
        // A covering box reaches past a, so the index of far edges finds every candidate.
        const bool covered = PlainScans ? AnyEarlierPlaced(pos, covers) : aEnds.AnyAbove(pos, a, covers);
        if (covered) {
            Points.Count -= 1;
            return false;
        }
        const std::int32_t n = Points.Count;
        (alongWidth ? Points.MinWidth(n) : Points.MinLength(n)) = aMin;
        (alongWidth ? Points.MinLength(n) : Points.MinWidth(n)) = bMin;
        (alongWidth ? Points.Y(n) : Points.X(n)) = core::toI16(a);
        (alongWidth ? Points.X(n) : Points.Y(n)) = core::toI16(e);
        return false;
    };
    makePoint(0);
    if (PlainScans) {
        AnyEarlierPlaced(pos, makePoint);
    } else {
        // Only boxes reaching past the far edge make points: visit just those.
        aEnds.AnyAbove(pos, a, [&](int k) { return BoxPlaced[PackingOrder[k]] == 1 && makePoint(k); });
    }
}

void FillEngine::MergeCornerPoints() {
    const float wx = WorkDir == 2 ? 0.001f : 1.0f;
    const float wy = WorkDir == 2 ? 1.0f : 0.001f;
    std::int32_t j = Points.NewPointStart;
    while (j <= Points.Count) {
        std::int32_t i = j - 1;
        const std::int16_t xj = Points.X(j), yj = Points.Y(j);
        while (i >= 1 && !(Points.X(i) == xj && Points.Y(i) == yj)) --i;
        if (i < 1) {
            Points.InsertPointSorted(j, wx, wy);
            ++j;
        } else {
            if (Points.MinLength(j) < Points.MinLength(i)) Points.MinLength(i) = Points.MinLength(j);
            if (Points.MinWidth(j) < Points.MinWidth(i)) Points.MinWidth(i) = Points.MinWidth(j);
            Points.DeletePoint(j);
        }
    }
}

} // namespace rectix::engine
