#pragma once

#include "engine/PackProblem.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace rectix::test {

// A loaded plan in the result record, built by hand: container types and box kinds, container
// instances and boxes placed in them in loading order.
class PlanBuilder {
  public:
    engine::PackProblem problem;

    int addType(int length, int width, const std::string& mark = "C", int loadWt = 1000) {
        const auto t = ++problem.contTypeCount;
        problem.contTypes.length[t] = static_cast<std::int16_t>(length);
        problem.contTypes.width[t] = static_cast<std::int16_t>(width);
        problem.contTypes.loadWt[t] = loadWt;
        problem.contTypes.area[t] = static_cast<float>(length) * static_cast<float>(width);
        problem.contTypes.mark[t] = mark;
        return t;
    }

    int addKind(const std::string& kind, const std::string& mark, int length = 10, int width = 10,
                int weight = 1) {
        const auto k = ++problem.boxKindCount;
        problem.boxKinds.name[k] = kind;
        problem.boxKinds.mark[k] = mark;
        problem.boxKinds.length[k] = static_cast<std::int16_t>(length);
        problem.boxKinds.width[k] = static_cast<std::int16_t>(width);
        problem.boxKinds.weight[k] = weight;
        problem.boxKinds.area[k] = static_cast<float>(length) * static_cast<float>(width);
        return k;
    }

    int addContainer(int type) {
        const auto c = ++problem.contCount;
        problem.contInstType[c] = static_cast<std::int16_t>(type);
        return c;
    }

    // A box of `kind` placed in `container` at (x, y) with placed sides lh x wh; the next in the
    // container's loading order. Container 0 leaves it unplaced.
    std::int16_t addBox(int kind, int container, int x = 0, int y = 0, int lh = 10, int wh = 10) {
        engine::PackSolution& plan = problem.resultSolution;
        const auto b = ++problem.boxCount;
        problem.boxInstKind[b] = static_cast<std::int16_t>(kind);
        if (container == 0) return b;
        plan.contNo[b] = static_cast<std::int16_t>(container);
        plan.loadNo[b] = ++plan.boxLoad[container];
        plan.posX[b] = static_cast<std::int16_t>(x);
        plan.posY[b] = static_cast<std::int16_t>(y);
        plan.posLh[b] = static_cast<std::int16_t>(lh);
        plan.posWh[b] = static_cast<std::int16_t>(wh);
        return b;
    }

    // The plan's counts and fill figures, and the task totals the chart scales by.
    void finish() {
        engine::PackSolution& plan = problem.resultSolution;
        plan.usedConts = 0;
        plan.loadedBoxes = 0;
        problem.totals.maxContArea = 0;
        problem.totals.maxLoadWt = 0;
        for (int c = 1; c <= problem.contCount; ++c) {
            const auto t = problem.contInstType[c];
            problem.totals.maxContArea = std::max(problem.totals.maxContArea, problem.contTypes.area[t]);
            problem.totals.maxLoadWt = std::max(problem.totals.maxLoadWt, problem.contTypes.loadWt[t]);
            if (plan.boxLoad[c] == 0) continue;
            ++plan.usedConts;
            plan.loadedBoxes = static_cast<std::int16_t>(plan.loadedBoxes + plan.boxLoad[c]);
            float area = 0;
            for (int b = 1; b <= problem.boxCount; ++b)
                if (plan.contNo[b] == c) area += problem.boxKinds.area[problem.boxInstKind[b]];
            plan.volEff[c] = problem.contTypes.area[t] > 0 ? area / problem.contTypes.area[t] : 0;
        }
        plan.lastCont = problem.contCount;
    }
};

} // namespace rectix::test
