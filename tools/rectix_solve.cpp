// Headless harness: solves a task given as JSON and prints the plan as JSON.
#include "StoredTask.h"
#include "TaskFile.h"

#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The work clock of --clock-step: it stands still during a fill and moves on a
// fixed step with every fill, so a run cut by its time limit is reproducible.
const rectix::engine::FillEngine* clockEngine = nullptr;
double clockStepMs = 0;

double workClockMs() {
    return static_cast<double>(clockEngine->totalFillCount()) * clockStepMs;
}

} // namespace

int main(int argc, char** argv) {
    using namespace rectix;
    std::optional<double> clockStep;
    if (argc == 4 && std::string(argv[1]) == "--clock-step") {
        char* end = nullptr;
        clockStep = std::strtod(argv[2], &end);
        if (*end != '\0' || !(*clockStep > 0 && *clockStep <= 60000)) {
            std::cerr << "rectix-solve: --clock-step: " << argv[2] << " is not a step in milliseconds\n";
            return 2;
        }
        argv += 2;
        argc -= 2;
    } else if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0) {
        return tools::runStoredTask(std::vector<std::string>(argv + 1, argv + argc));
    }
    if (argc != 2) {
        std::cerr << "usage: rectix-solve [--clock-step MS] TASK.json\n"
                     "       rectix-solve --taskset DIR --task ID [--clear | --reload | --csv]\n"
                     "       rectix-solve --taskset DIR --import-boxes FILE [--order 0..3] [--separator 0|1] "
                     "[--header]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "rectix-solve: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();

    engine::PackProblem problem;
    engine::NullProgress progress;
    engine::PackRun run(problem, progress);
    if (clockStep) {
        clockEngine = &run.fillEngine();
        clockStepMs = *clockStep;
        run.fillEngine().setClock(&workClockMs);
    }
    std::vector<tools::FixedContainer> fixed;
    try {
        fixed = tools::loadTaskJson(text.str(), problem);
    } catch (const tools::TaskFileError& e) {
        std::cerr << "rectix-solve: " << e.what() << "\n";
        return 2;
    }
    try {
        tools::prepareStart(problem, fixed);
        run.runPacking();
    } catch (const std::exception& e) {
        std::cerr << "rectix-solve: solve failed: " << e.what() << "\n";
        return 1;
    }
    std::cout << tools::planJson(problem, run, run.fillEngine().totalFillCount()) << "\n";
    return 0;
}
