#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace rectix::engine {

class PackProblem;
struct PackSolution;

// Figures that a run derives from a task and holds in fixed-width integers, although each value
// they come from fits its own field: a box side with the item gap and a container's usable side
// (16 bits), and the loads on a container's supports, the lever of a whole load over the span
// between them (32 bits). A task that passes one of these limits is refused before its run.
class SizeLimits {
  public:
    enum class Figure { Length, Width, SupportSpan };
    struct Breach {
        Figure figure = Figure::Length;
        std::int64_t value = 0; // the side, or the span Length - NoseDL - TailDL
        std::int64_t limit = 0; // the largest side, or the least span
        std::int64_t load = 0;  // for a span: the load it was measured against
    };
    // A breach of a container type (or box kind) entry of a problem.
    struct Found {
        bool container = false;
        int entry = 0;
        Breach breach;
    };

    // A container type and a box kind as a task gives them.
    struct ContainerFigures {
        std::int64_t length = 0, width = 0, noseDL = 0, tailDL = 0, loadWt = 0, noseWt = 0, tailWt = 0;
    };
    struct BoxFigures {
        std::int64_t length = 0, width = 0, weight = 0, total = 0;
    };

    // The gaps of the run, 0..5000; without gaps, the figures of a plan stored or fixed before.
    SizeLimits(std::int64_t itemGap = 0, std::int64_t edgeGap = 0);

    std::optional<Breach> box(std::int64_t length, std::int64_t width) const;
    // The usable sides, then the span for a load of up to `load`. A type whose supports leave no
    // span at all is refused by its own rule, not here.
    std::optional<Breach> container(std::int64_t length, std::int64_t width, std::int64_t noseDL,
                                    std::int64_t tailDL, std::int64_t load) const;

    // The sides, then the span for the heaviest load a fill may put into the container.
    std::optional<Breach> container(const ContainerFigures& container,
                                    const std::vector<BoxFigures>& boxes) const;

    // The most a fill loads into a container of this capacity.
    static std::int64_t fillLoadCap(std::int64_t loadWt);
    // At least the weight of any load a fill may put into the container from these boxes: what
    // fits its usable area, no more than its capacity cap nor, where it has support limits, their
    // sum. A kind counts at least once, as it gets at least one instance.
    std::int64_t heaviestLoad(const ContainerFigures& container, const std::vector<BoxFigures>& boxes) const;

    // The first breach of the problem's container types, for what a fill may load into them, then
    // of its box kinds, under its run settings; the model arrays are filled.
    static std::optional<Found> firstIn(const PackProblem& problem);
    // The first container of the plan whose own load its type's span cannot take (entry: the type).
    static std::optional<Found> firstLoadedIn(const PackProblem& problem, const PackSolution& plan);

  private:
    std::int64_t itemGap_, edgeGap_;
};

} // namespace rectix::engine
