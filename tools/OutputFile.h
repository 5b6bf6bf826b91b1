#pragma once

#include <filesystem>
#include <string>

namespace rectix::tools {

// Empty when `file` (the -o of a tool) can take the tool's output: a new name, or a regular file
// the user may replace, in a folder the user may write; for a symbolic link, the file it leads to;
// never a file of the table set in `tableSet` (when given) that the run reads, nor a name of the
// shape of the tools' own part files (core/SideFiles.h), which a sweep removes. Else why not in one
// line, naming what is at fault: "-o: out.png: not a file". Checked before the work starts, so
// that a folder, a pipe or a device is refused at once instead of waited on.
std::string outputRefusal(const std::filesystem::path& file, const std::filesystem::path& tableSet = {});

// Whether `file`, a name with no link left to follow, is one of the table files of the set in
// `tableSet` or one of their journals, there or yet to come: by its folder and name, or as the
// same file under another name.
bool isTableSetFile(const std::filesystem::path& file, const std::filesystem::path& tableSet);

} // namespace rectix::tools
