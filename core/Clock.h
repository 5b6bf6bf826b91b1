#pragma once

namespace rectix::core {

// Milliseconds of wall-clock time, counted from 1899-12-30 as the date-time
// values the program stores; only differences are meaningful to the engine.
double nowMs();

} // namespace rectix::core
