// The main window's commands: Exit, and the frame every long command runs in.
#include "StartupFixture.h"

#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/ProgressWindow.h"
#include "core/Errors.h"
#include "taskdb/DataModule.h"
#include "ui/Application.h"
#include "ui/CommandGuard.h"
#include "ui/ErrorBoundary.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using rectix::app::StartupOutcome;
using rectix::core::DialogButton;

namespace {

class ShellTest : public StartupTest {
  protected:
    void SetUp() override {
        StartupTest::SetUp();
        makeSets({"home", "export", "import"});
        ASSERT_EQ(start.run(), StartupOutcome::Running);
        main = start.mainWindow();
    }

    void clickExit() const { QTest::mouseClick(main->findChild<QPushButton*>("ExitButton"), Qt::LeftButton); }

    // Runs the command as a click would: as an event of the message loop.
    void command(std::function<void()> work) const {
        QMetaObject::invokeMethod(
            main, [this, work] { main->runOperation(work); }, Qt::QueuedConnection);
        QApplication::processEvents();
    }

    void expectRestored() const {
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(main->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(start.waitForm()->isVisible());
    }

    rectix::app::MainWindow* main = nullptr;
};

} // namespace

TEST_F(ShellTest, ExitAsksMessage48OnlyWhileWarningsIsChecked) {
    clickExit();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"confirm: Exit program?"});
    EXPECT_TRUE(main->isVisible()); // refused: nothing further

    start.aboutForm()->findChild<QCheckBox*>("WarnsCheck")->setChecked(false);
    EXPECT_FALSE(start.store().warnings);
    clickExit();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(ShellTest, ExitConfirmedEndsTheProgram) {
    dialogs.answers = {DialogButton::Ok};
    clickExit();
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(start.dataModule()->tasks.isOpen());
}

TEST_F(ShellTest, AnUnexpectedErrorInACommandShowsTheErrorBoxAndTheProgramGoesOn) {
    command([] { throw rectix::core::RangeError("Range check error"); });
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"errorbox: Range check error"});
    expectRestored();

    bool ran = false;
    command([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(ShellTest, ARefusedCommandShowsNothingFurther) {
    command([] { throw rectix::core::SilentAbort(); });
    EXPECT_TRUE(dialogs.shown.empty());
    expectRestored();
}

TEST_F(ShellTest, WhileACommandRunsOnlyTheProgressWindowTakesInputAndNoSecondCommandStarts) {
    bool secondRan = true;
    command([&] {
        EXPECT_EQ(QApplication::activeModalWidget(), start.waitForm());
        EXPECT_FALSE(main->isEnabled());
        EXPECT_FALSE(main->close()); // nor can the program end meanwhile
        secondRan = false;
        rectix::ui::ErrorBoundary::run([&] { main->runOperation([&] { secondRan = true; }); });
    });
    EXPECT_FALSE(secondRan);
    EXPECT_TRUE(dialogs.shown.empty());
    expectRestored();
}

TEST_F(ShellTest, DeletingATaskShowsTheProgressWindowAndGivesEverythingBack) {
    rectix::taskdb::DataModule& dm = *start.dataModule();
    dm.tasks.append();
    ASSERT_EQ(dm.tasks.recordCount(), 1u);

    struct ShowCounter : QObject {
        bool eventFilter(QObject*, QEvent* e) override {
            shows += e->type() == QEvent::Show;
            return false;
        }
        int shows = 0;
    } counter;
    start.waitForm()->installEventFilter(&counter);
    dm.tasks.deleteRow();
    start.waitForm()->removeEventFilter(&counter);

    EXPECT_EQ(counter.shows, 1);
    EXPECT_TRUE(dm.tasks.isEmpty());
    expectRestored();
}

// The window manager's close box moves no focus; what is still being typed in the description is
// stored as Exit stores it.
TEST_F(ShellTest, TheCloseBoxKeepsTheDescriptionStillBeingTyped) {
    rectix::taskdb::DataModule& dm = *start.dataModule();
    dm.tasks.append();
    dm.tasks.edit();
    dm.tasksName.setString("Shipment");
    dm.tasksDescr.setString("Trucks");
    dm.tasks.post();
    QApplication::setActiveWindow(main);
    auto* descr = main->findChild<QLineEdit*>(QStringLiteral("DescrEdit"));
    descr->setFocus(Qt::MouseFocusReason);
    descr->end(false);
    QTest::keyClicks(descr, QStringLiteral(" VIAX"));
    rectix::ui::Application::instance().commandGuard().closeBoxPressed(main->winId());
    main->windowHandle()->close();
    EXPECT_FALSE(main->isVisible());

    dm.setTablesActive(true);
    dm.tasks.first();
    EXPECT_EQ(dm.tasksDescr.asString(), "Trucks VIAX");
}
