#pragma once

#include "ui/ReportElement.h"

#include <vector>

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
};

} // namespace rectix::ui
