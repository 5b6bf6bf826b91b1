// Typing still open in a window is written before a command of the window acts on it.
#include "ui/CommandGuard.h"
#include "DataTables.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>
#include <utility>

using namespace rectix;
using Shown = std::vector<std::string>;

namespace {

// A window with a grid of items, an edit of the item's name and a "&Copy" button that notes the
// quantity and name its command finds in the record.
class Guard : public DataTables {
  protected:
    void SetUp() override {
        DataTables::SetUp();
        addItem("a", 1);
        addItem("b", 2);
        items->first();
        grid = new ui::DataGrid(*items, {{.field = "Name"}, {.field = "Qty"}}, &window);
        nameEdit = new ui::DataEdit(*items, "Name", &window);
        copy = new QPushButton(QStringLiteral("&Copy"), &window);
        QObject::connect(copy, &QPushButton::clicked, [this] {
            seen.push_back(items->field("Name").asString() + " " + items->field("Qty").asString());
        });
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w :
             {static_cast<QWidget*>(grid), static_cast<QWidget*>(nameEdit), static_cast<QWidget*>(copy)})
            layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        items->field("Qty").onValidate = [](dataset::Field& f) {
            if (f.asInteger() >= 0) return;
            core::Dialogs::current().show(core::DialogKind::Warning, "Number must be positive",
                                          core::DialogButton::Ok, 0);
            throw core::SilentAbort();
        };
    }

    // Opens the quantity cell of `row` and types `text` into it, leaving the editor open.
    QWidget* typeQuantity(int row, const QString& text) {
        grid->setFocus(Qt::MouseFocusReason);
        grid->setCurrentIndex(grid->model()->index(row, 1));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (!editor) return grid;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    }

    // Alt+C from the focused control; the button clicks itself a moment after its accelerator.
    void pressAltC() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !copy->isDown(); }, 1000));
    }

    QWidget window;
    ui::DataGrid* grid = nullptr;
    ui::DataEdit* nameEdit = nullptr;
    QPushButton* copy = nullptr;
    std::vector<std::string> seen;
};

// The window manager's close request, then the close the toolkit makes of it.
void closeBox(QWidget& window) {
    ui::CommandGuard::closeBoxPressed(window.winId());
    window.windowHandle()->close();
}

class CloseProbe : public QObject {
  public:
    explicit CloseProbe(std::function<void()> f) : f_(std::move(f)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) f_();
        return false;
    }

  private:
    std::function<void()> f_;
};

} // namespace

TEST_F(Guard, AnAcceleratorActsOnTheValueStillBeingTypedInACell) {
    QWidget* editor = typeQuantity(0, QStringLiteral("4"));
    pressAltC();
    EXPECT_EQ(seen, (std::vector<std::string>{"a 4"}));
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), nullptr);
    EXPECT_TRUE(grid->hasFocus());
    (void)editor;

    // Down on the last row leaves the editor open; the command still sees the value.
    editor = typeQuantity(1, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Down);
    pressAltC();
    EXPECT_EQ(seen.back(), "b 7");
}

TEST_F(Guard, APressOnAButtonThatTakesNoFocusActsOnTheTypedValue) {
    copy->setFocusPolicy(Qt::NoFocus);
    typeQuantity(0, QStringLiteral("5"));
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"a 5"}));

    nameEdit->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(nameEdit, QStringLiteral("z"));
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(seen.back(), "az 5");
}

// The rule's message is the answer to the command: it does not run on the old value.
TEST_F(Guard, ARefusedValueIsReportedAndTheCommandDoesNotRun) {
    typeQuantity(0, QStringLiteral("-3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_FALSE(copy->isDown());
    EXPECT_EQ(dialogs.shown, Shown{"ask: Number must be positive"});
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(items->field("Qty").asInteger(), 1);
    EXPECT_TRUE(grid->hasFocus());

    copy->setFocusPolicy(Qt::NoFocus);
    typeQuantity(0, QStringLiteral("-4"));
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_TRUE(seen.empty());
}

// The close box moves no focus: what was typed is written before the window closes, and a refused
// value keeps the window open. The program's own closes are not stopped.
TEST_F(Guard, TheCloseBoxWritesTheTypingFirstAndARefusalKeepsTheWindowOpen) {
    // What the window's own close handler finds.
    std::string atClose;
    CloseProbe probe([&] { atClose = items->field("Name").asString(); });
    window.installEventFilter(&probe);
    nameEdit->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(nameEdit, QStringLiteral(" VIAX"));
    closeBox(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(atClose, "a VIAX");

    window.show();
    QApplication::setActiveWindow(&window);
    typeQuantity(0, QStringLiteral("-3"));
    closeBox(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.shown, Shown{"ask: Number must be positive"});

    typeQuantity(0, QStringLiteral("-3"));
    window.close();
    EXPECT_FALSE(window.isVisible());
}

// Insert in a cell being typed adds the new row after the typed value was written, not over it.
TEST_F(Guard, InsertInACellBeingTypedKeepsTheValue) {
    QWidget* editor = typeQuantity(0, QStringLiteral("6"));
    QTest::keyClick(editor, Qt::Key_Insert);
    EXPECT_EQ(items->state(), dataset::CursorState::Insert);
    items->cancel();
    EXPECT_EQ(stored(), (std::vector<std::string>{"a 6", "b 2"}));
}
