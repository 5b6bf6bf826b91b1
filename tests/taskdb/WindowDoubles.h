#pragma once

#include "taskdb/MessageDialog.h"
#include "taskdb/TaskPage.h"
#include "taskdb/WaitWindow.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace rectix::taskdb::test {

// Answers dialogs from a script, in order; with the script used up, a dialog
// counts as closed.
struct ScriptedDialog : MessageDialog {
    struct Shown {
        DialogKind kind;
        std::string text;
        std::vector<DialogButton> buttons;
        int help;
    };
    std::deque<DialogButton> answers;
    std::vector<Shown> shown;
    std::vector<std::string> messages;

    DialogButton Show(DialogKind kind, const std::string& text, const std::vector<DialogButton>& buttons,
                      int help) override {
        shown.push_back({kind, text, buttons, help});
        if (answers.empty()) return DialogButton::Closed;
        const DialogButton a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

struct RecordingPage : TaskPage {
    std::map<PageFigure, std::string> figures;
    std::uint32_t leftColor = 0;
    int solutStateCalls = 0;
    bool enabled = true;
    bool taskList = false;
    bool busy = false;

    void SetFigure(PageFigure f, const std::string& text) override { figures[f] = text; }
    void SetLeftColor(std::uint32_t color) override { leftColor = color; }
    void CurrSolutState() override { ++solutStateCalls; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool on) override { enabled = on; }
    bool TaskListVisible() const override { return taskList; }
    void SetBusyCursor(bool on) override { busy = on; }
};

struct RecordingWait : NullWaitWindow {
    bool visible = false;
    std::string label;
    std::vector<int> bar;
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetProgLab(const std::string& text) override { label = text; }
    void SetProgBar(int percent) override { bar.push_back(percent); }
};

} // namespace rectix::taskdb::test
