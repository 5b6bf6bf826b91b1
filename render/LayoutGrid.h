#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rectix::render {

class LayoutCanvas;
struct LayoutView;

// A decimal measuring grid over one container, in container units.
struct GridPlan {
    int power = 0;         // the base step is 10 to this power
    int factor = 1;        // 2 for a negative setting: main lines twice as far apart
    std::int32_t step = 1; // between main lines
    int fineDivision = 0;  // fine lines at step / fineDivision; 0 for none
    std::vector<long double> fineX, fineY;
    std::vector<std::int32_t> mainX, mainY;
    std::vector<std::string> labelsX, labelsY; // one per main line, reading its coordinate
};

// The grid of a container of `length` x `width` at grid setting -4..4 (not 0): main lines at most
// about 25 along the length and 16 along the width, with 1, 2, 5 or 10 divisions by |setting|.
GridPlan planGrid(int length, int width, int setting);

// Draws the grid of the view's setting over the container centred on (cx, cy) at `scale`
// pixels per unit, on top of its boxes, with coordinate numbers above and to the right.
void drawGrid(LayoutCanvas& canvas, const LayoutView& view, int length, int width, int cx, int cy,
              long double scale);

} // namespace rectix::render
