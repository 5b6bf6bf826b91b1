#include "ui/ReportPrinter.h"

#include "core/DurableFile.h"
#include "core/ScopeGuard.h"
#include "ui/CompositeReport.h"
#include "ui/ReportPages.h"
#include "ui/WrittenPdf.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

#include <filesystem>

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

constexpr const char* notWhole = "the report could not be written whole";

// The pages the dialog chose; copies only where the printer makes none of its own.
CompositeReport::PageChoice pageChoice(const QPrinter& printer) {
    CompositeReport::PageChoice choice;
    if (printer.printRange() == QPrinter::PageRange) choice.ranges = printer.pageRanges();
    choice.lastFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    if (!printer.supportsMultipleCopies()) {
        choice.copies = printer.copyCount();
        choice.collate = printer.collateCopies();
    }
    return choice;
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
    if (!printer.outputFileName().isEmpty()) return printToFile(report, printer);
    return report.paint(printer, pageChoice(printer));
}

int ReportPrinter::printToFile(const CompositeReport& report, QPrinter& printer) {
    const QString target = printer.outputFileName();
    const std::filesystem::path path(QFile::encodeName(target).toStdString());
    core::checkReplaceable(path);
    core::DurableReplacement file(path);
    const QString part = QFile::decodeName(QByteArray::fromStdString(file.partPath().string()));
    {
        // The printer would only say it did not start; the file says why.
        QFile probe(part);
        if (!probe.open(QIODevice::WriteOnly))
            throw core::FileWriteError(path, probe.errorString().toStdString());
    }
    printer.setOutputFileName(part);
    const core::ScopeGuard back([&printer, &target] { printer.setOutputFileName(target); });
    int printed = 0;
    try {
        printed = report.paint(printer, pageChoice(printer));
    } catch (const ReportPages::DeviceError&) {
        throw core::FileWriteError(path, notWhole);
    }
    if (printed == 0) return 0; // an empty job: the earlier file stays
    QFile written(part);
    if (!written.open(QIODevice::ReadOnly))
        throw core::FileWriteError(path, written.errorString().toStdString());
    if (!isWrittenPdf(written.readAll())) throw core::FileWriteError(path, notWhole);
    written.close();
    file.commit();
    return printed;
}

int ReportPrinter::printToPdf(const CompositeReport& report, const QString& path) {
    const std::unique_ptr<QPrinter> printer = reportPrinter(report.title, path);
    return printOn(report, *printer);
}

bool ReportPrinter::showSetupDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent); // titled by Qt, in the program's language
    return dialog.exec() == QDialog::Accepted;
}

} // namespace rectix::ui
