// Draws a plan to a PNG file through the layout page's drawing routine: a stored solution of a
// table set, or a task in the harness's JSON form solved first.
#include "PlanImage.h"
#include "StoredTask.h"
#include "TaskFile.h"

#include "core/InputFile.h"
#include "engine/PackRun.h"
#include "engine/Progress.h"
#include "lang/Language.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
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
    std::cerr << "rectix-draw: " << message << "\n";
    return 2;
}

bool readNumber(const std::string& text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

// An empty string when the arguments are sound, else what is wrong with them.
std::string parse(const std::vector<std::string>& args, Arguments& a) {
    bool stepGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        long n = 0;
        if (arg == "--taskset" && hasValue) {
            a.taskSet = args[++i];
        } else if (arg == "--task" && hasValue) {
            if (!readNumber(args[++i], 1, 2147483647L, n))
                return "--task: " + args[i] + " is not a task number";
            a.taskID = n;
        } else if (arg == "--container" && hasValue) {
            if (!readNumber(args[++i], 1, 24, n))
                return "--container: " + args[i] + " is not a container 1..24";
            a.view.container = static_cast<int>(n);
        } else if (arg == "--step" && hasValue) {
            if (!readNumber(args[++i], 1, 1000, n)) return "--step: " + args[i] + " is not a step 1..1000";
            a.view.step = static_cast<int>(n);
            stepGiven = true;
        } else if (arg == "--chart") {
            a.view.chart = true;
        } else if (arg == "--grid") {
            a.view.grid = 1;
        } else if (arg.rfind("--grid=", 0) == 0) {
            if (!readNumber(arg.substr(7), -4, 4, n) || n == 0)
                return "--grid: " + arg.substr(7) + " is not -4..-1 or 1..4";
            a.view.grid = static_cast<int>(n);
        } else if (arg == "--size" && hasValue) {
            const std::string& size = args[++i];
            const auto x = size.find('x');
            long w = 0, h = 0;
            if (x == std::string::npos || !readNumber(size.substr(0, x), 100, 4000, w) ||
                !readNumber(size.substr(x + 1), 100, 4000, h))
                return "--size: " + size + " is not WIDTHxHEIGHT, each 100..4000";
            a.view.size = QSize(static_cast<int>(w), static_cast<int>(h));
        } else if (arg == "-o" && hasValue) {
            a.output = args[++i];
        } else if (arg.rfind("-", 0) != 0 && !a.taskFile) {
            a.taskFile = arg;
        } else {
            return std::string("unknown or incomplete argument ") + arg;
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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window system's notes are no message of the tool's: standard error holds one line.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "rectix-draw: " << text.toStdString() << "\n";
    });
    QGuiApplication app(argc, argv);
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::cout << usage;
        return 0;
    }
    Arguments a;
    const std::string wrong = parse(std::vector<std::string>(argv + 1, argv + argc), a);
    if (!wrong.empty()) return refuse(wrong + " (rectix-draw --help)");

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
            const tools::Failure f = tools::currentFailure();
            std::cerr << "rectix-draw: " << f.line << "\n";
            return f.status;
        }
        try {
            tools::prepareStart(problem, fixed);
            run.runPacking();
        } catch (...) {
            const tools::Failure f = tools::currentFailure();
            std::cerr << "rectix-draw: solve failed: " << f.line << "\n";
            return f.status;
        }
    } else {
        const tools::Failure failed = tools::reloadStoredPlan(*a.taskSet, *a.taskID, problem);
        if (failed.status != 0) {
            std::cerr << "rectix-draw: " << failed.line << "\n";
            return failed.status;
        }
    }

    QImage image;
    try {
        image = tools::drawPlanImage(problem, a.view);
    } catch (const std::exception& e) {
        return refuse(e.what());
    }
    if (!image.save(QString::fromStdString(*a.output), "PNG")) return refuse("cannot write " + *a.output);
    return 0;
}
