#include "core/Random.h"

namespace rectix::core {

std::int32_t Random::next(std::int32_t n) {
    state_ = state_ * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<std::int32_t>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >>
                                     32);
}

} // namespace rectix::core
