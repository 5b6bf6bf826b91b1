#include "core/Dialogs.h"

namespace rectix::core {

namespace {

// Headless: shows nothing, and every question is closed without an answer.
class NoDialogs : public Dialogs {
  public:
    DialogButton show(DialogKind, const std::string&, DialogButtons, int) override {
        return DialogButton::Cancel;
    }
    void errorBox(const std::string&) override {}
    void plainMessage(const std::string&) override {}
};

Dialogs* installed = nullptr;

} // namespace

Dialogs& Dialogs::current() {
    static NoDialogs none;
    return installed ? *installed : none;
}

Dialogs* Dialogs::install(Dialogs* dialogs) {
    Dialogs* previous = installed;
    installed = dialogs;
    return previous;
}

} // namespace rectix::core
