// The data module: the rules of a task's container and box rows, and deleting
// a task with everything that belongs to it.
#include "taskdb/DataModule.h"

#include "core/Dialogs.h"

#include "taskdb/OperationFrame.h"
#include "taskdb/ProgressView.h"
#include "taskdb/RunStore.h"
#include "taskdb/TaskPageView.h"

#include "dataset/Transaction.h"

#include "core/Errors.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"

#include <limits>
#include <utility>

namespace rectix::taskdb {

namespace {

std::string msg(core::Msg slot) {
    return core::messageText(slot);
}

std::int64_t storedInteger(const dataset::Value& v) {
    if (v.kind() == dataset::Value::Kind::Integer) return v.integer();
    return core::roundHalfEven(dataset::numericValue(v));
}

} // namespace

// What differs between the container side and the box side of the rules.
struct DataModule::TaskRowSide {
    Cursor& rows;  // tc, tb
    Field& key;    // tcTypeID, tbKindID
    Field& amount; // tcAvail, tbTotal
    Field& count;  // tcUsed, tbPlaced
    Cursor& loc;   // tcloc, tbloc
    const char* keyName;
    core::Msg duplicate;
    core::Msg defineFirst;
    core::Msg belowCount;
    core::Msg usedByFixed;
};

DataModule::TaskRowSide DataModule::containerRows() {
    return {.rows = tc,
            .key = tcTypeID,
            .amount = tcAvail,
            .count = tcUsed,
            .loc = tcloc,
            .keyName = "TypeID",
            .duplicate = core::Msg::DuplicateContainerType,
            .defineFirst = core::Msg::DefineContainerType,
            .belowCount = core::Msg::AvailBelowUsed,
            .usedByFixed = core::Msg::ContainerTypeFixed};
}

DataModule::TaskRowSide DataModule::boxRows() {
    return {.rows = tb,
            .key = tbKindID,
            .amount = tbTotal,
            .count = tbPlaced,
            .loc = tbloc,
            .keyName = "KindID",
            .duplicate = core::Msg::DuplicateBoxKind,
            .defineFirst = core::Msg::DefineBoxKind,
            .belowCount = core::Msg::TotalBelowPlaced,
            .usedByFixed = core::Msg::BoxKindFixed};
}

void DataModule::tcTypeIDValidate() {
    keyValidate(containerRows());
}

void DataModule::tbKindIDValidate() {
    keyValidate(boxRows());
}

void DataModule::tcAvailValidate() {
    amountValidate(containerRows());
}

void DataModule::tbTotalValidate() {
    amountValidate(boxRows());
}

void DataModule::tcCostValidate() {
    costValidate(containerRows());
}

void DataModule::tbCostValidate() {
    costValidate(boxRows());
}

void DataModule::tcBeforeInsert() {
    if (conts.isEmpty()) throw core::SilentAbort();
}

void DataModule::tbBeforeInsert() {
    if (boxes.isEmpty()) throw core::SilentAbort();
}

void DataModule::tcBeforeDelete() {
    rowBeforeDelete(containerRows());
}

void DataModule::tbBeforeDelete() {
    rowBeforeDelete(boxRows());
}

// A second row of the same type in the task is refused; the row being edited
// is not a second row, so re-choosing its own type is accepted.
// The look goes through the table's key, so it costs the same however many rows the set holds.
void DataModule::keyValidate(const TaskRowSide& side) {
    const auto found =
        side.loc.findRowid({"TaskID", side.keyName}, {dataset::Value(std::int64_t{currentTaskID()}),
                                                      dataset::Value(std::int64_t{side.key.asInteger()})});
    if (!found) return;
    const dataset::Bookmark self = side.rows.bookmark();
    if (self.valid && self.rowid == *found) return;
    refuse(DialogKind::Error, msg(side.duplicate), 3);
}

// Shows the warning, drops the row's pending changes and refuses.
void DataModule::refuseAndDrop(Cursor& rows, core::Msg slot) {
    ask(DialogKind::Warning, msg(slot), DialogButton::Ok, 0);
    rows.cancel();
    throw core::SilentAbort();
}

void DataModule::amountValidate(const TaskRowSide& side) {
    if (side.key.asInteger() < 1) refuseAndDrop(side.rows, side.defineFirst);
    if (side.amount.asInteger() < 1) refuseAndDrop(side.rows, core::Msg::RowWithoutAmount);
    // Fewer than the fixed containers hold: only Ignore lets the value through.
    if (side.count.asInteger() > side.amount.asInteger() &&
        ask(DialogKind::Warning, msg(side.belowCount), DialogButton::Ok | DialogButton::Ignore, 5) !=
            DialogButton::Ignore)
        throw core::SilentAbort();
}

void DataModule::costValidate(const TaskRowSide& side) {
    if (side.key.asInteger() < 1) refuseAndDrop(side.rows, side.defineFirst);
    if (side.rows.field("Cost").asFloat() < 0) refuseAndDrop(side.rows, core::Msg::NegativeCost);
}

// Asks only about the user's own deletes: not while an operation (deleting a
// whole task) deletes rows.
void DataModule::rowBeforeDelete(const TaskRowSide& side) {
    if (OperationFrame::active() || page_->taskListVisible()) return;
    if (side.count.asInteger() > 0 && ask(DialogKind::Warning, msg(side.usedByFixed),
                                          DialogButton::Ok | DialogButton::Ignore, 5) != DialogButton::Ignore)
        throw core::SilentAbort();
}

void DataModule::checkAvailPosted(Cursor& rows) {
    checkAmountPosted(rows, "Avail");
}

void DataModule::checkTotalPosted(Cursor& rows) {
    checkAmountPosted(rows, "Total");
}

// The engine would make containers (boxes) of a row with nothing available
// that the user never made available, so such a row is never stored. A row
// posted for another change (Clear's recount of the used counts) is not refused
// for an amount it leaves as stored.
void DataModule::checkAmountPosted(Cursor& rows, const char* amountField) {
    if (rows.state() == dataset::CursorState::Edit &&
        rows.storedValue(amountField) == rows.field(amountField).value())
        return;
    if (rows.field(amountField).asInteger() < 1) {
        rows.field(amountField).focusControl();
        refuse(DialogKind::Warning, msg(core::Msg::RowWithoutAmount), 0);
    }
    if (&rows == &tc) checkTaskTotal(rows, tcs, "TypeID", amountField, core::Msg::TooManyContainers);
    if (&rows == &tb) checkTaskTotal(rows, tbs, "KindID", amountField, core::Msg::TooManyBoxes);
}

// The task's totals are 16-bit: a row that would take its task's total beyond
// that is refused before anything is stored, so the rows and the totals agree.
void DataModule::checkTaskTotal(Cursor& rows, Cursor& taskRows, const char* key, const char* amountField,
                                core::Msg slot) {
    const dataset::Value own = rows.storedValue(key); // null for a new row
    std::int64_t total = rows.field(amountField).asInteger();
    if (!taskRows.isOpen()) taskRows.open();
    // Read without moving: a move would look up every row's library values, on every post.
    const std::vector<dataset::Value> keys = taskRows.columnValues(key);
    const std::vector<dataset::Value> amounts = taskRows.columnValues(amountField);
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (own.isNull() || !(keys[i] == own)) total += storedInteger(amounts[i]);
    if (total > std::numeric_limits<std::int16_t>::max()) {
        rows.field(amountField).focusControl();
        refuse(DialogKind::Error, msg(slot) + std::to_string(std::numeric_limits<std::int16_t>::max()), 0);
    }
}

namespace {

// A default is no entry of the user's: the rules for entries do not judge it.
void setDefault(dataset::Field& f, const dataset::Value& v) {
    auto rule = std::exchange(f.onValidate, nullptr);
    try {
        f.setValue(v);
    } catch (...) {
        f.onValidate = std::move(rule);
        throw;
    }
    f.onValidate = std::move(rule);
}

} // namespace

// A new row shows the count and cost it is stored with.
void DataModule::tcNewRecord() {
    setDefault(tcUsed, dataset::Value(std::int64_t{0}));
    setDefault(tcCost, dataset::Value(0.0));
}

void DataModule::tbNewRecord() {
    setDefault(tbPlaced, dataset::Value(std::int64_t{0}));
    setDefault(tbCost, dataset::Value(0.0));
}

// From the task list the page stays enabled. After a failure the cursors show
// the rolled-back rows again and the totals follow them; the error that ended
// the delete is the one to report, not a further one while restoring.
void DataModule::tasksBeforeDelete() {
    const std::int32_t taskID = currentTaskID();
    try {
        const OperationFrame frame(*operations_, OperationFrame::Options()
                                                     .progress()
                                                     .busyCursor()
                                                     .pageDisabled(!page_->taskListVisible())
                                                     .controlsOff({&tc, &tb, &distr, &posit})
                                                     .calcFieldsOff({&solut, &distr, &posit})
                                                     .onFailure([this] {
                                                         for (Cursor* c : {&solut, &distr, &posit, &tc, &tb})
                                                             if (c->isOpen()) c->refresh();
                                                     }));
        wait_->setStep(core::Caption::DeletingTask);
        wait_->setOverallPercent(0);
        wait_->repaintNow();
        dataset::Transaction tx(db);
        deleteTaskRows(taskID);
        tx.commit();
        wait_->setOverallPercent(100);
    } catch (...) {
        try {
            refreshTotals();
        } catch (...) {
        }
        throw;
    }
}

// Deletes the solution rows, the containers, the boxes and then the task row
// itself, so that the tasks cursor finds its row gone.
void DataModule::deleteTaskRows(std::int32_t taskID) {
    for (solut.first(); !solut.isEmpty();) {
        while (!distr.isEmpty()) distr.deleteRow();
        while (!posit.isEmpty()) posit.deleteRow();
        solut.deleteRow();
    }
    wait_->setOverallPercent(5);
    while (!tc.isEmpty()) tc.deleteRow();
    wait_->setOverallPercent(10);
    const std::size_t n = tb.recordCount();
    for (std::size_t i = 0; !tb.isEmpty(); ++i) {
        wait_->setOverallPercent(
            static_cast<int>(10 + core::roundHalfEven(static_cast<long double>(i) * 90 / n)));
        tb.deleteRow();
    }
    if (!tasksloc.isOpen()) tasksloc.open();
    if (tasksloc.locate("TaskID", taskID)) tasksloc.deleteRow();
}

} // namespace rectix::taskdb
