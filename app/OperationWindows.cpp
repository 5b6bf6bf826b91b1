#include "app/OperationWindows.h"

#include "app/ProgressWindow.h"

#include <QApplication>
#include <QCursor>

namespace rectix::app {

OperationWindows::~OperationWindows() {
    for (; busy_ > 0; --busy_) QApplication::restoreOverrideCursor();
}

void OperationWindows::setProgressWindow(ProgressWindow* window) {
    progress_ = window;
    progressWidget_ = window;
}

void OperationWindows::setBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
    }
}

void OperationWindows::showProgress(bool shown) {
    if (!progressWidget_) return;
    if (shown)
        progress_->beginOperation();
    else
        progress_->endOperation();
}

void OperationWindows::setPageEnabled(bool enabled) {
    hold(main_, mainHolders_, !enabled);
}

void OperationWindows::setSettingsEnabled(bool enabled) {
    hold(settings_, settingsHolders_, !enabled);
}

void OperationWindows::letEventsThrough() {
    QCoreApplication::processEvents();
}

void OperationWindows::hold(QWidget* window, int& holders, bool disabled) {
    if (disabled) {
        if (holders++ == 0 && window) window->setEnabled(false);
    } else if (holders > 0 && --holders == 0 && window) {
        window->setEnabled(true);
    }
}

} // namespace rectix::app
