#include "FillEngine.h"

#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>

namespace rectix::engine {

using core::toF32;

namespace {
constexpr float SortFloor = -1555555584.0f;  // start value of the descending sorts
constexpr float SortCeiling = 1555555584.0f; // start value of the ascending sort
} // namespace

void FillEngine::SwapOrder(int a, int b) {
    std::swap(PackingOrder[a], PackingOrder[b]);
}

void FillEngine::MoveOrderEntry(int target, int source) {
    const std::int16_t moving = PackingOrder[source];
    for (int i = source; i > target; --i) PackingOrder[i] = PackingOrder[i - 1];
    PackingOrder[target] = moving;
}

// The selection sort as first written: a key only wins when strictly better
// than the best so far, so among equal keys the earliest position wins.
void FillEngine::SortFamilyPlain(int first, int last, const float* keyOfBox, bool ascending) {
    for (int i = first; i <= last - 1; ++i) {
        float best = ascending ? SortCeiling : SortFloor;
        int bestPos = i;
        for (int j = i; j <= last; ++j) {
            const float k = keyOfBox[PackingOrder[j]];
            if (ascending ? k < best : k > best) {
                best = k;
                bestPos = j;
            }
        }
        if (bestPos != i) MoveOrderEntry(i, bestPos);
    }
}

// A stable sort gives the selection sort's result, as long as no key lies
// beyond the start value (such a key never wins there).
void FillEngine::SortFamily(int first, int last, const float* keyOfBox, bool ascending) {
    if (last - first < 1) return;
    if (first < 1 || last > MaxBoxSlot) throw core::RangeError("Range check error: sort range");
    std::int16_t* order = PackingOrder.data();
    for (int j = first; j <= last; ++j) {
        const float k = keyOfBox[order[j]];
        if (ascending ? k >= SortCeiling : k <= SortFloor) {
            SortFamilyPlain(first, last, keyOfBox, ascending);
            return;
        }
    }
    if (ascending)
        std::stable_sort(order + first, order + last + 1,
                         [keyOfBox](std::int16_t a, std::int16_t b) { return keyOfBox[a] < keyOfBox[b]; });
    else
        std::stable_sort(order + first, order + last + 1,
                         [keyOfBox](std::int16_t a, std::int16_t b) { return keyOfBox[a] > keyOfBox[b]; });
}

template <typename KeyFn> void FillEngine::SortByKeyFn(KeyFn key) {
    for (int b = 1; b <= BoxN; ++b) sortKey_[b] = toF32(key(b));
    SortFamily(1, BoxN, sortKey_.data());
}

void FillEngine::SortOrderByKey(int first, int last, const Box16& key) {
    for (int p = first; p <= last; ++p) {
        const int b = PackingOrder[p];
        sortKey_[b] = key[b];
    }
    SortFamily(first, last, sortKey_.data());
}

void FillEngine::SortOrderByTwoKeys(const Box16& primary, const Box16& secondary) {
    SortOrderByKey(1, BoxN, primary);
    int start = 1;
    while (start <= BoxN) {
        int end = start;
        while (end + 1 <= BoxN && primary[PackingOrder[end + 1]] == primary[PackingOrder[start]]) ++end;
        if (end > start) SortOrderByKey(start, end, secondary);
        start = end + 1;
    }
}

void FillEngine::SortGroupsByWidthFactor(int k) {
    SortByKeyFn([&](int b) { return static_cast<long double>(BoxWid[b]) * (GroupSize[b] + k); });
}

void FillEngine::SortGroupsByLengthFactor(int k) {
    SortByKeyFn([&](int b) { return static_cast<long double>(BoxLen[b]) * (GroupSize[b] + k); });
}

void FillEngine::SortOrderByArea() {
    SortByKeyFn([&](int b) { return static_cast<long double>(BoxWid[b]) * BoxLen[b]; });
}

void FillEngine::SortGroupsByAreaFactor(int k) {
    SortByKeyFn([&](int b) { return static_cast<long double>(BoxWid[b]) * BoxLen[b] * (GroupSize[b] + k); });
}

void FillEngine::SortOrderByWeightedSides(float widthWeight, float lengthWeight) {
    SortByKeyFn([&](int b) {
        return static_cast<long double>(lengthWeight) * BoxLen[b] +
               static_cast<long double>(widthWeight) * BoxWid[b];
    });
}

void FillEngine::SortGroupsByWeightedSides(int k, float widthWeight, float lengthWeight) {
    SortByKeyFn([&](int b) {
        return static_cast<long double>(GroupSize[b] + k) *
               (static_cast<long double>(widthWeight) * BoxWid[b] +
                static_cast<long double>(lengthWeight) * BoxLen[b]);
    });
}

void FillEngine::SortOrderByRowMarker() {
    SortByKeyFn([&](int b) { return static_cast<long double>(RowMarker[b]); });
}

void FillEngine::SortGroupsByAreaAndRow(int k) {
    SortByKeyFn([&](int b) {
        const long double tier = RowMarker[b] < 5 ? 0.00001L : RowMarker[b] <= 9 ? 0.001L : 1.0L;
        return static_cast<long double>(GroupSize[b] + k) * BoxWid[b] * BoxLen[b] * tier;
    });
}

void FillEngine::SortPlacedByPosition() {
    for (int b = 1; b <= BoxN; ++b) {
        const long double x = BoxX[b], y = BoxY[b];
        const long double key = FillDir == 1 ? 10 * x + 2 * y : FillDir == 2 ? 10 * y + 2 * x : 6 * x + 6 * y;
        sortKey_[b] = toF32(key);
    }
    SortFamily(1, BoxN, sortKey_.data(), true);
}

void FillEngine::ShuffleGroupsRandom() {
    for (int s = 1; s <= BoxN;) {
        int e = s;
        while (e + 1 <= BoxN && BoxKind[e + 1] == BoxKind[s] && BoxWid[e + 1] == BoxWid[s]) ++e;
        const float key = static_cast<float>(core::random(999));
        for (int b = s; b <= e; ++b) sortKey_[b] = key;
        s = e + 1;
    }
    SortFamily(1, BoxN, sortKey_.data());
}

void FillEngine::ShuffleGroupsRandomVariant(bool plain) {
    for (int s = 1; s <= BoxN;) {
        int e = s;
        while (e + 1 <= BoxN && BoxKind[e + 1] == BoxKind[s] && RowMarker[e + 1] == RowMarker[s] &&
               BoxWid[e + 1] == BoxWid[s])
            ++e;
        int key;
        if (plain)
            key = core::random(1000);
        else if (RowMarker[s] < 5)
            key = core::random(100);
        else if (RowMarker[s] <= 9)
            key = core::random(100) + 100;
        else
            key = core::random(800) + 200;
        for (int b = s; b <= e; ++b) sortKey_[b] = static_cast<float>(key);
        s = e + 1;
    }
    SortFamily(1, BoxN, sortKey_.data());
}

void FillEngine::SwapGroupsRandom(int odds) {
    if (BoxN <= 1) return;
    auto groupEnd = [&](int start) {
        const int first = PackingOrder[start];
        int end = start;
        while (end + 1 <= BoxN && BoxKind[PackingOrder[end + 1]] == BoxKind[first] &&
               BoxWid[PackingOrder[end + 1]] == BoxWid[first])
            ++end;
        return end;
    };
    int pos = 1;
    while (pos < BoxN) {
        const int aEnd = groupEnd(pos);
        if (aEnd >= BoxN) break;
        const int bStart = aEnd + 1;
        const int bEnd = groupEnd(bStart);
        if (core::random(odds + 1) == 0) {
            for (int n = bStart; n <= bEnd; ++n) MoveOrderEntry(pos, bEnd);
            pos = bEnd + 1;
        } else if (bEnd + 1 < BoxN) {
            pos = bStart;
        } else {
            break;
        }
    }
}

void FillEngine::RandomSwapOrder() {
    for (int n = 0; n < BoxN; ++n) {
        const int a = core::random(BoxN) + 1;
        const int b = core::random(BoxN) + 1;
        SwapOrder(a, b);
    }
}

void FillEngine::SwapAtKindBorders(int odds) {
    for (int i = 1; i <= BoxN - 1; ++i) {
        if (BoxKind[PackingOrder[i]] == BoxKind[PackingOrder[i + 1]]) continue;
        if (core::random(odds + 1) == odds) SwapOrder(i, i + 1);
    }
}

void FillEngine::MeasureGroups() {
    MaxGroupSize = 1;
    for (int s = 1; s <= BoxN;) {
        const int first = PackingOrder[s];
        int e = s;
        while (e + 1 <= BoxN) {
            const int b = PackingOrder[e + 1];
            if (BoxKind[b] != BoxKind[first] || RowMarker[b] != RowMarker[first] ||
                BoxWid[b] != BoxWid[first])
                break;
            ++e;
        }
        const auto size = static_cast<std::int16_t>(e - s + 1);
        for (int p = s; p <= e; ++p) GroupSize[PackingOrder[p]] = size;
        if (size > MaxGroupSize) MaxGroupSize = size;
        s = e + 1;
    }
}

} // namespace rectix::engine
