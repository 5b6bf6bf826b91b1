// A tool's message is one line whatever an argument or a stored text holds.
#include "tools/MessageLine.h"

#include <gtest/gtest.h>

namespace rectix::tools::test {
namespace {

TEST(MessageLine, ShowsControlCharactersEscapedAndKeepsTheRest) {
    const struct {
        std::string text, line;
    } cases[] = {
        {"a\nb\r\tc", "a\\nb\\r\\tc"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"\x1b[31mred\x7f", "\\x1b[31mred\\x7f"},
        {"Caf\xc3\xa9 \xe2\x80\x94 C:\\Temp",
         "Caf\xc3\xa9 \xe2\x80\x94 C:\\Temp"}, // UTF-8 and backslashes as they are
    };
    for (const auto& c : cases) EXPECT_EQ(escapedLine(c.text), c.line);
}

} // namespace
} // namespace rectix::tools::test
