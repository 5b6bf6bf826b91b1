// Reports printed to files: written whole or not at all, and the pages, order and copies chosen
// in the print dialog.
#include "../support/FileSizeLimit.h"
#include "../support/PdfPages.h"
#include "ListReport.h"

#include "core/DurableFile.h"
#include "ui/BandedReport.h"
#include "ui/CompositeReport.h"
#include "ui/ReportPrinter.h"
#include "ui/WrittenPdf.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace rectix::ui::test {

namespace {

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ReportFileTest : public ::testing::Test {
  protected:
    QString pdf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    bool partsLeft() const {
        return !QDir(dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden).isEmpty();
    }

    // Prints through the dialog's path, the dialog's choice made by `choose`.
    std::vector<std::string> printChosen(const std::function<void(QPrinter&)>& choose) {
        ReportPrinter printer;
        const QString file = pdf("chosen.pdf");
        printer.setup = [&](QPrinter& p, QWidget*) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            choose(p);
            return true;
        };
        EXPECT_TRUE(printer.print(CompositeReport(list.report)));
        return pdf::pages(file);
    }

    QTemporaryDir dir;
    ListReport list{"Boxes", 120}; // three pages: the title on the first, the summary on the last
};

bool titlePage(const std::string& text) {
    return pdf::contains(text, "Boxes title");
}
bool summaryPage(const std::string& text) {
    return pdf::contains(text, "Boxes summary");
}

} // namespace

TEST_F(ReportFileTest, AReportThatCannotBeWrittenWholeLeavesTheEarlierFileAndNoPart) {
    const QString file = pdf("list.pdf");
    ASSERT_EQ(ReportPrinter::printToPdf(CompositeReport(list.report), file), 3);
    const QByteArray earlier = bytesOf(file);
    try {
        const FileSizeLimit full(static_cast<rlim_t>(earlier.size() / 2));
        ReportPrinter::printToPdf(CompositeReport(list.report), file);
        ADD_FAILURE() << "the failure passed for success";
    } catch (const core::FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(file.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_EQ(bytesOf(file), earlier);
    EXPECT_FALSE(partsLeft());
}

TEST_F(ReportFileTest, AReadOnlyEarlierReportIsRefusedAndKeepsItsMode) {
    const QString file = pdf("kept.pdf");
    ReportPrinter::printToPdf(CompositeReport(list.report), file);
    const QByteArray earlier = bytesOf(file);
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(file, readOnly);
    EXPECT_THROW(ReportPrinter::printToPdf(CompositeReport(list.report), file), core::FileWriteError);
    EXPECT_EQ(bytesOf(file), earlier);
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(file.toStdString()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(partsLeft());
}

// The printer fills the part file: the new report still takes the earlier one's permissions.
TEST_F(ReportFileTest, AReportPrintedOverAnEarlierOneKeepsItsMode) {
    namespace fs = std::filesystem;
    const QString file = pdf("private.pdf");
    const ListReport earlier(QStringLiteral("Earlier"), 1);
    ReportPrinter::printToPdf(CompositeReport(earlier.report), file);
    fs::permissions(file.toStdString(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(ReportPrinter::printToPdf(CompositeReport(list.report), file), 3);
    EXPECT_EQ(pdf::pages(file).size(), 3u);
    EXPECT_EQ(fs::status(file.toStdString()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(partsLeft());
}

TEST_F(ReportFileTest, ThePageRangeChosenInTheDialogIsWhatPrints) {
    const std::vector<std::string> two = printChosen([](QPrinter& p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    });
    ASSERT_EQ(two.size(), 2u);
    EXPECT_FALSE(titlePage(two[0]));
    EXPECT_TRUE(summaryPage(two[1]));

    const std::vector<std::string> first = printChosen([](QPrinter& p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(1, 1);
    });
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(titlePage(first[0]));
}

TEST_F(ReportFileTest, ReverseOrderAndCopiesAreHonoured) {
    const std::vector<std::string> reverse =
        printChosen([](QPrinter& p) { p.setPageOrder(QPrinter::LastPageFirst); });
    ASSERT_EQ(reverse.size(), 3u);
    EXPECT_TRUE(summaryPage(reverse[0]));
    EXPECT_TRUE(titlePage(reverse[2]));

    const std::vector<std::string> collated = printChosen([](QPrinter& p) { p.setCopyCount(2); });
    ASSERT_EQ(collated.size(), 6u);
    EXPECT_TRUE(titlePage(collated[0]));
    EXPECT_TRUE(titlePage(collated[3]));

    const std::vector<std::string> uncollated = printChosen([](QPrinter& p) {
        p.setCopyCount(2);
        p.setCollateCopies(false);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    });
    ASSERT_EQ(uncollated.size(), 4u);
    EXPECT_EQ(uncollated[0], uncollated[1]);
    EXPECT_TRUE(summaryPage(uncollated[3]));
}

TEST_F(ReportFileTest, ARangeBeyondTheReportIsAnErrorAndWritesNothing) {
    ReportPrinter printer;
    const QString file = pdf("beyond.pdf");
    printer.setup = [&](QPrinter& p, QWidget*) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(5, 6);
        return true;
    };
    EXPECT_THROW(printer.print(CompositeReport(list.report)), std::runtime_error);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(partsLeft());
}

TEST_F(ReportFileTest, APdfShortOfAnyBytesIsNotWhole) {
    const QString file = pdf("whole.pdf");
    ReportPrinter::printToPdf(CompositeReport(list.report), file);
    const QByteArray whole = bytesOf(file);
    EXPECT_TRUE(isWrittenPdf(whole));
    EXPECT_FALSE(isWrittenPdf(whole.left(whole.size() - 10)));
    EXPECT_FALSE(isWrittenPdf(whole.left(whole.size() / 2)));
    // A chunk lost in the middle, the end still written.
    QByteArray holed = whole;
    holed.remove(whole.size() / 3, 512);
    EXPECT_FALSE(isWrittenPdf(holed));
    EXPECT_FALSE(isWrittenPdf(QByteArray()));
    EXPECT_FALSE(isWrittenPdf("%PDF-1.4\n%%EOF\n"));
}

// Numbers of a damaged cross-reference table past what a sum of them can hold: refused, not
// wrapped (the sanitizer build stops on a wrapped one).
TEST_F(ReportFileTest, ACrossReferenceOfHugeNumbersIsNotWhole) {
    const QByteArray end = "trailer\n<<>>\nstartxref\n9\n%%EOF\n";
    EXPECT_FALSE(isWrittenPdf("%PDF-1.4\nxref\n0 922337203685477580\n0000000000 65535 f \n" + end));
    EXPECT_FALSE(isWrittenPdf("%PDF-1.4\nxref\n9223372036854775807 2\n0000000000 65535 f \n"
                              "0000000009 00000 n \n" +
                              end));
    EXPECT_FALSE(isWrittenPdf("%PDF-1.4\nxref\n-5 1\n0000000009 00000 n \n" + end));
}

// The program's own print dialog, printing to a file with "Pages from 2 to 2" and reverse order:
// one page, the second. The dialog's controls are found by the names the toolkit gives them.
TEST_F(ReportFileTest, TheRealPrintDialogsPageRangeReachesTheReport) {
    ReportPrinter printer;
    const QString file = pdf("dialog.pdf");
    bool found = false;
    printer.setup = [&](QPrinter& p, QWidget* parent) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* range = dialog->findChild<QRadioButton*>(QStringLiteral("printRange"));
            auto* from = dialog->findChild<QSpinBox*>(QStringLiteral("from"));
            auto* to = dialog->findChild<QSpinBox*>(QStringLiteral("to"));
            found = range && from && to && range->isEnabled();
            if (found) {
                range->setChecked(true);
                to->setValue(2);
                from->setValue(2);
            }
            dialog->accept();
        });
        return ReportPrinter::showSetupDialog(p, parent);
    };
    ASSERT_TRUE(printer.print(CompositeReport(list.report)));
    if (!found) GTEST_SKIP() << "this toolkit's print dialog names its page range otherwise";
    const std::vector<std::string> pages = pdf::pages(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(titlePage(pages[0]));
    EXPECT_FALSE(summaryPage(pages[0]));
}

} // namespace rectix::ui::test
