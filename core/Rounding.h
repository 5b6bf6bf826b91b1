#pragma once

#include <cstdint>

namespace rectix::core {

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// A NaN, an infinity or a value outside 64 bits is an invalid-operation error.
std::int64_t roundHalfEven(long double x);

// Floating-point division where a zero divisor is an error, as on the original
// platform's unmasked FPU; never yields infinity or NaN.
long double fdiv(long double a, long double b);

// Fails with an invalid-operation error when x is NaN or infinite.
long double checkFinite(long double x);

// Stores an extended-precision value as single precision; an overflow is an error.
float toF32(long double x);

} // namespace rectix::core
