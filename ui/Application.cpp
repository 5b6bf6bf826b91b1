#include "ui/Application.h"

#include "ui/ErrorBoundary.h"

namespace rectix::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorBoundary::reportCurrent();
        return false;
    }
}

} // namespace rectix::ui
