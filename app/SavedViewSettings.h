#pragma once

#include <cstdint>

namespace rectix::app {

// The view options that the settings file carries from one run to the next, held here until the
// layout page takes them into its view options. Space 555 means none were saved.
struct SavedViewSettings {
    static constexpr std::int16_t NoneSaved = 555;

    std::int16_t Space = NoneSaved;
    std::int16_t Line = 0;
    std::int16_t Palett = 0;
    std::int16_t Bright = 0;
    std::int16_t BackGr = 0;
    std::int16_t Parts = 0;
    std::int16_t Grid = 0;
    std::int16_t MarkKind = 0; // 1 checked
    std::int16_t Orient = 0;   // 1 checked

    bool saved() const { return Space != NoneSaved; }
    bool operator==(const SavedViewSettings&) const = default;
};

} // namespace rectix::app
