// A number field's text: in the regional form for a person, in the stored form for files, whatever
// locale the C library has been given.
#include "DatasetFixture.h"

#include "core/NumberFormat.h"
#include "dataset/Errors.h"

#include "../support/TestLocales.h"

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
