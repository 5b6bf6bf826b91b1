#include "ScriptedDialogs.h"
#include "ui/BusyCursor.h"
#include "ui/DisabledWindow.h"
#include "ui/DisplaySuspension.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace rectix::ui;

TEST(Guards, RestoreCursorWindowAndDisplayWhenAnErrorLeaves) {
    QWidget window;
    std::string log;
    EXPECT_THROW(
        {
            BusyCursor busy;
            DisabledWindow disabled(&window);
            DisplaySuspension suspended([&] { log += "suspend "; }, [&] { log += "resume"; });
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            EXPECT_FALSE(window.isEnabled());
            throw std::runtime_error("Table locked");
        },
        std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(log, "suspend resume");
}

TEST(Guards, GiveBackWhatWasThereBefore) {
    QWidget window;
    window.setEnabled(false);
    { DisabledWindow disabled(&window); }
    EXPECT_FALSE(window.isEnabled());

    auto* gone = new QWidget;
    {
        DisabledWindow disabled(gone);
        delete gone;
    }

    ScriptedDialogs dialogs; // a failing resume is reported, not thrown from a destructor
    EXPECT_NO_THROW({ DisplaySuspension suspended({}, [] { throw std::runtime_error("Refresh failed"); }); });
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Refresh failed"});
}
