#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

namespace rectix::engine {

using core::toF32;

void FillEngine::PrepareFill() {
    core::Random::global().seed(static_cast<long long>(EngineSeed));
    if (FillDir < 0 || FillDir > 2) FillDir = 0;
    ContLength = Points.UsableLength();
    ContWidth = Points.UsableWidth();

    if (EngTaskDefltOn) {
        for (int b = 1; b <= BoxN; ++b) BoxTurnOn[b] = EngTaskTurnOn;
    } else {
        EngTaskTurnOn = false;
        for (int b = 1; b <= BoxN; ++b) EngTaskTurnOn = EngTaskTurnOn || BoxTurnOn[b];
    }
    TurnableAny = EngTaskTurnOn;

    SumBoxArea = 0;
    MinBoxArea = 1e24f;
    MinBoxWeight = 1555555555;
    for (int b = 1; b <= BoxN; ++b) {
        SumBoxArea = toF32(static_cast<long double>(SumBoxArea) + BoxArea[b]);
        if (BoxArea[b] < MinBoxArea) MinBoxArea = BoxArea[b];
        if (BoxWeight[b] < MinBoxWeight) MinBoxWeight = BoxWeight[b];
    }
    RefSize = ComputeReferenceSize();
    if (std::abs(Backtrack) > 0) CountByRuns = false;
    if (std::abs(Backtrack) > 1) RowMarkersAllowed = false;
    for (int b = 1; b <= BoxN; ++b) {
        BoxLen0[b] = BoxLen[b];
        BoxWid0[b] = BoxWid[b];
    }

    // Runs of one kind: their count, the orientation counts and one random key per run.
    KindGroups = 0;
    PlainOrientCount = OrientCheckCount = 1;
    std::int32_t orientCombos = 1;
    const std::uint32_t boxN2 = static_cast<std::uint32_t>(BoxN) * static_cast<std::uint32_t>(BoxN);
    const std::int32_t keyRange =
        static_cast<std::int32_t>(std::min<std::uint32_t>(25555u, 1555555555u / core::checkedMul(5u, boxN2)));
    for (int s = 1; s <= BoxN;) {
        int e = s;
        while (e + 1 <= BoxN && BoxKind[e + 1] == BoxKind[s]) ++e;
        const int m = e - s + 1;
        KindGroups = core::add16(KindGroups, 1);
        if (OrientationCount(s) > 1) {
            if (PlainOrientCount < 25555) PlainOrientCount = core::mul32(PlainOrientCount, 2);
            if (orientCombos < 25555) orientCombos = core::mul32(orientCombos, m + 1);
            if (OrientCheckCount < 25555)
                OrientCheckCount = core::mul32(OrientCheckCount, m == 1 ? 2 : m % 2 == 0 ? 3 : 4);
        }
        const std::int32_t key = core::random(keyRange);
        for (int b = s; b <= e; ++b) RunKey[b] = key;
        s = e + 1;
    }
    orientCombos -= 1;
    PlainOrientCount -= 1;

    for (int p = 1; p <= BoxN; ++p) PackingOrder[p] = static_cast<std::int16_t>(p);
    PackingOrder[0] = 0;
    MeasureGroups();

    // How many boxes fit by area, roughly.
    float fitF = toF32(core::fdiv(0.95L * BoxN * ContArea, 0.00001L + SumBoxArea));
    fitF = std::min(std::max(fitF, 1.0f), static_cast<float>(BoxN));
    std::int64_t fit = core::roundHalfEven(fitF);

    StrategyMode = KindGroups > 5 ? 2 : 3;
    if (KindGroups == BoxN) StrategyMode = 1;
    TurnThreshold = StrategyMode == 1 ? 0.5f : StrategyMode == 2 ? 0.6f : 0.7f;

    SwapOdds = 4;
    if (EngIntensity > 50) EngIntensity = 50;
    FirstPass = EngIntensity <= 9 ? 1 : 0;
    LastPass = 2;

    fit = std::clamp<std::int64_t>(fit, 2, 85);
    OrderCap =
        std::max<std::int32_t>(0, core::toI32(core::roundHalfEven(
                                      (9 - std::log2(3.0L * static_cast<long double>(fit))) * EngIntensity)));
    std::int32_t b = core::toI32(core::roundHalfEven(OrderCap / 4.0L));
    const std::int32_t product = core::mul32(OrderCap + 1, b + 1);
    if (OrderCap > 1200) b = product / 1201 - 1;
    if (b > 301) {
        OrderCap = product / 302 - 1;
        b = 301;
    }
    if (b > orientCombos) {
        OrientCount = orientCombos;
        OrderCap = core::mul32(OrderCap + 1, b + 1) / (orientCombos + 1) - 1;
    } else {
        OrientCount = b;
    }
    if (OrderCap > 1200) OrderCap = 1200;
    FollowUpFills = 10;
    RandomSteps = core::mul32(core::mul32(OrderCap + 1, 10), OrientCount + 1) / 40;
}

std::int16_t FillEngine::ComputeReferenceSize() {
    // Equal side pairs cost alike: weigh each distinct pair by its count.
    std::map<std::pair<int, int>, long long> sides;
    int lo = 25555, hi = 0;
    for (int b = 1; b <= BoxN; ++b) {
        if (BoxPlaced[b] != 0) continue;
        const int w = BoxWid[b], l = BoxLen[b];
        lo = std::min({lo, w, l});
        hi = std::max({hi, w, l});
        ++sides[{w, l}];
    }
    Points.MinUsefulGap = core::toI16(lo - 1);
    long long best = 25555;
    int result = 25555;
    for (int s = lo; s <= hi; ++s) {
        long long cost = 0;
        for (const auto& [wl, n] : sides)
            cost += n * std::min(std::abs(wl.first - s), std::abs(wl.second - s));
        if (cost < best) {
            best = cost;
            result = s;
        }
    }
    return core::toI16(result);
}

} // namespace rectix::engine
