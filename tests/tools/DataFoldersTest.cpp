// The program's data on a fresh install: the alias file, the three set
// folders and the sample in the home set; existing data is kept.
#include "tools/DataFolders.h"
#include "../support/DeadProcess.h"
#include "../support/FileText.h"
#include "../support/SyncRecorder.h"

#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"

#include "core/Dialogs.h"
#include "core/DurableFile.h"
#include "core/SideFiles.h"
#include "dataset/AliasRegistry.h"
#include "lang/Language.h"
#include "taskdb/SavedViewSettings.h"
#include "taskdb/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

namespace rectix::tools::test {

namespace fs = std::filesystem;

namespace {

// Records every message instead of showing it.
class RecordedDialogs : public core::Dialogs {
  public:
    RecordedDialogs() : previous_(install(this)) {}
    ~RecordedDialogs() override { install(previous_); }
    core::DialogButton show(core::DialogKind, const std::string& text, core::DialogButtons, int) override {
        shown.push_back(text);
        return core::DialogButton::Ok;
    }
    void errorBox(const std::string& text) override { shown.push_back(text); }
    void plainMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;

  private:
    core::Dialogs* previous_;
};

// Every name in `folder`, hidden ones included; none when there is no folder.
std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> all;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        all.insert(it->path().filename().string());
    return all;
}

} // namespace

class DataFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        lang::Language::global().applyLanguage(false, 0);
        char tmpl[] = "/tmp/rectix-data-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
    }
    void TearDown() override { fs::remove_all(root); }

    std::vector<fs::path> make() { return makeDataFolders(root, readFile(RECTIX_SAMPLE_DATA)); }

    fs::path root;
    taskdb::RunStore store;
};

TEST_F(DataFolders, AFreshFolderGetsTheAliasFileTheThreeSetsAndASolvableSample) {
    EXPECT_EQ(make(),
              (std::vector<fs::path>{root / "data/home", root / "data/export", root / "data/import"}));
    EXPECT_TRUE(fs::exists(root / "aliases.ini"));
    for (const char* set : {"home", "export", "import"}) {
        std::size_t files = 0;
        for (const auto& e : fs::directory_iterator(root / "data" / set))
            files += e.path().extension() == ".db";
        EXPECT_EQ(files, 8u) << set;
    }
    EXPECT_EQ(names(root / "data"), (std::set<std::string>{"export", "home", "import"}));

    taskdb::DataModule dm(store, root);
    dm.dataModuleCreate();
    ASSERT_EQ(store.dbState, 555);
    EXPECT_EQ(dm.tasksTaskID.asInteger(), 1);
    EXPECT_EQ(dm.tasksName.asString(), "Sample delivery");
    // Within the solver's limits, and every row on a library row.
    EXPECT_TRUE(store.totalContainers >= 1 && store.totalContainers <= 24) << store.totalContainers;
    EXPECT_TRUE(store.totalBoxes >= 1 && store.totalBoxes <= 1000) << store.totalBoxes;
    for (dm.tc.first(); !dm.tc.eof(); dm.tc.next()) EXPECT_FALSE(dm.tcType.asString().empty());
    for (dm.tb.first(); !dm.tb.eof(); dm.tb.next()) EXPECT_FALSE(dm.tbKind.asString().empty());
}

// A new user's first start reads sound settings: no message, the defaults, the sample shown.
TEST_F(DataFolders, AFreshInstallHasTheDefaultSettingsShowingTheSample) {
    make();
    ASSERT_TRUE(fs::exists(root / "rectix.ini"));
    RecordedDialogs dialogs;
    taskdb::SavedViewSettings view;
    taskdb::SettingsFile(store, view, root).loadIni();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(store.lastTaskID, 1);
    EXPECT_EQ(store.volMltPos, 3);
    EXPECT_EQ(store.optPower, 5);
    EXPECT_EQ(store.optTime, 555);
    EXPECT_EQ(store.optRand, 1);
    EXPECT_TRUE(store.optLast);
    EXPECT_TRUE(store.taskOptSet);
    EXPECT_FALSE(view.saved());
    EXPECT_EQ(lang::Language::global().langIndex(), 0);
    EXPECT_EQ(readFile(root / "rectix.ini"), taskdb::SettingsFile::defaultText(1));
}

TEST_F(DataFolders, ASettingsFileThatExistsIsKept) {
    std::ofstream(root / "rectix.ini") << "mine\r\n";
    make();
    EXPECT_EQ(readFile(root / "rectix.ini"), "mine\r\n");
    fs::remove(root / "rectix.ini");
    make(); // the home set exists: its settings are the user's to lose
    EXPECT_FALSE(fs::exists(root / "rectix.ini"));
}

// The user's folders named like a set's part folder stay; what a killed run left goes.
TEST_F(DataFolders, ExistingDataIsKept) {
    std::ofstream(root / "aliases.ini") << "RectixB=mine\n";
    fs::create_directories(root / "mine");
    const std::string dead = ".export." + std::to_string(deadProcess()) + "-Ab3dEf.part";
    for (const char* folder : {"data/export.part", "data/.export.part", "data/.export.1-Ab3dEf.part"})
        fs::create_directories(root / folder / "set");
    fs::create_directories(root / "data" / dead / "set");
    std::ofstream(root / "data/export.part/notes.txt") << "mine";
    EXPECT_EQ(make(), (std::vector<fs::path>{root / "data/export", root / "data/import"}));
    EXPECT_TRUE(fs::is_empty(root / "mine"));
    EXPECT_EQ(readFile(root / "aliases.ini"), "RectixB=mine\n");
    EXPECT_EQ(names(root / "data"), (std::set<std::string>{".export.1-Ab3dEf.part", ".export.part", "export",
                                                           "export.part", "import"}));
    EXPECT_EQ(readFile(root / "data/export.part/notes.txt"), "mine");

    std::ofstream(root / "data/import/tasks.db", std::ios::app) << "changed";
    EXPECT_TRUE(make().empty());
    EXPECT_NE(readFile(root / "data/import/tasks.db").find("changed"), std::string::npos);
}

// A file or a device where a set's folder should be is refused by name, not passed over: the
// program could not start on it.
TEST_F(DataFolders, WhatStandsInASetsPlaceIsNoFolderIsRefused) {
    std::ofstream(root / "aliases.ini") << "RectixB=/dev/zero\n";
    try {
        make();
        FAIL() << "no error";
    } catch (const SampleDataError& e) {
        EXPECT_NE(std::string(e.what()).find("RectixB: /dev/zero is no folder"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(fs::exists(root / "data"));
}

// Each file under tests/data/samples is sample data with one fault, which the message names.
TEST_F(DataFolders, AFaultySampleMakesNoHomeSetAndNamesTheFault) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"unknown-type.json", {"task 1, tc row 1", "\"Lorry\""}},
        {"unknown-field.json", {"conts row 1", "Payload"}},
        {"out-of-range.json", {"boxes row 1", "40000"}},
        {"truncated.json", {"Sample data:"}}};
    for (const auto& [file, fragments] : cases) {
        try {
            makeDataFolders(root, readFile(fs::path(RECTIX_TEST_DATA) / "samples" / file));
            ADD_FAILURE() << file << ": no error";
        } catch (const SampleDataError& e) {
            for (const auto& f : fragments)
                EXPECT_NE(std::string(e.what()).find(f), std::string::npos) << e.what();
        }
        EXPECT_TRUE(names(root / "data").empty()) << file;
    }
}

// A lay-out that fails once sets are in place takes back all it made, the alias file, the settings
// file and the folders on the way included; what was there before stays.
TEST_F(DataFolders, ALayOutThatFailsLeavesTheFolderAsItWas) {
    struct Case {
        const char* aliases;    // none: the lay-out writes the alias file
        const char* failingDir; // its sync fails once a set is put in it
        std::set<std::string> left;
    };
    const Case cases[] = {
        {nullptr, "data", {}},
        {"RectixB=h/home\nRectixexp=e/export\nRectiximp=i/import\n", "h", {"aliases.ini", "i"}}};
    for (const Case& c : cases) {
        fs::remove_all(root);
        fs::create_directories(root);
        if (c.aliases) {
            std::ofstream(root / "aliases.ini") << c.aliases;
            fs::create_directories(root / "i/import");
            std::ofstream(root / "i/import/notes.txt") << "mine";
        }
        sync_recorder::clear();
        sync_recorder::failing = (root / c.failingDir).string();
        EXPECT_THROW(make(), core::FileWriteError) << c.failingDir;
        sync_recorder::clear();
        EXPECT_EQ(names(root), c.left) << c.failingDir;
        if (c.aliases) {
            EXPECT_EQ(names(root / "i/import"), std::set<std::string>{"notes.txt"});
        }
    }
}

// A power loss right after a fresh install keeps what it made: the files are synced before their
// renames, each set folder's entries before it is moved into place, and the folders that took a
// new name after.
TEST_F(DataFolders, AFreshInstallReachesTheDiskBeforeItEnds) {
    sync_recorder::synced.clear();
    make();
    const std::vector<std::string>& synced = sync_recorder::synced;
    auto wasSynced = [&synced](const fs::path& p) {
        return std::find(synced.begin(), synced.end(), p.string()) != synced.end();
    };
    for (const fs::path& p : {root, root / "data"}) EXPECT_TRUE(wasSynced(p)) << p;
    // Each set's folder while it was made, in its side folder.
    for (const char* set : {"home", "export", "import"})
        EXPECT_TRUE(std::any_of(synced.begin(), synced.end(), [set](const fs::path& p) {
            return p.filename() == "set" &&
                   core::sideFileOwner(p.parent_path().filename().string(), set, {"part"}) == ::getpid();
        })) << set;
    for (const fs::path& p : {root / dataset::AliasRegistry::fileName, root / "rectix.ini"})
        EXPECT_EQ(sync_recorder::replacementSteps(p),
                  (std::vector<std::string>{"sync part", "rename", "sync folder"}))
            << p;
}

} // namespace rectix::tools::test
