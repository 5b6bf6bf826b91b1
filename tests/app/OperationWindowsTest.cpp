// The long-operation frame over the real windows: the progress window, the busy cursor, the main
// and the settings window disabled, all given back however the operation ends.
#include "app/OperationWindows.h"
#include "app/ProgressWindow.h"
#include "core/Errors.h"
#include "taskdb/OperationFrame.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QProgressBar>

#include <gtest/gtest.h>

using rectix::app::OperationWindows;
using rectix::app::ProgressWindow;
using rectix::taskdb::OperationFrame;

namespace {

struct Frame {
    Frame() {
        main.show();
        windows.setMainWindow(&main);
        windows.setProgressWindow(&wait);
        windows.setSettingsWindow(&settings);
    }

    // The frame of Solve and Clear.
    static OperationFrame::Options command() {
        return OperationFrame::Options()
            .exclusive()
            .progress()
            .busyCursor()
            .letEventsThrough()
            .pageDisabled();
    }

    void expectRunning() const {
        EXPECT_TRUE(OperationFrame::running());
        EXPECT_TRUE(wait.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &wait); // the only window that takes input
        EXPECT_TRUE(wait.isEnabled());
        EXPECT_FALSE(main.isEnabled());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    void expectRestored() const {
        EXPECT_FALSE(OperationFrame::running());
        EXPECT_FALSE(wait.isVisible());
        EXPECT_EQ(wait.findChild<QProgressBar*>(QStringLiteral("ProgBar"))->value(), 0);
        EXPECT_TRUE(main.isEnabled());
        EXPECT_TRUE(settings.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    QWidget main;
    QWidget settings;
    ProgressWindow wait;
    OperationWindows windows;
};

} // namespace

TEST(OperationWindows, AnErrorInTheWorkRestoresWindowCursorAndProgressWindow) {
    Frame f;
    EXPECT_THROW(
        {
            const OperationFrame frame(f.windows, Frame::command());
            f.expectRunning();
            f.wait.setOverallPercent(35);
            throw rectix::core::RangeError("Range check error");
        },
        rectix::core::RangeError);
    f.expectRestored();
}

TEST(OperationWindows, ASecondOperationCannotStartInsideOne) {
    Frame f;
    {
        const OperationFrame frame(f.windows, Frame::command());
        EXPECT_THROW(OperationFrame(f.windows, Frame::command()), rectix::core::SilentAbort);
        f.expectRunning(); // the refused one changed nothing of the running one
    }
    f.expectRestored();
    { const OperationFrame again(f.windows, OperationFrame::Options().exclusive().pageDisabled()); }
    f.expectRestored(); // and the next one starts
}

TEST(OperationWindows, NestedFramesGiveTheWindowsBackWhenTheOutermostEnds) {
    Frame f;
    {
        const OperationFrame outer(f.windows, Frame::command());
        {
            const OperationFrame inner(
                f.windows, OperationFrame::Options().busyCursor().pageDisabled().settingsDisabled());
            EXPECT_FALSE(f.settings.isEnabled());
        }
        EXPECT_TRUE(f.settings.isEnabled());
        f.expectRunning();
    }
    f.expectRestored();
}

// Enabling a window never activates it: without the activation given back, the keyboard stays
// with the hidden progress window (or nowhere) after the operation.
TEST(OperationWindows, TheWindowActiveBeforeIsActiveAgainWithItsFocus) {
    Frame f;
    auto* name = new QLineEdit(&f.main);
    (new QLineEdit(&f.main))->show(); // a control before it in the focus chain
    name->show();
    f.main.activateWindow();
    name->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &f.main);
    {
        const OperationFrame frame(f.windows, Frame::command());
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &f.wait);
    }
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &f.main);
    EXPECT_EQ(QApplication::focusWidget(), name);
}
