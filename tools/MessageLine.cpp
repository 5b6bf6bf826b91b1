#include "MessageLine.h"

#include <iostream>

namespace rectix::tools {

std::string escapedLine(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string line;
    line.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7f) {
            line += ch;
        } else if (ch == '\n') {
            line += "\\n";
        } else if (ch == '\r') {
            line += "\\r";
        } else if (ch == '\t') {
            line += "\\t";
        } else {
            line += "\\x";
            line += hex[byte >> 4];
            line += hex[byte & 0xf];
        }
    }
    return line;
}

void tellLine(std::string_view tool, std::string_view message) {
    std::cerr << std::string(tool) + ": " + escapedLine(message) + "\n";
}

} // namespace rectix::tools
