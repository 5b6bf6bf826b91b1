#include "EngineFixtures.h"

#include "core/UiTexts.h"
#include "engine/Progress.h"

#include <gtest/gtest.h>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

// Presses Esc when the window has been let through a given number of times.
class EscAfter : public NullProgress {
  public:
    explicit EscAfter(int calls) : left_(calls) {}
    void ProcessMessages() override {
        if (--left_ == 0) SetEscPressed(true);
    }
    std::string waitLab;
    void SetWaitLab(const std::string& t) override { waitLab = t; }

  private:
    int left_;
};

struct Solve {
    PackProblem p;
    NullProgress progress;
    PackRun run{p, progress};
    Solve(const std::vector<ContRow>& conts, const std::vector<BoxRow>& boxes, int intensity = 3) {
        PackRun::SetDefaultCaptions();
        LoadProblem(p, conts, boxes);
        p.Settings.Intensity = static_cast<std::int16_t>(intensity);
        p.Settings.TimeLimitMs = 60000;
    }
    const TPackSolution& Go() {
        PrepareStart(p);
        run.RunPacking();
        return p.ResultSolution;
    }
};

const std::vector<ContRow> Trucks = {{1200, 240, 20000, 2, 100, 1}, {800, 240, 12000, 2, 60, 1}};
const std::vector<BoxRow> Pallets = {{120, 80, 500, 14}, {120, 100, 700, 6}, {60, 40, 90, 11, false}};

} // namespace

TEST(Run, ARunWithinItsLimitGivesTheSamePlanTwice) {
    Solve a(Trucks, Pallets);
    Solve b(Trucks, Pallets);
    const TPackSolution& ra = a.Go();
    const TPackSolution& rb = b.Go();
    EXPECT_FALSE(a.p.StopRun);
    EXPECT_GT(ra.Score, 0);
    EXPECT_EQ(ra, rb);
    EXPECT_EQ(a.run.Engine().TotalFills, b.run.Engine().TotalFills);
}

TEST(Run, EscStopsTheRunAndKeepsTheBestPlanSoFar) {
    PackProblem p;
    EscAfter progress(5);
    PackRun run(p, progress);
    PackRun::SetDefaultCaptions();
    LoadProblem(p, Trucks, Pallets);
    p.Settings.Intensity = 20;
    PrepareStart(p);
    run.RunPacking();
    EXPECT_TRUE(p.StopRun);
    EXPECT_TRUE(progress.EscPressed());
    EXPECT_EQ(progress.waitLab, "Please wait"); // the end of the run writes it after "Aborted..."
    EXPECT_GT(p.ResultSolution.LoadedBoxes, 0);
    EXPECT_EQ(p.ResultSolution.Score, p.BestSolution.Score);
}

TEST(Run, AnEscPressedBeforeTheRunDoesNotAbortIt) {
    Solve s({{100, 100, 1000, 1}}, {{50, 50, 1, 4}});
    s.progress.SetEscPressed(true);
    s.Go();
    EXPECT_FALSE(s.p.StopRun);
    EXPECT_EQ(s.p.ResultSolution.LoadedBoxes, 4);
}

TEST(Run, FixedContainersHoldingEveryBoxLeaveTheStartPlan) {
    Solve s({{100, 100, 1000, 2}}, {{50, 50, 1, 2}});
    PrepareStart(s.p);
    auto& st = s.p.StartSolution;
    st.FixCont[1] = true;
    for (int b = 1; b <= 2; ++b) {
        st.ContNo[b] = 1;
        st.LoadNo[b] = static_cast<std::int16_t>(b);
        st.PosX[b] = static_cast<std::int16_t>(50 * (b - 1));
        st.PosLh[b] = st.PosWh[b] = 50;
    }
    s.p.ComputeContainerLoads(st);
    s.p.CountPlacedAndUsed(st);
    s.p.EvaluateSolution(st, false);
    s.run.RunPacking();
    EXPECT_EQ(s.run.EngineCalls, 0);
    EXPECT_EQ(s.p.ResultSolution, st);
}

TEST(Run, IgnoreLastContainerDropsAWeakLastContainer) {
    Solve s({{100, 100, 1000, 2}}, {{50, 50, 1, 5, false}});
    const auto& r = s.Go();
    EXPECT_GT(r.LastCont, 500);
    EXPECT_EQ(r.LoadedBoxes, 4);
    EXPECT_EQ(r.UsedConts, 1);
    EXPECT_FLOAT_EQ(r.AreaFill, 1.0f);
    int unplaced = 0;
    for (int b = 1; b <= 5; ++b) unplaced += r.ContNo[b] == 0;
    EXPECT_EQ(unplaced, 1);
}

TEST(Run, AReplacementMustTakeEveryRemainingBoxAndScoreBetter) {
    {
        // The big container completes the plan first; the small one takes the box and fills better.
        Solve s({{100, 100, 1000, 1}, {60, 60, 1000, 1}}, {{50, 50, 1, 1, false}});
        s.p.Settings.IgnoreLast = false;
        const auto& r = s.Go();
        EXPECT_EQ(r.UsedConts, 1);
        EXPECT_EQ(r.ContNo[1], 2);
    }
    {
        // The small one cannot take both boxes, so the plan with the big one stands.
        Solve s({{100, 100, 1000, 1}, {60, 60, 1000, 1}}, {{50, 50, 1, 2, false}});
        s.p.Settings.IgnoreLast = false;
        const auto& r = s.Go();
        EXPECT_EQ(r.UsedConts, 1);
        EXPECT_EQ(r.ContNo[1], 1);
        EXPECT_EQ(r.ContNo[2], 1);
    }
}

TEST(Run, TheFillBudgetNeverExceedsTheTimeLeft) {
    SteppingClock::now = 0;
    SteppingClock::step = 0; // time stands still: the budget is exactly the limit
    for (int avail : {1, 3}) {
        Solve s({{100, 100, 1000, avail}}, {{50, 50, 1, 5}});
        s.run.Engine().NowMs = &SteppingClock::Read;
        s.Go();
        EXPECT_DOUBLE_EQ(s.run.LastTimeBudgetMs, 60000.0) << avail;
    }
}

TEST(Run, TimeLimitStopsTheRun) {
    SteppingClock::now = 0;
    SteppingClock::step = 50; // every reading of the clock moves it 50 ms on
    Solve s(Trucks, Pallets, 20);
    s.p.Settings.TimeLimitMs = 5000;
    s.run.Engine().NowMs = &SteppingClock::Read;
    s.Go();
    EXPECT_TRUE(s.p.StopRun);
    EXPECT_GT(s.p.ResultSolution.LoadedBoxes, 0);
}

TEST(Run, OneKindThatMayNotTurnFillsOneOrderingPerDirection) {
    Solve s({{100, 40, 100000, 1}}, {{10, 10, 1, 12, false}});
    s.p.Settings.TaskDefltOn = false;
    s.Go();
    const FillEngine& f = s.run.Engine();
    // Ordering 0 with its ten improvement fills in each direction, then the random steps.
    EXPECT_EQ(f.TotalFills, 2 * 11 + f.RandomSteps);
}

TEST(Run, ProgressCaptionsHaveEnglishDefaults) {
    rectix::core::UiTexts::global().clear();
    PackRun::SetDefaultCaptions();
    EXPECT_EQ(rectix::core::captionText(50), "Please wait");
    EXPECT_EQ(rectix::core::captionText(55), "Aborted...");
}
