#include "EngineFixtures.h"
#include "FillFixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

int Pick(std::mt19937& g, int lo, int hi) {
    return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
}

// Every placed box inside the usable extents, no two overlapping (item gap
// kept), weight and area within the caps.
void CheckFill(const FillEngine& f) {
    const int len = f.Points.UsableLength(), wid = f.Points.UsableWidth();
    std::int64_t weight = 0;
    double area = 0;
    for (int a = 1; a <= f.BoxN; ++a) {
        if (f.BoxPlaced[a] != 1) continue;
        weight += f.BoxWeight[a];
        area += f.BoxArea[a];
        ASSERT_GE(f.BoxX[a], 0);
        ASSERT_GE(f.BoxY[a], 0);
        ASSERT_LE(f.BoxX[a] + f.BoxLen[a], len);
        ASSERT_LE(f.BoxY[a] + f.BoxWid[a], wid);
        for (int b = a + 1; b <= f.BoxN; ++b) {
            if (f.BoxPlaced[b] != 1) continue;
            const bool apart = f.BoxX[a] + f.BoxLen[a] <= f.BoxX[b] || f.BoxX[b] + f.BoxLen[b] <= f.BoxX[a] ||
                               f.BoxY[a] + f.BoxWid[a] <= f.BoxY[b] || f.BoxY[b] + f.BoxWid[b] <= f.BoxY[a];
            ASSERT_TRUE(apart) << "boxes " << a << " and " << b;
        }
    }
    ASSERT_EQ(weight, f.Fill.FillWeight);
    ASSERT_LE(static_cast<double>(weight), 1.001 * f.ContLoadWt);
    ASSERT_LE(area, 1.001 * f.ContArea + 1);
}

} // namespace

TEST(Property, EveryFillOfRandomBoxesIsFeasible) {
    std::mt19937 g(11);
    for (int round = 0; round < 300; ++round) {
        const int length = Pick(g, 20, 400), width = Pick(g, 20, 200);
        std::vector<FillBox> boxes;
        const int kinds = Pick(g, 1, 6);
        for (int k = 1; k <= kinds; ++k) {
            const FillBox b{Pick(g, 3, 80), Pick(g, 3, 60), Pick(g, 0, 50), k, g() % 2 == 0};
            boxes.insert(boxes.end(), static_cast<std::size_t>(Pick(g, 1, 8)), b);
        }
        FillSetup s(length, width, boxes, Pick(g, 50, 2000));
        auto& f = s.f;
        f.EngTaskDefltOn = g() % 3 == 0;
        f.EngIntensity = static_cast<std::int16_t>(Pick(g, 0, 3));
        f.Backtrack = static_cast<std::int16_t>(Pick(g, -2, 3));
        f.FillDir = static_cast<std::int16_t>(Pick(g, 0, 2));
        f.EngineSeed = static_cast<std::int16_t>(round + 1);
        s.totals.TotalBoxCost = 1;
        s.totals.TotalContCost = 1;
        f.PrepareFill();
        FillEngine plain = f;
        plain.PlainScans = true;
        f.PackAllOrderings();
        ASSERT_NO_FATAL_FAILURE(CheckFill(f)) << "round " << round;
        ASSERT_GE(f.Fill.FillScore, 0);
        // The fast scans must find exactly what scanning every position finds.
        plain.PackAllOrderings();
        ASSERT_EQ(plain.TotalFills, f.TotalFills);
        ASSERT_EQ(plain.Fill.FillScore, f.Fill.FillScore);
        ASSERT_EQ(plain.BoxX, f.BoxX);
        ASSERT_EQ(plain.BoxY, f.BoxY);
        ASSERT_EQ(plain.BoxPlaced, f.BoxPlaced);
        ASSERT_EQ(plain.PackingOrder, f.PackingOrder);
    }
}

TEST(Property, EveryPlanOfRandomTasksIsFeasible) {
    std::mt19937 g(5);
    for (int round = 0; round < 200; ++round) {
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        std::vector<ContRow> conts;
        const int types = Pick(g, 1, 3);
        for (int t = 0; t < types; ++t) {
            ContRow c{Pick(g, 100, 600),
                      Pick(g, 50, 250),
                      Pick(g, 200, 5000),
                      Pick(g, 1, 3),
                      static_cast<float>(Pick(g, 0, 90)),
                      Pick(g, 0, 2)};
            if (g() % 2 == 0) {
                c.noseDL = Pick(g, 0, c.length / 4);
                c.tailDL = Pick(g, 0, c.length / 4);
                c.noseWt = Pick(g, 100, 3000);
                c.tailWt = Pick(g, 100, 3000);
            }
            conts.push_back(c);
        }
        std::vector<BoxRow> boxes;
        const int kinds = Pick(g, 1, 5);
        for (int k = 0; k < kinds; ++k)
            boxes.push_back({Pick(g, 10, 120), Pick(g, 10, 90), Pick(g, 1, 300), Pick(g, 1, 8), g() % 2 == 0,
                             static_cast<float>(Pick(g, 0, 20))});
        LoadProblem(p, conts, boxes);
        auto& st = p.Settings;
        st.Intensity = static_cast<std::int16_t>(Pick(g, 0, 2));
        st.ItemGap = static_cast<std::int16_t>(Pick(g, 0, 3));
        st.EdgeGap = static_cast<std::int16_t>(Pick(g, 0, 3));
        st.IgnoreLast = g() % 2 == 0;
        st.WeightFactor = static_cast<float>(Pick(g, 0, 19)) * 0.05f;
        st.BindGroupFactor = static_cast<float>(Pick(g, 0, 9)) * 0.1f;
        st.Seed = static_cast<std::int16_t>(Pick(g, 1, 555));
        PrepareStart(p);
        run.RunPacking();
        const TPackSolution& r = p.ResultSolution;

        int loaded = 0;
        for (int c = 1; c <= p.ContCount; ++c) {
            const int t = p.ContInstType[c];
            const int len = p.ContTypes.Length[t], wid = p.ContTypes.Width[t];
            std::int64_t weight = 0;
            int count = 0;
            for (int a = 1; a <= p.BoxCount; ++a) {
                if (r.ContNo[a] != c) continue;
                ++count;
                weight += p.BoxKinds.Weight[p.BoxInstKind[a]];
                ASSERT_GE(r.PosX[a], st.EdgeGap);
                ASSERT_GE(r.PosY[a], st.EdgeGap);
                ASSERT_LE(r.PosX[a] + r.PosLh[a], len - st.EdgeGap) << "round " << round;
                ASSERT_LE(r.PosY[a] + r.PosWh[a], wid - st.EdgeGap) << "round " << round;
                for (int b = a + 1; b <= p.BoxCount; ++b) {
                    if (r.ContNo[b] != c) continue;
                    const int gap = st.ItemGap;
                    const bool apart = r.PosX[a] + r.PosLh[a] + gap <= r.PosX[b] ||
                                       r.PosX[b] + r.PosLh[b] + gap <= r.PosX[a] ||
                                       r.PosY[a] + r.PosWh[a] + gap <= r.PosY[b] ||
                                       r.PosY[b] + r.PosWh[b] + gap <= r.PosY[a];
                    ASSERT_TRUE(apart) << "round " << round << " boxes " << a << ", " << b;
                }
            }
            ASSERT_EQ(count, r.BoxLoad[c]);
            ASSERT_EQ(weight, r.WgtLoad[c]);
            ASSERT_LE(static_cast<double>(weight), 1.001 * p.ContTypes.LoadWt[t]);
            if (p.ContTypes.NoseWt[t] + p.ContTypes.TailWt[t] > 0 && count > 0) {
                ASSERT_LE(r.TailLoad[c], p.ContTypes.TailWt[t] + 1) << "round " << round;
            }
            loaded += count;
        }
        ASSERT_EQ(loaded, r.LoadedBoxes);
    }
}
