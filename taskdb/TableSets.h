#pragma once

#include "taskdb/ExchangeView.h"

#include "dataset/AliasRegistry.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace rectix::dataset {
class TableSet;
}

namespace rectix::taskdb {

class DataModule;

// The three table sets (home, export, import) and the data module's working
// tables on them: finding a set's folder, checking the table files at
// start-up, switching the active set, emptying the export or import set, and
// telling the windows which set actions they offer.
//
// When neither the set switched to nor the previous one can be opened, no set
// is active: the working tables stay closed, every action here but switching
// is refused with message 73, and the windows are told so (ExchangeState::noSet).
class TableSets {
  public:
    static constexpr const char* aliasNames[3] = {"RectixB", "Rectixexp", "Rectiximp"};

    // The sets' folders come from the alias file of `programFolder`, as the data module's do.
    TableSets(DataModule& dm, const std::filesystem::path& programFolder);

    void setExchangePage(ExchangeView* page);
    ExchangeView& exchangePage() const { return *exchange_; }

    // Start-up check of the eight table files of an alias's set, distr to
    // boxes: a damaged file is reported with a warning, a file that cannot be
    // read with an error, and the check goes on. A missing folder or file is
    // passed over (the folder check and the opening deal with those).
    void repairAllValFiles(std::string_view alias);
    void repairValFile(dataset::TableSet& set, std::string_view table);

    // Posts the pending edit of conts, boxes, tasks, tc, tb, solut, distr and
    // posit, in this order, where the record was modified.
    void postModifiedTables();
    // Opens or closes the export set and its eight cursors; errors pass on.
    void setExportTablesActive(bool active);
    // points the closed working tables at set 0, 1 or 2.
    void setDatabaseName(int set);
    // Makes set 0 (home), 1 (export) or 2 (import) the active one. When it
    // cannot be opened: message 73, and the previous set is active again with
    // the task that was current.
    void switchDatabase(int newSet);
    // The home button: back to the home set and the task that was current there.
    void switchToHome();
    // Closes and reopens the working tables; when that fails, message 73 and no set is active.
    bool reopenWorkingTables();
    // Empties the eight tables of the active export or import set after the
    // user's OK; an empty set is only reported.
    void emptyActiveSet();
    // Hands the windows the actions of the active set.
    void updateExchangeState();

    // Whether a set is active (its working tables are open).
    bool setOpen() const;
    // Message 73 when no set is active; true when one is.
    bool requireOpenSet();

  private:
    // The change of set that switchDatabase makes, within its one taking of the stored settings.
    void changeSet(int newSet);
    ExchangeState exchangeState() const;
    void noSetActive();

    DataModule& dm_;
    dataset::AliasRegistry aliases_;
    NullExchangeView nullExchange_;
    ExchangeView* exchange_;
};

} // namespace rectix::taskdb
