#pragma once

#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/OperationView.h"
#include "taskdb/ProgressView.h"
#include "taskdb/TaskPageView.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace rectix::taskdb::test {

using core::DialogButton;
using core::DialogButtons;
using core::DialogKind;

// The process's dialogs while it lives: answers questions from a script, in
// order; with the script used up, a dialog is closed (Cancel).
struct ScriptedDialog : core::Dialogs {
    struct Shown {
        DialogKind kind;
        std::string text;
        DialogButtons buttons;
        int help;
    };
    std::deque<DialogButton> answers;
    std::vector<Shown> shown;
    std::vector<std::string> messages;

    ScriptedDialog() : replaced_(install(this)) {}
    ~ScriptedDialog() override { install(replaced_); }
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;

    DialogButton show(DialogKind kind, const std::string& text, DialogButtons buttons, int help) override {
        shown.push_back({kind, text, buttons, help});
        if (answers.empty()) return DialogButton::Cancel;
        const DialogButton a = answers.front();
        answers.pop_front();
        return a;
    }
    void errorBox(const std::string& text) override { messages.push_back(text); }
    void plainMessage(const std::string& text) override { messages.push_back(text); }

  private:
    core::Dialogs* replaced_;
};

// Keeps what the data module published last.
struct RecordingPage : TaskPageView {
    TaskTotals totals;
    int totalsPublished = 0;
    int taskChanges = 0;
    int solutionStateChanges = 0;
    bool taskList = false;

    void totalsChanged(const TaskTotals& t) override {
        totals = t;
        ++totalsPublished;
    }
    void currentTaskChanged() override { ++taskChanges; }
    void solutionStateChanged() override { ++solutionStateChanges; }
    bool taskListVisible() const override { return taskList; }
};

// The progress window and the rest of what a long operation takes of the
// windows; hiding the window sets its overall bar to 0, as the window does.
struct RecordingWait : NullProgressView, OperationView {
    bool visible = false;
    bool busy = false;
    bool pageEnabled = true;
    bool settingsEnabled = true;
    std::string label;
    std::vector<int> bar;
    void setStep(core::Caption captionSlot) override { label = core::captionText(captionSlot); }
    void setOverallPercent(int percent) override { bar.push_back(percent); }
    void showProgress(bool shown) override {
        visible = shown;
        if (!shown) bar.push_back(0);
    }
    void setBusyCursor(bool on) override { busy = on; }
    void setPageEnabled(bool on) override { pageEnabled = on; }
    void setSettingsEnabled(bool on) override { settingsEnabled = on; }
    void letEventsThrough() override {}
};

} // namespace rectix::taskdb::test
