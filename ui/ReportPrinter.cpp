#include "ui/ReportPrinter.h"

#include "ui/CompositeReport.h"

#include <QPrintDialog>
#include <QPrinter>

namespace rectix::ui {

namespace {

// Half an inch round the page: the reports are laid out for what is left of an A4 sheet.
// A PDF file when `pdf` names one, else the system's default printer.
std::unique_ptr<QPrinter> reportPrinter(const QString& title, const QString& pdf = {}) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdf.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
    }
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
    printer->setDocName(title);
    return printer;
}

} // namespace

bool ReportPrinter::print(const CompositeReport& report, QWidget* parent) const {
    const std::unique_ptr<QPrinter> printer = setUp(report, parent);
    if (!printer) return false;
    printOn(report, *printer);
    return true;
}

std::unique_ptr<QPrinter> ReportPrinter::setUp(const CompositeReport& report, QWidget* parent) const {
    std::unique_ptr<QPrinter> printer = reportPrinter(report.title);
    if (setup && !setup(*printer, parent)) return nullptr;
    return printer;
}

int ReportPrinter::printOn(const CompositeReport& report, QPrinter& printer) {
    // A change of output format in the dialog starts a new print engine without the title.
    printer.setDocName(report.title);
    return report.paint(printer);
}

int ReportPrinter::printToPdf(const CompositeReport& report, const QString& path) {
    const std::unique_ptr<QPrinter> printer = reportPrinter(report.title, path);
    return printOn(report, *printer);
}

bool ReportPrinter::showSetupDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace rectix::ui
