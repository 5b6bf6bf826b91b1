#pragma once

#include "core/Dialogs.h"

#include <string>
#include <vector>

// Stands in for the message dialogs while it lives: records what would be shown ("ask: text",
// "error: text", "plain: text") and answers every question with `answer` (Cancel unless set).
class ScriptedDialogs : public rectix::core::Dialogs {
  public:
    ScriptedDialogs() : replaced_(install(this)) {}
    ~ScriptedDialogs() override { install(replaced_); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    rectix::core::DialogButton show(rectix::core::DialogKind, const std::string& text,
                                    rectix::core::DialogButtons, int) override {
        shown.push_back("ask: " + text);
        return answer;
    }
    void errorBox(const std::string& text) override { shown.push_back("error: " + text); }
    void plainMessage(const std::string& text) override { shown.push_back("plain: " + text); }

    std::vector<std::string> shown;
    rectix::core::DialogButton answer = rectix::core::DialogButton::Cancel;

  private:
    rectix::core::Dialogs* replaced_;
};
