#include "DatasetFixture.h"

#include "dataset/CursorObserver.h"
#include "dataset/Errors.h"

#include "core/Errors.h"
#include "core/ScopeGuard.h"
#include "core/UiTexts.h"

using namespace rectix::dataset;
using namespace rectix::dataset::test;
using rectix::core::SilentAbort;

namespace {

// Owners hold parts; a part's area is calculated, and a holding looks up its
// part's name and area.
class Links : public DatasetTest {
  protected:
    void SetUp() override {
        DatasetTest::SetUp();
        parts = std::make_unique<Cursor>(*set, "parts");
        parts->addCalcField("Area", FieldType::Double);
        parts->events.onCalcFields = [](Cursor& c) {
            c.field("Area").setFloat(c.field("Len").asFloat() * c.field("Wid").asFloat());
        };
        owners = std::make_unique<Cursor>(*set, "owners");
        holds = std::make_unique<Cursor>(*set, "holds");
        holds->setMaster(*owners, {"OwnerID"});
        holds->addLookupField(
            {"PartName", FieldType::String, 10, {"PartID"}, parts.get(), {"PartID"}, "Name"});
        holds->addLookupField(
            {"PartArea", FieldType::Double, 0, {"PartID"}, parts.get(), {"PartID"}, "Area"});
        holds->addCalcField("Total", FieldType::Double);
        holds->events.onCalcFields = [this](Cursor& c) {
            ++holdsCalcs;
            c.field("Total").setFloat(c.field("Qty").asInteger() * c.field("Cost").asFloat());
        };
        parts->open();
        owners->open();
        holds->open();
        addPart(*parts, "a", 2, 3);
        addPart(*parts, "b", 4, 5);
        addOwner("A");
        addOwner("B");
        owners->first();
        addHolding(1, 2, 1.5);
        addHolding(2, 1, 1.0);
        owners->next();
        addHolding(1, 4, 0.5);
        owners->first();
    }
    void TearDown() override {
        holds.reset();
        owners.reset();
        parts.reset();
        DatasetTest::TearDown();
    }
    void addOwner(const std::string& title) {
        owners->append();
        owners->field("Title").setString(title);
        owners->post();
    }
    void addHolding(int part, int qty, double cost) {
        holds->append();
        holds->field("PartID").setInteger(part);
        holds->field("Qty").setInteger(qty);
        holds->field("Cost").setFloat(cost);
        holds->post();
    }

    std::unique_ptr<Cursor> parts, owners, holds;
    int holdsCalcs = 0;
};

struct CountingView : CursorObserver {
    int scrolled = 0, data = 0, record = 0, state = 0;
    void cursorScrolled(Cursor&) override { ++scrolled; }
    void cursorDataChanged(Cursor&) override { ++data; }
    void cursorRecordChanged(Cursor&, const Field&) override { ++record; }
    void cursorStateChanged(Cursor&) override { ++state; }
};

} // namespace

TEST_F(Links, DetailFollowsEveryMoveOfTheMaster) {
    EXPECT_EQ(holds->recordCount(), 2u);
    std::size_t rowsSeenByMaster = 99;
    int detailScrolls = 0;
    owners->events.afterScroll = [&](Cursor&) { rowsSeenByMaster = holds->recordCount(); };
    holds->events.afterScroll = [&](Cursor&) { ++detailScrolls; };
    owners->next();
    EXPECT_EQ(rowsSeenByMaster, 1u); // the detail followed before the master's AfterScroll
    EXPECT_EQ(detailScrolls, 1);
    EXPECT_EQ(holds->field("OwnerID").asInteger(), 2);
    EXPECT_EQ(holds->field("Qty").asInteger(), 4);
    EXPECT_TRUE(owners->locate("OwnerID", 1));
    EXPECT_EQ(holds->recordCount(), 2u);
    owners->deleteRow(); // the next owner's rows follow
    EXPECT_EQ(holds->field("OwnerID").asInteger(), 2);

    // A new master row has no key yet: no detail rows until it is posted.
    owners->append();
    EXPECT_TRUE(holds->isEmpty());
    owners->field("Title").setString("C");
    owners->post();
    EXPECT_TRUE(holds->isEmpty());
    addHolding(2, 7, 1.0);
    EXPECT_EQ(holds->field("OwnerID").asInteger(), owners->field("OwnerID").asInteger());

    // A closed master leaves its detail empty; reopened, the detail follows.
    owners->close();
    EXPECT_TRUE(holds->isEmpty());
    owners->open();
    EXPECT_EQ(holds->recordCount(), 1u);
}

TEST_F(Links, NewDetailRowGetsTheMasterKeyAndIsPostedBeforeTheMasterMoves) {
    owners->last();
    std::int32_t keyInHandler = 0;
    holds->events.onNewRecord = [&](Cursor& c) { keyInHandler = c.field("OwnerID").asInteger(); };
    holds->append();
    EXPECT_EQ(keyInHandler, 2);
    EXPECT_FALSE(holds->modified());
    holds->field("PartID").setInteger(2);
    owners->first(); // the pending detail row is posted under its own master
    EXPECT_EQ(holds->recordCount(), 2u);
    owners->last();
    EXPECT_EQ(holds->recordCount(), 2u);
    EXPECT_TRUE(holds->locate("PartID", 2));
}

TEST_F(Links, LookupsReadTheSourceRowIncludingItsCalculatedFields) {
    EXPECT_EQ(holds->field("PartName").asString(), "a");
    EXPECT_DOUBLE_EQ(holds->field("PartArea").asFloat(), 6.0);
    EXPECT_DOUBLE_EQ(holds->field("Total").asFloat(), 3.0);

    // Another row's values, without moving.
    int moved = 0;
    holds->events.afterScroll = [&](Cursor&) { ++moved; };
    const auto row = holds->rowValues(1);
    EXPECT_EQ(row[4].text(), "b");
    EXPECT_DOUBLE_EQ(row[5].real(), 20.0);
    EXPECT_DOUBLE_EQ(row[6].real(), 1.0);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(holds->field("PartName").asString(), "a");

    // A changed key shows its row at once; a changed source row after Refresh.
    holds->edit();
    holds->field("PartID").setInteger(2);
    EXPECT_EQ(holds->field("PartName").asString(), "b");
    holds->cancel();
    parts->first();
    parts->edit();
    parts->field("Len").setInteger(10);
    parts->post();
    holds->refresh();
    EXPECT_DOUBLE_EQ(holds->field("PartArea").asFloat(), 30.0);

    parts->close();
    holds->refresh();
    EXPECT_TRUE(holds->field("PartName").isNull());
}

TEST_F(Links, ChoosingALookupValueSetsItsKey) {
    std::vector<int> validated;
    holds->field("PartID").onValidate = [&](Field& f) {
        validated.push_back(f.asInteger());
        // No second holding of the same part under one owner.
        Cursor probe(f.cursor().tableSet(), "holds");
        probe.open();
        if (probe.locate("OwnerID", f.cursor().field("OwnerID").asInteger(), "PartID", f.asInteger()))
            throw SilentAbort();
    };
    owners->last();
    holds->edit();
    holds->field("PartName").setString("b");
    EXPECT_EQ(holds->field("PartID").asInteger(), 2);
    EXPECT_DOUBLE_EQ(holds->field("PartArea").asFloat(), 20.0);
    holds->post();

    owners->first();
    holds->first();
    holds->edit();
    EXPECT_THROW(holds->field("PartName").setString("b"), SilentAbort); // owner A holds b already
    EXPECT_EQ(holds->field("PartID").asInteger(), 1);
    EXPECT_THROW(holds->field("PartName").setString("zz"), FieldError);
    EXPECT_EQ(holds->field("PartName").asString(), "a");
    // The refusal is the language's text and names the column the user sees.
    auto& messages = rectix::core::UiTexts::global().messages;
    const std::string kept = messages[static_cast<int>(rectix::core::Msg::NotAChoice)];
    const rectix::core::ScopeGuard restore(
        [&] { messages[static_cast<int>(rectix::core::Msg::NotAChoice)] = kept; });
    messages[static_cast<int>(rectix::core::Msg::NotAChoice)] = "%2 sans %1";
    holds->field("PartName").setLabel("Pièce");
    try {
        holds->field("PartName").setString("zz");
        ADD_FAILURE() << "took a value no part has";
    } catch (const FieldError& e) {
        EXPECT_STREQ(e.what(), "Pièce sans zz");
    }
    EXPECT_EQ(validated, (std::vector<int>{2, 2}));
}

TEST_F(Links, AutomaticCalculationCanBeSwitchedOff) {
    owners->last();
    holds->edit();
    holdsCalcs = 0;
    holds->field("Qty").setInteger(10);
    EXPECT_EQ(holdsCalcs, 1);
    EXPECT_DOUBLE_EQ(holds->field("Total").asFloat(), 5.0);

    holds->setAutoCalcFields(false);
    holds->field("Qty").setInteger(20);
    EXPECT_EQ(holdsCalcs, 1);
    EXPECT_DOUBLE_EQ(holds->field("Total").asFloat(), 5.0);
    holds->field("PartID").setInteger(2); // lookups still follow their key
    EXPECT_EQ(holds->field("PartName").asString(), "b");
    holds->post(); // reading the posted row calculates
    EXPECT_DOUBLE_EQ(holds->field("Total").asFloat(), 10.0);

    EXPECT_THROW(holds->field("Total").setFloat(1.0), DatabaseError); // not in edit state

    // A filter reads calculated fields of each candidate row.
    parts->setFilter([](const Cursor& c) { return c.field("Area").asFloat() > 10; });
    ASSERT_TRUE(parts->findFirst());
    EXPECT_EQ(parts->field("Name").asString(), "b");
}

TEST_F(Links, ViewsHearOfChangesUnlessDisabled) {
    CountingView view;
    holds->addObserver(&view);
    holds->next();
    EXPECT_EQ(view.scrolled, 1);
    holds->edit();
    holds->field("Qty").setInteger(3);
    EXPECT_EQ(view.record, 1);
    holds->post();
    EXPECT_EQ(view.state, 2);
    const int data = view.data;
    owners->next(); // the detail reads new rows
    EXPECT_EQ(view.data, data + 1);

    CountingView quiet;
    holds->removeObserver(&view);
    holds->addObserver(&quiet);
    holds->disableControls();
    holds->disableControls();
    owners->first();
    holds->last();
    holds->edit();
    holds->enableControls();
    EXPECT_EQ(quiet.scrolled + quiet.data + quiet.state, 0);
    holds->enableControls();
    EXPECT_EQ(quiet.scrolled, 0);
    EXPECT_EQ(quiet.data, 1);
    EXPECT_EQ(quiet.state, 1); // browse before, edit now
    holds->removeObserver(&quiet);
}

// A master whose row was deleted through another cursor comes to another row when it reads the
// table again, without a move of its own or before one that does not happen: it tells its details,
// views and AfterScroll as a move does, once.
struct CatchUpWay {
    const char* name;
    int standsOn, comesTo;
    std::size_t itsHoldings;
    void (*read)(Cursor&);
};

void PrintTo(const CatchUpWay& way, std::ostream* os) {
    *os << way.name;
}

class MasterCatchUp : public Links, public testing::WithParamInterface<CatchUpWay> {};

TEST_P(MasterCatchUp, TakesItsDetailsAlongOnce) {
    const CatchUpWay& way = GetParam();
    ASSERT_TRUE(owners->locate("OwnerID", way.standsOn));
    Cursor other(*set, "owners");
    other.open();
    ASSERT_TRUE(other.locate("OwnerID", way.standsOn));
    other.deleteRow();

    CountingView view;
    owners->addObserver(&view);
    const rectix::core::ScopeGuard unobserve([&] { owners->removeObserver(&view); });
    std::size_t detailRowsSeenByMaster = 99;
    int masterScrolls = 0, detailScrolls = 0;
    owners->events.afterScroll = [&](Cursor&) {
        ++masterScrolls;
        detailRowsSeenByMaster = holds->recordCount();
    };
    holds->events.afterScroll = [&](Cursor&) { ++detailScrolls; };
    way.read(*owners);
    way.read(*owners); // nothing new the second time
    EXPECT_EQ(owners->field("OwnerID").asInteger(), way.comesTo);
    EXPECT_EQ(holds->recordCount(), way.itsHoldings);
    EXPECT_EQ(masterScrolls, 1);
    EXPECT_EQ(detailScrolls, 1);
    EXPECT_EQ(detailRowsSeenByMaster, way.itsHoldings);
    EXPECT_EQ(view.scrolled + view.data, 1);

    addHolding(3, 7, 1.0); // takes the master's key and shows under it
    EXPECT_EQ(holds->recordCount(), way.itsHoldings + 1);
    EXPECT_EQ(holds->field("OwnerID").asInteger(), way.comesTo);
}

INSTANTIATE_TEST_SUITE_P(Ways, MasterCatchUp,
                         testing::Values(CatchUpWay{"Counting", 1, 2, 1, [](Cursor& c) { c.recordCount(); }},
                                         CatchUpWay{"NextAtTheEnd", 2, 1, 2, [](Cursor& c) { c.next(); }},
                                         CatchUpWay{"LocatingInVain", 1, 2, 1,
                                                    [](Cursor& c) { EXPECT_FALSE(c.locate("OwnerID", 9)); }},
                                         CatchUpWay{"FindingInVain", 1, 2, 1,
                                                    [](Cursor& c) {
                                                        c.setFilter([](const Cursor&) { return false; });
                                                        EXPECT_FALSE(c.findFirst());
                                                    }},
                                         CatchUpWay{"FindingNextInVain", 2, 1, 2, [](Cursor& c) {
                                                        c.setFilter([](const Cursor&) { return false; });
                                                        EXPECT_FALSE(c.findNext());
                                                    }}));
