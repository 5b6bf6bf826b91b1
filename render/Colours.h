#pragma once

#include <QColor>

#include <cstdint>

namespace rectix::render {

// The layout keeps colours as 24-bit values with red in the lowest byte, green in the middle
// byte and blue in the third (0x0000FF is red, 0xFF0000 blue).
QColor toQColor(std::int32_t colour);

} // namespace rectix::render
