#include "MessageLine.h"

#include <iostream>
#include <utility>

namespace rectix::tools {

namespace {

constexpr char hex[] = "0123456789abcdef";

void appendHex(std::string& line, unsigned value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) line += hex[(value >> shift) & 0xf];
}

// The code point of a C1 control (U+0080..U+009F) or of U+2028 / U+2029 that starts `text` in
// UTF-8, and its length in bytes; 0 for anything else.
std::pair<unsigned, std::size_t> separatorAt(std::string_view text) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() >= 2 && at(0) == 0xc2 && at(1) >= 0x80 && at(1) <= 0x9f) return {at(1), 2};
    if (text.size() >= 3 && at(0) == 0xe2 && at(1) == 0x80 && (at(2) == 0xa8 || at(2) == 0xa9))
        return {0x2000u + at(2) - 0x80u, 3};
    return {0, 0};
}

} // namespace

std::string escapedLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto byte = static_cast<unsigned char>(ch);
        if (const auto [code, length] = separatorAt(text.substr(i)); length != 0) {
            line += "\\u";
            appendHex(line, code, 4);
            i += length - 1;
        } else if (byte >= 0x20 && byte != 0x7f) {
            line += ch;
        } else if (ch == '\n') {
            line += "\\n";
        } else if (ch == '\r') {
            line += "\\r";
        } else if (ch == '\t') {
            line += "\\t";
        } else {
            line += "\\x";
            appendHex(line, byte, 2);
        }
    }
    return line;
}

std::string shortValue(std::string_view value, std::size_t limit) {
    if (value.size() <= limit) return std::string(value);
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xc0) == 0x80) --cut;
    return std::string(value.substr(0, cut)) + "...";
}

void tellLine(std::string_view tool, std::string_view message) {
    std::cerr << std::string(tool) + ": " + escapedLine(message) + "\n";
}

} // namespace rectix::tools
