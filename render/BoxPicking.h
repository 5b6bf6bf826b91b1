#pragma once

#include <QString>

#include <cstdint>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::render {

struct LayoutView;

// The first box of the last picture whose centre lies less than 15 pixels (Manhattan) from
// (x, y); 0 for none. Boxes the picture did not draw are never picked.
std::int16_t pickBox(const LayoutView& view, std::int16_t boxCount, int x, int y);

// A picked box's properties, one per line: mark and kind, placed size, weight, position.
QString boxHint(const engine::PackProblem& problem, std::int16_t box);

} // namespace rectix::render
