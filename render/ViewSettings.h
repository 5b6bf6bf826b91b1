#pragma once

#include <cstdint>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::render {

struct LayoutView;

// The grey of a "Parts" or "Ground" track position: p x 0x101010 - 0x010101, 0 when negative
// (0 black, 2 0x1F1F1F, 16 white).
std::int32_t backColor(int position);
// The size track's factor: 1.0 at 30, 2.0 at 100.
float magnificationOf(int position);

// The drawing state from the view options' tracks for the screen, and the palette rebuilt.
void readViewSettings(LayoutView& view, engine::PackProblem& problem);
// The same for printing: a wider line, a white background, light box greys and black texts.
void printViewSettings(LayoutView& view, engine::PackProblem& problem);
// Size, shifts and gaps from their tracks.
void screenTracks(LayoutView& view);

} // namespace rectix::render
