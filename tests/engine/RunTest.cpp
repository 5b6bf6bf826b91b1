#include "EngineFixtures.h"
#include "FillEngineProbe.h"

#include "engine/Progress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

// Presses Esc when the window has been let through a given number of times.
class EscAfter : public NullProgress {
  public:
    explicit EscAfter(int calls) : left_(calls) {}
    void processMessages() override {
        if (--left_ == 0) setEscPressed(true);
    }
    std::vector<RunPhase> phases;
    void setPhase(RunPhase phase) override { phases.push_back(phase); }

  private:
    int left_;
};

struct Solve {
    PackProblem p;
    NullProgress progress;
    PackRun run{p, progress};
    Solve(const std::vector<ContRow>& conts, const std::vector<BoxRow>& boxes, int intensity = 3) {
        loadProblem(p, conts, boxes);
        p.settings.intensity = static_cast<std::int16_t>(intensity);
        p.settings.timeLimitMs = 60000;
    }
    const PackSolution& go() {
        prepareStart(p);
        run.runPacking();
        return p.resultSolution;
    }
};

const std::vector<ContRow> trucks = {{1200, 240, 20000, 2, 100, 1}, {800, 240, 12000, 2, 60, 1}};
const std::vector<BoxRow> pallets = {{120, 80, 500, 14}, {120, 100, 700, 6}, {60, 40, 90, 11, false}};

} // namespace

TEST(Run, ARunWithinItsLimitGivesTheSamePlanTwice) {
    Solve a(trucks, pallets);
    Solve b(trucks, pallets);
    const PackSolution& ra = a.go();
    const PackSolution& rb = b.go();
    EXPECT_FALSE(a.p.stopRun);
    EXPECT_GT(ra.score, 0);
    EXPECT_EQ(ra, rb);
    EXPECT_EQ(a.run.fillEngine().totalFillCount(), b.run.fillEngine().totalFillCount());
}

TEST(Run, EscStopsTheRunAndKeepsTheBestPlanSoFar) {
    PackProblem p;
    EscAfter progress(5);
    PackRun run(p, progress);
    loadProblem(p, trucks, pallets);
    p.settings.intensity = 20;
    prepareStart(p);
    run.runPacking();
    EXPECT_TRUE(p.stopRun);
    EXPECT_TRUE(progress.escPressed());
    EXPECT_EQ(progress.phases,
              (std::vector<RunPhase>{RunPhase::Packing, RunPhase::Stopping, RunPhase::Finished}));
    EXPECT_GT(p.resultSolution.loadedBoxes, 0);
    EXPECT_EQ(p.resultSolution.score, p.bestSolution.score);
}

TEST(Run, AnEscPressedBeforeTheRunDoesNotAbortIt) {
    Solve s({{100, 100, 1000, 1}}, {{50, 50, 1, 4}});
    s.progress.setEscPressed(true);
    s.go();
    EXPECT_FALSE(s.p.stopRun);
    EXPECT_EQ(s.p.resultSolution.loadedBoxes, 4);
}

TEST(Run, FixedContainersHoldingEveryBoxLeaveTheStartPlan) {
    Solve s({{100, 100, 1000, 2}}, {{50, 50, 1, 2}});
    prepareStart(s.p);
    auto& st = s.p.startSolution;
    st.fixCont[1] = true;
    for (int b = 1; b <= 2; ++b) {
        st.contNo[b] = 1;
        st.loadNo[b] = static_cast<std::int16_t>(b);
        st.posX[b] = static_cast<std::int16_t>(50 * (b - 1));
        st.posLh[b] = st.posWh[b] = 50;
    }
    s.p.computeContainerLoads(st);
    s.p.countPlacedAndUsed(st);
    s.p.evaluateSolution(st, false);
    s.run.runPacking();
    EXPECT_EQ(s.run.engineCalls, 0);
    EXPECT_EQ(s.p.resultSolution, st);
}

TEST(Run, IgnoreLastContainerDropsAWeakLastContainer) {
    Solve s({{100, 100, 1000, 2}}, {{50, 50, 1, 5, false}});
    const auto& r = s.go();
    EXPECT_GT(r.lastCont, 500);
    EXPECT_EQ(r.loadedBoxes, 4);
    EXPECT_EQ(r.usedConts, 1);
    EXPECT_FLOAT_EQ(r.areaFill, 1.0f);
    int unplaced = 0;
    for (int b = 1; b <= 5; ++b) unplaced += r.contNo[b] == 0;
    EXPECT_EQ(unplaced, 1);
}

TEST(Run, AReplacementMustTakeEveryRemainingBoxAndScoreBetter) {
    {
        // The big container completes the plan first; the small one takes the box and fills better.
        Solve s({{100, 100, 1000, 1}, {60, 60, 1000, 1}}, {{50, 50, 1, 1, false}});
        s.p.settings.ignoreLast = false;
        const auto& r = s.go();
        EXPECT_EQ(r.usedConts, 1);
        EXPECT_EQ(r.contNo[1], 2);
    }
    {
        // The small one cannot take both boxes, so the plan with the big one stands.
        Solve s({{100, 100, 1000, 1}, {60, 60, 1000, 1}}, {{50, 50, 1, 2, false}});
        s.p.settings.ignoreLast = false;
        const auto& r = s.go();
        EXPECT_EQ(r.usedConts, 1);
        EXPECT_EQ(r.contNo[1], 1);
        EXPECT_EQ(r.contNo[2], 1);
    }
}

TEST(Run, TheFillBudgetIsTheTimeLeftDoubledWhenOtherContainersMayFollow) {
    SteppingClock::now = 0;
    SteppingClock::step = 0; // time stands still: the time left is the whole limit
    for (int avail : {1, 3}) {
        Solve s({{100, 100, 1000, avail}}, {{50, 50, 1, 5}});
        s.run.fillEngine().setClock(&SteppingClock::read);
        s.go();
        EXPECT_DOUBLE_EQ(FillEngineProbe::state(s.run.fillEngine()).timeBudgetMs,
                         avail == 1 ? 60000.0 : 120000.0)
            << avail;
    }
}

TEST(Run, TimeLimitStopsTheRun) {
    SteppingClock::now = 0;
    SteppingClock::step = 50; // every reading of the clock moves it 50 ms on
    Solve s(trucks, pallets, 20);
    s.p.settings.timeLimitMs = 5000;
    s.run.fillEngine().setClock(&SteppingClock::read);
    s.go();
    EXPECT_TRUE(s.p.stopRun);
    EXPECT_GT(s.p.resultSolution.loadedBoxes, 0);
}

TEST(Run, OneKindThatMayNotTurnFillsOneOrderingPerDirection) {
    Solve s({{100, 40, 100000, 1}}, {{10, 10, 1, 12, false}});
    s.p.settings.taskDefltOn = false;
    s.go();
    const FillData& f = FillEngineProbe::state(s.run.fillEngine());
    // Ordering 0 with its ten improvement fills in each direction, then the random steps.
    EXPECT_EQ(f.totalFills, 2 * 11 + f.randomSteps);
}

TEST(Run, TheScoreKeepsTheBoxToContainerRatioInExtendedPrecision) {
    // Rounding the ratio to single precision moves this score by one step.
    Solve s({{100, 50, 1000, 2, 50}}, {{20, 10, 30, 4, true, 5}, {30, 20, 100, 2, true, 12}});
    auto& st = s.p.settings;
    st.seed = 1;
    st.ignoreLast = true;
    st.weightFactor = static_cast<float>(30 * 0.01L);
    st.costFactor = static_cast<float>(40 * 0.01L);
    st.leftFactor = static_cast<float>(20 * 0.01L);
    st.bindGroupFactor = static_cast<float>(1 * 0.1L);
    const float score = s.go().score;
    std::uint32_t bits;
    std::memcpy(&bits, &score, sizeof bits);
    EXPECT_EQ(bits, 0x3f1270eeu) << score;
}

TEST(Run, ALongFillLooksAtEscBeforeItEnds) {
    // Every reading of the clock is a second later, so a look is due at every chance.
    SteppingClock::now = 0;
    SteppingClock::step = 1000;
    PackProblem p;
    EscAfter progress(1);
    PackRun run(p, progress);
    run.fillEngine().setClock(&SteppingClock::read);
    loadProblem(p, {{1000, 1000, 1000000, 1}}, {{10, 10, 1, 200, false}});
    p.settings.timeLimitMs = 1e9;
    prepareStart(p);
    run.runPacking();
    // The first fill stopped after its 128th box instead of placing all 200, and is kept.
    EXPECT_TRUE(p.stopRun);
    EXPECT_EQ(run.fillEngine().totalFillCount(), 1);
    EXPECT_EQ(p.resultSolution.loadedBoxes, 128);
}
