#pragma once

#include "core/Errors.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace rectix::core {

// A file that could not be written, read back or put in place; the target is unchanged when it
// is thrown.
class FileWriteError : public FileError {
  public:
    using FileError::FileError;
};

// A new content for `target`, written beside it and put in its place only when whole: a failure
// or a kill at any moment leaves the old file or the new one, never half of either.
//
// Either write() the text, or let another writer (a PDF printer, a database backup) fill
// partPath() and then commit(). Until commit() the target is untouched; a replacement dropped
// without commit() removes its part file.
class DurableReplacement {
  public:
    explicit DurableReplacement(std::filesystem::path target);
    ~DurableReplacement();
    DurableReplacement(const DurableReplacement&) = delete;
    DurableReplacement& operator=(const DurableReplacement&) = delete;

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& partPath() const { return part_; }

    // Writes the whole text to the part file and syncs it; every step checked.
    void write(std::string_view text);
    // Syncs the part file (when write() did not), renames it over the target and syncs the
    // folder. Once it returns the new file is durable. An existing target's permissions pass to
    // the new file, as an overwrite would keep them.
    void commit();
    // commit() for files that belong together: every part synced first, then the renames one
    // right after the other, then the folders. The files are never half written, but no rename
    // of several files is atomic: a kill or a failed rename between two of them leaves the
    // first ones new and the others old.
    static void commitTogether(std::initializer_list<DurableReplacement*> files);
    // Drops the part file; the target stays as it was.
    void discard() noexcept;

  private:
    void syncPart();
    void renamePart();
    int takeTargetMode(int fd) const;

    std::filesystem::path target_;
    std::filesystem::path part_;
    bool synced_ = false;
    bool done_ = false;
};

// Refuses an existing target that must not be replaced: a folder or another non-file, or a file
// the user may not write or that is marked read-only (no write permission for anyone, which
// stops even the superuser here). A missing target passes.
void checkReplaceable(const std::filesystem::path& target);

// write() then commit() for one text.
void writeFileDurably(const std::filesystem::path& target, std::string_view text);

// Syncs a file's content to the disk. A device that cannot be synchronised is taken as synced.
void syncFile(const std::filesystem::path& file);
// Makes the entries of `folder` (a rename, a new file) durable.
void syncFolder(const std::filesystem::path& folder);

} // namespace rectix::core
