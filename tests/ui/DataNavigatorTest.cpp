#include "ui/DataNavigator.h"
#include "DataTables.h"
#include "core/Errors.h"
#include "dataset/Errors.h"
#include "ui/DisplaySuspension.h"

#include <QTest>
#include <QToolButton>

using namespace rectix;
using Button = ui::DataNavigator::Button;
using Shown = std::vector<std::string>;
using Rows = std::vector<std::string>;

namespace {

// The enabled buttons, as letters: F P N L I D.
std::string enabled(const ui::DataNavigator& n) {
    std::string s;
    const char letters[] = "FPNLID";
    for (int b = 0; b < 6; ++b)
        if (n.button(static_cast<Button>(b))->isEnabled()) s += letters[b];
    return s;
}

class Navigator : public DataTables {};

} // namespace

TEST_F(Navigator, ButtonsFollowTheEndsOfTheRows) {
    ui::DataNavigator navigator(*items);
    EXPECT_EQ(enabled(navigator), "I"); // empty
    addItem("a", 1);
    addItem("b", 2);
    items->first();
    EXPECT_EQ(enabled(navigator), "NLID");
    QTest::mouseClick(navigator.button(Button::Last), Qt::LeftButton);
    EXPECT_EQ(items->field("Name").asString(), "b");
    EXPECT_EQ(enabled(navigator), "FPID");
    navigator.click(Button::Prior); // onto the first row
    EXPECT_EQ(enabled(navigator), "NLID");
    navigator.click(Button::Prior); // at the first row: Bof, without a move
    EXPECT_EQ(enabled(navigator), "NLID");
    {
        ui::DisplaySuspension suspended([&] { items->disableControls(); }, [&] { items->enableControls(); });
        items->last();
        EXPECT_EQ(enabled(navigator), "NLID");
    }
    EXPECT_EQ(enabled(navigator), "FPID");
    items->close();
    EXPECT_EQ(enabled(navigator), "");
}

TEST_F(Navigator, DeleteAsksFirst) {
    addItem("a", 1);
    addItem("b", 2);
    items->first();
    ui::DataNavigator navigator(*items);
    navigator.click(Button::Delete);
    EXPECT_EQ(dialogs.shown, Shown{"ask: Delete record?"});
    EXPECT_EQ(stored(), (Rows{"a 1", "b 2"}));

    dialogs.answer = core::DialogButton::Ok;
    navigator.click(Button::Delete);
    EXPECT_EQ(stored(), Rows{"b 2"});

    items->events.beforeDelete = [](dataset::Cursor&) { throw core::SilentAbort(); };
    navigator.click(Button::Delete);
    items->events.beforeDelete = [](dataset::Cursor&) { throw dataset::DatabaseError("Row is locked"); };
    navigator.click(Button::Delete);
    EXPECT_EQ(dialogs.shown, (Shown{"ask: Delete record?", "ask: Delete record?", "ask: Delete record?",
                                    "ask: Delete record?", "error: Row is locked"}));
    EXPECT_EQ(stored(), Rows{"b 2"});
}

TEST_F(Navigator, ShowsTheButtonsAskedForAndTellsOfClicksAfterTheAction) {
    ui::DataNavigator navigator(*items);
    navigator.setVisibleButtons({Button::First, Button::Prior, Button::Next, Button::Last});
    EXPECT_FALSE(navigator.button(Button::Last)->isHidden());
    EXPECT_TRUE(navigator.button(Button::Insert)->isHidden());
    EXPECT_TRUE(navigator.button(Button::Delete)->isHidden());

    std::vector<Button> clicked;
    QObject::connect(&navigator, &ui::DataNavigator::clicked, [&](Button b) {
        EXPECT_EQ(items->state(), dataset::CursorState::Insert);
        clicked.push_back(b);
    });
    navigator.click(Button::Insert);
    EXPECT_EQ(clicked, std::vector<Button>{Button::Insert});

    items->cancel();
    items->events.beforeInsert = [](dataset::Cursor&) { throw core::SilentAbort(); };
    navigator.click(Button::Insert); // refused: no click to tell of
    EXPECT_EQ(clicked.size(), 1u);
    EXPECT_EQ(dialogs.shown, Shown{});
}

TEST_F(Navigator, TheEndsCloseOnTheFirstAndLastRowsHoweverTheCursorGotThere) {
    addItem("a", 1);
    ui::DataNavigator navigator(*items);
    ASSERT_TRUE(items->locate("Qty", 1));
    EXPECT_EQ(enabled(navigator), "ID"); // the only row
    addItem("b", 2);
    addItem("c", 3);
    ASSERT_TRUE(items->locate("Qty", 3));
    EXPECT_EQ(enabled(navigator), "FPID");
    ASSERT_TRUE(items->locate("Qty", 1));
    EXPECT_EQ(enabled(navigator), "NLID");
    ASSERT_TRUE(items->locate("Qty", 2));
    EXPECT_EQ(enabled(navigator), "FPNLID");
}

// A disabled button's picture is as grey as a disabled caption, not the enabled black.
TEST_F(Navigator, DisabledPicturesAreGrey) {
    ui::DataNavigator navigator(*items);
    const QToolButton* next = navigator.button(Button::Next);
    const QImage normal = next->icon().pixmap(16, 16, QIcon::Normal).toImage();
    const QImage off = next->icon().pixmap(16, 16, QIcon::Disabled).toImage();
    auto darkest = [](const QImage& image) {
        int least = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 200) least = std::min(least, qGray(image.pixel(x, y)));
        return least;
    };
    EXPECT_LT(darkest(normal), 64);
    EXPECT_GT(darkest(off), 128);
}
