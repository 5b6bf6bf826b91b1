// Prints how long the library commands and the row rules take in the program as the table sets
// grow, and a Solve of the sample task from the window against the harness alone; each figure is
// the median of three runs, each run on a fresh copy of its set. An argument runs only the cases
// whose names contain it.
#include "WindowBench.h"

#include "app/LibraryWindow.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "core/InputFile.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "tools/DataFolders.h"
#include "tools/StoredTask.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace fs = std::filesystem;
using namespace rectix;

namespace {

constexpr int runs = 3;
constexpr int libraryKinds = 5000;

// Dialogs that show nothing: a question that offers All gets it (the edit goes through for
// every task), every other one OK.
class AnsweringDialogs : public bench::SilentDialogs {
  public:
    core::DialogButton show(core::DialogKind, const std::string& text, core::DialogButtons buttons,
                            int) override {
        if (buttons.has(core::DialogButton::All)) return core::DialogButton::All;
        if (!buttons.has(core::DialogButton::Ok)) std::fprintf(stderr, "question: %s\n", text.c_str());
        return core::DialogButton::Ok;
    }
};

// Rows written straight into a table file of the home set, in one transaction.
class TableFile {
  public:
    explicit TableFile(const fs::path& file) {
        if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK)
            throw std::runtime_error("cannot open " + file.string());
        exec("BEGIN");
    }
    ~TableFile() { sqlite3_close(db_); }
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    void exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string why = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(sql.substr(0, 60) + ": " + why);
        }
    }
    void commit() { exec("COMMIT"); }

  private:
    sqlite3* db_ = nullptr;
};

// The sample set of a fresh install with `tasks` more tasks of 3 container rows and 10 box rows
// each over a library of 300 container types and 5,000 box kinds; `quantities` library kinds
// carry a quantity.
fs::path buildProgram(const fs::path& root, const std::string& name, int tasks, int quantities) {
    const fs::path folder = root / name;
    fs::create_directories(folder);
    tools::makeDataFolders(folder, core::readInputFile(RECTIX_SAMPLE_JSON));
    const fs::path home = folder / "data" / "home";
    {
        TableFile conts(home / "conts.db");
        for (int i = 0; i < 300; ++i)
            conts.exec(
                "INSERT INTO conts (Type, Mark, Length, Width, LoadWt, FillDir, Temp, Avail, Cost) VALUES "
                "('Type " +
                std::to_string(i) + "', 'T', " + std::to_string(600 + i) +
                ", 240, 20000, 'Length', 0, 0, 0)");
        conts.commit();
    }
    {
        TableFile boxes(home / "boxes.db");
        for (int i = 0; i < libraryKinds; ++i)
            boxes.exec(
                "INSERT INTO boxes (Kind, Mark, Length, Width, Weight, TurnOn, Temp, Total, Cost) VALUES "
                "('Kind " +
                std::to_string(i) + "', 'K', " + std::to_string(40 + i % 80) + ", " +
                std::to_string(30 + i % 50) + ", 10, 1, 0, " +
                std::to_string(i < quantities ? 1 + i % 5 : 0) + ", 1.5)");
        boxes.commit();
    }
    {
        TableFile taskFile(home / "tasks.db");
        for (int t = 0; t < tasks; ++t)
            taskFile.exec(
                "INSERT INTO tasks (Name, Solut, TurnOn, DefltOn, Power, Time, Rand, Qw, Qc, Qr, BB, BW, "
                "Last) VALUES ('Task " +
                std::to_string(t) + "', 0, 1, 1, 1, 10, 0, 1, 1, 1, 0, 0, 0)");
        taskFile.commit();
    }
    // The sample holds task 1 and the first kinds and types; the new ones follow.
    const int firstTask = 2;
    const int firstType = 4;
    const int firstKind = 5;
    {
        TableFile tc(home / "tc.db");
        for (int t = 0; t < tasks; ++t)
            for (int r = 0; r < 3; ++r)
                tc.exec("INSERT INTO tc VALUES (" + std::to_string(firstTask + t) + ", " +
                        std::to_string(firstType + (t * 7 + r * 101) % 300) + ", 2, 0, 0, 0)");
        tc.commit();
    }
    {
        TableFile tb(home / "tb.db");
        for (int t = 0; t < tasks; ++t)
            for (int r = 0; r < 10; ++r)
                tb.exec("INSERT INTO tb VALUES (" + std::to_string(firstTask + t) + ", " +
                        std::to_string(firstKind + 1000 + (t * 13 + r * 397) % (libraryKinds - 1000)) +
                        ", 4, 0, 0, 0, 0)");
        tb.commit();
    }
    return folder;
}

// The program started on a copy of a built folder, for one run.
class Program {
  public:
    Program(const fs::path& built, const fs::path& runFolder) : folder_(runFolder) {
        fs::remove_all(folder_);
        fs::copy(built, folder_, fs::copy_options::recursive);
        // The copy's pages are written out before the clock runs, not during a timed action.
        ::sync();
        start_ = std::make_unique<app::Startup>(folder_);
        if (start_->run() != app::StartupOutcome::Running)
            throw std::runtime_error("the program did not start");
        dm = start_->dataModule();
        main = start_->mainWindow();
    }
    ~Program() {
        start_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    taskdb::RunStore& store() { return start_->store(); }
    app::LibraryWindow* library(const char* name) {
        auto* w = main->findChild<app::LibraryWindow*>(QString::fromLatin1(name));
        if (!w) throw std::runtime_error(std::string("no window ") + name);
        w->show();
        return w;
    }

    taskdb::DataModule* dm = nullptr;
    app::MainWindow* main = nullptr;

  private:
    fs::path folder_;
    std::unique_ptr<app::Startup> start_;
};

// The median of the runs of `work` (given a fresh program each run), timed by `work` itself.
template <typename F> double median(const fs::path& built, const fs::path& runFolder, F work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        Program p(built, runFolder);
        ms.push_back(work(p));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <typename F> double timed(F f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return bench::msSince(t0);
}

std::string only;

bool wanted(const std::string& label) {
    return label.find(only) != std::string::npos;
}

void print(const std::string& label, double ms) {
    std::printf("%s: %.1f ms\n", label.c_str(), ms);
    std::fflush(stdout);
}

double copyTo(const fs::path& built, const fs::path& runFolder, int kinds) {
    return median(built, runFolder, [kinds](Program& p) {
        app::LibraryWindow* w = p.library("BoxForm");
        const std::size_t before = p.dm->tb.recordCount();
        const double ms = timed([&] { w->moveButtonClick(); });
        if (p.dm->tb.recordCount() != before + static_cast<std::size_t>(kinds))
            throw std::runtime_error("the copy did not add every kind");
        return ms;
    });
}

double editStart(const fs::path& built, const fs::path& runFolder) {
    return median(built, runFolder, [](Program& p) {
        p.store().boxEditMode = true;
        p.store().warnings = true;
        p.store().askEachTaskBoxes = true;
        dataset::Cursor& boxes = p.dm->boxes;
        // A kind of the sample task, which no other task uses.
        if (!boxes.locate("KindID", 1)) throw std::runtime_error("no sample kind");
        const double ms = timed([&] { boxes.edit(); });
        boxes.cancel();
        return ms;
    });
}

void writeImportLines(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < 10000; ++i)
        out << (i % 7 + 1) << " Import" << i << " " << (100 + i % 900) << " " << (50 + i % 400) << " "
            << (i % 300) << "\r\n";
}

} // namespace

int main(int argc, char** argv) {
    bench::WindowBench app(argc, argv);
    if (argc > 1) only = argv[1];
    AnsweringDialogs dialogs;
    const bench::TempRoot temp;
    if (!temp.ok()) return 1;
    const fs::path& root = temp.path();
    const fs::path run = root / "run";
    try {
        std::map<std::pair<int, int>, fs::path> sets;
        auto set = [&](int tasks, int quantities) {
            fs::path& built = sets[{tasks, quantities}];
            if (built.empty())
                built = buildProgram(root, "set-" + std::to_string(tasks) + "-" + std::to_string(quantities),
                                     tasks, quantities);
            return built;
        };

        for (const auto& [label, tasks, kinds] : {std::tuple{"copy-to 100 kinds, 500 tasks", 500, 100},
                                                  std::tuple{"copy-to 100 kinds, 16000 tasks", 16000, 100},
                                                  std::tuple{"copy-to 1000 kinds, 2000 tasks", 2000, 1000}})
            if (wanted(label)) print(label, copyTo(set(tasks, kinds), run, kinds));

        if (wanted("reset 10000 rows") || wanted("import 10000 lines")) {
            const fs::path lines = root / "boxes.txt";
            writeImportLines(lines);
            double importMs = 0;
            const double resetMs = median(set(500, 0), run, [&](Program& p) {
                importMs += timed([&] {
                    const taskdb::BoxImportResult r = taskdb::BoxImporter(*p.dm).importFile(lines, {});
                    if (r.added != 10000)
                        throw std::runtime_error("the import added " + std::to_string(r.added));
                });
                app::LibraryWindow* w = p.library("BoxForm");
                return timed([&] { w->resetButtonClick(); });
            });
            // The import runs once before each reset: its figure is the mean of those runs.
            print("reset 10000 rows", resetMs);
            print("import 10000 lines", importMs / runs);
        }

        if (wanted("edit-start 500 tasks")) print("edit-start 500 tasks", editStart(set(500, 0), run));
        if (wanted("edit-start 16000 tasks")) print("edit-start 16000 tasks", editStart(set(16000, 0), run));

        if (wanted("new-row kind 160000 rows"))
            print("new-row kind 160000 rows", median(set(16000, 0), run, [](Program& p) {
                      taskdb::DataModule& dm = *p.dm;
                      const double ms = timed([&] {
                          dm.tb.append();
                          dm.tbKindID.setInteger(2000);
                      });
                      dm.tb.cancel();
                      return ms;
                  }));

        if (wanted("solve sample window"))
            print("solve sample window", median(set(0, 0), run, [](Program& p) {
                      if (p.dm->tasksSolut.asBoolean()) throw std::runtime_error("the sample is solved");
                      return timed([&] { p.main->runButtonClick(); });
                  }));
        if (wanted("solve sample engine")) {
            const fs::path sample = set(0, 0);
            print("solve sample engine", median(sample, run, [&](Program&) {
                      // The program holds the set; the harness works on a copy of it.
                      const fs::path copy = root / "harness";
                      fs::remove_all(copy);
                      fs::copy(sample / "data" / "home", copy, fs::copy_options::recursive);
                      std::ostringstream plan;
                      std::streambuf* out = std::cout.rdbuf(plan.rdbuf());
                      int status = 0;
                      const double ms = timed([&] {
                          status = tools::runStoredTask({"--taskset", copy.string(), "--task", "1"});
                      });
                      std::cout.rdbuf(out);
                      if (status != 0)
                          throw std::runtime_error("the harness ended with " + std::to_string(status));
                      return ms;
                  }));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_library: %s\n", e.what());
        return 1;
    }
    return 0;
}
