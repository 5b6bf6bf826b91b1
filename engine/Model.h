#pragma once

#include "PackSolution.h"

#include <cstdint>
#include <string>

namespace rectix::engine {

// Container types, entries 1..contTypeCount; entry 0 stays at its reset value.
struct ContainerTypes {
    ContSlots16 length, width, avail, used, fillDir, noseDL, tailDL;
    ContSlots32 typeID, randKey, loadWt, noseWt, tailWt;
    ContSlotsF area, cost;
    core::Slots<std::string, 0, maxContSlot> mark;
};

// Box kinds, entries 1..boxKindCount.
struct BoxKinds {
    BoxSlots16 length, width, total, placed;
    core::Slots<std::int32_t, 0, maxBoxSlot> kindID, weight, color;
    core::Slots<float, 0, maxBoxSlot> area, cost;
    core::Slots<bool, 0, maxBoxSlot> turnOn;
    core::Slots<std::string, 0, maxBoxSlot> name, mark;
};

// The engine's copy of the optimizer settings; factors are fractions.
struct RunSettings {
    std::int16_t intensity = 3;
    std::int16_t itemGap = 0;
    std::int16_t edgeGap = 0;
    std::int16_t seed = 1;
    float weightFactor = 0;
    float costFactor = 0;
    float leftFactor = 0;
    float bindGroupFactor = 0;
    double timeLimitMs = 555000;
    bool ignoreLast = true;
    bool taskDefltOn = true;
    bool taskTurnOn = true;
};

// Task-wide totals, computed by prepareInstances.
struct RunTotals {
    std::int32_t totalCapacity = 0;
    float totalContArea = 0;
    float totalContCost = 0;
    std::int32_t maxLoadWt = 0;
    float maxContArea = 0;
    std::int16_t maxAvail = 0;
    std::int32_t meanCapacity = 0;
    float meanContArea = 0;
    float meanContCost = 0;
    std::int32_t totalBoxWeight = 0;
    float totalBoxArea = 0;
    float totalBoxCost = 0;
};

} // namespace rectix::engine
