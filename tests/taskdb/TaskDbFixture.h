#pragma once

#include "WindowDoubles.h"

#include "taskdb/DataModule.h"
#include "taskdb/Figures.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "taskdb/SolveBridge.h"

#include "engine/PackRun.h"
#include "lang/Language.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

namespace rectix::taskdb::test {

namespace fs = std::filesystem;

// A fresh program folder with the three sets, empty, English texts, and a data
// module opened on it with recording windows.
class TaskDbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lang::Language::global().applyLanguage(false, 0);
        char tmpl[] = "/tmp/rectix-taskdb-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        for (const char* set : {"data/home", "data/export", "data/import"})
            fs::create_directories(root / set);
        for (const char* alias : {"RectixB", "Rectixexp", "Rectiximp"})
            dataset::TableSet(dataset::AliasRegistry(root), alias, schema()).createTableFiles();
        reopen();
        ASSERT_EQ(store.dbState, 555);
    }

    void TearDown() override {
        dm.reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // A new data module on the same folder (the old one closes first), created as at start-up.
    void reopen() {
        dm.reset();
        dm = std::make_unique<DataModule>(store, root);
        dm->setTaskPage(&page);
        dm->setWaitWindow(&wait);
        dm->setOperationView(&wait);
        store.dbState = 0;
        dm->dataModuleCreate();
    }

    std::int32_t addContainer(const std::string& name, int length, int width, int loadWt = 1000) {
        const bool mode = std::exchange(store.cntEditMode, true);
        dm->conts.append();
        dm->contsType.setString(name);
        dm->contsLength.setInteger(length);
        dm->contsWidth.setInteger(width);
        dm->contsLoadWt.setInteger(loadWt);
        dm->conts.post();
        store.cntEditMode = mode;
        return dm->contsTypeID.asInteger();
    }

    std::int32_t addBox(const std::string& name, int length, int width, int weight = 10) {
        const bool mode = std::exchange(store.boxEditMode, true);
        dm->boxes.append();
        dm->boxesKind.setString(name);
        dm->boxesLength.setInteger(length);
        dm->boxesWidth.setInteger(width);
        dm->boxesWeight.setInteger(weight);
        dm->boxes.post();
        store.boxEditMode = mode;
        return dm->boxesKindID.asInteger();
    }

    // Appends a task and leaves it current.
    std::int32_t addTask(const std::string& name) {
        dm->tasks.append();
        dm->tasks.edit();
        dm->tasksName.setString(name);
        dm->tasks.post();
        return dm->tasksTaskID.asInteger();
    }

    // Rows of the current task; a used or placed count stands for a stored solution.
    void addTaskContainer(std::int32_t typeID, int avail, int used = 0, double cost = 0) {
        dm->tc.append();
        dm->tcTypeID.setInteger(typeID);
        dm->tcAvail.setInteger(avail);
        dm->tcUsed.setInteger(used);
        dm->tcCost.setFloat(cost);
        dm->tc.post();
    }

    void addTaskBox(std::int32_t kindID, int total, int placed = 0, double cost = 0) {
        dm->tb.append();
        dm->tbKindID.setInteger(kindID);
        dm->tbTotal.setInteger(total);
        dm->tbPlaced.setInteger(placed);
        dm->tbCost.setFloat(cost);
        dm->tb.post();
    }

    // One loaded container of the current task's solution, with one box kind and one box in it.
    void addSolutionContainer(int contNo, std::int32_t typeID, std::int32_t kindID) {
        dm->solut.append();
        dm->solutContNo.setInteger(contNo);
        dm->solutTypeID.setInteger(typeID);
        dm->solutBoxLoad.setInteger(1);
        dm->solut.post();
        dm->distr.append();
        dm->distrKindID.setInteger(kindID);
        dm->distrPlaced.setInteger(1);
        dm->distr.post();
        dm->posit.append();
        dm->positBoxNo.setInteger(contNo);
        dm->positKindID.setInteger(kindID);
        dm->posit.post();
    }

    // A figure of the totals the page was given last, as the page shows it.
    std::string figure(PageFigure f) { return pageFigureText(page.totals, f, core::NumberFormat::point()); }

    fs::path root;
    RunStore store;
    std::unique_ptr<DataModule> dm;
    ScriptedDialog dialogs;
    RecordingPage page;
    RecordingWait wait;
};

// The same with the engine and the solve bridge beside the data module, at the quick settings a
// window could have written (new task rows take them).
class SolvingTest : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        store.optPower = 1;
        store.optTime = 60;
        store.optRand = 1;
        bridge = std::make_unique<SolveBridge>(*dm, problem, run);
    }

    engine::PackProblem problem;
    engine::PackRun run{problem, wait};
    std::unique_ptr<SolveBridge> bridge;
};

// Runs SQL on a table file of a closed set, as another program would; SQLite's result code.
inline int sqlite(const fs::path& file, const std::string& statements) {
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &h, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(h, statements.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(h);
    return rc;
}

inline std::string testData(const std::string& path) {
    return std::string(RECTIX_TEST_DATA) + "/" + path;
}

} // namespace rectix::taskdb::test
