// The optimizer settings page: the active settings beside the task's, their colours, the packed
// factor field, the gap edits and the window's closing.
#include "HintProbe.h"
#include "SettingsWindowFixture.h"

#include "taskdb/TableSets.h"
#include "taskdb/TaskCopier.h"
#include "ui/Application.h"
#include "ui/CommandGuard.h"
#include "ui/Hints.h"

#include <QAction>
#include <QCheckBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

using rectix::app::SettingsWindow;

namespace {

struct Settings {
    int power, time, rand, qw, qg, qc, qr, bb, bw;
    bool last;
    bool operator==(const Settings&) const = default;
};

Settings active(const rectix::taskdb::RunStore& s) {
    return {s.optPower, s.optTime, s.optRand, s.optQw, s.optQg,
            s.optQc,    s.optQr,   s.optBB,   s.optBW, s.optLast};
}

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << s.power << ' ' << s.time << ' ' << s.rand << ' ' << s.qw << ' ' << s.qg << ' ' << s.qc
               << ' ' << s.qr << ' ' << s.bb << ' ' << s.bw << ' ' << s.last;
}

// Active control and task column of each of the nine compared settings.
constexpr const char* pairs[][2] = {
    {"PowerUpDn", "PowerDBEd"}, {"TimeUpDn", "TimeDBEd"}, {"RandUpDn", "RandDBEd"},
    {"QwUpDn", "QwEditDB"},     {"QcUpDn", "QcDBEd"},     {"QrUpDn", "QrDBEd"},
    {"QgUpDn", "QgEditDB"},     {"BBEdit", "BBDBEd"},     {"BWEdit", "BWDBEd"}};

} // namespace

TEST_F(SettingsWindowTest, ThePackedFactorFieldShowsAsTwoValuesAndLoadsAsBoth) {
    addTask("Packed");
    setTaskSettings(5, 555, 1, 235, 0, 0, 0, 0, true);
    showSettings();
    EXPECT_EQ(shown("QwEditDB"), QStringLiteral("35"));
    EXPECT_EQ(shown("QgEditDB"), QStringLiteral("20"));
    // Right-aligned to the width the other numbers have.
    EXPECT_EQ(control<QLineEdit>("QwEditDB")->text().size(), 9);

    QTest::mouseClick(control<QRadioButton>("TaskRadio"), Qt::LeftButton);
    EXPECT_TRUE(store().taskOptSet);
    EXPECT_EQ(store().optQw, 35);
    EXPECT_EQ(store().optQg, 2);
    EXPECT_EQ(spinner("QgUpDn")->value(), 20);
    EXPECT_EQ(spinner("QwUpDn")->text(), QStringLiteral("35"));
    EXPECT_EQ(colour("QgUpDn"), SettingsWindow::sameColour);
    EXPECT_EQ(colour("QgEditDB"), SettingsWindow::sameColour);

    // A window made while the task is current shows the two values from the start.
    rectix::taskdb::TableSets sets(*dm, folder.path);
    rectix::taskdb::TaskCopier copier(*dm, sets);
    const SettingsWindow later(store(), *dm, sets, copier, nullptr);
    EXPECT_EQ(later.findChild<QLineEdit*>(QStringLiteral("QgEditDB"))->text().trimmed(),
              QStringLiteral("20"));
}

TEST_F(SettingsWindowTest, AChangeOfTaskLoadsItsSettingsOrColoursWhereTheyDiffer) {
    addTask("First");
    setTaskSettings(7, 20, 3, 115, 10, 25, 4, 6, false);
    addTask("Second");
    setTaskSettings(12, 90, 8, 40, 55, 5, 0, 9, true);
    showSettings();

    QTest::mouseClick(control<QRadioButton>("TaskRadio"), Qt::LeftButton);
    EXPECT_EQ(active(store()), (Settings{12, 90, 8, 40, 0, 55, 5, 0, 9, true}));
    dm->tasks.first();
    EXPECT_EQ(active(store()), (Settings{7, 20, 3, 15, 1, 10, 25, 4, 6, false}));
    for (const auto& [activeName, taskName] : pairs) {
        EXPECT_EQ(colour(activeName), SettingsWindow::sameColour) << activeName;
        EXPECT_EQ(colour(taskName), SettingsWindow::sameColour) << taskName;
    }

    QTest::mouseClick(control<QRadioButton>("KeepRadio"), Qt::LeftButton);
    EXPECT_FALSE(store().taskOptSet);
    dm->tasks.last();
    EXPECT_EQ(active(store()), (Settings{7, 20, 3, 15, 1, 10, 25, 4, 6, false}));
    // The two tasks differ in every setting.
    for (const auto& [activeName, taskName] : pairs) {
        EXPECT_EQ(colour(activeName), SettingsWindow::differentColour) << activeName;
        EXPECT_EQ(colour(taskName), SettingsWindow::differentColour) << taskName;
    }
    // A spinner brought to the task's value turns both back.
    spinner("PowerUpDn")->setValue(12);
    EXPECT_EQ(store().optPower, 12);
    EXPECT_EQ(colour("PowerUpDn"), SettingsWindow::sameColour);
    EXPECT_EQ(colour("PowerDBEd"), SettingsWindow::sameColour);
}

TEST_F(SettingsWindowTest, DefaultsKeepTheRadioChoice) {
    showSettings();
    for (bool taskSpecific : {true, false}) {
        QTest::mouseClick(control<QRadioButton>(taskSpecific ? "TaskRadio" : "KeepRadio"), Qt::LeftButton);
        spinner("TimeUpDn")->setValue(100);
        QTest::mouseClick(control<QPushButton>("DefltButton"), Qt::LeftButton);
        EXPECT_EQ(store().taskOptSet, taskSpecific);
        EXPECT_EQ(active(store()), (Settings{5, 555, 1, 0, 0, 0, 0, 0, 0, true}));
        EXPECT_EQ(spinner("TimeUpDn")->value(), 555);
        EXPECT_EQ(control<QRadioButton>("TaskRadio")->isChecked(), taskSpecific);
    }
}

namespace {

using rectix::taskdb::RunStore;

// Each control of the optimizer page and the setting it stores: a spinner's position, or the
// number typed into a gap edit.
struct ControlCase {
    const char* control;
    int position;
    std::int16_t RunStore::*setting;
    int stored;
};

constexpr ControlCase controlCases[] = {
    {"PowerUpDn", 7, &RunStore::optPower, 7},
    {"TimeUpDn", 120, &RunStore::optTime, 120},
    {"RandUpDn", 42, &RunStore::optRand, 42},
    {"QwUpDn", 35, &RunStore::optQw, 35},
    {"QcUpDn", 20, &RunStore::optQc, 20},
    {"QrUpDn", 15, &RunStore::optQr, 15},
    // The bind group spinner shows ten times the factor it stores.
    {"QgUpDn", 30, &RunStore::optQg, 3},
    {"BBEdit", 12, &RunStore::optBB, 12},
    {"BWEdit", 25, &RunStore::optBW, 25},
};

} // namespace

// Every control writes its own setting, and only that one.
TEST_F(SettingsWindowTest, EachControlStoresItsOwnSetting) {
    showSettings();
    for (const ControlCase& c : controlCases) {
        RunStore expected = store();
        expected.*c.setting = static_cast<std::int16_t>(c.stored);
        if (auto* s = settings->findChild<QSpinBox*>(QString::fromLatin1(c.control))) {
            s->setValue(c.position);
        } else {
            rectix::app::GapEdit* edit = gap(c.control);
            edit->setFocus(Qt::TabFocusReason);
            edit->setText(QString::number(c.position));
            control<QWidget>("PowerUpDn")->setFocus(Qt::TabFocusReason);
        }
        EXPECT_EQ(active(store()), active(expected)) << c.control;
    }

    // And back: each control shows its setting.
    for (const ControlCase& c : controlCases) store().*c.setting = 0;
    settings->showActiveOptions();
    for (const ControlCase& c : controlCases) store().*c.setting = static_cast<std::int16_t>(c.stored);
    settings->showActiveOptions();
    for (const ControlCase& c : controlCases) {
        if (auto* s = settings->findChild<QSpinBox*>(QString::fromLatin1(c.control)))
            EXPECT_EQ(s->value(), c.position) << c.control;
        else
            EXPECT_EQ(gap(c.control)->text(), QString::number(c.position)) << c.control;
    }

    auto* last = control<QCheckBox>("LastCheck");
    for (bool on : {false, true}) {
        if (last->isChecked() == on) QTest::mouseClick(last, Qt::LeftButton);
        RunStore expected = store();
        expected.optLast = on;
        QTest::mouseClick(last, Qt::LeftButton);
        EXPECT_EQ(active(store()), active(expected));
    }
    QTest::mouseClick(control<QRadioButton>("TaskRadio"), Qt::LeftButton);
    EXPECT_TRUE(store().taskOptSet);
    QTest::mouseClick(control<QRadioButton>("KeepRadio"), Qt::LeftButton);
    EXPECT_FALSE(store().taskOptSet);
}

namespace {

struct GapCase {
    const char* typed;
    bool valid;
    int value;         // the setting afterwards
    const char* shown; // the edit's text afterwards
};

} // namespace

TEST_F(SettingsWindowTest, AGapTextCommitsWhenTheEditIsLeft) {
    showSettings();
    store().optBB = 3;
    settings->showActiveOptions();
    const GapCase cases[] = {{"007", true, 7, "7"},        {"", true, 0, "0"},      {"  12 ", true, 12, "12"},
                             {"5000", true, 5000, "5000"}, {"5001", false, 3, "3"}, {"-1", false, 3, "3"},
                             {"1x", false, 3, "3"}};
    for (const GapCase& c : cases) {
        store().optBB = 3;
        settings->showActiveOptions();
        dialogs.shown.clear();
        gap("BBEdit")->setFocus(Qt::TabFocusReason);
        gap("BBEdit")->setText(QString::fromLatin1(c.typed));
        gap("BWEdit")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(store().optBB, c.value) << c.typed;
        EXPECT_EQ(gap("BBEdit")->text(), QString::fromLatin1(c.shown)) << c.typed;
        if (c.valid) {
            EXPECT_TRUE(dialogs.shown.empty()) << c.typed;
            EXPECT_TRUE(gap("BWEdit")->hasFocus()) << c.typed;
        } else {
            EXPECT_EQ(dialogs.shown,
                      std::vector<std::string>{"error: Positive integer required,\rno more than 5000"})
                << c.typed;
            // The focus stays in the edit on the earlier value, selected, so the next key
            // replaces it rather than lengthening the refused text.
            EXPECT_TRUE(gap("BBEdit")->hasFocus()) << c.typed;
            EXPECT_EQ(gap("BBEdit")->selectedText(), QStringLiteral("3")) << c.typed;
            QTest::keyClick(gap("BBEdit"), Qt::Key_7);
            EXPECT_EQ(gap("BBEdit")->text(), QStringLiteral("7")) << c.typed;
        }
    }
}

TEST_F(SettingsWindowTest, EscPutsBackTheTextTheEditHadWhenEntered) {
    showSettings();
    gap("BWEdit")->setFocus(Qt::TabFocusReason);
    gap("BWEdit")->setText(QStringLiteral("8"));
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(store().optBW, 8);
    // Shown anew while the edit is away: the next visit starts from that text.
    store().optBW = 25;
    settings->showActiveOptions();
    gap("BWEdit")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(gap("BWEdit"), QStringLiteral("0x"));
    QTest::keyClick(gap("BWEdit"), Qt::Key_Escape);
    EXPECT_EQ(gap("BWEdit")->text(), QStringLiteral("25"));
    EXPECT_TRUE(settings->isVisible());
}

TEST_F(SettingsWindowTest, EnterMovesOnFromGapToGapToClose) {
    showSettings();
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    gap("BBEdit")->setText(QStringLiteral("4"));
    QTest::keyClick(gap("BBEdit"), Qt::Key_Return);
    EXPECT_TRUE(gap("BWEdit")->hasFocus());
    EXPECT_EQ(store().optBB, 4);
    QTest::keyClick(gap("BWEdit"), Qt::Key_Return);
    EXPECT_TRUE(control<QPushButton>("CloseButton")->hasFocus());
    // Enter never pressed a button for it.
    EXPECT_TRUE(settings->isVisible());
}

TEST_F(SettingsWindowTest, ClosingWithABadGapTextPutsTheLastValidValueBackAndCloses) {
    showSettings();
    store().optBW = 6;
    settings->showActiveOptions();
    gap("BWEdit")->setFocus(Qt::TabFocusReason);
    gap("BWEdit")->setText(QStringLiteral("9999"));
    settings->close();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(store().optBW, 6);
    EXPECT_EQ(gap("BWEdit")->text(), QStringLiteral("6"));

    // Nor does a bad text left behind on the other page.
    showSettings();
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    gap("BBEdit")->setText(QStringLiteral("x"));
    control<QTabWidget>("SettingPages")->setCurrentIndex(1);
    settings->close();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(gap("BBEdit")->text(), QStringLiteral("0"));
}

// Alt+E and the window manager's close box answer a refused gap text as a click on Close does:
// the message, the window open, the focus back in the edit on its last valid value.
TEST_F(SettingsWindowTest, AltEOrTheCloseBoxWithABadGapTextShowsTheMessageAndKeepsTheWindow) {
    showSettings();
    store().optBW = 6;
    settings->showActiveOptions();
    for (const bool closeBox : {false, true}) {
        gap("BWEdit")->setFocus(Qt::TabFocusReason);
        gap("BWEdit")->setText(QStringLiteral("9999"));
        dialogs.shown.clear();
        if (closeBox) {
            rectix::ui::Application::instance().commandGuard().closeBoxPressed(settings->winId());
            settings->windowHandle()->close();
        } else {
            QTest::keyClick(gap("BWEdit"), Qt::Key_E, Qt::AltModifier);
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !control<QPushButton>("CloseButton")->isDown(); }, 1000));
        }
        EXPECT_TRUE(settings->isVisible()) << closeBox;
        EXPECT_EQ(dialogs.shown,
                  std::vector<std::string>{"error: Positive integer required,\rno more than 5000"})
            << closeBox;
        EXPECT_TRUE(gap("BWEdit")->hasFocus()) << closeBox;
        EXPECT_EQ(gap("BWEdit")->text(), QStringLiteral("6")) << closeBox;
        EXPECT_EQ(store().optBW, 6) << closeBox;
    }
    // A valid text is taken and the window closes.
    QTest::keyClicks(gap("BWEdit"), QStringLiteral("12"));
    rectix::ui::Application::instance().commandGuard().closeBoxPressed(settings->winId());
    settings->windowHandle()->close();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(store().optBW, 12);
}

TEST_F(SettingsWindowTest, TheProgramClosesWithABadGapTextInTheShownWindow) {
    showSettings();
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    gap("BBEdit")->setText(QStringLiteral("-5"));
    QApplication::setActiveWindow(main);
    dialogs.shown.clear();
    store().warnings = false;
    main->close();
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(store().optBB, 0);
    EXPECT_NE(folder.read("rectix.ini").find("0   Item Gap"), std::string::npos);
}

TEST_F(SettingsWindowTest, LeavingTheWindowWithABadGapTextReportsItOnce) {
    showSettings();
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    gap("BBEdit")->setText(QStringLiteral("abc"));
    dialogs.shown.clear();
    QApplication::setActiveWindow(main);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(store().optBB, 0);
    EXPECT_EQ(gap("BBEdit")->text(), QStringLiteral("0"));
}

TEST_F(SettingsWindowTest, HintsSwitchedOffStayOnInTheTaskListAndTheAcknowledgements) {
    showSettings();
    rectix::ui::Hints::global().setShown(false);
    EXPECT_FALSE(hintShows(control<QWidget>("Label3")));
    EXPECT_FALSE(hintShows(button("RunButton")));
    EXPECT_TRUE(hintShows(taskList->findChild<QWidget*>(QStringLiteral("DBGrid1"))));
    auto* ackno = main->findChild<QWidget*>(QStringLiteral("AcknoForm"));
    ASSERT_NE(ackno, nullptr);
    EXPECT_TRUE(hintShows(ackno->findChild<QPushButton*>(QStringLiteral("CloseButton"))));
    rectix::ui::Hints::global().setShown(true);
    EXPECT_TRUE(hintShows(control<QWidget>("Label3")));
}

// Shown again after a close, the window has the keyboard in its page, not on the Close button.
TEST_F(SettingsWindowTest, ShownAgainTheFirstControlOfThePageHasTheFocus) {
    showSettings();
    EXPECT_EQ(settings->focusWidget(), control<QSpinBox>("PowerUpDn"));
    QTest::mouseClick(control<QPushButton>("CloseButton"), Qt::LeftButton);
    ASSERT_FALSE(settings->isVisible());
    showSettings();
    EXPECT_EQ(settings->focusWidget(), control<QSpinBox>("PowerUpDn"));

    // On the "Exchange DB" page the first button that works; in the home set without a task
    // neither "Add" nor "Home" does.
    control<QTabWidget>("SettingPages")->setCurrentIndex(1);
    settings->close();
    showSettings();
    QWidget* f = settings->focusWidget();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f, control<QPushButton>("ExpButton")) << f->objectName().toStdString();
}

TEST_F(SettingsWindowTest, CtrlTabSwitchesThePagesFromAnyControl) {
    showSettings();
    auto* pages = control<QTabWidget>("SettingPages");
    for (QWidget* from :
         {static_cast<QWidget*>(control<QSpinBox>("PowerUpDn")),
          static_cast<QWidget*>(control<QPushButton>("CloseButton")), static_cast<QWidget*>(gap("BBEdit"))}) {
        pages->setCurrentIndex(0);
        from->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(pages->currentIndex(), 1) << from->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(pages->currentIndex(), 0) << from->objectName().toStdString();
    }
    EXPECT_TRUE(settings->isVisible());
}

// A gap edit keeps Esc for its text; anywhere else Esc closes the window as Close does.
TEST_F(SettingsWindowTest, EscClosesTheWindowOutsideTheGapEdits) {
    showSettings();
    gap("BBEdit")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(gap("BBEdit"), Qt::Key_Escape);
    EXPECT_TRUE(settings->isVisible());
    control<QSpinBox>("PowerUpDn")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(settings->isVisible());

    showSettings();
    control<QTabWidget>("SettingPages")->setCurrentIndex(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(settings->isVisible());
}

// A language switch rewrites the window's texts and so its width; the window stays where it is,
// shown or shown again after the switch.
TEST_F(SettingsWindowTest, ALanguageSwitchLeavesTheWindowWhereItIs) {
    showSettings();
    const QPoint at = settings->pos();
    for (const char* item : {"FrenchPop", "ItalianPop", "EnglishPop"}) {
        main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        EXPECT_EQ(settings->pos(), at) << item;
        settings->close();
        showSettings();
        EXPECT_EQ(settings->pos(), at) << item << ", shown again";
    }
}
