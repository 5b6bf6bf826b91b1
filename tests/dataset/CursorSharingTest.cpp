// Cursors over one table seeing each other's rows: what a cursor shows after rows were written
// through others is what it would show had it read the table afresh.
#include "DatasetFixture.h"

#include "dataset/Errors.h"
#include "dataset/Transaction.h"

#include <random>

using namespace rectix::dataset;
using namespace rectix::dataset::test;

namespace {

class Sharing : public DatasetTest {
  protected:
    void SetUp() override {
        DatasetTest::SetUp();
        owners = std::make_unique<Cursor>(*set, "owners");
        owners->open();
        for (const char* title : {"A", "B", "C"}) {
            owners->append();
            owners->field("Title").setString(title);
            owners->post();
        }
        owners->first();
        // Every way of seeing the table: in key order, in another order, and one owner's rows.
        byKey = std::make_unique<Cursor>(*set, "holds");
        byPart = std::make_unique<Cursor>(*set, "holds");
        byPart->orderByFields({"PartID", "OwnerID"});
        ofOwner = std::make_unique<Cursor>(*set, "holds");
        ofOwner->setMaster(*owners, {"OwnerID"});
        for (Cursor* c : cursors()) c->open();
    }
    void TearDown() override {
        ofOwner.reset();
        byPart.reset();
        byKey.reset();
        owners.reset();
        DatasetTest::TearDown();
    }
    std::vector<Cursor*> cursors() { return {byKey.get(), byPart.get(), ofOwner.get()}; }

    // The rows a cursor shows, each as its stored values, in its order.
    static std::vector<std::vector<Value>> shown(Cursor& c) {
        std::vector<std::vector<Value>> rows;
        const std::size_t n = c.recordCount();
        for (std::size_t i = 0; i < n; ++i) rows.push_back(c.rowValues(i));
        return rows;
    }
    // What a cursor set up as `c` shows when it reads the table now.
    std::vector<std::vector<Value>> fresh(Cursor& c) {
        Cursor again(*set, "holds");
        if (&c == byPart.get()) again.orderByFields({"PartID", "OwnerID"});
        if (&c == ofOwner.get()) again.setMaster(*owners, {"OwnerID"});
        again.open();
        return shown(again);
    }

    static void addHolding(Cursor& c, int owner, int part, int qty = 1) {
        c.append();
        c.field("OwnerID").setInteger(owner);
        c.field("PartID").setInteger(part);
        c.field("Qty").setInteger(qty);
        c.post();
    }

    std::unique_ptr<Cursor> owners, byKey, byPart, ofOwner;
};

} // namespace

TEST_F(Sharing, RowsWrittenThroughOtherCursorsShowAsAFreshReadShowsThem) {
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Cursor ownersWriter(*set, "owners"); // takes the master's row away from under it
    ownersWriter.open();
    const Transaction tx(*set); // nothing is made durable: a commit a step would only be slow
    for (int step = 0; step < 400; ++step) {
        if (pick(8) == 0) {
            if (pick(2) == 0) {
                if (ownersWriter.locate("OwnerID", owners->field("OwnerID").asInteger()))
                    ownersWriter.deleteRow();
            } else {
                ownersWriter.append();
                ownersWriter.field("Title").setString("N");
                ownersWriter.post();
            }
        }
        Cursor& writer = *cursors()[static_cast<std::size_t>(pick(2))]; // whole-table cursors
        const int owner = 1 + pick(5);
        const int part = 1 + pick(12);
        const auto found =
            writer.findRowid({"OwnerID", "PartID"}, {Value(std::int64_t{owner}), Value(std::int64_t{part})});
        if (!found) {
            addHolding(writer, owner, part, pick(50));
        } else {
            ASSERT_TRUE(writer.locate("OwnerID", owner, "PartID", part));
            if (pick(3) == 0) {
                writer.deleteRow();
            } else {
                // A new part moves the row in the part order.
                writer.edit();
                writer.field("Qty").setInteger(pick(50));
                if (pick(2) == 0 &&
                    !writer.findRowid({"OwnerID", "PartID"},
                                      {Value(std::int64_t{owner}), Value(std::int64_t{part + 20})}))
                    writer.field("PartID").setInteger(part + 20);
                writer.post();
            }
        }
        if (pick(10) == 0) owners->moveBy(pick(3) - 1);
        owners->recordCount(); // reads its table without moving: its detail follows where it stands
        for (Cursor* c : cursors()) ASSERT_EQ(shown(*c), fresh(*c)) << "step " << step;
    }
}

TEST_F(Sharing, ACursorStaysOnItsRowWhileOthersAddAndDeleteAroundIt) {
    for (int part : {10, 20, 30}) addHolding(*byKey, 1, part);
    ASSERT_TRUE(byPart->locate("PartID", 20));
    for (int part : {5, 15, 25}) addHolding(*byKey, 2, part);
    ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", 10));
    byKey->deleteRow();
    EXPECT_EQ(byPart->recordCount(), 5U);
    EXPECT_EQ(byPart->field("PartID").asInteger(), 20);
    const std::vector<Value> parts = byPart->columnValues("PartID");
    EXPECT_EQ(parts,
              (std::vector<Value>{Value(std::int64_t{5}), Value(std::int64_t{15}), Value(std::int64_t{20}),
                                  Value(std::int64_t{25}), Value(std::int64_t{30})}));
    byPart->next();
    EXPECT_EQ(byPart->field("PartID").asInteger(), 25);
}

TEST_F(Sharing, RowsRolledBackAreGoneFromEveryCursor) {
    addHolding(*byKey, 1, 1, 3);
    {
        Transaction tx(*set);
        addHolding(*byPart, 1, 2, 4);
        ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", 1));
        byKey->edit();
        byKey->field("Qty").setInteger(9);
        byKey->post();
        EXPECT_EQ(ofOwner->recordCount(), 2U);
    } // not committed
    for (Cursor* c : cursors()) EXPECT_EQ(shown(*c), fresh(*c));
    EXPECT_EQ(byPart->recordCount(), 1U);
    EXPECT_EQ(ofOwner->columnValues("Qty"), std::vector<Value>{Value(std::int64_t{3})});
}

TEST_F(Sharing, FindingARowidReadsTheWholeTableAndMovesNothing) {
    addHolding(*byKey, 2, 7);
    const Bookmark there = byKey->bookmark();
    ofOwner->first();
    EXPECT_EQ(ofOwner->recordCount(), 0U); // owner 1 holds nothing
    const auto found =
        ofOwner->findRowid({"OwnerID", "PartID"}, {Value(std::int64_t{2}), Value(std::int64_t{7})});
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, there.rowid);
    EXPECT_FALSE(ofOwner->findRowid({"OwnerID", "PartID"}, {Value(std::int64_t{1}), Value(std::int64_t{7})}));
    EXPECT_TRUE(ofOwner->eof());
}

TEST_F(Sharing, ACursorFarBehindReadsTheTableAgain) {
    ASSERT_EQ(byPart->recordCount(), 0U);
    Transaction tx(*set);
    for (int part = 1; part <= 600; ++part) addHolding(*byKey, 1 + part % 3, part, part % 7);
    for (Cursor* c : cursors()) EXPECT_EQ(shown(*c), fresh(*c));
    EXPECT_EQ(byPart->recordCount(), 600U);
    tx.commit();
}

// A cursor whose row another cursor deleted stands on the row that followed it, as after its own
// Delete; one whose row another cursor moved in its order stays on it. So whatever the rows before
// it did meanwhile, and whether it caught up by the rows written or read them all again.
TEST_F(Sharing, ACursorWhoseRowIsDeletedOrMovedElsewhereStandsAfterIt) {
    struct Case {
        int standsOn, movedTo; // 0: deleted
        int thenOn;
        bool eof;
    };
    for (const Case& t : {Case{20, 0, 30, false}, Case{40, 0, 30, true}, Case{20, 35, 35, false}})
        for (bool readAgain : {false, true}) {
            SCOPED_TRACE(testing::Message() << "part " << t.standsOn << (readAgain ? ", read again" : ""));
            set->emptyTable("holds");
            for (int part : {10, 20, 30, 40}) addHolding(*byKey, 1, part);
            ASSERT_TRUE(byPart->locate("PartID", t.standsOn));
            for (int part : {1, 2, 3}) addHolding(*byKey, 2, part);
            ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", 10));
            byKey->deleteRow();
            ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", t.standsOn));
            if (t.movedTo) {
                byKey->edit();
                byKey->field("PartID").setInteger(t.movedTo);
                byKey->post();
            } else {
                byKey->deleteRow();
            }
            if (readAgain) Transaction undone(*set); // a rollback has every cursor read its rows again
            EXPECT_EQ(byPart->recordCount(), t.movedTo ? 6U : 5U);
            EXPECT_EQ(byPart->field("PartID").asInteger(), t.thenOn);
            EXPECT_EQ(byPart->eof(), t.eof);
        }
}

// Bof after a catch-up: true on the first row of a cursor that showed none and on an emptied one,
// false on the row that followed a deleted one, as after the cursor's own Delete.
TEST_F(Sharing, BofAfterACatchUpIsAsAfterTheCursorsOwnMoves) {
    for (bool readAgain : {false, true}) {
        SCOPED_TRACE(readAgain ? "read again" : "caught up");
        set->emptyTable("holds");
        ASSERT_EQ(byPart->recordCount(), 0U);
        // The row it stands on, or 0 for none, and its ends.
        auto standsOn = [&](int part, bool bof, bool eof) {
            if (readAgain) Transaction undone(*set);
            byPart->recordCount();
            EXPECT_EQ(byPart->isEmpty() ? 0 : byPart->field("PartID").asInteger(), part);
            EXPECT_EQ(byPart->bof(), bof) << part;
            EXPECT_EQ(byPart->eof(), eof) << part;
        };
        for (int part : {10, 20}) addHolding(*byKey, 1, part);
        standsOn(10, true, false);
        ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", 10));
        byKey->deleteRow();
        standsOn(20, false, false);
        byKey->deleteRow();
        standsOn(0, true, true);
    }
}

// Delete and Edit take the row the cursor showed or refuse, never the row that took its place;
// Edit neither inserts where that row was the last.
TEST_F(Sharing, DeletingOrEditingARowDeletedElsewhereTouchesNoOther) {
    for (const bool edit : {false, true})
        for (const std::vector<int>& before : {std::vector<int>{10, 20, 30}, {20}}) {
            SCOPED_TRACE(testing::Message() << (edit ? "edit, " : "delete, ") << before.size() << " rows");
            set->emptyTable("holds");
            std::vector<Value> after;
            for (const int part : before) {
                addHolding(*byKey, 1, part);
                if (part != 20) after.emplace_back(part);
            }
            ASSERT_TRUE(byPart->locate("PartID", 20));
            ASSERT_TRUE(byKey->locate("OwnerID", 1, "PartID", 20));
            byKey->deleteRow();
            EXPECT_THROW(edit ? byPart->edit() : byPart->deleteRow(), DatabaseError);
            EXPECT_EQ(byPart->state(), CursorState::Browse);
            EXPECT_EQ(byPart->columnValues("PartID"), after);
        }
}
