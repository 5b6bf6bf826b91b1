#include "ui/ErrorBoundary.h"
#include "ScriptedDialogs.h"
#include "core/Errors.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace rectix;

namespace {

// A button whose click runs the action straight from the signal, as a window's handler would.
struct Window {
    explicit Window(std::function<void()> action) {
        QObject::connect(&button, &QPushButton::clicked, [action] { action(); });
        button.show();
    }
    void click() { QTest::mouseClick(&button, Qt::LeftButton); }
    QPushButton button;
};

} // namespace

TEST(ErrorBoundary, ARefusalEndsTheActionWithNothingShown) {
    ScriptedDialogs dialogs;
    int reached = 0;
    Window w([&] {
        ++reached;
        throw core::SilentAbort();
    });
    w.click();
    EXPECT_EQ(reached, 1);
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_FALSE(ui::ErrorBoundary::run([] { throw core::SilentAbort(); }));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ErrorBoundary, AnUnexpectedErrorShowsTheErrorBoxAndTheProgramGoesOn) {
    ScriptedDialogs dialogs;
    bool fail = true;
    int done = 0;
    Window w([&] {
        if (fail) throw core::OverflowError("Integer overflow");
        ++done;
    });
    w.click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].what, "error");
    EXPECT_EQ(dialogs.shown[0].text, "Integer overflow");

    fail = false;
    w.click();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(ErrorBoundary, RunReportsAndGuardedSlotsStopAtTheBoundary) {
    ScriptedDialogs dialogs;
    EXPECT_TRUE(ui::ErrorBoundary::run([] {}));
    EXPECT_FALSE(ui::ErrorBoundary::run([] { throw std::runtime_error("Disk full"); }));
    EXPECT_FALSE(ui::ErrorBoundary::run([] { throw 42; }));

    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     ui::guarded([] { throw std::logic_error("Bad wiring"); }));
    button.click(); // no event loop between the signal and the action: the slot itself catches
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "Disk full");
    EXPECT_EQ(dialogs.shown[1].text, "Unknown error");
    EXPECT_EQ(dialogs.shown[2].text, "Bad wiring");
}
