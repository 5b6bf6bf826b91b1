#pragma once

namespace rectix::engine {

// The engine's arrays hold container slots 0..25 and box slots 0..1001;
// a task is solved with at most 24 containers and 1000 boxes in all.
inline constexpr long maxContSlot = 25;
inline constexpr long maxBoxSlot = 1001;
inline constexpr int maxTaskContainers = 24;
inline constexpr int maxTaskBoxes = 1000;

// Sentinels shared with the windows: "nothing fits" / the display cap, and the count cap.
inline constexpr int nothingFits = 1555555555;
inline constexpr int countCap = 25555;

} // namespace rectix::engine
