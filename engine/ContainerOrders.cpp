#include "ContainerOrders.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

using core::toF32;
using core::toI16;

void ContainerOrders::clear() {
    variantNo = skippedOrders = orderProgress = 0;
    sig1_.fill(0);
    sig2_.fill(0);
}

void ContainerOrders::moveContainerInOrder(int to, int from) {
    auto& order = p_.contOrder;
    const std::int16_t moving = order[from];
    for (int i = from; i > to; --i) order[i] = order[i - 1];
    order[to] = moving;
}

// Stable selection sort over positions 1..contCount: among equal keys the
// position earliest in the current order wins.
template <typename KeyFn> void ContainerOrders::selectionSort(float start, bool ascending, KeyFn key) {
    for (int pos = 1; pos <= p_.contCount - 1; ++pos) {
        float best = start;
        int bestPos = pos;
        for (int q = pos; q <= p_.contCount; ++q) {
            const float k = key(p_.contOrder[q]);
            if (ascending ? k < best : k > best) {
                best = k;
                bestPos = q;
            }
        }
        if (bestPos != pos) moveContainerInOrder(pos, bestPos);
    }
}

void ContainerOrders::sortContainersByArea(int a, float param) {
    const auto& t = p_.contTypes;
    selectionSort(-1e24f, false, [&](int c) {
        const int ty = p_.contInstType[c];
        return toF32(static_cast<long double>(t.area[ty]) * (t.area[ty] - static_cast<long double>(param)) *
                     (t.avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::sortContainersByCapacity(int a, float param) {
    const auto& t = p_.contTypes;
    selectionSort(-1e24f, false, [&](int c) {
        const int ty = p_.contInstType[c];
        return toF32(static_cast<long double>(t.loadWt[ty]) *
                     (t.loadWt[ty] - static_cast<long double>(param)) *
                     (t.avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::sortContainersByCost(int a, float param) {
    const auto& t = p_.contTypes;
    selectionSort(1e24f, true, [&](int c) {
        const int ty = p_.contInstType[c];
        return toF32(static_cast<long double>(t.cost[ty]) * (t.cost[ty] - static_cast<long double>(param)) *
                     (t.avail[ty] + static_cast<long double>(a)));
    });
}

void ContainerOrders::shuffleContainersByType() {
    core::Slots<std::int16_t, 0, maxContSlot> key;
    for (int t = 1; t <= p_.contTypeCount; ++t) key[t] = toI16(p_.random.next(999));
    selectionSort(-1555555584.0f, false, [&](int c) { return static_cast<float>(key[p_.contInstType[c]]); });
}

void ContainerOrders::shuffleContainers() {
    core::Slots<std::int16_t, 0, maxContSlot> key;
    for (int c = 1; c <= p_.contCount; ++c) key[c] = toI16(p_.random.next(999));
    selectionSort(-1555555584.0f, false, [&](int c) { return static_cast<float>(key[c]); });
}

void ContainerOrders::randomContainerOrder() {
    const int h = (variantNo + 1) / 2;
    if (h % 2 == 0)
        shuffleContainers();
    else
        shuffleContainersByType();
}

void ContainerOrders::sortBy(Sort kind, int a) {
    switch (kind) {
    case Sort::Area:
        sortContainersByArea(a, areaP_);
        break;
    case Sort::Capacity:
        sortContainersByCapacity(a, capP_);
        break;
    case Sort::Cost:
        sortContainersByCost(a, costP_);
        break;
    }
}

void ContainerOrders::applyTableRow(int variant) {
    const int m = p_.totals.maxAvail;
    const auto& s = p_.settings;
    enum Table { AreaT, WeightT, CostT };
    const Table table = s.costFactor >= 0.5f ? CostT : s.weightFactor >= 0.5f ? WeightT : AreaT;
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
    sortBy(row.sort[table], row.a[table]);
}

bool ContainerOrders::nextContainerOrder() {
    while (variantNo <= maxVariantNo) {
        const int vc = p_.variantCount;
        orderProgress = vc == 0 ? 0 : toI16(core::roundHalfEven(core::fdiv(variantNo, vc) * 80));
        const int progress = orderProgress + 20;
        capP_ = toF32(core::fdiv(p_.totals.meanCapacity, 100) * progress);
        areaP_ = toF32(core::fdiv(p_.totals.meanContArea, 100) * progress);
        costP_ = toF32(core::fdiv(p_.totals.meanContCost, 100) * progress);

        if (PackProblem::factorial(p_.contTypeCount) <= variantNo - skippedOrders)
            shuffleContainers();
        else if (variantNo % 2 == 0 && variantNo <= 16)
            applyTableRow(variantNo);
        else
            randomContainerOrder();

        // orders that differ only by exchanging instances of one type share a signature.
        std::int32_t s1 = 0, s2 = 0;
        for (int pos = 1; pos <= p_.contCount; ++pos) {
            const std::int32_t key = p_.contTypes.randKey[p_.contInstType[p_.contOrder[pos]]];
            s1 = core::add32(
                s1, core::toI32(core::roundHalfEven(std::sqrt(static_cast<long double>(pos)) * key)));
            s2 = core::add32(s2, core::mul32(key, pos));
        }
        const int j0 = variantNo - skippedOrders;
        sig1_[j0] = s1;
        sig2_[j0] = s2;
        int j = 0;
        while (sig1_[j] != s1 || sig2_[j] != s2) ++j;
        if (j >= j0) return true;
        variantNo = toI16(variantNo + 1);
        skippedOrders = toI16(skippedOrders + 1);
    }
    return false;
}

} // namespace rectix::engine
