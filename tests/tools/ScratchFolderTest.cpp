// The harness's scratch folder: made where $TMPDIR says, removed however the run ends, and a
// failure to make or fill it told by what failed.
#include "tools/ScratchFolder.h"
#include "tools/SignalRemoval.h"

#include "core/DurableFile.h"
#include "core/SideFiles.h"

#include "../support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rectix::tools::test {
namespace {

namespace fs = std::filesystem;

// A temporary folder of the test's own, set as $TMPDIR while the object lives.
class TempDir {
  public:
    TempDir() {
        char tmpl[] = "/tmp/rectix-scratch-XXXXXX";
        path = ::mkdtemp(tmpl);
        const char* old = std::getenv("TMPDIR");
        if (old) saved_ = old;
        ::setenv("TMPDIR", path.c_str(), 1);
    }
    ~TempDir() {
        if (saved_)
            ::setenv("TMPDIR", saved_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        fs::remove_all(path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    int entries() const { return static_cast<int>(std::distance(fs::directory_iterator(path), {})); }

    fs::path path;

  private:
    std::optional<std::string> saved_;
};

// The pid of a process that has ended.
pid_t deadPid() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

TEST(ScratchFolder, PointsTheHomeAliasAtTheSetAndGoesWithTheObject) {
    TempDir tmp;
    fs::path made;
    {
        const ScratchFolder scratch("some/set");
        made = scratch.path();
        EXPECT_EQ(made.parent_path(), tmp.path);
        EXPECT_EQ(made.filename().string().rfind("rectix-solve-" + std::to_string(::getpid()) + "-", 0), 0U);
        std::ifstream aliases(made / "aliases.ini");
        std::string first;
        std::getline(aliases, first);
        EXPECT_EQ(first, "RectixB=" + fs::absolute("some/set").string());
    }
    EXPECT_FALSE(fs::exists(made));
    EXPECT_EQ(tmp.entries(), 0);
}

// Only this user's folders of the shape the tool makes, never through a link: a plain file, a
// link, another user's folder and a name of another shape stay, whatever process they name.
TEST(ScratchFolder, OnlyTheFoldersOfEndedRunsAreRemoved) {
    TempDir tmp;
    const std::string ended = "rectix-solve-" + std::to_string(deadPid()) + "-";
    const std::string dead = ended + "abcdef";
    const std::string live = "rectix-solve-" + std::to_string(::getppid()) + "-abcdef";
    // A leading zero: a process id as no run writes it.
    const std::string zero = "rectix-solve-0" + dead.substr(13);
    const std::vector<std::string> kept = {
        live, "rectix-solve-Ab12Cd", "other-1-abcdef", ended + "ab.def", ended + "others", zero};
    for (const std::string& name :
         {dead, kept[0], kept[1], kept[2], kept[3], kept[4], zero, std::string("linked")})
        fs::create_directories(tmp.path / name / "export");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((tmp.path / kept[4]).c_str(), 65534, 65534), 0);
    }
    std::ofstream(tmp.path / (ended + "a1file")) << "the user's";
    fs::create_directory_symlink(tmp.path / "linked", tmp.path / (ended + "a1link"));
    EXPECT_EQ(ScratchFolder::removeStale(tmp.path), ::geteuid() == 0 ? 1 : 2);
    EXPECT_FALSE(fs::exists(tmp.path / dead));
    for (const std::string& name :
         {kept[0], kept[1], kept[2], kept[3], kept[5], ended + "a1file", ended + "a1link"})
        EXPECT_TRUE(fs::exists(tmp.path / name)) << name;
    EXPECT_EQ(fs::exists(tmp.path / kept[4]), ::geteuid() == 0);
    EXPECT_TRUE(fs::exists(tmp.path / "linked/export"));
}

// A run in another PID namespace, a container or on another host looks gone: its scratch folder or
// data lay-out's side folder stays while the run holds the folder's lock, and goes once it lets go.
// The folders this user's runs make hold it; a folder a sweep took first is no run's.
TEST(ScratchFolder, ARunsFolderStaysWhileItsLockIsHeldThoughTheRunLooksGone) {
    TempDir tmp;
    const std::string pid = std::to_string(deadPid());
    const std::pair<std::string, std::function<int()>> sweeps[] = {
        {"rectix-solve-" + pid + "-Ab3dEf", [&tmp] { return ScratchFolder::removeStale(tmp.path); }},
        {".home." + pid + "-Ab3dEf.part",
         [&tmp] { return core::removeDeadSideFolders(tmp.path / "home", {"part"}); }}};
    for (const auto& [name, sweep] : sweeps) {
        fs::create_directories(tmp.path / name / "set");
        const int run = core::holdMadeFolder(tmp.path / name);
        ASSERT_GE(run, 0) << name;
        EXPECT_EQ(sweep(), 0) << name;
        EXPECT_TRUE(fs::exists(tmp.path / name / "set")) << name;
        ::close(run);
        EXPECT_EQ(sweep(), 1) << name;
        EXPECT_EQ(tmp.entries(), 0) << name;
    }
    int run = -1;
    const ScratchFolder scratch;
    for (const fs::path& made : {scratch.path(), core::makeSideFolder(tmp.path / "home", "part", run)})
        EXPECT_EQ(core::takeLeftover(made, true), -1) << made;
    ::close(run);
    fs::create_directory(tmp.path / "taken");
    const int sweep = core::takeLeftover(tmp.path / "taken", true);
    ASSERT_GE(sweep, 0);
    EXPECT_EQ(core::holdMadeFolder(tmp.path / "taken"), -1);
    EXPECT_EQ(errno, EAGAIN);
    ::close(sweep);
}

TEST(ScratchFolder, WhatCannotBeMadeOrWrittenIsNamed) {
    TempDir tmp;
    ::setenv("TMPDIR", (tmp.path / "none").c_str(), 1);
    try {
        ScratchFolder scratch("set");
        FAIL() << "made a scratch folder in a folder that is not there";
    } catch (const ScratchError& e) {
        EXPECT_EQ(std::string(e.what()), "cannot make a scratch folder in " + (tmp.path / "none").string() +
                                             ": No such file or directory");
    }
    ::setenv("TMPDIR", tmp.path.c_str(), 1);

    // A file size limit of 0 stands for a full disk: the folder is made, its file cannot be.
    std::string failure;
    try {
        const FileSizeLimit full(0);
        ScratchFolder scratch("set");
    } catch (const ScratchError& e) {
        failure = e.what();
    }
    EXPECT_EQ(failure.rfind("cannot write the scratch file " + tmp.path.string() + "/rectix-solve-", 0), 0U)
        << failure;
    EXPECT_NE(failure.find("/aliases.ini: File too large"), std::string::npos) << failure;
    EXPECT_EQ(tmp.entries(), 0); // the folder went with the failure
}

extern "C" void callersHandler(int) {}

// Whether `signal` is held by the thread's mask.
bool held(int signal) {
    sigset_t mask;
    ::sigprocmask(SIG_BLOCK, nullptr, &mask);
    return sigismember(&mask, signal) == 1;
}

// The clean-up stands in for the caller's action while the folder lives, except where the caller
// ignores the signal, and puts that action back; the signals are let in again.
TEST(ScratchFolder, KeepsIgnoredSignalsIgnoredAndPutsTheEarlierActionsBack) {
    TempDir tmp;
    using Handler = void (*)(int);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const Handler earlier : {Handler(SIG_IGN), Handler(SIG_DFL), Handler(callersHandler)}) {
            SCOPED_TRACE(::strsignal(signal));
            struct sigaction saved {};
            ::sigaction(signal, nullptr, &saved);
            std::signal(signal, earlier);
            struct sigaction during {};
            {
                const ScratchFolder scratch("set");
                ::sigaction(signal, nullptr, &during);
                EXPECT_FALSE(held(signal));
            }
            EXPECT_EQ(during.sa_handler == SIG_IGN, earlier == SIG_IGN);
            EXPECT_EQ(during.sa_handler == earlier, earlier == SIG_IGN);
            struct sigaction after {};
            ::sigaction(signal, nullptr, &after);
            EXPECT_EQ(after.sa_handler, earlier);
            EXPECT_FALSE(held(signal));
            ::sigaction(signal, &saved, nullptr);
        }
    }
    EXPECT_EQ(tmp.entries(), 0);
}

// A signal that ends the run takes the folder with everything in it: part files and the table
// folders too. One the caller ignores changes nothing.
TEST(ScratchFolder, ASignalRemovesTheFolderWithWhatItHoldsUnlessTheCallerIgnoresIt) {
    struct Case {
        int signal;
        bool ignored;
        bool filled;
    };
    for (const Case c : {Case{SIGTERM, false, false}, Case{SIGINT, false, true}, Case{SIGHUP, false, true},
                         Case{SIGHUP, true, true}}) {
        SCOPED_TRACE(std::string(::strsignal(c.signal)) + (c.ignored ? ", ignored" : "") +
                     (c.filled ? ", filled" : ""));
        TempDir tmp;
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (c.ignored) std::signal(c.signal, SIG_IGN);
            {
                const ScratchFolder scratch("set");
                if (c.filled) {
                    std::ofstream(scratch.path() / "aliases.ini.part") << "Rectix";
                    fs::create_directories(scratch.path() / "export/deeper");
                    std::ofstream(scratch.path() / "export/boxes.db-journal") << "journal";
                    std::ofstream(scratch.path() / "export/deeper/file") << "file";
                }
                ::raise(c.signal);
                if (!fs::exists(scratch.path() / "export") && c.filled) ::_exit(3);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (c.ignored)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        EXPECT_EQ(tmp.entries(), 0);
    }
}

// A signal that ends the run takes the part files its writers have open, also without a scratch
// folder; their targets stay as they were, and what was committed stays.
TEST(ScratchFolder, ASignalRemovesThePartFilesOfTheRunsWritersAndKeepsTheirTargets) {
    TempDir tmp;
    const fs::path folder = tmp.path / "out";
    fs::create_directory(folder);
    core::writeFileDurably(folder / "kept.csv", "old");
    const pid_t pid = ::fork();
    if (pid == 0) {
        SignalRemoval removal;
        removal.watch({});
        // Writers done before: their slots are free again.
        for (int i = 0; i < 20; ++i) {
            core::DurableReplacement done(folder / "done.csv");
            done.write("done " + std::to_string(i));
            if (i % 2 == 0) done.commit();
        }
        core::DurableReplacement open(folder / "kept.csv"), filled(folder / "new.csv");
        open.write("new");
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"done.csv", "kept.csv"}));
    std::ifstream kept(folder / "kept.csv"), done(folder / "done.csv");
    std::string keptText, doneText;
    std::getline(kept, keptText);
    std::getline(done, doneText);
    EXPECT_EQ(keptText, "old");
    EXPECT_EQ(doneText, "done 18");
}

} // namespace
} // namespace rectix::tools::test
