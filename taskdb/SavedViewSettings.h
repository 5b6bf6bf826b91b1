#pragma once

#include <cstdint>

namespace rectix::taskdb {

// The view options that the settings file carries from one run to the next, held here until the
// layout page takes them into its view options. space 555 means none were saved.
struct SavedViewSettings {
    static constexpr std::int16_t noneSaved = 555;

    std::int16_t space = noneSaved;
    std::int16_t line = 0;
    std::int16_t palett = 0;
    std::int16_t bright = 0;
    std::int16_t backGr = 0;
    std::int16_t parts = 0;
    std::int16_t Grid = 0;
    std::int16_t markKind = 0; // 1 checked
    std::int16_t orient = 0;   // 1 checked

    bool saved() const { return space != noneSaved; }
    bool operator==(const SavedViewSettings&) const = default;
};

} // namespace rectix::taskdb
