#include "ui/Help.h"
#include "ui/HelpWindow.h"

#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace rectix::ui;

namespace {

// Records the help requests while it lives.
struct RecordedHelp {
    RecordedHelp() {
        Help::global().setHandler([this](HelpCommand c, long data) {
            requests.emplace_back(c, data);
            return true;
        });
    }
    ~RecordedHelp() { Help::global().setHandler({}); }
    std::vector<std::pair<HelpCommand, long>> requests;
};

void writePage(const QTemporaryDir& dir, const QString& name, const QString& title) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>").arg(title).toUtf8());
}

} // namespace

TEST(Help, TheNearestContextWinsUpToTheWindow) {
    QWidget owner;
    Help::setContext(&owner, 2);
    QWidget window(&owner, Qt::Window);
    auto* panel = new QWidget(&window);
    auto* grid = new QTableView(panel);
    auto* edit = new QLineEdit(grid);
    Help::setContext(grid, 3);
    EXPECT_EQ(Help::contextOf(edit), 3);
    EXPECT_EQ(Help::contextOf(grid), 3);
    EXPECT_EQ(Help::contextOf(panel), 0); // the owner's context stays with the owner
    Help::setContext(&window, 13);
    EXPECT_EQ(Help::contextOf(panel), 13);
}

TEST(Help, F1AsksForTheFocusedWidgetsContext) {
    RecordedHelp help;
    QWidget window;
    Help::setContext(&window, 2);
    auto* grid = new QTableView(&window);
    Help::setContext(grid, 3);
    auto* name = new QLineEdit(&window);
    window.show();

    QTest::keyClick(grid, Qt::Key_F1);
    QTest::keyClick(name, Qt::Key_F1);
    QTest::keyClick(name, Qt::Key_A);
    ASSERT_EQ(help.requests.size(), 2u);
    EXPECT_EQ(help.requests[0], std::make_pair(HelpCommand::Context, 3L));
    EXPECT_EQ(help.requests[1], std::make_pair(HelpCommand::Context, 2L));
    EXPECT_EQ(name->text(), QStringLiteral("a"));

    QWidget plain; // without any context F1 is an ordinary key
    plain.show();
    QTest::keyClick(&plain, Qt::Key_F1);
    EXPECT_EQ(help.requests.size(), 2u);
}

TEST(HelpWindow, AContextWithoutAPageShowsTheIndex) {
    QTemporaryDir dir;
    writePage(dir, QStringLiteral("index.html"), QStringLiteral("Contents"));
    writePage(dir, QStringLiteral("context-3.html"), QStringLiteral("Grids"));
    HelpWindow window(dir.path());

    window.showContext(3);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.page().fileName(), QStringLiteral("context-3.html"));
    EXPECT_EQ(window.findChild<QTextBrowser*>()->documentTitle(), QStringLiteral("Grids"));
    window.showContext(4);
    EXPECT_EQ(window.page().fileName(), QStringLiteral("index.html"));
    window.showContext(0);
    EXPECT_EQ(window.page().fileName(), QStringLiteral("index.html"));
}
