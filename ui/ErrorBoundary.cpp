#include "ui/ErrorBoundary.h"

#include "core/Errors.h"
#include "ui/MessageDialogs.h"

#include <exception>

namespace rectix::ui {

bool ErrorBoundary::run(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (...) {
        reportCurrent();
        return false;
    }
}

void ErrorBoundary::reportCurrent() {
    try {
        throw;
    } catch (const core::SilentAbort&) {
    } catch (const std::exception& e) {
        MessageDialogs::current().errorBox(e.what());
    } catch (...) {
        MessageDialogs::current().errorBox("Unknown error");
    }
}

} // namespace rectix::ui
