#include "ui/MessageDialogs.h"

#include "ui/WindowMessageDialogs.h"

namespace rectix::ui {

namespace {

MessageDialogs* installed = nullptr;

} // namespace

MessageDialogs& MessageDialogs::current() {
    static WindowMessageDialogs windows;
    return installed ? *installed : windows;
}

void MessageDialogs::install(MessageDialogs* dialogs) {
    installed = dialogs;
}

} // namespace rectix::ui
