#include "ui/Application.h"

#include "ui/ErrorBoundary.h"

namespace rectix::ui {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), replaced_(core::Dialogs::install(&dialogs_)) {}

Application::~Application() {
    core::Dialogs::install(replaced_);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorBoundary::reportCurrent();
        return false;
    }
}

} // namespace rectix::ui
