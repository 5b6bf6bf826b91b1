// The harness's scratch folder: made where $TMPDIR says, removed however the run ends, and a
// failure to make or fill it told by what failed.
#include "tools/ScratchFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(ScratchFolder, OnlyTheFoldersOfEndedRunsAreRemoved) {
    TempDir tmp;
    const std::string dead = "rectix-solve-" + std::to_string(deadPid()) + "-abcdef";
    const std::string live = "rectix-solve-" + std::to_string(::getppid()) + "-abcdef";
    for (const std::string& name :
         {dead, live, std::string("rectix-solve-Ab12Cd"), std::string("other-1-abcdef")})
        fs::create_directories(tmp.path / name / "export");
    EXPECT_EQ(ScratchFolder::removeStale(tmp.path), 1);
    EXPECT_FALSE(fs::exists(tmp.path / dead));
    EXPECT_TRUE(fs::exists(tmp.path / live));
    EXPECT_TRUE(fs::exists(tmp.path / "rectix-solve-Ab12Cd")); // no process to ask: kept
    EXPECT_TRUE(fs::exists(tmp.path / "other-1-abcdef"));
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
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &none);
    std::string failure;
    try {
        ScratchFolder scratch("set");
    } catch (const ScratchError& e) {
        failure = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(failure.rfind("cannot write the scratch file " + tmp.path.string() + "/rectix-solve-", 0), 0U)
        << failure;
    EXPECT_NE(failure.find("/aliases.ini: File too large"), std::string::npos) << failure;
    EXPECT_EQ(tmp.entries(), 0); // the folder went with the failure
}

// A run ended by SIGTERM takes its scratch folder with it.
TEST(ScratchFolder, ATerminatedRunRemovesItsFolder) {
    TempDir tmp;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const ScratchFolder scratch("set");
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(tmp.entries(), 1);
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(tmp.entries(), 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace rectix::tools::test
