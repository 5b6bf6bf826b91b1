#include "core/Rounding.h"

#include "core/Errors.h"

#include <cmath>

namespace rectix::core {

void throwInvalidOp() {
    throw InvalidOpError("Invalid floating point operation");
}

void throwFloatError(long double x, long double divisor) {
    if (divisor == 0.0L) {
        if (x == 0.0L || std::isnan(x)) throw InvalidOpError("Invalid floating point operation");
        throw ZeroDivideError("Floating point division by zero");
    }
    if (std::isnan(x)) throw InvalidOpError("Invalid floating point operation");
    throw OverflowError("Floating point overflow");
}

} // namespace rectix::core
