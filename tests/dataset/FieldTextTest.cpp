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

TEST_F(FieldText, ShowsTheRegionalSeparatorUnderACommaLocale) {
    const rectix::test::CLibraryLocale c("fr_FR");
    ASSERT_TRUE(c.active());
    NumberFormat::setRegional(NumberFormat(","));
    price().setDisplayFormat("0.00");
    price().setFloat(99.36);
    EXPECT_EQ(price().displayText(), "99,36");
    EXPECT_EQ(price().displayText(Value(1.1)), "1,10");
    price().setDisplayFormat("");
    price().setFloat(static_cast<double>(84.46f));
    EXPECT_EQ(price().displayText(), "84,4599990844727");
    // The same process shown with a point.
    NumberFormat::setRegional(NumberFormat("."));
    EXPECT_EQ(price().displayText(), "84.4599990844727");
}

TEST_F(FieldText, StoredTextKeepsAPointAndReadsBack) {
    const rectix::test::CLibraryLocale c("de_DE");
    ASSERT_TRUE(c.active());
    NumberFormat::setRegional(NumberFormat(","));
    price().setFloat(12.5);
    EXPECT_EQ(price().asString(), "12.5");
    price().setString(price().asString());
    EXPECT_DOUBLE_EQ(price().asFloat(), 12.5);
    // A comma is no number in the stored form.
    EXPECT_THROW(price().setString("12,5"), FieldError);
}
