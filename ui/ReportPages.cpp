#include "ui/ReportPages.h"

#include <QPagedPaintDevice>

namespace rectix::ui {

ReportPages::ReportPages(QPagedPaintDevice& device) : device_(device), selected_([](int) { return true; }) {}

ReportPages::~ReportPages() {
    if (painter_.isActive()) painter_.end();
}

void ReportPages::startPass(std::function<bool(int)> selected) {
    selected_ = std::move(selected);
    passPages_ = 0;
    dropped_ = true;
}

void ReportPages::nextPage(QPageLayout::Orientation orientation) {
    dropped_ = !selected_(++passPages_);
    if (dropped_) return;
    // The orientation applies to the page begun next.
    device_.setPageOrientation(orientation);
    if (!painter_.isActive()) {
        if (!painter_.begin(&device_))
            throw DeviceError("The report cannot be printed: the printer did not start");
    } else if (!device_.newPage()) {
        throw DeviceError("The report cannot be printed: the printer took no further page");
    }
    ++printed_;
}

double ReportPages::dotsPerPoint() const {
    return device_.logicalDpiY() / 72.0;
}

double ReportPages::pageHeight(QPageLayout::Orientation orientation) const {
    QPageLayout layout = device_.pageLayout();
    layout.setOrientation(orientation);
    return layout.paintRect(QPageLayout::Point).height();
}

void ReportPages::finish() {
    if (painter_.isActive() && !painter_.end())
        throw DeviceError("The report cannot be printed: the printer did not finish it");
}

} // namespace rectix::ui
