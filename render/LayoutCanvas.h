#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

#include <cstdint>
#include <optional>

class QPainter;

namespace rectix::render {

struct LayoutView;

// The drawing operations of the layout picture and the chart on one painter, with the screen's
// or the print canvas's label font. Colours are those of toQColor. Shapes are drawn without
// smoothing, so every edge falls on the pixel the layout computes.
class LayoutCanvas {
  public:
    LayoutCanvas(QPainter& painter, bool printMode);

    QPainter& painter() { return painter_; }
    bool printMode() const { return printMode_; }

    // Text and pen colour.
    void setDrawColor(std::int32_t colour);
    void setPenColor(std::int32_t colour);
    void setFontColor(std::int32_t colour);
    // 0 is the thinnest line.
    void setPenWidth(int width) { penWidth_ = width; }
    void setBrush(std::int32_t colour);
    // Shapes are outlined only.
    void clearBrush() { brush_.reset(); }

    // Bold label font of `size` points: on screen a small face below 7 points, a regular face
    // otherwise; on the print canvas the regular face at size + 3.
    void setLabelFont(int size);
    // Fills the picture with the background; shapes unfilled and the pen at the view's width.
    void clearBackground(const LayoutView& view, int width, int height);

    // A rectangle given by two corners in any order: the brush fills the pixels from the first
    // corner up to, not including, the second; the pen outlines that area.
    void rectangle(int x1, int y1, int x2, int y2);
    void line(int x1, int y1, int x2, int y2);
    // Text with its top left corner at (x, y), on a transparent background.
    void textOut(int x, int y, const QString& text);
    int textWidth(const QString& text);
    int textHeight() const { return metrics_.height(); }

  private:
    QPainter& painter_;
    bool printMode_;
    QColor penColour_;
    QColor fontColour_;
    int penWidth_ = 1;
    std::optional<QColor> brush_;
    QFont font_;
    QFontMetrics metrics_;
    // Labels repeat (one mark per kind): each is laid out once per font.
    struct Laid {
        QStaticText text;
        int width;
    };
    const Laid& laidOut(const QString& text);
    QHash<QString, Laid> laid_;
};

} // namespace rectix::render
