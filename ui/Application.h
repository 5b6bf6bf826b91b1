#pragma once

#include <QApplication>

namespace rectix::ui {

// The application object. An error that an event handler lets escape ends that event's handling
// at the error boundary (error box, or nothing for a silent abort) instead of ending the
// program.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace rectix::ui
