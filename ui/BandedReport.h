#pragma once

#include "ui/ReportBand.h"

#include <QPageLayout>
#include <QString>

#include <functional>

namespace rectix::dataset {
class Cursor;
class Field;
} // namespace rectix::dataset

namespace rectix::ui {

class ReportPages;

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

    // Lays the report out on the job's pages from a new one on, painting those the pass selects.
    // Returns the pages it took.
    int paint(ReportPages& pages) const;
};

} // namespace rectix::ui
