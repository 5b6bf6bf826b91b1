// Messages that carry a decimal number write it as the user's region does.
#include "core/NumberFormat.h"
#include "core/UiTexts.h"
#include "taskdb/ValueRanges.h"

#include <gtest/gtest.h>

namespace rectix::taskdb::test {

TEST(RegionalMessages, ARefusedCostShowsTheRegionalSeparator) {
    const ValueRange* cost = valueRange("tb", "Cost");
    ASSERT_NE(cost, nullptr);
    // The English text of the slot, as the language layer above writes it.
    core::UiTexts::global().messages[static_cast<int>(core::Msg::ValueOutside)] = "%1 %2 is outside %3..%4";
    core::NumberFormat::setRegional(core::NumberFormat(","));
    EXPECT_EQ(cost->refusal(-2.5), "Cost -2,5 is outside 0..1000000000");
    core::NumberFormat::setRegional(core::NumberFormat("."));
    EXPECT_EQ(cost->refusal(-2.5), "Cost -2.5 is outside 0..1000000000");
}

} // namespace rectix::taskdb::test
