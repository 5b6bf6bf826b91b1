#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace rectix::ui {

class CompositeReport;

// Prints reports through QPrinter: on the system's printers, or to a PDF file (always offered),
// as chosen in the printer-setup dialog.
class ReportPrinter {
  public:
    // The printer-setup dialog; false (cancelled) stops the printing. Tests replace it.
    std::function<bool(QPrinter& printer, QWidget* parent)> setup = showSetupDialog;

    // Shows the setup dialog and prints the job; false when the dialog was cancelled. Errors
    // (a printer or file that cannot be written) pass on.
    bool print(const CompositeReport& report, QWidget* parent = nullptr) const;
    // Prints the job to a PDF file without a dialog; returns the pages.
    static int printToPdf(const CompositeReport& report, const QString& path);

    static bool showSetupDialog(QPrinter& printer, QWidget* parent);
};

} // namespace rectix::ui
