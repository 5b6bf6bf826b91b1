#pragma once

#include "PackProblem.h"
#include "core/Slots.h"

#include <cstdint>

namespace rectix::engine {

// The container orders of a run: deterministic sorts of the container
// instances, random orders, and the choice of one order per variant with the
// skip of a type sequence already tried in the run. Works on the problem's contOrder.
class ContainerOrders {
  public:
    explicit ContainerOrders(PackProblem& problem) : p_(problem) {}

    std::int16_t variantNo = 0;
    std::int16_t skippedOrders = 0;
    std::int16_t orderProgress = 0;

    // Clears the counters and the signature table at the start of a run.
    void clear();

    void moveContainerInOrder(int to, int from);
    void sortContainersByArea(int a, float param);
    void sortContainersByCapacity(int a, float param);
    void sortContainersByCost(int a, float param);
    void shuffleContainersByType();
    void shuffleContainers();
    void randomContainerOrder();

    // Makes the order of the current variant from contOrder as the run set it.
    // Returns false when the variant number reaches maxVariantNo without a new
    // type sequence (keys that collide make some sequences unreachable, and the
    // progress figure would leave its range): the run then ends.
    bool nextContainerOrder();

    static constexpr int maxVariantNo = 400;

  private:
    enum class Sort { Area, Capacity, Cost };
    template <typename KeyFn> void selectionSort(float start, bool ascending, KeyFn key);
    void sortBy(Sort kind, int a);
    void applyTableRow(int variant);

    PackProblem& p_;
    float areaP_ = 0, capP_ = 0, costP_ = 0;
    core::Slots<std::int32_t, 0, 42> sig1_;
    core::Slots<std::int32_t, 0, 42> sig2_;
};

} // namespace rectix::engine
