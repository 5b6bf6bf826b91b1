#include "core/DurableFile.h"
#include "core/ScopeGuard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace rectix::core;
namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("rectix-durable-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(DurableFile, ReplacesTheTargetWholeAndLeavesNoPart) {
    Folder f;
    const fs::path target = f.path / "a.csv";
    writeFileDurably(target, "old");
    writeFileDurably(target, "new text");
    EXPECT_EQ(readAll(target), "new text");
    EXPECT_FALSE(fs::exists(f.path / "a.csv.part"));
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
    EXPECT_FALSE(fs::exists(f.path / "taken.part"));

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
    EXPECT_FALSE(fs::exists(f.path / "r.pdf.part"));
    {
        DurableReplacement r(target);
        std::ofstream(r.partPath()) << "whole";
        r.commit();
    }
    EXPECT_EQ(readAll(target), "whole");
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

TEST(DurableFile, AReplacedFileKeepsItsPermissions) {
    Folder f;
    const fs::path target = f.path / "private.csv";
    writeFileDurably(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    writeFileDurably(target, "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
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
    EXPECT_FALSE(fs::exists(c.partPath()));
}
