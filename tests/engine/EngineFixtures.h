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
inline void LoadProblem(PackProblem& p, const std::vector<ContRow>& conts, const std::vector<BoxRow>& boxes) {
    p.ResetProblem(p.StartSolution);
    int t = 0;
    for (const ContRow& c : conts) {
        ++t;
        p.ContTypes.TypeID[t] = t;
        p.ContTypes.Length[t] = static_cast<std::int16_t>(c.length);
        p.ContTypes.Width[t] = static_cast<std::int16_t>(c.width);
        p.ContTypes.LoadWt[t] = c.loadWt;
        p.ContTypes.Avail[t] = static_cast<std::int16_t>(c.avail);
        p.ContTypes.Cost[t] = c.cost;
        p.ContTypes.FillDir[t] = static_cast<std::int16_t>(c.fillDir);
        p.ContTypes.NoseDL[t] = static_cast<std::int16_t>(c.noseDL);
        p.ContTypes.TailDL[t] = static_cast<std::int16_t>(c.tailDL);
        p.ContTypes.NoseWt[t] = c.noseWt;
        p.ContTypes.TailWt[t] = c.tailWt;
        p.ContTypes.Area[t] = static_cast<float>(c.length) * static_cast<float>(c.width);
    }
    p.ContTypeCount = static_cast<std::int16_t>(t);
    int k = 0;
    for (const BoxRow& b : boxes) {
        ++k;
        p.BoxKinds.KindID[k] = 100 + k;
        p.BoxKinds.Length[k] = static_cast<std::int16_t>(b.length);
        p.BoxKinds.Width[k] = static_cast<std::int16_t>(b.width);
        p.BoxKinds.Weight[k] = b.weight;
        p.BoxKinds.Total[k] = static_cast<std::int16_t>(b.total);
        p.BoxKinds.TurnOn[k] = b.turnOn;
        p.BoxKinds.Cost[k] = b.cost;
        p.BoxKinds.Area[k] = static_cast<float>(b.length) * static_cast<float>(b.width);
    }
    p.BoxKindCount = static_cast<std::int16_t>(k);
}

inline void PrepareStart(PackProblem& p) {
    p.PrepareInstances();
    p.ComputeContainerLoads(p.StartSolution);
    p.CountPlacedAndUsed(p.StartSolution);
    p.EvaluateSolution(p.StartSolution, false);
}

// A clock that advances by a fixed step on every reading, so time-outs are reproducible.
struct SteppingClock {
    static inline double now = 0;
    static inline double step = 0;
    static double Read() {
        now += step;
        return now;
    }
};

} // namespace rectix::engine::test
