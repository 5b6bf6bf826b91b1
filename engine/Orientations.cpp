#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Random.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace rectix::engine {

void FillEngine::turnBox(int b) {
    std::swap(boxLen[b], boxWid[b]);
}

void FillEngine::turnTurnableShortFirst() {
    for (int b = 1; b <= boxN; ++b)
        if (boxTurnOn[b] && boxWid[b] < boxLen[b]) turnBox(b);
}

void FillEngine::turnTurnableLongFirst() {
    for (int b = 1; b <= boxN; ++b)
        if (boxTurnOn[b] && boxLen[b] < boxWid[b]) turnBox(b);
}

void FillEngine::turnAllTurnable() {
    for (int b = 1; b <= boxN; ++b)
        if (boxTurnOn[b]) turnBox(b);
}

void FillEngine::turnTowardReferenceSize(int axis) {
    for (int b = 1; b <= boxN; ++b) {
        if (!boxTurnOn[b] || boxLen[b] == boxWid[b]) continue;
        const int dW = std::abs(boxWid[b] - refSize);
        const int dL = std::abs(boxLen[b] - refSize);
        if (axis == 1 ? dW < dL : dL < dW) turnBox(b);
    }
}

std::int16_t FillEngine::orientationCount(int b) const {
    return !boxTurnOn[b] || boxLen[b] == boxWid[b] ? 1 : 2;
}

void FillEngine::randomTurnBoxes(int odds) {
    int runKind = -1, runWid = -1, decision = 0;
    for (int b = 1; b <= boxN; ++b) {
        // Runs are judged on the sides before this call turned anything.
        if (b == 1 || boxKind[b] != runKind || boxWid[b] != runWid) {
            runKind = boxKind[b];
            runWid = boxWid[b];
            decision = orientationCount(b) == 2 ? random_.next(odds + 1) : 0;
        }
        if (decision == 1) turnBox(b);
    }
}

void FillEngine::randomTurnGroups(int leastAcross) {
    groupCount = 0;
    const int contLen = points.usableLength(), contWid = points.usableWidth();
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e <= boxN && boxKind[e] == boxKind[s]) ++e;
        const int n = e - s;
        groupCount = core::add16(groupCount, 1);
        if (orientationCount(s) == 2 && n >= 2 && random_.next(2) == 1) {
            const int across = workDir == 1 ? core::checkedDiv(contWid, static_cast<int>(boxWid[s]))
                                            : core::checkedDiv(contLen, static_cast<int>(boxLen[s]));
            int rows = across >= leastAcross ? n / across : 0;
            const int along = workDir == 1 ? core::checkedDiv(contLen, static_cast<int>(boxLen[s]))
                                           : core::checkedDiv(contWid, static_cast<int>(boxWid[s]));
            rows = std::min(rows, along);
            if (n == across) rows = 0;
            if (rows > 0) rows = random_.next(rows) + 1;
            const int p = rows >= 1 ? s + across * rows : s + random_.next(n) + 1;
            if (p < e) {
                groupCount = core::add16(groupCount, 1);
                for (int b = p; b < e; ++b) turnBox(b);
            }
        }
        s = e;
    }
}

void FillEngine::clearRowMarkers() {
    for (int b = 1; b <= boxN; ++b) rowMarker[b] = 0;
    rowGroups = 0;
    rowRests = 0;
}

void FillEngine::assignRowMarkers(int leastAcross, bool randomRows) {
    const int contLen = points.usableLength(), contWid = points.usableWidth();
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e <= boxN && boxKind[e] == boxKind[s] && boxWid[e] == boxWid[s]) ++e;
        const int n = e - s;
        const int across = workDir == 1 ? core::checkedDiv(contWid, static_cast<int>(boxWid[s]))
                                        : core::checkedDiv(contLen, static_cast<int>(boxLen[s]));
        const int rowWidth = across * (workDir == 1 ? boxWid[s] : boxLen[s]);
        int rows = across >= leastAcross ? n / across : 0;
        if (randomRows) {
            const int along = workDir == 1 ? core::checkedDiv(contLen, static_cast<int>(boxLen[s]))
                                           : core::checkedDiv(contWid, static_cast<int>(boxWid[s]));
            rows = std::min(rows, along);
            if (n == across) rows = 0;
            if (rows > 0) rows = random_.next(rows) + 1;
        }
        if (rows > 0) {
            rowGroups = core::add32(rowGroups, 1);
            const int rowEnd = s + across * rows;
            for (int b = s; b < rowEnd; ++b) rowMarker[b] = core::toI16(rowWidth);
            if (rowEnd < e) {
                rowRests = core::add32(rowRests, 1);
                const auto rest = static_cast<std::int16_t>(random_.next(5) + 5);
                for (int b = rowEnd; b < e; ++b) rowMarker[b] = rest;
            }
        } else if (randomRows) {
            const int p = random_.next(n) + s + 1;
            const auto first = static_cast<std::int16_t>(random_.next(5));
            for (int b = s; b < p; ++b) rowMarker[b] = first;
            const auto second = static_cast<std::int16_t>(random_.next(5));
            for (int b = p; b < e; ++b) rowMarker[b] = second;
        } else {
            const auto marker = static_cast<std::int16_t>(random_.next(5));
            for (int b = s; b < e; ++b) rowMarker[b] = marker;
        }
        s = e;
    }
}

} // namespace rectix::engine
