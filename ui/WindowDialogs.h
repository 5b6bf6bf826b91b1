#pragma once

#include "core/Dialogs.h"

namespace rectix::ui {

// The program's dialogs as modal windows over the active window; the application object
// installs them for its lifetime.
class WindowDialogs : public core::Dialogs {
  public:
    core::DialogButton show(core::DialogKind kind, const std::string& text, core::DialogButtons buttons,
                            int helpContext) override;
    void errorBox(const std::string& text) override;
    void plainMessage(const std::string& text) override;
};

} // namespace rectix::ui
