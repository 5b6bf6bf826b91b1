#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Random.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace rectix::engine {

void FillEngine::TurnBox(int b) {
    std::swap(BoxLen[b], BoxWid[b]);
}

void FillEngine::TurnTurnableShortFirst() {
    for (int b = 1; b <= BoxN; ++b)
        if (BoxTurnOn[b] && BoxWid[b] < BoxLen[b]) TurnBox(b);
}

void FillEngine::TurnTurnableLongFirst() {
    for (int b = 1; b <= BoxN; ++b)
        if (BoxTurnOn[b] && BoxLen[b] < BoxWid[b]) TurnBox(b);
}

void FillEngine::TurnAllTurnable() {
    for (int b = 1; b <= BoxN; ++b)
        if (BoxTurnOn[b]) TurnBox(b);
}

void FillEngine::TurnTowardReferenceSize(int axis) {
    for (int b = 1; b <= BoxN; ++b) {
        if (!BoxTurnOn[b] || BoxLen[b] == BoxWid[b]) continue;
        const int dW = std::abs(BoxWid[b] - RefSize);
        const int dL = std::abs(BoxLen[b] - RefSize);
        if (axis == 1 ? dW < dL : dL < dW) TurnBox(b);
    }
}

std::int16_t FillEngine::OrientationCount(int b) const {
    return !BoxTurnOn[b] || BoxLen[b] == BoxWid[b] ? 1 : 2;
}

void FillEngine::RandomTurnBoxes(int odds) {
    int runKind = -1, runWid = -1, decision = 0;
    for (int b = 1; b <= BoxN; ++b) {
        // Runs are judged on the sides before this call turned anything.
        if (b == 1 || BoxKind[b] != runKind || BoxWid[b] != runWid) {
            runKind = BoxKind[b];
            runWid = BoxWid[b];
            decision = OrientationCount(b) == 2 ? core::random(odds + 1) : 0;
        }
        if (decision == 1) TurnBox(b);
    }
}

void FillEngine::RandomTurnGroups(int leastAcross) {
    GroupCount = 0;
    const int contLen = Points.UsableLength(), contWid = Points.UsableWidth();
    for (int s = 1; s <= BoxN;) {
        int e = s;
        while (e <= BoxN && BoxKind[e] == BoxKind[s]) ++e;
        const int n = e - s;
        GroupCount = core::add16(GroupCount, 1);
        if (OrientationCount(s) == 2 && n >= 2 && core::random(2) == 1) {
            const int across = WorkDir == 1 ? core::checkedDiv(contWid, static_cast<int>(BoxWid[s]))
                                            : core::checkedDiv(contLen, static_cast<int>(BoxLen[s]));
            int rows = across >= leastAcross ? n / across : 0;
            const int along = WorkDir == 1 ? core::checkedDiv(contLen, static_cast<int>(BoxLen[s]))
                                           : core::checkedDiv(contWid, static_cast<int>(BoxWid[s]));
            rows = std::min(rows, along);
            if (n == across) rows = 0;
            if (rows > 0) rows = core::random(rows) + 1;
            const int p = rows >= 1 ? s + across * rows : s + core::random(n) + 1;
            if (p < e) {
                GroupCount = core::add16(GroupCount, 1);
                for (int b = p; b < e; ++b) TurnBox(b);
            }
        }
        s = e;
    }
}

void FillEngine::ClearRowMarkers() {
    for (int b = 1; b <= BoxN; ++b) RowMarker[b] = 0;
    RowGroups = 0;
    RowRests = 0;
}

void FillEngine::AssignRowMarkers(int leastAcross, bool randomRows) {
    const int contLen = Points.UsableLength(), contWid = Points.UsableWidth();
    for (int s = 1; s <= BoxN;) {
        int e = s;
        while (e <= BoxN && BoxKind[e] == BoxKind[s] && BoxWid[e] == BoxWid[s]) ++e;
        const int n = e - s;
        const int across = WorkDir == 1 ? core::checkedDiv(contWid, static_cast<int>(BoxWid[s]))
                                        : core::checkedDiv(contLen, static_cast<int>(BoxLen[s]));
        const int rowWidth = across * (WorkDir == 1 ? BoxWid[s] : BoxLen[s]);
        int rows = across >= leastAcross ? n / across : 0;
        if (randomRows) {
            const int along = WorkDir == 1 ? core::checkedDiv(contLen, static_cast<int>(BoxLen[s]))
                                           : core::checkedDiv(contWid, static_cast<int>(BoxWid[s]));
            rows = std::min(rows, along);
            if (n == across) rows = 0;
            if (rows > 0) rows = core::random(rows) + 1;
        }
        if (rows > 0) {
            RowGroups = core::add32(RowGroups, 1);
            const int rowEnd = s + across * rows;
            for (int b = s; b < rowEnd; ++b) RowMarker[b] = core::toI16(rowWidth);
            if (rowEnd < e) {
                RowRests = core::add32(RowRests, 1);
                const auto rest = static_cast<std::int16_t>(core::random(5) + 5);
                for (int b = rowEnd; b < e; ++b) RowMarker[b] = rest;
            }
        } else if (randomRows) {
            const int p = core::random(n) + s + 1;
            const auto first = static_cast<std::int16_t>(core::random(5));
            for (int b = s; b < p; ++b) RowMarker[b] = first;
            const auto second = static_cast<std::int16_t>(core::random(5));
            for (int b = p; b < e; ++b) RowMarker[b] = second;
        } else {
            const auto marker = static_cast<std::int16_t>(core::random(5));
            for (int b = s; b < e; ++b) RowMarker[b] = marker;
        }
        s = e;
    }
}

} // namespace rectix::engine
