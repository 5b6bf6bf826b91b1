#include "core/DurableFile.h"
#include "../support/DeadProcess.h"
#include "../support/ScriptedAnswers.h"
#include "../support/SyncRecorder.h"
#include "core/ScopeGuard.h"
#include "core/SideFiles.h"
#include "core/UiTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
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

// Records the warnings of the durable writer while it lives.
struct RecordedWarnings {
    std::vector<FileSyncWarning> seen;
    FileSyncWarnings replaced =
        reportFileSyncWarnings([this](const FileSyncWarning& w) { seen.push_back(w); });
    ~RecordedWarnings() { reportFileSyncWarnings(replaced); }
};

constexpr fs::perms privateMode = fs::perms::owner_read | fs::perms::owner_write;

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
// its file in place, and files of the user's named like a part file are never touched.
TEST(DurableFile, EachReplacementWritesAPartOfItsOwnBesideTheUsersFiles) {
    Folder f;
    const fs::path target = f.path / "r.pdf";
    std::ofstream(f.path / "r.pdf.part") << "notes";
    fs::create_directory(f.path / "s.pdf.part");
    writeFileDurably(f.path / "s.pdf", "s");

    DurableReplacement first(target), second(target);
    EXPECT_NE(first.partPath(), second.partPath());
    for (const DurableReplacement* r : {&first, &second}) {
        EXPECT_EQ(r->partPath().parent_path(), f.path);
        EXPECT_EQ(sideFileOwner(r->partPath().filename().string(), "r.pdf", {"part"}), ::getpid());
    }
    first.write("first");
    second.write("second");
    second.commit();
    EXPECT_EQ(readAll(target), "second");
    first.commit();
    EXPECT_EQ(readAll(target), "first");

    EXPECT_EQ(readAll(f.path / "r.pdf.part"), "notes");
    EXPECT_TRUE(fs::is_directory(f.path / "s.pdf.part"));
    EXPECT_EQ(f.names(), (std::set<std::string>{"r.pdf", "r.pdf.part", "s.pdf", "s.pdf.part"}));
}

// What a killed writer leaves beside a target goes with the next replacement of it; whatever a
// writer still at work, another target or the user owns stays.
TEST(DurableFile, AReplacementRemovesTheDeadWritersPartsOfItsTargetAndNothingElse) {
    Folder f;
    const std::string dead = std::to_string(deadProcess());
    const std::string alive = std::to_string(::getppid());
    struct Leftover {
        std::string name;
        bool folder;
        bool goesWithReplacement; // the parts of the target
        bool goesWithAnyKind;     // and the other side files of the target
    };
    const Leftover leftovers[] = {
        {".r.pdf." + dead + "-Ab3dEf.part", false, true, true},
        {".r.pdf." + dead + "-Ab3dEf.part-journal", false, false, true},
        {".r.pdf." + dead + "-Zz9zZz.undo", false, false, true},
        {".r.pdf." + alive + "-Ab3dEf.part", false, false, false},
        {".r.pdf." + dead + "-Qq1qQq.part", true, false, false},
        {".r.pdf." + dead + "-Ab3.part", false, false, false},
        {".r.pdf.0" + dead + "-Ab3dEf.part", false, false, false},
        {".r.pdf." + dead + "-Ab3dEf.Part", false, false, false},
        {"r.pdf." + dead + "-Ab3dEf.part", false, false, false},
        {".r.pdf2." + dead + "-Ab3dEf.part", false, false, false},
        {"." + dead + "-Ab3dEf.part", false, false, false},
    };
    for (const Leftover& l : leftovers) {
        if (l.folder)
            fs::create_directory(f.path / l.name);
        else
            std::ofstream(f.path / l.name) << "left";
    }
    writeFileDurably(f.path / "r.pdf", "new");
    for (const Leftover& l : leftovers)
        EXPECT_EQ(fs::exists(f.path / l.name), !l.goesWithReplacement) << l.name;
    removeDeadSideFiles(f.path / "r.pdf");
    for (const Leftover& l : leftovers) EXPECT_EQ(fs::exists(f.path / l.name), !l.goesWithAnyKind) << l.name;

    // Another user's file is never this user's writer's to remove, whatever its name.
    if (::geteuid() == 0) {
        const fs::path others = f.path / (".r.pdf." + dead + "-Ab3dEf.part");
        std::ofstream(others) << "left";
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
        EXPECT_EQ(removeDeadSideFiles(f.path / "r.pdf"), 0);
        EXPECT_TRUE(fs::exists(others));
    }
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
}

// Each way of replacing: the part reaches the disk before its rename, the folder's entry after.
TEST(DurableFile, ThePartIsSyncedBeforeTheRenameAndTheFolderAfter) {
    Folder f;
    const std::vector<std::string> inOrder = {"sync part", "rename", "sync folder"};
    writeFileDurably(f.path / "text.csv", "text");
    EXPECT_EQ(sync_recorder::replacementSteps(f.path / "text.csv"), inOrder);

    sync_recorder::clear();
    DurableReplacement filled(f.path / "r.pdf");
    std::ofstream(filled.partPath()) << "printed";
    filled.commit();
    EXPECT_EQ(sync_recorder::replacementSteps(f.path / "r.pdf"), inOrder);

    sync_recorder::clear();
    DurableReplacement a(f.path / "a.csv"), b(f.path / "b.csv");
    a.write("A");
    b.write("B");
    DurableReplacement::commitTogether({&a, &b});
    EXPECT_EQ(sync_recorder::replacementSteps(f.path / "a.csv"), inOrder);
    EXPECT_EQ(sync_recorder::replacementSteps(f.path / "b.csv"), inOrder);
    // One sync of the folder, after both renames.
    EXPECT_FALSE(sync_recorder::events.back().rename);
    EXPECT_EQ(sync_recorder::events.back().path, f.path.string());
}

// A part that does not reach the disk is a failure: the target stays, no part is left.
TEST(DurableFile, APartThatCannotBeSyncedIsAFailureAndTheTargetStays) {
    Folder f;
    const fs::path target = f.path / "a.csv";
    writeFileDurably(target, "old");
    {
        DurableReplacement written(target);
        sync_recorder::failing = written.partPath().string();
        EXPECT_THROW(written.write("new"), FileWriteError);
    }
    {
        DurableReplacement filled(target);
        std::ofstream(filled.partPath()) << "new";
        sync_recorder::failing = filled.partPath().string();
        EXPECT_THROW(filled.commit(), FileWriteError);
    }
    DurableReplacement a(target), b(f.path / "b.csv");
    std::ofstream(a.partPath()) << "new";
    std::ofstream(b.partPath()) << "new";
    sync_recorder::failing = b.partPath().string();
    EXPECT_THROW(DurableReplacement::commitTogether({&a, &b}), FileWriteError);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(f.names(), std::set<std::string>{"a.csv"});
}

// After the rename the new file is in place: a folder that cannot be synced then is a warning
// naming the files, by default a warning dialog, and never an error that says they were not written.
TEST(DurableFile, AFolderThatCannotBeSyncedAfterTheRenameIsAWarning) {
    Folder f;
    writeFileDurably(f.path / "a.csv", "old");
    sync_recorder::failing = f.path.string();
    {
        RecordedWarnings warnings;
        EXPECT_NO_THROW(writeFileDurably(f.path / "a.csv", "new"));
        DurableReplacement a(f.path / "a.csv"), b(f.path / "b.csv");
        a.write("A");
        b.write("B");
        EXPECT_NO_THROW(DurableReplacement::commitTogether({&a, &b}));
        ASSERT_EQ(warnings.seen.size(), 2u);
        EXPECT_EQ(warnings.seen[0].files, std::vector<fs::path>{f.path / "a.csv"});
        EXPECT_EQ(warnings.seen[1].files, (std::vector<fs::path>{f.path / "a.csv", f.path / "b.csv"}));
        EXPECT_EQ(warnings.seen[1].cause, "Input/output error");
    }
    EXPECT_EQ(readAll(f.path / "a.csv"), "A");
    EXPECT_EQ(readAll(f.path / "b.csv"), "B");

    ScriptedAnswers dialogs;
    std::string& text = UiTexts::global().messages[static_cast<int>(Msg::FileNotConfirmed)];
    const ScopeGuard restoreText([&text, kept = text] { text = kept; });
    text = "saved %1, unconfirmed: %2";
    writeFileDurably(f.path / "a.csv", "again");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"warning: saved " + (f.path / "a.csv").string() +
                                                      ", unconfirmed: Input/output error"});
}
