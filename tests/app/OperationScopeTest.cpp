#include "app/OperationScope.h"
#include "app/WaitUnit.h"
#include "core/Errors.h"

#include <QApplication>
#include <QCursor>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <stdexcept>

using rectix::app::OperationScope;
using rectix::app::TWaitForm;

namespace {

struct Frame {
    Frame() { main.show(); }
    QWidget main;
    TWaitForm wait;

    int bar() const { return wait.findChild<QProgressBar*>(QStringLiteral("ProgBar"))->value(); }

    void expectRestored() const {
        EXPECT_TRUE(main.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(wait.isVisible());
        EXPECT_EQ(bar(), 0);
        EXPECT_FALSE(OperationScope::running());
    }
};

} // namespace

TEST(OperationScope, TheProgressWindowAloneTakesInputWhileItRuns) {
    Frame f;
    {
        OperationScope scope(&f.main, &f.wait);
        EXPECT_TRUE(OperationScope::running());
        EXPECT_TRUE(f.wait.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &f.wait);
        EXPECT_TRUE(f.wait.isEnabled());
        EXPECT_FALSE(f.main.isEnabled());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        f.wait.SetProgBar(60);
    }
    f.expectRestored();
}

TEST(OperationScope, AnErrorInTheWorkRestoresWindowCursorAndProgressWindow) {
    Frame f;
    EXPECT_THROW(
        {
            OperationScope scope(&f.main, &f.wait);
            f.wait.SetProgBar(35);
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
        // The refused one changed nothing of the running one.
        EXPECT_TRUE(OperationScope::running());
        EXPECT_TRUE(f.wait.isVisible());
        EXPECT_FALSE(f.main.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    f.expectRestored();
    { OperationScope again(&f.main, nullptr); } // and the next one starts
    f.expectRestored();
}
