#pragma once

#include <filesystem>
#include <string>

namespace rectix::dataset {

// The file a table file is written to before it is renamed into place, so a
// failure never leaves half a table file: "<target>.part", with its journal.
struct PartFile {
    std::filesystem::path path;

    // Starts from no leftover of an earlier failure.
    explicit PartFile(const std::filesystem::path& target) : path(target) {
        path += ".part";
        remove();
    }

    void remove() const {
        std::error_code ignore;
        std::filesystem::remove(path, ignore);
        std::filesystem::remove(path.string() + "-journal", ignore);
    }
};

} // namespace rectix::dataset
