#pragma once

namespace rectix::engine {

// The engine's arrays hold container slots 0..25 and box slots 0..1001;
// a task is solved with at most 24 containers and 1000 boxes in all.
inline constexpr long MaxContSlot = 25;
inline constexpr long MaxBoxSlot = 1001;
inline constexpr int MaxTaskContainers = 24;
inline constexpr int MaxTaskBoxes = 1000;

// Sentinels shared with the windows: "nothing fits" / the display cap, and the count cap.
inline constexpr int NothingFits = 1555555555;
inline constexpr int CountCap = 25555;

} // namespace rectix::engine
