// The task page's and the libraries' print commands in the running program: the page's figures in
// the task report, the questions, the no-printer message, and the window and tables given back.
#include "../support/FileSizeLimit.h"
#include "../support/PdfPages.h"
#include "TaskPageFixture.h"

#include "app/LibraryWindow.h"
#include "results/ReportForms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>

namespace {

using rectix::app::LibraryWindow;
using B = rectix::core::DialogButton;

class PrintCommandsTest : public TaskPageTest {
  protected:
    void SetUp() override {
        TaskPageTest::SetUp();
        printed = QString::fromStdString((folder.path / "printed.pdf").string());
        start.reports()->printer.setup = [this](QPrinter& printer, QWidget*) {
            ++setups;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return acceptSetup;
        };
    }
    void TearDown() override {
        for (const char* name : {"BoxForm", "CntForm"})
            if (auto* w = main->findChild<LibraryWindow*>(QString::fromLatin1(name))) w->hide();
        TaskPageTest::TearDown();
    }
    QString figure(const char* name) const { return part<QLineEdit>(name)->text(); }
    LibraryWindow* library(const char* name) const {
        auto* w = main->findChild<LibraryWindow*>(QString::fromLatin1(name));
        w->show();
        return w;
    }

    QString printed;
    int setups = 0;
    bool acceptSetup = true;
};

} // namespace

TEST_F(PrintCommandsTest, TheTaskReportShowsThePagesFiguresAndThePageComesBackAsItWas) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    dm->tc.last();
    dm->tb.first();
    store().warnings = true;
    dialogs.answers = {B::Ok};
    click("PrintButton");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], "confirm: Print task data report now?");
    EXPECT_EQ(setups, 1);

    const std::vector<std::string> pages = pdf::pages(printed);
    ASSERT_EQ(pages.size(), 2u);
    const std::string first = pdf::flat(pages[0]);
    for (const QString& text :
         {QStringLiteral("Shipment"), QStringLiteral("Area Util: ") + figure("EffVol") + QStringLiteral(" %"),
          QStringLiteral("Number ") + figure("AvlNmb"), QStringLiteral("LoadWgt ") + figure("AvlWgt"),
          QStringLiteral("Truck"), QStringLiteral("Van"), QStringLiteral("Net Cost: ") + figure("CostPck")})
        EXPECT_TRUE(pdf::contains(first, text.toStdString())) << text.toStdString() << "\n" << first;
    const std::string boxes = pdf::flat(pages[1]);
    for (const QString& text :
         {QStringLiteral("Pallet"), QStringLiteral("Crate"), QStringLiteral("Number ") + figure("TotNmb"),
          QStringLiteral("*** Rectix 1.95 ***")})
        EXPECT_TRUE(pdf::contains(boxes, text.toStdString())) << text.toStdString() << "\n" << boxes;

    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(dm->tc.controlsDisabled());
    EXPECT_FALSE(dm->tb.controlsDisabled());
    EXPECT_EQ(dm->tc.currentIndex(), 1u);
    EXPECT_EQ(dm->tb.currentIndex(), 0u);
}

TEST_F(PrintCommandsTest, WithoutAPrinterEveryPrintButtonShowsTheMessageOnly) {
    sampleTask();
    store().reportsFailed = true;
    store().warnings = true;
    click("PrintButton");
    LibraryWindow* boxes = library("BoxForm");
    ASSERT_TRUE(part<QPushButton>("PrintButton")->isEnabled());
    boxes->clearButtonClick();
    const std::string message = "errorbox: Default printer was not found on program start.\r"
                                "Please turn on printer/server and restart program.";
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{message, message}));
    EXPECT_EQ(setups, 0);
}

TEST_F(PrintCommandsTest, TheLibrariesPrintInBrowseModeAfterTheirQuestion) {
    sampleTask();
    store().warnings = true;
    LibraryWindow* boxes = library("BoxForm");
    QPushButton* print = boxes->findChild<QPushButton*>(QStringLiteral("ClearButton"));
    ASSERT_FALSE(boxes->editMode());
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(print->text(), QStringLiteral("&Print"));
    dialogs.answers = {B::Ok};
    boxes->clearButtonClick();
    EXPECT_EQ(dialogs.shown.back(), "confirm: Print Box Library report now?");
    const std::vector<std::string> pages = pdf::pages(printed);
    ASSERT_EQ(pages.size(), 1u);
    for (const char* text : {"Part / 2D Box Library", "Pallet", "Crate", "*** Rectix 1.95 ***"})
        EXPECT_TRUE(pdf::contains(pages[0], text)) << text;
    EXPECT_TRUE(boxes->isEnabled());
    EXPECT_FALSE(dm->boxes.controlsDisabled());

    // Cancelling the question, then the dialog: nothing printed.
    QFile::remove(printed);
    LibraryWindow* conts = library("CntForm");
    conts->clearButtonClick();
    EXPECT_EQ(dialogs.shown.back(), "confirm: Print Container Library report now?");
    EXPECT_EQ(setups, 1);
    store().warnings = false;
    acceptSetup = false;
    conts->clearButtonClick();
    EXPECT_EQ(setups, 2);
    EXPECT_FALSE(QFile::exists(printed));
    EXPECT_TRUE(conts->isEnabled());
    EXPECT_FALSE(dm->conts.controlsDisabled());
}

// A library row that another program wrote outside the table rules' ranges: the task report and
// the library report refuse it in the error box, and print nothing.
TEST_F(PrintCommandsTest, ARowOutsideTheRulesRangesPrintsInNoReport) {
    sampleTask();
    store().warnings = false;
    dm->boxes.events.beforePost = nullptr; // no rules: as another program writes
    for (dm->boxes.first(); dm->boxesKind.asString() != "Pallet"; dm->boxes.next()) {
    }
    dm->boxes.edit();
    dm->boxesWeight.setInteger(-5);
    dm->boxes.post();
    const std::string row = "table boxes, row (KindID " + std::to_string(dm->boxesKindID.asInteger()) + ")";

    click("PrintButton");
    library("BoxForm")->findChild<QPushButton*>(QStringLiteral("ClearButton"))->click();
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{
                  "errorbox: Task \"Shipment\": box kind \"Pallet\": Weight -5 is outside 0..32767",
                  "errorbox: " + row + ": Weight -5 is outside 0..32767"}));
    EXPECT_FALSE(QFile::exists(printed));
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(dm->boxes.controlsDisabled());
}

// A full disk while the task page prints to a file: the error box names the file, the earlier
// report stays byte for byte, and the page comes back.
TEST_F(PrintCommandsTest, AReportFileThatCannotBeWrittenIsAnErrorAndTheEarlierOneStays) {
    sampleTask();
    store().warnings = false;
    click("PrintButton");
    QFile file(printed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray earlier = file.readAll();
    file.close();
    ASSERT_FALSE(earlier.isEmpty());
    {
        const FileSizeLimit full(static_cast<rlim_t>(earlier.size() / 2));
        click("PrintButton");
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0],
              "errorbox: " + printed.toStdString() + ": the report could not be written whole");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
    EXPECT_TRUE(
        QFileInfo(printed).dir().entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(dm->tc.controlsDisabled());
}
