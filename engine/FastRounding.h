#pragma once

#include "core/Checked.h"
#include "core/Rounding.h"

#include <cstdint>

namespace rectix::engine {

// core::roundHalfEven without the library call: the x87 store rounds in the
// current mode, to nearest even, exactly as llrintl does.
inline std::int64_t roundHalfEvenInline(long double x) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    if (!(x > -9.2e18L && x < 9.2e18L)) [[unlikely]]
        return core::roundHalfEven(x); // throws
    std::int64_t r;
    __asm__("fistpll %0" : "=m"(r) : "t"(x) : "st");
    return r;
#else
    return core::roundHalfEven(x);
#endif
}

// core::toI16 with the common case inline; out of range it throws as core::toI16 does.
inline std::int16_t toI16Inline(long long v) {
    if (v >= INT16_MIN && v <= INT16_MAX) [[likely]]
        return static_cast<std::int16_t>(v);
    return core::toI16(v);
}

} // namespace rectix::engine
