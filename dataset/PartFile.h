#pragma once

#include "core/DurableFile.h"
#include "core/SideFiles.h"

#include <filesystem>
#include <string>

namespace rectix::dataset {

// A table file's durable replacement as SQLite fills it: the part file and the journal SQLite
// keeps beside it, both removed unless the part was committed. The journals that killed writers
// left beside the target go first, as their part files do.
class PartFile {
  public:
    static constexpr const char* journalKind = "part-journal";
    // A table file's kept copy, taken before a change that may have to be undone by hand.
    static constexpr const char* keptCopyKind = "undo";

    // Throws core::FileWriteError when the part file cannot be made.
    explicit PartFile(const std::filesystem::path& target) : file_(target) {
        core::removeDeadSideFiles(target, {journalKind});
    }
    ~PartFile() {
        std::error_code ignore;
        if (!committed_) std::filesystem::remove(journal(), ignore);
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    const std::filesystem::path& path() const { return file_.partPath(); }
    // The connection that filled the part must be closed: its journal is gone then.
    void commit() {
        file_.commit();
        committed_ = true;
    }

  private:
    std::filesystem::path journal() const { return path().string() + "-journal"; }

    core::DurableReplacement file_;
    bool committed_ = false;
};

} // namespace rectix::dataset
