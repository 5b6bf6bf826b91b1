#include "tools/StoredTask.h"

#include "lang/Language.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace rectix;
namespace fs = std::filesystem;

namespace {

// One integer from a table file, read with the plain SQLite library as any client would.
long long query(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
    long long v = -1;
    if (sqlite3_step(st) == SQLITE_ROW) v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return v;
}

class StoredTaskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/rectix-stored-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        fs::create_directories(root / "data/home");
        lang::Language::global().applyLanguage(false, 0);
        taskdb::RunStore store;
        taskdb::DataModule dm(store, root);
        dm.dataModuleCreate();
        ASSERT_EQ(store.dbState, 555);
        store.cntEditMode = store.boxEditMode = true;
        dm.conts.append();
        dm.contsType.setString("Truck");
        dm.contsLength.setInteger(1200);
        dm.contsWidth.setInteger(240);
        dm.contsLoadWt.setInteger(20000);
        dm.conts.post();
        dm.boxes.append();
        dm.boxesKind.setString("Pallet");
        dm.boxesLength.setInteger(120);
        dm.boxesWidth.setInteger(80);
        dm.boxesWeight.setInteger(500);
        dm.boxes.post();
        store.optPower = 2;
        store.optTime = 60;
        store.optRand = 1;
        dm.tasks.append();
        dm.tasks.edit();
        dm.tasksName.setString("Sample");
        dm.tasks.post();
        taskID = dm.tasksTaskID.asInteger();
        dm.tc.append();
        dm.tcTypeID.setInteger(dm.contsTypeID.asInteger());
        dm.tcAvail.setInteger(3);
        dm.tc.post();
        dm.tb.append();
        dm.tbKindID.setInteger(dm.boxesKindID.asInteger());
        dm.tbTotal.setInteger(45);
        dm.tb.post();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Runs the harness in-process; its standard output.
    std::string run(std::vector<std::string> extra, int expectStatus = 0) {
        std::vector<std::string> args = {"--taskset", (root / "data/home").string(), "--task",
                                         std::to_string(taskID)};
        args.insert(args.end(), extra.begin(), extra.end());
        testing::internal::CaptureStdout();
        const int status = tools::runStoredTask(args);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, expectStatus);
        return out;
    }

    fs::path home() const { return root / "data/home"; }

    fs::path root;
    std::int32_t taskID = 0;
};

} // namespace

TEST_F(StoredTaskTest, SolvesStoresClearsAndSolvesAgainToTheSamePlan) {
    const auto first = nlohmann::json::parse(run({}));
    EXPECT_EQ(first["LoadedBoxes"], 45);
    EXPECT_EQ(query(home() / "tasks.db", "SELECT Solut FROM tasks"), 1);
    const long long used = first["UsedConts"];
    EXPECT_EQ(query(home() / "solut.db", "SELECT COUNT(*) FROM solut"), used);
    EXPECT_EQ(query(home() / "posit.db", "SELECT COUNT(*) FROM posit"), 45);
    EXPECT_EQ(query(home() / "distr.db", "SELECT SUM(Placed) FROM distr"), 45);
    EXPECT_EQ(query(home() / "tc.db", "SELECT Used FROM tc"), used);
    EXPECT_EQ(query(home() / "tb.db", "SELECT Placed FROM tb"), 45);

    // The reload rebuilds the same boxes.
    const auto reloaded = nlohmann::json::parse(run({"--reload"}));
    EXPECT_EQ(reloaded["boxes"], first["boxes"]);

    run({"--clear"});
    EXPECT_EQ(query(home() / "tasks.db", "SELECT Solut FROM tasks"), 0);
    EXPECT_EQ(query(home() / "posit.db", "SELECT COUNT(*) FROM posit"), 0);
    const auto again = nlohmann::json::parse(run({}));
    EXPECT_EQ(again["boxes"], first["boxes"]);
    EXPECT_EQ(again["containers"], first["containers"]);
}

TEST_F(StoredTaskTest, RefusesWhatItCannotDo) {
    EXPECT_EQ(tools::runStoredTask({"--taskset", "/no/such/folder", "--task", "1"}), 2);
    EXPECT_EQ(tools::runStoredTask({"--taskset", home().string(), "--task", "999"}), 2);
    EXPECT_EQ(tools::runStoredTask({"--taskset", home().string()}), 2);
    run({"--clear"}, 2); // nothing stored to clear yet
}

TEST_F(StoredTaskTest, WritesTheCsvFilesOfTheStoredSolutionIntoSolutions) {
    run({"--csv"}, 2); // no solution yet
    const auto plan = nlohmann::json::parse(run({}));
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    const std::string out = run({"--csv"});
    fs::current_path(previous);
    EXPECT_EQ(out, "solutions/Sample-conts.csv\nsolutions/Sample-distr.csv\nsolutions/Sample-posit.csv\n");
    std::ifstream in(root / "solutions/Sample-posit.csv", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::size_t boxLines = 0;
    for (std::size_t at = text.find("\r\nPallet,"); at != std::string::npos;
         at = text.find("\r\nPallet,", at + 1))
        ++boxLines;
    EXPECT_EQ(boxLines, 45u);
    EXPECT_EQ(text.find("BoxKind,BoxNo,PosX,PosY,PutL,PutW,LoadNo,\r\n"), text.find("\r\n") + 2);
    EXPECT_GT(plan["UsedConts"], 0);
}
