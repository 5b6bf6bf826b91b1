#pragma once

#include <QFont>
#include <QString>

class QFontMetricsF;
class QPaintDevice;

namespace rectix::ui {

// A number in a cell too narrow for it. Cut at the cell's edge or elided, it would read as another
// number; instead a printed one takes a smaller face, down to a floor, and past that the cell
// shows the overflow mark, which no one reads as a number.
struct FigureFit {
    // The smallest face a figure shrinks to: the reports' smallest print.
    static constexpr double floorPoints = 6;
    // Kept clear on the side the figure runs towards, so that figures of neighbouring cells stay apart.
    static constexpr double marginPoints = 2;

    QString text;
    QFont font;

    // `text` printed in a cell `width` device pixels wide on `device`: as it is in `font` when it
    // fits, else in the largest smaller face down to the floor that fits, else the mark in `font`.
    static FigureFit printed(const QString& text, const QFont& font, double width, QPaintDevice* device);
    // "###", or fewer where `width` is narrower (one at least).
    static QString overflowMark(const QFontMetricsF& metrics, double width);
    // `text` on the screen in `width` pixels: as it is when it fits, else the mark.
    static QString shown(const QString& text, const QFontMetricsF& metrics, double width);
};

} // namespace rectix::ui
