// Prints how long the reports take to print to a PDF file: a box library of 1000 kinds, and the
// solution report of a container holding 1000 boxes (its container table and its positions).
#include "WindowBench.h"
#include "dataset/Transaction.h"
#include "results/LibraryReport.h"
#include "results/SolutionReport.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "ui/ReportPrinter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace rectix;
namespace fs = std::filesystem;

namespace {

constexpr int kKinds = 1000;
constexpr int kBoxes = 1000;
constexpr int kRuns = 5;

// A library of kKinds box kinds and a task whose one container holds kBoxes of them.
void storeData(taskdb::DataModule& dm, taskdb::RunStore& store) {
    dataset::Transaction tx(dm.db);
    store.cntEditMode = store.boxEditMode = true;
    dm.conts.append();
    dm.contsType.setString("Trailer");
    dm.contsLength.setInteger(13600);
    dm.contsWidth.setInteger(2450);
    dm.contsLoadWt.setInteger(30000);
    dm.conts.post();
    const std::int32_t typeID = dm.contsTypeID.asInteger();
    std::vector<std::int32_t> kinds;
    for (int k = 0; k < kKinds; ++k) {
        dm.boxes.append();
        dm.boxesKind.setString("Carton " + std::to_string(k + 1));
        dm.boxesLength.setInteger(100 + k % 200);
        dm.boxesWidth.setInteger(80 + k % 100);
        dm.boxesWeight.setInteger(5 + k % 20);
        dm.boxesMark.setString(std::to_string(k % 100));
        dm.boxesDescr.setString("carton of size " + std::to_string(k));
        dm.boxes.post();
        kinds.push_back(dm.boxesKindID.asInteger());
    }
    store.cntEditMode = store.boxEditMode = false;
    dm.tasks.append();
    dm.tasks.edit();
    dm.tasksName.setString("Thousand boxes");
    dm.tasks.post();
    dm.solut.append();
    dm.solutContNo.setInteger(1);
    dm.solutTypeID.setInteger(typeID);
    dm.solutBoxLoad.setInteger(kBoxes);
    dm.solutWgtLoad.setInteger(9000);
    dm.solutWolLoad.setFloat(2.6e7);
    dm.solutCostLoad.setFloat(125.5);
    dm.solutFixCont.setBoolean(false);
    dm.solut.post();
    for (int b = 1; b <= kBoxes; ++b) {
        dm.posit.append();
        dm.positBoxNo.setInteger(b);
        dm.positKindID.setInteger(kinds[static_cast<std::size_t>(b % 10)]);
        dm.positPosX.setInteger(b % 100 * 130);
        dm.positPosY.setInteger(b / 100 * 240);
        dm.positPosLh.setInteger(120);
        dm.positPosWh.setInteger(80);
        dm.positLoadNo.setInteger(b);
        dm.posit.post();
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
    {
        taskdb::RunStore store;
        taskdb::DataModule dm(store, root);
        dm.dataModuleCreate();
        if (store.dbState != taskdb::RunStore::tablesOpened) return 1;
        storeData(dm, store);
        const QString pdf = QString::fromStdString((root / "report.pdf").string());

        const results::LibraryReport library(dm, results::LibraryReport::Library::Boxes);
        int libraryPages = 0;
        const bench::Figures boxes =
            bench::measure(kRuns, [&] { libraryPages = ui::ReportPrinter::printToPdf(library.job(), pdf); });
        const auto libraryBytes = fs::file_size(root / "report.pdf");

        results::SolutionReport solution(dm);
        int solutionPages = 0;
        const bench::Figures positions = bench::measure(kRuns, [&] {
            dm.solut.first();
            solution.markSelected();
            solutionPages = ui::ReportPrinter::printToPdf(solution.job(), pdf);
        });
        const auto solutionBytes = fs::file_size(root / "report.pdf");

        std::printf("reports printed to a PDF file (%d runs each; target under 2000 ms):\n", kRuns);
        std::printf("  box library, %d kinds       %8.1f ms median, %8.1f ms max (%d pages, %ju bytes)\n",
                    kKinds, boxes.median, boxes.max, libraryPages, static_cast<std::uintmax_t>(libraryBytes));
        std::printf("  solution, %d boxes          %8.1f ms median, %8.1f ms max (%d pages, %ju bytes)\n",
                    kBoxes, positions.median, positions.max, solutionPages,
                    static_cast<std::uintmax_t>(solutionBytes));
    }
    return 0;
}
