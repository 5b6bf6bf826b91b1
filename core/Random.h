#pragma once

#include <cstdint>

namespace rectix::core {

// The linear congruential generator: state := state x 134775813 + 1 (mod 2^32); a draw in
// 0..n-1 is the high 32 bits of state x n. Each run owns its generators and seeds them itself,
// so the draws of a run follow from its inputs alone, whatever ran before it.
class Random {
  public:
    std::uint32_t state() const { return state_; }
    void seed(std::uint32_t s) { state_ = s; }
    // Seeds from a signed sum as the engine forms it; the state keeps its low 32 bits.
    void seed(long long s) { state_ = static_cast<std::uint32_t>(s); }

    // A draw in 0..n-1; n <= 0 yields 0 (and still advances the state).
    std::int32_t next(std::int32_t n);

  private:
    std::uint32_t state_ = 0;
};

} // namespace rectix::core
