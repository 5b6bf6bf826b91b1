#include "ui/Help.h"
#include "ui/HelpWindow.h"

#include <QApplication>

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace rectix::ui;

TEST(Help, TheNearestContextWinsUpToTheWindow) {
    QWidget owner;
    Help::setContext(&owner, 2);
    QWidget window(&owner, Qt::Window);
    auto* panel = new QWidget(&window);
    auto* grid = new QTableView(panel);
    Help::setContext(grid, 3);
    EXPECT_EQ(Help::contextOf(new QLineEdit(grid)), 3);
    EXPECT_EQ(Help::contextOf(panel), 0); // the owner's context stays with the owner
    Help::setContext(&window, 13);
    EXPECT_EQ(Help::contextOf(panel), 13);
}

TEST(Help, F1AsksForTheFocusedWidgetsContext) {
    std::vector<std::pair<HelpCommand, long>> requests;
    Help::global().setHandler([&](HelpCommand c, long data) {
        requests.emplace_back(c, data);
        return true;
    });
    QWidget window;
    Help::setContext(&window, 2);
    auto* grid = new QTableView(&window);
    Help::setContext(grid, 3);
    auto* name = new QLineEdit(&window);
    QWidget plain; // without any context F1 is an ordinary key
    window.show();
    plain.show();

    QTest::keyClick(grid, Qt::Key_F1);
    QTest::keyClick(name, Qt::Key_F1);
    QTest::keyClick(&plain, Qt::Key_F1);
    QTest::keyClick(name, Qt::Key_A);
    Help::global().setHandler({});
    EXPECT_EQ(requests, (std::vector<std::pair<HelpCommand, long>>{{HelpCommand::Context, 3},
                                                                   {HelpCommand::Context, 2}}));
    EXPECT_EQ(name->text(), QStringLiteral("a"));
}

TEST(Help, EscClosesTheHelpWindow) {
    HelpWindow window(QStringLiteral("/nonexistent-help"));
    window.showIndex();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.isVisible());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}
