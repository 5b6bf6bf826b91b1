// Messages that carry a decimal number write it as the user's region does.
#include "core/NumberFormat.h"
#include "taskdb/ValueRanges.h"

#include <gtest/gtest.h>

namespace rectix::taskdb::test {

TEST(RegionalMessages, ARefusedCostShowsTheRegionalSeparator) {
    const ValueRange* cost = valueRange("tb", "Cost");
    ASSERT_NE(cost, nullptr);
    core::NumberFormat::setRegional(core::NumberFormat(","));
    EXPECT_EQ(cost->refusal(-2.5), "Cost -2,5 is outside 0..1000000000");
    core::NumberFormat::setRegional(core::NumberFormat("."));
    EXPECT_EQ(cost->refusal(-2.5), "Cost -2.5 is outside 0..1000000000");
}

} // namespace rectix::taskdb::test
