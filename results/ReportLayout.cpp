#include "results/ReportLayout.h"

#include "core/Version.h"
#include "dataset/Cursor.h"
#include "ui/ShownValue.h"

#include <QCoreApplication>

namespace rectix::results::reportLayout {

QFont font(double points, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

ui::ReportElement label(double x, double y, double width, const QString& text, double points, bool bold,
                        Qt::Alignment alignment) {
    ui::ReportElement e = ui::ReportElement::label({x, y, width, points + 5}, text, alignment);
    e.font = font(points, bold);
    return e;
}

ui::ReportElement field(double x, double y, double width, const dataset::Cursor& cursor, const char* name,
                        double points, bool bold, Qt::Alignment alignment) {
    const dataset::Field& f = cursor.field(name);
    ui::ReportElement e =
        ui::ReportElement::boundText({x, y, width, points + 5}, ui::BandedReport::fieldText(f), alignment);
    e.font = font(points, bold);
    e.figure = ui::showsFigure(f);
    return e;
}

namespace {

Qt::Alignment alignmentOf(const Column& c) {
    return (c.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

ui::ReportBand columnHeader(const std::vector<Column>& columns, double width) {
    ui::ReportBand band;
    band.height = rowHeight + 6;
    band.add(ui::ReportElement::rule({0, 1, width, 0}));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (c.heading[0] == '\0') continue;
        // A heading over the columns that have none of their own.
        double span = c.width;
        for (std::size_t j = i + 1; j < columns.size() && columns[j].heading[0] == '\0'; ++j)
            span = columns[j].x + columns[j].width - c.x;
        const bool spans = span > c.width;
        band.add(label(c.x, 3, span, QString::fromUtf8(c.heading), 10, false,
                       spans ? Qt::AlignHCenter | Qt::AlignVCenter : alignmentOf(c)));
    }
    band.add(ui::ReportElement::rule({0, rowHeight + 4, width, 0}));
    return band;
}

ui::ReportBand detail(const dataset::Cursor& cursor, const std::vector<Column>& columns, double width) {
    ui::ReportBand band;
    band.height = rowHeight + 1;
    for (const Column& c : columns)
        band.add(field(c.x, 0, c.width, cursor, c.field, 10, false, alignmentOf(c)));
    band.add(ui::ReportElement::rule({0, rowHeight, width, 0}, 0.25));
    return band;
}

ui::ReportBand titleLineBand() {
    ui::ReportBand band;
    band.height = 16;
    band.add(label(0, 6, 300, QString(), 6));
    return band;
}

QString titleLine() {
    return QStringLiteral("*** ") + QCoreApplication::applicationName() + QLatin1Char(' ') +
           QString::fromLatin1(core::programVersion) + QStringLiteral(" ***");
}

void setTitleLine(ui::BandedReport& report) {
    report.summary.elements.front().text = titleLine();
}

} // namespace rectix::results::reportLayout
