#include "ScriptedDialogs.h"
#include "ui/BusyCursor.h"
#include "ui/DisabledWindow.h"
#include "ui/DisplaySuspension.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
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

// While a window is off another may take the activation (a progress or message window); the
// window's focus was cleared by disabling it, and enabling it gives back neither.
TEST(Guards, TheDisabledWindowIsActiveAgainWithItsFocus) {
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* edit = new QLineEdit(&window);
    edit->move(0, 30);
    window.show();
    window.activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QWidget elsewhere;
    {
        DisabledWindow disabled(&window);
        elsewhere.show();
        elsewhere.activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &elsewhere);
        elsewhere.hide();
    }
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &window);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_NE(QApplication::focusWidget(), first);
}
