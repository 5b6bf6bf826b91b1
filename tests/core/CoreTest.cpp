#include "core/Checked.h"
#include "core/Dialogs.h"
#include "core/Random.h"
#include "core/Rounding.h"
#include "core/Slots.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace rectix::core;

// Expected draws worked out from state := state x 134775813 + 1, draw := (state x n) >> 32.
TEST(Random, FirstDrawsFromZeroState) {
    Random r;
    EXPECT_EQ(r.next(10), 0);     // state 1
    EXPECT_EQ(r.next(100), 3);    // state 134775814
    EXPECT_EQ(r.next(1000), 861); // state 3698175007
    EXPECT_EQ(r.state(), 3698175007u);
    EXPECT_EQ(r.next(9999), 2025); // state 870078620
}

TEST(Random, SeedingRestartsTheSequence) {
    Random r;
    r.seed(std::uint32_t{1});
    EXPECT_EQ(r.next(9999), 313);
    EXPECT_EQ(r.next(9999), 8609);
    r.seed(1LL);
    EXPECT_EQ(r.next(9999), 313);
    // A negative seed sum keeps its low 32 bits.
    r.seed(-1LL);
    EXPECT_EQ(r.state(), 0xFFFFFFFFu);
}

TEST(Random, DrawsStayInRange) {
    Random r;
    for (int i = 0; i < 10000; ++i) {
        const int v = r.next(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
    }
    EXPECT_EQ(r.next(0), 0);
}

TEST(Rounding, HalfToEven) {
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(-3.5L), -4);
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(2.4999L), 2);
    EXPECT_EQ(roundHalfEven(2.5001L), 3);
    EXPECT_THROW(roundHalfEven(1e30L), InvalidOpError);
}

TEST(Rounding, DivisionByZeroIsAnError) {
    EXPECT_THROW(fdiv(1.0L, 0.0L), ZeroDivideError);
    EXPECT_THROW(fdiv(0.0L, 0.0L), InvalidOpError);
    EXPECT_DOUBLE_EQ(static_cast<double>(fdiv(1.0L, 4.0L)), 0.25);
    EXPECT_THROW(toF32(1e300L), OverflowError);
}

TEST(Checked, NarrowingThrowsOutsideTheRange) {
    EXPECT_EQ(toI16(32767), 32767);
    EXPECT_EQ(toI16(-32768), -32768);
    EXPECT_THROW(toI16(32768), RangeError);
    EXPECT_THROW(toI16(-32769), RangeError);
    EXPECT_THROW(toI32(2147483648LL), RangeError);
    EXPECT_EQ(toI32(-2147483648LL), INT32_MIN);
}

TEST(Checked, ArithmeticThrowsInsteadOfWrapping) {
    EXPECT_THROW(checkedAdd<std::int32_t>(INT32_MAX, 1), OverflowError);
    EXPECT_THROW(checkedSub<std::int32_t>(INT32_MIN, 1), OverflowError);
    EXPECT_THROW(checkedMul<std::int32_t>(65536, 65536), OverflowError);
    EXPECT_THROW(checkedDiv<std::int32_t>(5, 0), ZeroDivideError);
    EXPECT_THROW(checkedDiv<std::int32_t>(INT32_MIN, -1), OverflowError);
    EXPECT_EQ(checkedDiv<std::int32_t>(-7, 2), -3); // truncates toward zero
    EXPECT_THROW(add16(32000, 800), RangeError);
    EXPECT_EQ(add32(2, 3), 5);
}

TEST(Slots, IndexesAreCheckedAtBothEnds) {
    Slots<int, 0, 25> s;
    s[0] = 1;
    s[25] = 2;
    EXPECT_EQ(s[25], 2);
    EXPECT_THROW(s[26], RangeError);
    EXPECT_THROW(s[-1], RangeError);
    Slots<int, 1, 3> t;
    EXPECT_THROW(t[0], RangeError);
}

// Without installed dialogs nothing is shown and a question counts as closed, which refuses;
// installed dialogs answer until the ones they replaced come back.
TEST(Dialogs, UninstalledDialogsRefuseAndInstallingNests) {
    struct Accepting : Dialogs {
        DialogButton show(DialogKind, const std::string&, DialogButtons, int) override {
            return DialogButton::Ok;
        }
        void errorBox(const std::string&) override {}
        void plainMessage(const std::string&) override {}
    };
    Dialogs* const outer = Dialogs::install(nullptr);
    EXPECT_EQ(Dialogs::current().show(DialogKind::Warning, "?", DialogButton::Ok | DialogButton::Ignore, 0),
              DialogButton::Cancel);
    Accepting first, second;
    EXPECT_EQ(Dialogs::install(&first), nullptr);
    EXPECT_EQ(Dialogs::install(&second), &first);
    EXPECT_EQ(Dialogs::install(&first), &second);
    EXPECT_EQ(&Dialogs::current(), &first);
    EXPECT_EQ(Dialogs::current().show(DialogKind::Confirmation, "?", DialogButton::Ok, 0), DialogButton::Ok);
    Dialogs::install(outer);
}
