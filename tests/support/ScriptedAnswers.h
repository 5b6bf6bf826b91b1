#pragma once

#include "core/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

// Stands in for the message dialogs while it lives: records each dialog as "<kind>: text"
// (warning, error, information, confirm, errorbox, plain) and answers questions from `answers`,
// then with Cancel, as a dialog closed without a button.
class ScriptedAnswers : public rectix::core::Dialogs {
  public:
    ScriptedAnswers() : replaced_(install(this)) {}
    ~ScriptedAnswers() override { install(replaced_); }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    rectix::core::DialogButton show(rectix::core::DialogKind kind, const std::string& text,
                                    rectix::core::DialogButtons, int) override {
        shown.push_back(prefix(kind) + text);
        if (answers.empty()) return rectix::core::DialogButton::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void errorBox(const std::string& text) override { shown.push_back("errorbox: " + text); }
    void plainMessage(const std::string& text) override { shown.push_back("plain: " + text); }

    std::deque<rectix::core::DialogButton> answers;
    std::vector<std::string> shown;

  private:
    rectix::core::Dialogs* replaced_;
    static std::string prefix(rectix::core::DialogKind kind) {
        switch (kind) {
        case rectix::core::DialogKind::Warning:
            return "warning: ";
        case rectix::core::DialogKind::Error:
            return "error: ";
        case rectix::core::DialogKind::Information:
            return "information: ";
        case rectix::core::DialogKind::Confirmation:
            break;
        }
        return "confirm: ";
    }
};
