#include "ui/ErrorBoundary.h"

#include "core/Dialogs.h"
#include "core/Errors.h"

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
        core::Dialogs::current().errorBox(e.what());
    } catch (...) {
        core::Dialogs::current().errorBox("Unknown error");
    }
}

} // namespace rectix::ui
