#pragma once

#include "engine/PackProblem.h"
#include "engine/PackRun.h"

#include <cstdint>
#include <vector>

namespace rectix::engine::test {

struct ContRow {
    int length, width, loadWt, avail;
    float cost = 0;
    int fillDir = 0;
    int noseDL = 0, tailDL = 0, noseWt = 0, tailWt = 0;
};

struct BoxRow {
    int length, width, weight, total;
    bool turnOn = true;
    float cost = 0;
};

// Fills the model arrays as the bridge reads a task, with every setting at its reset value.
inline void loadProblem(PackProblem& p, const std::vector<ContRow>& conts, const std::vector<BoxRow>& boxes) {
    p.resetProblem(p.startSolution);
    int t = 0;
    for (const ContRow& c : conts) {
        ++t;
        p.contTypes.typeID[t] = t;
        p.contTypes.length[t] = static_cast<std::int16_t>(c.length);
        p.contTypes.width[t] = static_cast<std::int16_t>(c.width);
        p.contTypes.loadWt[t] = c.loadWt;
        p.contTypes.avail[t] = static_cast<std::int16_t>(c.avail);
        p.contTypes.cost[t] = c.cost;
        p.contTypes.fillDir[t] = static_cast<std::int16_t>(c.fillDir);
        p.contTypes.noseDL[t] = static_cast<std::int16_t>(c.noseDL);
        p.contTypes.tailDL[t] = static_cast<std::int16_t>(c.tailDL);
        p.contTypes.noseWt[t] = c.noseWt;
        p.contTypes.tailWt[t] = c.tailWt;
        p.contTypes.area[t] = static_cast<float>(c.length) * static_cast<float>(c.width);
    }
    p.contTypeCount = static_cast<std::int16_t>(t);
    int k = 0;
    for (const BoxRow& b : boxes) {
        ++k;
        p.boxKinds.kindID[k] = 100 + k;
        p.boxKinds.length[k] = static_cast<std::int16_t>(b.length);
        p.boxKinds.width[k] = static_cast<std::int16_t>(b.width);
        p.boxKinds.weight[k] = b.weight;
        p.boxKinds.total[k] = static_cast<std::int16_t>(b.total);
        p.boxKinds.turnOn[k] = b.turnOn;
        p.boxKinds.cost[k] = b.cost;
        p.boxKinds.area[k] = static_cast<float>(b.length) * static_cast<float>(b.width);
    }
    p.boxKindCount = static_cast<std::int16_t>(k);
}

inline void prepareStart(PackProblem& p) {
    p.prepareInstances();
    p.computeContainerLoads(p.startSolution);
    p.countPlacedAndUsed(p.startSolution);
    p.evaluateSolution(p.startSolution, false);
}

// A clock that advances by a fixed step on every reading, so time-outs are reproducible.
struct SteppingClock {
    static inline double now = 0;
    static inline double step = 0;
    static double read() {
        now += step;
        return now;
    }
};

} // namespace rectix::engine::test
