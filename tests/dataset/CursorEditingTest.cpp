#include "DatasetFixture.h"

#include "dataset/Errors.h"

#include "core/Errors.h"

using namespace rectix::dataset;
using namespace rectix::dataset::test;
using rectix::core::SilentAbort;

namespace {

class Editing : public DatasetTest {
  protected:
    void SetUp() override {
        DatasetTest::SetUp();
        parts = std::make_unique<Cursor>(*set, "parts");
        parts->open();
        addPart(*parts, "a", 1, 1);
        addPart(*parts, "b", 2, 2);
    }
    void TearDown() override {
        parts.reset();
        DatasetTest::TearDown();
    }
    void logEvents() {
        auto log = [this](const char* name) { return [this, name](Cursor&) { events.push_back(name); }; };
        auto& e = parts->events;
        e.beforeInsert = log("BeforeInsert");
        e.onNewRecord = log("OnNewRecord");
        e.afterInsert = log("AfterInsert");
        e.beforeEdit = log("BeforeEdit");
        e.beforePost = log("BeforePost");
        e.afterPost = log("AfterPost");
        e.beforeDelete = log("BeforeDelete");
        e.afterDelete = log("AfterDelete");
        e.afterScroll = log("AfterScroll");
        e.afterOpen = log("AfterOpen");
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }

    std::unique_ptr<Cursor> parts;
    std::vector<std::string> events;
};

using Log = std::vector<std::string>;
const auto refuse = [](Cursor&) { throw SilentAbort(); };

} // namespace

TEST_F(Editing, EventsFireInTheEnginesOrder) {
    logEvents();
    parts->close();
    parts->open();
    EXPECT_EQ(take(), (Log{"AfterOpen", "AfterScroll"}));
    parts->append();
    EXPECT_EQ(take(), (Log{"BeforeInsert", "OnNewRecord", "AfterInsert", "AfterScroll"}));
    parts->field("Name").setString("c");
    parts->post();
    EXPECT_EQ(take(), (Log{"BeforePost", "AfterPost"}));
    parts->edit();
    parts->field("Len").setInteger(5);
    parts->post();
    EXPECT_EQ(take(), (Log{"BeforeEdit", "BeforePost", "AfterPost"}));
    parts->deleteRow();
    EXPECT_EQ(take(), (Log{"BeforeDelete", "AfterDelete", "AfterScroll"}));
    // A move posts a modified record first.
    parts->edit();
    parts->field("Len").setInteger(6);
    parts->first();
    EXPECT_EQ(take(), (Log{"BeforeEdit", "BeforePost", "AfterPost", "AfterScroll"}));
}

TEST_F(Editing, RefusalsLeaveEverythingAsItWas) {
    parts->first();
    parts->events.beforeInsert = refuse;
    EXPECT_THROW(parts->append(), SilentAbort);
    EXPECT_EQ(parts->state(), CursorState::Browse);
    EXPECT_EQ(parts->field("Name").asString(), "a");

    parts->events.beforeInsert = nullptr;
    parts->events.onNewRecord = refuse;
    EXPECT_THROW(parts->insert(), SilentAbort);
    EXPECT_EQ(parts->state(), CursorState::Browse);
    EXPECT_EQ(parts->field("Name").asString(), "a");
    EXPECT_EQ(parts->recordCount(), 2u);

    parts->events.beforeEdit = refuse;
    EXPECT_THROW(parts->edit(), SilentAbort);
    EXPECT_EQ(parts->state(), CursorState::Browse);

    parts->events.beforeEdit = nullptr;
    parts->events.beforePost = refuse;
    parts->edit();
    parts->field("Name").setString("z");
    EXPECT_THROW(parts->post(), SilentAbort);
    EXPECT_EQ(parts->state(), CursorState::Edit);
    EXPECT_EQ(parts->field("Name").asString(), "z");
    parts->cancel();
    EXPECT_EQ(parts->field("Name").asString(), "a");

    parts->events.beforeDelete = refuse;
    EXPECT_THROW(parts->deleteRow(), SilentAbort);
    EXPECT_EQ(parts->recordCount(), 2u);
    EXPECT_EQ(parts->field("Name").asString(), "a");
    Cursor other(*set, "parts");
    other.open();
    EXPECT_EQ(other.recordCount(), 2u);
}

TEST_F(Editing, OnValidateSeesTheNewValueAndARefusalKeepsTheOld) {
    std::vector<int> seen;
    parts->field("Len").onValidate = [&](Field& f) {
        seen.push_back(f.asInteger());
        if (f.asInteger() + f.cursor().field("Wid").asInteger() > 10) throw SilentAbort();
    };
    parts->first();
    parts->edit();
    parts->field("Len").setInteger(7);
    EXPECT_THROW(parts->field("Len").setInteger(10), SilentAbort);
    EXPECT_EQ(parts->field("Len").asInteger(), 7);
    EXPECT_EQ(seen, (std::vector<int>{7, 10}));
    parts->post();
    EXPECT_EQ(parts->field("Len").asInteger(), 7);

    // A handler that drops the row's changes before refusing: the row is as stored.
    parts->field("Wid").onValidate = [](Field& f) {
        f.cursor().cancel();
        throw SilentAbort();
    };
    parts->edit();
    parts->field("Name").setString("changed");
    EXPECT_THROW(parts->field("Wid").setInteger(3), SilentAbort);
    EXPECT_EQ(parts->state(), CursorState::Browse);
    EXPECT_EQ(parts->field("Name").asString(), "a");
    EXPECT_EQ(parts->field("Wid").asInteger(), 1);
}

TEST_F(Editing, IntegerFieldsCheckTheirRange) {
    parts->first();
    parts->edit();
    EXPECT_THROW(parts->field("Len").setInteger(40000), rectix::core::RangeError);
    EXPECT_EQ(parts->field("Len").asInteger(), 1);
    parts->field("Len").setInteger(-32768);
    parts->field("Stock").setInteger(40000);
    EXPECT_THROW(parts->field("Stock").setInteger(3000000000LL), rectix::core::RangeError);
    EXPECT_THROW(parts->field("Len").setString("40000"), rectix::core::RangeError);
    parts->post();
    EXPECT_EQ(parts->field("Len").asInteger(), -32768);
    EXPECT_EQ(parts->field("Stock").asInteger(), 40000);
}

TEST_F(Editing, ValuesAreConvertedToTheFieldType) {
    parts->first();
    parts->edit();
    parts->field("Name").setString("ééééé-ééééé-x"); // at most 10 characters
    EXPECT_EQ(parts->field("Name").asString(), "ééééé-éééé");
    parts->field("Len").setString(" 12 ");
    EXPECT_EQ(parts->field("Len").asInteger(), 12);
    EXPECT_THROW(parts->field("Len").setString("12a"), FieldError);
    EXPECT_THROW(parts->field("Len").setFloat(2.5), FieldError);
    parts->field("Turn").setString("t");
    EXPECT_TRUE(parts->field("Turn").asBoolean());
    EXPECT_THROW(parts->field("Turn").setString("maybe"), FieldError);
    parts->field("Made").setString("2024-02-29");
    EXPECT_THROW(parts->field("Made").setString("2023-02-29"), FieldError);
    EXPECT_THROW(parts->field("Price").setFloat(std::numeric_limits<double>::infinity()),
                 rectix::core::InvalidOpError);
    parts->field("Price").setFloat(1.005);
    parts->field("Dir").setString("");
    EXPECT_TRUE(parts->field("Dir").isNull());
    parts->post();

    parts->close();
    parts->open();
    EXPECT_EQ(parts->field("Made").asDate(),
              CalendarDate(std::chrono::year(2024), std::chrono::February, std::chrono::day(29)));
    EXPECT_TRUE(parts->field("Turn").asBoolean());
    auto& price = parts->field("Price");
    price.setDisplayFormat("0.##");
    EXPECT_EQ(price.displayText(Value(2.0)), "2");
    EXPECT_EQ(price.displayText(Value(2.456)), "2.46");
    EXPECT_EQ(price.displayText(Value(-0.001)), "0");
    price.setDisplayFormat("0.00");
    EXPECT_EQ(price.displayText(Value(87.654)), "87.65");
    EXPECT_EQ(price.displayText(Value(3.0)), "3.00");
    EXPECT_EQ(price.label(), "Price");
}

TEST_F(Editing, RequiredFieldsAndConstraintsAreCheckedOnPost) {
    parts->field("Name").setRequired(true);
    parts->field("Dir").setConstraint(
        [](const Value& v) { return v.text() == "Length" || v.text() == "Width" || v.text() == "Either"; },
        "Choose a value from drop-down list");
    parts->append();
    parts->field("Dir").setString("Up");
    try {
        parts->post();
        FAIL() << "posted a row without its required name";
    } catch (const FieldError& e) {
        EXPECT_EQ(e.field(), "Name");
    }
    parts->field("Name").setString("c");
    try {
        parts->post();
        FAIL() << "posted a value outside the constraint";
    } catch (const FieldError& e) {
        EXPECT_STREQ(e.what(), "Choose a value from drop-down list");
    }
    EXPECT_EQ(parts->state(), CursorState::Insert);
    parts->field("Dir").setString("Width");
    parts->post();
    EXPECT_EQ(parts->recordCount(), 3u);
}

TEST_F(Editing, AutoIncrementKeysAreReadableAfterPostAndNeverReused) {
    EXPECT_THROW(parts->field("PartID").setInteger(5), DatabaseError); // not in edit state
    parts->edit();
    EXPECT_THROW(parts->field("PartID").setInteger(5), DatabaseError); // read-only
    parts->cancel();
    parts->last();
    parts->deleteRow();
    EXPECT_EQ(addPart(*parts, "c", 3, 3), 3);
}

TEST_F(Editing, ModifiedRecordsArePostedAndUnmodifiedOnesDropped) {
    parts->first();
    parts->edit();
    EXPECT_FALSE(parts->modified());
    parts->field("Wid").setInteger(9);
    EXPECT_TRUE(parts->modified());
    parts->next();
    parts->first();
    EXPECT_EQ(parts->field("Wid").asInteger(), 9);

    // Values set while the new record is made do not count as a change.
    parts->events.onNewRecord = [](Cursor& c) { c.field("Dir").setString("Length"); };
    parts->append();
    EXPECT_EQ(parts->field("Dir").asString(), "Length");
    EXPECT_FALSE(parts->modified());
    EXPECT_EQ(parts->currentIndex(), 2u);
    parts->first();
    EXPECT_EQ(parts->recordCount(), 2u);

    // Cancelling an insert returns to the row it stood on.
    parts->next();
    parts->insert();
    EXPECT_EQ(parts->currentIndex(), 1u);
    parts->field("Name").setString("x");
    parts->cancel();
    EXPECT_EQ(parts->field("Name").asString(), "b");

    // Edit on an empty cursor inserts.
    Cursor owners(*set, "owners");
    owners.open();
    owners.edit();
    EXPECT_EQ(owners.state(), CursorState::Insert);
}
