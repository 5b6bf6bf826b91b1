#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <cstdlib>

namespace rectix::engine {

using core::toF32;

namespace {
constexpr long double Slack = 1.001L; // capacity caps allow a tenth of a percent over
constexpr std::int32_t NoScore = 1555555555;
} // namespace

void FillEngine::FillContainer() {
    ++TotalFills;
    // Slots above BoxN are never written after EngineReset, so they are 0 already.
    for (int b = 0; b <= BoxN; ++b) BoxPlaced[b] = BoxX[b] = BoxY[b] = 0;
    BoxPlaced[0] = 1;
    Points.ResetPoints(0, Points.Capacity);
    Points.Count = 1;
    ScoreWX = WorkDir == 1 ? 100 : 1;
    ScoreWY = WorkDir == 1 ? 1 : 100;
    FillPos = 0;
    Fill.FillArea = Fill.FillCost = 0;
    Fill.FillWeight = Fill.FillCount = Fill.FillNoseLoad = Fill.FillTailLoad = 0;
    UsedX = UsedY = 0;
    UsedFraction = 0;
    Density = 1.0f;
    LoadCGX = 0;
    LastFailed = 0;
    // Empty the edge indexes where the last fill wrote them.
    for (int i = 1; i <= placedCount_; ++i) {
        xEnds_.Set(placedPos_[i], -1);
        yEnds_.Set(placedPos_[i], -1);
    }
    placedCount_ = 0;

    while (true) {
        FillPos = core::add16(FillPos, 1);
        CurBox = PackingOrder[FillPos];
        const int cur = CurBox;
        const bool capped = static_cast<long double>(BoxWeight[cur]) + Fill.FillWeight > Slack * ContLoadWt ||
                            static_cast<long double>(Fill.FillArea) + BoxArea[cur] > Slack * ContArea;
        const bool sameAsFailed = LastFailed > 0 && BoxWid0[cur] == BoxWid0[LastFailed] &&
                                  BoxLen0[cur] == BoxLen0[LastFailed] &&
                                  BoxTurnOn[cur] == BoxTurnOn[LastFailed];
        if (BoxPlaced[cur] != 1 && !capped && !sameAsFailed) {
            BestPosScore = NoScore;
            ChosenLen = ChosenWid = 0;
            FindBestPosition();
            if (TurnableAny && BoxTurnOn[cur] && BoxLen[cur] != BoxWid[cur] &&
                ((Pass > 0 && BestPosScore == NoScore) || (Pass > 1 && UsedFraction >= TurnThreshold))) {
                TurnBox(cur);
                FindBestPosition();
            }
            const bool found = BestPosScore != NoScore;
            LastFailed = found ? 0 : CurBox;
            if (found)
                PlaceCurrentBox();
            else if (Backtrack != 0)
                TakeOutIncompleteGroup();
        }
        if (FillPos >= BoxN) break;
        if (static_cast<long double>(Fill.FillWeight) + MinBoxWeight > Slack * ContLoadWt ||
            static_cast<long double>(Fill.FillArea) + MinBoxArea > Slack * ContArea)
            break;
    }
    ComputeAxleLoads();
    if (static_cast<long long>(ContNoseWt) + ContTailWt > 0) RebalanceAxleLoads();
}

void FillEngine::PlaceCurrentBox() {
    const int b = CurBox;
    BoxLen[b] = ChosenLen;
    BoxWid[b] = ChosenWid;
    BoxX[b] = Points.X(BestPoint);
    BoxY[b] = Points.Y(BestPoint);
    BoxPlaced[b] = 1;
    const std::int32_t weight = BoxWeight[b];
    Fill.FillCount = core::add32(Fill.FillCount, 1);
    Fill.FillCost = toF32(static_cast<long double>(Fill.FillCost) + BoxCost[b]);
    Fill.FillWeight = core::add32(Fill.FillWeight, weight);
    Fill.FillArea = toF32(static_cast<long double>(Fill.FillArea) + BoxArea[b]);
    LoadCGX = toF32(core::fdiv(weight * (BoxX[b] + BoxLen[b] * 0.5L) +
                                   (static_cast<long double>(Fill.FillWeight) - weight) * LoadCGX,
                               0.00001L + Fill.FillWeight));
    UpdateUsedExtent();
    if (FillPos < BoxN) {
        Points.DeletePoint(BestPoint);
        RemoveOverlappedCornerPoints(b);
        Points.NewPointStart = Points.Count + 1;
        AddCornerPointsForBox(FillPos, false);
        AddCornerPointsForBox(FillPos, true);
        MergeCornerPoints();
    }
    NotePlaced(FillPos);
}

// A group of one kind that cannot be completed is taken out again.
void FillEngine::TakeOutIncompleteGroup() {
    const int kind = BoxKind[CurBox];
    int q = FillPos - 1;
    while (q > 0 && !(BoxKind[PackingOrder[q]] != kind && BoxPlaced[PackingOrder[q]] == 1)) --q;
    if (q == 0 && std::abs(Backtrack) <= 2) return;

    for (int pos = FillPos - 1; pos >= 1 && BoxKind[PackingOrder[pos]] == kind; --pos) {
        const int b = PackingOrder[pos];
        // Only a box that was placed has anything to give back.
        if (BoxPlaced[b] != 1) continue;
        const std::int32_t weight = BoxWeight[b];
        LoadCGX = toF32(core::fdiv(static_cast<long double>(Fill.FillWeight) * LoadCGX -
                                       weight * (BoxX[b] + BoxLen[b] * 0.5L),
                                   0.00001L + std::abs(static_cast<long double>(Fill.FillWeight) - weight)));
        Fill.FillArea = toF32(static_cast<long double>(Fill.FillArea) - BoxArea[b]);
        Fill.FillWeight = core::checkedSub(Fill.FillWeight, weight);
        Fill.FillCost = toF32(static_cast<long double>(Fill.FillCost) - BoxCost[b]);
        Fill.FillCount = core::checkedSub(Fill.FillCount, 1);
        BoxPlaced[b] = 0;
        BoxX[b] = BoxY[b] = BoxLen[b] = BoxWid[b] = 0;
        xEnds_.Set(pos, -1);
        yEnds_.Set(pos, -1);
    }
    if (Backtrack < 0) {
        FillPos = BoxN;
    } else {
        while (FillPos < BoxN && BoxKind[PackingOrder[FillPos + 1]] == kind) ++FillPos;
    }
}

} // namespace rectix::engine
