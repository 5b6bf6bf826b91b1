// Enter on a focused push button presses it in every window, as Space does.
#include "SettingsWindowFixture.h"

#include <QPushButton>
#include <QTest>

namespace {

class EnterKeyTest : public SettingsWindowTest {};

} // namespace

TEST_F(EnterKeyTest, EnterPressesTheFocusedButtonOfTheTaskPageAndTheSettingsWindow) {
    QApplication::setActiveWindow(main);
    button("OptButton")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button("OptButton"), Qt::Key_Return);
    ASSERT_TRUE(settings->isVisible());

    QApplication::setActiveWindow(settings);
    auto* close = control<QPushButton>("CloseButton");
    close->setFocus(Qt::TabFocusReason);
    QTest::keyClick(close, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(settings->isVisible());
}

TEST_F(EnterKeyTest, EnterInAnEditOrWithAModifierPressesNoButton) {
    showSettings();
    auto* close = control<QPushButton>("CloseButton");
    close->setFocus(Qt::TabFocusReason);
    QTest::keyClick(close, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(settings->isVisible());
    spinner("PowerUpDn")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(spinner("PowerUpDn"), Qt::Key_Return);
    EXPECT_TRUE(settings->isVisible());
}
