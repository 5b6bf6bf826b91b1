// The task page's states, its name rule, the area multiplier and the language refresh.
#include "../support/RegionalDesktop.h"
#include "TaskPageFixture.h"

#include "app/PageColours.h"
#include "core/UiTexts.h"
#include "lang/Language.h"
#include "ui/DataCheckBox.h"
#include "ui/DataEdit.h"
#include "ui/DataGridModel.h"
#include "ui/DataNavigator.h"
#include "ui/FigureEdit.h"
#include "ui/Help.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>

#include <tuple>

using rectix::ui::DataNavigator;

namespace {

class TaskPageStates : public TaskPageTest {
  protected:
    // Controls that the page enables only with a task.
    std::vector<QWidget*> taskControls() const {
        return {grid("ContsGrid"),
                grid("BoxesGrid"),
                part<QWidget>("ContsNavigator"),
                part<QWidget>("BoxesNavigator"),
                button("RunButton"),
                part<QWidget>("DBCheckDflt")};
    }
    bool navigatorOffers(const char* name, DataNavigator::Button b) const {
        return !part<DataNavigator>(name)->button(b)->isHidden();
    }
    QColor base(const char* name) const { return part<QWidget>(name)->palette().color(QPalette::Base); }
};

} // namespace

TEST_F(TaskPageStates, WithoutATaskEveryTaskControlIsDisabledAndGrey) {
    for (QWidget* w : taskControls()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(button("ViewButton")->isEnabled());
    EXPECT_FALSE(button("ResultButton")->isEnabled());
    EXPECT_EQ(base("ContsGrid"), rectix::app::noTaskGrey);
    EXPECT_EQ(base("DescrEdit"), rectix::app::noTaskGrey);
    // A task can still be made.
    EXPECT_TRUE(part<DataNavigator>("TasksNavigator")->button(DataNavigator::Button::Insert)->isEnabled());
}

TEST_F(TaskPageStates, AnUnsolvedTaskIsEditableAndOffersSolve) {
    sampleTask();
    for (QWidget* w : taskControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_NE(base("ContsGrid"), rectix::app::noTaskGrey);
    EXPECT_FALSE(grid("ContsGrid")->isReadOnly());
    EXPECT_FALSE(part<rectix::ui::DataCheckBox>("DBCheckDflt")->isReadOnly());
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("So&lve"));
    EXPECT_EQ(button("RunButton")->toolTip(), QStringLiteral("Start solver run"));
    EXPECT_FALSE(button("ViewButton")->isEnabled());
    EXPECT_FALSE(button("ResultButton")->isEnabled());
    EXPECT_TRUE(navigatorOffers("BoxesNavigator", DataNavigator::Button::Insert));
    EXPECT_TRUE(navigatorOffers("ContsNavigator", DataNavigator::Button::Delete));
    EXPECT_TRUE(button("ContsButton")->isEnabled());
    EXPECT_TRUE(button("PrintButton")->isEnabled());
}

TEST_F(TaskPageStates, ASolvedTaskIsReadOnlyAndOffersClearSolutionAndView) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    EXPECT_TRUE(grid("ContsGrid")->isReadOnly());
    EXPECT_TRUE(grid("BoxesGrid")->isReadOnly());
    EXPECT_TRUE(part<rectix::ui::DataCheckBox>("DBCheckTurn")->isReadOnly());
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("C&lear"));
    EXPECT_EQ(button("RunButton")->toolTip(), QStringLiteral("Clear current Solution"));
    EXPECT_TRUE(button("ViewButton")->isEnabled());
    EXPECT_TRUE(button("ResultButton")->isEnabled());
    EXPECT_TRUE(navigatorOffers("ContsNavigator", DataNavigator::Button::Last));
    for (const char* n : {"ContsNavigator", "BoxesNavigator"}) {
        EXPECT_FALSE(navigatorOffers(n, DataNavigator::Button::Insert));
        EXPECT_FALSE(navigatorOffers(n, DataNavigator::Button::Delete));
    }

    // Moving to an unsolved task brings the unsolved state back.
    addTask("Next");
    EXPECT_FALSE(grid("ContsGrid")->isReadOnly());
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("So&lve"));
    EXPECT_FALSE(button("ViewButton")->isEnabled());
    EXPECT_TRUE(navigatorOffers("ContsNavigator", DataNavigator::Button::Insert));
}

TEST_F(TaskPageStates, HorizontalTurnsAreOfferedOnlyUnderCommonTurnRules) {
    sampleTask();
    auto* common = part<rectix::ui::DataCheckBox>("DBCheckDflt");
    auto* turn = part<QWidget>("DBCheckTurn");
    EXPECT_FALSE(common->isChecked());
    EXPECT_FALSE(turn->isEnabled());
    QTest::mouseClick(common, Qt::LeftButton);
    // Posted at once: the choice counts without leaving the box.
    EXPECT_FALSE(dm->tasks.modified());
    EXPECT_TRUE(dm->tasksDefltOn.asBoolean());
    EXPECT_TRUE(turn->isEnabled());
}

TEST_F(TaskPageStates, ABlankTaskNameBecomesQuestionMarksWhenTheNameIsLeft) {
    sampleTask();
    QApplication::setActiveWindow(main);
    auto* name = part<rectix::ui::DataEdit>("NameEdit");
    name->setFocus(Qt::TabFocusReason);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("   "));
    part<QWidget>("DescrEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(name->text(), QStringLiteral("???"));
    EXPECT_FALSE(dm->tasks.modified());
    dm->tasks.refresh();
    EXPECT_EQ(dm->tasksName.asString(), "???");
}

TEST_F(TaskPageStates, TheAreaMultiplierIsTenToTheSpinnersPositionAndEveryAreaFollowsIt) {
    EXPECT_EQ(part<QLineEdit>("VolMltEdit")->text(), QStringLiteral("1000")); // position 3 from the settings
    const std::int32_t square = addContainer("Square", 1000, 1000);
    const std::int32_t tile = addBox("Tile", 100, 100);
    addTask("Tiles");
    addTaskContainer(square, 2);
    addTaskBox(tile, 3);
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    const QModelIndex area = conts->model()->index(0, 8);
    EXPECT_EQ(area.data().toString(), QStringLiteral("1000"));

    auto* spinner = part<QSpinBox>("VolMltUp");
    spinner->setValue(0);
    EXPECT_EQ(part<QLineEdit>("VolMltEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(store().areaMult, 1);
    EXPECT_EQ(area.data().toString(), QStringLiteral("1000000"));
    EXPECT_EQ(part<QLineEdit>("AvlVol")->text(), QStringLiteral("2000000"));
    EXPECT_EQ(part<QLineEdit>("TotVol")->text(), QStringLiteral("30000"));

    spinner->setValue(6);
    EXPECT_EQ(part<QLineEdit>("VolMltEdit")->text(), QStringLiteral("1000000"));
    EXPECT_EQ(store().volMltPos, 6);
    EXPECT_EQ(area.data().toString(), QStringLiteral("1"));
    EXPECT_EQ(part<QLineEdit>("AvlVol")->text(), QStringLiteral("2"));
    spinner->setValue(7); // no wrap, no overrun
    EXPECT_EQ(part<QLineEdit>("VolMltEdit")->text(), QStringLiteral("1000000"));
}

TEST_F(TaskPageStates, TheArrowKeysInTheMultiplierEditStepItsSpinnerWithoutWrapping) {
    sampleTask();
    auto* edit = part<QLineEdit>("VolMltEdit");
    const QString area = part<QLineEdit>("AvlVol")->text();
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("10000"));
    EXPECT_NE(part<QLineEdit>("AvlVol")->text(), area);
    for (const auto& [position, key, shown] :
         {std::tuple{6, Qt::Key_Up, "1000000"}, {0, Qt::Key_Down, "1"}}) {
        part<QSpinBox>("VolMltUp")->setValue(position);
        QTest::keyClick(edit, key);
        EXPECT_EQ(edit->text(), QLatin1String(shown));
    }
}

TEST_F(TaskPageStates, ALanguageSwitchKeepsTheSolvedTasksClearCaptionAndTheActiveSet) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    store().activeDB = 1;
    part<QAction>("FrenchPop")->trigger();
    EXPECT_EQ(button("RunButton")->text(), QString::fromStdString(rectix::core::captionText(63)));
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("&Effacer"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Rectix 1.95  - Page des Tâches"));
    auto* exch = part<QLabel>("ExchLabel");
    EXPECT_FALSE(exch->isHidden());
    EXPECT_EQ(exch->text(), QStringLiteral("Exporter BD"));
    EXPECT_TRUE(part<QAction>("FrenchPop")->isChecked());

    store().activeDB = 0;
    part<QAction>("ResetPop")->trigger();
    EXPECT_EQ(button("RunButton")->text(), QStringLiteral("C&lear"));
    EXPECT_TRUE(exch->isHidden());
    EXPECT_TRUE(part<QAction>("EnglishPop")->isChecked());
    EXPECT_FALSE(part<QAction>("FrenchPop")->isChecked());
}

TEST_F(TaskPageStates, TheHelpMenuOpensHelpAtContextOneAndHidesGerman) {
    long context = 0;
    rectix::ui::Help::global().setHandler([&](rectix::ui::HelpCommand, long data) {
        context = data;
        return true;
    });
    part<QAction>("HelpPop")->trigger();
    EXPECT_EQ(context, 1);
    rectix::ui::Help::global().setHandler({});

    auto* german = part<QAction>("GermanPop");
    EXPECT_FALSE(german->isVisible());
    part<QAction>("ItalianPop")->trigger();
    EXPECT_EQ(rectix::lang::Language::global().langIndex(), 3);
    german->trigger(); // applies English
    EXPECT_EQ(rectix::lang::Language::global().langIndex(), 0);
    EXPECT_TRUE(part<QAction>("EnglishPop")->isChecked());
}

// The page formats the totals it is given: counts as integers, utilisation and cost with two
// decimals, "..." without used capacity; the boxes left by a solution in light red.
TEST_F(TaskPageStates, ThePageShowsThePublishedTotalsAndMarksBoxesLeftBySolving) {
    rectix::taskdb::TaskTotals totals;
    totals.available = {5, 13000, 2640};
    totals.left = {2, 100, 240};
    totals.areaUse = 116.666L;
    totals.netCost = -48;
    totals.boxesLeftOver = true;
    main->totalsChanged(totals);
    const auto text = [&](const char* name) { return part<QLineEdit>(name)->text().toStdString(); };
    EXPECT_EQ(text("AvlNmb"), "5");
    EXPECT_EQ(text("AvlWgt"), "13000");
    EXPECT_EQ(text("LftVol"), "240");
    EXPECT_EQ(text("EffWgt"), "...");
    EXPECT_EQ(text("EffVol"), "116.67");
    EXPECT_EQ(text("CostPck"), "-48.00");
    EXPECT_EQ(base("LftNmb"), rectix::app::leftBoxesRed);
    totals.boxesLeftOver = false;
    main->totalsChanged(totals);
    EXPECT_EQ(base("LftNmb"), rectix::app::aqua);
}

// The largest totals a task's fields can sum to: a figure too wide for its box shows the overflow
// mark, never its last digits, in every language; the box keeps the whole figure for the report.
TEST_F(TaskPageStates, ATotalTooWideForItsBoxShowsTheOverflowMark) {
    constexpr int most = 32767, heaviest = 2147483647 / 24; // a task's count, a capacity
    addTask("Largest");
    addTaskContainer(addContainer("Hall", most, most, heaviest), most);
    addTaskBox(addBox("Slab", most, most, most), most);
    for (const auto& [language, region] : {std::pair{0, "C"}, {1, "fr_FR"}, {3, "it_IT"}}) {
        const rectix::test::RegionalDesktop desktop(region);
        rectix::lang::Language::global().applyLanguage(true, language);
        dm->refreshTotals();
        QCoreApplication::processEvents();
        for (auto* box : main->findChildren<rectix::ui::FigureEdit*>()) {
            const QString shown = box->text();
            const bool whole =
                shown == box->figure() && box->fontMetrics().horizontalAdvance(shown) <= box->width();
            EXPECT_TRUE(whole || shown == QString(shown.size(), QLatin1Char('#')))
                << region << ": " << shown.toStdString() << " for " << box->figure().toStdString();
        }
        EXPECT_EQ(part<rectix::ui::FigureEdit>("AvlWgt")->figure().toStdString(),
                  std::to_string(std::int64_t{most} * heaviest));
        EXPECT_EQ(part<rectix::ui::FigureEdit>("AvlWgt")->text().toStdString(), "###");
    }
    rectix::lang::Language::global().applyLanguage(true, 0);
}

// A German user types a cost with a decimal comma and reads every figure with one after a solve.
TEST_F(TaskPageStates, ACommaDesktopTypesCostsAndReadsTotalsWithItsSeparator) {
    const rectix::test::RegionalDesktop german("de_DE");
    ASSERT_TRUE(german.active());
    sampleTask();
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    const auto* model = static_cast<const rectix::ui::DataGridModel*>(conts->model());
    int cost = 0;
    while (cost < model->columnCount() && model->columnField(cost).name() != "Cost") ++cost;
    ASSERT_LT(cost, model->columnCount());
    focusCell(conts, 0, cost);
    conts->edit(conts->currentIndex());
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(cell, nullptr);
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("12,5"));
    QTest::keyClick(cell, Qt::Key_Return);
    QCoreApplication::processEvents();
    dm->tc.first();
    EXPECT_DOUBLE_EQ(dm->tcCost.asFloat(), 12.5);
    EXPECT_EQ(model->index(0, cost).data().toString().toStdString(), "12,5");

    QApplication::setActiveWindow(main);
    click("RunButton");
    ASSERT_TRUE(solved());
    const auto text = [&](const char* name) { return part<QLineEdit>(name)->text(); };
    const QRegularExpression figure(QStringLiteral("^-?[0-9]+,[0-9][0-9]$"));
    EXPECT_TRUE(figure.match(text("EffVol")).hasMatch()) << text("EffVol").toStdString();
    EXPECT_TRUE(figure.match(text("EffWgt")).hasMatch()) << text("EffWgt").toStdString();
    EXPECT_EQ(text("CostPck").toStdString(), "-12,50");
}

// Settings by its key leaves the focus in the grid: the amount typed there is posted and counted in
// the totals before the window opens, as when a click on the button leaves the grid.
TEST_F(TaskPageStates, ACommandByItsKeyPostsTheRowTypedIntoAndTheTotalsFollow) {
    sampleTask(1, 30);
    QApplication::setActiveWindow(main);
    const auto total = [&] { return part<QLineEdit>("AvlNmb")->text(); };
    EXPECT_EQ(total(), QStringLiteral("2"));
    rectix::ui::DataGrid* conts = grid("ContsGrid");
    const auto* model = static_cast<const rectix::ui::DataGridModel*>(conts->model());
    int avail = 0;
    while (avail < model->columnCount() && model->columnField(avail).name() != "Avail") ++avail;
    ASSERT_LT(avail, model->columnCount());
    focusCell(conts, 0, avail);
    conts->edit(conts->currentIndex());
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(cell, nullptr);
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("3"));
    QTest::keyClick(cell, Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return dm->tc.state() == rectix::dataset::CursorState::Browse; }, 1000));
    EXPECT_EQ(total(), QStringLiteral("4"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main && w->isVisible()) w->hide();
}
