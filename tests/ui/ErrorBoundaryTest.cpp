#include "ui/ErrorBoundary.h"
#include "ScriptedDialogs.h"
#include "core/Errors.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace rectix;
using Shown = std::vector<std::string>;

namespace {

// A button whose handler runs straight from the signal, as a window's handler does, so that an
// error leaves it into the event loop.
void click(const std::function<void()>& handler) {
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [&] { handler(); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
}

} // namespace

TEST(ErrorBoundary, ARefusalEndsTheActionWithNothingFurtherShown) {
    ScriptedDialogs dialogs;
    click([] { throw core::SilentAbort(); });
    EXPECT_FALSE(ui::ErrorBoundary::run([] { throw core::SilentAbort(); }));
    EXPECT_EQ(dialogs.shown, Shown{});
}

TEST(ErrorBoundary, AnUnexpectedErrorShowsTheErrorBoxAndTheProgramGoesOn) {
    ScriptedDialogs dialogs;
    click([] { throw core::OverflowError("Integer overflow"); });
    int done = 0;
    click([&] { ++done; });
    EXPECT_EQ(done, 1);

    EXPECT_TRUE(ui::ErrorBoundary::run([] {}));
    EXPECT_FALSE(ui::ErrorBoundary::run([] { throw 42; }));
    QPushButton button; // a guarded slot catches without an event loop in between
    QObject::connect(&button, &QPushButton::clicked,
                     ui::guarded([] { throw std::logic_error("Bad wiring"); }));
    button.click();
    EXPECT_EQ(dialogs.shown, (Shown{"error: Integer overflow", "error: Unknown error", "error: Bad wiring"}));
}
