#include "results/ImageReport.h"

#include "render/LayoutPicture.h"
#include "results/ReportLayout.h"
#include "taskdb/DataModule.h"

#include <QPainter>

namespace rectix::results {

namespace rl = reportLayout;

namespace {

const QRectF frame(0, 24, rl::landscapeWidth, 480);

} // namespace

ImageReport::ImageReport(taskdb::DataModule& dm) {
    report_.title = QStringLiteral("Rectix Image");
    report_.orientation = QPageLayout::Landscape;
    ui::ReportBand& s = report_.summary;
    s.height = frame.bottom();
    s.add(rl::label(0, 0, 115, QStringLiteral("Layout for a task:"), 10, true));
    s.add(rl::field(115, 0, 400, dm.tasks, "Name", 12, true));
    s.add(rl::label(600, 0, 35, QStringLiteral("Date:")));
    s.add(rl::field(635, 0, 135, dm.tasks, "Date"));
    s.add(ui::ReportElement::picture(frame, QImage()));
    job_ = ui::CompositeReport(report_);
}

QSize ImageReport::pictureSize() {
    return (frame.size() * 96.0 / 72.0).toSize();
}

void ImageReport::setPicture(QImage picture) {
    report_.summary.elements.back().image = std::move(picture);
}

} // namespace rectix::results

namespace rectix::results {

void ImageReport::drawLayout(render::LayoutView& view, const engine::PackProblem& problem) {
    QImage picture(pictureSize(), QImage::Format_RGB888);
    {
        QPainter painter(&picture);
        render::LayoutPicture(view, problem).redrawLayout(painter, picture.size(), true);
    }
    setPicture(std::move(picture));
}

} // namespace rectix::results
