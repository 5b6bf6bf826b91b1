#include "SignalRemoval.h"

#include "core/SideFiles.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>

namespace rectix::tools {

namespace {

constexpr std::array<int, 3> watched = {SIGINT, SIGTERM, SIGHUP};
// A scratch folder holds a file or two and the table folders of the export and import aliases.
constexpr int removalDepth = 4;

// What the handler reads, in fixed storage: it is written only while the signals are held. A
// folder's name is absolute, empty until it is known.
char folders[4][PATH_MAX];
bool taken[std::size(folders)];
struct sigaction earlier[watched.size()];
bool replaced[watched.size()];
int live = 0;

sigset_t watchedSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : watched) sigaddset(&set, s);
    return set;
}

// Removes `name` in the folder open as `parent`, a folder with everything in it. System calls
// only: it runs in the signal handler. True when the name is gone.
bool removeTree(int parent, const char* name, int depth) {
    if (::unlinkat(parent, name, 0) == 0 || errno == ENOENT) return true;
    if ((errno != EISDIR && errno != EPERM) || depth == 0) return false;
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    alignas(dirent64) char entries[2048];
    // Entries removed while the folder is read may hide others: read again until a pass removes
    // nothing.
    for (bool removed = true; removed;) {
        removed = false;
        if (::lseek(fd, 0, SEEK_SET) != 0) break;
        for (ssize_t n; (n = ::getdents64(fd, entries, sizeof entries)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
                at += entry->d_reclen;
                const char* e = entry->d_name;
                if (e[0] == '.' && (e[1] == '\0' || (e[1] == '.' && e[2] == '\0'))) continue;
                removed = removeTree(fd, e, depth - 1) || removed;
            }
        }
    }
    ::close(fd);
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

extern "C" void removeAndRetake(int signal) {
    const int savedErrno = errno;
    core::removeHeldSideFiles();
    for (const char* folder : folders)
        if (folder[0] == '/') removeTree(AT_FDCWD, folder, removalDepth);
    for (std::size_t i = 0; i < watched.size(); ++i)
        if (watched[i] == signal) ::sigaction(signal, &earlier[i], nullptr);
    // Held until the handler returns, then taken by the earlier action.
    ::raise(signal);
    errno = savedErrno;
}

bool ignored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// Puts back the earlier actions this process replaced. The calls cannot fail: the signals and
// actions are valid ones.
void restoreActions() noexcept {
    for (std::size_t i = 0; i < watched.size(); ++i)
        if (std::exchange(replaced[i], false)) ::sigaction(watched[i], &earlier[i], nullptr);
}

[[noreturn]] void fail(const char* what) {
    const int error = errno;
    throw std::runtime_error(std::string("cannot set up the clean-up on signals: ") + what + ": " +
                             std::strerror(error));
}

} // namespace

SignalRemoval::SignalRemoval() {
    const sigset_t set = watchedSet();
    if (::sigprocmask(SIG_BLOCK, &set, &callerMask_) != 0) fail("sigprocmask");
    holding_ = true;
    for (int s = 0; s < static_cast<int>(std::size(taken)) && slot_ < 0; ++s)
        if (!taken[s]) slot_ = s;
    try {
        if (slot_ < 0) throw std::runtime_error("more than four scratch folders at once");
        if (live == 0) {
            struct sigaction handler {};
            handler.sa_handler = removeAndRetake;
            handler.sa_mask = set; // one removal at a time
            handler.sa_flags = SA_RESTART;
            for (std::size_t i = 0; i < watched.size(); ++i) {
                if (::sigaction(watched[i], nullptr, &earlier[i]) != 0) fail("sigaction");
                if (ignored(earlier[i])) continue;
                if (::sigaction(watched[i], &handler, nullptr) != 0) fail("sigaction");
                replaced[i] = true;
            }
        }
    } catch (...) {
        if (live == 0) restoreActions();
        letIn();
        throw;
    }
    ++live;
    taken[slot_] = true;
}

bool SignalRemoval::watch(const std::filesystem::path& folder) {
    if (folder.empty()) {
        letIn();
        return true;
    }
    std::error_code ec;
    const std::string name = std::filesystem::absolute(folder, ec).string();
    const bool fits = !ec && name.size() < sizeof folders[slot_];
    if (fits) std::memcpy(folders[slot_], name.c_str(), name.size() + 1);
    letIn();
    return fits;
}

SignalRemoval::~SignalRemoval() {
    const sigset_t set = watchedSet();
    if (!holding_ && ::sigprocmask(SIG_BLOCK, &set, &callerMask_) == 0) holding_ = true;
    folders[slot_][0] = '\0';
    taken[slot_] = false;
    if (--live == 0) restoreActions();
    // A signal that came meanwhile is taken now, by the earlier action.
    letIn();
}

void SignalRemoval::letIn() noexcept {
    if (std::exchange(holding_, false)) ::sigprocmask(SIG_SETMASK, &callerMask_, nullptr);
}

} // namespace rectix::tools
