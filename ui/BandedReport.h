#pragma once

#include "ui/ReportBand.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace rectix::dataset {
class Cursor;
class Field;
} // namespace rectix::dataset

namespace rectix::ui {

// A report of bands: the title band once at the top of the first page, the column header at the
// top of every page, the detail band once per row with a page break where the next row would not
// fit, and the summary at the end. Places and sizes are in points.
class BandedReport {
  public:
    QString title; // the print job's title when the report prints alone
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    ReportBand titleBand;
    ReportBand columnHeader;
    ReportBand detail;
    ReportBand summary;
    // Runs before the report prints (fills labels, moves cursors); an error stops the printing.
    std::function<void()> beforePrint;

    // The detail band's rows: firstRow() and then nextRow() until either gives false. Without
    // them the detail band prints once.
    std::function<bool()> firstRow;
    std::function<bool()> nextRow;
    // One detail band per row of the cursor, from its first row; the cursor must outlive the report.
    void setRows(dataset::Cursor& cursor);
    // A text element's value: the field of the current row as the data-aware controls show it.
    static std::function<QString()> fieldText(const dataset::Field& field);

    // Paints the report on the device from the top of its current page (the painter is active
    // on it); the pages it takes after the first are added with newPage(). Returns the pages used.
    int paint(QPainter& painter, QPagedPaintDevice& device) const;
};

} // namespace rectix::ui
