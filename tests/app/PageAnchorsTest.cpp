// What the windows opened from the task page ask of it: the controls they are placed by, and
// where the keyboard goes when they close.
#include "SettingsWindowFixture.h"

#include "app/TaskPageAnchor.h"

#include <QTimer>

#include <utility>

using rectix::app::TaskPageAnchor;

namespace {

QRect onScreen(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

class PageAnchorsTest : public SettingsWindowTest {};

} // namespace

TEST_F(PageAnchorsTest, EachAnchorIsWhereItsControlIsOnTheScreen) {
    main->move(30, 40);
    QApplication::processEvents();
    for (const auto& [anchor, name] : {std::pair{TaskPageAnchor::BoxesButton, "BoxesButton"},
                                       std::pair{TaskPageAnchor::BoxesGrid, "BoxesGrid"},
                                       std::pair{TaskPageAnchor::BoxesNavigator, "BoxesNavigator"}}) {
        const QRect expected = onScreen(part<QWidget>(name));
        EXPECT_FALSE(expected.isEmpty()) << name;
        EXPECT_EQ(main->anchorGeometry(anchor), expected) << name;
    }
}

TEST_F(PageAnchorsTest, TheSettingsWindowOpensLevelWithTheBoxNavigator) {
    main->move(0, 0);
    QApplication::processEvents();
    store().placementFlags.setAll();
    showSettings();
    QApplication::processEvents();
    EXPECT_EQ(settings->frameGeometry().top(), onScreen(part<QWidget>("BoxesNavigator")).top());
    settings->hide();
}

TEST_F(PageAnchorsTest, ClosingTheTaskListGivesTheKeyboardToViewOnceThereIsASolution) {
    sampleTask();
    QApplication::setActiveWindow(main);
    click("RunButton");
    ASSERT_TRUE(solved());
    button("RunButton")->setFocus();
    QTimer::singleShot(0, taskList, [this] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(taskList));
        taskList->reject();
    });
    click("TaskButton");
    EXPECT_EQ(main->focusWidget(), button("ViewButton"));
}
