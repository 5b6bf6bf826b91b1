#include "taskdb/TableSets.h"

#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"

#include "dataset/Errors.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include "core/UiTexts.h"

#include <memory>
#include <system_error>

namespace rectix::taskdb {

namespace {

// Built as the start-up repair messages are: the text, then the file in double quotes.
constexpr const char* DamagedText = "Damaged table file \"";
constexpr const char* UnreadableText = "Error reading table file \"";
// The active-set label while no set could be opened.
constexpr const char* NoSetCaption = "No DB on";

std::string msg(int slot) {
    return core::messageText(slot);
}

std::string caption(int slot) {
    return core::captionText(slot);
}

void checkSetNumber(int set) {
    if (set < 0 || set > 2) throw dataset::DatabaseError("No table set " + std::to_string(set));
}

} // namespace

// The busy cursor and the disabled settings window around a set operation.
class TableSets::BusyFrame {
  public:
    explicit BusyFrame(TableSets& sets) : sets_(sets) {
        sets_.dm_.taskPage().SetBusyCursor(true);
        sets_.exchange_->SetWindowEnabled(false);
    }
    ~BusyFrame() {
        sets_.exchange_->SetWindowEnabled(true);
        sets_.dm_.taskPage().SetBusyCursor(false);
    }
    BusyFrame(const BusyFrame&) = delete;
    BusyFrame& operator=(const BusyFrame&) = delete;

  private:
    TableSets& sets_;
};

TableSets::TableSets(TDMForm& dm, const std::filesystem::path& programFolder)
    : dm_(dm), aliases_(programFolder), exchange_(&nullExchange_) {}

void TableSets::setExchangePage(ExchangePage* page) {
    exchange_ = page ? page : &nullExchange_;
}

std::string TableSets::GetAliasPath(std::string_view alias) const {
    return aliases_.path(alias).string();
}

void TableSets::RepairAllValFiles(std::string_view alias) {
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
        RepairValFile(*set, table);
}

void TableSets::RepairValFile(dataset::TableSet& set, std::string_view table) {
    if (!set.tableFileExists(table)) return;
    const std::string path = (set.folder() / set.table(table).fileName()).string();
    try {
        if (set.checkTableFile(table).empty()) return;
        dm_.dialogs().Show(DialogKind::Warning, DamagedText + path + "\"", {DialogButton::OK}, 0);
    } catch (const dataset::BusyError&) {
        // Held by another program: the opening reports that, once.
    } catch (const std::exception&) {
        dm_.dialogs().Show(DialogKind::Error, UnreadableText + path + "\"", {DialogButton::OK}, 0);
    }
}

void TableSets::PostModifiedTables() {
    for (dataset::Cursor* c :
         {&dm_.conts, &dm_.boxes, &dm_.tasks, &dm_.tc, &dm_.tb, &dm_.solut, &dm_.distr, &dm_.posit}) {
        const auto s = c->state();
        if ((s == dataset::CursorState::Edit || s == dataset::CursorState::Insert) && c->modified())
            c->post();
    }
}

void TableSets::SetExportTablesActive(bool active) {
    if (!active) {
        for (dataset::Cursor* c : dm_.ExportTables()) c->close();
        dm_.exdb.close();
        return;
    }
    TDMForm::EnsureTableFiles(dm_.exdb);
    dm_.exdb.open();
    for (dataset::Cursor* c : dm_.ExportTables()) c->open();
}

void TableSets::SetDatabaseName(int set) {
    checkSetNumber(set);
    dm_.db.setAlias(AliasNames[set]);
}

void TableSets::SwitchDatabase(int NewSet) {
    checkSetNumber(NewSet);
    RunStore& store = dm_.store();
    BusyFrame busy(*this);
    PostModifiedTables();
    const bool wasOpen = SetOpen();
    const std::int32_t current = wasOpen ? dm_.tasksTaskID.asInteger() : 0;
    if (store.ActiveDB == 0 && wasOpen) store.LastTaskID = current;
    dm_.SetTablesActive(false);
    SetDatabaseName(NewSet);
    if (dm_.SetTablesActive(true)) {
        store.ActiveDB = static_cast<std::int16_t>(NewSet);
        UpdateExchangeState();
    } else {
        dm_.dialogs().ShowMessage(msg(73));
        // A set that opened only in part is closed before the tables are re-pointed.
        dm_.SetTablesActive(false);
        SetDatabaseName(store.ActiveDB);
        if (!dm_.SetTablesActive(true))
            noSetActive();
        else if (current != 0)
            dm_.tasks.locate("TaskID", current);
    }
    dm_.taskPage().CurrSolutState();
    dm_.RefreshTotals();
    store.LoadedSolutionTaskID = 0;
}

void TableSets::SwitchToHome() {
    SwitchDatabase(0);
    const RunStore& store = dm_.store();
    // Only in the home set: after a failed switch the previous set's tasks are not the home set's.
    if (store.LastTaskID != 0 && store.ActiveDB == 0 && SetOpen())
        dm_.tasks.locate("TaskID", store.LastTaskID);
}

bool TableSets::ReopenWorkingTables() {
    dm_.SetTablesActive(false);
    if (dm_.SetTablesActive(true)) return true;
    noSetActive();
    return false;
}

void TableSets::noSetActive() {
    dm_.SetTablesActive(false);
    dm_.dialogs().ShowMessage(msg(73));
    UpdateExchangeState();
}

void TableSets::EmptyActiveSet() {
    const RunStore& store = dm_.store();
    // The button is offered only on the export and import sets; the home set is never emptied.
    if (!RequireOpenSet() || store.ActiveDB == 0) return;
    const std::string name = msg(store.ActiveDB == 1 ? 10 : 11);
    if (dm_.conts.isEmpty() && dm_.boxes.isEmpty() && dm_.tasks.isEmpty()) {
        dm_.dialogs().Show(DialogKind::Confirmation, name + " " + msg(13), {DialogButton::OK}, 0);
        return;
    }
    if (dm_.dialogs().Show(DialogKind::Confirmation, msg(14) + " " + name + " " + msg(15),
                           {DialogButton::OK, DialogButton::Cancel}, 0) != DialogButton::OK)
        return;

    BusyFrame busy(*this);
    dm_.SetTablesActive(false);
    try {
        dm_.db.open();
        dataset::Transaction tx(dm_.db);
        for (const char* table : {"distr", "posit", "solut", "tb", "tc", "tasks", "conts", "boxes"})
            dm_.db.emptyTable(table);
        tx.commit();
    } catch (...) {
        // Nothing was emptied: show the set as it is and report the error.
        if (!dm_.SetTablesActive(true)) noSetActive();
        dm_.taskPage().CurrSolutState();
        dm_.RefreshTotals();
        throw;
    }
    if (!dm_.SetTablesActive(true)) noSetActive();
    exchange_->FocusHomeButton();
    dm_.taskPage().CurrSolutState();
    dm_.RefreshTotals();
}

ExchangeState TableSets::exchangeState() const {
    ExchangeState s;
    if (!SetOpen()) {
        s.ActiveSet = ExchangeState::NoSet;
        s.HomeEnabled = true;
        s.ClearCaption = caption(31);
        s.ExchVisible = true;
        s.ExchCaption = NoSetCaption;
        s.DuplEnabled = false;
        return s;
    }
    const int set = dm_.store().ActiveDB;
    s.ActiveSet = set;
    s.AddEnabled = set == 0 && !dm_.tasks.isEmpty();
    s.HomeEnabled = set != 0;
    s.ExpEnabled = set != 1;
    s.ImpEnabled = set != 2;
    s.ClearCaption = caption(31 + set);
    s.ClearEnabled = set != 0;
    s.ExchCaption = caption(34 + set);
    s.ExchVisible = set != 0;
    s.DuplEnabled = set == 0;
    return s;
}

void TableSets::UpdateExchangeState() {
    exchange_->ShowExchangeState(exchangeState());
}

bool TableSets::SetOpen() const {
    return dm_.db.isOpen() && dm_.tasks.isOpen();
}

bool TableSets::RequireOpenSet() {
    if (SetOpen()) return true;
    dm_.dialogs().ShowMessage(msg(73));
    return false;
}

} // namespace rectix::taskdb
