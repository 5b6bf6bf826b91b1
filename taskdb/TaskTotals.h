#pragma once

#include <cstdint>
#include <optional>

namespace rectix::taskdb {

// Number, weight and displayed area of a set of containers or boxes. Number and weight are summed
// wide: counts and weights that each fit their fields may not fit 32 bits together.
struct Amounts {
    std::int64_t number = 0;
    std::int64_t weight = 0;
    std::int32_t area = 0; // displayed: divided by the area multiplier and the mode, capped

    bool operator==(const Amounts&) const = default;
};

// The current task's totals as the data module publishes them after every change of the task or
// its rows; the task page formats and shows them.
struct TaskTotals {
    Amounts available; // containers
    Amounts used;
    Amounts boxes; // to pack
    Amounts left;  // not placed
    // Loaded weight and area in % of the used containers' capacity; none without used capacity.
    std::optional<long double> weightUse;
    std::optional<long double> areaUse;
    // The placed boxes' cost less the used containers' cost.
    long double netCost = 0;
    // A solved task leaves boxes unplaced.
    bool boxesLeftOver = false;

    bool operator==(const TaskTotals&) const = default;
};

// The figures under the main page's two grids, in the order of their boxes.
enum class PageFigure {
    AvlNmb,
    AvlWgt,
    AvlVol,
    UsdNmb,
    UsdWgt,
    UsdVol, // containers: available and used
    TotNmb,
    TotWgt,
    TotVol,
    LftNmb,
    LftWgt,
    LftVol, // boxes: total and left
    EffWgt,
    EffVol, // utilisation in %
    CostPck // net cost
};
inline constexpr int pageFigureCount = 15;

} // namespace rectix::taskdb
