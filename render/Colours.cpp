#include "render/Colours.h"

namespace rectix::render {

QColor toQColor(std::int32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace rectix::render
