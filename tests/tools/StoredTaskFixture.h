#pragma once

#include "tools/StoredTask.h"

#include "dataset/TableSet.h"
#include "lang/Language.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace rectix::tools::test {

namespace fs = std::filesystem;

// One integer from a table file, read with the plain SQLite library as any client would.
inline long long query(const fs::path& file, const std::string& sql) {
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

// One statement run on a table file, as another program would.
inline void exec(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

class StoredTaskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/rectix-stored-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        fs::create_directories(root / "data/home");
        dataset::TableSet(dataset::AliasRegistry(root), "RectixB", taskdb::schema()).createTableFiles();
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

    // Runs the harness in-process, `root` its program folder; its standard output.
    std::string run(std::vector<std::string> extra, int expectStatus = 0) {
        std::vector<std::string> args = {"--taskset", (root / "data/home").string(), "--task",
                                         std::to_string(taskID)};
        args.insert(args.end(), extra.begin(), extra.end());
        testing::internal::CaptureStdout();
        const int status = tools::runStoredTask(args, root);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, expectStatus);
        return out;
    }

    fs::path home() const { return root / "data/home"; }

    fs::path root;
    std::int32_t taskID = 0;
};

} // namespace rectix::tools::test
