#include "render/ViewSettings.h"

#include "render/LayoutView.h"
#include "render/Palette.h"

namespace rectix::render {

namespace {
constexpr int brightMax = 16;
}

std::int32_t backColor(int position) {
    const std::int32_t grey = position * 0x101010 - 0x010101;
    return grey < 0 ? 0 : grey;
}

float magnificationOf(int position) {
    return static_cast<float>((position + 40) / 70.0L);
}

void readViewSettings(LayoutView& view, engine::PackProblem& problem) {
    const ViewTracks& t = view.tracks;
    view.lineWidth = t.line;
    view.paletteIndex = t.palett;
    view.brightness = (brightMax - t.bright) * 2;
    view.backgroundColor = backColor(t.backGr);
    view.partGrey = backColor(t.partGr);
    buildPalette(view, problem);
}

void printViewSettings(LayoutView& view, engine::PackProblem& problem) {
    const ViewTracks& t = view.tracks;
    view.lineWidth = t.line + 1;
    view.paletteIndex = t.palett;
    view.partGrey = backColor(t.partGr);
    if (view.partGrey != 0 && view.partGrey < 0xB0B0B0) view.partGrey = 0xFFFFFF;
    view.brightness = (brightMax - t.bright + (view.partGrey != 0 ? 3 : 0)) * 2;
    view.backgroundColor = 0xFFFFFF;
    buildPalette(view, problem);
}

void screenTracks(LayoutView& view) {
    const ViewTracks& t = view.tracks;
    view.shiftX = static_cast<float>(t.shiftX * -5);
    view.shiftY = static_cast<float>(t.shiftY * 3);
    view.magnification = magnificationOf(t.magn);
    view.gapSetting = static_cast<float>(t.space);
}

} // namespace rectix::render
