#pragma once

#include "SignalRemoval.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace rectix::tools {

// A scratch folder that cannot be made or filled; what() names the folder or file and the cause.
class ScratchError : public std::runtime_error {
  public:
    explicit ScratchError(const std::string& what) : std::runtime_error(what) {}
};

// A program folder of the harness's own, made in the temporary folder ($TMPDIR, else /tmp) as
// "rectix-solve-PID-XXXXXX", whose alias file points the home alias at a table set's folder.
// It is removed when the object goes, and with everything in it by SIGINT, SIGTERM or SIGHUP
// before the process takes that signal (SignalRemoval); a signal the caller ignores stays
// ignored. Folders of this kind of this user whose process is gone (a killed run) are removed
// when the next one is made, unless the folder's lock is held: a run in another PID namespace, a
// container or on another host looks gone.
class ScratchFolder {
  public:
    // An empty one, for files a library keeps while the run lasts. Throws ScratchError.
    ScratchFolder();
    // One whose alias file names `set` as the home set. Throws ScratchError.
    explicit ScratchFolder(const std::filesystem::path& set);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Removes the folders of this kind in `parent` whose process is gone; gives how many.
    static int removeStale(const std::filesystem::path& parent);

  private:
    std::optional<SignalRemoval> removal_;
    std::filesystem::path path_;
    int lock_ = -1; // the folder's (core/SideFiles.h), which keeps another run's sweep off it
};

} // namespace rectix::tools
