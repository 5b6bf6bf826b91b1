#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Rounding.h"

namespace rectix::engine {

using core::fdiv;
using core::toF32;

namespace {
constexpr long double Eps = 0.00001L;
}

bool FillEngine::Overlaps(int x1, int y1, int x2, int y2, int uptoPos) const {
    const std::int16_t* order = PackingOrder.data();
    const std::int16_t* bx = BoxX.data();
    const std::int16_t* by = BoxY.data();
    const std::int16_t* bl = BoxLen.data();
    const std::int16_t* bw = BoxWid.data();
    // Touching edges are no overlap.
    return AnyEarlierPlaced(uptoPos + 1, [&](int q) {
        const int d = order[q];
        return by[d] < y2 && by[d] + bw[d] > y1 && bx[d] < x2 && bx[d] + bl[d] > x1;
    });
}

void FillEngine::NotePlaced(int pos) {
    placedCount_ += 1;
    placedPos_[placedCount_] = static_cast<std::int16_t>(pos);
    const int b = PackingOrder[pos];
    xEnds_.Set(pos, BoxX[b] + BoxLen[b]);
    yEnds_.Set(pos, BoxY[b] + BoxWid[b]);
}

void FillEngine::FindBestPosition() {
    ++Searches;
    const int box = CurBox;
    const int len = BoxLen[box], wid = BoxWid[box];
    const std::int32_t weight = BoxWeight[box];
    const int usable = Points.UsableLength();
    const float span = toF32(static_cast<long double>(usable) - NoseDist - TailDist);
    const float m0 = toF32(static_cast<long double>(Fill.FillWeight) * LoadCGX);
    const float w1 = toF32(static_cast<long double>(Fill.FillWeight) + weight);
    const float tMoment = toF32(static_cast<long double>(usable - TailDist) * w1);
    const float nMoment = toF32(static_cast<long double>(NoseDist) * w1);
    const bool supports = static_cast<long long>(ContNoseWt) + ContTailWt > 0;
    if (BoxN >= MaxBoxSlot + 1 || FillPos > BoxN) throw core::RangeError("Range check error: fill position");

    std::int32_t accepted = 0;
    for (std::int32_t i = 1; i <= Points.Count; ++i) {
        if (Points.MinLength(i) >= len || Points.MinWidth(i) >= wid) continue;
        const int x1 = Points.X(i), x2 = x1 + len;
        const int y1 = Points.Y(i), y2 = y1 + wid;
        if (supports) {
            const float m = toF32(weight * 0.5L * (x1 + x2) + m0);
            // Tail-side support over its limit, or the load over both limits: no point helps.
            if (static_cast<long double>(span) * ContTailWt < static_cast<long double>(m) - nMoment) break;
            if (static_cast<long double>(span) * (static_cast<long double>(ContNoseWt) + ContTailWt) <
                static_cast<long double>(tMoment) - nMoment)
                break;
            const int u = x2 > UsedX ? x2 : UsedX;
            // A nose-side overload that shifting into the free length behind could not cure.
            if (static_cast<long double>(span) * ContNoseWt + static_cast<long double>(usable - u) * w1 <
                static_cast<long double>(tMoment) - m)
                continue;
        }
        if (x1 < 0 || y1 < 0 || x2 > ContLength || y2 > ContWidth) continue;
        if (Overlaps(x1, y1, x2, y2, FillPos - 1)) continue;
        accepted = i;
        break;
    }
    if (accepted == 0) return;
    const std::int32_t score = core::add32(core::mul32(Points.X(accepted) + len, ScoreWX),
                                           core::mul32(Points.Y(accepted) + wid, ScoreWY));
    if (score < BestPosScore) {
        BestPosScore = score;
        ChosenLen = static_cast<std::int16_t>(len);
        ChosenWid = static_cast<std::int16_t>(wid);
        BestPoint = accepted;
    }
}

void FillEngine::ComputeAxleLoads() {
    const float span = toF32(static_cast<long double>(Points.UsableLength()) - NoseDist - TailDist);
    Fill.FillTailLoad = core::toI32(
        core::roundHalfEven(fdiv((static_cast<long double>(LoadCGX) - NoseDist) * Fill.FillWeight, span)));
    Fill.FillNoseLoad = core::checkedSub(Fill.FillWeight, Fill.FillTailLoad);
}

void FillEngine::RebalanceAxleLoads() {
    if (!(Fill.FillWeight > 0 && Fill.FillNoseLoad > ContNoseWt)) return;
    const int usable = Points.UsableLength();
    const float span = toF32(static_cast<long double>(usable) - NoseDist - TailDist);
    std::int16_t shift = core::toI16(core::roundHalfEven(
        fdiv(span, Fill.FillWeight) * (static_cast<long double>(Fill.FillNoseLoad) - ContNoseWt)));
    if (shift + UsedX > usable) shift = core::toI16(usable - UsedX);
    for (int b = 1; b <= BoxN; ++b)
        if (BoxPlaced[b] == 1) BoxX[b] = core::add16(BoxX[b], shift);
    LoadCGX = toF32(static_cast<long double>(LoadCGX) + shift);
    ComputeAxleLoads();
}

void FillEngine::UpdateUsedExtent() {
    const int b = CurBox;
    if (BoxX[b] + BoxLen[b] > UsedX) UsedX = core::add16(BoxX[b], BoxLen[b]);
    if (BoxY[b] + BoxWid[b] > UsedY) UsedY = core::add16(BoxY[b], BoxWid[b]);
    const int d = FillDir != 0 ? FillDir : WorkDir;
    UsedFraction =
        d == 2 ? toF32(fdiv(UsedY, Points.UsableWidth())) : toF32(fdiv(UsedX, Points.UsableLength()));
    Density = toF32(fdiv(fdiv(Fill.FillArea, ContArea), Eps + UsedFraction));
}

std::int16_t FillEngine::CountSplitGroups() const {
    // Boxes of a kind follow each other in hand-over order, but count by kind to rely on nothing.
    core::Slots<std::uint8_t, 0, MaxBoxSlot> seen;
    int split = 0;
    for (int b = 1; b <= BoxN; ++b) {
        std::uint8_t& s = seen[BoxKind[b]];
        const std::uint8_t bit = BoxPlaced[b] == 1 ? 1 : 2;
        if ((s | bit) == 3 && s != 3) ++split;
        s |= bit;
    }
    return static_cast<std::int16_t>(split);
}

void FillEngine::ScoreContainerLoad() {
    const TRunTotals& r = *Totals;
    const long double wf = EngWeightFactor, cf = EngCostFactor, lf = EngLeftFactor, bf = EngBindFactor;
    const float a = toF32(fdiv(Fill.FillArea, Eps + ContArea));
    const float w = toF32(fdiv(Fill.FillWeight, ContLoadWt + Eps));
    const float q = toF32((1 - wf) * a + w * wf);
    const float c = toF32(fdiv(Fill.FillCost, Eps + r.TotalBoxCost) *
                          (fdiv(r.TotalBoxArea, ContArea) + fdiv(r.TotalBoxWeight, ContLoadWt + Eps)));
    const float h = toF32(fdiv(
        2, fdiv(fdiv(ContCost, Eps + r.TotalContCost),
                fdiv(Fill.FillArea, r.TotalContArea) + fdiv(Fill.FillWeight, r.TotalCapacity + Eps) + Eps) +
               1));
    const float t = toF32((1 - 0.5L) * h + c * 0.5L);
    float score = toF32((1 - cf) * q + t * cf);
    score = toF32((1 - lf) * score + fdiv(Fill.FillCount, BoxN) * lf);
    score = toF32(fdiv(score, CountSplitGroups() * (0.2L * bf) + 1));
    Fill.FillScore = toF32(static_cast<long double>(score) * PowerF(Density, DensityExponent));
}

} // namespace rectix::engine
