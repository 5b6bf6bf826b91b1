#pragma once

#include "taskdb/MessageDialog.h"
#include "taskdb/ProgressView.h"
#include "taskdb/TaskPageView.h"

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

    DialogButton showWindow(DialogKind kind, const std::string& text,
                            const std::vector<DialogButton>& buttons, int help) override {
        shown.push_back({kind, text, buttons, help});
        if (answers.empty()) return DialogButton::Closed;
        const DialogButton a = answers.front();
        answers.pop_front();
        return a;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
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
    void setProgLab(const std::string& text) override { label = text; }
    void setProgBar(int percent) override { bar.push_back(percent); }
};

} // namespace rectix::taskdb::test
