#include "EngineFixtures.h"
#include "FillFixtures.h"

#include <gtest/gtest.h>

#include <random>

using namespace rectix::engine;
using namespace rectix::engine::test;

namespace {

int pick(std::mt19937& g, int lo, int hi) {
    return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
}

// Every placed box inside the usable extents, no two overlapping (item gap
// kept), weight and area within the caps.
void checkFill(const FillEngineProbe& f) {
    const int len = f.points.usableLength(), wid = f.points.usableWidth();
    std::int64_t weight = 0;
    double area = 0;
    for (int a = 1; a <= f.boxN; ++a) {
        if (f.boxPlaced[a] != 1) continue;
        weight += f.boxWeight[a];
        area += f.boxArea[a];
        ASSERT_GE(f.boxX[a], 0);
        ASSERT_GE(f.boxY[a], 0);
        ASSERT_LE(f.boxX[a] + f.boxLen[a], len);
        ASSERT_LE(f.boxY[a] + f.boxWid[a], wid);
        for (int b = a + 1; b <= f.boxN; ++b) {
            if (f.boxPlaced[b] != 1) continue;
            const bool apart = f.boxX[a] + f.boxLen[a] <= f.boxX[b] || f.boxX[b] + f.boxLen[b] <= f.boxX[a] ||
                               f.boxY[a] + f.boxWid[a] <= f.boxY[b] || f.boxY[b] + f.boxWid[b] <= f.boxY[a];
            ASSERT_TRUE(apart) << "boxes " << a << " and " << b;
        }
    }
    ASSERT_EQ(weight, f.fill.fillWeight);
    ASSERT_LE(static_cast<double>(weight), 1.001 * f.contLoadWt);
    ASSERT_LE(area, 1.001 * f.contArea + 1);
}

} // namespace

TEST(Property, EveryFillOfRandomBoxesIsFeasible) {
    std::mt19937 g(11);
    for (int round = 0; round < 300; ++round) {
        const int length = pick(g, 20, 400), width = pick(g, 20, 200);
        std::vector<FillBox> boxes;
        const int kinds = pick(g, 1, 6);
        for (int k = 1; k <= kinds; ++k) {
            const FillBox b{pick(g, 3, 80), pick(g, 3, 60), pick(g, 0, 50), k, g() % 2 == 0};
            boxes.insert(boxes.end(), static_cast<std::size_t>(pick(g, 1, 8)), b);
        }
        FillSetup s(length, width, boxes, pick(g, 50, 2000));
        auto& f = s.f;
        f.engTaskDefltOn = g() % 3 == 0;
        f.engIntensity = static_cast<std::int16_t>(pick(g, 0, 3));
        f.backtrack = static_cast<std::int16_t>(pick(g, -2, 3));
        f.fillDir = static_cast<std::int16_t>(pick(g, 0, 2));
        f.engineSeed = static_cast<std::int16_t>(round + 1);
        s.totals.totalBoxCost = 1;
        s.totals.totalContCost = 1;
        f.prepareFill();
        FillEngineProbe plain = f;
        plain.plainScans = true;
        f.packAllOrderings();
        ASSERT_NO_FATAL_FAILURE(checkFill(f)) << "round " << round;
        ASSERT_GE(f.fill.fillScore, 0);
        // The fast scans must find exactly what scanning every position finds.
        plain.packAllOrderings();
        ASSERT_EQ(plain.totalFills, f.totalFills);
        ASSERT_EQ(plain.fill.fillScore, f.fill.fillScore);
        ASSERT_EQ(plain.boxX, f.boxX);
        ASSERT_EQ(plain.boxY, f.boxY);
        ASSERT_EQ(plain.boxPlaced, f.boxPlaced);
        ASSERT_EQ(plain.packingOrder, f.packingOrder);
    }
}

TEST(Property, EveryPlanOfRandomTasksIsFeasible) {
    std::mt19937 g(5);
    for (int round = 0; round < 200; ++round) {
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        std::vector<ContRow> conts;
        const int types = pick(g, 1, 3);
        for (int t = 0; t < types; ++t) {
            ContRow c{pick(g, 100, 600),
                      pick(g, 50, 250),
                      pick(g, 200, 5000),
                      pick(g, 1, 3),
                      static_cast<float>(pick(g, 0, 90)),
                      pick(g, 0, 2)};
            if (g() % 2 == 0) {
                c.noseDL = pick(g, 0, c.length / 4);
                c.tailDL = pick(g, 0, c.length / 4);
                c.noseWt = pick(g, 100, 3000);
                c.tailWt = pick(g, 100, 3000);
            }
            conts.push_back(c);
        }
        std::vector<BoxRow> boxes;
        const int kinds = pick(g, 1, 5);
        for (int k = 0; k < kinds; ++k)
            boxes.push_back({pick(g, 10, 120), pick(g, 10, 90), pick(g, 1, 300), pick(g, 1, 8), g() % 2 == 0,
                             static_cast<float>(pick(g, 0, 20))});
        loadProblem(p, conts, boxes);
        auto& st = p.settings;
        st.intensity = static_cast<std::int16_t>(pick(g, 0, 2));
        st.itemGap = static_cast<std::int16_t>(pick(g, 0, 3));
        st.edgeGap = static_cast<std::int16_t>(pick(g, 0, 3));
        st.ignoreLast = g() % 2 == 0;
        st.weightFactor = static_cast<float>(pick(g, 0, 19)) * 0.05f;
        st.bindGroupFactor = static_cast<float>(pick(g, 0, 9)) * 0.1f;
        st.seed = static_cast<std::int16_t>(pick(g, 1, 555));
        prepareStart(p);
        run.runPacking();
        const PackSolution& r = p.resultSolution;

        int loaded = 0;
        for (int c = 1; c <= p.contCount; ++c) {
            const int t = p.contInstType[c];
            const int len = p.contTypes.length[t], wid = p.contTypes.width[t];
            std::int64_t weight = 0;
            int count = 0;
            for (int a = 1; a <= p.boxCount; ++a) {
                if (r.contNo[a] != c) continue;
                ++count;
                weight += p.boxKinds.weight[p.boxInstKind[a]];
                ASSERT_GE(r.posX[a], st.edgeGap);
                ASSERT_GE(r.posY[a], st.edgeGap);
                ASSERT_LE(r.posX[a] + r.posLh[a], len - st.edgeGap) << "round " << round;
                ASSERT_LE(r.posY[a] + r.posWh[a], wid - st.edgeGap) << "round " << round;
                for (int b = a + 1; b <= p.boxCount; ++b) {
                    if (r.contNo[b] != c) continue;
                    const int gap = st.itemGap;
                    const bool apart = r.posX[a] + r.posLh[a] + gap <= r.posX[b] ||
                                       r.posX[b] + r.posLh[b] + gap <= r.posX[a] ||
                                       r.posY[a] + r.posWh[a] + gap <= r.posY[b] ||
                                       r.posY[b] + r.posWh[b] + gap <= r.posY[a];
                    ASSERT_TRUE(apart) << "round " << round << " boxes " << a << ", " << b;
                }
            }
            ASSERT_EQ(count, r.boxLoad[c]);
            ASSERT_EQ(weight, r.wgtLoad[c]);
            ASSERT_LE(static_cast<double>(weight), 1.001 * p.contTypes.loadWt[t]);
            if (p.contTypes.noseWt[t] + p.contTypes.tailWt[t] > 0 && count > 0) {
                ASSERT_LE(r.tailLoad[c], p.contTypes.tailWt[t] + 1) << "round " << round;
            }
            loaded += count;
        }
        ASSERT_EQ(loaded, r.loadedBoxes);
    }
}
