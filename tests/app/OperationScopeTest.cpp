#include "app/OperationScope.h"
#include "app/ProgressWindow.h"
#include "core/Errors.h"

#include <QApplication>
#include <QCursor>
#include <QProgressBar>

#include <gtest/gtest.h>

using rectix::app::OperationScope;
using rectix::app::ProgressWindow;

namespace {

struct Frame {
    Frame() { main.show(); }

    void expectRunning() const {
        EXPECT_TRUE(OperationScope::running());
        EXPECT_TRUE(wait.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &wait); // the only window that takes input
        EXPECT_TRUE(wait.isEnabled());
        EXPECT_FALSE(main.isEnabled());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    void expectRestored() const {
        EXPECT_FALSE(OperationScope::running());
        EXPECT_FALSE(wait.isVisible());
        EXPECT_EQ(wait.findChild<QProgressBar*>(QStringLiteral("ProgBar"))->value(), 0);
        EXPECT_TRUE(main.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    QWidget main;
    ProgressWindow wait;
};

} // namespace

TEST(OperationScope, AnErrorInTheWorkRestoresWindowCursorAndProgressWindow) {
    Frame f;
    EXPECT_THROW(
        {
            OperationScope scope(&f.main, &f.wait);
            f.expectRunning();
            f.wait.setOverallPercent(35);
            throw rectix::core::RangeError("Range check error");
        },
        rectix::core::RangeError);
    f.expectRestored();
}

TEST(OperationScope, ASecondOperationCannotStartInsideOne) {
    Frame f;
    {
        OperationScope scope(&f.main, &f.wait);
        EXPECT_THROW(OperationScope(&f.main, &f.wait), rectix::core::SilentAbort);
        f.expectRunning(); // the refused one changed nothing of the running one
    }
    f.expectRestored();
    { OperationScope again(&f.main, nullptr); } // and the next one starts
    f.expectRestored();
}
