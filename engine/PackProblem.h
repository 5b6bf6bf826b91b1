#pragma once

#include "Model.h"
#include "PackSolution.h"
#include "core/Random.h"

#include <cstdint>

namespace rectix::engine {

// One packing problem in memory: the model arrays, their instances, the run
// settings and totals, and the five plans. The bridge fills it, the run works
// on it, the result pages draw from resultSolution.
class PackProblem {
  public:
    ContainerTypes contTypes;
    BoxKinds boxKinds;
    ContSlots16 contInstType; // container instance -> type
    BoxSlots16 boxInstKind;   // box instance -> kind
    ContSlots16 contOrder;    // position -> container instance
    std::int16_t contTypeCount = 0;
    std::int16_t boxKindCount = 0;
    std::int16_t contCount = 0;
    std::int16_t boxCount = 0;

    RunSettings settings;
    float areaTarget = 1.0f;
    float weightTarget = 1.0f;
    RunTotals totals;
    std::int16_t variantCount = 0;
    bool stopRun = false;
    // The problem's own generator for its random keys and the run's container orders; seeded
    // before each use, so a run's draws follow from its inputs alone.
    core::Random random;

    PackSolution startSolution;
    PackSolution currentSolution;
    PackSolution resultSolution;
    PackSolution bestSolution;
    PackSolution replacementSolution;

    // Resets the settings, the model arrays and the given plan (the other plans keep their contents).
    void resetProblem(PackSolution& plan);
    // Instances, random keys, totals and variantCount from the model arrays.
    void prepareInstances();

    static std::int16_t factorial(std::int16_t n);
    // Distinct sequences of container types over the instances; stops growing at the count cap.
    std::int32_t typeSequences() const;

    void computeContainerLoads(PackSolution& plan) const;
    void countPlacedAndUsed(const PackSolution& plan);
    void countSplitKinds(PackSolution& plan) const;
    void evaluateObjective(PackSolution& plan) const;
    void evaluateSolution(PackSolution& plan, bool recount);

  private:
    void prepareTotals();
    void prepareVariantCount();
};

} // namespace rectix::engine
