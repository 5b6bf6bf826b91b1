#pragma once

#include <QPointer>
#include <QWidget>

namespace rectix::ui {

// Disables a window (or any widget) for its lifetime and gives it back the enabled state it had,
// on every exit path; a window destroyed meanwhile is left alone.
class DisabledWindow {
  public:
    explicit DisabledWindow(QWidget* window);
    ~DisabledWindow();
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;

  private:
    QPointer<QWidget> window_;
    bool wasEnabled_ = true;
};

} // namespace rectix::ui
