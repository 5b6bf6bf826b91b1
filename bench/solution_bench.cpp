// Prints how long the solution page takes for a stored plan of 1000 boxes in ten containers:
// creating and opening the page, and writing the three CSV files.
#include "WindowBench.h"
#include "dataset/Transaction.h"
#include "results/SolutionWindow.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolutionExport.h"

#include <QApplication>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace rectix;
namespace fs = std::filesystem;

namespace {

constexpr int kContainers = 10;
constexpr int kKinds = 10;
constexpr int kBoxesPerKind = 10; // in each container: 100 boxes, 1000 in all
constexpr int kRuns = 20;

// The libraries, one task and its stored plan, written in one transaction.
void storePlan(taskdb::DataModule& dm, taskdb::RunStore& store) {
    dataset::Transaction tx(dm.db);
    store.cntEditMode = store.boxEditMode = true;
    dm.conts.append();
    dm.contsType.setString("Trailer");
    dm.contsLength.setInteger(13600);
    dm.contsWidth.setInteger(2450);
    dm.contsLoadWt.setInteger(24000);
    dm.conts.post();
    const std::int32_t typeID = dm.contsTypeID.asInteger();
    std::vector<std::int32_t> kinds;
    for (int k = 0; k < kKinds; ++k) {
        dm.boxes.append();
        dm.boxesKind.setString("Pallet " + std::to_string(k + 1));
        dm.boxesLength.setInteger(300 + 20 * k);
        dm.boxesWidth.setInteger(200 + 10 * k);
        dm.boxesWeight.setInteger(20 + k);
        dm.boxesMark.setString(std::to_string(k));
        dm.boxes.post();
        kinds.push_back(dm.boxesKindID.asInteger());
    }
    store.cntEditMode = store.boxEditMode = false;

    dm.tasks.append();
    dm.tasks.edit();
    dm.tasksName.setString("Thousand boxes");
    dm.tasksTime.setInteger(555); // settings in their ranges, as a solve stores them
    dm.tasksRand.setInteger(1);
    dm.tasks.post();
    dm.tc.append();
    dm.tcTypeID.setInteger(typeID);
    dm.tcAvail.setInteger(kContainers);
    dm.tcUsed.setInteger(kContainers);
    dm.tc.post();
    for (std::int32_t kind : kinds) {
        dm.tb.append();
        dm.tbKindID.setInteger(kind);
        dm.tbTotal.setInteger(kContainers * kBoxesPerKind);
        dm.tbPlaced.setInteger(kContainers * kBoxesPerKind);
        dm.tb.post();
    }
    // Each container's loads as a reload computes them from its boxes (no supports: the span is the length).
    long long weight = 0;
    double area = 0, moment = 0;
    for (int k = 0; k < kKinds; ++k)
        for (int b = 0; b < kBoxesPerKind; ++b) {
            weight += 20 + k;
            area += (300.0 + 20 * k) * (200 + 10 * k);
            moment += (k * 1300 + b % 2 * 650 + (300 + 20 * k) / 2.0) * (20 + k);
        }
    const long long tail = std::llround(moment / 13600);
    // A plan as a reload reads it: boxes numbered as the task's instances are (kind after kind),
    // each kind in a block of two columns and five rows of its own.
    for (int c = 1; c <= kContainers; ++c) {
        dm.solut.append();
        dm.solutContNo.setInteger(c);
        dm.solutTypeID.setInteger(typeID);
        dm.solutBoxLoad.setInteger(kKinds * kBoxesPerKind);
        dm.solutWgtLoad.setInteger(weight);
        dm.solutWolLoad.setFloat(area);
        dm.solutNoseLoad.setInteger(weight - tail);
        dm.solutTailLoad.setInteger(tail);
        dm.solutFixCont.setBoolean(false);
        dm.solut.post();
        for (int k = 0; k < kKinds; ++k) {
            dm.distr.append();
            dm.distrKindID.setInteger(kinds[static_cast<std::size_t>(k)]);
            dm.distrPlaced.setInteger(kBoxesPerKind);
            dm.distr.post();
            for (int b = 0; b < kBoxesPerKind; ++b) {
                dm.posit.append();
                dm.positBoxNo.setInteger((k * kContainers + c - 1) * kBoxesPerKind + b + 1);
                dm.positKindID.setInteger(kinds[static_cast<std::size_t>(k)]);
                dm.positPosX.setInteger(k * 1300 + b % 2 * 650);
                dm.positPosY.setInteger(b / 2 * 480);
                dm.positPosLh.setInteger(300 + 20 * k);
                dm.positPosWh.setInteger(200 + 10 * k);
                dm.positLoadNo.setInteger(k * kBoxesPerKind + b + 1);
                dm.posit.post();
            }
        }
    }
    dm.tasks.edit();
    dm.tasksSolut.setBoolean(true);
    dm.tasks.post();
    tx.commit();
    dm.solut.first();
}

} // namespace

int main(int argc, char** argv) {
    const bench::WindowBench windows(argc, argv);

    const bench::TempRoot temp;
    if (!temp.ok()) return 1;
    const fs::path& root = temp.path();
    fs::current_path(root);
    int status = 0;
    {
        taskdb::RunStore store;
        taskdb::DataModule dm(store, root);
        dm.dataModuleCreate();
        if (store.dbState != taskdb::RunStore::tablesOpened) return 1;
        storePlan(dm, store);
        store.warnings = false;

        auto t0 = std::chrono::steady_clock::now();
        results::SolutionWindow window(dm);
        const double create = bench::msSince(t0);
        t0 = std::chrono::steady_clock::now();
        window.show();
        QApplication::processEvents();
        const double firstShow = bench::msSince(t0);
        window.hide();
        QApplication::processEvents();
        // Each opening finds the rows read again, as after a solve or a task switch.
        const bench::Figures open = bench::measure(kRuns, [&] {
            dm.solut.refresh();
            window.show();
            QApplication::processEvents();
            window.hide();
            QApplication::processEvents();
        });

        const bench::Figures write = bench::measure(kRuns, [&] {
            const auto result = taskdb::SolutionExport(dm).write(root / "solutions", "06/12/2026");
            if (!result.written()) {
                std::fprintf(stderr, "write failed: %s\n", result.error.c_str());
                status = 1;
            }
        });
        const bench::Figures command = bench::measure(kRuns, [&] { window.fileButtonClick(); });
        std::uintmax_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(root / "solutions")) bytes += entry.file_size();

        std::printf("solution page, stored plan of %d boxes in %d containers (%d runs each):\n",
                    kContainers * kKinds * kBoxesPerKind, kContainers, kRuns);
        std::printf("  create the page          %8.2f ms\n", create);
        std::printf("  first opening            %8.2f ms\n", firstShow);
        std::printf("  opening                  %8.2f ms median, %8.2f ms max\n", open.median, open.max);
        std::printf("  write the three files    %8.2f ms median, %8.2f ms max (%ju bytes)\n", write.median,
                    write.max, bytes);
        std::printf("  File button (no dialogs) %8.2f ms median, %8.2f ms max\n", command.median,
                    command.max);
    }
    return status;
}
