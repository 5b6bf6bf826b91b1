#include "render/Palette.h"

#include "core/Checked.h"
#include "engine/PackProblem.h"
#include "render/LayoutView.h"

#include <array>

namespace rectix::render {

namespace {

struct Multipliers {
    int red, green, blue;
};

// Each component is the level times its multiplier; at most 63 x 4 = 252, within its byte.
constexpr std::array<Multipliers, 25> table{{
    {4, 4, 4}, {4, 0, 4}, {4, 2, 2}, {0, 4, 4}, {4, 0, 0}, {0, 4, 0}, {0, 0, 4}, {3, 3, 3}, {3, 0, 3},
    {3, 3, 0}, {0, 3, 3}, {3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {4, 3, 0}, {4, 0, 3}, {0, 4, 3}, {4, 3, 2},
    {0, 3, 4}, {3, 4, 2}, {4, 3, 3}, {3, 3, 4}, {4, 4, 0}, {3, 0, 4}, {4, 2, 3},
}};

constexpr int entryCount = 25;

} // namespace

void buildPalette(LayoutView& view, engine::PackProblem& problem) {
    const int level = 63 - view.brightness;
    for (int n = 1; n <= entryCount; ++n) {
        const Multipliers& m = table[static_cast<std::size_t>(n - 1)];
        view.palette[n] = level * m.red + (level * m.green << 8) + (level * m.blue << 16);
    }

    view.textColor = view.backgroundColor <= 0x909090 ? 0xEEEEEE : 0x101010;
    view.frameColor = 0x808080;
    if (view.partGrey <= 0x909090) {
        view.boxTextColor = 0xEEEEEE;
        view.gridMainColor = 0x808080;
        view.gridFineColor = 0x606060;
    } else {
        view.boxTextColor = 0x101010;
        view.gridMainColor = 0x909090;
        view.gridFineColor = 0xB0B0B0;
    }
    if (view.partGrey == 0) {
        view.boxTextColor = 0;
        view.gridMainColor = 0x808080;
        view.gridFineColor = 0xA0A0A0;
    }
    // Only the print settings make the line wider than its track: printed texts are black.
    if (view.tracks.line < view.lineWidth) {
        view.textColor = 0;
        view.boxTextColor = 0;
    }

    const int step = core::checkedMul(3, view.paletteIndex);
    for (int k = 1; k <= problem.boxKindCount; ++k)
        problem.boxKinds.color[k] = view.palette[core::checkedAdd(k - 1, step) % entryCount + 1];
}

} // namespace rectix::render
