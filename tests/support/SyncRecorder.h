#pragma once

// Every fsync and rename of the test program recorded in the order they happen, with whether the
// folder was locked meanwhile, then done; an fsync of the path in `failing` fails with EIO instead. Include
// in one source of a test program only: it replaces the C library's fsync and rename for the whole program.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sync_recorder {

struct Event {
    bool rename = false;
    std::string path;    // the file synced, or the file renamed
    std::string to;      // the new name of a renamed file
    bool locked = false; // a folder synced, or the folder of a renamed file, held by an exclusive flock
};

inline std::vector<Event> events;
inline std::vector<std::string> synced;
inline std::string failing;
// Called at every rename, before it is done: what the program shows meanwhile.
inline std::function<void()> atRename;

inline void clear() {
    events.clear();
    synced.clear();
    failing.clear();
    atRename = nullptr;
}

// Whether an open description other than the caller's holds an exclusive flock on `folder`.
inline bool folderLocked(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

// Whether the rename over `target` and the first sync of its folder after it both came while the
// folder was locked.
inline bool lockedThroughout(const std::filesystem::path& target) {
    int held = 0;
    for (const Event& e : events) {
        if (e.rename && e.to == target.string())
            held = e.locked ? 1 : -1;
        else if (held == 1 && !e.rename && e.path == target.parent_path().string())
            return e.locked;
    }
    return false;
}

// The steps that replaced `target` (a full path without links), in the order they came: "sync
// part" for the file later renamed over it, "rename", "sync folder" for its folder; from the
// first of them to the first sync of the folder after the rename. Empty when nothing was renamed
// over it.
inline std::vector<std::string> replacementSteps(const std::filesystem::path& target) {
    std::string part;
    for (const Event& e : events)
        if (e.rename && e.to == target.string()) part = e.path;
    std::vector<std::string> steps;
    bool renamed = false;
    for (const Event& e : events) {
        if (e.rename && e.to == target.string()) {
            steps.push_back("rename");
            renamed = true;
        } else if (!e.rename && e.path == part) {
            steps.push_back("sync part");
        } else if (!e.rename && e.path == target.parent_path().string() && !steps.empty()) {
            steps.push_back("sync folder");
            if (renamed) break;
        }
    }
    return steps;
}

} // namespace sync_recorder

extern "C" int fsync(int fd) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    const std::string path(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    struct stat st {};
    const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    sync_recorder::synced.push_back(path);
    sync_recorder::events.push_back({false, path, {}, folder && sync_recorder::folderLocked(path)});
    if (!sync_recorder::failing.empty() && path == sync_recorder::failing) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::weakly_canonical(to, ec);
    sync_recorder::events.push_back({true, std::filesystem::weakly_canonical(from, ec).string(),
                                     target.string(),
                                     sync_recorder::folderLocked(target.parent_path().string())});
    if (sync_recorder::atRename) sync_recorder::atRename();
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}
