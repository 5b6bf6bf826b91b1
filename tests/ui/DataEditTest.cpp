#include "ui/DataEdit.h"
#include "DataTables.h"
#include "core/Errors.h"
#include "ui/DataCheckBox.h"

#include <QApplication>
#include <QTest>

using namespace rectix;
using dataset::CursorState;
using Shown = std::vector<std::string>;
using Rows = std::vector<std::string>;

namespace {

class BoundControls : public DataTables {
  protected:
    void SetUp() override {
        DataTables::SetUp();
        addItem("a", 1);
        addItem("b", 2);
        items->first();
    }
};

std::string shown(const QLineEdit& e) {
    return e.text().toStdString();
}

} // namespace

TEST_F(BoundControls, EditShowsTheCurrentRowAndWritesOnEnterWithoutPosting) {
    ui::DataEdit edit(*items, "Qty");
    EXPECT_EQ(shown(edit), "1");
    items->next();
    EXPECT_EQ(shown(edit), "2");

    QTest::keyClicks(&edit, "0");
    EXPECT_EQ(items->state(), CursorState::Edit);
    EXPECT_EQ(items->field("Qty").asInteger(), 2); // typed, not yet written
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(items->field("Qty").asInteger(), 20);
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2"}));
    items->first(); // moving posts
    EXPECT_EQ(stored(), (Rows{"a 1", "b 20"}));
    EXPECT_EQ(shown(edit), "1");
}

TEST_F(BoundControls, EditWritesWhenLeftAndGivesBackTheValueOnEscOrRefusal) {
    QWidget window;
    auto* edit = new ui::DataEdit(*items, "Name", &window);
    auto* other = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    int exits = 0;
    QObject::connect(edit, &ui::DataEdit::exited, [&] { ++exits; });
    edit->setFocus();
    QTest::keyClicks(edit, "x");
    other->setFocus();
    EXPECT_EQ(items->field("Name").asString(), "ax");
    EXPECT_EQ(exits, 1);

    edit->setFocus();
    QTest::keyClicks(edit, "y");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(shown(*edit), "ax");

    items->cancel();
    items->events.beforeEdit = [](dataset::Cursor&) { throw core::SilentAbort(); };
    QTest::keyClicks(edit, "z");
    EXPECT_EQ(shown(*edit), "a");
    EXPECT_EQ(items->state(), CursorState::Browse);
    EXPECT_EQ(dialogs.shown, Shown{});
}

TEST_F(BoundControls, EditIsReadOnlyWhenItsFieldOrCursorIsAndEmptyWhenClosed) {
    ui::DataEdit edit(*items, "Name");
    EXPECT_FALSE(edit.isReadOnly());
    edit.setReadOnly(true);
    EXPECT_TRUE(edit.isReadOnly());
    edit.setReadOnly(false);
    ui::DataEdit key(*items, "ItemID");
    EXPECT_TRUE(key.isReadOnly());
    items->close();
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(shown(edit), "");
    items->open();
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(shown(edit), "a");
}

TEST_F(BoundControls, CheckBoxShowsAndTogglesItsField) {
    ui::DataCheckBox box(*items, "Turn");
    EXPECT_FALSE(box.isChecked()); // null
    box.click();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(items->state(), CursorState::Edit);
    EXPECT_TRUE(items->field("Turn").asBoolean());
    items->cancel();
    EXPECT_FALSE(box.isChecked());

    int clicks = 0;
    QObject::connect(&box, &QCheckBox::clicked, [&] { ++clicks; });
    box.setReadOnly(true);
    box.click();
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(clicks, 1); // the click is still told of
    box.setReadOnly(false);

    items->field("Turn").onValidate = [](dataset::Field&) { throw core::SilentAbort(); };
    box.click();
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(dialogs.shown, Shown{});

    items->close();
    box.click();
    EXPECT_FALSE(box.isChecked());
}
