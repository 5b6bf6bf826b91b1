#pragma once

#include "TaskDbFixture.h"

#include "taskdb/ExchangePage.h"
#include "taskdb/TableSets.h"
#include "taskdb/TaskCopier.h"

#include <sqlite3.h>

#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace rectix::taskdb::test {

struct RecordingExchange : ExchangePage {
    std::vector<ExchangeState> states;
    bool enabled = true;
    int homeFocused = 0;
    void ShowExchangeState(const ExchangeState& s) override { states.push_back(s); }
    void SetWindowEnabled(bool on) override { enabled = on; }
    void FocusHomeButton() override { ++homeFocused; }
};

// A scripted dialog that runs a step once, when the next plain message shows.
struct HookedDialog : ScriptedDialog {
    std::function<void()> onMessage;
    void ShowMessage(const std::string& text) override {
        ScriptedDialog::ShowMessage(text);
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
        copier.reset();
        sets.reset();
        TaskDbTest::TearDown();
    }

    fs::path folder(const char* set) { return root / "data" / set; }

    // Holds a table file as another program holding the set would, until the test ends.
    void hold(const char* set, const char* table) {
        sqlite3* h = nullptr;
        const auto file = folder(set) / (std::string(table) + ".db");
        ASSERT_EQ(sqlite3_open(file.c_str(), &h), SQLITE_OK);
        held.push_back(h);
        ASSERT_EQ(sqlite3_exec(h, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;", nullptr, nullptr,
                               nullptr),
                  SQLITE_OK);
    }

    // Runs SQL on a table file of a closed set.
    void sql(const char* set, const char* table, const std::string& statement) {
        sqlite3* h = nullptr;
        const auto file = folder(set) / (std::string(table) + ".db");
        ASSERT_EQ(sqlite3_open(file.c_str(), &h), SQLITE_OK);
        char* err = nullptr;
        const int rc = sqlite3_exec(h, statement.c_str(), nullptr, nullptr, &err);
        const std::string what = err ? err : "";
        sqlite3_free(err);
        sqlite3_close(h);
        ASSERT_EQ(rc, SQLITE_OK) << what;
    }

    // The export set as it can be read now: the working tables' set while they are on it.
    dataset::TableSet& exportSet() { return dm->db.alias() == "Rectixexp" ? dm->db : dm->exdb; }

    // The rows of a table, each as text without its TaskID, of one task or of all.
    std::vector<std::string> rowsOf(dataset::TableSet& set, const char* table,
                                    std::optional<std::int32_t> taskID = {}) {
        const bool wasOpen = set.isOpen();
        if (!wasOpen) {
            TDMForm::EnsureTableFiles(set);
            set.open();
        }
        std::vector<std::string> rows;
        {
            dataset::Cursor c(set, table);
            c.open();
            for (c.first(); !c.eof(); c.next()) {
                if (taskID && c.field("TaskID").asInteger() != *taskID) continue;
                std::string text;
                for (std::size_t i = 0; i < c.fieldCount(); ++i)
                    if (c.fieldAt(i).name() != "TaskID") text += c.fieldAt(i).asString() + "|";
                rows.push_back(text);
            }
        }
        if (!wasOpen) set.close();
        return rows;
    }

    std::size_t count(dataset::TableSet& set, const char* table) { return rowsOf(set, table).size(); }

    // Builds libraries and one task in the home set from a file of
    // tests/data/taskdb; the task is left current.
    std::int32_t loadTask(const std::string& file) {
        std::ifstream in(testData("taskdb/" + file));
        EXPECT_TRUE(in) << file;
        std::map<std::string, std::int32_t> types, kinds;
        std::int32_t task = 0;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string word, name;
            words >> word;
            if (word.empty() || word[0] == '#') continue;
            if (word == "container" || word == "box") {
                int length = 0, width = 0, weight = 0;
                words >> name >> length >> width >> weight;
                (word == "container" ? types : kinds)[name] = word == "container"
                                                                  ? addContainer(name, length, width, weight)
                                                                  : addBox(name, length, width, weight);
            } else if (word == "task") {
                std::getline(words >> std::ws, name);
                task = addTask(name);
            } else if (word == "set") {
                std::string value;
                words >> name;
                std::getline(words >> std::ws, value);
                dm->tasks.edit();
                dm->tasks.field(name).setString(value);
                dm->tasks.post();
            } else if (word == "tc" || word == "tb") {
                int amount = 0, count = 0;
                double cost = 0;
                words >> name >> amount >> count >> cost;
                if (word == "tc")
                    addTaskContainer(types.at(name), amount, count, cost);
                else
                    addTaskBox(kinds.at(name), amount, count, cost);
            } else if (word == "solut") {
                int contNo = 0, boxes = 0;
                words >> contNo >> name >> boxes;
                dm->solut.append();
                dm->solutContNo.setInteger(contNo);
                dm->solutTypeID.setInteger(types.at(name));
                dm->solutBoxLoad.setInteger(boxes);
                dm->solut.post();
            } else if (word == "distr") {
                int placed = 0;
                words >> name >> placed;
                dm->distr.append();
                dm->distrKindID.setInteger(kinds.at(name));
                dm->distrPlaced.setInteger(placed);
                dm->distr.post();
            } else if (word == "posit") {
                int boxNo = 0, x = 0, y = 0, l = 0, w = 0, loadNo = 0;
                words >> boxNo >> name >> x >> y >> l >> w >> loadNo;
                dm->posit.append();
                dm->positBoxNo.setInteger(boxNo);
                dm->positKindID.setInteger(kinds.at(name));
                dm->positPosX.setInteger(x);
                dm->positPosY.setInteger(y);
                dm->positPosLh.setInteger(l);
                dm->positPosWh.setInteger(w);
                dm->positLoadNo.setInteger(loadNo);
                dm->posit.post();
            } else {
                ADD_FAILURE() << file << ": unknown line " << line;
            }
        }
        dm->tasks.locate("TaskID", task);
        return task;
    }

    RecordingExchange exchange;
    std::unique_ptr<TableSets> sets;
    std::unique_ptr<TaskCopier> copier;
    std::vector<sqlite3*> held;
};

} // namespace rectix::taskdb::test
