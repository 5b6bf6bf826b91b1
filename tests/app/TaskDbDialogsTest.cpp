// The data module's questions as the program's message dialogs answer them.
#include "ScriptedAnswers.h"

#include "app/TaskDbDialogs.h"

#include <gtest/gtest.h>

using rectix::taskdb::DialogButton;
using rectix::taskdb::DialogKind;
using UiButton = rectix::ui::DialogButton;

TEST(TaskDbDialogs, ADialogClosedWithoutAButtonRefuses) {
    ScriptedAnswers dialogs; // with no answers left, every dialog is closed
    rectix::app::TaskDbDialogs adapter;
    EXPECT_EQ(adapter.Show(DialogKind::Warning, "used", {DialogButton::OK, DialogButton::Ignore}, 5),
              DialogButton::Closed);
    EXPECT_EQ(adapter.Show(DialogKind::Confirmation, "sure?", {DialogButton::OK, DialogButton::Cancel}, 0),
              DialogButton::Cancel);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"warning: used", "confirm: sure?"}));
}

TEST(TaskDbDialogs, TheButtonPressedIsTheAnswer) {
    ScriptedAnswers dialogs;
    dialogs.answers = {UiButton::Ignore, UiButton::Ok, UiButton::Yes};
    rectix::app::TaskDbDialogs adapter;
    EXPECT_EQ(adapter.Show(DialogKind::Error, "a", {DialogButton::OK, DialogButton::Ignore}, 0),
              DialogButton::Ignore);
    EXPECT_EQ(adapter.Show(DialogKind::Information, "b", {DialogButton::OK}, 0), DialogButton::OK);
    EXPECT_EQ(adapter.Show(DialogKind::Confirmation, "c", {DialogButton::Yes, DialogButton::No}, 0),
              DialogButton::Yes);
    adapter.ShowMessage("Rectix DB is busy or wrong");
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"error: a", "information: b", "confirm: c",
                                                       "plain: Rectix DB is busy or wrong"}));
}
