#pragma once

#include "render/Colours.h"
#include "render/LayoutChart.h"
#include "render/LayoutPicture.h"
#include "render/LayoutView.h"
#include "render/ViewSettings.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>

namespace rectix::render::test {

using rectix::test::PlanBuilder;

// A view at the view options' normal values, read for the screen.
inline LayoutView normalView(engine::PackProblem& problem) {
    LayoutView view;
    screenTracks(view);
    readViewSettings(view, problem);
    return view;
}

inline QImage renderPicture(LayoutView& view, const engine::PackProblem& problem, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    LayoutPicture(view, problem).redrawLayout(painter, size, false);
    return image;
}

inline QImage renderChart(const LayoutView& view, const engine::PackProblem& problem, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    drawChart(painter, size, view, problem);
    return image;
}

// The smallest rectangle holding every pixel that passes the test; empty when none does.
inline QRect pixelsWhere(const QImage& image, const std::function<bool(QRgb)>& test, QRect within = {}) {
    if (within.isNull()) within = image.rect();
    QRect found;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (test(image.pixel(x, y))) found |= QRect(x, y, 1, 1);
    return found;
}

// The rectangle of `colour` around a point inside it, found along the row and the column through
// that point (which must cross no text).
inline QRect extentAround(const QImage& image, QPoint inside, QRgb colour) {
    auto same = [&](int x, int y) {
        return image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    };
    int left = inside.x(), right = inside.x(), top = inside.y(), bottom = inside.y();
    while (same(left - 1, inside.y())) --left;
    while (same(right + 1, inside.y())) ++right;
    while (same(inside.x(), top - 1)) --top;
    while (same(inside.x(), bottom + 1)) ++bottom;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

inline std::function<bool(QRgb)> colourIs(std::int32_t colour) {
    const QRgb wanted = toQColor(colour).rgb();
    return [wanted](QRgb p) { return (p & 0xFFFFFF) == (wanted & 0xFFFFFF); };
}

} // namespace rectix::render::test
