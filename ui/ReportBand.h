#pragma once

#include "ui/ReportElement.h"

#include <vector>

class QPainter;

namespace rectix::ui {

// A horizontal strip of a report page, `height` points high; an empty band (height 0) prints
// nothing.
struct ReportBand {
    double height = 0;
    std::vector<ReportElement> elements;

    ReportBand& add(ReportElement e) {
        elements.push_back(std::move(e));
        return *this;
    }
    bool empty() const { return height <= 0; }

    // Draws the elements with the band's top `top` points down the page, at `dotsPerPoint` of the
    // painter's device. A text is clipped to its rect; a figure is printed whole (FigureFit).
    void paint(QPainter& painter, double top, double dotsPerPoint) const;
};

} // namespace rectix::ui
