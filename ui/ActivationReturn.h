#pragma once

#include <QPointer>
#include <QWidget>

namespace rectix::ui {

// Takes note of the active window and its focus widget, and gives both back when asked: after a
// dialog, a progress window or a time disabled, a window manager may leave the activation with a
// window that is gone or with none, and enabling a window never activates it.
class ActivationReturn {
  public:
    // Notes the window that is active now; with none active, the window of `fallback`.
    explicit ActivationReturn(QWidget* fallback = nullptr);

    // Activates and raises the noted window, if still shown and enabled, and gives the focus back
    // to the widget that had it, unless the window's focus moved meanwhile to another widget
    // that can take it. Shortly after, a window manager that left the activation with a hidden
    // window or with none is made to give it back.
    void giveBack() const;

    QWidget* window() const { return window_; }

  private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace rectix::ui
