#include "core/DurableFile.h"
#include "../support/DeadProcess.h"
#include "../support/ScriptedAnswers.h"
#include "../support/SyncRecorder.h"
#include "core/ScopeGuard.h"
#include "core/SideFiles.h"
#include "core/UiTexts.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

using namespace rectix::core;
namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path;
    Folder() {
        const fs::path made = fs::temp_directory_path() / ("rectix-durable-" + std::to_string(::getpid()));
        fs::create_directories(made);
        path = fs::canonical(made);
        sync_recorder::clear();
    }
    ~Folder() {
        sync_recorder::clear();
        fs::remove_all(path);
    }
    // Every name in the folder, hidden ones included.
    std::set<std::string> names() const {
        std::set<std::string> all;
        for (const auto& e : fs::directory_iterator(path)) all.insert(e.path().filename().string());
        return all;
    }
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Whether another writer could lock `folder` now, as the durable writer does around its renames.
bool folderFree(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) ::close(fd);
    return free;
}

// Records the warnings of the durable writer while it lives, and whether their folder was free
// when each was told (a warning may wait on the user).
struct RecordedWarnings {
    std::vector<FileSyncWarning> seen;
    std::vector<bool> free;
    FileSyncWarnings replaced = reportFileSyncWarnings([this](const FileSyncWarning& w) {
        seen.push_back(w);
        free.push_back(folderFree(w.files.at(0).parent_path()));
    });
    ~RecordedWarnings() { reportFileSyncWarnings(replaced); }
};

constexpr fs::perms privateMode = fs::perms::owner_read | fs::perms::owner_write;

// The three ways to put "new" in place of folder/a.csv: written by write(), filled by another
// writer, or filled and committed together with b.csv. `made` sees a.csv's replacement first.
enum class Way { Written, Filled, Together };
void replace(Way way, const fs::path& folder,
             const std::function<void(const DurableReplacement&)>& made = {}) {
    DurableReplacement a(folder / "a.csv"), b(folder / "b.csv");
    if (made) made(a);
    if (way == Way::Written)
        a.write("new");
    else
        std::ofstream(a.partPath()) << "new";
    std::ofstream(b.partPath()) << "b";
    if (way == Way::Together)
        DurableReplacement::commitTogether({&a, &b});
    else
        a.commit();
}

} // namespace

TEST(DurableFile, ReplacesTheTargetWholeAndLeavesNoPart) {
    Folder f;
    const fs::path target = f.path / "a.csv";
    writeFileDurably(target, "old");
    writeFileDurably(target, "new text");
    EXPECT_EQ(readAll(target), "new text");
    EXPECT_EQ(f.names(), std::set<std::string>{"a.csv"});
}

TEST(DurableFile, AFailureKeepsTheOldFileAndNamesTheTarget) {
    Folder f;
    // A folder in the target's place: the rename fails after the part was written.
    const fs::path target = f.path / "taken";
    fs::create_directories(target / "inside");
    try {
        writeFileDurably(target, "text");
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.file(), target);
        EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(f.names(), std::set<std::string>{"taken"});

    EXPECT_THROW(writeFileDurably(f.path / "no-such-folder" / "x", "text"), FileWriteError);
}

TEST(DurableFile, AReplacementFilledByAnotherWriterCommitsOrIsDropped) {
    Folder f;
    const fs::path target = f.path / "r.pdf";
    writeFileDurably(target, "old");
    {
        DurableReplacement r(target);
        std::ofstream(r.partPath()) << "half";
    } // dropped without commit
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(f.names(), std::set<std::string>{"r.pdf"});
    {
        DurableReplacement r(target);
        std::ofstream(r.partPath()) << "whole";
        r.commit();
    }
    EXPECT_EQ(readAll(target), "whole");
}

// Writers of one target at the same moment: each has a part of its own, the last to commit has
// its file in place, and the user's file or folder named like a part file is never touched.
TEST(DurableFile, EachReplacementWritesAPartOfItsOwnBesideTheUsersFiles) {
    Folder f;
    const fs::path target = f.path / "r.pdf";
    std::ofstream(f.path / "r.pdf.part") << "notes";
    fs::create_directory(f.path / "s.pdf.part");
    writeFileDurably(f.path / "s.pdf", "s");
    DurableReplacement first(target), second(target);
    EXPECT_NE(first.partPath(), second.partPath());
    EXPECT_EQ(sideFileOwner(first.partPath().filename().string(), "r.pdf", {"part"}), ::getpid());
    first.write("first");
    second.write("second");
    second.commit();
    first.commit();
    EXPECT_EQ(readAll(target), "first");
    EXPECT_EQ(readAll(f.path / "r.pdf.part"), "notes");
    EXPECT_EQ(f.names(), (std::set<std::string>{"r.pdf", "r.pdf.part", "s.pdf", "s.pdf.part"}));
}

// What a killed writer leaves beside a target goes with the next replacement of it (its parts) or
// with removeDeadSideFiles (the kinds it is given); what a writer still at work, another target,
// another user or the user owns stays, a name of the same shape included. A name ending in '/' is
// a folder.
TEST(DurableFile, AReplacementRemovesTheDeadWritersPartsOfItsTargetAndNothingElse) {
    Folder f;
    const std::string pid = std::to_string(deadProcess()), dead = ".r.pdf." + pid;
    enum Goes { Stays, WithReplacement, WithItsKind };
    const std::pair<std::string, Goes> leftovers[] = {
        {dead + "-Ab3dEf.part", WithReplacement},
        {dead + "-Ab3dEf.part-journal", WithItsKind},
        {dead + "-Zz9zZz.undo", WithItsKind},
        {dead + "-backup.old", Stays},
        {".r.pdf." + std::to_string(::getppid()) + "-Ab3dEf.part", Stays},
        {dead + "-Qq1qQq.part/", Stays},
        {dead + "-Ab3.part", Stays},
        {dead + "-Ab3dEf.Part", Stays},
        {".r.pdf.0" + pid + "-Ab3dEf.part", Stays},
        {"r.pdf." + pid + "-Ab3dEf.part", Stays},
        {".r.pdf2." + pid + "-Ab3dEf.part", Stays},
        {"." + pid + "-Ab3dEf.part", Stays}};
    for (const auto& [name, goes] : leftovers) {
        if (name.ends_with('/')) fs::create_directory(f.path / name);
        std::ofstream(f.path / name) << "left";
    }
    writeFileDurably(f.path / "r.pdf", "new");
    for (const auto& [name, goes] : leftovers)
        EXPECT_EQ(fs::exists(f.path / name), goes != WithReplacement) << name;
    removeDeadSideFiles(f.path / "r.pdf", {"part-journal", "undo"});
    for (const auto& [name, goes] : leftovers) EXPECT_EQ(fs::exists(f.path / name), goes == Stays) << name;
    if (::geteuid() == 0) {
        const fs::path others = f.path / (dead + "-Ab3dEf.part");
        std::ofstream(others) << "left";
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
        EXPECT_EQ(removeDeadSideFiles(f.path / "r.pdf", {"part"}), 0);
        EXPECT_TRUE(fs::exists(others));
    }
}

// A writer in another PID namespace, a container or on another host looks gone: its part and the
// part's journal stay while it holds the part's lock, as a replacement at work holds its own.
TEST(DurableFile, APartWhoseLockIsHeldStaysThoughItsWriterLooksGone) {
    Folder f;
    const std::string part = ".r.pdf." + std::to_string(deadProcess()) + "-Ab3dEf.part";
    for (const std::string& name : {part, part + "-journal"}) std::ofstream(f.path / name) << "left";
    {
        const int writer = ::open((f.path / part).c_str(), O_WRONLY | O_CLOEXEC);
        const ScopeGuard letGo([writer] { ::close(writer); });
        ASSERT_TRUE(holdMade(writer, f.path / part));
        EXPECT_EQ(removeDeadSideFiles(f.path / "r.pdf", {"part-journal", "part"}), 0);
        const DurableReplacement own(f.path / "r.pdf");
        EXPECT_EQ(takeLeftover(own.partPath(), false), -1);
        EXPECT_EQ(f.names().size(), 3U);
    }
    EXPECT_EQ(removeDeadSideFiles(f.path / "r.pdf", {"part-journal", "part"}), 2);
    EXPECT_TRUE(f.names().empty());
}

// A writer that holds the folder past the wait (a stopped process, a hung disk) gets a refusal
// naming the folder, not a wait without end; the earlier file stays and no part is left.
TEST(DurableFile, AFolderThatAnotherWriterHoldsIsRefusedAfterABoundedWait) {
    Folder f;
    writeFileDurably(f.path / "a.csv", "old");
    const int other = ::open(f.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    try {
        replace(Way::Together, f.path);
        ADD_FAILURE() << "put in place in a folder another writer holds";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.file(), f.path);
        EXPECT_NE(e.cause().find("in use by another writer"), std::string::npos) << e.cause();
    }
    ::close(other);
    EXPECT_EQ(readAll(f.path / "a.csv"), "old");
    EXPECT_EQ(f.names(), std::set<std::string>{"a.csv"});
}

TEST(ScopeGuard, UndoesOnEveryPathUnlessDismissed) {
    int undone = 0;
    try {
        ScopeGuard g([&] { ++undone; });
        throw 1;
    } catch (int) {
    }
    {
        ScopeGuard g([&] { ++undone; });
        g.dismiss();
    }
    EXPECT_EQ(undone, 1);
}

// A target that is a symbolic link: the file it leads to takes the new content, written beside that
// file, and the link stays; a link to a new name makes that file. A loop of links changes nothing.
TEST(DurableFile, ALinkKeepsPointingAtTheFileThatTakesTheNewContent) {
    Folder f;
    fs::create_directory(f.path / "real");
    writeFileDurably(f.path / "real" / "r.csv", "old");
    const std::pair<std::string, fs::path> links[] = {{"relative", "real/r.csv"},
                                                      {"absolute", f.path / "real" / "r.csv"},
                                                      {"chained", "relative"},
                                                      {"dangling", "real/new.csv"}};
    for (const auto& [link, to] : links) fs::create_symlink(to, f.path / link);
    for (const auto& [link, to] : links) {
        SCOPED_TRACE(link);
        DurableReplacement r(f.path / link);
        EXPECT_EQ(r.partPath().parent_path(), f.path / "real");
        r.write("new " + link);
        r.commit();
        EXPECT_TRUE(fs::is_symlink(f.path / link));
        EXPECT_EQ(readAll(f.path / link), "new " + link);
    }
    EXPECT_EQ(readAll(f.path / "real" / "r.csv"), "new chained");
    EXPECT_EQ(readAll(f.path / "real" / "new.csv"), "new dangling");

    fs::create_symlink("loop2", f.path / "loop1");
    fs::create_symlink("loop1", f.path / "loop2");
    EXPECT_THROW(writeFileDurably(f.path / "loop1", "text"), FileWriteError);
    EXPECT_EQ(f.names(), (std::set<std::string>{"absolute", "chained", "dangling", "loop1", "loop2", "real",
                                                "relative"}));
}

TEST(DurableFile, AReadOnlyOrNonFileTargetIsRefusedAndAMissingOnePasses) {
    Folder f;
    EXPECT_NO_THROW(checkReplaceable(f.path / "missing.csv"));
    const fs::path kept = f.path / "kept.csv";
    writeFileDurably(kept, "old");
    EXPECT_NO_THROW(checkReplaceable(kept));
    // Read-only for everyone: refused even when the tests run as the superuser.
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_THROW(checkReplaceable(kept), FileWriteError);
    EXPECT_THROW(checkReplaceable(f.path), FileWriteError);
}

// The new content is never readable by more people than the old: its part from the start, and
// the file another writer filled, even one it made anew.
TEST(DurableFile, AReplacedFileKeepsItsPermissions) {
    Folder f;
    const fs::path target = f.path / "private.csv";
    writeFileDurably(target, "old");
    fs::permissions(target, privateMode);
    writeFileDurably(target, "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, privateMode);

    DurableReplacement r(target);
    EXPECT_EQ(fs::status(r.partPath()).permissions() & fs::perms::all, privateMode);
    fs::remove(r.partPath());
    std::ofstream(r.partPath()) << "another writer's";
    fs::permissions(r.partPath(), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    r.commit();
    EXPECT_EQ(readAll(target), "another writer's");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, privateMode);
}

TEST(DurableFile, FilesCommittedTogetherAreAllReplacedOrNoneOnAFailedSync) {
    Folder f;
    DurableReplacement a(f.path / "a.csv"), b(f.path / "b.csv");
    a.write("A");
    b.write("B");
    DurableReplacement::commitTogether({&a, &b});
    EXPECT_EQ(readAll(f.path / "a.csv"), "A");
    EXPECT_EQ(readAll(f.path / "b.csv"), "B");

    // The second part vanished before the commit: neither target is touched.
    DurableReplacement c(f.path / "a.csv"), d(f.path / "b.csv");
    c.write("C");
    d.write("D");
    fs::remove(d.partPath());
    EXPECT_THROW(DurableReplacement::commitTogether({&c, &d}), FileWriteError);
    EXPECT_EQ(readAll(f.path / "a.csv"), "A");
    EXPECT_EQ(readAll(f.path / "b.csv"), "B");
    EXPECT_EQ(f.names(), (std::set<std::string>{"a.csv", "b.csv"}));

    // The second rename fails after the first is done: the error says which file did change.
    DurableReplacement e(f.path / "a.csv"), g(f.path / "b.csv");
    e.write("E");
    g.write("G");
    fs::remove(f.path / "b.csv");
    fs::create_directories(f.path / "b.csv" / "kept");
    try {
        DurableReplacement::commitTogether({&e, &g});
        ADD_FAILURE() << "the commit went through";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.file(), f.path / "b.csv");
        EXPECT_NE(error.cause().find("already replaced: " + (f.path / "a.csv").string()), std::string::npos)
            << error.cause();
    }
    EXPECT_EQ(readAll(f.path / "a.csv"), "E");
    EXPECT_EQ(f.names(), (std::set<std::string>{"a.csv", "b.csv"}));
}

// Each way of replacing: the part reaches the disk before its rename and the folder's entry after,
// the folder locked from the rename to its sync;
// a part that cannot be synced is a failure that keeps the target and leaves no part; a folder
// that cannot be synced after the rename is a warning naming the files in place, by default a
// warning dialog, never an error that says they were not written.
TEST(DurableFile, EachWayOfReplacingSyncsThePartBeforeTheRenameAndTheFolderAfter) {
    const std::vector<std::string> inOrder = {"sync part", "rename", "sync folder"};
    for (Way way : {Way::Written, Way::Filled, Way::Together}) {
        Folder f;
        replace(way, f.path);
        EXPECT_EQ(sync_recorder::replacementSteps(f.path / "a.csv"), inOrder);
        // Another writer's renames into the folder wait until these are done and synced.
        EXPECT_TRUE(sync_recorder::lockedThroughout(f.path / "a.csv"));
        if (way == Way::Together) {
            EXPECT_EQ(sync_recorder::replacementSteps(f.path / "b.csv"), inOrder);
            EXPECT_TRUE(sync_recorder::lockedThroughout(f.path / "b.csv"));
        }
    }
}

TEST(DurableFile, APartThatCannotBeSyncedIsAFailureAndTheTargetStays) {
    for (Way way : {Way::Written, Way::Filled, Way::Together}) {
        Folder f;
        writeFileDurably(f.path / "a.csv", "old");
        EXPECT_THROW(
            replace(way, f.path,
                    [](const DurableReplacement& a) { sync_recorder::failing = a.partPath().string(); }),
            FileWriteError);
        EXPECT_EQ(readAll(f.path / "a.csv"), "old");
        EXPECT_EQ(f.names(), std::set<std::string>{"a.csv"});
    }
}

TEST(DurableFile, AFolderThatCannotBeSyncedAfterTheRenameIsAWarning) {
    for (Way way : {Way::Written, Way::Filled, Way::Together}) {
        Folder f;
        sync_recorder::failing = f.path.string();
        RecordedWarnings warnings;
        EXPECT_NO_THROW(replace(way, f.path));
        EXPECT_EQ(readAll(f.path / "a.csv"), "new");
        ASSERT_EQ(warnings.seen.size(), 1u);
        EXPECT_EQ(warnings.seen[0].files.size(), way == Way::Together ? 2u : 1u);
        EXPECT_EQ(warnings.seen[0].files[0], f.path / "a.csv");
        EXPECT_EQ(warnings.seen[0].cause, "Input/output error");
        EXPECT_TRUE(warnings.free[0]);
    }
    Folder f;
    sync_recorder::failing = f.path.string();
    ScriptedAnswers dialogs;
    std::string& text = UiTexts::global().messages[static_cast<int>(Msg::FileNotConfirmed)];
    const ScopeGuard restoreText([&text, kept = text] { text = kept; });
    text = "saved %1, unconfirmed: %2";
    writeFileDurably(f.path / "a.csv", "new");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"warning: saved " + (f.path / "a.csv").string() +
                                                      ", unconfirmed: Input/output error"});
}
