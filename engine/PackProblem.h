#pragma once

#include "Model.h"
#include "PackSolution.h"

#include <cstdint>

namespace rectix::engine {

// One packing problem in memory: the model arrays, their instances, the run
// settings and totals, and the five plans. The bridge fills it, the run works
// on it, the result pages draw from ResultSolution.
class PackProblem {
  public:
    TContTypes ContTypes;
    TBoxKinds BoxKinds;
    ContSlots16 ContInstType; // container instance -> type
    BoxSlots16 BoxInstKind;   // box instance -> kind
    ContSlots16 ContOrder;    // position -> container instance
    std::int16_t ContTypeCount = 0;
    std::int16_t BoxKindCount = 0;
    std::int16_t ContCount = 0;
    std::int16_t BoxCount = 0;

    TRunSettings Settings;
    float AreaTarget = 1.0f;
    float WeightTarget = 1.0f;
    TRunTotals Totals;
    std::int16_t VariantCount = 0;
    bool StopRun = false;

    TPackSolution StartSolution;
    TPackSolution CurrentSolution;
    TPackSolution ResultSolution;
    TPackSolution BestSolution;
    TPackSolution ReplacementSolution;

    // Resets the settings, the model arrays and the given plan (the other plans keep their contents).
    void ResetProblem(TPackSolution& plan);
    // Instances, random keys, totals and VariantCount from the model arrays.
    void PrepareInstances();

    static std::int16_t Factorial(std::int16_t n);
    // Distinct sequences of container types over the instances; stops growing at the count cap.
    std::int32_t TypeSequences() const;

    void ComputeContainerLoads(TPackSolution& plan) const;
    void CountPlacedAndUsed(const TPackSolution& plan);
    void CountSplitKinds(TPackSolution& plan) const;
    void EvaluateObjective(TPackSolution& plan) const;
    void EvaluateSolution(TPackSolution& plan, bool recount);

  private:
    void PrepareTotals();
    void PrepareVariantCount();
};

} // namespace rectix::engine
