#include "ui/BandedReport.h"

#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "ui/ShownValue.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace rectix::ui {

namespace {

// Draws bands down the device's pages; places are in points, the device's in its own pixels.
class PageWriter {
  public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device), scale_(device.logicalDpiY() / 72.0),
          pageHeight_(device.pageLayout().paintRect(QPageLayout::Point).height()) {}

    bool fits(const ReportBand& band) const { return y_ + band.height <= pageHeight_ || y_ == 0; }
    void newPage() {
        device_.newPage();
        ++pages_;
        y_ = 0;
    }
    void draw(const ReportBand& band) {
        if (band.empty()) return;
        for (const ReportElement& e : band.elements) drawElement(e);
        y_ += band.height;
    }
    int pages() const { return pages_; }

  private:
    QRectF place(const QRectF& r) const {
        return {r.x() * scale_, (r.y() + y_) * scale_, r.width() * scale_, r.height() * scale_};
    }
    void drawElement(const ReportElement& e) {
        const QRectF r = place(e.rect);
        switch (e.kind) {
        case ReportElement::Kind::Label:
        case ReportElement::Kind::Text:
            painter_.setFont(e.font);
            painter_.setPen(e.color);
            painter_.drawText(r, static_cast<int>(e.alignment) | Qt::TextSingleLine,
                              e.kind == ReportElement::Kind::Label ? e.text
                                                                   : (e.value ? e.value() : QString()));
            break;
        case ReportElement::Kind::Rule:
            painter_.setPen(QPen(e.color, e.lineWidth * scale_));
            painter_.drawLine(r.topLeft(), r.topRight());
            break;
        case ReportElement::Kind::Image:
            if (!e.image.isNull()) painter_.drawImage(r, e.image);
            break;
        }
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    double scale_;
    double pageHeight_;
    double y_ = 0;
    int pages_ = 1;
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

int BandedReport::paint(QPainter& painter, QPagedPaintDevice& device) const {
    if (beforePrint) beforePrint();
    PageWriter pages(painter, device);
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
