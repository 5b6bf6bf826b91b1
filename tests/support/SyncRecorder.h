#pragma once

// Every fsync and rename of the test program recorded in the order they happen, then done; an
// fsync of the path in `failing` fails with EIO instead. Include in one source of a test program
// only: it replaces the C library's fsync and rename for the whole program.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sync_recorder {

struct Event {
    bool rename = false;
    std::string path; // the file synced, or the file renamed
    std::string to;   // the new name of a renamed file
};

inline std::vector<Event> events;
inline std::vector<std::string> synced;
inline std::string failing;

inline void clear() {
    events.clear();
    synced.clear();
    failing.clear();
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
    sync_recorder::synced.push_back(path);
    sync_recorder::events.push_back({false, path, {}});
    if (!sync_recorder::failing.empty() && path == sync_recorder::failing) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    std::error_code ec;
    sync_recorder::events.push_back({true, std::filesystem::weakly_canonical(from, ec).string(),
                                     std::filesystem::weakly_canonical(to, ec).string()});
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}
