#include "FillEngine.h"

#include "core/Checked.h"
#include "core/Random.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace rectix::engine {

using core::roundHalfEven;

// Counters of one call of the driver.
struct FillEngine::Driver {
    double engineStartMs = 0;
    std::int32_t attemptCount = 0;
    std::int32_t orientIdx = 0, orientSkips = 0, orientTries = 0;
    std::int32_t orderCheckCount = 0, orderVariants = 0, orderCount = 0;
    std::int32_t rowVariants = 0, rowOrdersOn = 0;
    std::int32_t orderIdx = 0, orderSkips = 0, orderTries = 0, rowPhaseSkips = 0;
    std::int32_t improveLeft = 0, perturbLeft = 0, randomStepsLeft = 0;
    std::vector<std::int64_t> orientSig = std::vector<std::int64_t>(304);
    std::vector<std::int64_t> orderSig1 = std::vector<std::int64_t>(1203);
    std::vector<std::int64_t> orderSig2 = std::vector<std::int64_t>(1203);

    bool mainPhase(const FillEngine& f) const { return randomStepsLeft == f.RandomSteps; }
};

namespace {

std::string Seconds(double ms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", ms / 1000.0);
    return buf;
}

// Looks for value in slots 0..slot-1, the first equal slot deciding.
bool SeenBefore(const std::vector<std::int64_t>& table, std::int32_t slot, std::int64_t value) {
    for (std::int32_t j = 0; j < slot; ++j)
        if (table.at(static_cast<std::size_t>(j)) == value) return true;
    return false;
}

} // namespace

void FillEngine::ApplyOrientationRule(int orientIdx) {
    switch (orientIdx) {
    case 0:
        break;
    case 1:
        TurnTurnableShortFirst();
        break;
    case 2:
        TurnTurnableLongFirst();
        break;
    case 3:
        TurnTowardReferenceSize(2);
        break;
    case 4:
        TurnTowardReferenceSize(1);
        break;
    case 5:
        TurnAllTurnable();
        break;
    default:
        RandomTurnBoxes(1);
        break;
    }
}

void FillEngine::ApplyRowTable(int orderIdx) {
    static const int factors[] = {1, 2, 5, 10, 20};
    if (orderIdx == 0)
        SortOrderByRowMarker();
    else if (orderIdx <= 5)
        SortGroupsByAreaAndRow(factors[orderIdx - 1]);
    else
        ShuffleGroupsRandomVariant(false);
}

bool FillEngine::ProgressStep(Driver& d) {
    std::int64_t total = roundHalfEven((static_cast<long double>(d.orderCount) + OrderCap) / 2) + 1;
    total *= 2;
    if (TurnableAny) total *= static_cast<std::int64_t>(LastPass - FirstPass + 1) * (OrientCount + 1);
    const std::int64_t step = std::max<std::int64_t>(1, total / 20);
    if ((d.attemptCount - 1) % step != 0) return false;
    if (progress) {
        progress->SetProgBarYnD(static_cast<int>(roundHalfEven(core::fdiv(d.attemptCount, total) * 100)));
        progress->SetTimeLab(Seconds(NowMs() - RunStartMs) + " " + core::captionText(51));
        progress->Repaint();
        progress->ProcessMessages();
    }
    const bool esc = progress && progress->EscPressed();
    if (NowMs() >= d.engineStartMs + TimeBudgetMs || esc) {
        if (progress) {
            progress->SetWaitLab(core::captionText(55));
            progress->Repaint();
        }
        StopRun = true;
        return true;
    }
    return false;
}

void FillEngine::PackAllOrderings() {
    Driver d;
    if (progress) progress->SetProgBarYnD(0);
    WorkDir = 1;
    Points.Capacity = BoxN / 2 + 30;
    Points.SetPointCapacity(Points.Capacity + 1);
    d.randomStepsLeft = RandomSteps;
    Fill.FillScore = 0;
    SaveBestPlacement();
    d.engineStartMs = NowMs();

    // One ordering's fills: the fill itself, follow-up fills after an
    // improvement and, in the main phase, improvement fills. True on a stop.
    auto fillOrdering = [&]() {
        d.improveLeft = FollowUpFills;
        while (true) {
            MeasureGroups();
            FillContainer();
            ScoreContainerLoad();
            if (Fill.FillScore > Best.FillScore) {
                SaveOrdering();
                SaveBestPlacement();
                if (d.orderIdx != 0) d.perturbLeft = FollowUpFills;
            }
            d.attemptCount = core::add32(d.attemptCount, 1);
            if (ProgressStep(d)) return true;
            if (d.perturbLeft > 0) {
                --d.perturbLeft;
                RestoreOrdering();
                ShuffleGroupsRandomVariant(true);
                d.improveLeft = FollowUpFills;
                continue;
            }
            if (d.improveLeft > 0 &&
                Fill.FillScore > static_cast<long double>(ImproveRatio) * Best.FillScore &&
                d.mainPhase(*this)) {
                --d.improveLeft;
                BoxLen = OrientLen;
                BoxWid = OrientWid;
                ShuffleGroupsRandomVariant(true);
                continue;
            }
            return false;
        }
    };

    bool stopped = false;
    for (WorkDir = 1; WorkDir <= 2 && !stopped; ++WorkDir) {
        for (Pass = FirstPass; Pass <= LastPass && !stopped; ++Pass) {
            if (Pass > FirstPass && !TurnableAny) break;
            d.orientIdx = d.orientTries = d.orientSkips = 0;
            std::fill(d.orientSig.begin(), d.orientSig.end(), 0);
            while (!stopped) {
                core::Random::global().seed(static_cast<long long>(EngineSeed) + d.orientIdx + Pass +
                                            WorkDir + 101);
                // Orientation: skip one whose sides repeat an earlier one of the pass.
                while (true) {
                    ++d.orientTries;
                    BoxLen = BoxLen0;
                    BoxWid = BoxWid0;
                    for (int p = 1; p <= BoxN; ++p) PackingOrder[p] = static_cast<std::int16_t>(p);
                    GroupCount = KindGroups;
                    ClearRowMarkers();
                    MeasureGroups();
                    if (TurnableAny) {
                        if (d.orientIdx - d.orientSkips > PlainOrientCount) {
                            RandomTurnBoxes(1);
                            RandomTurnGroups(2);
                        } else {
                            ApplyOrientationRule(d.orientIdx);
                        }
                    }
                    const std::int32_t slot = d.orientIdx - d.orientSkips;
                    if (slot < OrientCheckCount) {
                        std::int64_t sig = 0;
                        for (int b = 1; b <= BoxN; ++b)
                            sig += roundHalfEven(core::fdiv(BoxLen[b], BoxWid[b]) * RunKey[b]);
                        d.orientSig.at(static_cast<std::size_t>(slot)) = sig;
                        if (d.orientIdx > 0 && SeenBefore(d.orientSig, slot, sig) &&
                            d.orientTries < 7 * OrientCount) {
                            ++d.orientSkips;
                            ++d.orientIdx;
                            continue;
                        }
                    }
                    break;
                }

                // Ordering counts of the orientation.
                const std::int16_t groupFact = EngineFactorial(GroupCount);
                long long checkCount = groupFact, variants = groupFact;
                long long runTally = GroupCount;
                for (int s = 1; s <= BoxN;) {
                    int e = s;
                    while (e + 1 <= BoxN && BoxKind[e + 1] == BoxKind[s] && BoxWid[e + 1] == BoxWid[s]) ++e;
                    const long long m = e - s + 1;
                    if (m >= 2) {
                        ++runTally;
                        if (checkCount < 25555)
                            checkCount =
                                m % 2 == 0 ? (runTally * checkCount) / 2 : (runTally - 1) * checkCount;
                        if (variants < 25555)
                            variants = m % 2 == 0 ? (runTally - 2) * variants * (m / 2 - 1) +
                                                        (runTally * variants) / 2
                                                  : ((runTally - 2) * (m / 2) + 1) * variants;
                    }
                    s = e + 1;
                }
                // Wide counts cannot wrap; past the cap they only need to stay large.
                d.orderCheckCount = static_cast<std::int32_t>(std::min<long long>(checkCount, INT32_MAX));
                d.orderVariants = static_cast<std::int32_t>(std::min<long long>(variants, INT32_MAX));
                ClearRowMarkers();
                d.rowVariants = 0;
                d.rowOrdersOn = 0;
                if (RowMarkersAllowed && Pass < 2) {
                    AssignRowMarkers(2, false);
                    d.rowVariants = EngineFactorial(core::toI16(RowGroups));
                    d.rowOrdersOn = (GroupCount != RowGroups || RowRests > 0) ? 1 : 0;
                }
                if (CountByRuns)
                    d.orderVariants -= 1;
                else
                    d.orderVariants = groupFact - 1 + d.rowVariants * d.rowOrdersOn;
                d.orderCount = std::min(d.orderVariants, OrderCap);
                d.rowVariants = std::min<std::int32_t>(
                    d.rowVariants,
                    core::toI32(roundHalfEven(static_cast<long double>(d.orderCount + 1) * RowShare / 100)));
                OrientLen = BoxLen;
                OrientWid = BoxWid;
                d.orderIdx = d.orderTries = d.orderSkips = d.rowPhaseSkips = 0;
                std::fill(d.orderSig1.begin(), d.orderSig1.end(), 0);
                std::fill(d.orderSig2.begin(), d.orderSig2.end(), 0);

                // Orderings of the orientation.
                while (true) {
                    while (true) {
                        ++d.orderTries;
                        BoxLen = OrientLen;
                        BoxWid = OrientWid;
                        for (int p = 1; p <= BoxN; ++p) PackingOrder[p] = static_cast<std::int16_t>(p);
                        MeasureGroups();
                        const std::int32_t k = d.orderIdx - d.orderSkips;
                        if (k >= groupFact + d.rowVariants * d.rowOrdersOn) {
                            ClearRowMarkers();
                            AssignRowMarkers(2, true);
                            MeasureGroups();
                            ShuffleGroupsRandomVariant(d.orderIdx % 2 == 1);
                        } else if (k < d.rowVariants) {
                            ApplyRowTable(d.orderIdx);
                            d.rowPhaseSkips = d.orderSkips;
                        } else {
                            ApplyStrategy(d.orderIdx - d.rowPhaseSkips - d.rowVariants, d.orderIdx);
                        }
                        if (k < d.rowVariants * d.rowOrdersOn + d.orderCheckCount) {
                            std::int64_t s1 = 0, s2 = 0;
                            for (int p = 1; p <= BoxN; ++p) {
                                const int b = PackingOrder[p];
                                if (k < d.rowVariants && RowMarker[b] < 10) continue;
                                const long double q = core::fdiv(BoxLen[b], BoxWid[b]) * RunKey[b];
                                s1 += roundHalfEven(q * p);
                                s2 += roundHalfEven(std::sqrt(static_cast<long double>(p)) * q);
                            }
                            d.orderSig1.at(static_cast<std::size_t>(k)) = s1;
                            d.orderSig2.at(static_cast<std::size_t>(k)) = s2;
                            bool dup = false;
                            for (std::int32_t j = 0; j < k && !dup; ++j)
                                dup = d.orderSig1[static_cast<std::size_t>(j)] == s1 &&
                                      d.orderSig2[static_cast<std::size_t>(j)] == s2;
                            if (d.orderIdx > 0 && dup && d.orderTries < 7 * d.orderCount) {
                                ++d.orderSkips;
                                ++d.orderIdx;
                                continue;
                            }
                        }
                        break;
                    }
                    if (fillOrdering()) {
                        stopped = true;
                        break;
                    }
                    ++d.orderIdx;
                    if (d.orderIdx - d.orderSkips > d.orderCount) {
                        --d.orderIdx;
                        break;
                    }
                }
                if (stopped) break;
                ++d.orientIdx;
                if (!(d.orientIdx - d.orientSkips <= OrientCount && TurnableAny)) {
                    --d.orientIdx;
                    break;
                }
            }
        }
    }

    // Random phase: changes of the best order.
    if (!stopped) {
        while (d.randomStepsLeft > 0 && Best.FillScore > 0) {
            --d.randomStepsLeft;
            RestoreOrdering();
            if (Backtrack != 0)
                SwapGroupsRandom(SwapOdds);
            else if (d.randomStepsLeft % 2 == 1)
                RandomSwapOrder();
            else
                SwapAtKindBorders(3);
            if (fillOrdering()) break;
        }
    }

    if (Best.FillScore > 0) {
        RestoreOrdering();
        RestoreBestPlacement();
    }
    SortPlacedByPosition();
    Points.FreePoints();
}

} // namespace rectix::engine
