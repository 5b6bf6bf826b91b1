#pragma once

#include "core/Errors.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

// Checked integer arithmetic: every operation of the system's own logic either
// gives the exact result or throws, never wraps.
namespace rectix::core {

template <std::integral T> T checkedAdd(T a, T b) {
    T r;
    if (__builtin_add_overflow(a, b, &r)) throw OverflowError("Integer overflow");
    return r;
}

template <std::integral T> T checkedSub(T a, T b) {
    T r;
    if (__builtin_sub_overflow(a, b, &r)) throw OverflowError("Integer overflow");
    return r;
}

template <std::integral T> T checkedMul(T a, T b) {
    T r;
    if (__builtin_mul_overflow(a, b, &r)) throw OverflowError("Integer overflow");
    return r;
}

// Integer division truncating toward zero; a zero divisor is an error.
template <std::integral T> T checkedDiv(T a, T b) {
    if (b == 0) throw ZeroDivideError("Division by zero");
    if constexpr (std::is_signed_v<T>) {
        if (a == std::numeric_limits<T>::min() && b == -1) throw OverflowError("Integer overflow");
    }
    return a / b;
}

// Narrowing to a smaller integer type: a value outside the target's range is a range error.
template <std::integral To, std::integral From> To narrow(From v) {
    if (!std::in_range<To>(v)) throw RangeError("Range check error: " + std::to_string(v));
    return static_cast<To>(v);
}

inline std::int16_t toI16(long long v) {
    return narrow<std::int16_t>(v);
}
inline std::int32_t toI32(long long v) {
    return narrow<std::int32_t>(v);
}

// A 16-bit or 32-bit sum, computed wide and checked on the way back.
inline std::int16_t add16(long long a, long long b) {
    return toI16(a + b);
}
inline std::int32_t add32(std::int32_t a, std::int32_t b) {
    return checkedAdd(a, b);
}
inline std::int32_t mul32(std::int32_t a, std::int32_t b) {
    return checkedMul(a, b);
}

} // namespace rectix::core
