#pragma once

#include <string>
#include <string_view>

namespace rectix::tools {

// A message as one line of text: line feeds, tabs and the other control characters that an
// argument or a stored text may hold written as escapes ("\n", "\t", "\x1b"), the C1 controls and
// the line and paragraph separators of UTF-8 as "\u0085", "\u2028"; the rest as it is.
std::string escapedLine(std::string_view text);

// An input value as a message repeats it: at most `limit` bytes, else its first ones and
// "...", never cutting a UTF-8 sequence, so that a huge argument does not make a huge line.
std::string shortValue(std::string_view value, std::size_t limit = 60);

// The message as escapedLine() writes it, each run of non-blank characters past 160 bytes (a long
// path) cut to its first 80 bytes or so, "..." and its last 60, between characters and escapes.
std::string toldLine(std::string_view message);

// "TOOL: MESSAGE" on standard error, the message as toldLine() writes it: every message of the
// tools goes out this way, so that each is one line of a readable length.
void tellLine(std::string_view tool, std::string_view message);

} // namespace rectix::tools
