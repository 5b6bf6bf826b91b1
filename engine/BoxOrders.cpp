#include "FillEngine.h"

#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cstring>

namespace rectix::engine {

using core::toF32;

namespace {
constexpr float sortFloor = -1555555584.0f;  // start value of the descending sorts
constexpr float sortCeiling = 1555555584.0f; // start value of the ascending sort
} // namespace

void FillEngine::swapOrder(int a, int b) {
    std::swap(packingOrder[a], packingOrder[b]);
}

void FillEngine::moveOrderEntry(int target, int source) {
    const std::int16_t moving = packingOrder[source];
    for (int i = source; i > target; --i) packingOrder[i] = packingOrder[i - 1];
    packingOrder[target] = moving;
}

// The selection sort as first written: a key only wins when strictly better
// than the best so far, so among equal keys the earliest position wins.
void FillEngine::sortFamilyPlain(int first, int last, const float* keyOfBox, bool ascending) {
    for (int i = first; i <= last - 1; ++i) {
        float bestKey = ascending ? sortCeiling : sortFloor;
        int bestPos = i;
        for (int j = i; j <= last; ++j) {
            const float k = keyOfBox[packingOrder[j]];
            if (ascending ? k < bestKey : k > bestKey) {
                bestKey = k;
                bestPos = j;
            }
        }
        if (bestPos != i) moveOrderEntry(i, bestPos);
    }
}

// A stable sort gives the selection sort's result, as long as no key lies
// beyond the start value (such a key never wins there). It runs as a radix
// sort, stable by nature, on the keys' bits made to sort as unsigned words.
void FillEngine::sortFamily(int first, int last, const float* keyOfBox, bool ascending) {
    if (last - first < 1) return;
    if (first < 1 || last > maxBoxSlot) throw core::RangeError("Range check error: sort range");
    if (plainScans) {
        sortFamilyPlain(first, last, keyOfBox, ascending);
        return;
    }
    std::int16_t* order = packingOrder.data();
    const int n = last - first + 1;
    std::uint32_t* keys = sortKeys_[0].data();
    std::int16_t* boxes = sortTmp_.data();
    std::uint32_t allAnd = ~0u, allOr = 0;
    for (int j = 0; j < n; ++j) {
        float k = keyOfBox[order[first + j]];
        if (ascending ? !(k < sortCeiling) : !(k > sortFloor)) {
            sortFamilyPlain(first, last, keyOfBox, ascending);
            return;
        }
        if (k == 0.0f) k = 0.0f; // -0 sorts with +0
        std::uint32_t bits;
        std::memcpy(&bits, &k, sizeof bits);
        bits = (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
        if (!ascending) bits = ~bits;
        keys[j] = bits;
        boxes[j] = order[first + j];
        allAnd &= bits;
        allOr |= bits;
    }
    // Boxes of one run mostly lie together with one key: sorting the runs of equal
    // keys stably sorts the entries stably.
    std::int16_t* runStart = sortRunStart_.data();
    // Run borders fall irregularly: written on every step, kept where the key changes.
    runStart[0] = 0;
    int runs = 1;
    for (int j = 1; j < n; ++j) {
        runStart[runs] = static_cast<std::int16_t>(j);
        runs += keys[j] != keys[j - 1] ? 1 : 0;
    }
    runStart[runs] = static_cast<std::int16_t>(n);
    if (runs * 4 <= n) {
        std::int16_t* runOrder = sortRunOrder_.data();
        for (int r = 0; r < runs; ++r) runOrder[r] = static_cast<std::int16_t>(r);
        std::stable_sort(runOrder, runOrder + runs, [&](std::int16_t a, std::int16_t b) {
            return keys[runStart[a]] < keys[runStart[b]];
        });
        int out = first;
        for (int r = 0; r < runs; ++r)
            for (int j = runStart[runOrder[r]]; j < runStart[runOrder[r] + 1]; ++j) order[out++] = boxes[j];
        return;
    }
    std::uint32_t* keysTo = sortKeys_[1].data();
    std::int16_t* boxesTo = sortBoxes_.data();
    for (int shift = 0; shift < 32; shift += 8) {
        // A byte that all keys share leaves the order as it is.
        if (((allAnd ^ allOr) >> shift & 0xffu) == 0) continue;
        std::array<int, 257> start{};
        for (int j = 0; j < n; ++j) ++start[(keys[j] >> shift & 0xffu) + 1];
        for (int d = 1; d <= 256; ++d) start[d] += start[d - 1];
        for (int j = 0; j < n; ++j) {
            const int to = start[keys[j] >> shift & 0xffu]++;
            keysTo[to] = keys[j];
            boxesTo[to] = boxes[j];
        }
        std::swap(keys, keysTo);
        std::swap(boxes, boxesTo);
    }
    std::copy(boxes, boxes + n, order + first);
}

template <typename KeyFn> void FillEngine::sortByKeyFn(KeyFn key) {
    for (int b = 1; b <= boxN; ++b) sortKey_[b] = toF32(key(b));
    sortFamily(1, boxN, sortKey_.data());
}

void FillEngine::sortOrderByKey(int first, int last, const Box16& key) {
    for (int p = first; p <= last; ++p) {
        const int b = packingOrder[p];
        sortKey_[b] = key[b];
    }
    sortFamily(first, last, sortKey_.data());
}

void FillEngine::sortOrderByTwoKeys(const Box16& primary, const Box16& secondary) {
    sortOrderByKey(1, boxN, primary);
    int start = 1;
    while (start <= boxN) {
        int end = start;
        while (end + 1 <= boxN && primary[packingOrder[end + 1]] == primary[packingOrder[start]]) ++end;
        if (end > start) sortOrderByKey(start, end, secondary);
        start = end + 1;
    }
}

void FillEngine::sortGroupsByWidthFactor(int k) {
    sortByKeyFn([&](int b) { return static_cast<long double>(boxWid[b]) * (groupSize[b] + k); });
}

void FillEngine::sortGroupsByLengthFactor(int k) {
    sortByKeyFn([&](int b) { return static_cast<long double>(boxLen[b]) * (groupSize[b] + k); });
}

void FillEngine::sortOrderByArea() {
    sortByKeyFn([&](int b) { return static_cast<long double>(boxWid[b]) * boxLen[b]; });
}

void FillEngine::sortGroupsByAreaFactor(int k) {
    sortByKeyFn([&](int b) { return static_cast<long double>(boxWid[b]) * boxLen[b] * (groupSize[b] + k); });
}

void FillEngine::sortOrderByWeightedSides(float widthWeight, float lengthWeight) {
    sortByKeyFn([&](int b) {
        return static_cast<long double>(lengthWeight) * boxLen[b] +
               static_cast<long double>(widthWeight) * boxWid[b];
    });
}

void FillEngine::sortGroupsByWeightedSides(int k, float widthWeight, float lengthWeight) {
    sortByKeyFn([&](int b) {
        return static_cast<long double>(groupSize[b] + k) *
               (static_cast<long double>(widthWeight) * boxWid[b] +
                static_cast<long double>(lengthWeight) * boxLen[b]);
    });
}

void FillEngine::sortOrderByRowMarker() {
    sortByKeyFn([&](int b) { return static_cast<long double>(rowMarker[b]); });
}

void FillEngine::sortGroupsByAreaAndRow(int k) {
    sortByKeyFn([&](int b) {
        const long double tier = rowMarker[b] < 5 ? 0.00001L : rowMarker[b] <= 9 ? 0.001L : 1.0L;
        return static_cast<long double>(groupSize[b] + k) * boxWid[b] * boxLen[b] * tier;
    });
}

void FillEngine::sortPlacedByPosition() {
    for (int b = 1; b <= boxN; ++b) {
        const long double x = boxX[b], y = boxY[b];
        const long double key = fillDir == 1 ? 10 * x + 2 * y : fillDir == 2 ? 10 * y + 2 * x : 6 * x + 6 * y;
        sortKey_[b] = toF32(key);
    }
    sortFamily(1, boxN, sortKey_.data(), true);
}

void FillEngine::shuffleGroupsRandom() {
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e + 1 <= boxN && boxKind[e + 1] == boxKind[s] && boxWid[e + 1] == boxWid[s]) ++e;
        const float key = static_cast<float>(random_.next(999));
        for (int b = s; b <= e; ++b) sortKey_[b] = key;
        s = e + 1;
    }
    sortFamily(1, boxN, sortKey_.data());
}

void FillEngine::shuffleGroupsRandomVariant(bool plain) {
    for (int s = 1; s <= boxN;) {
        int e = s;
        while (e + 1 <= boxN && boxKind[e + 1] == boxKind[s] && rowMarker[e + 1] == rowMarker[s] &&
               boxWid[e + 1] == boxWid[s])
            ++e;
        int key;
        if (plain)
            key = random_.next(1000);
        else if (rowMarker[s] < 5)
            key = random_.next(100);
        else if (rowMarker[s] <= 9)
            key = random_.next(100) + 100;
        else
            key = random_.next(800) + 200;
        for (int b = s; b <= e; ++b) sortKey_[b] = static_cast<float>(key);
        s = e + 1;
    }
    sortFamily(1, boxN, sortKey_.data());
}

void FillEngine::swapGroupsRandom(int odds) {
    if (boxN <= 1) return;
    auto groupEnd = [&](int start) {
        const int first = packingOrder[start];
        int end = start;
        while (end + 1 <= boxN && boxKind[packingOrder[end + 1]] == boxKind[first] &&
               boxWid[packingOrder[end + 1]] == boxWid[first])
            ++end;
        return end;
    };
    int pos = 1;
    while (pos < boxN) {
        const int aEnd = groupEnd(pos);
        if (aEnd >= boxN) break;
        const int bStart = aEnd + 1;
        const int bEnd = groupEnd(bStart);
        if (random_.next(odds + 1) == 0) {
            for (int n = bStart; n <= bEnd; ++n) moveOrderEntry(pos, bEnd);
            pos = bEnd + 1;
        } else if (bEnd + 1 < boxN) {
            pos = bStart;
        } else {
            break;
        }
    }
}

void FillEngine::randomSwapOrder() {
    for (int n = 0; n < boxN; ++n) {
        const int a = random_.next(boxN) + 1;
        const int b = random_.next(boxN) + 1;
        swapOrder(a, b);
    }
}

void FillEngine::swapAtKindBorders(int odds) {
    for (int i = 1; i <= boxN - 1; ++i) {
        if (boxKind[packingOrder[i]] == boxKind[packingOrder[i + 1]]) continue;
        if (random_.next(odds + 1) == odds) swapOrder(i, i + 1);
    }
}

void FillEngine::measureGroups() {
    maxGroupSize = 1;
    for (int s = 1; s <= boxN;) {
        const int first = packingOrder[s];
        int e = s;
        while (e + 1 <= boxN) {
            const int b = packingOrder[e + 1];
            if (boxKind[b] != boxKind[first] || rowMarker[b] != rowMarker[first] ||
                boxWid[b] != boxWid[first])
                break;
            ++e;
        }
        const auto size = static_cast<std::int16_t>(e - s + 1);
        for (int p = s; p <= e; ++p) groupSize[packingOrder[p]] = size;
        if (size > maxGroupSize) maxGroupSize = size;
        s = e + 1;
    }
}

void FillEngine::measureGroupsInHandOverOrder() {
    const std::size_t bytes = sizeof(std::int16_t) * static_cast<std::size_t>(boxN);
    if (boxN > maxBoxSlot) throw core::RangeError("Range check error: box count");
    if (!plainScans && handOverBoxes_ == boxN &&
        std::memcmp(handOverKind_.data() + 1, boxKind.data() + 1, bytes) == 0 &&
        std::memcmp(handOverMarker_.data() + 1, rowMarker.data() + 1, bytes) == 0 &&
        std::memcmp(handOverWid_.data() + 1, boxWid.data() + 1, bytes) == 0) {
        std::memcpy(groupSize.data() + 1, handOverGroupSize_.data() + 1, bytes);
        maxGroupSize = handOverMaxGroup_;
        return;
    }
    measureGroups();
    handOverBoxes_ = boxN;
    std::memcpy(handOverKind_.data() + 1, boxKind.data() + 1, bytes);
    std::memcpy(handOverMarker_.data() + 1, rowMarker.data() + 1, bytes);
    std::memcpy(handOverWid_.data() + 1, boxWid.data() + 1, bytes);
    std::memcpy(handOverGroupSize_.data() + 1, groupSize.data() + 1, bytes);
    handOverMaxGroup_ = maxGroupSize;
}

} // namespace rectix::engine
