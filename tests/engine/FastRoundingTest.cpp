#include "engine/FastRounding.h"

#include "core/Errors.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <random>

using rectix::engine::roundHalfEvenInline;

TEST(FastRounding, AgreesWithTheLibraryOnTiesFractionsAndLimits) {
    for (const long double x : {0.0L, -0.0L, 0.5L, 1.5L, 2.5L, -0.5L, -1.5L, -2.5L, 0.49999999999L,
                                1e15L + 0.5L, -1e15L - 0.5L, 9.1e18L, -9.1e18L})
        EXPECT_EQ(roundHalfEvenInline(x), rectix::core::roundHalfEven(x)) << static_cast<double>(x);
    std::mt19937_64 g(3);
    std::uniform_real_distribution<long double> d(-1e12L, 1e12L);
    for (int i = 0; i < 100000; ++i) {
        const long double x =
            i % 2 == 0 ? d(g)
                       : static_cast<long double>(static_cast<std::int64_t>(g() % 2000001) - 1000000) / 4;
        ASSERT_EQ(roundHalfEvenInline(x), rectix::core::roundHalfEven(x)) << static_cast<double>(x);
    }
    EXPECT_THROW(roundHalfEvenInline(1e19L), rectix::core::InvalidOpError);
}
