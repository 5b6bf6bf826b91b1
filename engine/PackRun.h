#pragma once

#include "ContainerOrders.h"
#include "FillEngine.h"
#include "PackProblem.h"
#include "Progress.h"

#include <cstdint>
#include <string>

namespace rectix::engine {

// The time-limited search for a whole loading plan: container-order variants,
// one container after another through the single-container engine, the
// replacement of a completing container, Ignore Last Container, and the best
// plan by score. The final plan is left in the problem's ResultSolution.
class PackRun {
  public:
    PackRun(PackProblem& problem, Progress& progress);

    // Writes the English defaults of the progress captions; called once at
    // program start, before any window exists.
    static void SetDefaultCaptions();

    // Precondition: PrepareInstances has run and StartSolution is evaluated.
    void RunPacking();

    void AcceptContainerResult(TPackSolution& plan);
    void CommitContainer(TPackSolution& plan);
    void RemoveContainer(TPackSolution& plan, int c);

    FillEngine& Engine() { return fill_; }
    ContainerOrders& Orders() { return orders_; }

    std::int32_t EngineCalls = 0;
    std::int16_t FillsDone = 0;
    std::int16_t ProgressTotal = 0;
    float ContainerEstimate = 0;
    std::int16_t FixedCount = 0;
    std::int16_t ReplacePhase = 0;
    std::string LastRunSeconds;
    double StartMs = 0;

    // The budget handed to the last fill, in milliseconds.
    double LastTimeBudgetMs = 0;

  private:
    void HandOver(int c);
    bool StopTest();
    double Elapsed() const;

    PackProblem& p_;
    Progress& progress_;
    FillEngine fill_;
    ContainerOrders orders_;
    int cur_ = 0; // container being filled
    std::int32_t capacity_ = 0;
    float area_ = 0;
};

} // namespace rectix::engine
