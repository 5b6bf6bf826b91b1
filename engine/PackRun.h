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
// plan by score. The final plan is left in the problem's resultSolution.
class PackRun {
  public:
    PackRun(PackProblem& problem, Progress& progress);

    // Precondition: prepareInstances has run and startSolution is evaluated.
    void runPacking();

    void acceptContainerResult(PackSolution& plan);
    void commitContainer(PackSolution& plan);
    void removeContainer(PackSolution& plan, int c);

    FillEngine& fillEngine() { return fill_; }
    ContainerOrders& orders() { return orders_; }

    std::int32_t engineCalls = 0;
    std::int16_t fillsDone = 0;
    std::int16_t progressTotal = 0;
    float containerEstimate = 0;
    std::int16_t fixedCount = 0;
    std::int16_t replacePhase = 0;
    std::string lastRunSeconds;
    double startMs = 0;

  private:
    // The state of one container loop of a variant.
    struct VariantState {
        int position = 0;   // position in the container order
        int skipType = 0;   // containers of this type are passed over
        int candidates = 0; // fills accepted as candidates in a replacement phase
        float candScore = 0, fillScore = 0;
    };

    // The run's steps; the bool ones tell whether the loop over variants goes on or ends.
    void showRunStart();
    void startRun();
    void estimateContainers();
    bool startVariant();
    void fillContainersInOrder();
    void fillContainer(int c);
    void takeFill();
    void startReplacement();
    bool continuesReplacement();
    void dropWeakLastContainer();
    bool endsAfterVariant();
    void finishRun();

    void handOver(int c);
    bool stopTest();

    PackProblem& p_;
    Progress& progress_;
    FillEngine fill_;
    ContainerOrders orders_;
    int cur_ = 0; // container being filled
    VariantState v_;
    std::int32_t capacity_ = 0;
    float area_ = 0;
};

} // namespace rectix::engine
