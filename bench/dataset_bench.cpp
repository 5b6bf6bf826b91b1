// Prints how long the table layer takes for what the program repeats most:
// appending rows in one transaction, scrolling a cursor, locating keys.
#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <unistd.h>

using namespace rectix::dataset;
namespace fs = std::filesystem;

namespace {

double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Appends 1,000 rows in one transaction; returns the milliseconds taken.
double appendThousand(TableSet& set, Cursor& c, int batch) {
    const auto t0 = std::chrono::steady_clock::now();
    Transaction tx(set);
    for (int i = 0; i < 1000; ++i) {
        c.append();
        c.field("Grp").setInteger(batch);
        c.field("Num").setInteger(i);
        c.field("Name").setString("row " + std::to_string(batch * 1000 + i));
        c.field("Val").setFloat(i * 0.5);
        c.post();
    }
    tx.commit();
    return msSince(t0);
}

} // namespace

int main() {
    char tmpl[] = "/tmp/rectix-bench-XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    const fs::path root = tmpl;
    fs::create_directories(root / "data/home");
    {
        TableDef rows{"rows",
                      {{"ID", FieldType::AutoInc},
                       {"Grp", FieldType::Int32},
                       {"Num", FieldType::Int32},
                       {"Name", FieldType::String, 25},
                       {"Val", FieldType::Double}},
                      {},
                      {}};
        TableSet set(AliasRegistry(root), "RectixB", {rows});
        set.createTableFile("rows");
        set.open();
        Cursor c(set, "rows");
        c.open();

        const double firstBatch = appendThousand(set, c, 0);
        double lastBatch = 0;
        for (int b = 1; b < 10; ++b) lastBatch = appendThousand(set, c, b);
        std::printf(
            "append 1,000 rows in one transaction: %.2f ms into an empty table, %.2f ms into 9,000 rows "
            "(target < 50 ms)\n",
            firstBatch, lastBatch);

        long steps = 0;
        auto t0 = std::chrono::steady_clock::now();
        for (c.first(); !c.eof(); c.next()) ++steps;
        double ms = msSince(t0);
        std::printf("scroll %ld rows from first to last: %.2f ms, %.3f us a step (target < 100 us)\n", steps,
                    ms, ms * 1000 / static_cast<double>(steps));

        std::mt19937 rng(12345);
        std::uniform_int_distribution<int> id(1, 10000);
        int found = 0;
        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 1000; ++i) found += c.locate("ID", id(rng));
        ms = msSince(t0);
        std::printf(
            "locate 1,000 keys by the primary key: %.2f ms, %.3f us a locate, %d found (target < 100 us)\n",
            ms, ms, found);

        std::uniform_int_distribution<int> grp(0, 9), num(0, 999);
        found = 0;
        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 1000; ++i) found += c.locate("Num", num(rng), "Grp", grp(rng));
        ms = msSince(t0);
        std::printf("locate 1,000 keys by two fields outside the order: %.2f ms, %.3f us a locate, %d found "
                    "(target < 100 us)\n",
                    ms, ms, found);
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
