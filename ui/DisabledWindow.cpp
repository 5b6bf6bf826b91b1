#include "ui/DisabledWindow.h"

namespace rectix::ui {

DisabledWindow::DisabledWindow(QWidget* window) : window_(window), activation_(window) {
    if (!window_) return;
    wasEnabled_ = !window_->testAttribute(Qt::WA_ForceDisabled);
    window_->setEnabled(false);
}

DisabledWindow::~DisabledWindow() {
    if (!window_) return;
    window_->setEnabled(wasEnabled_);
    activation_.giveBack();
}

} // namespace rectix::ui
