// Numbers as a person reads them, whatever locale the C library has been given.
#include "core/NumberFormat.h"

#include "../support/TestLocales.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using rectix::core::NumberFormat;
using rectix::test::CLibraryLocale;

namespace {

struct Region {
    const char* locale;
    const char* separator;
};

void PrintTo(const Region& region, std::ostream* out) {
    *out << region.locale;
}

class NumberFormatIn : public ::testing::TestWithParam<Region> {
  protected:
    // `pointText` with the region's separator in place of the point.
    std::string in(std::string pointText) const {
        const auto at = pointText.find('.');
        if (at != std::string::npos) pointText.replace(at, 1, GetParam().separator);
        return pointText;
    }
};

} // namespace

// The C library writes the region's separator too, as it does once Qt has read the environment.
TEST_P(NumberFormatIn, ShowsTheRegionalSeparatorOnce) {
    const CLibraryLocale c(GetParam().locale);
    ASSERT_TRUE(c.active());
    ASSERT_EQ(CLibraryLocale::decimalPoint(), GetParam().separator);
    const NumberFormat shown(GetParam().separator);
    EXPECT_EQ(shown.pattern(99.36, "0.00"), in("99.36"));
    EXPECT_EQ(shown.pattern(1.1, "0.00"), in("1.10"));
    // A cost summed in single precision.
    EXPECT_EQ(shown.pattern(static_cast<double>(84.46f), "0.##"), in("84.46"));
    EXPECT_EQ(shown.pattern(2, "0.##"), "2");
    EXPECT_EQ(shown.fixed(12.25, 1), in("12.2"));
    EXPECT_EQ(shown.general(84.4599990844727), in("84.4599990844727"));
    EXPECT_EQ(shown.significant(-123456.78L, 5, 2), in("-1.2346") + "E5");
    // Typed with the region's separator or a point; what is no number stays as typed.
    EXPECT_EQ(shown.typedToStored(in("12.5")), "12.5");
    EXPECT_EQ(shown.typedToStored("12.5"), "12.5");
    EXPECT_EQ(shown.typedToStored("1,2,5"), "1,2,5");
}

INSTANTIATE_TEST_SUITE_P(Regions, NumberFormatIn,
                         ::testing::Values(Region{"C", "."}, Region{"fr_FR", ","}, Region{"it_IT", ","},
                                           Region{"de_DE", ","}, Region{"en_US", "."}),
                         [](const auto& region) { return std::string(region.param.locale); });

TEST(NumberFormat, StoredFormIgnoresTheCLibraryLocale) {
    const CLibraryLocale c("fr_FR");
    ASSERT_TRUE(c.active());
    const NumberFormat& stored = NumberFormat::point();
    EXPECT_EQ(stored.general(0.5), "0.5");
    EXPECT_EQ(stored.general(1e20), "1e+20");
    EXPECT_EQ(stored.fixed(85.5, 3), "85.500");
    EXPECT_EQ(stored.pattern(99.364, "0.00"), "99.36");
}

TEST(NumberFormat, SwitchedRegionGivesEachItsOwnForm) {
    const NumberFormat before = NumberFormat::regional();
    NumberFormat::setRegional(NumberFormat(","));
    EXPECT_EQ(NumberFormat::regional().pattern(1.1, "0.00"), "1,10");
    NumberFormat::setRegional(NumberFormat("."));
    EXPECT_EQ(NumberFormat::regional().pattern(1.1, "0.00"), "1.10");
    NumberFormat::setRegional(before);
    // An empty separator would run the digits together.
    EXPECT_EQ(NumberFormat("").decimalSeparator(), ".");
}

TEST(NumberFormat, PatternRoundsOnceAndKeepsItsText) {
    const NumberFormat comma(",");
    EXPECT_EQ(comma.pattern(-0.001, "0.##"), "0");
    EXPECT_EQ(comma.pattern(0.5, "#.##"), ",5");
    EXPECT_EQ(comma.pattern(3.14159, "~0.0 m"), "~3,1 m");
    EXPECT_EQ(comma.pattern(1e300, "0").size(), 301u); // every digit of the largest doubles
}
