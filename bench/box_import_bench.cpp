// Prints how long the box import takes for 10,000 lines into an empty box library and into one
// that holds 10,000 kinds already, with the data module of the program over a fresh table set.
#include "BenchSupport.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"

#include "lang/Language.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace rectix;

namespace {

constexpr int lines = 10000;

void writeLines(const fs::path& file, const std::string& prefix) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < lines; ++i)
        out << (i % 7 + 1) << " " << prefix << i << " " << (100 + i % 900) << " " << (50 + i % 400) << " "
            << (i % 300) << "\r\n";
}

} // namespace

int main() {
    lang::Language::global().applyLanguage(false, 0);
    const bench::TempRoot temp;
    if (!temp.ok()) return 1;
    const fs::path& root = temp.path();
    int status = 0;
    {
        taskdb::RunStore store;
        taskdb::DataModule dm(store, root);
        dm.dataModuleCreate();
        if (store.dbState != taskdb::RunStore::tablesOpened) {
            std::fprintf(stderr, "box_import_bench: the tables did not open\n");
            status = 1;
        } else {
            for (const char* prefix : {"Kind", "Part"}) {
                const fs::path file = root / "boxes.txt";
                writeLines(file, prefix);
                const auto t0 = std::chrono::steady_clock::now();
                const taskdb::BoxImportResult r = taskdb::BoxImporter(dm).importFile(file, {});
                const double ms = bench::msSince(t0);
                std::printf("box import: %d lines, %d rows added, library of %zu rows after: %.1f ms\n",
                            lines, r.added, dm.boxes.recordCount(), ms);
                for (const std::string& report : r.reports) std::fprintf(stderr, "%s\n", report.c_str());
                if (r.added != lines) status = 1;
            }
        }
    }
    return status;
}
