#pragma once

#include <QPageLayout>
#include <QPainter>

#include <functional>
#include <stdexcept>

class QPagedPaintDevice;

namespace rectix::ui {

// The pages of one print job on their way to the device. The job may be laid out more than once
// (pages in reverse order take a pass each): every pass numbers its pages from 1, and only those
// it selects reach the device; the others are laid out the same way and dropped.
class ReportPages {
  public:
    // The device did not start, take a page or finish: for a file, it was not written whole.
    class DeviceError : public std::runtime_error {
      public:
        using std::runtime_error::runtime_error;
    };

    explicit ReportPages(QPagedPaintDevice& device);
    // Ends a painter an error left active.
    ~ReportPages();
    ReportPages(const ReportPages&) = delete;
    ReportPages& operator=(const ReportPages&) = delete;

    // A new pass over the job; `selected` takes a page number from 1.
    void startPass(std::function<bool(int)> selected);
    // The job's next page, in `orientation`. A device that refuses the page (a printer that
    // stopped, a file that could not be written) is a DeviceError.
    void nextPage(QPageLayout::Orientation orientation);
    // The painter of the current page; null while the page is dropped.
    QPainter* painter() { return dropped_ ? nullptr : &painter_; }
    // The device's points per inch and the height of a page's printable area in points.
    double dotsPerPoint() const;
    double pageHeight(QPageLayout::Orientation orientation) const;

    int passPages() const { return passPages_; } // the pages of this pass so far
    int printed() const { return printed_; }     // the pages that reached the device
    // Ends the painting; a device that does not finish is a DeviceError.
    void finish();

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    std::function<bool(int)> selected_;
    bool dropped_ = true;
    int passPages_ = 0;
    int printed_ = 0;
};

} // namespace rectix::ui
