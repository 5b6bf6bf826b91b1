#pragma once

#include "core/Errors.h"

#include <cmath>
#include <cstdint>

namespace rectix::core {

[[noreturn]] void throwInvalidOp();

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// A NaN, an infinity or a value outside 64 bits is an invalid-operation error.
inline std::int64_t roundHalfEven(long double x) {
    // llrint honours the current rounding mode, which is to-nearest-even unless changed.
    if (!(x > -9.2e18L && x < 9.2e18L)) [[unlikely]]
        throwInvalidOp();
    return std::llrintl(x);
}

[[noreturn]] void throwFloatError(long double x, long double divisor);

// Fails with an invalid-operation error when x is NaN, an overflow error when infinite.
inline long double checkFinite(long double x) {
    if (!std::isfinite(x)) [[unlikely]]
        throwFloatError(x, 1);
    return x;
}

// Floating-point division where a zero divisor is an error, as with an unmasked
// FPU; never yields infinity or NaN.
inline long double fdiv(long double a, long double b) {
    if (b == 0.0L) [[unlikely]]
        throwFloatError(a, b);
    return checkFinite(a / b);
}

// Stores an extended-precision value as single precision; an overflow is an error.
inline float toF32(long double x) {
    const float f = static_cast<float>(x);
    if (!std::isfinite(f)) [[unlikely]]
        throwFloatError(x, 1);
    return f;
}

} // namespace rectix::core
