#pragma once

#include "core/Dialogs.h"
#include "core/UiTexts.h"
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

struct RecordingPage : TaskPageView {
    std::map<PageFigure, std::string> figures;
    std::uint32_t leftColor = 0;
    int solutStateCalls = 0;
    bool enabled = true;
    bool taskList = false;
    bool busy = false;

    void setFigure(PageFigure f, const std::string& text) override { figures[f] = text; }
    void setLeftColor(std::uint32_t color) override { leftColor = color; }
    void currSolutState() override { ++solutStateCalls; }
    bool pageEnabled() const override { return enabled; }
    void setPageEnabled(bool on) override { enabled = on; }
    bool taskListVisible() const override { return taskList; }
    void setBusyCursor(bool on) override { busy = on; }
};

struct RecordingWait : NullProgressView {
    bool visible = false;
    std::string label;
    std::vector<int> bar;
    void showWindow() override { visible = true; }
    void hideWindow() override { visible = false; }
    void setStep(int captionSlot) override { label = core::captionText(captionSlot); }
    void setOverallPercent(int percent) override { bar.push_back(percent); }
};

} // namespace rectix::taskdb::test
