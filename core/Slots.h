#pragma once

#include "core/Errors.h"

#include <array>
#include <cstddef>
#include <string>

namespace rectix::core {

// A fixed array indexed Lo..Hi as the engine and the store index their tables
// (slot 0 included); every index is checked.
template <typename T, long Lo, long Hi> class Slots {
    static_assert(Hi >= Lo);

  public:
    static constexpr long low = Lo;
    static constexpr long high = Hi;
    static constexpr std::size_t size = static_cast<std::size_t>(Hi - Lo + 1);

    T& operator[](long i) { return a_[offset(i)]; }
    const T& operator[](long i) const { return a_[offset(i)]; }

    void fill(const T& v) { a_.fill(v); }
    bool operator==(const Slots&) const = default;

    // Raw storage for loops whose bounds are checked once up front.
    T* data() { return a_.data() - Lo; }
    const T* data() const { return a_.data() - Lo; }

  private:
    static std::size_t offset(long i) {
        if (i < Lo || i > Hi) [[unlikely]]
            throw RangeError("Range check error: index " + std::to_string(i));
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, size> a_{};
};

} // namespace rectix::core
