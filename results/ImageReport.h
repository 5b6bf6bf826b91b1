#pragma once

#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"

#include <QImage>
#include <QSize>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::taskdb {
class DataModule;
}

namespace rectix::render {
struct LayoutView;
}

namespace rectix::results {

// The layout picture printed on a landscape page under the task's name and date; the layout page
// draws the picture into it before it prints.
class ImageReport {
  public:
    // The data module must outlive the report.
    explicit ImageReport(taskdb::DataModule& dm);
    ImageReport(const ImageReport&) = delete;
    ImageReport& operator=(const ImageReport&) = delete;

    // The size in pixels to draw the picture at: the frame's, at the screen's 96 pixels per inch.
    static QSize pictureSize();
    // The picture, stretched to its frame.
    void setPicture(QImage picture);
    // Draws the view's picture of the plan on the print canvas as the picture to print.
    void drawLayout(render::LayoutView& view, const engine::PackProblem& problem);
    const ui::CompositeReport& job() const { return job_; }

  private:
    ui::BandedReport report_;
    ui::CompositeReport job_;
};

} // namespace rectix::results
