// The box library's import menu: its options, the clipboard route and the reports it shows.
#include "TaskPageFixture.h"

#include "app/BoxImportMenu.h"
#include "app/LibraryWindow.h"
#include "ui/Help.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using rectix::app::BoxImportMenu;
using rectix::app::LibraryWindow;

class BoxImportMenuTest : public TaskPageTest {
  protected:
    void SetUp() override {
        TaskPageTest::SetUp();
        window = main->findChild<LibraryWindow*>(QStringLiteral("BoxForm"));
        ASSERT_NE(window, nullptr);
        menu = window->findChild<BoxImportMenu*>();
        ASSERT_NE(menu, nullptr);
    }
    void TearDown() override {
        window->hide();
        TaskPageTest::TearDown();
    }
    QAction* action(const char* name) const {
        return menu->menu()->findChild<QAction*>(QString::fromLatin1(name));
    }
    int libraryRows() { return static_cast<int>(dm->boxes.recordCount()); }

    LibraryWindow* window = nullptr;
    BoxImportMenu* menu = nullptr;
};

// F1 on the button, in the menu or in the file dialog opens the import's page, not the library's.
TEST_F(BoxImportMenuTest, HelpOnTheImportIsTheImportsPage) {
    const auto* dialog = window->findChild<QFileDialog*>(QStringLiteral("ImpOpenDlg"));
    ASSERT_NE(dialog, nullptr);
    const std::vector<const QWidget*> places{window->findChild<QPushButton*>(QStringLiteral("ImpButton")),
                                             menu->menu(), dialog->findChild<QWidget*>()};
    for (const QWidget* w : places) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(rectix::ui::Help::contextOf(w), 14) << w->metaObject()->className();
    }
}

TEST_F(BoxImportMenuTest, TheMenuShowsAndSetsTheStoredOptions) {
    store().impOrder = 2;
    store().impSepar = 1;
    store().impHeader = 1;
    window->show();
    EXPECT_TRUE(action("ImpPopOrd2")->isChecked());
    EXPECT_TRUE(action("ImpPopSep1")->isChecked());
    EXPECT_TRUE(action("ImpPopHead")->isChecked());
    action("ImpPopOrd3")->trigger();
    action("ImpPopSep0")->trigger();
    action("ImpPopHead")->trigger();
    EXPECT_EQ(store().impOrder, 3);
    EXPECT_EQ(store().impSepar, 0);
    EXPECT_EQ(store().impHeader, 0);
    EXPECT_FALSE(action("ImpPopOrd2")->isChecked());
}

TEST_F(BoxImportMenuTest, AnEmptyClipboardShowsMessage9AndWritesNoFile) {
    std::filesystem::remove(BoxImportMenu::pasteLog);
    QGuiApplication::clipboard()->setText(QStringLiteral("  \n "));
    window->show();
    menu->pasteBoxes();
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"information: There are no text data on the Clipboard"});
    EXPECT_FALSE(std::filesystem::exists(BoxImportMenu::pasteLog));
}

TEST_F(BoxImportMenuTest, PastedTextIsLoggedUnchangedThenImportedWithItsReport) {
    const std::string text = "3 Panel 1200 800\n2 Caf\u00e9 10 10\nbad\n";
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    store().impOrder = 0;
    store().impSepar = 0;
    store().impHeader = 0;
    store().warnings = true;
    window->show();
    dialogs.answers = {rectix::core::DialogButton::Ok}; // "Are you sure ...?"
    menu->pasteBoxes();
    std::ifstream log(BoxImportMenu::pasteLog, std::ios::binary);
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(logged, text);
    EXPECT_EQ(libraryRows(), 2);
    ASSERT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(dialogs.shown[1],
              "errorbox: Box import file format or reading error.\rSee box file/list line/row # "
              "3.\rAll lines/rows below are omited.");
    EXPECT_FALSE(store().boxEditMode);
}

// Text copied from a file that began with a byte-order mark keeps the mark in front.
TEST_F(BoxImportMenuTest, AByteOrderMarkInFrontOfPastedTextIsNoPartOfTheFirstKind) {
    QGuiApplication::clipboard()->setText(QStringLiteral("\uFEFFPanel 3 1200 800\n"));
    store().impOrder = 1;
    store().impSepar = 0;
    store().impHeader = 0;
    store().warnings = false;
    window->show();
    menu->pasteBoxes();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(libraryRows(), 1);
    dm->boxes.first();
    EXPECT_EQ(dm->boxesKind.asString(), "Panel");
    EXPECT_EQ(dm->boxesMark.asString(), "Pl");
}

// The help page on importing gives the line format, the turn rule's two values among it.
TEST(ImportHelpPage, TellsTheLineFormat) {
    QFile page(QStringLiteral(":/help/context-14.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    QTextDocument document;
    document.setHtml(QString::fromUtf8(page.readAll()));
    const QString text = document.toPlainText().simplified();
    for (const char* rule :
         {"TurnOn is 0", "or 1", "True or False, are refused", "Length and Width 1 to 32000",
          "Weight 0 to 30000", "Q'ty 0 to 1000", "32768 lines", "byte-order mark"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(rule))) << rule;
}

} // namespace
