#include "MessageLine.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <utility>
#include <vector>

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

// A message as escapedLine() writes it, and where each character or escape in it starts, so that
// a cut falls between them.
struct Escaped {
    std::string line;
    std::vector<std::size_t> starts;
};

Escaped escape(std::string_view text) {
    Escaped e;
    std::string& line = e.line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte & 0xc0) != 0x80) e.starts.push_back(line.size());
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
    e.starts.push_back(line.size());
    return e;
}

// A path or another value a message repeats may be of any length: a run of non-blank characters
// past `longRun` bytes keeps its start and its end (a path's file name) around "...".
constexpr std::size_t longRun = 160, keptStart = 80, keptEnd = 60;

std::string cutLongRuns(const Escaped& e) {
    const std::string& line = e.line;
    std::string cut;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t begin = line.find_first_not_of(' ', at);
        const std::size_t end = std::min(line.find(' ', begin), line.size());
        cut.append(line, at, begin == std::string::npos ? std::string::npos : begin - at);
        if (begin == std::string::npos) break;
        if (end - begin <= longRun) {
            cut.append(line, begin, end - begin);
        } else {
            // The last start at most keptStart bytes in, the first at most keptEnd bytes before the end.
            const std::size_t head = std::max(
                begin, *std::prev(std::upper_bound(e.starts.begin(), e.starts.end(), begin + keptStart)));
            const std::size_t tail = *std::lower_bound(e.starts.begin(), e.starts.end(), end - keptEnd);
            cut.append(line, begin, head - begin).append("...").append(line, tail, end - tail);
        }
        at = end;
    }
    return cut;
}

} // namespace

std::string escapedLine(std::string_view text) {
    return escape(text).line;
}

std::string shortValue(std::string_view value, std::size_t limit) {
    if (value.size() <= limit) return std::string(value);
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xc0) == 0x80) --cut;
    return std::string(value.substr(0, cut)) + "...";
}

std::string toldLine(std::string_view message) {
    return cutLongRuns(escape(message));
}

void tellLine(std::string_view tool, std::string_view message) {
    std::cerr << std::string(tool) + ": " + toldLine(message) + "\n";
}

} // namespace rectix::tools
