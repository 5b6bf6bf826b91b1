// The tools' shared reading of arguments: options once each, values where they belong.
#include "tools/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rectix::tools::test {
namespace {

// The options as printed "name=value" (or "name", or "=operand"), or the refusal.
std::string read(const std::vector<std::string>& args) {
    using enum OptionValue;
    std::vector<GivenArgument> given;
    const std::string wrong =
        readArguments(args, {{"--task", Next}, {"--chart"}, {"--grid", Attached}, {"-o", Next}}, given);
    if (!wrong.empty()) return wrong;
    std::string out;
    for (const GivenArgument& g : given)
        out += (out.empty() ? "" : " ") + g.name + (g.value ? "=" + *g.value : std::string());
    return out;
}

TEST(CommandLine, ReadsEachOptionOnceWithItsValue) {
    const struct {
        std::vector<std::string> args;
        std::string read;
    } cases[] = {
        {{"--task", "-5", "--chart", "plan.json"},
         "--task=-5 --chart =plan.json"}, // a value may look like an option
        {{"--grid", "--grid=3"}, "--grid is given twice"},
        {{"--grid=-2", "-o", "--chart"}, "--grid=-2 -o=--chart"},
        {{"--grid"}, "--grid"},
        {{"--grid="}, "--grid="},
        {{"--chart", "--chart"}, "--chart is given twice"},
        {{"--chart=1"}, "unknown argument --chart=1"},
        {{"--task=5"}, "unknown argument --task=5"},
        {{"--clear"}, "unknown argument --clear"},
        {{"-o"}, "-o needs a value"},
        {{"a.json", "b.json"}, "=a.json =b.json"}, // operands are the tool's to judge
    };
    for (const auto& c : cases) EXPECT_EQ(read(c.args), c.read) << c.args.front();
}

} // namespace
} // namespace rectix::tools::test
