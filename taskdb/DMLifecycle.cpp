// The data module: opening and closing the tables, start-up, and the events
// that keep the windows in step with the current task.
#include "taskdb/DMUnit.h"

#include "taskdb/RunStore.h"
#include "taskdb/SettingsWindow.h"
#include "taskdb/TaskPage.h"
#include "taskdb/ViewOptions.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/UiTexts.h"

#include <system_error>

namespace rectix::taskdb {

void TDMForm::DataModuleCreate() {
    if (SetTablesActive(true)) {
        if (store_.LastTaskID != 0) tasks.locate("TaskID", store_.LastTaskID);
        store_.DBState = 555;
        RefreshTotals();
        return;
    }
    dialogs_->ShowMessage(std::string(ApplicationTitle) + " " + core::messageText(76));
    store_.DBState = 0;
    SetTablesActive(false);
}

void TDMForm::EnsureTableFiles(dataset::TableSet& set) {
    std::error_code ec;
    if (!std::filesystem::is_directory(set.folder(), ec)) return;
    for (const auto& table : set.schema())
        if (!set.tableFileExists(table.name)) set.createTableFile(table.name);
}

bool TDMForm::SetTablesActive(bool active) {
    try {
        if (!active) {
            for (Cursor* c : WorkingTables()) c->close();
            db.close();
            return true;
        }
        EnsureTableFiles(db);
        db.open();
        for (Cursor* c : WorkingTables()) c->open();
        // The libraries were read before the tasks: their areas show only with a task.
        conts.refresh();
        boxes.refresh();
        return true;
    } catch (const core::RangeError&) {
    } catch (const core::OverflowError&) {
    } catch (const core::ZeroDivideError&) {
    } catch (const core::InvalidOpError&) {
    } catch (...) {
        return false;
    }
    dialogs_->ShowMessage(core::messageText(119));
    return false;
}

void TDMForm::LoadTaskOptions() {
    if (tasks.isEmpty()) return;
    store_.OptPower = core::toI16(tasksPower.asInteger());
    store_.OptTime = core::toI16(tasksTime.asInteger());
    store_.OptRand = core::toI16(tasksRand.asInteger());
    store_.OptLast = tasksLast.asBoolean();
    const std::int32_t qw = tasksQw.asInteger();
    store_.OptQg = core::toI16(qw / 100);
    store_.OptQw = core::toI16(qw - 100 * store_.OptQg);
    store_.OptQc = core::toI16(tasksQc.asInteger());
    store_.OptQr = core::toI16(tasksQr.asInteger());
    store_.OptBB = core::toI16(tasksBB.asInteger());
    store_.OptBW = core::toI16(tasksBW.asInteger());
    settings_->ShowActiveOptions();
}

// A new task takes the active settings and is stored at once, before the user
// has named it: it is stored without a name and then named after its TaskID.
void TDMForm::tasksAfterInsert() {
    tasksPower.setInteger(store_.OptPower);
    tasksTime.setInteger(store_.OptTime);
    tasksRand.setInteger(store_.OptRand);
    tasksLast.setBoolean(store_.OptLast);
    tasksQw.setInteger(static_cast<std::int64_t>(store_.OptQw) +
                       100 * static_cast<std::int64_t>(store_.OptQg));
    tasksQc.setInteger(store_.OptQc);
    tasksQr.setInteger(store_.OptQr);
    tasksBB.setInteger(store_.OptBB);
    tasksBW.setInteger(store_.OptBW);
    const bool named = !tasksName.isNull();
    if (!named) tasksName.setRequired(false);
    try {
        tasks.post();
    } catch (...) {
        tasksName.setRequired(true);
        throw;
    }
    tasksName.setRequired(true);
    if (named) return;
    tasks.edit();
    tasksName.setString("Task " + std::to_string(currentTaskID()));
    tasks.post();
}

void TDMForm::tasksAfterPost() {
    page_->CurrSolutState();
    settings_->CurrOptSetColors();
    RefreshTotals();
}

void TDMForm::tasksAfterScroll() {
    page_->CurrSolutState();
    if (store_.TaskOptSet)
        LoadTaskOptions();
    else
        settings_->CurrOptSetColors();
    RefreshTotals();
    viewOptions_->NormalTracks(false);
}

void TDMForm::tasksAfterOpen() {
    if (store_.DBState == 555) page_->CurrSolutState();
}

void TDMForm::tasksAfterDelete() {
    page_->CurrSolutState();
    RefreshTotals();
}

} // namespace rectix::taskdb
