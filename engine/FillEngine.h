#pragma once

#include "FillData.h"
#include "core/Random.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace rectix::engine {

class FillEngineProbe;

// The single-container engine: packs one container with the boxes handed
// over by the run, under many box orders and orientations, and keeps the best
// fill. Box numbers run 1..boxCount() in hand-over order; box slot 0 is a dummy
// box that counts as placed, at (0, 0) with zero sides.
class FillEngine : private FillData {
  public:
    using Clock = FillData::Clock;

    // One box as the run hands it over; lengths and widths include the item gap.
    struct Box {
        std::int16_t inst = 0, kind = 0, groupSize = 0, length = 0, width = 0;
        std::int32_t weight = 0;
        float area = 0, cost = 0;
        bool turnOn = false;
    };
    // The container to fill; its usable sides and support distances are net of the gaps.
    struct Container {
        std::int16_t usableLength = 0, usableWidth = 0;
        std::int32_t loadWt = 0, noseWt = 0, tailWt = 0;
        float area = 0, cost = 0;
        std::int16_t noseDist = 0, tailDist = 0, fillDir = 0;
    };
    // The task's rules and the search's budget for one fill.
    struct Settings {
        bool taskDefltOn = true, taskTurnOn = true;
        float weightFactor = 0, costFactor = 0, leftFactor = 0, bindFactor = 0;
        std::int16_t backtrack = 0, intensity = 5, seed = 1;
        double timeBudgetMs = 55000.0;
    };
    // A box of the best fill, in packing order.
    struct Placement {
        bool placed = false;
        std::int16_t inst = 0, x = 0, y = 0, length = 0, width = 0;
    };

    FillEngine();

    // The run's totals and progress window; both outlive the engine's use.
    void attach(const RunTotals& totals, Progress& progress);
    void setClock(Clock clock) { nowMs = clock; }
    double now() const { return nowMs(); }
    // Starts a run's clock for the elapsed-time label and clears the stop.
    void startRun(double startMs);
    // Set when a fill stopped on its time budget or Esc.
    bool stopped() const { return stopRun; }

    // One fill: hand over, then prepareFill() and packAllOrderings().
    void handOver(const Container& container, const Settings& settings);
    void addBox(const Box& box);
    void prepareFill();
    void packAllOrderings();

    const FillResult& result() const { return fill; }
    int boxCount() const { return boxN; }
    // The box at position i (1..boxCount()) of the packing order.
    Placement placementAt(int i) const;

    // Fills and position searches since construction, for benchmarks and tests.
    long long totalFillCount() const { return totalFills; }
    // The largest magnitude a support load reached since construction, also one too wide to keep.
    std::int64_t peakSupportLoadSeen() const { return peakSupportLoad; }
    // Scans every earlier position instead of the list of placed ones: the plain form the fast
    // one must match.
    void setPlainScans(bool plain) { plainScans = plain; }

  private:
    friend class FillEngineProbe;

    // The fill's own generator: its draws follow from the seeds the fill sets.
    core::Random random_;

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

    // Plain forms of the sorts, kept as the reference the fast forms must match.
    void sortFamilyPlain(int first, int last, const float* keyOfBox, bool ascending);

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
