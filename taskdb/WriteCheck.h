#pragma once

#include <filesystem>
#include <string>

namespace rectix::taskdb {

// Start-up proof that the program's folder can be written: a probe file is
// written, read back, compared and deleted there.
class WriteCheck {
  public:
    static constexpr const char* probeName = "z-temp-pr.bat";

    // True when the folder passes; otherwise shows the warning and returns
    // false, and the program must end before any table is opened.
    static bool checkDataFolderWritable(const std::filesystem::path& folder);

    static bool checkFileReadWrite(const std::filesystem::path& path);
    static bool writeTextLineFile(const std::filesystem::path& path, const std::string& line);
    static bool readTextLineFile(const std::filesystem::path& path, std::string& line);

    static const char* const warningText;
};

} // namespace rectix::taskdb
