#include "DatasetFixture.h"

#include "dataset/Errors.h"
#include "dataset/Transaction.h"

using namespace rectix::dataset;
using namespace rectix::dataset::test;

namespace {

std::vector<std::string> names(Cursor& c) {
    std::vector<std::string> out;
    for (c.first(); !c.eof(); c.next()) out.push_back(c.field("Name").asString());
    return out;
}

class Navigation : public DatasetTest {
  protected:
    void SetUp() override {
        DatasetTest::SetUp();
        parts = std::make_unique<Cursor>(*set, "parts");
        parts->open();
        addPart(*parts, "c", 3, 1);
        addPart(*parts, "a", 1, 3);
        addPart(*parts, "b", 2, 2);
        parts->events.afterScroll = [this](Cursor&) { ++scrolls; };
    }
    void TearDown() override {
        parts.reset();
        DatasetTest::TearDown();
    }
    std::unique_ptr<Cursor> parts;
    int scrolls = 0;
};

} // namespace

TEST_F(Navigation, OrdersByKeyIndexOrFields) {
    EXPECT_EQ(names(*parts), (std::vector<std::string>{"c", "a", "b"}));

    Cursor byName(*set, "parts");
    byName.orderByIndex("Name_ind");
    byName.open();
    EXPECT_EQ(names(byName), (std::vector<std::string>{"a", "b", "c"}));

    Cursor byWid(*set, "parts");
    byWid.orderByFields({"Wid"});
    byWid.open();
    EXPECT_EQ(names(byWid), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_THROW(byWid.orderByIndex("Name_ind"), DatabaseError); // only while closed

    // A posted row takes its place in the order and stays current.
    byName.first();
    byName.edit();
    byName.field("Name").setString("d");
    byName.post();
    EXPECT_EQ(byName.field("Name").asString(), "d");
    EXPECT_EQ(byName.currentIndex(), 2u);
    byName.next();
    EXPECT_TRUE(byName.eof());
    EXPECT_EQ(names(byName), (std::vector<std::string>{"b", "c", "d"}));
}

TEST_F(Navigation, EndsOfTheRows) {
    parts->first();
    EXPECT_TRUE(parts->bof());
    EXPECT_FALSE(parts->eof());
    EXPECT_EQ(scrolls, 1);
    parts->next();
    parts->next();
    EXPECT_FALSE(parts->eof());
    EXPECT_EQ(parts->field("Name").asString(), "b");
    parts->next(); // past the last row: Eof, no move, no AfterScroll
    EXPECT_TRUE(parts->eof());
    EXPECT_EQ(parts->field("Name").asString(), "b");
    EXPECT_EQ(scrolls, 3);
    parts->last();
    EXPECT_TRUE(parts->eof());
    parts->prior();
    EXPECT_FALSE(parts->eof());
    EXPECT_FALSE(parts->bof());
    parts->prior();
    parts->prior();
    EXPECT_TRUE(parts->bof());
    EXPECT_EQ(parts->field("Name").asString(), "c");
    EXPECT_EQ(parts->recordCount(), 3u);

    scrolls = 0;
    parts->moveBy(2); // one step of two rows
    EXPECT_EQ(parts->field("Name").asString(), "b");
    EXPECT_EQ(scrolls, 1);
    parts->moveBy(-5); // stops at the first row
    EXPECT_EQ(parts->field("Name").asString(), "c");
    EXPECT_TRUE(parts->bof());
    parts->moveBy(5);
    EXPECT_TRUE(parts->eof());
    EXPECT_EQ(parts->field("Name").asString(), "b");
    EXPECT_EQ(scrolls, 3);

    Cursor owners(*set, "owners");
    owners.open();
    EXPECT_TRUE(owners.isEmpty());
    owners.first();
    EXPECT_TRUE(owners.bof() && owners.eof());
    EXPECT_TRUE(owners.field("Title").isNull());
    EXPECT_THROW(owners.deleteRow(), DatabaseError);
}

TEST_F(Navigation, LocateByOneOrTwoFields) {
    Cursor holds(*set, "holds");
    holds.open();
    for (int owner = 1; owner <= 3; ++owner)
        for (int part = 1; part <= 3; ++part) {
            holds.append();
            holds.field("OwnerID").setInteger(owner);
            holds.field("PartID").setInteger(part);
            holds.field("Qty").setInteger(owner * 10 + part);
            holds.post();
        }
    // The key's fields, in either order, and a field outside the order.
    EXPECT_TRUE(holds.locate("OwnerID", 2, "PartID", 3));
    EXPECT_EQ(holds.field("Qty").asInteger(), 23);
    EXPECT_TRUE(holds.locate("PartID", 1, "OwnerID", 3));
    EXPECT_EQ(holds.field("Qty").asInteger(), 31);
    EXPECT_TRUE(holds.locate("OwnerID", 2));
    EXPECT_EQ(holds.field("Qty").asInteger(), 21); // the first in the order
    EXPECT_TRUE(holds.locate("PartID", 2));
    EXPECT_EQ(holds.field("Qty").asInteger(), 12);
    EXPECT_TRUE(holds.locate("Qty", 33));
    EXPECT_EQ(holds.field("OwnerID").asInteger(), 3);

    int moved = 0;
    holds.events.afterScroll = [&](Cursor&) { ++moved; };
    EXPECT_FALSE(holds.locate("OwnerID", 4, "PartID", 1));
    EXPECT_FALSE(holds.locate("Qty", 99));
    EXPECT_EQ(holds.field("Qty").asInteger(), 33);
    EXPECT_EQ(moved, 0);
    EXPECT_THROW(holds.locate("Nothing", 1), DatabaseError);
}

TEST_F(Navigation, FindFirstAndFindNextWalkTheMatches) {
    parts->last();
    parts->setFilter([](const Cursor& c) { return c.field("Len").asInteger() >= 2; });
    std::vector<std::string> found;
    for (bool ok = parts->findFirst(); ok; ok = parts->findNext())
        found.push_back(parts->field("Name").asString());
    EXPECT_EQ(found, (std::vector<std::string>{"c", "b"}));

    scrolls = 0;
    parts->setFilter([](const Cursor& c) { return c.field("Len").asInteger() > 5; });
    EXPECT_FALSE(parts->findFirst());
    EXPECT_EQ(parts->field("Name").asString(), "b");
    EXPECT_EQ(scrolls, 0);
    // The filter hides no row.
    EXPECT_EQ(parts->recordCount(), 3u);
}

TEST_F(Navigation, RefreshShowsWhatAnotherCursorPosted) {
    Cursor other(*set, "parts");
    other.open();
    other.first();
    EXPECT_EQ(other.field("Name").asString(), "c");

    parts->first();
    parts->edit();
    parts->field("Name").setString("changed");
    parts->post();
    addPart(*parts, "new", 9, 9);

    // Rows are read again at the next count or move; the current row's values
    // when the cursor comes to the row or is refreshed.
    EXPECT_EQ(other.field("Name").asString(), "c");
    EXPECT_EQ(other.recordCount(), 4u);
    other.refresh();
    EXPECT_EQ(other.field("Name").asString(), "changed");
    other.last();
    EXPECT_EQ(other.field("Name").asString(), "new");

    parts->last();
    parts->deleteRow();
    other.refresh(); // its row is gone: it stands where the row was, on the last one
    EXPECT_EQ(other.field("Name").asString(), "b");
}

TEST_F(Navigation, Bookmarks) {
    parts->locate("PartID", 2);
    Bookmark mark = parts->bookmark();
    ASSERT_TRUE(mark.valid);
    parts->last();
    parts->gotoBookmark(mark);
    EXPECT_EQ(parts->field("Name").asString(), "a");
    EXPECT_TRUE(parts->bookmarkValid(mark));

    Cursor other(*set, "parts");
    other.open();
    other.locate("PartID", 2);
    other.deleteRow();
    EXPECT_FALSE(parts->bookmarkValid(mark));
    parts->last();
    EXPECT_THROW(parts->gotoBookmark(mark), DatabaseError);
    EXPECT_EQ(parts->field("Name").asString(), "b");
    parts->freeBookmark(mark);
    EXPECT_FALSE(mark.valid);
}

TEST_F(Navigation, AfterDeleteTheCursorStandsOnTheNextRowOrTheNewLast) {
    parts->first();
    parts->deleteRow(); // c: the next row follows
    EXPECT_EQ(parts->field("Name").asString(), "a");
    EXPECT_FALSE(parts->eof());
    parts->last();
    parts->deleteRow(); // b, the last: the new last row, at the end
    EXPECT_EQ(parts->field("Name").asString(), "a");
    EXPECT_TRUE(parts->eof());
    parts->deleteRow();
    EXPECT_TRUE(parts->isEmpty());
    EXPECT_TRUE(parts->bof() && parts->eof());

    // A forward scan deleting some rows meets every row once.
    {
        Transaction tx(*set);
        for (int i = 1; i <= 7; ++i) addPart(*parts, "p" + std::to_string(i), i, 1);
        tx.commit();
    }
    std::vector<int> seen;
    parts->first();
    while (!parts->eof()) {
        const int len = parts->field("Len").asInteger();
        seen.push_back(len);
        if (len % 2 == 1)
            parts->deleteRow();
        else
            parts->next();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(names(*parts), (std::vector<std::string>{"p2", "p4", "p6"}));
}
