#pragma once

// Every fsync of the test program recorded by the path of its descriptor, then done. Include in
// one source of a test program only: it replaces the C library's fsync for the whole program.
#include <string>
#include <vector>

#include <sys/syscall.h>
#include <unistd.h>

namespace sync_recorder {
inline std::vector<std::string> synced;
}

extern "C" int fsync(int fd) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    sync_recorder::synced.emplace_back(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
