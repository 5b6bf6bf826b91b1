#pragma once

#include "TaskDbFixture.h"

#include "taskdb/ExchangeView.h"
#include "taskdb/TableSets.h"
#include "taskdb/TaskCopier.h"

#include <sqlite3.h>

#include <fstream>
#include <functional>

namespace rectix::taskdb::test {

struct RecordingExchange : ExchangeView {
    std::vector<ExchangeState> states;
    int homeFocused = 0;
    void showExchangeState(const ExchangeState& s) override { states.push_back(s); }
    void focusHomeButton() override { ++homeFocused; }
};

// A scripted dialog that runs a step once, when the next plain message shows.
struct HookedDialog : ScriptedDialog {
    std::function<void()> onMessage;
    void plainMessage(const std::string& text) override {
        ScriptedDialog::plainMessage(text);
        if (auto f = std::exchange(onMessage, nullptr)) f();
    }
};

// The data module of TaskDbTest with the table-set routines and the copier on it.
class TableSetsTest : public TaskDbTest {
  protected:
    void SetUp() override {
        TaskDbTest::SetUp();
        sets = std::make_unique<TableSets>(*dm, root);
        sets->setExchangePage(&exchange);
        copier = std::make_unique<TaskCopier>(*dm, *sets);
    }

    void TearDown() override {
        for (sqlite3* h : held) sqlite3_close(h);
        TaskDbTest::TearDown();
    }

    fs::path file(const char* set, const char* table) {
        return root / "data" / set / (std::string(table) + ".db");
    }

    // Holds a table file as another program holding its set would, until the test ends.
    void hold(const char* set, const char* table) {
        held.push_back(nullptr);
        ASSERT_EQ(sqlite3_open(file(set, table).c_str(), &held.back()), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(held.back(), "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }

    // Runs SQL on a table file of a closed set.
    void sql(const char* set, const char* table, const std::string& statement) {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(file(set, table).c_str(), &h), SQLITE_OK);
        const int rc = sqlite3_exec(h, statement.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(h);
        ASSERT_EQ(rc, SQLITE_OK) << statement;
    }

    // The rows of a table, each as text without its TaskID, of one task or of all.
    std::vector<std::string> rowsOf(dataset::TableSet& set, const char* table, std::int32_t taskID = 0) {
        const bool wasOpen = set.isOpen();
        if (!wasOpen) set.open();
        std::vector<std::string> rows;
        {
            dataset::Cursor c(set, table);
            c.open();
            for (c.first(); !c.eof(); c.next()) {
                if (taskID != 0 && c.field("TaskID").asInteger() != taskID) continue;
                rows.emplace_back();
                for (std::size_t i = 0; i < c.fieldCount(); ++i)
                    if (c.fieldAt(i).name() != "TaskID") rows.back() += c.fieldAt(i).asString() + "|";
            }
        }
        if (!wasOpen) set.close();
        return rows;
    }

    // Writes the rows of a file of tests/data/taskdb into the home set; its
    // last task is then current.
    std::int32_t loadRows(const std::string& name) {
        std::ifstream in(testData("taskdb/" + name));
        EXPECT_TRUE(in) << name;
        dm->setTablesActive(false);
        dm->db.open();
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream parts(line);
            std::string table, pair;
            std::getline(parts, table, ';');
            dataset::Cursor c(dm->db, table);
            c.open();
            c.append();
            while (std::getline(parts >> std::ws, pair, ';'))
                c.field(pair.substr(0, pair.find('='))).setString(pair.substr(pair.find('=') + 1));
            c.post();
        }
        EXPECT_TRUE(dm->setTablesActive(true));
        dm->tasks.last();
        return dm->tasksTaskID.asInteger();
    }

    RecordingExchange exchange;
    std::unique_ptr<TableSets> sets;
    std::unique_ptr<TaskCopier> copier;
    std::vector<sqlite3*> held;
};

} // namespace rectix::taskdb::test
