// The data module: opening and closing the tables, start-up, and the events
// that keep the windows in step with the current task.
#include "taskdb/DataModule.h"

#include "core/Dialogs.h"

#include "taskdb/RunStore.h"
#include "taskdb/SettingsView.h"
#include "taskdb/TaskPageView.h"
#include "taskdb/ViewOptionsView.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/UiTexts.h"

#include <system_error>

namespace rectix::taskdb {

namespace {

constexpr const char* applicationTitle = "Rectix";

} // namespace

void DataModule::dataModuleCreate() {
    if (setTablesActive(true)) {
        if (store_.lastTaskID != 0) tasks.locate("TaskID", store_.lastTaskID);
        store_.dbState = 555;
        refreshTotals();
        return;
    }
    core::Dialogs::current().plainMessage(std::string(applicationTitle) + " " + core::messageText(76));
    store_.dbState = 0;
    setTablesActive(false);
}

void DataModule::ensureTableFiles(dataset::TableSet& set) {
    std::error_code ec;
    if (!std::filesystem::is_directory(set.folder(), ec)) return;
    for (const auto& table : set.schema())
        if (!set.tableFileExists(table.name)) set.createTableFile(table.name);
}

bool DataModule::setTablesActive(bool active) {
    try {
        if (!active) {
            for (Cursor* c : workingTables()) c->close();
            db.close();
            return true;
        }
        ensureTableFiles(db);
        db.open();
        for (Cursor* c : workingTables()) c->open();
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
    core::Dialogs::current().plainMessage(core::messageText(119));
    return false;
}

void DataModule::loadTaskOptions() {
    if (tasks.isEmpty()) return;
    store_.optPower = core::toI16(tasksPower.asInteger());
    store_.optTime = core::toI16(tasksTime.asInteger());
    store_.optRand = core::toI16(tasksRand.asInteger());
    store_.optLast = tasksLast.asBoolean();
    const std::int32_t qw = tasksQw.asInteger();
    store_.optQg = core::toI16(qw / 100);
    store_.optQw = core::toI16(qw - 100 * store_.optQg);
    store_.optQc = core::toI16(tasksQc.asInteger());
    store_.optQr = core::toI16(tasksQr.asInteger());
    store_.optBB = core::toI16(tasksBB.asInteger());
    store_.optBW = core::toI16(tasksBW.asInteger());
    settings_->showActiveOptions();
}

// A new task takes the active settings and is stored at once, before the user
// has named it: it is stored without a name and then named after its TaskID.
void DataModule::tasksAfterInsert() {
    tasksPower.setInteger(store_.optPower);
    tasksTime.setInteger(store_.optTime);
    tasksRand.setInteger(store_.optRand);
    tasksLast.setBoolean(store_.optLast);
    tasksQw.setInteger(static_cast<std::int64_t>(store_.optQw) +
                       100 * static_cast<std::int64_t>(store_.optQg));
    tasksQc.setInteger(store_.optQc);
    tasksQr.setInteger(store_.optQr);
    tasksBB.setInteger(store_.optBB);
    tasksBW.setInteger(store_.optBW);
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

void DataModule::tasksAfterPost() {
    page_->solutionStateChanged();
    settings_->currOptSetColors();
    refreshTotals();
}

void DataModule::tasksAfterScroll() {
    page_->currentTaskChanged();
    if (store_.taskOptSet)
        loadTaskOptions();
    else
        settings_->currOptSetColors();
    refreshTotals();
    viewOptions_->normalTracks(false);
}

void DataModule::tasksAfterOpen() {
    if (store_.dbState == 555) page_->currentTaskChanged();
}

void DataModule::tasksAfterDelete() {
    page_->currentTaskChanged();
    refreshTotals();
}

void DataModule::publishCurrentTask() {
    page_->currentTaskChanged();
    refreshTotals();
}

} // namespace rectix::taskdb
