#pragma once

#include "ui/WindowDialogs.h"

#include <QApplication>

namespace rectix::ui {

class CommandGuard;

// The application object. An error that an event handler lets escape ends that event's handling
// at the error boundary (error box, or nothing for a silent abort) instead of ending the
// program. While it lives, the program's dialogs are windows. An Alt+letter that no shortcut took
// types nothing into the program's edits and grids (Qt's text controls refuse only Ctrl). Typing
// still open in a window is written before a command acts on it (CommandGuard). The times of the
// keys typed are recorded (KeyTimes) so that a message is not answered by typing begun before it.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // The application object running, which every window of the program has.
    static Application& instance();
    CommandGuard& commandGuard() const { return *guard_; }

  private:
    WindowDialogs dialogs_;
    core::Dialogs* replaced_;
    CommandGuard* guard_;
};

} // namespace rectix::ui
