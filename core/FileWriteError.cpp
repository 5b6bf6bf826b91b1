#include "core/FileWriteError.h"

namespace rectix::core {

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

} // namespace rectix::core
