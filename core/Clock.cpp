#include "core/Clock.h"

#include <chrono>

namespace rectix::core {

double nowMs() {
    using namespace std::chrono;
    constexpr double unixEpochDays = 25569.0; // 1970-01-01 as a day number from 1899-12-30
    const auto since = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    return unixEpochDays * 86400000.0 + static_cast<double>(since) / 1000.0;
}

} // namespace rectix::core
