#include "ui/ReportPrinter.h"

#include "ui/CompositeReport.h"

#include <QPrintDialog>
#include <QPrinter>

namespace rectix::ui {

bool ReportPrinter::print(const CompositeReport& report, QWidget* parent) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.title);
    if (setup && !setup(printer, parent)) return false;
    // A change of output format in the dialog starts a new print engine without the title.
    printer.setDocName(report.title);
    report.paint(printer);
    return true;
}

int ReportPrinter::printToPdf(const CompositeReport& report, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(report.title);
    return report.paint(printer);
}

bool ReportPrinter::showSetupDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace rectix::ui
