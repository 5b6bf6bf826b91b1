#include "app/HelpFiles.h"

#include "ui/HelpWindow.h"

#include <limits>

namespace rectix::app {

HelpFiles::HelpFiles(const QString& folder) : folder_(folder) {
    ui::Help::global().setHandler(
        [this](ui::HelpCommand command, long data) { return handle(command, data); });
}

HelpFiles::~HelpFiles() {
    ui::Help::global().setHandler({});
}

ui::HelpWindow& HelpFiles::window() {
    if (!window_) window_ = std::make_unique<ui::HelpWindow>(folder_);
    return *window_;
}

bool HelpFiles::handle(ui::HelpCommand command, long data) {
    switch (command) {
    case ui::HelpCommand::Context:
    case ui::HelpCommand::ContextPopup: {
        const bool fits = data >= 0 && data <= std::numeric_limits<int>::max();
        window().showContext(fits ? static_cast<int>(data) : 0);
        return true;
    }
    case ui::HelpCommand::Quit:
        if (window_) window_->close();
        return true;
    case ui::HelpCommand::Key:
        break;
    }
    window().showIndex();
    return true;
}

} // namespace rectix::app
