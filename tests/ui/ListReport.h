#pragma once

#include "ui/BandedReport.h"

namespace rectix::ui::test {

// A list of `rows` rows under a title, a column header and a summary.
struct ListReport {
    BandedReport report;
    int row = 0;

    ListReport(const QString& name, int rows) {
        report.title = name;
        report.titleBand.height = 30;
        report.titleBand.add(ReportElement::label({0, 0, 400, 20}, name + " title"));
        report.columnHeader.height = 20;
        report.columnHeader.add(ReportElement::label({0, 0, 200, 16}, "Box Kind heading"));
        report.columnHeader.add(ReportElement::rule({0, 18, 500, 0}));
        report.detail.height = 14;
        report.detail.add(
            ReportElement::boundText({0, 0, 200, 14}, [this] { return "row " + QString::number(row); }));
        report.summary.height = 20;
        report.summary.add(ReportElement::label({0, 0, 200, 16}, name + " summary"));
        report.firstRow = [this, rows] { return (row = 1) <= rows; };
        report.nextRow = [this, rows] { return ++row <= rows; };
    }
};

} // namespace rectix::ui::test
