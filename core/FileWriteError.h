#pragma once

#include "core/Errors.h"

#include <filesystem>

namespace rectix::core {

// A file that could not be written, read back or put in place; the target is unchanged when it
// is thrown. Of files committed together, those put in place before the one that failed are
// named in its cause ("...; already replaced: ...").
class FileWriteError : public FileError {
  public:
    using FileError::FileError;
};

// The folder `file` is named in: its parent, else the current folder.
std::filesystem::path folderOf(const std::filesystem::path& file);

} // namespace rectix::core
