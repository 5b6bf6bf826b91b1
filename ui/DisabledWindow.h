#pragma once

#include "ui/ActivationReturn.h"

#include <QPointer>
#include <QWidget>

namespace rectix::ui {

// Disables a window (or any widget) for its lifetime and gives it back the enabled state it had,
// on every exit path; a window destroyed meanwhile is left alone. The window that was active
// before is active again afterwards, with its focus.
class DisabledWindow {
  public:
    explicit DisabledWindow(QWidget* window);
    ~DisabledWindow();
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;

  private:
    QPointer<QWidget> window_;
    bool wasEnabled_ = true;
    ActivationReturn activation_;
};

} // namespace rectix::ui
