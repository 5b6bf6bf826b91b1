#include "core/SideFiles.h"

#include "core/FileWriteError.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <pthread.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rectix::core {

namespace fs = std::filesystem;

namespace {

// Room for the process id, the random part, the kind and an ending another library adds within
// the 255 bytes of a name.
constexpr std::size_t nameBytes = 200;
constexpr std::size_t randomChars = 6;
constexpr const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The target's name as side files carry it: cut at a character boundary.
std::string_view shortName(std::string_view name) {
    if (name.size() <= nameBytes) return name;
    std::size_t end = nameBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

std::string randomPart() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, std::strlen(alphabet) - 1);
    std::string text;
    for (std::size_t i = 0; i < randomChars; ++i) text += alphabet[pick(generator)];
    return text;
}

bool isAlphanumeric(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// The side files that removeHeldSideFiles() removes, by absolute name; a free place is empty.
char heldFiles[8][PATH_MAX];

// Every signal blocked in this thread while the object lives.
class SignalsBlocked {
  public:
    SignalsBlocked() noexcept {
        sigset_t all;
        sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, &caller_);
    }
    ~SignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &caller_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

  private:
    sigset_t caller_{};
};

// Takes a free place for `file` (signals blocked); -1 when none is free or the name is too long.
int hold(const std::string& file) {
    if (file.size() >= PATH_MAX) return -1;
    for (int slot = 0; slot < static_cast<int>(std::size(heldFiles)); ++slot) {
        if (heldFiles[slot][0] != '\0') continue;
        std::memcpy(heldFiles[slot], file.c_str(), file.size() + 1);
        return slot;
    }
    return -1;
}

// A new name for a side file or folder of `target`: taken by nobody yet, most likely.
fs::path sideName(const fs::path& target, std::string_view kind) {
    return folderOf(target) / ("." + std::string(shortName(target.filename().string())) + "." +
                               std::to_string(::getpid()) + "-" + randomPart() + "." + std::string(kind));
}

// The side file that `name`, a side file of `kind`, grew beside when `kind` carries an ending
// another library added ("part" for "part-journal"); empty otherwise.
std::string grownBeside(const std::string& name, std::string_view kind) {
    const std::size_t dash = kind.find('-');
    if (dash == std::string_view::npos) return {};
    return name.substr(0, name.size() - (kind.size() - dash));
}

// The side files (or, with `folders`, the side folders and all in them) of `target` that a process
// which is gone left behind; gives how many it removed.
int removeDead(const fs::path& target, std::initializer_list<std::string_view> kinds, bool folders) {
    const fs::path folder = folderOf(target);
    const std::string targetName = target.filename().string();
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        const std::string name = file.filename().string();
        const pid_t pid = sideFileOwner(name, targetName, kinds);
        if (pid <= 0 || pid == ::getpid()) continue;
        // EPERM is a process of another user: alive.
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const int fd = takeLeftover(file, folders);
        if (fd < 0) continue;
        int from = -1;
        bool busy = false;
        for (std::string_view kind : kinds) {
            const std::string base = name.ends_with("." + std::string(kind)) ? grownBeside(name, kind) : "";
            struct stat st {};
            if (base.empty() || ::lstat((folder / base).c_str(), &st) != 0) continue;
            from = takeLeftover(folder / base, false);
            busy = from < 0;
            break; // a name grows beside one base: a second look would leak this descriptor
        }
        std::error_code gone;
        if (!busy && (folders ? fs::remove_all(file, gone) > 0 && !gone : ::unlink(file.c_str()) == 0))
            ++removed;
        if (from >= 0) ::close(from);
        ::close(fd);
    }
    return removed;
}

} // namespace

fs::path makeSideFile(const fs::path& target, std::string_view kind, int& fd, mode_t mode, int* held) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path side = sideName(target, kind);
        std::error_code ec;
        const std::string absolute = held ? fs::absolute(side, ec).string() : std::string();
        // No signal between the file's making and its holding.
        const SignalsBlocked blocked;
        fd = ::open(side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 && !holdMade(fd, side)) {
            ::close(fd);
            continue;
        }
        if (fd >= 0) {
            if (held) *held = ec ? -1 : hold(absolute);
            return side;
        }
        if (errno != EEXIST) throw FileWriteError(target, std::strerror(errno));
    }
    throw FileWriteError(target, std::strerror(EEXIST));
}

void releaseSideFile(int slot) noexcept {
    if (slot < 0) return;
    const SignalsBlocked blocked;
    heldFiles[slot][0] = '\0';
}

void removeHeldSideFiles() noexcept {
    for (const char* file : heldFiles)
        if (file[0] == '/') ::unlink(file);
}

fs::path makeSideFolder(const fs::path& target, std::string_view kind, int& fd) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path side = sideName(target, kind);
        if (::mkdir(side.c_str(), 0700) != 0) {
            if (errno != EEXIST) throw FileWriteError(target, std::strerror(errno));
            continue;
        }
        fd = holdMadeFolder(side);
        if (fd >= 0) return side;
        const int error = errno;
        ::rmdir(side.c_str()); // empty, unless a sweep is removing it
        if (error != EAGAIN) throw FileWriteError(target, std::strerror(error));
    }
    throw FileWriteError(target, std::strerror(EEXIST));
}

pid_t stampOwner(std::string_view stamp) {
    const std::size_t dash = stamp.find('-');
    if (dash == std::string_view::npos || stamp.size() != dash + 1 + randomChars || stamp[0] < '1' ||
        stamp[0] > '9')
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(stamp.data(), stamp.data() + dash, pid);
    if (error != std::errc() || end != stamp.data() + dash) return 0;
    for (std::size_t i = dash + 1; i < stamp.size(); ++i)
        if (!isAlphanumeric(stamp[i])) return 0;
    return pid;
}

pid_t sideFileOwner(std::string_view name, std::string_view targetName,
                    std::initializer_list<std::string_view> kinds) {
    const std::string_view target = shortName(targetName);
    if (name.size() < target.size() + 2 || name[0] != '.' || name.substr(1, target.size()) != target ||
        name[target.size() + 1] != '.')
        return 0;
    const std::string_view rest = name.substr(target.size() + 2); // PID-XXXXXX.KIND
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos) return 0;
    const std::string_view kind = rest.substr(dot + 1);
    for (std::string_view k : kinds)
        if (k == kind) return stampOwner(rest.substr(0, dot));
    return 0;
}

bool isSideFileName(std::string_view name, std::initializer_list<std::string_view> kinds) {
    for (std::string_view kind : kinds) {
        const std::string ending = "." + std::string(kind);
        if (!name.ends_with(ending)) continue;
        const std::string_view rest = name.substr(0, name.size() - ending.size()); // .NAME.PID-XXXXXX
        const std::size_t dot = rest.rfind('.');
        if (dot != std::string_view::npos && dot >= 2 && rest[0] == '.' &&
            stampOwner(rest.substr(dot + 1)) > 0)
            return true;
    }
    return false;
}

int removeDeadSideFiles(const fs::path& target, std::initializer_list<std::string_view> kinds) {
    return removeDead(target, kinds, false);
}

int removeDeadSideFolders(const fs::path& target, std::initializer_list<std::string_view> kinds) {
    return removeDead(target, kinds, true);
}

namespace {

// Past the 512 bytes from 1 GiB on that SQLite locks.
constexpr off_t liveByte = 0x7FFFFFFF;

// 0, or -1 with errno (EAGAIN or EACCES when another holds a lock that stands in the way).
int lockLiveByte(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = liveByte;
    lock.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &lock);
}

// Whether another open file description holds a lock on the byte of what `fd` has open.
bool otherHolds(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = liveByte;
    lock.l_len = 1;
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Whether `fd` is open on what `path` names, never through a link.
bool stillNamed(int fd, const fs::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

} // namespace

bool holdMade(int fd, const fs::path& path) {
    if (lockLiveByte(fd, F_WRLCK) != 0 && (errno == EAGAIN || errno == EACCES)) return false;
    return stillNamed(fd, path);
}

int holdMadeFolder(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    // A lock another holds is a sweep's; a file system without locks passes.
    const bool free = lockLiveByte(fd, F_RDLCK) == 0 ? !otherHolds(fd) : errno != EAGAIN && errno != EACCES;
    if (free && stillNamed(fd, path)) return fd;
    ::close(fd);
    errno = EAGAIN;
    return -1;
}

int takeLeftover(const fs::path& path, bool folder) {
    const auto ours = [folder](const struct stat& st) {
        return (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) && st.st_uid == ::geteuid();
    };
    // Looked at before it is opened: opening a device or a pipe may do something.
    struct stat named {};
    struct stat opened {};
    if (::lstat(path.c_str(), &named) != 0 || !ours(named)) return -1;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return -1;
    // A read lock: it needs no write permission, and stands in the way of a file's writer as the
    // writer's stands in its way.
    const auto take = [folder, fd] {
        if (!folder) return lockLiveByte(fd, F_RDLCK) == 0;
        return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && lockLiveByte(fd, F_RDLCK) == 0 && !otherHolds(fd);
    };
    if (::fstat(fd, &opened) == 0 && ours(opened) && take() && stillNamed(fd, path)) return fd;
    ::close(fd);
    return -1;
}

} // namespace rectix::core
