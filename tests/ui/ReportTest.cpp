// The banded reports printed to PDF files and read back with poppler's tools: headings on every
// page, the summary last, composite parts on their own pages, the before-print hook, and a
// cancelled setup dialog that prints nothing.
#include "../support/PdfPages.h"
#include "ListReport.h"

#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"
#include "ui/ReportPrinter.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace rectix::ui::test {

namespace {

class ReportTest : public ::testing::Test {
  protected:
    QString pdf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ReportTest, HeadingsOnEveryPageRowsInOrderAndTheSummaryLast) {
    ListReport list("Boxes", 120);
    const int printed = ReportPrinter::printToPdf(CompositeReport(list.report), pdf("list.pdf"));
    const std::vector<std::string> text = pdf::pages(pdf("list.pdf"));
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(printed, static_cast<int>(text.size()));
    std::size_t next = 1;
    for (std::size_t p = 0; p < text.size(); ++p) {
        EXPECT_TRUE(pdf::contains(text[p], "Box Kind heading")) << "page " << p + 1;
        EXPECT_EQ(pdf::contains(text[p], "Boxes title"), p == 0) << "page " << p + 1;
        EXPECT_EQ(pdf::contains(text[p], "Boxes summary"), p + 1 == text.size()) << "page " << p + 1;
        // Each page goes on with the row after the last one of the page before.
        std::size_t at = 0;
        while ((at = text[p].find("row " + std::to_string(next) + "\n", at)) != std::string::npos) ++next;
    }
    EXPECT_EQ(next, 121u);
}

TEST_F(ReportTest, CompositePartsStartNewPagesInTheirOwnOrientation) {
    ListReport first("Containers", 3), second("Layout", 2);
    second.report.orientation = QPageLayout::Landscape;
    CompositeReport job;
    job.title = QStringLiteral("Solution");
    job.parts = {&first.report, &second.report};
    EXPECT_EQ(ReportPrinter::printToPdf(job, pdf("job.pdf")), 2);
    const std::vector<std::string> text = pdf::pages(pdf("job.pdf"));
    ASSERT_EQ(text.size(), 2u);
    EXPECT_TRUE(pdf::contains(text[0], "Containers summary"));
    EXPECT_FALSE(pdf::contains(text[0], "Layout title"));
    EXPECT_TRUE(pdf::contains(text[1], "Layout title"));
    const std::string info = pdf::info(pdf("job.pdf"));
    EXPECT_TRUE(pdf::contains(info, "Title:           Solution")) << info;
    // A4 portrait, then landscape.
    EXPECT_TRUE(pdf::contains(info, "Page    1 size:  595 x 842")) << info;
    EXPECT_TRUE(pdf::contains(info, "Page    2 size:  842 x 595")) << info;
}

TEST_F(ReportTest, TheBeforePrintHookFillsTheLabels) {
    ListReport list("Task", 1);
    list.report.beforePrint = [&] { list.report.titleBand.elements[0].text = "Filled by the hook"; };
    ReportPrinter::printToPdf(CompositeReport(list.report), pdf("hook.pdf"));
    const std::vector<std::string> text = pdf::pages(pdf("hook.pdf"));
    ASSERT_EQ(text.size(), 1u);
    EXPECT_TRUE(pdf::contains(text[0], "Filled by the hook"));
}

TEST_F(ReportTest, AnImageIsStretchedToItsFrame) {
    BandedReport report;
    report.titleBand.height = 120;
    QImage red(4, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    report.titleBand.add(ReportElement::picture({0, 0, 200, 100}, red));
    ReportPrinter::printToPdf(CompositeReport(report), pdf("image.pdf"));
    const QImage page = pdf::render(pdf("image.pdf"), 1);
    ASSERT_FALSE(page.isNull());
    int reds = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++reds;
        }
    // 200 x 100 points at 72 dots per inch, give or take the edges.
    EXPECT_NEAR(reds, 20000, 600);
}

TEST_F(ReportTest, ACancelledSetupDialogPrintsNothing) {
    ListReport list("Boxes", 5);
    ReportPrinter printer;
    const QString file = pdf("cancelled.pdf");
    printer.setup = [&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        return false;
    };
    EXPECT_FALSE(printer.print(CompositeReport(list.report)));
    EXPECT_FALSE(QFile::exists(file));

    printer.setup = [&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        return true;
    };
    EXPECT_TRUE(printer.print(CompositeReport(list.report)));
    EXPECT_EQ(pdf::pages(file).size(), 1u);
}

} // namespace rectix::ui::test
