#pragma once

namespace rectix::render {

// The positions of the view options' ten tracks and two check boxes, at their normal values.
// The drawing reads them as they stand; the view options window keeps them in step with its
// controls.
struct ViewTracks {
    int grid = 0;          // -4..4: grid density, 0 no grid
    int magn = 30;         // 0..100: size
    int shiftX = 0;        // -100..100
    int shiftY = 0;        // -100..100
    int space = 1;         // 0..8: gaps between boxes
    int line = 1;          // 0..4: line width
    int palett = 0;        // 0..8: colour set
    int bright = 16;       // 0..16: light
    int partGr = 4;        // 0..16: box grey
    int backGr = 2;        // 0..16: background grey
    bool markKind = false; // kind names instead of marks
    bool orient = false;   // turn signs

    bool operator==(const ViewTracks&) const = default;
};

} // namespace rectix::render
