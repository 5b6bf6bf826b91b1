#include "app/TaskDbDialogs.h"

#include "ui/MessageDialogs.h"

#include <algorithm>

namespace rectix::app {

namespace {

using TB = taskdb::DialogButton;
using UB = ui::DialogButton;

ui::DialogKind toUi(taskdb::DialogKind kind) {
    switch (kind) {
    case taskdb::DialogKind::Warning:
        return ui::DialogKind::Warning;
    case taskdb::DialogKind::Error:
        return ui::DialogKind::Error;
    case taskdb::DialogKind::Information:
        return ui::DialogKind::Information;
    case taskdb::DialogKind::Confirmation:
        break;
    }
    return ui::DialogKind::Confirmation;
}

// Closed offers no button of its own.
ui::DialogButtons toUi(const std::vector<TB>& buttons) {
    ui::DialogButtons set;
    for (TB b : buttons) {
        switch (b) {
        case TB::OK:
            set = set | UB::Ok;
            break;
        case TB::Cancel:
            set = set | UB::Cancel;
            break;
        case TB::Yes:
            set = set | UB::Yes;
            break;
        case TB::No:
            set = set | UB::No;
            break;
        case TB::All:
            set = set | UB::All;
            break;
        case TB::YesToAll:
            set = set | UB::YesToAll;
            break;
        case TB::Ignore:
            set = set | UB::Ignore;
            break;
        case TB::Closed:
            break;
        }
    }
    return set;
}

TB fromUi(UB answer, const std::vector<TB>& offered) {
    switch (answer) {
    case UB::Ok:
        return TB::OK;
    case UB::Cancel:
        return std::ranges::find(offered, TB::Cancel) != offered.end() ? TB::Cancel : TB::Closed;
    case UB::Yes:
        return TB::Yes;
    case UB::No:
        return TB::No;
    case UB::All:
        return TB::All;
    case UB::YesToAll:
        return TB::YesToAll;
    case UB::Ignore:
        return TB::Ignore;
    case UB::NoToAll:
        break;
    }
    return TB::Closed;
}

} // namespace

taskdb::DialogButton TaskDbDialogs::showWindow(taskdb::DialogKind kind, const std::string& text,
                                               const std::vector<taskdb::DialogButton>& buttons,
                                               int helpContext) {
    return fromUi(ui::MessageDialogs::current().show(toUi(kind), text, toUi(buttons), helpContext), buttons);
}

void TaskDbDialogs::showMessage(const std::string& text) {
    ui::MessageDialogs::current().plainMessage(text);
}

} // namespace rectix::app
