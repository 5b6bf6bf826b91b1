#pragma once

#include "BoxGrid.h"
#include "CornerPoints.h"
#include "Limits.h"
#include "Model.h"
#include "Progress.h"
#include "core/Slots.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace rectix::engine {

// The single-container engine: packs one container with the boxes handed
// over by the run, under many box orders and orientations, and keeps the best
// fill. Box numbers run 1..boxN in hand-over order; box slot 0 is a dummy box
// that counts as placed, at (0, 0) with zero sides.
class FillEngine {
  public:
    using Box16 = core::Slots<std::int16_t, 0, maxBoxSlot>;
    using Box32 = core::Slots<std::int32_t, 0, maxBoxSlot>;
    using BoxF = core::Slots<float, 0, maxBoxSlot>;
    using BoxB = core::Slots<bool, 0, maxBoxSlot>;
    using Clock = double (*)();

    struct FillResult {
        float fillScore = 0;
        float fillArea = 0;
        float fillCost = 0;
        std::int32_t fillWeight = 0;
        std::int32_t fillCount = 0;
        std::int32_t fillNoseLoad = 0;
        std::int32_t fillTailLoad = 0;
    };

    FillEngine();

    // --- the run's context ----------------------------------------------------
    const RunTotals* totals = nullptr;
    Progress* progress = nullptr;
    Clock nowMs;
    double runStartMs = 0;         // start of the whole run, for the elapsed-time label
    bool stopRun = false;          // set on time-out or Esc; the run reads it
    long long totalFills = 0;      // fills since construction, for benchmarks
    long long searches = 0;        // position searches since construction
    long long searchesSkipped = 0; // position searches known to fail without a scan
    // Scan every earlier position instead of the list of placed ones: the plain
    // form that the fast one must match.
    bool plainScans = false;

    // --- per-box arrays ---------------------------------------------------------
    Box16 boxLen, boxWid, boxX, boxY, boxLen0, boxWid0, orientLen, orientWid;
    Box16 boxInst, boxKind, groupSize, boxPlaced, rowMarker, packingOrder;
    Box32 boxWeight, runKey;
    BoxF boxArea, boxCost;
    BoxB boxTurnOn;
    std::int16_t boxN = 0;

    // best store and ordering snapshot.
    Box16 bestX, bestY, bestLen, bestWid, bestPlaced;
    Box16 savedOrder, savedOrientLen, savedOrientWid;
    std::int16_t savedWorkDir = 0, savedPass = 0;

    // --- the container, handed over by the run -----------------------------------
    CornerPoints points;
    std::int32_t contLoadWt = 0;
    float contArea = 0;
    float contCost = 0;
    std::int32_t contNoseWt = 0, contTailWt = 0;
    std::int16_t noseDist = 0, tailDist = 0;
    std::int16_t fillDir = 0;
    bool engTaskDefltOn = true, engTaskTurnOn = true;
    float engWeightFactor = 0, engCostFactor = 0, engLeftFactor = 0, engBindFactor = 0;
    std::int16_t backtrack = 0;
    std::int16_t engIntensity = 5;
    double timeBudgetMs = 55000.0;
    std::int16_t engineSeed = 1;

    FillResult fill;
    FillResult best;

    // --- derived by prepareFill --------------------------------------------------
    std::int16_t contLength = 0, contWidth = 0;
    bool turnableAny = false;
    float minBoxArea = 0;
    std::int32_t minBoxWeight = 0;
    float sumBoxArea = 0;
    std::int16_t refSize = 0;
    std::int16_t kindGroups = 0;
    std::int32_t plainOrientCount = 0, orientCheckCount = 0, orientCount = 0;
    std::int32_t orderCap = 0, randomSteps = 0, followUpFills = 0;
    // The most orientations after the first and orderings per orientation a search tries.
    static constexpr std::int32_t maxOrientCount = 301;
    static constexpr std::int32_t maxOrderCap = 1200;
    std::int16_t strategyMode = 0, swapOdds = 0, firstPass = 0, lastPass = 0;
    bool rowMarkersAllowed = true, countByRuns = true;
    float turnThreshold = 0;
    std::int16_t maxGroupSize = 1;

    // Constants.
    std::int32_t rowShare = 70;
    float improveRatio = 0.99f;
    float densityExponent = 0.0001f;

    // --- fill state ---------------------------------------------------------------
    std::int16_t workDir = 1, pass = 0;
    std::int16_t fillPos = 0, curBox = 0, lastFailed = 0;
    float loadCGX = 0;
    std::int16_t usedX = 0, usedY = 0;
    float usedFraction = 0, density = 1;
    std::int32_t scoreWX = 100, scoreWY = 1;
    std::int32_t bestPosScore = 0;
    std::int32_t bestPoint = 0;
    std::int16_t chosenLen = 0, chosenWid = 0;
    std::int16_t groupCount = 0;
    std::int32_t rowGroups = 0, rowRests = 0;

    // --- small routines -------------------------------------------------------------
    static float powerF(float base, float exponent);
    static std::int16_t engineFactorial(std::int16_t n);

    void engineReset();
    void saveBestPlacement();
    void restoreBestPlacement();
    void saveOrdering();
    void restoreOrdering();

    // Records that the box at order position pos is placed; positions come in increasing order.
    void notePlaced(int pos);

    // --- corner points after a placement ---------------------------------------------
    void removeOverlappedCornerPoints(int box);
    void addCornerPointsForBox(int pos, bool alongWidth);
    void mergeCornerPoints();
    bool coveredFast(bool alongWidth, int a, int e, std::int16_t aMin, std::int16_t bMin);

    // --- position, support loads, score -----------------------------------------------
    // Returns whether a position was found for the current box in its current turn.
    bool findBestPosition();
    // findBestPosition, unless an earlier failed search shows that it would find nothing.
    void searchUnlessCertainToFail();
    void computeAxleLoads();
    void rebalanceAxleLoads();
    void updateUsedExtent();
    std::int16_t countSplitGroups() const;
    void scoreContainerLoad();

    // --- fill and its preparation -------------------------------------------------------
    void fillContainer();
    void prepareFill();
    std::int16_t computeReferenceSize();

    // --- box orders ---------------------------------------------------------------------
    void swapOrder(int a, int b);
    void moveOrderEntry(int target, int source);
    void sortOrderByKey(int first, int last, const Box16& key);
    void sortOrderByTwoKeys(const Box16& primary, const Box16& secondary);
    void sortGroupsByWidthFactor(int k);
    void sortGroupsByLengthFactor(int k);
    void sortOrderByArea();
    void sortGroupsByAreaFactor(int k);
    void sortOrderByWeightedSides(float widthWeight, float lengthWeight);
    void sortGroupsByWeightedSides(int k, float widthWeight, float lengthWeight);
    void sortOrderByRowMarker();
    void sortGroupsByAreaAndRow(int k);
    void sortPlacedByPosition();
    void shuffleGroupsRandom();
    void shuffleGroupsRandomVariant(bool plain);
    void swapGroupsRandom(int odds);
    void randomSwapOrder();
    void swapAtKindBorders(int odds);
    void measureGroups();
    // measureGroups for the hand-over order, answered from the last such call when
    // the kinds, row markers and widths it reads are unchanged.
    void measureGroupsInHandOverOrder();

    // --- orientations and row markers ---------------------------------------------------
    void turnBox(int b);
    void turnTurnableShortFirst();
    void turnTurnableLongFirst();
    void turnAllTurnable();
    void turnTowardReferenceSize(int axis);
    std::int16_t orientationCount(int b) const;
    void randomTurnBoxes(int odds);
    void randomTurnGroups(int leastAcross);
    void clearRowMarkers();
    void assignRowMarkers(int leastAcross, bool randomRows);

    // --- the multi-start driver -----------------------------------------------------------
    void packAllOrderings();

    // Plain forms of the sorts, kept as the reference the fast forms must match.
    void sortFamilyPlain(int first, int last, const float* keyOfBox, bool ascending);

  private:
    // Stable sort of positions first..last by a key per box number (descending unless ascending).
    void sortFamily(int first, int last, const float* keyOfBox, bool ascending = false);
    template <typename KeyFn> void sortByKeyFn(KeyFn key);
    bool overlaps(int x1, int y1, int x2, int y2, int uptoPos) const;
    void placeCurrentBox();
    void takeOutIncompleteGroup();

    // The driver's steps; those returning bool return true when the search stops
    // on its time budget or Esc.
    struct Driver;
    void startSearch(Driver& d);
    bool searchDirections(Driver& d);
    bool searchOrientations(Driver& d);
    void chooseOrientation(Driver& d);
    void applyOrientationRule(int orientIdx);
    std::int64_t orientationSignature() const;
    void countOrderings(Driver& d);
    bool searchOrderings(Driver& d);
    void chooseOrdering(Driver& d);
    void applyStrategy(int s, int i);
    void applyRowTable(int orderIdx);
    std::pair<std::int64_t, std::int64_t> orderingSignatures(bool markedOnly);
    struct SignatureFactor {
        long double q = 0;
        double qNear = 0; // q rounded to double
        std::int16_t len = -1, wid = -1;
        std::int32_t key = -1;
    };
    std::vector<SignatureFactor> sigFactor_ = std::vector<SignatureFactor>(maxBoxSlot + 1);
    bool fillOrdering(Driver& d);
    bool progressStep(Driver& d);
    // Between progress steps, which can be seconds apart when fills are long,
    // the search still looks at the clock, Esc and the window's events after
    // every 100 ms of work; a look changes nothing unless it stops the search.
    // Both return true when the time budget is spent or Esc was pressed.
    bool lookAroundWhenDue();
    bool lookAround();
    static constexpr double lookIntervalMs = 100;
    bool searching_ = false;
    double searchStartMs_ = 0, lastLookMs_ = 0;
    void randomPhase(Driver& d);
    void finishSearch();

    // Position searches that failed since the fill last placed or took out a box,
    // with no load-support limits: a box at least as long and as wide fails at every
    // point where they failed for its size or place, so only the points passed over
    // for their minimums need a look. A search passing over more keeps no record.
    static constexpr int maxFailedSearches = 8, maxPassedOver = 8;
    struct FailedSearch {
        std::int16_t len = 0, wid = 0;
        int passedOverCount = 0;
        std::array<std::int32_t, maxPassedOver> passedOver{};
    };
    std::array<FailedSearch, maxFailedSearches> failed_{};
    int failedCount_ = 0;
    bool certainToFail(int len, int wid);
    void forgetFailedSearches() { failedCount_ = 0; }

    // Positions of the placed boxes of the current fill, in increasing order
    // (entries whose box was taken out again are skipped by the readers).
    Box16 placedPos_;
    int placedCount_ = 0;
    // Near and far X and Y edges of the placed boxes, by their entry in placedPos_.
    Box16 placedX_, placedY_, placedXEnd_, placedYEnd_;
    // The placed boxes by region of the container.
    BoxGrid grid_;
    int gridBoxes_ = 1;
    // Answers of the covered test of one addCornerPointsForBox call, by the point's B coordinate.
    std::vector<std::int32_t> coverStamp_, coverLow_, coverHigh_;
    std::int32_t coverCall_ = 0;
    // The box that covered the last covered point; box 0, the dummy, covers nothing.
    int lastCoverer_ = 0;
    // Calls fn(position) for every earlier position that may hold a placed box.
    template <typename Fn> bool anyEarlierPlaced(int beforePos, Fn fn) const;

    // Placed and handed-over boxes per kind, and the kinds present, kept by the fill for
    // countSplitGroups; prepareFill counts the totals.
    Box16 kindPlaced_, kindTotal_, kindList_;
    int kindListCount_ = 0;
    bool kindCountsReady_ = false;

    // The inputs and results of the last measureGroupsInHandOverOrder that measured.
    Box16 handOverKind_, handOverMarker_, handOverWid_, handOverGroupSize_;
    int handOverBoxes_ = -1;
    std::int16_t handOverMaxGroup_ = 1;

    BoxF sortKey_;
    core::Slots<std::int16_t, 0, maxBoxSlot> sortTmp_;
    core::Slots<std::int16_t, 0, maxBoxSlot> sortBoxes_;
    std::array<std::int16_t, maxBoxSlot + 2> sortRunStart_{}, sortRunOrder_{};
    std::array<std::array<std::uint32_t, maxBoxSlot + 1>, 2> sortKeys_{};
};

template <typename Fn> bool FillEngine::anyEarlierPlaced(int beforePos, Fn fn) const {
    const std::int16_t* order = packingOrder.data();
    const std::int16_t* placed = boxPlaced.data();
    if (beforePos > maxBoxSlot + 1) throw core::RangeError("Range check error: order position");
    if (plainScans) {
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
