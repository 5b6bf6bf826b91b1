#pragma once

#include "core/Errors.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace rectix::core {

// A file that a reader refuses: what() names the file and the cause ("in.txt: is a folder").
class FileReadError : public FileError {
  public:
    using FileError::FileError;
};

// The most bytes any reader of the system takes from one file: far above every real task file,
// import file, settings file or alias file, and short of a device or a runaway file.
inline constexpr std::uintmax_t maxInputFileBytes = std::uintmax_t{64} << 20;

// Empty when `file` is a regular file (a link to one counts), else what is there instead:
// "is missing", "is a folder", "is a device, pipe or socket", or why it cannot be looked at.
std::string notARegularFile(const std::filesystem::path& file);

// Throws FileReadError unless `file` is a regular file of at most `limit` bytes.
void checkInputFile(const std::filesystem::path& file, std::uintmax_t limit = maxInputFileBytes);

// The whole content of a regular file of at most `limit` bytes. A file that grows past the limit
// while it is read is refused too. Throws FileReadError.
std::string readInputFile(const std::filesystem::path& file, std::uintmax_t limit = maxInputFileBytes);

// The text without a UTF-8 byte-order mark at its start.
std::string_view withoutByteOrderMark(std::string_view text);

} // namespace rectix::core
