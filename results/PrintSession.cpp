#include "results/PrintSession.h"

#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/RunStore.h"
#include "ui/ErrorBoundary.h"

namespace rectix::results {

PrintSession::PrintSession(QWidget* window, std::vector<dataset::Cursor*> tables, bool keepRows)
    : window_(window), keepRows_(keepRows) {
    try {
        for (dataset::Cursor* table : tables) {
            if (!table->isOpen()) continue;
            held_.push_back({table, keepRows ? table->bookmark() : dataset::Bookmark{}});
            table->disableControls();
        }
    } catch (...) {
        giveBack();
        throw;
    }
}

PrintSession::~PrintSession() {
    giveBack();
}

// Every step is tried: a table that cannot return to its row still shows again. A destructor may
// run while an error unwinds, so a failure here is reported, not thrown.
void PrintSession::giveBack() {
    // In taking order, so a master stands on its row before its details return to theirs.
    for (Held& h : held_) {
        if (keepRows_ && h.row.valid)
            ui::ErrorBoundary::run([&h] {
                if (h.table->isOpen() && h.table->bookmarkValid(h.row)) h.table->gotoBookmark(h.row);
            });
        h.table->freeBookmark(h.row);
    }
    for (Held& h : held_) ui::ErrorBoundary::run([&h] { h.table->enableControls(); });
    held_.clear();
}

bool PrintSession::printerReady(const taskdb::RunStore& store) {
    if (!store.reportsFailed) return true;
    core::Dialogs::current().errorBox(core::messageText(core::Msg::NoDefaultPrinter) + "\r" +
                                      core::messageText(core::Msg::TurnOnPrinter));
    return false;
}

bool PrintSession::confirmed(const taskdb::RunStore& store, core::Msg question) {
    return !store.warnings ||
           core::Dialogs::current().show(core::DialogKind::Confirmation, core::messageText(question),
                                         core::DialogButton::Ok | core::DialogButton::Cancel,
                                         0) == core::DialogButton::Ok;
}

} // namespace rectix::results
