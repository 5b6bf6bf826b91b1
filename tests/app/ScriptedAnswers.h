#pragma once

#include "ui/MessageDialogs.h"

#include <deque>
#include <string>
#include <vector>

// Stands in for the message dialogs while it lives: records each dialog as "<kind>: text"
// (warning, error, information, confirm, errorbox, plain) and answers questions from `answers`,
// then with Cancel, as a dialog closed without a button.
class ScriptedAnswers : public rectix::ui::MessageDialogs {
  public:
    ScriptedAnswers() { install(this); }
    ~ScriptedAnswers() override { install(nullptr); }

    rectix::ui::DialogButton show(rectix::ui::DialogKind kind, const std::string& text,
                                  rectix::ui::DialogButtons, int) override {
        shown.push_back(prefix(kind) + text);
        if (answers.empty()) return rectix::ui::DialogButton::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void errorBox(const std::string& text) override { shown.push_back("errorbox: " + text); }
    void plainMessage(const std::string& text) override { shown.push_back("plain: " + text); }

    std::deque<rectix::ui::DialogButton> answers;
    std::vector<std::string> shown;

  private:
    static std::string prefix(rectix::ui::DialogKind kind) {
        switch (kind) {
        case rectix::ui::DialogKind::Warning:
            return "warning: ";
        case rectix::ui::DialogKind::Error:
            return "error: ";
        case rectix::ui::DialogKind::Information:
            return "information: ";
        case rectix::ui::DialogKind::Confirmation:
            break;
        }
        return "confirm: ";
    }
};
