// The library commands over many rows: Copy to and Reset as one transaction each, and the
// task-row rules they go through.
#include "LibraryFixture.h"

#include "app/LibraryWindow.h"
#include "app/ProgressWindow.h"
#include "core/Errors.h"
#include "core/UiTexts.h"
#include "dataset/Transaction.h"

#include <QKeyEvent>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

using rectix::app::LibraryWindow;
using rectix::core::DialogButton;

class LibraryCommandsTest : public LibraryPageTest {
  protected:
    static void setQuantity(rectix::dataset::Cursor& library, std::int32_t id, const char* key,
                            const char* amount, int value) {
        ASSERT_TRUE(library.locate(key, id));
        library.edit();
        library.field(amount).setInteger(value);
        library.post();
    }

    template <typename F> void forEachBox(F f) {
        rectix::dataset::Cursor& c = dm->boxes;
        if (c.isEmpty()) return;
        for (c.first();; c.next()) {
            f();
            if (c.currentIndex() + 1 >= c.recordCount()) break;
        }
    }
};

} // namespace

namespace {

// Dialogs that fail as a disk that fills up would: the command is stopped where it asks.
class FailingDialogs : public rectix::core::Dialogs {
  public:
    FailingDialogs() : replaced_(install(this)) {}
    ~FailingDialogs() override { install(replaced_); }
    FailingDialogs(const FailingDialogs&) = delete;
    FailingDialogs& operator=(const FailingDialogs&) = delete;

    DialogButton show(rectix::core::DialogKind, const std::string&, rectix::core::DialogButtons,
                      int) override {
        throw std::runtime_error("stopped part-way");
    }
    void errorBox(const std::string&) override {}
    void plainMessage(const std::string&) override {}

  private:
    rectix::core::Dialogs* replaced_;
};

} // namespace

TEST_F(LibraryCommandsTest, CopyToWritesOnlyTheTaskTheTypeAndTheQuantity) {
    const std::int32_t pallet = addBox("Pallet", 120, 80);
    const std::int32_t truck = addContainer("Truck", 1360, 245);
    addTask("Shipment");
    setQuantity(dm->boxes, pallet, "KindID", "Total", 3);
    dm->boxes.edit();
    dm->boxesCost.setFloat(7.5);
    dm->boxes.post();
    setQuantity(dm->conts, truck, "TypeID", "Avail", 2);
    dm->conts.edit();
    dm->contsCost.setFloat(900);
    dm->conts.post();
    boxLibrary()->moveButtonClick();
    containerLibrary()->moveButtonClick();
    ASSERT_TRUE(dm->tb.locate("KindID", pallet));
    EXPECT_EQ(dm->tbTotal.asInteger(), 3);
    EXPECT_EQ(dm->tbCost.asFloat(), 0.0); // the cost of a new row, not the library's
    ASSERT_TRUE(dm->tc.locate("TypeID", truck));
    EXPECT_EQ(dm->tcAvail.asInteger(), 2);
    EXPECT_EQ(dm->tcCost.asFloat(), 0.0);
}

TEST_F(LibraryCommandsTest, CopyToLeavesOutARowPastTheTaskTotalAndCopiesTheOthers) {
    const std::int32_t a = addBox("A", 10, 10);
    const std::int32_t b = addBox("B", 10, 10);
    const std::int32_t c = addBox("C", 10, 10);
    addTask("Shipment");
    setQuantity(dm->boxes, a, "KindID", "Total", 30000);
    setQuantity(dm->boxes, b, "KindID", "Total", 3000);
    setQuantity(dm->boxes, c, "KindID", "Total", 5);
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Ok};
    boxLibrary()->moveButtonClick();
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0], "error: " + rectix::core::messageText(39) + "32767");
    EXPECT_EQ(rows(dm->tb), 2);
    EXPECT_TRUE(dm->tb.locate("KindID", a));
    EXPECT_FALSE(dm->tb.locate("KindID", b));
    EXPECT_TRUE(dm->tb.locate("KindID", c));
    EXPECT_EQ(store().totalBoxes, 30005);
}

// A kill or an error part-way leaves neither stamps nor copied rows of the command behind.
TEST_F(LibraryCommandsTest, ACopyStoppedPartWayLeavesTheTaskAndTheLibraryAsTheyWere) {
    const std::int32_t a = addBox("A", 10, 10);
    const std::int32_t b = addBox("B", 10, 10);
    const std::int32_t c = addBox("C", 10, 10);
    addTask("Shipment");
    addTaskBox(c, 2);
    setQuantity(dm->boxes, a, "KindID", "Total", 30000);
    setQuantity(dm->boxes, b, "KindID", "Total", 3000); // refused: its question fails
    setQuantity(dm->boxes, c, "KindID", "Total", 5);
    LibraryWindow* w = boxLibrary();
    {
        FailingDialogs failing;
        EXPECT_THROW(w->moveButtonClick(), std::runtime_error);
    }
    EXPECT_EQ(dm->tb.state(), rectix::dataset::CursorState::Browse);
    ASSERT_EQ(rows(dm->tb), 1);
    EXPECT_EQ(dm->tbKindID.asInteger(), c);
    EXPECT_EQ(dm->tbTotal.asInteger(), 2);
    forEachBox([&] { EXPECT_TRUE(dm->boxesTaskID.isNull()) << dm->boxesKind.asString(); });
    // As the table files hold them, not only as the cursors show them.
    dm->tb.refresh();
    EXPECT_EQ(rows(dm->tb), 1);
}

TEST_F(LibraryCommandsTest, EscStopsALongResetAndLeavesEveryQuantity) {
    {
        const bool mode = std::exchange(store().boxEditMode, true);
        rectix::dataset::Transaction tx(dm->db);
        for (int i = 0; i < 2500; ++i) {
            dm->boxes.append();
            dm->boxesKind.setString("Kind " + std::to_string(i));
            dm->boxesLength.setInteger(10);
            dm->boxesWidth.setInteger(10);
            dm->boxesWeight.setInteger(10);
            dm->boxesTotal.setInteger(1 + i % 3);
            dm->boxes.post();
        }
        tx.commit();
        store().boxEditMode = mode;
    }
    addTask("Shipment");
    LibraryWindow* w = boxLibrary();
    QCoreApplication::postEvent(start.waitForm(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_THROW(w->resetButtonClick(), rectix::core::SilentAbort);
    EXPECT_FALSE(start.waitForm()->isVisible());
    int kinds = 0;
    forEachBox([&] {
        const int i = std::stoi(dm->boxesKind.asString().substr(5));
        EXPECT_EQ(dm->boxesTotal.asInteger(), 1 + i % 3) << i;
        ++kinds;
    });
    EXPECT_EQ(kinds, 2500);

    // Without Esc it runs to the end.
    w->resetButtonClick();
    forEachBox([&] { EXPECT_EQ(dm->boxesTotal.asInteger(), 0); });
}

TEST_F(LibraryCommandsTest, AKindJustCopiedIsRefusedAsASecondRowOfTheTask) {
    const std::int32_t pallet = addBox("Pallet", 120, 80);
    addTask("Shipment");
    setQuantity(dm->boxes, pallet, "KindID", "Total", 3);
    boxLibrary()->moveButtonClick();
    dialogs.shown.clear();
    dialogs.answers = {DialogButton::Ok};
    dm->tb.append();
    EXPECT_THROW(dm->tbKindID.setInteger(pallet), rectix::core::SilentAbort);
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0], "error: " + rectix::core::messageText(rectix::core::Msg::DuplicateBoxKind));
    dm->tb.cancel();
    EXPECT_EQ(rows(dm->tb), 1);
}
