// Draws a plan to a PNG file through the layout page's drawing routine: a stored solution of a
// table set, or a task in the harness's JSON form solved first.
#include "CommandLine.h"
#include "ExitStatus.h"
#include "HeadlessGui.h"
#include "MessageLine.h"
#include "OutputFile.h"
#include "PlanImage.h"
#include "SignalRemoval.h"
#include "StandardOutput.h"
#include "StoredPlan.h"
#include "TaskFile.h"

#include "core/InputFile.h"
#include "engine/PackRun.h"
#include "engine/Progress.h"
#include "lang/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace rectix;

constexpr const char* usage = "usage: rectix-draw --taskset DIR --task ID [VIEW] -o FILE.png\n"
                              "       rectix-draw TASK.json [VIEW] -o FILE.png\n"
                              "VIEW:  [--container N] [--step K] [--chart] [--grid[=G]] [--size WxH]\n";

struct Arguments {
    std::optional<std::string> taskFile;
    std::optional<std::string> taskSet;
    std::optional<long> taskID;
    std::optional<std::string> output;
    tools::PlanImageOptions view;
};

// One line on standard error; the exit status for bad input.
int refuse(const std::string& message) {
    tools::tellLine("rectix-draw", message);
    return 2;
}

// The tool's end on the exception being handled: one line, its exit status.
int fail(const std::string& context = {}) {
    const tools::Failure f = tools::currentFailure();
    tools::tellLine("rectix-draw", context + f.line);
    return f.status;
}

// An empty string when the arguments are sound, else what is wrong with them.
std::string parse(const std::vector<std::string>& args, Arguments& a) {
    using enum tools::OptionValue;
    std::vector<tools::GivenArgument> given;
    if (std::string wrong = tools::readArguments(args,
                                                 {{"--taskset", Next},
                                                  {"--task", Next},
                                                  {"--container", Next},
                                                  {"--step", Next},
                                                  {"--chart"},
                                                  {"--grid", Attached},
                                                  {"--size", Next},
                                                  {"-o", Next}},
                                                 given);
        !wrong.empty())
        return wrong;
    bool stepGiven = false;
    for (const tools::GivenArgument& g : given) {
        const std::string& arg = g.name;
        const std::string value = g.value.value_or("");
        if (arg.empty()) {
            if (a.taskFile)
                return "one task file at a time: " + tools::shortValue(*a.taskFile) + " and " +
                       tools::shortValue(value);
            a.taskFile = value;
        } else if (arg == "--taskset") {
            a.taskSet = value;
        } else if (arg == "--task") {
            const tools::TaskOption t = tools::readTaskOption(value);
            if (!t.refusal.empty()) return t.refusal;
            a.taskID = t.number;
        } else if (arg == "--container") {
            const tools::ContainerOption c = tools::readContainerOption(value);
            if (!c.refusal.empty()) return c.refusal;
            a.view.container = c.number;
        } else if (arg == "--step") {
            const auto n = tools::optionNumber(value, 1, 1000);
            if (!n) return tools::valueRefusal(arg, value, "a step 1..1000");
            a.view.step = static_cast<int>(*n);
            stepGiven = true;
        } else if (arg == "--chart") {
            a.view.chart = true;
        } else if (arg == "--grid") {
            const auto n = g.value ? tools::optionNumber(value, -4, 4) : std::optional<long>(1);
            if (!n || *n == 0) return tools::valueRefusal(arg, value, "-4..-1 or 1..4");
            a.view.grid = static_cast<int>(*n);
        } else if (arg == "--size") {
            const auto x = value.find('x');
            const auto w = tools::optionNumber(value.substr(0, x), 100, 4000);
            const auto h =
                x == std::string::npos ? std::nullopt : tools::optionNumber(value.substr(x + 1), 100, 4000);
            if (!w || !h) return tools::valueRefusal(arg, value, "WIDTHxHEIGHT, each 100..4000");
            a.view.size = QSize(static_cast<int>(*w), static_cast<int>(*h));
        } else if (arg == "-o") {
            a.output = value;
        }
    }
    if (!a.output) return "no output file: -o FILE.png";
    if (a.taskFile.has_value() == (a.taskSet.has_value() || a.taskID.has_value()))
        return "give either TASK.json or --taskset DIR --task ID";
    if (a.taskSet.has_value() != a.taskID.has_value()) return "--taskset and --task go together";
    if (stepGiven && a.view.container == 0) return "--step needs --container";
    if (a.view.chart && a.view.container != 0) return "--chart shows every container: drop --container";
    return {};
}

} // namespace

int main(int argc, char** argv) {
    tools::holdStandardStreams();
    tools::warnOnStandardError("rectix-draw");
    // A signal that ends the run takes the picture's part file with it.
    tools::SignalRemoval signalRemoval;
    signalRemoval.watch({});
    const tools::HeadlessGui gui("rectix-draw");
    if (argc == 2 && std::string(argv[1]) == "--help") {
        tools::printOut(usage);
        return tools::outputStatus("rectix-draw", 0);
    }
    Arguments a;
    const std::string wrong = parse(std::vector<std::string>(argv + 1, argv + argc), a);
    if (!wrong.empty()) return refuse(wrong + " (rectix-draw --help)");
    if (const std::string refused = tools::outputRefusal(*a.output, a.taskSet.value_or("")); !refused.empty())
        return refuse(refused);

    lang::Language::global().applyLanguage(false, 0);
    engine::PackProblem problem;
    engine::NullProgress progress;
    engine::PackRun run(problem, progress);
    if (a.taskFile) {
        // Read as rectix-solve reads it: the fixed containers of the task are kept.
        std::vector<tools::FixedContainer> fixed;
        try {
            fixed = tools::loadTaskJson(core::readInputFile(*a.taskFile), problem);
        } catch (...) {
            return fail();
        }
        try {
            tools::prepareStart(problem, fixed);
            run.runPacking();
        } catch (...) {
            return fail("solve failed: ");
        }
    } else {
        const tools::Failure failed = tools::reloadStoredPlan(*a.taskSet, *a.taskID, problem);
        if (failed.status != 0) {
            tools::tellLine("rectix-draw", failed.line);
            return failed.status;
        }
    }

    QImage image;
    try {
        image = tools::drawPlanImage(problem, a.view);
    } catch (const std::exception& e) {
        return refuse(e.what());
    }
    try {
        tools::savePlanImage(image, *a.output);
    } catch (...) {
        return fail();
    }
    return 0;
}
