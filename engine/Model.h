#pragma once

#include "PackSolution.h"

#include <cstdint>
#include <string>

namespace rectix::engine {

// Container types, entries 1..ContTypeCount; entry 0 stays at its reset value.
struct TContTypes {
    ContSlots16 Length, Width, Avail, Used, FillDir, NoseDL, TailDL;
    ContSlots32 TypeID, RandKey, LoadWt, NoseWt, TailWt;
    ContSlotsF Area, Cost;
    core::Slots<std::string, 0, MaxContSlot> Mark;
};

// Box kinds, entries 1..BoxKindCount.
struct TBoxKinds {
    BoxSlots16 Length, Width, Total, Placed;
    core::Slots<std::int32_t, 0, MaxBoxSlot> KindID, Weight, Color;
    core::Slots<float, 0, MaxBoxSlot> Area, Cost;
    core::Slots<bool, 0, MaxBoxSlot> TurnOn;
    core::Slots<std::string, 0, MaxBoxSlot> Kind, Mark;
};

// The engine's copy of the optimizer settings; factors are fractions.
struct TRunSettings {
    std::int16_t Intensity = 3;
    std::int16_t ItemGap = 0;
    std::int16_t EdgeGap = 0;
    std::int16_t Seed = 1;
    float WeightFactor = 0;
    float CostFactor = 0;
    float LeftFactor = 0;
    float BindGroupFactor = 0;
    double TimeLimitMs = 555000;
    bool IgnoreLast = true;
    bool TaskDefltOn = true;
    bool TaskTurnOn = true;
};

// Task-wide totals, computed by PrepareInstances.
struct TRunTotals {
    std::int32_t TotalCapacity = 0;
    float TotalContArea = 0;
    float TotalContCost = 0;
    std::int32_t MaxLoadWt = 0;
    float MaxContArea = 0;
    std::int16_t MaxAvail = 0;
    std::int32_t MeanCapacity = 0;
    float MeanContArea = 0;
    float MeanContCost = 0;
    std::int32_t TotalBoxWeight = 0;
    float TotalBoxArea = 0;
    float TotalBoxCost = 0;
};

} // namespace rectix::engine
