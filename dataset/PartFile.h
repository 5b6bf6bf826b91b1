#pragma once

#include "core/DurableFile.h"

#include <filesystem>
#include <string>

namespace rectix::dataset {

// The part file of a table file's durable replacement, as SQLite leaves it: the file and its
// journal, both removed when the replacement fails.
struct PartFile {
    std::filesystem::path path;

    // Starts from no leftover of an earlier failure.
    explicit PartFile(const core::DurableReplacement& file) : path(file.partPath()) { remove(); }

    void remove() const {
        std::error_code ignore;
        std::filesystem::remove(path, ignore);
        std::filesystem::remove(path.string() + "-journal", ignore);
    }
};

} // namespace rectix::dataset
