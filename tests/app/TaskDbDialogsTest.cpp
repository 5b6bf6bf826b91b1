// The data module's questions as the program's message dialogs answer them.
#include "ScriptedAnswers.h"

#include "app/TaskDbDialogs.h"

#include <gtest/gtest.h>

using rectix::taskdb::DialogButton;
using rectix::taskdb::DialogKind;

TEST(TaskDbDialogs, ADialogClosedWithoutAButtonRefuses) {
    ScriptedAnswers dialogs; // with no answers left, every dialog is closed
    rectix::app::TaskDbDialogs adapter;
    EXPECT_EQ(adapter.showWindow(DialogKind::Warning, "used", {DialogButton::OK, DialogButton::Ignore}, 5),
              DialogButton::Closed);
    EXPECT_EQ(
        adapter.showWindow(DialogKind::Confirmation, "sure?", {DialogButton::OK, DialogButton::Cancel}, 0),
        DialogButton::Cancel);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"warning: used", "confirm: sure?"}));
}
