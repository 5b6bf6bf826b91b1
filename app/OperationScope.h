#pragma once

#include "ui/BusyCursor.h"
#include "ui/DisabledWindow.h"

#include <QWidget>

#include <optional>

namespace rectix::app {

class ProgressWindow;

// The frame of a long operation (solving, clearing a solution, deleting or copying a task). For
// its lifetime the progress window is shown application-modal, the busy cursor is set and the
// main window is disabled; on every exit path, an error included, the pending events are let
// through, then the main window, the cursor and the progress window (hidden, overall bar at 0)
// are restored. Operations do not nest: a second one started inside a running one is refused
// with a silent abort.
class OperationScope {
  public:
    // Without a progress window the operation only takes the busy cursor and the disabled main
    // window.
    OperationScope(QWidget* mainWindow, ProgressWindow* wait);
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

    static bool running() { return running_; }

  private:
    // Marks the operation running for exactly the scope's lifetime.
    struct Running {
        Running();
        ~Running();
    };
    // Shows the progress window and hides it again.
    struct Shown {
        explicit Shown(ProgressWindow* wait);
        ~Shown();
        ProgressWindow* wait;
    };

    Running nesting_;
    Shown shown_;
    ui::BusyCursor cursor_;
    std::optional<ui::DisabledWindow> disabled_;

    static inline bool running_ = false;
};

} // namespace rectix::app
