// Headless harness: solves a task given as JSON and prints the plan as JSON.
#include "CommandLine.h"
#include "ExitStatus.h"
#include "MessageLine.h"
#include "StandardOutput.h"
#include "StoredTask.h"
#include "TaskFile.h"

#include "core/InputFile.h"
#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// Printed for no arguments: every form in one line.
constexpr const char* shortUsage =
    "usage: rectix-solve [--clock-step MS] TASK.json | --taskset DIR --task ID "
    "[--clear|--reload|--csv|--report KIND -o FILE.pdf] | --taskset DIR --import-boxes FILE (--help)\n";

constexpr const char* usage =
    "usage: rectix-solve [--clock-step MS] TASK.json\n"
    "       rectix-solve --taskset DIR --task ID [--clear | --reload | --csv]\n"
    "       rectix-solve --taskset DIR --task ID --report task|solution|containers|boxes|layout "
    "[--container N] -o FILE.pdf\n"
    "       rectix-solve --taskset DIR --import-boxes FILE [--order 0..3] [--separator 0|1] [--header]\n";

// One line on standard error; the exit status for bad input.
int refuse(const std::string& message) {
    rectix::tools::tellLine("rectix-solve", message);
    return 2;
}

// The work clock of --clock-step: it stands still during a fill and moves on a
// fixed step with every fill, so a run cut by its time limit is reproducible.
const rectix::engine::FillEngine* clockEngine = nullptr;
double clockStepMs = 0;

double workClockMs() {
    return static_cast<double>(clockEngine->totalFillCount()) * clockStepMs;
}

int solveTaskFile(const std::string& file, std::optional<double> clockStep) {
    using namespace rectix;
    engine::PackProblem problem;
    engine::NullProgress progress;
    engine::PackRun run(problem, progress);
    if (clockStep) {
        clockEngine = &run.fillEngine();
        clockStepMs = *clockStep;
        run.fillEngine().setClock(&workClockMs);
    }
    try {
        tools::prepareStart(problem, tools::loadTaskJson(core::readInputFile(file), problem));
    } catch (...) {
        const tools::Failure f = tools::currentFailure();
        tools::tellLine("rectix-solve", f.line);
        return f.status;
    }
    try {
        run.runPacking();
    } catch (...) {
        // The file was checked whole: what fails now is the program's fault.
        const tools::Failure f = tools::currentFailure();
        tools::tellLine("rectix-solve", "solve failed: " + f.line);
        return f.status;
    }
    tools::printOut(tools::planJson(problem, run, run.fillEngine().totalFillCount()) + "\n");
    return 0;
}

int run(const std::vector<std::string>& args) {
    using namespace rectix;
    if (args.empty()) {
        std::cerr << shortUsage;
        return 2;
    }
    if (args.size() == 1 && args[0] == "--help") {
        tools::printOut(usage);
        return 0;
    }
    // Any option but --clock-step belongs to the stored form; the step's value may look like one.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--clock-step")
            ++i;
        else if (args[i].rfind("-", 0) == 0)
            return tools::runStoredTask(args);
    }

    std::optional<double> clockStep;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--clock-step") {
            if (clockStep) return refuse("--clock-step is given twice (rectix-solve --help)");
            if (i + 1 >= args.size()) return refuse("--clock-step needs a value (rectix-solve --help)");
            const std::string& text = args[++i];
            char* end = nullptr;
            clockStep = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(*clockStep > 0 && *clockStep <= 60000))
                return refuse(tools::valueRefusal("--clock-step", text, "a step in milliseconds"));
        } else if (file) {
            return refuse("one task file at a time: " + tools::shortValue(*file) + " and " +
                          tools::shortValue(args[i]) + " (rectix-solve --help)");
        } else {
            file = args[i];
        }
    }
    if (!file) return refuse("no task file (rectix-solve --help)");
    return solveTaskFile(*file, clockStep);
}

} // namespace

int main(int argc, char** argv) {
    rectix::tools::holdStandardStreams();
    rectix::tools::warnOnStandardError("rectix-solve");
    return rectix::tools::outputStatus("rectix-solve", run(std::vector<std::string>(argv + 1, argv + argc)));
}
