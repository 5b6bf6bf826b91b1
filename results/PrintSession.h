#pragma once

#include "core/TextSlots.h"
#include "dataset/Cursor.h"
#include "ui/BusyCursor.h"
#include "ui/DisabledWindow.h"

#include <vector>

class QWidget;

namespace rectix::taskdb {
struct RunStore;
}

namespace rectix::results {

// What every print command shares. Before the printer-setup dialog: the no-printer message
// while printing is off, then the confirmation while "Warnings" is on. While the report prints:
// the window disabled, the busy cursor (a file's folder may be awaited) and the tables' display
// suspended, each table back on the row it stood on when `keepRows`; all of it given back on every
// path, the window last.
class PrintSession {
  public:
    PrintSession(QWidget* window, std::vector<dataset::Cursor*> tables, bool keepRows);
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

    // False, after the two-line no-printer message, while printing is off.
    static bool printerReady(const taskdb::RunStore& store);
    // The question with OK and Cancel while "Warnings" is on; true on OK and when not asked.
    static bool confirmed(const taskdb::RunStore& store, core::Msg question);

  private:
    struct Held {
        dataset::Cursor* table;
        dataset::Bookmark row;
    };
    void giveBack();

    ui::DisabledWindow window_;
    ui::BusyCursor busy_;
    std::vector<Held> held_;
    bool keepRows_;
};

} // namespace rectix::results
