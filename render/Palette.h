#pragma once

namespace rectix::engine {
class PackProblem;
}

namespace rectix::render {

struct LayoutView;

// Rebuilds the 25-colour table at the view's brightness, every box kind's colour from it by the
// view's colour set, and the derived text, frame and grid colours.
void buildPalette(LayoutView& view, engine::PackProblem& problem);

} // namespace rectix::render
