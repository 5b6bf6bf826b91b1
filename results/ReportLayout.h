#pragma once

#include "ui/BandedReport.h"

#include <QFont>
#include <QString>

#include <vector>

namespace rectix::dataset {
class Cursor;
}

namespace rectix::results {

// The look the five report forms share: 10-point headings and values, bold titles, column
// headers with a rule above and below, a rule under each row, and the title line in the summary.
// Places are in points on a page whose printable part is at least `pageWidth` wide.
namespace reportLayout {

inline constexpr double pageWidth = 523;      // A4 portrait less the printer's margins
inline constexpr double landscapeWidth = 770; // A4 landscape less the margins
inline constexpr double rowHeight = 15;

QFont font(double points, bool bold = false);

ui::ReportElement label(double x, double y, double width, const QString& text, double points = 10,
                        bool bold = false, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// The field of the cursor's current row as the tables format it; a number or a date prints whole
// (ui::FigureFit).
ui::ReportElement field(double x, double y, double width, const dataset::Cursor& cursor, const char* name,
                        double points = 10, bool bold = false,
                        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// One column of a list: its heading (empty under a heading that spans columns), the field it
// prints and its place.
struct Column {
    const char* heading;
    const char* field;
    double x;
    double width;
    bool number = true; // numbers to the right
};

// The column header: the headings between a rule above and a rule below. A heading wider than
// its column runs on over the columns after it.
ui::ReportBand columnHeader(const std::vector<Column>& columns, double width = pageWidth);
// One row of the cursor with a rule below it.
ui::ReportBand detail(const dataset::Cursor& cursor, const std::vector<Column>& columns,
                      double width = pageWidth);
// The summary holding the title line; its text is set before the report prints.
ui::ReportBand titleLineBand();
// "*** " + application title + " " + version + " ***" into the summary's title line.
void setTitleLine(ui::BandedReport& report);
QString titleLine();

} // namespace reportLayout

} // namespace rectix::results
