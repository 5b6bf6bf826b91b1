#include "app/AboutUnit.h"
#include "app/UseHTMLHelp.h"
#include "ui/Help.h"
#include "ui/HelpWindow.h"

#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace rectix;

namespace {

QString shownPage(app::TUseHTMLHelp& help) {
    return help.window().isVisible() ? help.window().page().fileName() : QString();
}

} // namespace

TEST(HelpHook, F1OnAGridOpensItsContextsPage) {
    app::TUseHTMLHelp help;
    QWidget page;
    ui::Help::setContext(&page, 2);
    auto* grid = new QTableView(&page);
    ui::Help::setContext(grid, 3);
    page.show();

    QTest::keyClick(grid, Qt::Key_F1);
    EXPECT_EQ(shownPage(help), QStringLiteral("context-3.html"));
    EXPECT_FALSE(help.window().findChild<QTextBrowser*>()->toPlainText().isEmpty());

    app::TAboutForm about;
    about.show();
    QTest::keyClick(&about, Qt::Key_F1);
    EXPECT_EQ(shownPage(help), QStringLiteral("context-1.html"));
}

TEST(HelpHook, CommandsMapOntoPagesAndAMissingPageShowsTheIndex) {
    app::TUseHTMLHelp help;
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
    app::TUseHTMLHelp help;
    for (int context : {1, 2, 3, 5, 7, 9, 10, 11, 13, 14, 15})
        EXPECT_EQ(help.window().pageOf(context).fileName(), QStringLiteral("context-%1.html").arg(context));
}

TEST(HelpHook, RequestsStopWhenTheHookGoes) {
    { app::TUseHTMLHelp help; }
    EXPECT_FALSE(ui::Help::global().hasHandler());
    EXPECT_FALSE(ui::Help::global().request(ui::HelpCommand::Context, 1));
}
