#include "app/AboutWindow.h"
#include "app/HelpFiles.h"
#include "ui/Help.h"
#include "ui/HelpWindow.h"

#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace rectix;

namespace {

QString shownPage(app::HelpFiles& help) {
    return help.window().isVisible() ? help.window().page().fileName() : QString();
}

} // namespace

TEST(HelpHook, F1OnAGridOpensItsContextsPage) {
    app::HelpFiles help;
    QWidget page;
    ui::Help::setContext(&page, 2);
    auto* grid = new QTableView(&page);
    ui::Help::setContext(grid, 3);
    page.show();

    QTest::keyClick(grid, Qt::Key_F1);
    EXPECT_EQ(shownPage(help), QStringLiteral("context-3.html"));
    EXPECT_FALSE(help.window().findChild<QTextBrowser*>()->toPlainText().isEmpty());

    app::AboutWindow about;
    about.show();
    QTest::keyClick(&about, Qt::Key_F1);
    EXPECT_EQ(shownPage(help), QStringLiteral("context-1.html"));
}

TEST(HelpHook, CommandsMapOntoPagesAndAMissingPageShowsTheIndex) {
    app::HelpFiles help;
    EXPECT_TRUE(ui::Help::global().request(ui::HelpCommand::ContextPopup, 13));
    EXPECT_EQ(shownPage(help), QStringLiteral("context-13.html"));
    EXPECT_TRUE(ui::Help::global().request(ui::HelpCommand::Context, 4)); // no page of its own
    EXPECT_EQ(shownPage(help), QStringLiteral("index.html"));
    ui::Help::global().request(ui::HelpCommand::Context, 15);
    ui::Help::global().request(ui::HelpCommand::Key, 0);
    EXPECT_EQ(shownPage(help), QStringLiteral("index.html"));
    ui::Help::global().request(ui::HelpCommand::Quit, 0);
    EXPECT_FALSE(help.window().isVisible());
    ui::Help::global().request(static_cast<ui::HelpCommand>(3), 0);
    EXPECT_EQ(shownPage(help), QStringLiteral("index.html"));
}

TEST(HelpHook, EveryContextTheWindowsUseHasAPage) {
    app::HelpFiles help;
    for (int context : {1, 2, 3, 5, 7, 9, 10, 11, 13, 14, 15})
        EXPECT_EQ(help.window().pageOf(context).fileName(), QStringLiteral("context-%1.html").arg(context));
}

TEST(HelpHook, RequestsStopWhenTheHookGoes) {
    { app::HelpFiles help; }
    EXPECT_FALSE(ui::Help::global().hasHandler());
    EXPECT_FALSE(ui::Help::global().request(ui::HelpCommand::Context, 1));
}
