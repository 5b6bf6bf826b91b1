#pragma once

#include <cstdint>
#include <string>

#include "core/NumberFormat.h"
#include "engine/Limits.h"
#include "taskdb/TaskTotals.h"

namespace rectix::taskdb {

// The cap of displayed values; also what a value that cannot be compared shows.
inline constexpr std::int32_t displayCap = engine::hugeValue;

// The displayed-area rounding: displayCap when the value is not below it,
// -displayCap when it is not above -displayCap (no area is negative, but a
// count stored below zero makes one), else the value rounded half to even.
std::int32_t roundAreaGuarded(float value);

// The area multiplier of a power of ten, 0 to 6: 1 to 1000000.
std::int32_t areaMultiplier(std::int32_t power);

// A stored area as shown: divided by the area multiplier and by mode (the
// quotient in extended precision, handed over as single precision), then
// roundAreaGuarded; a quotient beyond the cap shows the cap even where single
// precision cannot hold it. A zero divisor is a ZeroDivideError.
std::int32_t displayedArea(long double area, std::int32_t areaMult, std::int32_t mode);

// A utilisation or cost figure of the main page: rounded to 5 significant
// digits, written with 2 decimals; a value whose integer part needs more than
// 5 digits in scientific notation (mantissa of up to 5 significant digits,
// "E" and the exponent).
std::string formatPageFigure(long double value, const core::NumberFormat& format);

// A figure of the main page as shown: counts, weights and areas as integers,
// utilisation and cost by formatPageFigure, "..." for a utilisation without
// used capacity.
std::string pageFigureText(const TaskTotals& totals, PageFigure figure, const core::NumberFormat& format);

// A container's or box's size as "length  width".
std::string sizeText(std::int32_t length, std::int32_t width);

} // namespace rectix::taskdb
