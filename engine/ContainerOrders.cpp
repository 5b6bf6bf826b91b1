#include "ContainerOrders.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

using core::toF32;
using core::toI16;

void ContainerOrders::Clear() {
    VariantNo = SkippedOrders = OrderProgress = 0;
    sig1_.fill(0);
    sig2_.fill(0);
}

void ContainerOrders::MoveContainerInOrder(int to, int from) {
    auto& order = p_.ContOrder;
    const std::int16_t moving = order[from];
    for (int i = from; i > to; --i) order[i] = order[i - 1];
    order[to] = moving;
}

// Stable selection sort over positions 1..ContCount: among equal keys the
// position earliest in the current order wins.
template <typename KeyFn> void ContainerOrders::SelectionSort(float start, bool ascending, KeyFn key) {
    for (int pos = 1; pos <= p_.ContCount - 1; ++pos) {
        float best = start;
        int bestPos = pos;
        for (int q = pos; q <= p_.ContCount; ++q) {
            const float k = key(p_.ContOrder[q]);
            if (ascending ? k < best : k > best) {
                best = k;
                bestPos = q;
            }
        }
        if (bestPos != pos) MoveContainerInOrder(pos, bestPos);
    }
}

void ContainerOrders::SortContainersByArea(int a, float param) {
    const auto& t = p_.ContTypes;
    SelectionSort(-1e24f, false, [&](int c) {
        const int ty = p_.ContInstType[c];
        return toF32(static_cast<long double>(t.Area[ty]) * (t.Area[ty] - static_cast<long double>(param)) *
                     (t.Avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::SortContainersByCapacity(int a, float param) {
    const auto& t = p_.ContTypes;
    SelectionSort(-1e24f, false, [&](int c) {
        const int ty = p_.ContInstType[c];
        return toF32(static_cast<long double>(t.LoadWt[ty]) *
                     (t.LoadWt[ty] - static_cast<long double>(param)) *
                     (t.Avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::SortContainersByCost(int a, float param) {
    const auto& t = p_.ContTypes;
    SelectionSort(1e24f, true, [&](int c) {
        const int ty = p_.ContInstType[c];
        return toF32(static_cast<long double>(t.Cost[ty]) * (t.Cost[ty] - static_cast<long double>(param)) *
                     (t.Avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::ShuffleContainersByType() {
    core::Slots<std::int16_t, 0, MaxContSlot> key;
    for (int t = 1; t <= p_.ContTypeCount; ++t) key[t] = toI16(core::random(999));
    SelectionSort(-1555555584.0f, false, [&](int c) { return static_cast<float>(key[p_.ContInstType[c]]); });
}

void ContainerOrders::ShuffleContainers() {
    core::Slots<std::int16_t, 0, MaxContSlot> key;
    for (int c = 1; c <= p_.ContCount; ++c) key[c] = toI16(core::random(999));
    SelectionSort(-1555555584.0f, false, [&](int c) { return static_cast<float>(key[c]); });
}

void ContainerOrders::RandomContainerOrder() {
    const int h = (VariantNo + 1) / 2;
    if (h % 2 == 0)
        ShuffleContainers();
    else
        ShuffleContainersByType();
}

void ContainerOrders::SortBy(Sort kind, int a) {
    switch (kind) {
    case Sort::Area:
        SortContainersByArea(a, areaP_);
        break;
    case Sort::Capacity:
        SortContainersByCapacity(a, capP_);
        break;
    case Sort::Cost:
        SortContainersByCost(a, costP_);
        break;
    }
}

void ContainerOrders::ApplyTableRow(int variant) {
    const int m = p_.Totals.MaxAvail;
    const auto& s = p_.Settings;
    enum Table { AreaT, WeightT, CostT };
    const Table table = s.CostFactor >= 0.5f ? CostT : s.WeightFactor >= 0.5f ? WeightT : AreaT;
    // Per variant number 0, 2, ..., 16: the sort of each table and its multiplier.
    struct Row {
        Sort sort[3];
        int a[3];
    };
    const Row rows[9] = {
        {{Sort::Area, Sort::Capacity, Sort::Cost}, {25 * m, 25 * m, 25 * m}},
        {{Sort::Area, Sort::Capacity, Sort::Cost}, {0, 0, 0}},
        {{Sort::Area, Sort::Capacity, Sort::Cost}, {10 * m, 10 * m, 10 * m}},
        {{Sort::Area, Sort::Capacity, Sort::Cost}, {m / 3, m / 3, m / 3}},
        {{Sort::Area, Sort::Capacity, Sort::Cost}, {5 * m, 3 * m, 3 * m}},
        {{Sort::Area, Sort::Area, Sort::Area}, {2 * m, 15 * m, 25 * m}},
        {{Sort::Capacity, Sort::Area, Sort::Capacity}, {7 * m, 0, 25 * m}},
        {{Sort::Capacity, Sort::Area, Sort::Area}, {0, 3 * m, 0}},
        {{Sort::Capacity, Sort::Area, Sort::Capacity}, {3 * m, m / 3, 0}},
    };
    const Row& row = rows[variant / 2];
    SortBy(row.sort[table], row.a[table]);
}

bool ContainerOrders::NextContainerOrder() {
    while (VariantNo <= MaxVariantNo) {
        const int vc = p_.VariantCount;
        OrderProgress = vc == 0 ? 0 : toI16(core::roundHalfEven(core::fdiv(VariantNo, vc) * 80));
        const int progress = OrderProgress + 20;
        capP_ = toF32(core::fdiv(p_.Totals.MeanCapacity, 100) * progress);
        areaP_ = toF32(core::fdiv(p_.Totals.MeanContArea, 100) * progress);
        costP_ = toF32(core::fdiv(p_.Totals.MeanContCost, 100) * progress);

        if (PackProblem::Factorial(p_.ContTypeCount) <= VariantNo - SkippedOrders)
            ShuffleContainers();
        else if (VariantNo % 2 == 0 && VariantNo <= 16)
            ApplyTableRow(VariantNo);
        else
            RandomContainerOrder();

        // Orders that differ only by exchanging instances of one type share a signature.
        std::int32_t s1 = 0, s2 = 0;
        for (int pos = 1; pos <= p_.ContCount; ++pos) {
            const std::int32_t key = p_.ContTypes.RandKey[p_.ContInstType[p_.ContOrder[pos]]];
            s1 = core::add32(
                s1, core::toI32(core::roundHalfEven(std::sqrt(static_cast<long double>(pos)) * key)));
            s2 = core::add32(s2, core::mul32(key, pos));
        }
        const int j0 = VariantNo - SkippedOrders;
        sig1_[j0] = s1;
        sig2_[j0] = s2;
        int j = 0;
        while (sig1_[j] != s1 || sig2_[j] != s2) ++j;
        if (j >= j0) return true;
        VariantNo = toI16(VariantNo + 1);
        SkippedOrders = toI16(SkippedOrders + 1);
    }
    return false;
}

} // namespace rectix::engine
