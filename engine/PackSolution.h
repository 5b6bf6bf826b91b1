#pragma once

#include "Limits.h"
#include "core/Slots.h"

#include <cstdint>

namespace rectix::engine {

using ContSlots16 = core::Slots<std::int16_t, 0, MaxContSlot>;
using ContSlots32 = core::Slots<std::int32_t, 0, MaxContSlot>;
using ContSlotsF = core::Slots<float, 0, MaxContSlot>;
using BoxSlots16 = core::Slots<std::int16_t, 0, MaxBoxSlot>;

// One loading plan. Container slot 0 collects the unplaced boxes; box slot 0 holds nothing.
// A box with ContNo 0 has all its per-box fields 0. Copied whole, by value.
struct TPackSolution {
    float Score = 0;
    float AreaFill = 0;
    float WeightFill = 0;
    float UsedContArea = 0;
    float LoadedArea = 0;
    float UsedContCost = 0;
    float LoadedCost = 0;
    std::int16_t UsedConts = 0;
    std::int16_t LoadedBoxes = 0;
    // Container most recently committed; 500 is added when Ignore Last Container took it out.
    std::int16_t LastCont = 0;
    std::int16_t SplitKinds = 0;
    std::int32_t UsedCapacity = 0;
    std::int32_t LoadedWeight = 0;

    ContSlots16 BoxLoad;
    ContSlots32 WgtLoad;
    ContSlots32 NoseLoad;
    ContSlots32 TailLoad;
    ContSlotsF WolLoad;
    ContSlotsF CostLoad;
    ContSlotsF VolEff;
    ContSlotsF WgtEff;
    core::Slots<bool, 0, MaxContSlot> FixCont;

    BoxSlots16 ContNo;
    BoxSlots16 LoadNo;
    BoxSlots16 PosX;
    BoxSlots16 PosY;
    BoxSlots16 PosLh;
    BoxSlots16 PosWh;

    bool operator==(const TPackSolution&) const = default;
};

} // namespace rectix::engine
