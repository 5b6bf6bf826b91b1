// The library windows' commands: Reset, Copy to, Clear and Print.
#include "app/LibraryWindow.h"

#include "app/LibraryKind.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/UiTexts.h"
#include "dataset/Transaction.h"
#include "results/LibraryReport.h"
#include "results/PrintSession.h"
#include "results/ReportForms.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/ProgressView.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolveBridge.h"
#include "ui/ReportPrinter.h"

#include <QPrinter>
#include <QPushButton>

#include <memory>
#include <vector>

namespace rectix::app {

namespace {

using dataset::CursorState;

bool editing(const dataset::Cursor& c) {
    return c.state() == CursorState::Edit || c.state() == CursorState::Insert;
}

bool onLastRow(dataset::Cursor& c) {
    return c.currentIndex() + 1 >= c.recordCount();
}

// Runs `f` on every row, first to last; `f` may change the row but not move.
template <typename F> void forEachRow(dataset::Cursor& c, F f) {
    if (c.isEmpty()) return;
    for (c.first();; c.next()) {
        f();
        if (onLastRow(c)) break;
    }
}

// From this many rows on, a command over the library shows the progress window and answers Esc.
constexpr std::size_t longCommand = 2000;

// The progress of a command over many rows, when it is long: the bar, the window's events, and
// Esc, which ends the command with nothing of it stored.
class RowProgress {
  public:
    RowProgress(taskdb::ProgressView& wait, std::size_t rows)
        : wait_(wait), rows_(rows), shown_(rows >= longCommand) {
        if (!shown()) return;
        wait_.setEscPressed(false);
        wait_.setStep(core::Caption::EscToAbort);
        wait_.setOverallPercent(0);
        wait_.repaintNow();
    }

    bool shown() const { return shown_; }
    // The command goes on over `rows` more rows.
    void extend(std::size_t rows) { rows_ += rows; }

    void step() {
        if (!shown() || ++done_ % 128 != 0) return;
        wait_.setOverallPercent(static_cast<int>(done_ * 100 / rows_));
        wait_.repaintNow();
        wait_.processMessages();
        if (wait_.escPressed()) throw core::SilentAbort();
    }

  private:
    taskdb::ProgressView& wait_;
    std::size_t rows_;
    const bool shown_;
    std::size_t done_ = 0;
};

// The frame of a command over the library (and the task's rows): a failure or Esc rolls the
// whole command back, and the windows show the rows as they are again.
taskdb::OperationFrame::Options commandFrame(const RowProgress& progress,
                                             std::vector<dataset::Cursor*> cursors) {
    auto options = taskdb::OperationFrame::Options().busyCursor().controlsOff(cursors).onFailure([cursors] {
        // A row left half-made by the error is dropped, not posted by the refresh.
        for (dataset::Cursor* c : cursors)
            if (c->isOpen()) {
                c->cancel();
                c->refresh();
            }
    });
    if (progress.shown()) options.progress();
    return options;
}

} // namespace

// One transaction: a kill or an error leaves every quantity as it was or every one zero.
void LibraryWindow::resetButtonClick() {
    postLibrary();
    dataset::Cursor& lib = library();
    dataset::Field& amount = lib.field(kind_.amountField);
    RowProgress progress(dm_.waitWindow(), lib.recordCount());
    {
        const taskdb::OperationFrame frame(dm_.operationView(), commandFrame(progress, {&lib}));
        dataset::Transaction tx(dm_.db);
        forEachRow(lib, [&] {
            progress.step();
            if (amount.asInteger() <= 0) return;
            lib.edit();
            amount.setInteger(0);
            lib.post();
        });
        tx.commit();
        lib.first();
    }
}

// The library rows with a quantity are stamped with the task and their quantities written into
// the task's rows: a row of the task for the same type (kind) takes the quantity, others are
// added with the task key, the type (kind) and the quantity only. Each goes through the rules of
// typed task rows; a refused one is left out after its message, the others are copied. The
// stamps and the rows are one transaction.
void LibraryWindow::moveButtonClick() {
    setNavigatorState();
    if (!moveButton_->isEnabled()) return;
    postLibrary();
    dataset::Cursor& lib = library();
    dataset::Field& key = lib.field(kind_.keyField);
    dataset::Field& amount = lib.field(kind_.amountField);
    dataset::Field& taskID = lib.field("TaskID");
    const std::int32_t task = dm_.tasksTaskID.asInteger();
    dataset::Cursor& rows = taskRows();

    struct Stamped {
        std::int32_t id;
        std::int32_t amount;
    };
    std::vector<Stamped> stamped;
    RowProgress progress(dm_.waitWindow(), lib.recordCount());
    {
        const taskdb::OperationFrame frame(dm_.operationView(), commandFrame(progress, {&lib, &rows}));
        dataset::Transaction tx(dm_.db);
        forEachRow(lib, [&] {
            progress.step();
            if (amount.asInteger() <= 0) return;
            if (taskID.isNull() || taskID.asInteger() != task) {
                lib.edit();
                taskID.setInteger(task);
                lib.post();
            }
            stamped.push_back({key.asInteger(), amount.asInteger()});
        });
        lib.first();
        progress.extend(stamped.size());
        for (const Stamped& s : stamped) {
            progress.step();
            copyToTask(s.id, s.amount);
        }
        tx.commit();
    }
    dm_.refreshTotals();
}

bool LibraryWindow::copyToTask(std::int32_t id, std::int32_t amount) {
    dataset::Cursor& rows = taskRows();
    try {
        if (rows.locate(kind_.keyField, id)) {
            if (rows.field(kind_.amountField).asInteger() == amount) return true;
            rows.edit();
            rows.field(kind_.amountField).setInteger(amount);
        } else {
            rows.append();
            rows.field(kind_.keyField).setInteger(id);
            rows.field(kind_.amountField).setInteger(amount);
        }
        rows.post();
        return true;
    } catch (const core::SilentAbort&) {
        if (editing(rows)) rows.cancel();
        return false;
    }
}

void LibraryWindow::clearButtonClick() {
    if (editMode())
        clearUnusedTemporary();
    else
        printLibrary();
}

void LibraryWindow::setReports(results::ReportForms* reports) {
    reports_ = reports;
    if (!editMode()) clearButton_->setEnabled(reports_ != nullptr);
}

void LibraryWindow::printLibrary() {
    if (!reports_ || !results::PrintSession::printerReady(store_)) return;
    const bool boxes = kind_.library == &taskdb::DataModule::boxes;
    if (!results::PrintSession::confirmed(store_, boxes ? core::Msg::PrintBoxLibrary
                                                        : core::Msg::PrintContainerLibrary))
        return;
    const ui::CompositeReport& job =
        boxes ? reports_->boxLibrary().job() : reports_->containerLibrary().job();
    const std::unique_ptr<QPrinter> printer = reports_->printer.setUp(job, this);
    if (!printer) return;
    postLibrary();
    taskdb::SolveBridge::checkLibraryRows(dm_, library());
    const results::PrintSession session(this, {&library()}, false);
    ui::ReportPrinter::printOn(job, *printer);
}

bool LibraryWindow::usedByAnyTask(std::int32_t id) {
    dataset::Cursor& all = dm_.*kind_.allTaskRows;
    if (!all.isOpen()) all.open();
    return all.locate(kind_.keyField, id);
}

void LibraryWindow::clearUnusedTemporary() {
    dataset::Cursor& rows = taskRows();
    if (editing(rows) && rows.modified()) rows.post();
    postLibrary();
    dataset::Cursor& lib = library();
    dataset::Field& key = lib.field(kind_.keyField);
    dataset::Field& temp = lib.field("Temp");
    dataset::Field& name = lib.field(kind_.nameField);
    core::Dialogs& dialogs = core::Dialogs::current();
    int counter = 0;
    bool askEach = true;
    bool passEnded = false;
    lib.first();
    while (!passEnded && !lib.isEmpty()) {
        const bool deletable = temp.asBoolean() && !usedByAnyTask(key.asInteger());
        bool yes = true;
        if (deletable) {
            ++counter;
            const std::string question =
                core::messageText(kind_.deleteQuestion) + kind_.deleteSeparator + name.asString();
            if (kind_.answerForAll && askEach) {
                switch (dialogs.show(core::DialogKind::Confirmation, question,
                                     core::DialogButton::Yes | core::DialogButton::No |
                                         core::DialogButton::NoToAll | core::DialogButton::YesToAll,
                                     kind_.helpContext)) {
                case core::DialogButton::Yes:
                    break;
                case core::DialogButton::YesToAll:
                    askEach = false;
                    break;
                case core::DialogButton::NoToAll:
                    passEnded = true;
                    break;
                default:
                    yes = false;
                }
            } else if (!kind_.answerForAll) {
                yes = dialogs.show(core::DialogKind::Confirmation, question,
                                   core::DialogButton::Yes | core::DialogButton::No,
                                   kind_.helpContext) == core::DialogButton::Yes;
            }
        }
        if (passEnded) break;
        if (deletable && yes) {
            const bool wasLast = onLastRow(lib);
            lib.deleteRow();
            if (wasLast) break;
        } else {
            if (onLastRow(lib)) break;
            lib.next();
        }
    }
    lib.first();
    if (counter == 0)
        dialogs.show(core::DialogKind::Information, core::messageText(core::Msg::NothingToDelete),
                     core::DialogButton::Ok, kind_.helpContext);
}

} // namespace rectix::app
