#include "ui/FigureFit.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace rectix::ui {

namespace {

// Face sizes are tried in steps of a quarter point.
constexpr double step = 0.25;

} // namespace

FigureFit FigureFit::printed(const QString& text, const QFont& font, double width, QPaintDevice* device) {
    const double room = width - marginPoints * device->logicalDpiX() / 72.0;
    const double advance = QFontMetricsF(font, device).horizontalAdvance(text);
    if (advance <= room) return {text, font};
    const double points = font.pointSizeF();
    if (points > 0 && room > 0) {
        QFont smaller = font;
        // The advance scales with the face nearly in proportion; hinting may want a step less.
        for (double p = std::floor(points * room / advance / step) * step; p >= std::min(points, floorPoints);
             p -= step) {
            smaller.setPointSizeF(p);
            if (QFontMetricsF(smaller, device).horizontalAdvance(text) <= room) return {text, smaller};
        }
    }
    return {overflowMark(QFontMetricsF(font, device), room), font};
}

QString FigureFit::overflowMark(const QFontMetricsF& metrics, double width) {
    const double sign = metrics.horizontalAdvance(QLatin1Char('#'));
    const auto fitting = sign > 0 ? static_cast<int>(width / sign) : 3;
    return QString(std::clamp(fitting, 1, 3), QLatin1Char('#'));
}

QString FigureFit::shown(const QString& text, const QFontMetricsF& metrics, double width) {
    return metrics.horizontalAdvance(text) <= width ? text : overflowMark(metrics, width);
}

} // namespace rectix::ui
