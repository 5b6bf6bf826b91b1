#include "render/LayoutCanvas.h"

#include "render/Colours.h"
#include "render/LayoutView.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>

#include <utility>

namespace rectix::render {

namespace {

constexpr int smallFaceBelow = 7;
constexpr int printSizeIncrease = 3;

// Points on a 96-pixel-per-inch canvas, as the screen and the picture bitmaps have; rounded
// to the nearest pixel.
int pixelsOfPoints(int points) {
    return (points * 96 + 36) / 72;
}

QFont labelFont(int size, bool printMode) {
    QFont font;
    const bool small = !printMode && size < smallFaceBelow;
    font.setFamilies(small ? QStringList{QStringLiteral("DejaVu Sans Condensed"),
                                         QStringLiteral("Arial Narrow"),
                                         QStringLiteral("Liberation Sans Narrow")}
                           : QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"),
                                         QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelsOfPoints(printMode ? size + printSizeIncrease : size));
    font.setBold(true);
    return font;
}

} // namespace

LayoutCanvas::LayoutCanvas(QPainter& painter, bool printMode)
    : painter_(painter), printMode_(printMode), font_(labelFont(7, printMode)), metrics_(font_) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void LayoutCanvas::setDrawColor(std::int32_t colour) {
    penColour_ = fontColour_ = toQColor(colour);
}

void LayoutCanvas::setPenColor(std::int32_t colour) {
    penColour_ = toQColor(colour);
}

void LayoutCanvas::setFontColor(std::int32_t colour) {
    fontColour_ = toQColor(colour);
}

void LayoutCanvas::setBrush(std::int32_t colour) {
    brush_ = toQColor(colour);
}

void LayoutCanvas::setLabelFont(int size) {
    QFont font = labelFont(size, printMode_);
    if (font == font_) return;
    font_ = font;
    metrics_ = QFontMetrics(font_, painter_.device());
    laid_.clear();
}

const LayoutCanvas::Laid& LayoutCanvas::laidOut(const QString& text) {
    auto found = laid_.constFind(text);
    if (found == laid_.cend()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), font_);
        found = laid_.insert(text, Laid{laid, metrics_.horizontalAdvance(text)});
    }
    return *found;
}

int LayoutCanvas::textWidth(const QString& text) {
    return laidOut(text).width;
}

void LayoutCanvas::clearBackground(const LayoutView& view, int width, int height) {
    painter_.fillRect(0, 0, width, height, toQColor(view.backgroundColor));
    brush_.reset();
    penWidth_ = view.lineWidth;
}

void LayoutCanvas::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    if (brush_) painter_.fillRect(x1, y1, x2 - x1, y2 - y1, *brush_);
    // The outline on the border pixels, as strips centred on them (a width of 0 is one pixel).
    const int w = std::max(1, penWidth_);
    const int before = (w - 1) / 2;
    const int left = x1 - before;
    const int top = y1 - before;
    const int spanX = x2 - x1 - 1 + w;
    const int spanY = y2 - y1 - 1 + w;
    painter_.fillRect(left, top, spanX, w, penColour_);
    painter_.fillRect(left, top + y2 - y1 - 1, spanX, w, penColour_);
    painter_.fillRect(left, top, w, spanY, penColour_);
    painter_.fillRect(left + x2 - x1 - 1, top, w, spanY, penColour_);
}

// The end point itself is left out, so that lines joined end to start draw each pixel once.
void LayoutCanvas::line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (std::abs(dx) >= std::abs(dy))
        x2 -= dx > 0 ? 1 : -1;
    else
        y2 -= dy > 0 ? 1 : -1;
    painter_.setPen(QPen(penColour_, penWidth_));
    painter_.drawLine(x1, y1, x2, y2);
}

void LayoutCanvas::textOut(int x, int y, const QString& text) {
    if (text.isEmpty()) return;
    painter_.setPen(fontColour_);
    painter_.setFont(font_);
    painter_.drawStaticText(x, y, laidOut(text).text);
}

} // namespace rectix::render
