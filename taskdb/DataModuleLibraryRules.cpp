// The data module: the rules that keep the container and box libraries
// consistent with the tasks and the export set that use their rows.
#include "taskdb/DataModule.h"

#include "core/Dialogs.h"

#include "taskdb/LibraryView.h"
#include "taskdb/RunStore.h"

#include "core/Errors.h"
#include "core/UiTexts.h"

namespace rectix::taskdb {

namespace {

constexpr const char* CR = "\r";

std::string msg(core::Msg slot) {
    return core::messageText(slot);
}

bool countMatches(std::int32_t count, bool placed) {
    return placed ? count > 0 : count == 0;
}

std::string quotedTask(const dataset::Field& name) {
    return "\"" + name.asString() + "\".";
}

} // namespace

// What differs between the container side and the box side of the rules.
struct DataModule::LibrarySide {
    Field& key;       // contsTypeID, boxesKindID
    Cursor& taskRows; // tc, tb
    Cursor& loc;      // tcloc, tbloc
    Field& locKey;    // tclocTypeID, tblocKindID
    Field& locCount;  // tclocUsed, tblocPlaced
    Field& locName;   // the task's name
    Cursor& exRows;   // extc, extb
    const char* keyName;
    bool& editMode;
    bool& askEach;
    LibraryView& window;
    core::Msg usedInTask;
    core::Msg usedInExport;
    core::Msg modifyQuestion;
    int helpContext;
};

DataModule::LibrarySide DataModule::containerSide() {
    return {.key = contsTypeID,
            .taskRows = tc,
            .loc = tcloc,
            .locKey = tclocTypeID,
            .locCount = tclocUsed,
            .locName = tclocName,
            .exRows = extc,
            .keyName = "TypeID",
            .editMode = store_.cntEditMode,
            .askEach = store_.askEachTaskConts,
            .window = *contLibrary_,
            .usedInTask = core::Msg::ContainerTypeInTask,
            .usedInExport = core::Msg::ContainerTypeInExport,
            .modifyQuestion = core::Msg::ModifyContainerType,
            .helpContext = 9};
}

DataModule::LibrarySide DataModule::boxSide() {
    return {.key = boxesKindID,
            .taskRows = tb,
            .loc = tbloc,
            .locKey = tblocKindID,
            .locCount = tblocPlaced,
            .locName = tblocName,
            .exRows = extb,
            .keyName = "KindID",
            .editMode = store_.boxEditMode,
            .askEach = store_.askEachTaskBoxes,
            .window = *boxLibrary_,
            .usedInTask = core::Msg::BoxKindInTask,
            .usedInExport = core::Msg::BoxKindInExport,
            .modifyQuestion = core::Msg::ModifyBoxKind,
            .helpContext = 11};
}

void DataModule::guardExportLibrary() {
    if (store_.activeDB == 1) refuse(DialogKind::Information, msg(core::Msg::ExportLibraryReadOnly), 15);
}

void DataModule::contsBeforeInsert() {
    libraryBeforeInsert(containerSide());
}

void DataModule::boxesBeforeInsert() {
    libraryBeforeInsert(boxSide());
}

void DataModule::contsBeforeEdit() {
    libraryBeforeEdit(containerSide());
}

void DataModule::boxesBeforeEdit() {
    libraryBeforeEdit(boxSide());
}

void DataModule::contsBeforeDelete() {
    libraryBeforeDelete(containerSide());
}

void DataModule::boxesBeforeDelete() {
    libraryBeforeDelete(boxSide());
}

void DataModule::contsNewRecord() {
    contsFillDir.setString("Length");
}

void DataModule::libraryBeforeInsert(const LibrarySide& side) {
    guardExportLibrary();
    if (!side.editMode) throw core::SilentAbort();
    side.window.focusGridColumn(1);
}

// Outside the edit mode the library windows change only quantities, which no
// task reads: nothing is checked then.
void DataModule::libraryBeforeEdit(const LibrarySide& side) {
    if (!side.editMode) return;
    guardExportLibrary();
    postPending(side.taskRows);
    const std::int32_t id = side.key.asInteger();
    bool refused = false;
    if (store_.activeDB == 0 && exportSetUses(side.exRows, side.keyName, id)) {
        ask(DialogKind::Warning, msg(side.usedInExport) + CR + msg(core::Msg::EditCancelled),
            DialogButton::Ok, 15);
        refused = true;
    }
    // A stored solution built on the row would no longer match it. The dialog
    // has only OK: the edit is refused however the dialog is left.
    if (findTaskUsing(side, id, true)) {
        ask(DialogKind::Warning,
            msg(side.usedInTask) + CR + quotedTask(side.locName) + CR + msg(core::Msg::ChangeAfterClearing),
            DialogButton::Ok, side.helpContext);
        refused = true;
    }
    if (refused) throw core::SilentAbort();
    if (!store_.warnings || !side.askEach) return;

    // Ask task by task; only Yes, All and Yes to All let the edit through.
    for (bool found = findTaskUsing(side, id, false); found; found = nextTaskUsing(side, id, false)) {
        const std::string text = msg(side.usedInTask) + CR + quotedTask(side.locName) + CR +
                                 msg(side.modifyQuestion) + CR + msg(core::Msg::ForAllTasks) + CR +
                                 msg(core::Msg::ForAllRows);
        switch (ask(DialogKind::Confirmation, text,
                    DialogButton::Yes | DialogButton::No | DialogButton::All | DialogButton::YesToAll,
                    side.helpContext)) {
        case DialogButton::Yes:
            continue;
        case DialogButton::All:
            return;
        case DialogButton::YesToAll:
            side.askEach = false;
            return;
        default:
            throw core::SilentAbort();
        }
    }
}

// The rows of a type (kind) stand together in the locator's order, by task: the first task
// row of `id` with items placed (`placed`) or with none, with the locator standing on it.
bool DataModule::findTaskUsing(const LibrarySide& side, std::int32_t id, bool placed) {
    if (!side.loc.locate(side.keyName, id)) return false;
    return countMatches(side.locCount.asInteger(), placed) || nextTaskUsing(side, id, placed);
}

bool DataModule::nextTaskUsing(const LibrarySide& side, std::int32_t id, bool placed) {
    for (;;) {
        side.loc.next();
        if (side.loc.eof() || side.locKey.asInteger() != id) return false;
        if (countMatches(side.locCount.asInteger(), placed)) return true;
    }
}

void DataModule::libraryBeforeDelete(const LibrarySide& side) {
    if (!side.editMode) throw core::SilentAbort();
    postPending(side.taskRows);
    const std::int32_t id = side.key.asInteger();
    if (side.loc.locate(side.keyName, id))
        refuse(DialogKind::Warning,
               msg(side.usedInTask) + CR + quotedTask(side.locName) + CR + msg(core::Msg::DeleteCancelled),
               side.helpContext);
    if (store_.activeDB == 0 && exportSetUses(side.exRows, side.keyName, id))
        refuse(DialogKind::Warning, msg(side.usedInExport) + CR + msg(core::Msg::DeleteCancelled), 15);
}

// A support span of zero or less would make the engine's support loads
// meaningless, so the value is refused however the dialog is left.
void DataModule::checkAxleDisplacements() {
    const long long sum = static_cast<long long>(contsNoseDL.asInteger()) + contsTailDL.asInteger();
    if (sum >= contsLength.asInteger()) refuse(DialogKind::Error, msg(core::Msg::AxleDisplacements), 10);
}

// Opens the export set and the cursor only for the look and closes what it opened.
bool DataModule::exportSetUses(Cursor& exRows, const char* keyField, std::int32_t id) {
    const bool setWasOpen = exdb.isOpen();
    const bool rowsWereOpen = exRows.isOpen();
    auto closeOpened = [&] {
        if (!rowsWereOpen) exRows.close();
        if (!setWasOpen) exdb.close();
    };
    bool found = false;
    try {
        if (!setWasOpen) exdb.open();
        exRows.open();
        found = exRows.locate(keyField, id);
    } catch (...) {
        // The first error is the one to report; closing after it is best effort.
        try {
            closeOpened();
        } catch (...) {
        }
        throw;
    }
    closeOpened();
    return found;
}

} // namespace rectix::taskdb
