#pragma once

#include <string>
#include <string_view>

namespace rectix::taskdb {

// The values a stored row may hold: one table for every writer and reader of
// rows. The library and task-row rules refuse a post outside it, the solve
// bridge refuses to read a row outside it, and so do the harness's task files.
// The bounds keep the engine's sums inside 32 bits: the load capacities of 24
// containers, the weights of 1000 boxes.
struct ValueRange {
    const char* table;
    const char* field;
    double low;
    double high;

    bool contains(double v) const { return v >= low && v <= high; }
    // "Time 100000 is outside 5..5555"
    std::string refusal(double v) const;
    // "Time must be from 5 to 5555"
    std::string rule() const;
};

// The range of a table's field (names exactly as stored); nullptr for a field without one.
// The tasks table's optimizer settings have the settings window's ranges; its
// Qw field packs two of them, "WeightFactor" (Qw mod 100) and
// "BindGroupFactor" (Qw div 100), listed under those names.
const ValueRange* valueRange(std::string_view table, std::string_view field);

// A task row's stored optimizer settings.
struct StoredSettings {
    long long power = 0, time = 0, rand = 0, qw = 0, qc = 0, qr = 0, bb = 0, bw = 0;
};

// The first setting outside its range, as ValueRange::refusal words it; "" when all fit. `field`
// gets the stored field's name.
std::string settingsRefusal(const StoredSettings& s, std::string& field);

} // namespace rectix::taskdb
