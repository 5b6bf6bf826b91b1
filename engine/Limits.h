#pragma once

#include <cstdint>

namespace rectix::engine {

// The engine's arrays hold container slots 0..25 and box slots 0..1001;
// a task is solved with at most 24 containers and 1000 boxes in all.
inline constexpr long maxContSlot = 25;
inline constexpr long maxBoxSlot = 1001;
inline constexpr int maxTaskContainers = 24;
inline constexpr int maxTaskBoxes = 1000;

// Above every score, weight and area the engine meets: "none yet", "no limit" and the start of a
// search for a minimum. The windows show no figure above it.
inline constexpr std::int32_t hugeValue = 1555555555;
// Where the counts of orders and orientations stop growing.
inline constexpr int countCap = 25555;
// A fill loads a container up to its weight capacity and its area times this: a tenth of a percent over.
inline constexpr long double capacitySlack = 1.001L;

} // namespace rectix::engine
