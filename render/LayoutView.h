#pragma once

#include "core/Slots.h"
#include "engine/PackSolution.h"
#include "render/ViewTracks.h"

#include <cstdint>

namespace rectix::render {

// The layout picture's state for the whole process, shared by the picture, the chart, the grid,
// the layout page and the view options. Colours are stored as toQColor reads them.
struct LayoutView {
    std::int16_t currentContainer = 0; // 0: overview of the loaded containers; c: container c alone
    std::int16_t loadingStep = 0;      // single view: boxes shown, in loading order
    float magnification = 1;           // factor on the fitted scale
    float shiftX = 0;                  // pixels, subtracted from screen x
    float shiftY = 0;                  // pixels, added to screen y
    float gapSetting = 0;
    std::int32_t lineWidth = 1;
    std::int32_t paletteIndex = 0;
    std::int32_t brightness = 0; // darkening of the kind colours
    std::int32_t backgroundColor = 0;
    std::int32_t partGrey = 0; // uniform box fill; 0 fills each box with its kind's colour
    std::int32_t textColor = 0;
    std::int32_t frameColor = 0x808080;
    std::int32_t boxTextColor = 0;
    std::int32_t gridMainColor = 0;
    std::int32_t gridFineColor = 0;
    bool printMode = false; // the picture being drawn goes to the print canvas
    bool chartMode = false; // the page shows the chart
    float gapBase = 0;      // container units on which the box gap is scaled
    std::int16_t topBand = 0;
    std::int16_t captionBand = 0;
    std::int16_t marginX = 0;
    std::int16_t marginY = 0;
    // The overview's cells. Never 0: a picture too small for any scale keeps a cell to draw in.
    std::int16_t gridCols = 1;
    std::int16_t gridRows = 1;
    // Screen centre of each box in the last picture drawn on any canvas. Only boxes marked drawn
    // can be picked: the others keep (0, 0), which is a point of the picture.
    engine::BoxSlots16 boxCentreX;
    engine::BoxSlots16 boxCentreY;
    core::Slots<bool, 0, engine::maxBoxSlot> boxDrawn;
    // The colour table, entries 1..25, from which each box kind takes its colour.
    core::Slots<std::int32_t, 1, 25> palette;
    // The view options' controls as they stand.
    ViewTracks tracks;
};

} // namespace rectix::render
