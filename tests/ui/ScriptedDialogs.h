#pragma once

#include "ui/MessageDialogs.h"

#include <deque>
#include <string>
#include <vector>

// Stands in for the message dialogs while it lives: records what would be shown and answers
// from a script (Cancel when the script has run out).
class ScriptedDialogs : public rectix::ui::MessageDialogs {
  public:
    struct Shown {
        std::string what; // "ask", "error" or "plain"
        std::string text;
    };

    ScriptedDialogs() { install(this); }
    ~ScriptedDialogs() override { install(nullptr); }

    rectix::ui::DialogButton show(rectix::ui::DialogKind, const std::string& text, rectix::ui::DialogButtons,
                                  int) override {
        shown.push_back({"ask", text});
        if (answers.empty()) return rectix::ui::DialogButton::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void errorBox(const std::string& text) override { shown.push_back({"error", text}); }
    void plainMessage(const std::string& text) override { shown.push_back({"plain", text}); }

    std::deque<rectix::ui::DialogButton> answers;
    std::vector<Shown> shown;
};
