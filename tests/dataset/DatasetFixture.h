#pragma once

#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"

#include "TestSchema.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rectix::dataset::test {

namespace fs = std::filesystem;

// A fresh program folder with the home set's folder and its table files.
class DatasetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/rectix-dataset-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        fs::create_directories(root / "data/home");
        fs::create_directories(root / "data/export");
        set = makeSet("RectixB");
        for (const auto& t : set->schema()) set->createTableFile(t.name);
        set->open();
    }

    void TearDown() override {
        set.reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::unique_ptr<TableSet> makeSet(const std::string& alias) const {
        return std::make_unique<TableSet>(AliasRegistry(root), alias, testSchema());
    }

    // The names in `folder` other than table files: part files, journals, kept copies.
    static std::vector<std::string> leftoversIn(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().extension() != ".db") names.push_back(e.path().filename().string());
        return names;
    }

    // Appends one part and posts it; returns its key.
    static std::int32_t addPart(Cursor& parts, const std::string& name, int len, int wid) {
        parts.append();
        parts.field("Name").setString(name);
        parts.field("Len").setInteger(len);
        parts.field("Wid").setInteger(wid);
        parts.post();
        return parts.field("PartID").asInteger();
    }

    // Runs the probe program (a second process) on a set of this program
    // folder and returns its exit code; with `hold`, returns once the probe
    // holds the set open and leaves its pid in `pid`.
    int runProbe(const std::string& alias) const {
        const pid_t pid = spawnProbe(alias, false, nullptr);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t holdWithProbe(const std::string& alias) const {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        const pid_t pid = spawnProbe(alias, true, ready);
        close(ready[1]);
        char c = 0;
        const bool opened = read(ready[0], &c, 1) == 1 && c == 'o';
        close(ready[0]);
        return opened ? pid : -1;
    }

    fs::path root;
    std::unique_ptr<TableSet> set;

  private:
    pid_t spawnProbe(const std::string& alias, bool hold, const int* ready) const {
        const pid_t pid = fork();
        if (pid == 0) {
            if (ready) {
                dup2(ready[1], STDOUT_FILENO);
                close(ready[0]);
            }
            execl(RECTIX_OPEN_PROBE, RECTIX_OPEN_PROBE, root.c_str(), alias.c_str(), hold ? "hold" : nullptr,
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }
};

} // namespace rectix::dataset::test
