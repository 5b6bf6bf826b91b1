// The program's data on a fresh install: the alias file, the three set
// folders and the sample in the home set; existing data is kept.
#include "tools/DataFolders.h"

#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"

#include "lang/Language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rectix::tools::test {

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::size_t tasksIn(dataset::TableSet& set) {
        set.open();
        std::size_t n = 0;
        {
            dataset::Cursor tasks(set, "tasks");
            tasks.open();
            n = tasks.recordCount();
        }
        set.close();
        return n;
    }

    fs::path root;
};

TEST_F(DataFolders, AFreshFolderGetsTheAliasFileTheThreeSetsAndTheSample) {
    const auto made = MakeDataFolders(root, readFile(RECTIX_SAMPLE_DATA));
    EXPECT_EQ(made, (std::vector<fs::path>{root / "data/home", root / "data/export", root / "data/import"}));
    EXPECT_EQ(namesIn(root), (std::vector<std::string>{"aliases.ini", "data"}));
    const std::vector<std::string> tables{"boxes.db", "conts.db", "distr.db", "posit.db",
                                          "solut.db", "tasks.db", "tb.db",    "tc.db"};
    for (const char* set : {"home", "export", "import"})
        EXPECT_EQ(namesIn(root / "data" / set), tables) << set;

    taskdb::RunStore store;
    taskdb::TDMForm dm(store, root);
    dm.DataModuleCreate();
    ASSERT_EQ(store.DBState, 555);
    EXPECT_EQ(dm.tasksTaskID.asInteger(), 1);
    EXPECT_EQ(dm.tasksName.asString(), "Sample delivery");
    // A task the solver takes: within its limits, every row on a library row.
    EXPECT_GE(store.TotalContainers, 1);
    EXPECT_LE(store.TotalContainers, 24);
    EXPECT_GE(store.TotalBoxes, 1);
    EXPECT_LE(store.TotalBoxes, 1000);
    for (dm.tc.first(); !dm.tc.eof(); dm.tc.next()) EXPECT_FALSE(dm.tcType.asString().empty());
    for (dm.tb.first(); !dm.tb.eof(); dm.tb.next()) EXPECT_FALSE(dm.tbKind.asString().empty());
    EXPECT_EQ(tasksIn(dm.exdb), 0u);
}

TEST_F(DataFolders, ExistingDataIsKept) {
    const std::string aliases = "RectixB=mine\n";
    std::ofstream(root / "aliases.ini") << aliases;
    fs::create_directories(root / "mine");
    std::ofstream(root / "mine/notes.txt") << "mine";

    const auto made = MakeDataFolders(root, readFile(RECTIX_SAMPLE_DATA));
    EXPECT_EQ(made, (std::vector<fs::path>{root / "data/export", root / "data/import"}));
    EXPECT_EQ(namesIn(root / "mine"), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(readFile(root / "aliases.ini"), aliases);

    taskdb::RunStore store;
    {
        taskdb::TDMForm dm(store, root);
        EXPECT_EQ(tasksIn(dm.exdb), 0u);
    }
    std::ofstream(root / "data/import/tasks.db", std::ios::app) << "changed";
    EXPECT_TRUE(MakeDataFolders(root, readFile(RECTIX_SAMPLE_DATA)).empty());
    EXPECT_NE(readFile(root / "data/import/tasks.db").find("changed"), std::string::npos);
}

// Each file under tests/data/samples is sample data with one fault.
class BadSample : public DataFolders,
                  public ::testing::WithParamInterface<std::pair<const char*, std::vector<std::string>>> {};

TEST_P(BadSample, NothingIsMadeAndTheMessageNamesTheFault) {
    const auto& [file, fragments] = GetParam();
    try {
        MakeDataFolders(root, readFile(fs::path(RECTIX_TEST_DATA) / "samples" / file));
        FAIL() << file << ": no error";
    } catch (const SampleDataError& e) {
        for (const auto& f : fragments)
            EXPECT_NE(std::string(e.what()).find(f), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(root / "data/home"));
    EXPECT_FALSE(fs::exists(root / "data/home.part"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSample,
    ::testing::Values(std::pair{"unknown-type.json",
                                std::vector<std::string>{"task 1, tc row 1", "\"Lorry\""}},
                      std::pair{"unknown-field.json", std::vector<std::string>{"conts row 1", "Payload"}},
                      std::pair{"out-of-range.json", std::vector<std::string>{"boxes row 1", "40000"}},
                      std::pair{"truncated.json", std::vector<std::string>{"Sample data:"}}),
    [](const auto& info) {
        std::string n = info.param.first;
        n = n.substr(0, n.find('.'));
        for (char& c : n)
            if (c == '-') c = '_';
        return n;
    });

} // namespace rectix::tools::test
