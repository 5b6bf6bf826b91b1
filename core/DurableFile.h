#pragma once

#include "core/FileWriteError.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::core {

// Files that were put in place whole, but whose folder the disk did not confirm afterwards: they
// are there now, and a power cut before the system writes the folder out may bring the earlier
// ones back. The change was made, so this is reported, never thrown.
struct FileSyncWarning {
    std::vector<std::filesystem::path> files;
    std::string cause;

    // "a.csv, b.csv"
    std::string fileList() const;
};

// Where such warnings go; by default a warning dialog through Dialogs::current(). Installs
// `report` and returns the one it replaces; an empty one restores the default.
using FileSyncWarnings = std::function<void(const FileSyncWarning&)>;
FileSyncWarnings reportFileSyncWarnings(FileSyncWarnings report);

// A new content for `target`, written beside it and put in its place only when whole: a failure
// or a kill at any moment leaves the old file or the new one, never half of either. A target that
// is a symbolic link keeps it: the file it leads to (replacedFile()) takes the new content, as an
// overwrite would give it.
//
// Either write() the text, or let another writer (a PDF printer, a database backup) fill
// partPath() and then commit(). Until commit() the target is untouched; a replacement dropped
// without commit() removes its part file.
//
// The part file is a side file of its own (core/SideFiles.h, kind "part"), made when the
// replacement is, with the permissions of an existing target, and locked until it is renamed or
// dropped; the part files that killed writers left beside the target go first. Writers of one target at the
// same time never share one: the last to commit has its file in place. Until it is renamed or dropped, the
// part is one that removeHeldSideFiles() removes, so that a tool's signal handler can.
class DurableReplacement {
  public:
    static constexpr const char* partKind = "part";

    // Throws FileWriteError when the part file cannot be made.
    explicit DurableReplacement(std::filesystem::path target);
    ~DurableReplacement();
    DurableReplacement(const DurableReplacement&) = delete;
    DurableReplacement& operator=(const DurableReplacement&) = delete;

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& partPath() const { return part_; }

    // Writes the whole text to the part file and syncs it; every step checked.
    void write(std::string_view text);
    // Syncs the part file (when write() did not), renames it over the target and syncs the
    // folder. Once it returns the new file is in place; it is durable unless a FileSyncWarning
    // was reported. An existing target's permissions pass to the new file, as an overwrite would
    // keep them. Throws FileWriteError, with the target unchanged, when it fails before the rename.
    void commit();
    // commit() for files that belong together: every part synced first, then the renames one
    // right after the other, then the folders. The folders are locked (flock) from the first
    // rename to the last sync, so that the files in place come from one writer when two commit
    // at once. The files are never half written, but no rename of several files is atomic: a kill
    // or a failed rename between two of them leaves the first ones new and the others old.
    static void commitTogether(std::initializer_list<DurableReplacement*> files);
    // Drops the part file; the target stays as it was.
    void discard() noexcept;

  private:
    void syncPart();
    void renamePart();
    int takeTargetMode(int fd) const;
    void releaseLock() noexcept;

    std::filesystem::path target_;
    std::filesystem::path file_; // where the links that target_ names lead
    std::filesystem::path part_;
    int held_ = -1; // the part's place among the side files a signal removes
    int lock_ = -1; // open on the part, holding its lock
    bool synced_ = false;
    bool done_ = false;
};

// The file that a replacement of `target` puts in place: `target`, or where the symbolic links it
// names lead, an existing file or a new name. Throws FileWriteError naming `target` for a loop of
// links.
std::filesystem::path replacedFile(const std::filesystem::path& target);

// Refuses an existing target that must not be replaced: a folder or another non-file, or a file
// the user may not write or that is marked read-only (no write permission for anyone, which
// stops even the superuser here). A missing target passes.
void checkReplaceable(const std::filesystem::path& target);

// write() then commit() for one text. Throws FileWriteError with the target unchanged.
void writeFileDurably(const std::filesystem::path& target, std::string_view text);

// Syncs a file's content to the disk. A device that cannot be synchronised is taken as synced.
void syncFile(const std::filesystem::path& file);
// Makes the entries of `folder` (a rename, a new file) durable.
void syncFolder(const std::filesystem::path& folder);

// Writes all of `text` to the open descriptor, again after an interrupted or short write; 0, or
// the error that stopped it (ENOSPC for a write that took nothing).
int writeAll(int fd, std::string_view text);

} // namespace rectix::core
