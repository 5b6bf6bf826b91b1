#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace rectix::ui {

class CompositeReport;

// Prints reports through QPrinter: on the system's printers, or to a PDF file (always offered),
// as chosen in the printer-setup dialog, with the pages, order and copies the dialog chose.
//
// A file is printed beside its target and put in its place only when it was written whole: a
// failure or a kill leaves the earlier file as it was, and the failure is a core::FileWriteError
// naming the file. A read-only earlier file is refused before anything is printed.
class ReportPrinter {
  public:
    // The printer-setup dialog; false (cancelled) stops the printing. Tests replace it.
    std::function<bool(QPrinter& printer, QWidget* parent)> setup = showSetupDialog;

    // Shows the setup dialog and prints the job; false when the dialog was cancelled. Errors
    // (a printer or file that cannot be written) pass on.
    bool print(const CompositeReport& report, QWidget* parent = nullptr) const;
    // The two halves of print(), for a command with steps between them: the printer the setup
    // dialog chose (null when it was cancelled), and the job printed on it; returns the pages.
    std::unique_ptr<QPrinter> setUp(const CompositeReport& report, QWidget* parent = nullptr) const;
    static int printOn(const CompositeReport& report, QPrinter& printer);
    // Prints the job to a PDF file without a dialog; returns the pages.
    static int printToPdf(const CompositeReport& report, const QString& path);

    static bool showSetupDialog(QPrinter& printer, QWidget* parent);

  private:
    static int printToFile(const CompositeReport& report, QPrinter& printer);
};

} // namespace rectix::ui
