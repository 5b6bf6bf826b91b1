#include "core/DurableFile.h"

#include "core/Dialogs.h"
#include "core/SideFiles.h"
#include "core/UiTexts.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace rectix::core {

namespace fs = std::filesystem;

namespace {

std::string causeOf(int error) {
    return std::strerror(error);
}

// Closes the descriptor on every path; a failed close() of a written file is an error of its own.
class Descriptor {
  public:
    Descriptor(const fs::path& file, int flags, mode_t mode = 0) : fd_(::open(file.c_str(), flags, mode)) {}
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int close() {
        const int rc = ::close(std::exchange(fd_, -1));
        return rc == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// 0 or the errno of a sync that failed; EINVAL and EROFS are a file that cannot be synchronised.
int syncDescriptor(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS) return 0;
    return errno;
}

// How long a writer waits for another to finish putting its files into the same folder: a stopped
// process or a hung disk that holds the lock must not freeze every writer of the folder.
constexpr std::chrono::seconds folderLockWait{5};
constexpr std::chrono::milliseconds folderLockPoll{20};

// Exclusive locks on the folders that files are put into, held from the first rename to the last
// folder sync, so that the renames of two writers into one folder never interleave: a set of
// files committed together comes from one writer. A folder that cannot be opened or locked (a
// file system without locks) is passed over; its renames go ahead unguarded. A lock that another
// writer holds past folderLockWait is a FileWriteError naming the folder.
class FolderLocks {
  public:
    explicit FolderLocks(const std::set<fs::path>& folders) {
        // Taken in the order of the folders' identities, each once however it is spelled, so
        // that two writers never wait on each other.
        struct Opened {
            std::pair<dev_t, ino_t> id;
            int fd;
            fs::path folder;
            bool operator<(const Opened& other) const { return id < other.id; }
        };
        std::vector<Opened> opened;
        for (const fs::path& folder : folders) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat st {};
            if (fd >= 0 && ::fstat(fd, &st) == 0)
                opened.push_back({{st.st_dev, st.st_ino}, fd, folder});
            else if (fd >= 0)
                ::close(fd);
        }
        std::sort(opened.begin(), opened.end());
        const auto until = std::chrono::steady_clock::now() + folderLockWait;
        for (std::size_t i = 0; i < opened.size(); ++i) {
            const int fd = opened[i].fd;
            if (i > 0 && opened[i].id == opened[i - 1].id) {
                ::close(fd);
                continue;
            }
            while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
                if (std::chrono::steady_clock::now() >= until) {
                    for (std::size_t j = i; j < opened.size(); ++j) ::close(opened[j].fd);
                    release();
                    throw FileWriteError(opened[i].folder, "in use by another writer for more than " +
                                                               std::to_string(folderLockWait.count()) +
                                                               " seconds");
                }
                std::this_thread::sleep_for(folderLockPoll);
            }
            fds_.push_back(fd);
        }
    }
    ~FolderLocks() { release(); }
    FolderLocks(const FolderLocks&) = delete;
    FolderLocks& operator=(const FolderLocks&) = delete;

  private:
    void release() noexcept {
        for (int fd : fds_) ::close(fd); // which lets the lock go
        fds_.clear();
    }

    std::vector<int> fds_;
};

void showSyncWarning(const FileSyncWarning& warning) {
    Dialogs::current().show(DialogKind::Warning,
                            messageWith(Msg::FileNotConfirmed, {warning.fileList(), warning.cause}),
                            DialogButton::Ok, 0);
}

FileSyncWarnings& syncWarnings() {
    static FileSyncWarnings report = showSyncWarning;
    return report;
}

} // namespace

std::string FileSyncWarning::fileList() const {
    std::string list;
    for (const fs::path& file : files) list += (list.empty() ? "" : ", ") + file.string();
    return list;
}

FileSyncWarnings reportFileSyncWarnings(FileSyncWarnings report) {
    if (!report) report = showSyncWarning;
    return std::exchange(syncWarnings(), std::move(report));
}

fs::path replacedFile(const fs::path& target) {
    fs::path file = target;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return file;
        if (links == 40) throw FileWriteError(target, causeOf(ELOOP));
        std::error_code ec;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec) throw FileWriteError(target, ec.message());
        file = next.is_absolute() ? next : folderOf(file) / next;
    }
}

DurableReplacement::DurableReplacement(fs::path target)
    : target_(std::move(target)), file_(replacedFile(target_)) {
    removeDeadSideFiles(file_, {partKind});
    part_ = makeSideFile(file_, partKind, lock_, 0666, &held_);
    if (const int error = takeTargetMode(lock_); error != 0) {
        discard();
        throw FileWriteError(target_, causeOf(error));
    }
}

DurableReplacement::~DurableReplacement() {
    if (!done_) discard();
}

void DurableReplacement::write(std::string_view text) {
    Descriptor fd(part_, O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (fd.get() < 0) {
        const int error = errno;
        discard();
        throw FileWriteError(target_, causeOf(error));
    }
    int error = writeAll(fd.get(), text);
    if (error == 0) error = syncDescriptor(fd.get());
    const int closed = fd.close();
    if (error == 0) error = closed;
    if (error != 0) {
        discard();
        throw FileWriteError(target_, causeOf(error));
    }
    synced_ = true;
}

void DurableReplacement::commit() {
    commitTogether({this});
}

void DurableReplacement::commitTogether(std::initializer_list<DurableReplacement*> files) {
    std::set<fs::path> folders;
    for (DurableReplacement* f : files) folders.insert(folderOf(f->file_));
    std::optional<FolderLocks> locks;
    try {
        for (DurableReplacement* f : files) f->syncPart();
        locks.emplace(folders);
    } catch (...) {
        for (DurableReplacement* f : files) f->discard();
        throw;
    }
    std::vector<FileSyncWarning> warnings;
    {
        std::string replaced;
        try {
            for (DurableReplacement* f : files) {
                f->renamePart();
                replaced += (replaced.empty() ? "" : ", ") + f->target_.string();
            }
        } catch (const FileWriteError& e) {
            for (DurableReplacement* f : files) f->discard(); // the parts not renamed yet
            if (replaced.empty()) throw;
            // Some of the set is in place already: keep it as durable as the rest would have been,
            // and say which, since the error no longer means that nothing changed.
            for (const fs::path& folder : folders) {
                try {
                    syncFolder(folder);
                } catch (const FileWriteError&) {
                }
            }
            throw FileWriteError(e.file(), e.cause() + "; already replaced: " + replaced);
        }
        // After the renames: the files are in place, so a folder that cannot be synced is a warning.
        for (const fs::path& folder : folders) {
            try {
                syncFolder(folder);
            } catch (const FileWriteError& e) {
                FileSyncWarning warning{{}, e.cause()};
                for (DurableReplacement* f : files)
                    if (folderOf(f->file_) == folder) warning.files.push_back(f->target_);
                warnings.push_back(std::move(warning));
            }
        }
        locks.reset();
    }
    // Told once the folders are free again: a warning may wait on the user for as long as it likes.
    for (const FileSyncWarning& warning : warnings) syncWarnings()(warning);
}

void DurableReplacement::syncPart() {
    if (done_) throw FileWriteError(target_, "the new content was dropped before it was put in place");
    int error = 0;
    if (synced_) {
        // Synced by write(); still there to be renamed.
        struct stat part {};
        if (::stat(part_.c_str(), &part) != 0) error = errno;
    } else {
        error = takeTargetMode(-1);
        if (error == 0) {
            try {
                syncFile(part_);
            } catch (const FileWriteError& e) {
                discard();
                throw FileWriteError(target_, e.cause());
            }
        }
    }
    if (error != 0) {
        discard();
        throw FileWriteError(target_, causeOf(error));
    }
    synced_ = true;
}

// The new file keeps the permissions of the one it replaces, as an overwrite would. 0 or errno.
int DurableReplacement::takeTargetMode(int fd) const {
    struct stat old {};
    if (::stat(file_.c_str(), &old) != 0) return 0;
    const mode_t mode = old.st_mode & 07777;
    const int rc = fd >= 0 ? ::fchmod(fd, mode) : ::chmod(part_.c_str(), mode);
    return rc == 0 ? 0 : errno;
}

void DurableReplacement::renamePart() {
    if (::rename(part_.c_str(), file_.c_str()) != 0) {
        const int error = errno;
        discard();
        throw FileWriteError(target_, causeOf(error));
    }
    done_ = true;
    releaseSideFile(std::exchange(held_, -1));
    releaseLock();
}

void DurableReplacement::discard() noexcept {
    std::error_code ignore;
    if (!done_) fs::remove(part_, ignore);
    done_ = true;
    releaseSideFile(std::exchange(held_, -1));
    releaseLock();
}

// Only once the part is renamed or gone: until then a sweep must find it held.
void DurableReplacement::releaseLock() noexcept {
    if (lock_ >= 0) ::close(std::exchange(lock_, -1));
}

void checkReplaceable(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno == ENOENT) return;
        throw FileWriteError(target, causeOf(errno));
    }
    if (!S_ISREG(st.st_mode)) throw FileWriteError(target, "not a file");
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 || (st.st_mode & 0222) == 0)
        throw FileWriteError(target, causeOf(EACCES));
}

void writeFileDurably(const fs::path& target, std::string_view text) {
    DurableReplacement file(target);
    file.write(text);
    file.commit();
}

void syncFile(const fs::path& file) {
    Descriptor fd(file, O_RDONLY | O_CLOEXEC);
    if (fd.get() < 0) throw FileWriteError(file, causeOf(errno));
    int error = syncDescriptor(fd.get());
    const int closed = fd.close();
    if (error == 0) error = closed;
    if (error != 0) throw FileWriteError(file, causeOf(error));
}

void syncFolder(const fs::path& folder) {
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    Descriptor fd(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd.get() < 0) throw FileWriteError(dir, causeOf(errno));
    const int error = syncDescriptor(fd.get());
    fd.close();
    if (error != 0) throw FileWriteError(dir, causeOf(error));
}

int writeAll(int fd, std::string_view text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0)
            return ENOSPC;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

} // namespace rectix::core
