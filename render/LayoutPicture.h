#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace rectix::engine {
class PackProblem;
}

namespace rectix::render {

class LayoutCanvas;
struct LayoutView;
struct ViewTracks;

// A drawn box's label: its kind's name with "Box Kinds" checked, else its mark; with "Turn
// Signs" checked a nearly square box gets "|" or "_" after it, as its turn cannot be seen from
// its shape.
QString boxLabel(const ViewTracks& tracks, const engine::PackProblem& problem, std::int16_t box);

// The layout picture of the plan in the problem's result record: the overview of the loaded
// containers in a grid of cells at one scale, or one container alone up to the view's loading
// step, each box a filled rectangle with its label, a caption per container and the status
// lines. One routine for the page's image, picture files and the printed image.
class LayoutPicture {
  public:
    LayoutPicture(LayoutView& view, const engine::PackProblem& problem);

    // Draws the whole picture on a canvas of `size` pixels; `printMode` for the print canvas.
    // Records each drawn box's centre in the view.
    void redrawLayout(QPainter& painter, QSize size, bool printMode);

  private:
    // Where one container is drawn: its cell centre, its sides and the scale in pixels per unit.
    struct Cell {
        int cx = 0;
        int cy = 0;
        int length = 0;
        int width = 0;
        long double scale = 0;
    };
    struct Extent {
        int minX, maxRight, maxTop;
    };

    void chooseGrid(const std::vector<std::int16_t>& drawn, int width, int height);
    long double overviewScale(const std::vector<std::int16_t>& drawn, int cols, int rows, int width,
                              int height) const;
    Extent drawBoxes(LayoutCanvas& canvas, std::int16_t container, const Cell& cell);
    void drawBox(LayoutCanvas& canvas, int box, int x, int y, int lb, int wb, const QString& label,
                 std::int32_t colour, const Cell& cell, long double gapSetting);
    void drawCentredText(LayoutCanvas& canvas, int x, int y, const QString& text);
    void drawCaption(LayoutCanvas& canvas, std::int16_t container, const Cell& cell, int row, int height,
                     const Extent* extent);
    void drawStatusLines(LayoutCanvas& canvas);
    int screenX(const Cell& cell, long double x) const;
    int screenY(const Cell& cell, long double y) const;

    LayoutView& view_;
    const engine::PackProblem& problem_;
    long double overviewScale_ = 0;
};

} // namespace rectix::render
