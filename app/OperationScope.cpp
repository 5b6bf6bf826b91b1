#include "app/OperationScope.h"

#include "app/ProgressWindow.h"
#include "core/Errors.h"

#include <QCoreApplication>

namespace rectix::app {

OperationScope::Running::Running() {
    if (running_) throw core::SilentAbort();
    running_ = true;
}

OperationScope::Running::~Running() {
    running_ = false;
}

OperationScope::Shown::Shown(ProgressWindow* w) : wait(w) {
    if (wait) wait->beginOperation();
}

OperationScope::Shown::~Shown() {
    if (wait) wait->endOperation();
}

OperationScope::OperationScope(QWidget* mainWindow, ProgressWindow* wait) : shown_(wait) {
    QCoreApplication::processEvents();
    disabled_.emplace(mainWindow);
}

OperationScope::~OperationScope() {
    QCoreApplication::processEvents();
}

} // namespace rectix::app
