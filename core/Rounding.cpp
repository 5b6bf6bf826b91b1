#include "Rounding.h"

#include "Errors.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace rectix::core {

std::int64_t roundHalfEven(long double x) {
    checkFinite(x);
    // nearbyint honours the current rounding mode, which is to-nearest-even unless changed.
    const long double r = std::nearbyintl(x);
    if (r < static_cast<long double>(std::numeric_limits<std::int64_t>::min()) ||
        r >= static_cast<long double>(std::numeric_limits<std::int64_t>::max()))
        throw InvalidOpError("Invalid floating point operation");
    return static_cast<std::int64_t>(r);
}

long double fdiv(long double a, long double b) {
    if (b == 0.0L) {
        if (a == 0.0L || std::isnan(a)) throw InvalidOpError("Invalid floating point operation");
        throw ZeroDivideError("Floating point division by zero");
    }
    return checkFinite(a / b);
}

long double checkFinite(long double x) {
    if (std::isnan(x)) throw InvalidOpError("Invalid floating point operation");
    if (std::isinf(x)) throw OverflowError("Floating point overflow");
    return x;
}

float toF32(long double x) {
    checkFinite(x);
    const float f = static_cast<float>(x);
    if (std::isinf(f)) throw OverflowError("Floating point overflow");
    return f;
}

} // namespace rectix::core
