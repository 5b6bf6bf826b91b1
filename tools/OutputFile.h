#pragma once

#include <filesystem>
#include <string>

namespace rectix::tools {

// Empty when `file` (the -o of a tool) can take the tool's output: a new name, or a regular file
// the user may replace, in a folder the user may write; for a symbolic link, the file it leads to. Else why
// not in one line, naming what is at fault: "-o: out.png: not a file". Checked before the work starts, so
// that a folder, a pipe or a device is refused at once instead of waited on.
std::string outputRefusal(const std::filesystem::path& file);

} // namespace rectix::tools
