#pragma once

#include "ui/Help.h"

#include <QString>

#include <memory>

namespace rectix::ui {
class HelpWindow;
}

namespace rectix::app {

// The application's help handler: while it exists, every help request goes to the help pages
// shipped with the program, shown in one help window. Create it after the application object
// and let it go before.
class HelpFiles {
  public:
    // The pages' folder; by default the pages built into the program.
    explicit HelpFiles(const QString& folder = QStringLiteral(":/help"));
    ~HelpFiles();
    HelpFiles(const HelpFiles&) = delete;
    HelpFiles& operator=(const HelpFiles&) = delete;

    // A context (or context pop-up) shows that context's page, the help key the index, quit
    // closes the help window, any other command the index. Always handled.
    bool handle(ui::HelpCommand command, long data);

    // The help window, created when first needed.
    ui::HelpWindow& window();

  private:
    QString folder_;
    std::unique_ptr<ui::HelpWindow> window_;
};

} // namespace rectix::app
