// Every figure of the five reports, at the largest value its field can hold, prints whole inside
// its column under a point and a comma locale: painted by the reports' own painter, no ink
// touches or crosses the column's edges, and the cell holds the number, not the overflow mark.
#include "../support/RegionalDesktop.h"
#include "ReportFixture.h"

#include "results/ImageReport.h"
#include "results/LibraryReport.h"
#include "results/SolutionReport.h"
#include "results/TaskReport.h"
#include "taskdb/Figures.h"
#include "ui/FigureFit.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace rectix::results::test {

namespace {

constexpr int dpi = 300;

// A figure painted alone: its value, what the cell prints, its column's edges and the columns of
// its dark pixels, in page pixels, and the width the whole printed text inks when nothing clips it.
struct Painted {
    QString value;
    QString printed;
    bool figure; // printed by the rule for numbers
    bool rightAligned;
    double left, right; // the column's edges
    int first, last;
    int wholeInk;
};

QImage page(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

// The first and last columns with a dark pixel, offset by `x0`.
std::pair<int, int> ink(const QImage& image, int x0) {
    int first = std::numeric_limits<int>::max(), last = std::numeric_limits<int>::min();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                first = std::min(first, x + x0);
                last = std::max(last, x + x0);
            }
    return {first, last};
}

Painted paintAlone(const ui::ReportElement& e) {
    const double scale = dpi / 72.0;
    constexpr double around = 20; // points of page either side of the column
    const QSize size(static_cast<int>((e.rect.width() + 2 * around) * scale),
                     static_cast<int>(e.rect.height() * scale) + 2);
    QImage cell = page(size);
    const QString value = e.kind == ui::ReportElement::Kind::Label ? e.text : e.value();
    ui::FigureFit fit{value, e.font};
    if (e.figure) fit = ui::FigureFit::printed(value, e.font, e.rect.width() * scale, &cell);
    const auto x0 = static_cast<int>((e.rect.left() - around) * scale);
    {
        QPainter painter(&cell);
        painter.translate(-x0, -e.rect.top() * scale);
        ui::ReportBand band;
        band.height = e.rect.bottom();
        band.add(e);
        band.paint(painter, 0, scale);
    }
    const auto [first, last] = ink(cell, x0);
    QImage whole = page(QSize(size.width() * 3, size.height()));
    {
        QPainter painter(&whole);
        painter.setFont(fit.font);
        painter.drawText(QPointF(size.width(), size.height() * 0.75), fit.text);
    }
    const auto [wholeFirst, wholeLast] = ink(whole, 0);
    const bool right = (e.alignment & Qt::AlignRight) != 0;
    return {value,
            fit.text,
            e.figure,
            right,
            e.rect.left() * scale,
            e.rect.right() * scale,
            first,
            last,
            wholeLast - wholeFirst};
}

// The figures of a band as printed for the cursors' current rows: those it marks, and any value
// with a digit in it.
void paintFigures(const ui::ReportBand& band, std::vector<Painted>& out) {
    for (const ui::ReportElement& e : band.elements)
        if (e.figure ||
            (e.kind == ui::ReportElement::Kind::Text && e.value().contains(QRegularExpression("[0-9]"))))
            out.push_back(paintAlone(e));
}

// Every figure of the job: title bands, each detail row, summaries.
std::vector<Painted> paintFigures(const ui::CompositeReport& job) {
    std::vector<Painted> out;
    for (const ui::BandedReport* part : job.addReports ? job.addReports() : job.parts) {
        if (part->beforePrint) part->beforePrint();
        paintFigures(part->titleBand, out);
        if (part->firstRow)
            for (bool row = part->firstRow(); row; row = part->nextRow()) paintFigures(part->detail, out);
        paintFigures(part->summary, out);
    }
    return out;
}

// In the regional form: "1.5" under a comma locale is "1,5".
QString regional(const char* text) {
    return QString::fromLatin1(text).replace(
        QLatin1Char('.'), QString::fromStdString(core::NumberFormat::regional().decimalSeparator()));
}

struct ReportCase {
    const char* name;
    const ui::CompositeReport& job;
    std::vector<const char*> widest; // figures each printed whole, in the point form
};

} // namespace

class ReportFigures : public ReportTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReportFigures, TheLargestValuesPrintWholeInsideTheirColumns) {
    load("reports/largest.solution");
    const rectix::test::RegionalDesktop desktop(GetParam());
    ASSERT_TRUE(desktop.active());
    std::array<QString, taskdb::pageFigureCount> figures;
    for (std::size_t f = 0; f < figures.size(); ++f)
        figures[f] = QString::fromStdString(taskdb::pageFigureText(
            dm->totals(), static_cast<taskdb::PageFigure>(f), core::NumberFormat::regional()));
    forms->task().setLabels(TaskReportLabels::fromPage(figures, QStringLiteral("1000000"), true, true));
    dm->solut.first();
    forms->solution().markSelected();

    const ReportCase reports[] = {
        {"task",
         forms->task().job(),
         {"999999999.99", "123456.78", "32767", "32766", "1073676288", "89478485", "1000000"}},
        {"container library", forms->containerLibrary().job(), {"32767", "32766", "1073676288", "89478485"}},
        {"box library", forms->boxLibrary().job(), {"32767", "1073676288"}},
        {"solution",
         forms->solution().job(),
         {"32767", "89478485", "100.00", "1073676288", "1000000000000", "999999999.99"}},
        {"image", forms->image().job(), {}}};
    for (const ReportCase& report : reports) {
        SCOPED_TRACE(report.name);
        const std::vector<Painted> painted = paintFigures(report.job);
        std::set<QString> whole;
        for (const Painted& p : painted) {
            SCOPED_TRACE(p.value.toStdString());
            whole.insert(p.printed);
            if (p.value.isEmpty()) continue;
            EXPECT_TRUE(p.figure);
            EXPECT_EQ(p.printed.toStdString(), p.value.toStdString());
            const std::string where = "ink from " + std::to_string(p.first) + " to " +
                                      std::to_string(p.last) + ", column " + std::to_string(p.left) + " to " +
                                      std::to_string(p.right);
            // Nothing of the text is cut off: clipped, a glyph may go whole and leave no trace at the edge.
            EXPECT_NEAR(p.last - p.first, p.wholeInk, 1) << where;
            // Inside the column, and the edge the text runs towards is clear: a glyph cut there
            // leaves ink on it.
            EXPECT_GE(p.first, p.rightAligned ? p.left + 1 : std::floor(p.left)) << where;
            EXPECT_LE(p.last + 1, p.rightAligned ? std::ceil(p.right) : p.right - 1) << where;
        }
        for (const char* widest : report.widest)
            EXPECT_TRUE(whole.count(regional(widest))) << widest << " is not printed whole";
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, ReportFigures, ::testing::Values("C", "it_IT"));

} // namespace rectix::results::test
