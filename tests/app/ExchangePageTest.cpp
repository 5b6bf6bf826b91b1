// The "Exchange DB" page: its buttons for each active set, switching sets, and the frame that
// keeps every other command from starting while a set operation runs.
#include "SettingsWindowFixture.h"

#include "taskdb/OperationFrame.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

class ExchangePageTest : public SettingsWindowTest {
  protected:
    void showExchangePage() {
        showSettings();
        control<QTabWidget>("SettingPages")->setCurrentIndex(1);
    }
    QPushButton* pageButton(const char* name) const { return control<QPushButton>(name); }
    void press(const char* name) const { QTest::mouseClick(pageButton(name), Qt::LeftButton); }
    // Which of Add, Home, Exp, Imp and Clear are enabled, as a string of five 0 and 1.
    std::string offered() const {
        std::string s;
        for (const char* name : {"AddButton", "HomeButton", "ExpButton", "ImpButton", "ClearButton"})
            s += pageButton(name)->isEnabled() ? '1' : '0';
        return s;
    }
    QLabel* exchLabel() const { return part<QLabel>("ExchLabel"); }
};

} // namespace

TEST_F(ExchangePageTest, EachActiveSetOffersItsOwnActions) {
    showExchangePage();
    EXPECT_EQ(offered(), "00110");
    EXPECT_EQ(pageButton("ClearButton")->text(), QStringLiteral("&Empty active DB"));
    addTask("Home task");
    // Shown anew when the page is shown.
    control<QTabWidget>("SettingPages")->setCurrentIndex(0);
    control<QTabWidget>("SettingPages")->setCurrentIndex(1);
    EXPECT_EQ(offered(), "10110");
    EXPECT_TRUE(pageButton("AddButton")->hasFocus());
    EXPECT_TRUE(exchLabel()->isHidden());
    EXPECT_TRUE(taskList->findChild<QPushButton*>(QStringLiteral("DuplButton"))->isEnabled());

    press("ExpButton");
    EXPECT_EQ(store().activeDB, 1);
    EXPECT_EQ(offered(), "01011");
    EXPECT_EQ(pageButton("ClearButton")->text(), QStringLiteral("&Empty Export DB"));
    EXPECT_FALSE(exchLabel()->isHidden());
    EXPECT_EQ(exchLabel()->text(), QStringLiteral("Export DB on"));
    EXPECT_FALSE(taskList->findChild<QPushButton*>(QStringLiteral("DuplButton"))->isEnabled());

    press("ImpButton");
    EXPECT_EQ(store().activeDB, 2);
    EXPECT_EQ(offered(), "01101");
    EXPECT_EQ(pageButton("ClearButton")->text(), QStringLiteral("&Empty Import DB"));
    EXPECT_EQ(exchLabel()->text(), QStringLiteral("Import DB on"));
}

TEST_F(ExchangePageTest, SwitchingToTheExportSetAndBackReselectsTheHomeTask) {
    const std::int32_t first = addTask("First");
    addTask("Second");
    dm->tasks.locate("TaskID", first);
    showExchangePage();
    press("ExpButton");
    ASSERT_EQ(store().activeDB, 1);
    EXPECT_TRUE(dm->tasks.isEmpty());
    press("HomeButton");
    EXPECT_EQ(store().activeDB, 0);
    EXPECT_EQ(dm->tasksTaskID.asInteger(), first);
    EXPECT_EQ(offered(), "10110");
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(settings->isEnabled());
}

TEST_F(ExchangePageTest, NoOtherCommandStartsWhileASetIsSwitched) {
    sampleTask();
    showExchangePage();
    struct Seen {
        bool mainEnabled = true, settingsEnabled = true, running = false;
    } seen;
    QObject::connect(settings, &rectix::app::SettingsWindow::exchangeStateShown, settings, [&] {
        seen = {main->isEnabled(), settings->isEnabled(), rectix::taskdb::OperationFrame::running()};
        // A Solve asked for meanwhile does not start.
        QTest::mouseClick(button("RunButton"), Qt::LeftButton);
    });
    press("ExpButton");
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_FALSE(seen.settingsEnabled);
    EXPECT_TRUE(seen.running);
    press("HomeButton");
    EXPECT_FALSE(solved());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(settings->isEnabled());
}

TEST_F(ExchangePageTest, EmptyingAnEmptySetOnlySaysSo) {
    showExchangePage();
    press("ExpButton");
    dialogs.shown.clear();
    press("ClearButton");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"confirm: Export DB is empty"});
}

namespace {

// Scripted answers that look at the program each time a question is asked.
class WatchingAnswers : public ScriptedAnswers {
  public:
    rectix::core::DialogButton show(rectix::core::DialogKind kind, const std::string& text,
                                    rectix::core::DialogButtons buttons, int context) override {
        if (onShow) onShow();
        return ScriptedAnswers::show(kind, text, buttons, context);
    }
    std::function<void()> onShow;
};

} // namespace

TEST_F(ExchangePageTest, QuestionsComeBeforeTheFrameAndTheFrameEndsWithTheOperation) {
    sampleTask();
    showExchangePage();
    WatchingAnswers watching;
    std::vector<std::string> seen;
    watching.onShow = [&] {
        seen.push_back(std::string(main->isEnabled() ? "main on" : "main off") +
                       (QApplication::overrideCursor() ? ", busy" : ""));
    };
    watching.answers = {rectix::core::DialogButton::Ok, rectix::core::DialogButton::Ok};
    press("AddButton");
    press("ExpButton");
    ASSERT_FALSE(dm->tasks.isEmpty());
    press("ClearButton");
    EXPECT_EQ(watching.shown,
              (std::vector<std::string>{"confirm: Add current task to Export DB?",
                                        "confirm: Are you sure to delete all Export DB data?"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"main on", "main on"}));
    EXPECT_TRUE(dm->tasks.isEmpty());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(settings->isEnabled());
    EXPECT_FALSE(rectix::taskdb::OperationFrame::running());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A switch disables the window while it runs; afterwards the keyboard is on a button that works.
TEST_F(ExchangePageTest, AfterASwitchTheFocusIsOnAButtonThatWorks) {
    addTask("Home task");
    showExchangePage();
    for (const char* name : {"ExpButton", "ImpButton", "HomeButton"}) {
        pageButton(name)->setFocus(Qt::TabFocusReason);
        press(name);
        QWidget* f = settings->focusWidget();
        ASSERT_NE(f, nullptr) << name;
        EXPECT_TRUE(f->isEnabled()) << name << ": " << f->objectName().toStdString();
    }
}

// The export runs with the progress window shown, which takes the activation; afterwards the
// settings window is active again and the keyboard on the button that started it.
TEST_F(ExchangePageTest, AfterAnExportTheSettingsWindowHasTheKeyboardAgain) {
    sampleTask();
    showExchangePage();
    settings->activateWindow();
    pageButton("AddButton")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), settings);
    WatchingAnswers watching;
    watching.answers = {rectix::core::DialogButton::Ok};
    press("AddButton");
    QApplication::processEvents();
    EXPECT_EQ(watching.shown, std::vector<std::string>{"confirm: Add current task to Export DB?"});
    EXPECT_EQ(QApplication::activeWindow(), settings);
    EXPECT_EQ(QApplication::focusWidget(), pageButton("AddButton"));
}

// The window manager may activate the main window once the question has closed; emptying still
// ends in the settings window with the keyboard on the Home button.
TEST_F(ExchangePageTest, AfterEmptyingTheSetTheKeyboardIsOnTheHomeButton) {
    sampleTask();
    showExchangePage();
    dialogs.answers = {rectix::core::DialogButton::Ok};
    press("AddButton");
    press("ExpButton");
    ASSERT_FALSE(dm->tasks.isEmpty());
    QApplication::setActiveWindow(settings);
    pageButton("ClearButton")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    WatchingAnswers watching;
    watching.answers = {rectix::core::DialogButton::Ok};
    watching.onShow = [this] { QApplication::setActiveWindow(main); };
    press("ClearButton");
    QApplication::processEvents();
    ASSERT_TRUE(dm->tasks.isEmpty());
    EXPECT_EQ(QApplication::activeWindow(), settings);
    EXPECT_EQ(QApplication::focusWidget(), pageButton("HomeButton"));
}
