#include "ui/WindowTexts.h"
#include "lang/English.h"
#include "lang/Language.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <stdexcept>

// Readable QString values in failure messages.
void printTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace rectix;

namespace {

template <typename T> T* add(QWidget* parent, const char* name, T* child) {
    child->setParent(parent);
    child->setObjectName(QString::fromLatin1(name));
    return child;
}

template <typename T> T* part(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

QString header(QWidget* window, const char* grid, int column) {
    return part<QAbstractItemView>(window, grid)->model()->headerData(column, Qt::Horizontal).toString();
}

// A piece of the main window with a component of each kind it names.
std::unique_ptr<QWidget> tasksWindow() {
    auto w = std::make_unique<QWidget>();
    add(w.get(), "Label1", new QLabel);
    add(w.get(), "NameEdit", new QLineEdit);
    add(w.get(), "RunButton", new QPushButton);
    add(w.get(), "ContsGrid", new QTableWidget(0, 11));
    auto* menu = add(w.get(), "LangPop", new QMenu);
    auto* group = new QActionGroup(menu);
    for (const char* item : {"EnglishPop", "FrenchPop", "ItalianPop"}) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(item));
        action->setCheckable(true);
        group->addAction(action);
    }
    return w;
}

class WindowTextsTest : public ::testing::Test {
  protected:
    WindowTextsTest() : language(tables) {
        language.setWindowWriter(&texts);
        QCoreApplication::setApplicationName(QStringLiteral("Rectix"));
    }
    core::UiTexts tables;
    lang::Language language;
    ui::WindowTexts texts;
};

} // namespace

TEST_F(WindowTextsTest, EachSwitchRewritesCaptionsHintsAndColumnTitles) {
    auto w = tasksWindow();
    texts.registerWindow(QStringLiteral("TTasksForm"), w.get());

    language.applyFrenchTexts(true);
    EXPECT_EQ(part<QLabel>(w.get(), "Label1")->text(), QString::fromUtf8("TÂCHE en Cours"));
    EXPECT_EQ(part<QPushButton>(w.get(), "RunButton")->text(), QString::fromUtf8("Résoudr&e"));
    EXPECT_EQ(part<QLineEdit>(w.get(), "NameEdit")->toolTip(), QString::fromUtf8("Nom de la Tâche en Cours"));
    EXPECT_EQ(part<QMenu>(w.get(), "LangPop")->title(), QStringLiteral("La Langue"));
    EXPECT_EQ(part<QAction>(w.get(), "FrenchPop")->text(), QString::fromUtf8("Français"));
    EXPECT_EQ(header(w.get(), "ContsGrid", 10), QStringLiteral(" Empl.Dir."));
    EXPECT_TRUE(part<QAction>(w.get(), "FrenchPop")->isChecked());

    language.applyItalianTexts(true);
    EXPECT_EQ(part<QLabel>(w.get(), "Label1")->text(), QStringLiteral("PROGETTO"));
    EXPECT_EQ(part<QPushButton>(w.get(), "RunButton")->toolTip(), QStringLiteral("Trova la soluzione"));
    EXPECT_EQ(header(w.get(), "ContsGrid", 10), QStringLiteral("Car.Dir"));
    EXPECT_TRUE(part<QAction>(w.get(), "ItalianPop")->isChecked());
    EXPECT_FALSE(part<QAction>(w.get(), "FrenchPop")->isChecked());

    language.applyFrenchTexts(false); // the tables alone
    EXPECT_EQ(part<QLabel>(w.get(), "Label1")->text(), QStringLiteral("PROGETTO"));
}

TEST_F(WindowTextsTest, EachKindOfComponentTakesItsTexts) {
    QWidget about, settings, solution, boxes, taskList;
    add(&about, "ThanksLab", new QLabel);
    auto* sheets = add(&settings, "PageControl1", new QTabWidget);
    sheets->addTab(add(&settings, "OptSheet", new QWidget), QString());
    sheets->addTab(add(&settings, "ExchSheet", new QWidget), QString());
    add(&solution, "GroupBox1", new QGroupBox);
    add(&boxes, "ImpOpenDlg", new QFileDialog);
    add(&boxes, "DBGrid1", new QTableView)->setModel(new QStandardItemModel(0, 10, &boxes));
    add(&taskList, "DBGrid1", new QTableWidget(0, 4));
    for (auto [name, window] : {std::pair{"TAboutForm", &about},
                                {"TOptForm", &settings},
                                {"TSolutForm", &solution},
                                {"TBoxForm", &boxes},
                                {"TNameForm", &taskList}})
        texts.registerWindow(QString::fromLatin1(name), window);

    language.applyEnglishTexts(true);
    EXPECT_EQ(solution.windowTitle(), QStringLiteral("Rectix  -  Solution page"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About  Rectix"));
    EXPECT_EQ(part<QLabel>(&about, "ThanksLab")->text(), QStringLiteral("Thank you for using  Rectix"));
    EXPECT_EQ(sheets->tabText(1), QStringLiteral("Exchange DB"));
    EXPECT_EQ(part<QGroupBox>(&solution, "GroupBox1")->title(), QStringLiteral(" Selected Container "));
    EXPECT_EQ(part<QFileDialog>(&boxes, "ImpOpenDlg")->windowTitle(),
              QStringLiteral("Choose file to import new boxes into the library from.."));
    // Grids of the same name keep their own window's titles.
    EXPECT_EQ(header(&boxes, "DBGrid1", 3), QStringLiteral("Length"));
    EXPECT_EQ(header(&taskList, "DBGrid1", 3), QStringLiteral("  Description"));

    language.applyFrenchTexts(true);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("A Propos"));
    EXPECT_EQ(sheets->tabText(1), QString::fromUtf8(" Échange BD"));
}

TEST_F(WindowTextsTest, AbsentWindowsArePassedOverAndLateOnesCatchUp) {
    auto gone = tasksWindow();
    texts.registerWindow(QStringLiteral("TTasksForm"), gone.get());
    gone.reset();
    language.applyFrenchTexts(true);
    EXPECT_EQ(language.langIndex(), 1);

    auto late = tasksWindow();
    texts.registerWindow(QStringLiteral("TTasksForm"), late.get());
    EXPECT_EQ(part<QLabel>(late.get(), "Label1")->text(), QString::fromUtf8("TÂCHE en Cours"));
    EXPECT_EQ(header(late.get(), "ContsGrid", 1), QString::fromUtf8("Coût"));

    // A grid that takes no titles, or a caption on a component without one, is a wiring fault.
    QWidget taskList, main;
    add(&taskList, "DBGrid1", new QTableView);
    EXPECT_THROW(texts.registerWindow(QStringLiteral("TNameForm"), &taskList), std::logic_error);
    add(&main, "Label1", new QLineEdit);
    EXPECT_THROW(texts.registerWindow(QStringLiteral("TTasksForm"), &main), std::logic_error);
}
