// The data module: opening and closing the tables, start-up, and the events
// that keep the windows in step with the current task.
#include "taskdb/DataModule.h"

#include "core/Dialogs.h"

#include "taskdb/RowRefusal.h"
#include "taskdb/RunStore.h"
#include "taskdb/SettingsView.h"
#include "taskdb/TaskPageView.h"
#include "taskdb/ValueRanges.h"
#include "taskdb/ViewOptionsView.h"
#include "taskdb/WriteCheck.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/ScopeGuard.h"
#include "core/UiTexts.h"
#include "dataset/Errors.h"

#include <algorithm>
#include <utility>

namespace rectix::taskdb {

namespace {

constexpr const char* applicationTitle = "Rectix";

} // namespace

void DataModule::dataModuleCreate() {
    bool opened = false;
    // The opening and the return to the last task both scroll the tasks.
    loadTaskOptionsAfter([&] {
        opened = setTablesActive(true);
        if (opened && store_.lastTaskID != 0) tasks.locate("TaskID", store_.lastTaskID);
        return opened;
    });
    if (opened) {
        store_.dbState = RunStore::tablesOpened;
        refreshTotals();
        return;
    }
    if (openReadOnly_)
        core::Dialogs::current().show(core::DialogKind::Warning, WriteCheck::warningText,
                                      core::DialogButton::Ok, 0);
    else
        core::Dialogs::current().plainMessage(std::string(applicationTitle) + " " +
                                              core::messageText(core::Msg::TablesBusyOrWrong));
    store_.dbState = 0;
    setTablesActive(false);
}

bool DataModule::setTablesActive(bool active) {
    if (active) {
        openError_.clear();
        openReadOnly_ = false;
    }
    try {
        if (!active) {
            for (Cursor* c : workingTables()) c->close();
            db.close();
            return true;
        }
        db.open();
        for (Cursor* c : workingTables()) c->open();
        // The libraries were read before the tasks: their areas show only with a task.
        conts.refresh();
        boxes.refresh();
        return true;
    } catch (const core::RangeError& e) {
        openError_ = e.what();
    } catch (const core::OverflowError& e) {
        openError_ = e.what();
    } catch (const core::ZeroDivideError& e) {
        openError_ = e.what();
    } catch (const core::InvalidOpError& e) {
        openError_ = e.what();
    } catch (const dataset::ReadOnlyError& e) {
        openError_ = e.what();
        openReadOnly_ = true;
        return false;
    } catch (const std::exception& e) {
        openError_ = e.what();
        return false;
    } catch (...) {
        openError_ = "unknown error";
        return false;
    }
    // The second line names what could not be computed.
    core::Dialogs::current().plainMessage(core::messageText(core::Msg::MathErrorOpening) + "\r" + openError_);
    return false;
}

std::string DataModule::taskSettingsRefusal() {
    const std::string bad = storedSettingsRefusal();
    if (bad.empty()) return {};
    return core::messageWith(core::Msg::TaskRefused, {tasksName.asString(), bad});
}

std::string DataModule::storedSettingsRefusal() {
    if (!tasks.isOpen() || tasks.isEmpty()) return {};
    // Read as stored, before any narrowing: a value past 16 bits is refused, not an error.
    auto stored = [](const Field& f) {
        return static_cast<long long>(
            std::clamp<long double>(dataset::numericValue(f.value()), -1e18L, 1e18L));
    };
    // A text would count as 0, and may be in range: it is refused as no value of its type.
    for (const Field* f :
         {&tasksPower, &tasksTime, &tasksRand, &tasksQw, &tasksQc, &tasksQr, &tasksBB, &tasksBW}) {
        const dataset::Value::Kind kind = f->value().kind();
        if (kind == dataset::Value::Kind::Text || kind == dataset::Value::Kind::Date)
            return atStoredRow(tasks, f->name(),
                               core::messageWith(core::Msg::NotOfItsType, {f->name(), f->displayText()}));
    }
    std::string field;
    const std::string bad = settingsRefusal({.power = stored(tasksPower),
                                             .time = stored(tasksTime),
                                             .rand = stored(tasksRand),
                                             .qw = stored(tasksQw),
                                             .qc = stored(tasksQc),
                                             .qr = stored(tasksQr),
                                             .bb = stored(tasksBB),
                                             .bw = stored(tasksBW)},
                                            field);
    if (bad.empty()) return {};
    return atStoredRow(tasks, field, core::messageWith(core::Msg::StoredSetting, {bad}));
}

std::string DataModule::taskRowRefusal(bool settings) {
    if (!tasks.isOpen() || tasks.isEmpty()) return {};
    if (std::string bad = settings ? storedSettingsRefusal() : std::string(); !bad.empty()) return bad;
    std::string field;
    const std::string bad = rowRefusal(tasks, "", "", &field);
    return bad.empty() ? bad : atStoredRow(tasks, field, bad);
}

void DataModule::loadTaskOptionsAfter(const std::function<bool()>& move) {
    // Within another such move, that one takes the settings at its end.
    const bool outermost = !std::exchange(holdTaskOptions_, true);
    bool open = false;
    {
        const core::ScopeGuard release([this, outermost] {
            if (outermost) holdTaskOptions_ = false;
        });
        open = move();
    }
    if (outermost && open && store_.taskOptSet && tasks.isOpen()) loadTaskOptions();
}

void DataModule::loadTaskOptions() {
    if (tasks.isEmpty()) return;
    if (const std::string bad = taskSettingsRefusal(); !bad.empty()) {
        core::Dialogs::current().show(DialogKind::Error, bad, DialogButton::Ok, 0);
        return;
    }
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
    if (store_.taskOptSet) {
        if (!holdTaskOptions_) loadTaskOptions();
    } else
        settings_->currOptSetColors();
    refreshTotals();
    viewOptions_->normalTracks(false);
}

void DataModule::tasksAfterOpen() {
    if (store_.dbState == RunStore::tablesOpened) page_->currentTaskChanged();
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
