#pragma once

#include "CornerPoints.h"
#include "Limits.h"
#include "Model.h"
#include "PositionIndex.h"
#include "Progress.h"
#include "core/Slots.h"

#include <cstdint>

namespace rectix::engine {

// The single-container engine: packs one container with the boxes handed
// over by the run, under many box orders and orientations, and keeps the best
// fill. Box numbers run 1..BoxN in hand-over order; box slot 0 is a dummy box
// that counts as placed, at (0, 0) with zero sides.
class FillEngine {
  public:
    using Box16 = core::Slots<std::int16_t, 0, MaxBoxSlot>;
    using Box32 = core::Slots<std::int32_t, 0, MaxBoxSlot>;
    using BoxF = core::Slots<float, 0, MaxBoxSlot>;
    using BoxB = core::Slots<bool, 0, MaxBoxSlot>;
    using Clock = double (*)();

    struct TFillResult {
        float FillScore = 0;
        float FillArea = 0;
        float FillCost = 0;
        std::int32_t FillWeight = 0;
        std::int32_t FillCount = 0;
        std::int32_t FillNoseLoad = 0;
        std::int32_t FillTailLoad = 0;
    };

    FillEngine();

    // --- the run's context ----------------------------------------------------
    const TRunTotals* Totals = nullptr;
    Progress* progress = nullptr;
    Clock NowMs;
    double RunStartMs = 0;    // start of the whole run, for the elapsed-time label
    bool StopRun = false;     // set on time-out or Esc; the run reads it
    long long TotalFills = 0; // fills since construction, for benchmarks
    long long Searches = 0;   // position searches since construction
    // Scan every earlier position instead of the list of placed ones: the plain
    // form that the fast one must match.
    bool PlainScans = false;

    // --- per-box arrays ---------------------------------------------------------
    Box16 BoxLen, BoxWid, BoxX, BoxY, BoxLen0, BoxWid0, OrientLen, OrientWid;
    Box16 BoxInst, BoxKind, GroupSize, BoxPlaced, RowMarker, PackingOrder;
    Box32 BoxWeight, RunKey;
    BoxF BoxArea, BoxCost;
    BoxB BoxTurnOn;
    std::int16_t BoxN = 0;

    // Best store and ordering snapshot.
    Box16 BestX, BestY, BestLen, BestWid, BestPlaced;
    Box16 SavedOrder, SavedOrientLen, SavedOrientWid;
    std::int16_t SavedWorkDir = 0, SavedPass = 0;

    // --- the container, handed over by the run -----------------------------------
    CornerPoints Points;
    std::int32_t ContLoadWt = 0;
    float ContArea = 0;
    float ContCost = 0;
    std::int32_t ContNoseWt = 0, ContTailWt = 0;
    std::int16_t NoseDist = 0, TailDist = 0;
    std::int16_t FillDir = 0;
    bool EngTaskDefltOn = true, EngTaskTurnOn = true;
    float EngWeightFactor = 0, EngCostFactor = 0, EngLeftFactor = 0, EngBindFactor = 0;
    std::int16_t Backtrack = 0;
    std::int16_t EngIntensity = 5;
    double TimeBudgetMs = 55000.0;
    std::int16_t EngineSeed = 1;

    TFillResult Fill;
    TFillResult Best;

    // --- derived by PrepareFill --------------------------------------------------
    std::int16_t ContLength = 0, ContWidth = 0;
    bool TurnableAny = false;
    float MinBoxArea = 0;
    std::int32_t MinBoxWeight = 0;
    float SumBoxArea = 0;
    std::int16_t RefSize = 0;
    std::int16_t KindGroups = 0;
    std::int32_t PlainOrientCount = 0, OrientCheckCount = 0, OrientCount = 0;
    std::int32_t OrderCap = 0, RandomSteps = 0, FollowUpFills = 0;
    std::int16_t StrategyMode = 0, SwapOdds = 0, FirstPass = 0, LastPass = 0;
    bool RowMarkersAllowed = true, CountByRuns = true;
    float TurnThreshold = 0;
    std::int16_t MaxGroupSize = 1;

    // Constants.
    std::int32_t RowShare = 70;
    float ImproveRatio = 0.99f;
    float DensityExponent = 0.0001f;

    // --- fill state ---------------------------------------------------------------
    std::int16_t WorkDir = 1, Pass = 0;
    std::int16_t FillPos = 0, CurBox = 0, LastFailed = 0;
    float LoadCGX = 0;
    std::int16_t UsedX = 0, UsedY = 0;
    float UsedFraction = 0, Density = 1;
    std::int32_t ScoreWX = 100, ScoreWY = 1;
    std::int32_t BestPosScore = 0;
    std::int32_t BestPoint = 0;
    std::int16_t ChosenLen = 0, ChosenWid = 0;
    std::int16_t GroupCount = 0;
    std::int32_t RowGroups = 0, RowRests = 0;

    // --- small routines -------------------------------------------------------------
    static std::int16_t MinI16(std::int16_t a, std::int16_t b) { return a < b ? a : b; }
    static float PowerF(float base, float exponent);
    static std::int16_t EngineFactorial(std::int16_t n);

    void EngineReset();
    void SaveBestPlacement();
    void RestoreBestPlacement();
    void SaveOrdering();
    void RestoreOrdering();

    // Records that the box at order position pos is placed; positions come in increasing order.
    void NotePlaced(int pos);

    // --- corner points after a placement ---------------------------------------------
    void RemoveOverlappedCornerPoints(int box);
    void AddCornerPointsForBox(int pos, bool alongWidth);
    void MergeCornerPoints();

    // --- position, support loads, score -----------------------------------------------
    void FindBestPosition();
    void ComputeAxleLoads();
    void RebalanceAxleLoads();
    void UpdateUsedExtent();
    std::int16_t CountSplitGroups() const;
    void ScoreContainerLoad();

    // --- fill and its preparation -------------------------------------------------------
    void FillContainer();
    void PrepareFill();
    std::int16_t ComputeReferenceSize();

    // --- box orders ---------------------------------------------------------------------
    void SwapOrder(int a, int b);
    void MoveOrderEntry(int target, int source);
    void SortOrderByKey(int first, int last, const Box16& key);
    void SortOrderByTwoKeys(const Box16& primary, const Box16& secondary);
    void SortGroupsByWidthFactor(int k);
    void SortGroupsByLengthFactor(int k);
    void SortOrderByArea();
    void SortGroupsByAreaFactor(int k);
    void SortOrderByWeightedSides(float widthWeight, float lengthWeight);
    void SortGroupsByWeightedSides(int k, float widthWeight, float lengthWeight);
    void SortOrderByRowMarker();
    void SortGroupsByAreaAndRow(int k);
    void SortPlacedByPosition();
    void ShuffleGroupsRandom();
    void ShuffleGroupsRandomVariant(bool plain);
    void SwapGroupsRandom(int odds);
    void RandomSwapOrder();
    void SwapAtKindBorders(int odds);
    void MeasureGroups();

    // --- orientations and row markers ---------------------------------------------------
    void TurnBox(int b);
    void TurnTurnableShortFirst();
    void TurnTurnableLongFirst();
    void TurnAllTurnable();
    void TurnTowardReferenceSize(int axis);
    std::int16_t OrientationCount(int b) const;
    void RandomTurnBoxes(int odds);
    void RandomTurnGroups(int leastAcross);
    void ClearRowMarkers();
    void AssignRowMarkers(int leastAcross, bool randomRows);

    // --- the multi-start driver -----------------------------------------------------------
    void PackAllOrderings();

    // Plain forms of the sorts, kept as the reference the fast forms must match.
    void SortFamilyPlain(int first, int last, const float* keyOfBox, bool ascending);

  private:
    // Stable sort of positions first..last by a key per box number (descending unless ascending).
    void SortFamily(int first, int last, const float* keyOfBox, bool ascending = false);
    template <typename KeyFn> void SortByKeyFn(KeyFn key);
    bool Overlaps(int x1, int y1, int x2, int y2, int uptoPos) const;
    void PlaceCurrentBox();
    void TakeOutIncompleteGroup();

    // Driver pieces.
    struct Driver;
    void ApplyOrientationRule(int orientIdx);
    void ApplyStrategy(int s, int i);
    void ApplyRowTable(int orderIdx);
    bool ProgressStep(Driver& d);

    // Positions of the placed boxes of the current fill, in increasing order
    // (entries whose box was taken out again are skipped by the readers).
    Box16 placedPos_;
    int placedCount_ = 0;
    // Far X and far Y edges of the placed boxes by position.
    PositionIndex xEnds_, yEnds_;
    // Calls fn(position) for every earlier position that may hold a placed box.
    template <typename Fn> bool AnyEarlierPlaced(int beforePos, Fn fn) const;

    BoxF sortKey_;
    core::Slots<std::int16_t, 0, MaxBoxSlot> sortTmp_;
};

template <typename Fn> bool FillEngine::AnyEarlierPlaced(int beforePos, Fn fn) const {
    const std::int16_t* order = PackingOrder.data();
    const std::int16_t* placed = BoxPlaced.data();
    if (beforePos > MaxBoxSlot + 1) throw core::RangeError("Range check error: order position");
    if (PlainScans) {
        for (int q = 1; q < beforePos; ++q)
            if (placed[order[q]] == 1 && fn(q)) return true;
        return false;
    }
    const std::int16_t* positions = placedPos_.data();
    for (int i = 1; i <= placedCount_ && positions[i] < beforePos; ++i) {
        const int q = positions[i];
        if (placed[order[q]] == 1 && fn(q)) return true;
    }
    return false;
}

} // namespace rectix::engine
