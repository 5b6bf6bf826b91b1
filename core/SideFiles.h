#pragma once

#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <sys/types.h>

namespace rectix::core {

// Files a writer keeps beside its target while it works on it, named ".NAME.PID-XXXXXX.KIND" in
// the target's folder: NAME the target's name (its first 200 bytes), PID the writer's process,
// XXXXXX random, KIND what the file is ("part"; a file that another library grows beside it adds
// its own ending, as "part-journal"). Hidden from a plain listing and made with O_EXCL, so it is
// never a user's file nor one another writer uses; named by the process, so that a later writer
// tells a killed writer's leftovers from those of a writer still at work.

// Makes a new, empty side file of `kind` for `target` with `mode` (less the umask) and returns
// its path; `fd` is left open on it, closed on exec, and holds the file's lock (below): a sweep
// takes only a side file whose lock it can take, so the caller keeps `fd` open for as long as the
// file is its, until it is renamed or removed. Throws FileWriteError naming the target.
//
// With `held`, the file is also one that removeHeldSideFiles() removes, from the moment it exists
// until releaseSideFile(*held); *held is -1 where all eight places for them are taken (the file
// then waits for a later writer, as a killed writer's does).
std::filesystem::path makeSideFile(const std::filesystem::path& target, std::string_view kind, int& fd,
                                   mode_t mode = 0666, int* held = nullptr);
// The side file held as `slot` is no longer removeHeldSideFiles()'s: it took its target's name or
// is gone. -1 is none.
void releaseSideFile(int slot) noexcept;
// Removes the side files held now. Async-signal-safe, for a handler that ends the process, in a
// process of one thread: the places are written only while every signal is blocked, so the
// handler never meets one half written.
void removeHeldSideFiles() noexcept;

// A new, empty side folder of `kind` for `target`, open to this user alone, named as a side file
// is; for a writer that fills a folder before it takes the target's name. `fd` is left open on it,
// closed on exec, and holds the folder's lock (holdMadeFolder()) until the caller closes it, after
// the folder is gone. Throws FileWriteError.
std::filesystem::path makeSideFolder(const std::filesystem::path& target, std::string_view kind, int& fd);

// The process that made the file named `name` when it is a side file of a target named
// `targetName` and of one of `kinds`; 0 when it is not. The kinds are named, never guessed: a
// user's ".boxes.db.2024-backup.old" has the shape of a side file.
pid_t sideFileOwner(std::string_view name, std::string_view targetName,
                    std::initializer_list<std::string_view> kinds);
// Whether `name` has the shape of a side file of any target and one of `kinds`, whatever its
// process: a sweep of the target it names may remove such a file.
bool isSideFileName(std::string_view name, std::initializer_list<std::string_view> kinds);
// The process in "PID-XXXXXX" as a side file's name carries it, and a folder made by mkdtemp()
// from a name ending in "PID-XXXXXX": a process id as it is written, with no leading zero, and six
// letters or digits. 0 when `stamp` is not whole of that shape.
pid_t stampOwner(std::string_view stamp);

// Removes the side files of `target` of `kinds` that a process which is gone left behind: only regular files
// of this user, never one whose process id is in use (a reused id keeps the file until a later writer finds
// it gone), nor one whose lock a writer holds: a writer in another PID namespace, a container or on another
// host looks gone. A kind with an ending another library added ("part-journal") stays while the side file
// it grew beside ("part") is held. Gives how many it removed; a file that cannot be removed is passed over,
// a leftover costs only space.
int removeDeadSideFiles(const std::filesystem::path& target, std::initializer_list<std::string_view> kinds);
// The same for side folders, with all they hold.
int removeDeadSideFolders(const std::filesystem::path& target, std::initializer_list<std::string_view> kinds);

// The lock that tells a side file's writer (or a side folder's run) at work from a killed one is a
// lock of the open file description on one byte far past the bytes SQLite locks in a database file,
// so that a part SQLite fills keeps its own locks, on a network file system too.

// For a writer: takes the lock of the file `fd` has open for writing, made as `path` a moment ago.
// False when a sweep took it first: the name is gone or going, and the writer makes another. A file
// system without locks passes.
bool holdMade(int fd, const std::filesystem::path& path);
// For a run: opens the folder `path` it made a moment ago and takes the folder's lock, a read lock
// on the same byte (a folder opens only for reading), which a sweep leaves alone for as long as the
// descriptor is open. Gives the descriptor, closed on exec; -1 with EAGAIN when a sweep took the
// folder first (it is gone or going: the run makes another), -1 with errno when it cannot be opened.
// A file system without locks passes.
int holdMadeFolder(const std::filesystem::path& path);
// For a sweep: `path`, opened without following a link and locked without waiting. The descriptor,
// holding the lock, when it is a regular file (with `folder`, a folder) of this user that no writer
// holds; -1 otherwise. A folder is held by its run (holdMadeFolder()) and, while files are put into
// it, by a flock; the sweep marks it with a read lock of its own and takes it only when no other
// holds one, as the run looks for the sweep's after taking its own: of the two, the later sees the
// earlier.
int takeLeftover(const std::filesystem::path& path, bool folder);

} // namespace rectix::core
