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
        begin();
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
        end();
    }
}

void OperationWindows::showProgress(bool shown) {
    if (shown) {
        begin();
        if (progressHolders_++ == 0 && progressWidget_) progress_->beginOperation();
    } else if (progressHolders_ > 0) {
        if (--progressHolders_ == 0 && progressWidget_) progress_->endOperation();
        end();
    }
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
        begin();
        if (holders++ == 0 && window) window->setEnabled(false);
    } else if (holders > 0) {
        if (--holders == 0 && window) window->setEnabled(true);
        end();
    }
}

void OperationWindows::begin() {
    if (held_++ == 0) activation_.emplace(main_);
}

void OperationWindows::end() {
    if (held_ == 0 || --held_ > 0) return;
    const std::optional<ui::ActivationReturn> activation = std::move(activation_);
    activation_.reset();
    if (activation) activation->giveBack();
}

} // namespace rectix::app
