#pragma once

#include "ui/MessageDialogs.h"

#include <string>
#include <vector>

// Stands in for the message dialogs while it lives: records what would be shown ("ask: text",
// "error: text", "plain: text") and answers every question with `answer` (Cancel unless set).
class ScriptedDialogs : public rectix::ui::MessageDialogs {
  public:
    ScriptedDialogs() { install(this); }
    ~ScriptedDialogs() override { install(nullptr); }

    rectix::ui::DialogButton show(rectix::ui::DialogKind, const std::string& text, rectix::ui::DialogButtons,
                                  int) override {
        shown.push_back("ask: " + text);
        return answer;
    }
    void errorBox(const std::string& text) override { shown.push_back("error: " + text); }
    void plainMessage(const std::string& text) override { shown.push_back("plain: " + text); }

    std::vector<std::string> shown;
    rectix::ui::DialogButton answer = rectix::ui::DialogButton::Cancel;
};
