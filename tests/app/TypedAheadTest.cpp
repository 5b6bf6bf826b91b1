// Keys typed right after a command's accelerator, before its question is up: the question is
// answered only by what the user does after reading it, and the cell that had the focus keeps its
// value.
#include "../support/WindowAnswers.h"
#include "LibraryFixture.h"

#include "ui/DataGridModel.h"

#include <QLineEdit>

#include <tuple>
#include <utility>

namespace {

using rectix::dataset::CursorState;

constexpr int costColumn = 1;

class TypedAheadTest : public LibraryPageTest {
  protected:
    void SetUp() override {
        LibraryPageTest::SetUp();
        const std::int32_t truck = addContainer("Truck", 1360, 245, 24000);
        van = addContainer("Van", 420, 200, 3000);
        pallet = addBox("Pallet", 120, 80, 500);
        addTask("Shipment");
        addTaskContainer(truck, 1);
        addTaskContainer(van, 1);
        addTaskBox(pallet, 10);
        ASSERT_TRUE(dm->tc.locate("TypeID", van));
        dm->tc.edit();
        dm->tcCost.setFloat(180);
        dm->tc.post();
        store().warnings = true;
    }
    double storedVanCost() const {
        EXPECT_TRUE(dm->tc.locate("TypeID", van));
        return dm->tcCost.asFloat();
    }
    // The cell of the grid that has the focus in the active window, as a click leaves it.
    static void choose(rectix::ui::DataGrid* g, int row, int column) {
        QApplication::setActiveWindow(g->window());
        g->setFocus(Qt::MouseFocusReason);
        g->setCurrentIndex(g->model()->index(row, column));
    }
    // Alt+letter with a space queued behind it, as a quick hand types them.
    static void acceleratorThenSpace(rectix::ui::DataGrid* g, Qt::Key letter) {
        rectix::test::WindowAnswers::typeAhead(g->window(), Qt::Key_Space, QStringLiteral(" "));
        QTest::keyClick(g, letter, Qt::AltModifier);
    }

    std::int32_t van = 0;
    std::int32_t pallet = 0;
};

} // namespace

// The Van's Cost cell of the task page, and the quantity cell of a library, each with the command
// of its window that asks first.
TEST_F(TypedAheadTest, ASpaceTypedAfterTheAcceleratorReachesNeitherTheQuestionNorTheCell) {
    struct Case {
        const char* window;
        Qt::Key letter;
        const char* question;
        bool solvedFirst;
    };
    for (const Case& c : {Case{"TTasksForm", Qt::Key_E, "Exit program?", false},
                          Case{"TTasksForm", Qt::Key_P, "Print task data report now?", false},
                          Case{"TTasksForm", Qt::Key_L, "Clear current task solution?", true},
                          Case{"CntForm", Qt::Key_P, "Print Container Library report now?", false}}) {
        if (c.solvedFirst) {
            click("RunButton");
            ASSERT_TRUE(solved());
        }
        const bool library = std::string_view(c.window) != "TTasksForm";
        rectix::ui::DataGrid* g = library ? open(c.window)->grid() : grid("ContsGrid");
        if (!library) storedVanCost(); // the Van's row current
        const int row = g->dataModel().currentRow();
        const int column = library ? 0 : costColumn;
        const QString before = g->model()->index(row, column).data().toString();
        choose(g, row, column);

        rectix::test::WindowAnswers questions;
        acceleratorThenSpace(g, c.letter);
        ASSERT_TRUE(QTest::qWaitFor([&] { return questions.answered(); })) << c.question;
        QApplication::processEvents(); // the keys still queued, had they not gone
        EXPECT_EQ(questions.shown, std::vector<std::string>{c.question});
        EXPECT_EQ(g->indexWidget(g->model()->index(row, column)), nullptr) << c.question; // no cell editor
        EXPECT_EQ(g->dataCursor().state(), CursorState::Browse) << c.question;
        EXPECT_EQ(g->model()->index(row, column).data().toString(), before) << c.question;
        if (library) {
            g->window()->hide();
            continue;
        }
        choose(g, row == 0 ? 1 : 0, column);
        EXPECT_EQ(storedVanCost(), 180) << c.question;
    }
}

// A key that starts a library row's edit brings the question about the tasks that use the row;
// the keys behind it go with the question, and the first one must not stand alone as the value.
TEST_F(TypedAheadTest, AKeyThatStartsAnEditBehindAQuestionIsNotTheNewValue) {
    constexpr int lengthColumn = 3;
    for (const auto& [window, key, id] :
         {std::tuple{"CntForm", "TypeID", van}, {"BoxForm", "KindID", pallet}}) {
        rectix::app::LibraryWindow* library = open(window);
        library->editButtonClick();
        rectix::ui::DataGrid* g = library->grid();
        ASSERT_TRUE(g->dataCursor().locate(key, id));
        const QModelIndex cell = g->model()->index(g->dataModel().currentRow(), lengthColumn);
        const QString before = cell.data().toString();
        choose(g, cell.row(), lengthColumn);
        rectix::test::WindowAnswers questions;
        questions.answer = rectix::core::DialogButton::Yes;
        for (const auto& [k, t] : {std::pair{Qt::Key_0, "0"}, {Qt::Key_0, "0"}, {Qt::Key_Return, "\r"}})
            rectix::test::WindowAnswers::typeAhead(g->window(), k, QString::fromLatin1(t));
        QTest::keyClick(g, Qt::Key_5);
        ASSERT_TRUE(QTest::qWaitFor([&] { return questions.answered(); })) << window;
        // The editor holds the value as it is, selected: the user types it again.
        auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(cell));
        ASSERT_NE(editor, nullptr) << window;
        EXPECT_EQ(editor->selectedText(), before) << window;
        QTest::keyClicks(editor, QStringLiteral("500"));
        QTest::keyClick(editor, Qt::Key_Return);
        choose(g, cell.row() == 0 ? 1 : 0, lengthColumn);
        ASSERT_TRUE(g->dataCursor().locate(key, id));
        EXPECT_EQ(g->dataCursor().field("Length").asInteger(), 500) << window;
        library->hide();
    }
}
