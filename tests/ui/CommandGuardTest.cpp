// Typing still open in a window is written before a command of the window acts on it.
#include "ui/CommandGuard.h"
#include "DataTables.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "ui/Application.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/PendingEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>
#include <utility>

using namespace rectix;
using Shown = std::vector<std::string>;
using Rows = std::vector<std::string>;

namespace {

// A window with a grid of items, an edit of the item's name and a "&Copy" button whose command
// notes the record as it finds it. A negative quantity is refused with a message.
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
        for (QWidget* w : std::initializer_list<QWidget*>{grid, nameEdit, copy}) layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        items->field("Qty").onValidate = [](dataset::Field& f) {
            if (f.asInteger() >= 0) return;
            core::Dialogs::current().show(core::DialogKind::Warning, "Number must be positive",
                                          core::DialogButton::Ok, 0);
            throw core::SilentAbort();
        };
    }

    // The controls go before the tables they show.
    void TearDown() override {
        delete grid;
        delete nameEdit;
        DataTables::TearDown();
    }

    // Types into the quantity cell of `row`, leaving its editor open.
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

    QWidget window;
    ui::DataGrid* grid = nullptr;
    ui::DataEdit* nameEdit = nullptr;
    QPushButton* copy = nullptr;
    std::vector<std::string> seen;
};

} // namespace

// An accelerator moves no focus (Down on the last row neither): its command still finds the
// value being typed. A refused value gives its message and the command does not run.
TEST_F(Guard, AnAcceleratorActsOnTheValueBeingTypedOrStopsAtItsRefusal) {
    QWidget* editor = typeQuantity(1, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !seen.empty(); }, 1000));
    EXPECT_EQ(seen, Rows{"b 7"});
    EXPECT_TRUE(grid->hasFocus());

    typeQuantity(1, QStringLiteral("-3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_FALSE(copy->isDown());
    EXPECT_EQ(dialogs.shown, Shown{"ask: Number must be positive"});
    EXPECT_EQ(items->field("Qty").asInteger(), 7);
}

// The close box moves no focus either: a value still being typed and refused keeps the window
// open after its message. The program's own closes pass.
TEST_F(Guard, TheCloseBoxStopsAtARefusedValueAndTheProgramsCloseDoesNot) {
    typeQuantity(0, QStringLiteral("-3"));
    ui::Application::instance().commandGuard().closeBoxPressed(window.winId());
    window.windowHandle()->close();
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
    EXPECT_EQ(stored(), (Rows{"a 6", "b 2"}));
}

// A close request that the toolkit drops (a modal dialog blocks the window) brings no close of
// its own: the program's later close of that window is still the program's.
TEST_F(Guard, ACloseRequestThatBringsNoCloseLeavesTheProgramsLaterCloseAlone) {
    typeQuantity(0, QStringLiteral("-3"));
    ui::Application::instance().commandGuard().closeBoxPressed(window.winId());
    QCoreApplication::processEvents(); // the turn of the event loop that handled the request
    window.close();
    EXPECT_FALSE(window.isVisible());
}

// The turn that ends a dropped request's mark leaves a later request's mark alone: a close the
// later one brings after that turn is still the close box's.
TEST_F(Guard, ADroppedCloseRequestLeavesALaterRequestsMark) {
    typeQuantity(0, QStringLiteral("-3"));
    ui::CommandGuard& guard = ui::Application::instance().commandGuard();
    guard.closeBoxPressed(window.winId()); // dropped; its turn ends with the next posted calls
    QMetaObject::invokeMethod(
        &window, [this] { window.windowHandle()->close(); }, Qt::QueuedConnection);
    guard.closeBoxPressed(window.winId());
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.shown, Shown{"ask: Number must be positive"});
}

// A press in another window is no command of this one, whose focus it has not taken yet: the
// cell being typed stays open and unwritten.
TEST_F(Guard, APressInAnotherWindowLeavesTheCellBeingTypedOpen) {
    QWidget other;
    auto* press = new QPushButton(QStringLiteral("Other"), &other);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QApplication::setActiveWindow(&window);
    QWidget* editor = typeQuantity(0, QStringLiteral("6"));
    ASSERT_EQ(QApplication::focusWidget(), editor);
    QTest::mouseClick(press, Qt::LeftButton);
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), editor);
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

namespace {

// An edit whose value is refused with a message that runs an event loop of its own, in which
// `during` runs once: a message the window manager has not activated yet, so the focus is still
// in the edit. It has no guard of its own against being asked again meanwhile.
class RefusingEdit : public QLineEdit, public ui::PendingEdit {
  public:
    using QLineEdit::QLineEdit;
    bool commitPendingEdit() override {
        ++commits;
        if (!during) return false;
        QEventLoop loop;
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                std::exchange(during, nullptr)();
                loop.quit();
            },
            Qt::QueuedConnection);
        loop.exec();
        return false;
    }

    int commits = 0;
    std::function<void()> during;
};

} // namespace

// While a refusal's message is up, a press that arrives in the window is no reason to write the
// refused value a second time.
TEST_F(Guard, ACommandArrivingWhileARefusalIsUpDoesNotWriteTheValueAgain) {
    auto* edit = new RefusingEdit(&window);
    auto* other = new QPushButton(QStringLiteral("Other"), &window);
    other->setFocusPolicy(Qt::NoFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, other}) {
        window.layout()->addWidget(w);
        w->show();
    }
    QApplication::setActiveWindow(&window);
    edit->setFocus(Qt::MouseFocusReason);
    edit->during = [&] { QTest::mouseClick(other, Qt::LeftButton); };
    QTest::keyClick(edit, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(edit->commits, 1);
    EXPECT_TRUE(seen.empty());
}

// An accelerator that two buttons share presses neither: the toolkit moves the focus between
// them. A checkable button pressed by its accelerator takes the focus as a click would give it.
TEST_F(Guard, AnAcceleratorPressesAsTheToolkitWould) {
    auto* clear = new QPushButton(QStringLiteral("&Clear"), &window); // shares Alt+C with "&Copy"
    auto* keep = new QCheckBox(QStringLiteral("&Keep"), &window);
    auto* mark = new QCheckBox(QStringLiteral("&Mark"), &window);
    mark->setFocusPolicy(Qt::TabFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{clear, keep, mark}) {
        window.layout()->addWidget(w);
        w->show();
    }
    QApplication::setActiveWindow(&window);
    struct Case {
        Qt::Key letter;
        QWidget* focused; // null: the name edit keeps the focus
    } const cases[] = {{Qt::Key_C, copy}, {Qt::Key_K, keep}, {Qt::Key_M, nullptr}};
    for (const Case& c : cases) {
        nameEdit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(nameEdit, c.letter, Qt::AltModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), c.focused ? c.focused : nameEdit) << c.letter;
        EXPECT_TRUE(seen.empty()) << c.letter;
    }
    EXPECT_TRUE(keep->isChecked());
    EXPECT_TRUE(mark->isChecked());
}
