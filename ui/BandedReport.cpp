#include "ui/BandedReport.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ShownValue.h"

#include "ui/ReportPages.h"

#include <QPainter>

namespace rectix::ui {

namespace {

// Draws bands down the job's pages; places are in points, the device's in its own pixels. Bands
// on a dropped page take their room and draw nothing.
class PageWriter {
  public:
    PageWriter(ReportPages& pages, QPageLayout::Orientation orientation)
        : pages_(pages), orientation_(orientation), scale_(pages.dotsPerPoint()),
          pageHeight_(pages.pageHeight(orientation)) {
        pages_.nextPage(orientation_);
    }

    bool fits(const ReportBand& band) const { return y_ + band.height <= pageHeight_ || y_ == 0; }
    void newPage() {
        pages_.nextPage(orientation_);
        ++used_;
        y_ = 0;
    }
    void draw(const ReportBand& band) {
        if (band.empty()) return;
        if (QPainter* painter = pages_.painter()) band.paint(*painter, y_, scale_);
        y_ += band.height;
    }
    int pages() const { return used_; }

  private:
    ReportPages& pages_;
    QPageLayout::Orientation orientation_;
    double scale_;
    double pageHeight_;
    double y_ = 0;
    int used_ = 1;
};

} // namespace

void BandedReport::setRows(dataset::Cursor& cursor) {
    firstRow = [&cursor] {
        cursor.first();
        return !cursor.eof();
    };
    nextRow = [&cursor] {
        cursor.next();
        return !cursor.eof();
    };
}

std::function<QString()> BandedReport::fieldText(const dataset::Field& field) {
    return [&field] { return shownValue(field, field.value()); };
}

int BandedReport::paint(ReportPages& job) const {
    if (beforePrint) beforePrint();
    PageWriter pages(job, orientation);
    pages.draw(titleBand);
    pages.draw(columnHeader);
    auto band = [&](const ReportBand& b) {
        if (b.empty()) return;
        if (!pages.fits(b)) {
            pages.newPage();
            pages.draw(columnHeader);
        }
        pages.draw(b);
    };
    if (!firstRow) {
        band(detail);
    } else {
        for (bool row = firstRow(); row; row = nextRow ? nextRow() : false) band(detail);
    }
    band(summary);
    return pages.pages();
}

} // namespace rectix::ui
