#pragma once

#include "core/Dialogs.h"
#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "dataset/TableSet.h"
#include "taskdb/LibraryView.h"
#include "taskdb/OperationView.h"
#include "taskdb/ProgressView.h"
#include "taskdb/SettingsView.h"
#include "taskdb/TaskPageView.h"
#include "taskdb/TaskTotals.h"
#include "taskdb/ViewOptionsView.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rectix::taskdb {

using core::DialogButton;
using core::DialogButtons;
using core::DialogKind;

struct RunStore;

// The data module: every cursor over the tables of a table set, their fields
// (named table + field: tcAvail, solutFixCont), links, lookups, calculated
// fields, and the handlers bound to their events. The working cursors follow
// the active set through `db`; the ex cursors reach the export set through
// `exdb` and are open only while a task is copied.
//
// Calls out to the windows go through the interfaces set below; until a window
// is set, a do-nothing stand-in answers. Dialogs are the process's (core::Dialogs).
//
// Refusals: a handler that refuses shows its dialog and throws core::SilentAbort.
//
// Totals: the store's totals and the published TaskTotals follow every change
// of the current task's rows (a post or delete through tc or tb) and of the
// current task (the tasks events), computed once per change. Posts and deletes made
// while tc's (tb's) controls are disabled leave the totals alone: bulk work
// calls refreshTotals() when it has ended.
class DataModule {
  public:
    using FT = dataset::FieldType;
    using Cursor = dataset::Cursor;
    using Field = dataset::Field;

    // The sets' folders come from the alias file of `programFolder`.
    DataModule(RunStore& store, const std::filesystem::path& programFolder);
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    void setTaskPage(TaskPageView* page);
    void setSettingsWindow(SettingsView* window);
    void setViewOptions(ViewOptionsView* options);
    void setWaitWindow(ProgressView* wait);
    void setOperationView(OperationView* view);
    void setContainerLibrary(LibraryView* window);
    void setBoxLibrary(LibraryView* window);

    RunStore& store() const { return store_; }
    // The windows the data module talks to (stand-ins until the windows are set),
    // for the routines that work beside it.
    ProgressView& waitWindow() const { return *wait_; }
    OperationView& operationView() const { return *operations_; }

    // Lifecycle.
    // Opens the working tables, selects lastTaskID, computes the totals and
    // sets dbState to RunStore::tablesOpened; on failure shows the application title and message
    // 76 (the write check's warning when the set cannot be written), sets
    // dbState to 0 and leaves the tables closed.
    void dataModuleCreate();
    // Opens or closes the thirteen working tables; false when that failed. A
    // set with a table file missing is not opened, and nothing is created in
    // it. An arithmetic error shows message 119 first.
    bool setTablesActive(bool active);
    // Why the last opening failed (the table layer's message), and whether it
    // was because the set cannot be written.
    const std::string& openError() const { return openError_; }
    bool openFailedReadOnly() const { return openReadOnly_; }
    // The working tables in their opening order.
    std::vector<Cursor*> workingTables();
    // The export tables in their opening order.
    std::vector<Cursor*> exportTables();
    // Copies the current task's optimizer fields into the active settings.
    // Stored settings outside the settings window's ranges are refused with an
    // error naming the field and value, and the active settings stay.
    void loadTaskOptions();
    // Runs `move`, which opens the tables or moves among the tasks and says whether the tables
    // stand open; the stored settings are then taken, or refused, once for the task it ends on
    // instead of at each scroll.
    void loadTaskOptionsAfter(const std::function<bool()>& move);
    // That refusal for the current task, "" when its settings are in range.
    std::string taskSettingsRefusal();
    // What is out of range in the current task's stored settings, at its table, row and field, or "".
    std::string storedSettingsRefusal();
    // The refusal of the current task row by every reader of it: a setting out of range (unless
    // `settings` is false) or a value not of its field's type, at its table, row and field; or "".
    std::string taskRowRefusal(bool settings = true);

    // Calculated fields and totals.
    void contsCalcFields();
    void boxesCalcFields();
    void tbCalcFields();
    void solutCalcFields();
    void distrCalcFields();
    void taskCntTotals();
    void taskBoxTotals();
    void tasksCalcEff();
    // taskCntTotals, taskBoxTotals and tasksCalcEff, then the totals published to the page.
    void refreshTotals();
    // After the working tables were reopened or switched: the page shows the current task
    // and its totals.
    void publishCurrentTask();
    // The totals last computed.
    const TaskTotals& totals() const { return totals_; }
    // After a library row changed or went: the totals read its sides, weights and costs.
    void libraryAfterChange(Cursor& library);

    // Library rules.
    void guardExportLibrary();
    void contsBeforeInsert();
    void boxesBeforeInsert();
    void contsBeforeEdit();
    void boxesBeforeEdit();
    void contsBeforeDelete();
    void boxesBeforeDelete();
    void contsNewRecord();
    void checkAxleDisplacements();
    void contsLengthValidate() { checkAxleDisplacements(); }
    void contsNoseDLValidate() { checkAxleDisplacements(); }
    void contsTailDLValidate() { checkAxleDisplacements(); }

    // Task-row rules.
    void tcTypeIDValidate();
    void tbKindIDValidate();
    void tcAvailValidate();
    void tbTotalValidate();
    void tcCostValidate();
    void tbCostValidate();
    void tcBeforeInsert();
    void tbBeforeInsert();
    void tcNewRecord();
    void tbNewRecord();
    void tcBeforeDelete();
    void tbBeforeDelete();
    // Refuses a task-container (task-box) row posted with fewer than one
    // container available (box to pack), through whichever cursor posts it.
    void checkAvailPosted(Cursor& rows);
    void checkTotalPosted(Cursor& rows);
    // Deletes the task's solution, containers and boxes and the task row in
    // one transaction, with the progress window; on an error nothing is
    // deleted and the error passes on after the windows are restored.
    void tasksBeforeDelete();

    // Tasks events.
    void tasksAfterInsert();
    void tasksAfterPost();
    void tasksAfterScroll();
    void tasksAfterOpen();
    void tasksAfterDelete();
    void tcAfterPost();
    void tcAfterDelete();
    void tbAfterPost();
    void tbAfterDelete();

  private:
    struct LibrarySide;
    struct TaskRowSide;

    static Field& calc(Cursor& c, const char* name, FT type, int size = 0);
    static Field& lookup(Cursor& c, const char* name, FT type, int size, const char* key, Cursor& source,
                         const char* result);

    void setUpFields();
    void bindEvents();

    std::int32_t currentTaskID() const;
    DialogButton ask(DialogKind kind, const std::string& text, DialogButtons buttons, int helpContext);
    [[noreturn]] void refuse(DialogKind kind, const std::string& text, int helpContext);
    static void postPending(Cursor& c);
    bool exportSetUses(Cursor& exRows, const char* keyField, std::int32_t id);
    std::int32_t displayArea(long double area) const;

    LibrarySide containerSide();
    LibrarySide boxSide();
    void libraryBeforeInsert(const LibrarySide& side);
    void libraryBeforeEdit(const LibrarySide& side);
    bool findTaskUsing(const LibrarySide& side, std::int32_t id, bool placed);
    bool nextTaskUsing(const LibrarySide& side, std::int32_t id, bool placed);
    void libraryBeforeDelete(const LibrarySide& side);

    TaskRowSide containerRows();
    TaskRowSide boxRows();
    [[noreturn]] void refuseAndDrop(Cursor& rows, core::Msg slot);
    void keyValidate(const TaskRowSide& side);
    void amountValidate(const TaskRowSide& side);
    void costValidate(const TaskRowSide& side);
    void rowBeforeDelete(const TaskRowSide& side);
    void checkAmountPosted(Cursor& rows, const char* amountField);
    void checkRangesPosted(Cursor& rows, const char* table);
    void checkTaskTotal(Cursor& rows, Cursor& taskRows, const char* key, const char* amountField,
                        core::Msg slot);
    void deleteTaskRows(std::int32_t taskID);

    RunStore& store_;
    // The stand-ins answering until a window is set.
    NullTaskPageView nullPage_;
    NullSettingsView nullSettings_;
    NullViewOptionsView nullViewOptions_;
    NullProgressView nullWait_;
    NullOperationView nullOperations_;
    NullLibraryView nullLibrary_;
    TaskPageView* page_;
    SettingsView* settings_;
    ViewOptionsView* viewOptions_;
    ProgressView* wait_;
    OperationView* operations_;
    TaskTotals totals_;
    LibraryView* contLibrary_;
    LibraryView* boxLibrary_;
    std::string openError_;
    bool openReadOnly_ = false;
    bool holdTaskOptions_ = false; // within loadTaskOptionsAfter

  public:
    dataset::TableSet db;   // the working tables' set: home, export or import
    dataset::TableSet exdb; // the export set, for the ex cursors

    // The container library, in the order of Type_ind.
    Cursor conts{db, "conts"};
    Field& contsTypeID = conts.field("TypeID");
    Field& contsType = conts.field("Type");
    Field& contsMark = conts.field("Mark");
    Field& contsLength = conts.field("Length");
    Field& contsWidth = conts.field("Width");
    Field& contsLoadWt = conts.field("LoadWt");
    Field& contsFillDir = conts.field("FillDir");
    Field& contsTemp = conts.field("Temp");
    Field& contsTaskID = conts.field("TaskID");
    Field& contsDescr = conts.field("Descr");
    Field& contsAvail = conts.field("Avail");
    Field& contsBusyID = conts.field("BusyID");
    Field& contsCost = conts.field("Cost");
    Field& contsNoseWt = conts.field("NoseWt");
    Field& contsTailWt = conts.field("TailWt");
    Field& contsNoseDL = conts.field("NoseDL");
    Field& contsTailDL = conts.field("TailDL");
    Field& contsVolume = calc(conts, "Volume", FT::Int32);  // displayed area
    Field& contsWolume = calc(conts, "Wolume", FT::Double); // true area

    // The box library, in the order of Kind_Ind.
    Cursor boxes{db, "boxes"};
    Field& boxesKindID = boxes.field("KindID");
    Field& boxesKind = boxes.field("Kind");
    Field& boxesMark = boxes.field("Mark");
    Field& boxesLength = boxes.field("Length");
    Field& boxesWidth = boxes.field("Width");
    Field& boxesWeight = boxes.field("Weight");
    Field& boxesTurnOn = boxes.field("TurnOn");
    Field& boxesTemp = boxes.field("Temp");
    Field& boxesTaskID = boxes.field("TaskID");
    Field& boxesColorID = boxes.field("ColorID");
    Field& boxesDescr = boxes.field("Descr");
    Field& boxesTotal = boxes.field("Total");
    Field& boxesBusyID = boxes.field("BusyID");
    Field& boxesCost = boxes.field("Cost");
    Field& boxesVolume = calc(boxes, "Volume", FT::Int32);
    Field& boxesWolume = calc(boxes, "Wolume", FT::Double);

    Cursor tasks{db, "tasks"};
    Field& tasksTaskID = tasks.field("TaskID");
    Field& tasksName = tasks.field("Name");
    Field& tasksSolut = tasks.field("Solut");
    Field& tasksDescr = tasks.field("Descr");
    Field& tasksTurnOn = tasks.field("TurnOn");
    Field& tasksDefltOn = tasks.field("DefltOn");
    Field& tasksPower = tasks.field("Power");
    Field& tasksTime = tasks.field("Time");
    Field& tasksRand = tasks.field("Rand");
    Field& tasksQw = tasks.field("Qw"); // weight factor + 100 x bind group factor
    Field& tasksQc = tasks.field("Qc");
    Field& tasksQr = tasks.field("Qr");
    Field& tasksBB = tasks.field("BB");
    Field& tasksBW = tasks.field("BW");
    Field& tasksLast = tasks.field("Last");
    Field& tasksDate = tasks.field("Date");

    // The current task's containers, in index order (TaskID, TypeID).
    Cursor tc{db, "tc"};
    Field& tcTaskID = tc.field("TaskID");
    Field& tcTypeID = tc.field("TypeID");
    Field& tcAvail = tc.field("Avail");
    Field& tcUsed = tc.field("Used");
    Field& tcPrior = tc.field("Prior");
    Field& tcCost = tc.field("Cost");
    Field& tcType = lookup(tc, "Type", FT::String, 25, "TypeID", conts, "Type");
    Field& tcMark = lookup(tc, "Mark", FT::String, 3, "TypeID", conts, "Mark");
    Field& tcLoadWt = lookup(tc, "LoadWt", FT::Int32, 0, "TypeID", conts, "LoadWt");
    Field& tcVolume = lookup(tc, "Volume", FT::Int32, 0, "TypeID", conts, "Volume");
    Field& tcWolume = lookup(tc, "Wolume", FT::Double, 0, "TypeID", conts, "Wolume");
    Field& tcLength = lookup(tc, "Length", FT::Int16, 0, "TypeID", conts, "Length");
    Field& tcWidth = lookup(tc, "Width", FT::Int16, 0, "TypeID", conts, "Width");
    Field& tcFillDir = lookup(tc, "FillDir", FT::String, 6, "TypeID", conts, "FillDir");
    Field& tcNoseWt = lookup(tc, "NoseWt", FT::Int32, 0, "TypeID", conts, "NoseWt");
    Field& tcTailWt = lookup(tc, "TailWt", FT::Int32, 0, "TypeID", conts, "TailWt");
    Field& tcNoseDL = lookup(tc, "NoseDL", FT::Int16, 0, "TypeID", conts, "NoseDL");
    Field& tcTailDL = lookup(tc, "TailDL", FT::Int16, 0, "TypeID", conts, "TailDL");

    // The current task's boxes, in index order (TaskID, KindID).
    Cursor tb{db, "tb"};
    Field& tbTaskID = tb.field("TaskID");
    Field& tbKindID = tb.field("KindID");
    Field& tbTotal = tb.field("Total");
    Field& tbPlaced = tb.field("Placed");
    Field& tbPrior = tb.field("Prior");
    Field& tbBind = tb.field("Bind");
    Field& tbCost = tb.field("Cost");
    Field& tbLeft = calc(tb, "Left", FT::Int16); // total - placed
    Field& tbKind = lookup(tb, "Kind", FT::String, 25, "KindID", boxes, "Kind");
    Field& tbMark = lookup(tb, "Mark", FT::String, 2, "KindID", boxes, "Mark");
    Field& tbWeight = lookup(tb, "Weight", FT::Int16, 0, "KindID", boxes, "Weight");
    Field& tbVolume = lookup(tb, "Volume", FT::Int32, 0, "KindID", boxes, "Volume");
    Field& tbWolume = lookup(tb, "Wolume", FT::Double, 0, "KindID", boxes, "Wolume");
    Field& tbLength = lookup(tb, "Length", FT::Int16, 0, "KindID", boxes, "Length");
    Field& tbWidth = lookup(tb, "Width", FT::Int16, 0, "KindID", boxes, "Width");
    Field& tbTurnOn = lookup(tb, "TurnOn", FT::Boolean, 0, "KindID", boxes, "TurnOn");

    // Second cursors over the current task's rows, for the totals and the Solve command's checks.
    Cursor tcs{db, "tc", {"TaskID", "TypeID", "Avail", "Used", "Cost"}};
    Field& tcsTaskID = tcs.field("TaskID");
    Field& tcsTypeID = tcs.field("TypeID");
    Field& tcsAvail = tcs.field("Avail");
    Field& tcsUsed = tcs.field("Used");
    Field& tcsCost = tcs.field("Cost");
    Field& tcsLoadWt = lookup(tcs, "LoadWt", FT::Int32, 0, "TypeID", conts, "LoadWt");
    Field& tcsWolume = lookup(tcs, "Wolume", FT::Double, 0, "TypeID", conts, "Wolume");
    Field& tcsType = lookup(tcs, "Type", FT::String, 25, "TypeID", conts, "Type");
    Field& tcsLength = lookup(tcs, "Length", FT::Int16, 0, "TypeID", conts, "Length");
    Field& tcsWidth = lookup(tcs, "Width", FT::Int16, 0, "TypeID", conts, "Width");
    Field& tcsNoseDL = lookup(tcs, "NoseDL", FT::Int16, 0, "TypeID", conts, "NoseDL");
    Field& tcsTailDL = lookup(tcs, "TailDL", FT::Int16, 0, "TypeID", conts, "TailDL");
    Field& tcsNoseWt = lookup(tcs, "NoseWt", FT::Int32, 0, "TypeID", conts, "NoseWt");
    Field& tcsTailWt = lookup(tcs, "TailWt", FT::Int32, 0, "TypeID", conts, "TailWt");

    Cursor tbs{db, "tb", {"TaskID", "KindID", "Total", "Placed", "Cost"}};
    Field& tbsTaskID = tbs.field("TaskID");
    Field& tbsKindID = tbs.field("KindID");
    Field& tbsTotal = tbs.field("Total");
    Field& tbsPlaced = tbs.field("Placed");
    Field& tbsCost = tbs.field("Cost");
    Field& tbsLeft = calc(tbs, "Left", FT::Int16); // never filled
    Field& tbsWeight = lookup(tbs, "Weight", FT::Int16, 0, "KindID", boxes, "Weight");
    Field& tbsWolume = lookup(tbs, "Wolume", FT::Double, 0, "KindID", boxes, "Wolume");
    Field& tbsKind = lookup(tbs, "Kind", FT::String, 25, "KindID", boxes, "Kind");
    Field& tbsLength = lookup(tbs, "Length", FT::Int16, 0, "KindID", boxes, "Length");
    Field& tbsWidth = lookup(tbs, "Width", FT::Int16, 0, "KindID", boxes, "Width");

    // The current task's stored solution: one row per loaded container.
    Cursor solut{db, "solut"};
    Field& solutTaskID = solut.field("TaskID");
    Field& solutContNo = solut.field("ContNo");
    Field& solutTypeID = solut.field("TypeID");
    Field& solutBoxLoad = solut.field("BoxLoad");
    Field& solutWgtLoad = solut.field("WgtLoad");
    Field& solutWolLoad = solut.field("WolLoad"); // true loaded area
    Field& solutFixCont = solut.field("FixCont");
    Field& solutCostLoad = solut.field("CostLoad");
    Field& solutNoseLoad = solut.field("NoseLoad");
    Field& solutTailLoad = solut.field("TailLoad");
    Field& solutVolLoad = calc(solut, "VolLoad", FT::Int32);
    Field& solutType = lookup(solut, "Type", FT::String, 25, "TypeID", conts, "Type");
    Field& solutLoadWt = lookup(solut, "LoadWt", FT::Int32, 0, "TypeID", conts, "LoadWt");
    Field& solutVolume = lookup(solut, "Volume", FT::Int32, 0, "TypeID", conts, "Volume");
    Field& solutWolume = lookup(solut, "Wolume", FT::Double, 0, "TypeID", conts, "Wolume");
    Field& solutLength = lookup(solut, "Length", FT::Int16, 0, "TypeID", conts, "Length");
    Field& solutWidth = lookup(solut, "Width", FT::Int16, 0, "TypeID", conts, "Width");
    Field& solutWgtEff = calc(solut, "WgtEff", FT::Double);
    Field& solutVolEff = calc(solut, "VolEff", FT::Double);
    Field& solutLHW = calc(solut, "LHW", FT::String, 14);

    // The box kinds of the current solution container.
    Cursor distr{db, "distr"};
    Field& distrTaskID = distr.field("TaskID");
    Field& distrContNo = distr.field("ContNo");
    Field& distrKindID = distr.field("KindID");
    Field& distrPlaced = distr.field("Placed");
    Field& distrKind = lookup(distr, "Kind", FT::String, 25, "KindID", boxes, "Kind");
    Field& distrWeight = lookup(distr, "Weight", FT::Int16, 0, "KindID", boxes, "Weight");
    Field& distrVolume = lookup(distr, "Volume", FT::Int32, 0, "KindID", boxes, "Volume");
    Field& distrWolume = lookup(distr, "Wolume", FT::Double, 0, "KindID", boxes, "Wolume");
    Field& distrLength = lookup(distr, "Length", FT::Int16, 0, "KindID", boxes, "Length");
    Field& distrWidth = lookup(distr, "Width", FT::Int16, 0, "KindID", boxes, "Width");
    Field& distrMark = lookup(distr, "Mark", FT::String, 2, "KindID", boxes, "Mark");
    Field& distrWgtSum = calc(distr, "WgtSum", FT::Int32);
    Field& distrVolSum = calc(distr, "VolSum", FT::Int32);
    Field& distrLHW = calc(distr, "LHW", FT::String, 14);

    // The box positions of the current solution container.
    Cursor posit{db, "posit"};
    Field& positTaskID = posit.field("TaskID");
    Field& positContNo = posit.field("ContNo");
    Field& positBoxNo = posit.field("BoxNo");
    Field& positKindID = posit.field("KindID");
    Field& positPosX = posit.field("PosX");
    Field& positPosY = posit.field("PosY");
    Field& positPosLh = posit.field("PosLh");
    Field& positPosWh = posit.field("PosWh");
    Field& positLoadNo = posit.field("LoadNo");
    Field& positKind = lookup(posit, "Kind", FT::String, 25, "KindID", boxes, "Kind");
    Field& positMark = lookup(posit, "Mark", FT::String, 2, "KindID", boxes, "Mark");

    // Unlinked cursors over every task and task row of the set: which tasks use
    // a container type or box kind. (tasksloc comes first: the others look up in it.)
    Cursor tasksloc{db, "tasks", {"TaskID", "Name", "Solut"}};
    Field& taskslocTaskID = tasksloc.field("TaskID");
    Field& taskslocName = tasksloc.field("Name");
    Field& taskslocSolut = tasksloc.field("Solut");

    Cursor tcloc{db, "tc", {"TaskID", "TypeID", "Used"}};
    Field& tclocTaskID = tcloc.field("TaskID");
    Field& tclocTypeID = tcloc.field("TypeID");
    Field& tclocUsed = tcloc.field("Used");
    Field& tclocName = lookup(tcloc, "Name", FT::String, 25, "TaskID", tasksloc, "Name");
    Field& tclocSolut = lookup(tcloc, "Solut", FT::Boolean, 0, "TaskID", tasksloc, "Solut");

    Cursor tbloc{db, "tb", {"TaskID", "KindID", "Placed"}};
    Field& tblocTaskID = tbloc.field("TaskID");
    Field& tblocKindID = tbloc.field("KindID");
    Field& tblocPlaced = tbloc.field("Placed");
    Field& tblocName = lookup(tbloc, "Name", FT::String, 25, "TaskID", tasksloc, "Name");
    Field& tblocSolut = lookup(tbloc, "Solut", FT::Boolean, 0, "TaskID", tasksloc, "Solut");

    // The export set's tables, every stored field, in key order; reach their
    // fields by name (extc.field("avail")).
    Cursor exconts{exdb, "conts"};
    Cursor exboxes{exdb, "boxes"};
    Cursor extc{exdb, "tc"};
    Cursor extb{exdb, "tb"};
    Cursor extasks{exdb, "tasks"};
    Cursor exsolut{exdb, "solut"};
    Cursor exdistr{exdb, "distr"};
    Cursor exposit{exdb, "posit"};
};

} // namespace rectix::taskdb
