#include "taskdb/TableSets.h"

#include "core/Dialogs.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "taskdb/WriteCheck.h"

#include "dataset/Errors.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include "core/UiTexts.h"

#include <memory>
#include <system_error>

namespace rectix::taskdb {

namespace {

std::string msg(core::Msg slot) {
    return core::messageText(slot);
}

std::string caption(core::Caption slot, int offset = 0) {
    return core::captionText(slot, offset);
}

void checkSetNumber(int set) {
    if (set < 0 || set > 2) throw dataset::DatabaseError("No table set " + std::to_string(set));
}

} // namespace

TableSets::TableSets(DataModule& dm, const std::filesystem::path& programFolder)
    : dm_(dm), aliases_(programFolder), exchange_(&nullExchange_) {}

void TableSets::setExchangePage(ExchangeView* page) {
    exchange_ = page ? page : &nullExchange_;
}

void TableSets::repairAllValFiles(std::string_view alias) {
    // A set the data module holds open is checked through its own connection.
    dataset::TableSet* set = nullptr;
    std::unique_ptr<dataset::TableSet> own;
    if (dataset::sameName(dm_.db.alias(), alias))
        set = &dm_.db;
    else if (dataset::sameName(dm_.exdb.alias(), alias))
        set = &dm_.exdb;
    else
        set = (own = std::make_unique<dataset::TableSet>(aliases_, std::string(alias), schema())).get();
    std::error_code ec;
    if (!std::filesystem::is_directory(set->folder(), ec)) return;
    for (const char* table : {"distr", "posit", "solut", "tb", "tc", "tasks", "conts", "boxes"})
        repairValFile(*set, table);
}

void TableSets::repairValFile(dataset::TableSet& set, std::string_view table) {
    if (!set.tableFileExists(table)) return;
    const std::string path = (set.folder() / set.table(table).fileName()).string();
    // Nothing is ever repaired here, so a damaged file is reported as one that could not be
    // corrected, never as corrected.
    try {
        if (set.checkTableFile(table).empty()) return;
    } catch (const dataset::BusyError&) {
        return; // held by another program: the opening reports that, once
    } catch (const std::exception&) {
    }
    core::Dialogs::current().show(DialogKind::Error, msg(core::Msg::FileDateNotCorrected) + path + "\"",
                                  DialogButton::Ok, 0);
}

void TableSets::postModifiedTables() {
    for (dataset::Cursor* c :
         {&dm_.conts, &dm_.boxes, &dm_.tasks, &dm_.tc, &dm_.tb, &dm_.solut, &dm_.distr, &dm_.posit}) {
        const auto s = c->state();
        if ((s == dataset::CursorState::Edit || s == dataset::CursorState::Insert) && c->modified())
            c->post();
    }
}

void TableSets::setExportTablesActive(bool active) {
    if (!active) {
        for (dataset::Cursor* c : dm_.exportTables()) c->close();
        dm_.exdb.close();
        return;
    }
    dm_.exdb.open();
    for (dataset::Cursor* c : dm_.exportTables()) c->open();
}

void TableSets::setDatabaseName(int set) {
    checkSetNumber(set);
    dm_.db.setAlias(aliasNames[set]);
}

void TableSets::switchDatabase(int newSet) {
    // The set's opening and the return to the task that was current both scroll the tasks.
    dm_.loadTaskOptionsAfter([this, newSet] {
        changeSet(newSet);
        return setOpen();
    });
}

void TableSets::changeSet(int newSet) {
    checkSetNumber(newSet);
    RunStore& store = dm_.store();
    // No other command starts while the working tables change sets.
    const OperationFrame busy(
        dm_.operationView(),
        OperationFrame::Options().exclusive().busyCursor().pageDisabled().settingsDisabled());
    postModifiedTables();
    const bool wasOpen = setOpen();
    const std::int32_t current = wasOpen ? dm_.tasksTaskID.asInteger() : 0;
    if (store.activeDB == 0 && wasOpen) store.lastTaskID = current;
    dm_.setTablesActive(false);
    setDatabaseName(newSet);
    if (dm_.setTablesActive(true)) {
        store.activeDB = static_cast<std::int16_t>(newSet);
        updateExchangeState();
    } else {
        if (dm_.openFailedReadOnly())
            core::Dialogs::current().show(core::DialogKind::Warning, WriteCheck::warningText,
                                          core::DialogButton::Ok, 0);
        else
            core::Dialogs::current().plainMessage(msg(core::Msg::SetBusyOrIncorrect));
        // A set that opened only in part is closed before the tables are re-pointed.
        dm_.setTablesActive(false);
        setDatabaseName(store.activeDB);
        if (!dm_.setTablesActive(true))
            noSetActive();
        else if (current != 0)
            dm_.tasks.locate("TaskID", current);
    }
    dm_.publishCurrentTask();
    store.loadedSolutionTaskID = 0;
}

void TableSets::switchToHome() {
    dm_.loadTaskOptionsAfter([this] {
        switchDatabase(0);
        const RunStore& store = dm_.store();
        // Only in the home set: after a failed switch the previous set's tasks are not the home set's.
        if (store.lastTaskID != 0 && store.activeDB == 0 && setOpen())
            dm_.tasks.locate("TaskID", store.lastTaskID);
        return setOpen();
    });
}

bool TableSets::reopenWorkingTables() {
    dm_.setTablesActive(false);
    if (dm_.setTablesActive(true)) return true;
    noSetActive();
    return false;
}

void TableSets::noSetActive() {
    dm_.setTablesActive(false);
    core::Dialogs::current().plainMessage(msg(core::Msg::SetBusyOrIncorrect));
    updateExchangeState();
}

void TableSets::emptyActiveSet() {
    const RunStore& store = dm_.store();
    // The button is offered only on the export and import sets; the home set is never emptied.
    if (!requireOpenSet() || store.activeDB == 0) return;
    const std::string name = msg(store.activeDB == 1 ? core::Msg::ExportSet : core::Msg::ImportSet);
    if (dm_.conts.isEmpty() && dm_.boxes.isEmpty() && dm_.tasks.isEmpty()) {
        core::Dialogs::current().show(DialogKind::Confirmation, name + " " + msg(core::Msg::SetIsEmpty),
                                      DialogButton::Ok, 0);
        return;
    }
    if (core::Dialogs::current().show(DialogKind::Confirmation,
                                      msg(core::Msg::DeleteAllOf) + " " + name + " " +
                                          msg(core::Msg::SetDataQuestion),
                                      DialogButton::Ok | DialogButton::Cancel, 0) != DialogButton::Ok)
        return;

    // No other command starts while the working tables change sets.
    const OperationFrame busy(
        dm_.operationView(),
        OperationFrame::Options().exclusive().busyCursor().pageDisabled().settingsDisabled());
    dm_.setTablesActive(false);
    try {
        dm_.db.open();
        dataset::Transaction tx(dm_.db);
        for (const char* table : {"distr", "posit", "solut", "tb", "tc", "tasks", "conts", "boxes"})
            dm_.db.emptyTable(table);
        tx.commit();
    } catch (...) {
        // Nothing was emptied: show the set as it is and report the error.
        if (!dm_.setTablesActive(true)) noSetActive();
        dm_.publishCurrentTask();
        throw;
    }
    if (!dm_.setTablesActive(true)) noSetActive();
    exchange_->focusHomeButton();
    dm_.publishCurrentTask();
}

ExchangeState TableSets::exchangeState() const {
    ExchangeState s;
    if (!setOpen()) {
        s.activeSet = ExchangeState::noSet;
        s.homeEnabled = true;
        s.clearCaption = caption(core::Caption::EmptyActiveSet);
        s.exchVisible = true;
        s.exchCaption = caption(core::Caption::NoSetOn);
        s.duplEnabled = false;
        return s;
    }
    const int set = dm_.store().activeDB;
    s.activeSet = set;
    s.addEnabled = set == 0 && !dm_.tasks.isEmpty();
    s.homeEnabled = set != 0;
    s.expEnabled = set != 1;
    s.impEnabled = set != 2;
    s.clearCaption = caption(core::Caption::EmptyActiveSet, set);
    s.clearEnabled = set != 0;
    s.exchCaption = caption(core::Caption::HomeSetOn, set);
    s.exchVisible = set != 0;
    s.duplEnabled = set == 0;
    return s;
}

void TableSets::updateExchangeState() {
    exchange_->showExchangeState(exchangeState());
}

bool TableSets::setOpen() const {
    return dm_.db.isOpen() && dm_.tasks.isOpen();
}

bool TableSets::requireOpenSet() {
    if (setOpen()) return true;
    core::Dialogs::current().plainMessage(msg(core::Msg::SetBusyOrIncorrect));
    return false;
}

} // namespace rectix::taskdb
