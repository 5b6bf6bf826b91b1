#include "ScriptedDialogs.h"
#include "ui/BusyCursor.h"
#include "ui/DisabledWindow.h"
#include "ui/DisplaySuspension.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace rectix::ui;

namespace {

Qt::CursorShape cursorShape() {
    const QCursor* c = QApplication::overrideCursor();
    return c ? c->shape() : Qt::ArrowCursor;
}

} // namespace

TEST(Guards, RestoreCursorWindowAndDisplayWhenAnErrorLeaves) {
    QWidget window;
    std::string log;
    EXPECT_THROW(
        {
            BusyCursor busy;
            DisabledWindow disabled(&window);
            DisplaySuspension suspended([&] { log += "suspend "; }, [&] { log += "resume"; });
            EXPECT_EQ(cursorShape(), Qt::WaitCursor);
            EXPECT_FALSE(window.isEnabled());
            throw std::runtime_error("Table locked");
        },
        std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(log, "suspend resume");
}

TEST(Guards, NestedGuardsGiveBackWhatWasThereBefore) {
    QWidget window;
    {
        BusyCursor outer;
        {
            BusyCursor arrow(Qt::ArrowCursor);
            EXPECT_EQ(cursorShape(), Qt::ArrowCursor);
        }
        EXPECT_EQ(cursorShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    window.setEnabled(false);
    { DisabledWindow disabled(&window); }
    EXPECT_FALSE(window.isEnabled()); // it was disabled before the guard

    auto* gone = new QWidget;
    {
        DisabledWindow disabled(gone);
        delete gone;
    }
}

TEST(Guards, AFailingResumeIsReportedNotThrown) {
    ScriptedDialogs dialogs;
    EXPECT_NO_THROW({ DisplaySuspension suspended({}, [] { throw std::runtime_error("Refresh failed"); }); });
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Refresh failed");
}
