#pragma once

#include "Limits.h"
#include "core/Slots.h"

#include <cstdint>

namespace rectix::engine {

using ContSlots16 = core::Slots<std::int16_t, 0, maxContSlot>;
using ContSlots32 = core::Slots<std::int32_t, 0, maxContSlot>;
using ContSlotsF = core::Slots<float, 0, maxContSlot>;
using BoxSlots16 = core::Slots<std::int16_t, 0, maxBoxSlot>;

// One loading plan. Container slot 0 collects the unplaced boxes; box slot 0 holds nothing.
// A box with contNo 0 has all its per-box fields 0. Copied whole, by value.
struct PackSolution {
    float score = 0;
    float areaFill = 0;
    float weightFill = 0;
    float usedContArea = 0;
    float loadedArea = 0;
    float usedContCost = 0;
    float loadedCost = 0;
    std::int16_t usedConts = 0;
    std::int16_t loadedBoxes = 0;
    // Container most recently committed; 500 is added when Ignore Last Container took it out.
    std::int16_t lastCont = 0;
    std::int16_t splitKinds = 0;
    std::int32_t usedCapacity = 0;
    std::int32_t loadedWeight = 0;

    ContSlots16 boxLoad;
    ContSlots32 wgtLoad;
    ContSlots32 noseLoad;
    ContSlots32 tailLoad;
    ContSlotsF wolLoad;
    ContSlotsF costLoad;
    ContSlotsF volEff;
    ContSlotsF wgtEff;
    core::Slots<bool, 0, maxContSlot> fixCont;

    BoxSlots16 contNo;
    BoxSlots16 loadNo;
    BoxSlots16 posX;
    BoxSlots16 posY;
    BoxSlots16 posLh;
    BoxSlots16 posWh;

    bool operator==(const PackSolution&) const = default;
};

} // namespace rectix::engine
