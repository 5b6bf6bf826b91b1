// A number field's text: in the regional form for a person, in the stored form for files, whatever
// locale the C library has been given.
#include "DatasetFixture.h"

#include "core/NumberFormat.h"
#include "core/ScopeGuard.h"
#include "core/UiTexts.h"
#include "dataset/Errors.h"

#include "../support/TestLocales.h"

#include <cmath>

using namespace rectix::dataset;
using namespace rectix::dataset::test;
using rectix::core::NumberFormat;

namespace {

class FieldText : public DatasetTest {
  protected:
    void SetUp() override {
        DatasetTest::SetUp();
        parts = std::make_unique<Cursor>(*set, "parts");
        parts->open();
        addPart(*parts, "a", 1, 1);
        parts->edit();
    }
    void TearDown() override {
        NumberFormat::setRegional(NumberFormat());
        parts.reset();
        DatasetTest::TearDown();
    }
    Field& price() { return parts->field("Price"); }

    std::unique_ptr<Cursor> parts;
};

} // namespace

TEST_F(FieldText, ShowsTheRegionalSeparatorAndStoresAPointUnderACommaLocale) {
    const rectix::test::CLibraryLocale c("fr_FR");
    ASSERT_TRUE(c.active());
    NumberFormat::setRegional(NumberFormat(","));
    price().setDisplayFormat("0.00");
    EXPECT_EQ(price().displayText(Value(99.36)), "99,36");
    price().setDisplayFormat("");
    price().setFloat(static_cast<double>(84.46f));
    EXPECT_EQ(price().displayText(), "84,4599990844727");
    // The stored form reads back; a comma is no number in it.
    EXPECT_EQ(price().asString(), "84.4599990844727");
    price().setString(price().asString());
    EXPECT_DOUBLE_EQ(price().asFloat(), static_cast<double>(84.46f));
    EXPECT_THROW(price().setString("12,5"), FieldError);
}

// A refusal is the current language's text, naming the field by the column title the user sees.
TEST_F(FieldText, ARefusalSpeaksTheLanguageAndNamesTheColumnTitle) {
    auto& messages = rectix::core::UiTexts::global().messages;
    const auto kept = messages;
    const rectix::core::ScopeGuard restore([&] { messages = kept; });
    using rectix::core::Msg;
    for (Msg m : {Msg::NotAnInteger, Msg::NotAFloat, Msg::NotABoolean, Msg::NotADate})
        messages[static_cast<int>(m)] = std::to_string(static_cast<int>(m)) + ": %1 / %2";
    messages[static_cast<int>(Msg::OutOfFieldRange)] = "%2 %1 hors de %3..%4";
    parts->field("Len").setLabel("Longueur");
    const auto refusal = [&](const char* field, const std::string& typed) -> std::string {
        try {
            parts->field(field).setString(typed);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "taken";
    };
    EXPECT_EQ(refusal("Len", "60,5"), "149: 60,5 / Longueur");
    EXPECT_EQ(refusal("Len", "99999"), "Longueur 99999 hors de -32768..32767");
    // Without a title the field's name stands.
    EXPECT_EQ(refusal("Price", "1,2,5"), "150: 1,2,5 / Price");
    EXPECT_EQ(refusal("Turn", "peut-être"), "151: peut-être / Turn");
    EXPECT_EQ(refusal("Made", "2023-02-29"), "152: 2023-02-29 / Made");
}

// Zero has no sign: -0 written through a cursor shows and reads back as 0, as the table keeps it.
TEST_F(FieldText, ANegativeZeroIsZero) {
    for (const Value& typed : {Value(-0.0), Value("-0"), Value("-0.000")}) {
        price().setValue(typed);
        parts->post();
        EXPECT_EQ(price().displayText(), "0");
        EXPECT_EQ(price().asString(), "0");
        EXPECT_FALSE(std::signbit(price().asFloat()));
        parts->edit();
    }
}
