// The long-operation frame: each option is taken for the frame's lifetime and given back on
// every path, whether the work fails or taking another option fails halfway.
#include "TaskDbFixture.h"

#include "taskdb/OperationFrame.h"

#include "core/Errors.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace rectix::taskdb::test {

namespace {

// Records the windows' state; the call numbered failAt (from 1) throws instead.
struct FailingWindows : OperationView {
    int failAt = 0;
    int calls = 0;
    bool busy = false, shown = false, pageEnabled = true, settingsEnabled = true;
    int eventsLetThrough = 0;

    void setBusyCursor(bool on) override { step(), busy = on; }
    void showProgress(bool on) override { step(), shown = on; }
    void setPageEnabled(bool on) override { step(), pageEnabled = on; }
    void setSettingsEnabled(bool on) override { step(), settingsEnabled = on; }
    void letEventsThrough() override { step(), ++eventsLetThrough; }

    void step() {
        if (++calls == failAt) throw std::runtime_error("window gone");
    }
};

struct Option {
    std::string name;
    std::function<void(OperationFrame::Options&)> take;
    // Whether it is taken now (true) or given back (false).
    std::function<bool()> taken;
};

} // namespace

class OperationFrameTest : public TaskDbTest {
  protected:
    std::vector<Option> options() {
        return {
            {"exclusive", [](auto& o) { o.exclusive(); }, [] { return OperationFrame::running(); }},
            {"progress", [](auto& o) { o.progress(); }, [this] { return windows.shown; }},
            {"busyCursor", [](auto& o) { o.busyCursor(); }, [this] { return windows.busy; }},
            {"pageDisabled", [](auto& o) { o.pageDisabled(); }, [this] { return !windows.pageEnabled; }},
            {"settingsDisabled", [](auto& o) { o.settingsDisabled(); },
             [this] { return !windows.settingsEnabled; }},
            {"controlsOff",
             [this](auto& o) {
                 o.controlsOff({&dm->tc, &dm->tb});
             },
             [this] { return dm->tc.controlsDisabled() || dm->tb.controlsDisabled(); }},
            {"calcFieldsOff", [this](auto& o) { o.calcFieldsOff({&dm->solut}); },
             [this] { return !dm->solut.autoCalcFields(); }},
        };
    }

    FailingWindows windows;
};

TEST_F(OperationFrameTest, EachOptionIsHeldWhileTheFrameLivesAndGivenBackWhenTheWorkFails) {
    for (const Option& option : options()) {
        OperationFrame::Options o;
        option.take(o);
        EXPECT_THROW(
            {
                const OperationFrame frame(windows, o);
                EXPECT_TRUE(option.taken()) << option.name;
                EXPECT_TRUE(OperationFrame::active());
                throw core::RangeError("Range check error");
            },
            core::RangeError);
        EXPECT_FALSE(option.taken()) << option.name;
        EXPECT_FALSE(OperationFrame::active());
    }
}

// Every option at once; the windows fail at each of their calls in turn. A failure in taking
// one gives back what was taken; a failure in giving one back still gives back all the others,
// and the error passes on.
TEST_F(OperationFrameTest, AFailureAtAnyPointGivesEveryOptionBack) {
    const auto all = [this] {
        OperationFrame::Options o;
        for (const Option& option : options()) option.take(o);
        return o.letEventsThrough();
    };
    windows.failAt = 0;
    { const OperationFrame frame(windows, all()); }
    const int steps = windows.calls;
    ASSERT_EQ(steps, 10); // four windows taken and given back, events let through twice

    for (int failAt = 1; failAt <= steps; ++failAt) {
        windows = FailingWindows{};
        windows.failAt = failAt;
        bool workRan = false;
        try {
            const OperationFrame frame(windows, all());
            workRan = true;
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(workRan, failAt > 5) << "failing at call " << failAt;
        const std::map<int, std::string> failedGivingBack = {
            {7, "settingsDisabled"}, {8, "pageDisabled"}, {9, "busyCursor"}, {10, "progress"}};
        const auto failed = failedGivingBack.find(failAt);
        for (const Option& option : options())
            EXPECT_EQ(option.taken(), failed != failedGivingBack.end() && failed->second == option.name)
                << option.name << " at " << failAt;
        EXPECT_FALSE(OperationFrame::active());
    }
}

// While an error passes through, a further one in giving back is dropped: the first is reported.
TEST_F(OperationFrameTest, TheErrorThatEndedTheWorkIsTheOneReported) {
    windows.failAt = 3; // giving the busy cursor back
    EXPECT_THROW(
        {
            const OperationFrame frame(windows, OperationFrame::Options().busyCursor().progress());
            throw core::RangeError("Range check error");
        },
        core::RangeError);
    EXPECT_FALSE(windows.shown);
}

// The failure hook runs before anything is given back, and only on failure.
TEST_F(OperationFrameTest, TheFailureHookRunsFirstAndOnlyOnFailure) {
    std::vector<std::string> log;
    const auto options = [&] {
        return OperationFrame::Options().controlsOff({&dm->tc}).onFailure(
            [&] { log.push_back(dm->tc.controlsDisabled() ? "hook with controls off" : "hook too late"); });
    };
    { const OperationFrame frame(windows, options()); }
    EXPECT_TRUE(log.empty());
    EXPECT_THROW(
        {
            const OperationFrame frame(windows, options());
            throw core::SilentAbort();
        },
        core::SilentAbort);
    EXPECT_EQ(log, std::vector<std::string>{"hook with controls off"});
    EXPECT_FALSE(dm->tc.controlsDisabled());
}

} // namespace rectix::taskdb::test
