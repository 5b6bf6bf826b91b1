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
        // C1 controls and the line and paragraph separators, which a terminal may take as a new
        // line or a command; their neighbours and a cut sequence stay as they are.
        {"a\xc2\x9b"
         "b\xc2\x85"
         "c\xc2\x80\xc2\x9f",
         "a\\u009bb\\u0085c\\u0080\\u009f"},
        {"l\xe2\x80\xa8p\xe2\x80\xa9"
         "e",
         "l\\u2028p\\u2029e"},
        {"\xc2\xa0\xe2\x80\xa7\xe2\x80\xaf\xc2", "\xc2\xa0\xe2\x80\xa7\xe2\x80\xaf\xc2"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapedLine(c.text), c.line);
}

TEST(MessageLine, CutsALongValueWithoutSplittingACharacter) {
    const struct {
        std::string value, shown;
    } cases[] = {
        {"12345", "12345"},
        {"123456", "12345..."},
        {"1234\xc3\xa9", "1234..."}, // the cut would fall inside the two bytes of the last letter
        {"123\xe2\x80\x94xy", "123..."},
    };
    for (const auto& c : cases) EXPECT_EQ(shortValue(c.value, 5), c.shown) << c.value;
}

std::string times(std::size_t n, const std::string& text) {
    std::string all;
    while (n-- > 0) all += text;
    return all;
}

// A long path keeps its start and its file name; the cut falls between characters and escapes.
TEST(MessageLine, CutsALongRunOfNonBlanksKeepingItsStartAndEnd) {
    const std::string e = "\xc3\xa9";
    const struct {
        std::string text, line;
    } cases[] = {
        {times(160, "a"), times(160, "a")},
        {"x " + times(161, "a") + "  y", "x " + times(80, "a") + "..." + times(60, "a") + "  y"},
        {"a" + times(100, e) + "b", "a" + times(39, e) + "..." + times(29, e) + "b"},
        {"x" + times(100, "\n"), "x" + times(39, "\\n") + "..." + times(30, "\\n")},
    };
    for (const auto& c : cases) EXPECT_EQ(toldLine(c.text), c.line) << c.text.size();
}

} // namespace
} // namespace rectix::tools::test
