#pragma once

#include <filesystem>
#include <string>

namespace rectix::app {

// The checks of start-up that end the program before anything else is shown.

// The probe of one path: a line of text written, read back the same, and the file deleted.
bool checkFileReadWrite(const std::filesystem::path& path);

// The program folder (the current folder) must be writable: the probe on its "z-temp-pr.bat".
// When that fails, the warning is shown and the result is false: the program is to end at once.
bool checkDataFolderWritable();

// The folders of the home, export and import sets must exist: one message for each missing
// folder, in that order. False when one was missing. A malformed alias file throws.
bool checkAliasFolders(const std::filesystem::path& programFolder);

// The text of the warning after a failed write check.
extern const std::string dataFolderWarning;

} // namespace rectix::app
