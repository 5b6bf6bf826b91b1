#pragma once

#include "ui/MessageDialogs.h"

namespace rectix::ui {

// The message dialogs as modal windows over the active window.
class WindowMessageDialogs : public MessageDialogs {
  public:
    DialogButton show(DialogKind kind, const std::string& text, DialogButtons buttons,
                      int helpContext) override;
    void errorBox(const std::string& text) override;
    void plainMessage(const std::string& text) override;
};

} // namespace rectix::ui
