#include "StoredTask.h"

#include "CommandLine.h"
#include "ExitStatus.h"
#include "MessageLine.h"
#include "OpenedSet.h"
#include "OutputFile.h"
#include "StandardOutput.h"
#include "StoredReport.h"
#include "TaskFile.h"

#include "core/Dialogs.h"
#include "core/DurableFile.h"
#include "core/Errors.h"
#include "dataset/AliasRegistry.h"
#include "dataset/Errors.h"
#include "dataset/TableSet.h"
#include "engine/PackRun.h"
#include "lang/Language.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/Figures.h"
#include "taskdb/RunStore.h"
#include "taskdb/SavedViewSettings.h"
#include "taskdb/Schema.h"
#include "taskdb/SettingsFile.h"
#include "taskdb/SolutionExport.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/TableSets.h"
#include "ui/ShownValue.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

// Bad input: one line on standard error, exit status 2.
int refuse(const std::string& text) {
    tellLine("rectix-solve", oneLine(text));
    return 2;
}

enum class Action { Solve, Clear, Reload, Csv, Report, Import };

struct Request {
    fs::path folder;
    long taskID = 0;
    Action action = Action::Solve;
    ReportRequest report;
    fs::path importFile;
    taskdb::BoxImportOptions importOptions;
};

// Reads the arguments of the stored form into `r`; empty when they are sound, else what is wrong
// in one line. Nothing is opened.
std::string parse(const std::vector<std::string>& args, Request& r) {
    using enum OptionValue;
    std::vector<GivenArgument> given;
    if (std::string wrong = readArguments(args,
                                          {{"--taskset", Next},
                                           {"--task", Next},
                                           {"--clear"},
                                           {"--reload"},
                                           {"--csv"},
                                           {"--report", Next},
                                           {"--container", Next},
                                           {"-o", Next},
                                           {"--import-boxes", Next},
                                           {"--order", Next},
                                           {"--separator", Next},
                                           {"--header"}},
                                          given);
        !wrong.empty())
        return wrong;
    std::optional<std::string> action;
    bool hasFolder = false, hasTask = false, outputGiven = false, importOption = false;
    for (const GivenArgument& g : given) {
        const std::string& arg = g.name;
        const std::string value = g.value.value_or("");
        if (arg.empty()) return "unknown argument " + shortValue(value);
        const bool isAction = arg == "--clear" || arg == "--reload" || arg == "--csv" || arg == "--report" ||
                              arg == "--import-boxes";
        if (isAction) {
            if (action) return *action + " and " + arg + " are two actions: give one";
            action = arg;
        }
        importOption = importOption || arg == "--order" || arg == "--separator" || arg == "--header";
        if (arg == "--taskset") {
            r.folder = value;
            hasFolder = true;
        } else if (arg == "--task") {
            const TaskOption t = readTaskOption(value);
            if (!t.refusal.empty()) return t.refusal;
            r.taskID = t.number;
            hasTask = true;
        } else if (arg == "--clear") {
            r.action = Action::Clear;
        } else if (arg == "--reload") {
            r.action = Action::Reload;
        } else if (arg == "--csv") {
            r.action = Action::Csv;
        } else if (arg == "--report") {
            r.action = Action::Report;
            r.report.kind = value;
        } else if (arg == "--container") {
            const ContainerOption c = readContainerOption(value);
            if (!c.refusal.empty()) return c.refusal;
            r.report.container = c.number;
        } else if (arg == "-o") {
            r.report.output = value;
            outputGiven = true;
        } else if (arg == "--import-boxes") {
            r.action = Action::Import;
            r.importFile = value;
        } else if (arg == "--order" || arg == "--separator") {
            const bool order = arg == "--order";
            const auto n = optionNumber(value, 0, order ? 3 : 1);
            if (!n) return valueRefusal(arg, value, order ? "0..3" : "0 or 1");
            if (order)
                r.importOptions.order = static_cast<int>(*n);
            else
                r.importOptions.comma = *n == 1;
        } else if (arg == "--header") {
            r.importOptions.header = 1;
        }
    }
    if (!hasFolder) return "no --taskset DIR";
    const bool import = r.action == Action::Import;
    if (import == hasTask) return import ? "--import-boxes takes no --task" : "no --task ID";
    if (importOption && !import) return "--order, --separator and --header go with --import-boxes";
    if (r.action == Action::Report) return checkReportRequest(r.report);
    if (r.report.container || outputGiven) return "--container and -o go with --report";
    return {};
}

// Imports the file into the set's box library as the box library window does and prints the rows
// added and the import error reports; a stop at a bad line is bad input.
int importBoxes(OpenedSet& set, const fs::path& file, const taskdb::BoxImportOptions& options) {
    const taskdb::BoxImportResult result = taskdb::BoxImporter(set.dm).importFile(file, options);
    if (!result.unreadable.empty()) return refuse("--import-boxes: " + result.unreadable);
    markChangeInPlace();
    nlohmann::json reports = nlohmann::json::array();
    for (std::string report : result.reports) {
        for (char& ch : report)
            if (ch == '\r') ch = '\n';
        reports.push_back(report);
    }
    printOut(nlohmann::json{{"Added", result.added}, {"Report", reports}}.dump() + "\n");
    if (!result.stopped) {
        set.dialogs.flush();
        return 0;
    }
    std::string why = set.dialogs.joined();
    for (const std::string& report : result.reports) why += (why.empty() ? "" : " ") + oneLine(report);
    return refuse("--import-boxes " + file.string() + ": " + why);
}

// The solution page's File command: the three CSV files of the stored solution, written into
// "solutions" under the current folder; their paths are printed.
int writeSolutionFiles(taskdb::DataModule& dm, const fs::path& tableSet) {
    const taskdb::SolutionFiles files =
        taskdb::SolutionExport::filesFor("solutions", dm.tasksName.asString());
    for (const fs::path* file : {&files.containers, &files.boxKinds, &files.positions}) {
        try {
            if (isTableSetFile(core::replacedFile(*file), tableSet))
                return refuse(file->string() + ": a file of the table set in " + tableSet.string());
        } catch (const core::FileWriteError&) {
            // A loop of links: the export names it.
        }
    }
    const std::string date = ui::shownValue(dm.tasksDate, dm.tasksDate.value()).toStdString();
    const taskdb::SolutionExport::Result result = taskdb::SolutionExport(dm).write("solutions", date);
    if (!result.written()) return refuse(result.error); // a folder or disk that takes no files
    markChangeInPlace();
    for (const fs::path* file : {&result.files.containers, &result.files.boxKinds, &result.files.positions})
        printOut(file->string() + "\n");
    return 0;
}

// The action on the opened set; throws what ends it early.
int act(OpenedSet& set, const Request& r) {
    StderrDialogs& dialogs = set.dialogs;
    taskdb::DataModule& dm = set.dm;
    if (r.action == Action::Import) return importBoxes(set, r.importFile, r.importOptions);
    const std::string task = "task " + std::to_string(r.taskID);
    if (!dm.tasks.locate("TaskID", static_cast<std::int32_t>(r.taskID)))
        return refuse("--task: no task " + std::to_string(r.taskID) + " in " + r.folder.string());
    if (r.action != Action::Report) {
        if (const std::string bad = dm.taskSettingsRefusal(); !bad.empty()) return refuse(bad);
        dm.loadTaskOptions();
    }
    const bool solved = dm.tasksSolut.asBoolean();
    if (r.action == Action::Solve && solved) return refuse(task + " has a stored solution: --clear it first");
    if ((r.action == Action::Clear || r.action == Action::Reload || r.action == Action::Csv) && !solved)
        return refuse(task + " has no stored solution");

    engine::PackProblem problem;
    engine::PackRun run(problem, set.wait);
    taskdb::SolveBridge bridge(dm, problem, run);
    switch (r.action) {
    case Action::Solve:
        if (const std::string refusal = bridge.solveRefusal(); !refusal.empty()) return refuse(refusal);
        bridge.solveTask();
        markChangeInPlace();
        break;
    case Action::Clear:
        bridge.clearSolution();
        markChangeInPlace();
        dialogs.flush();
        printOut("{\"TaskID\":" + std::to_string(r.taskID) + ",\"Solut\":false}\n");
        return 0;
    case Action::Reload:
        bridge.reloadSolution();
        break;
    case Action::Report:
        if (const std::string failed = printStoredReport(dm, bridge, problem, r.report); !failed.empty())
            return refuse(failed);
        return 0;
    case Action::Csv:
        return writeSolutionFiles(dm, r.folder);
    case Action::Import:
        break;
    }
    dialogs.flush();
    printOut(planJson(problem, run, run.fillEngine().totalFillCount()) + "\n");
    return 0;
}

// What the program shows of its settings file in the printed reports and the CSV files.
struct ShownSettings {
    std::int32_t areaMult = 1;
    taskdb::SavedViewSettings view;
};

// Read as the program reads it at start, the language included; a file that cannot be read gives
// the defaults, as there, and no message: the harness's output is the report.
ShownSettings readShownSettings(const fs::path& programFolder) {
    taskdb::RunStore read;
    ShownSettings shown;
    taskdb::SettingsFile(read, shown.view, programFolder).read();
    shown.areaMult = taskdb::areaMultiplier(read.volMltPos);
    return shown;
}

} // namespace

fs::path executableFolder() {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

int runStoredTask(const std::vector<std::string>& args, const fs::path& programFolder) {
    Request r;
    if (const std::string wrong = parse(args, r); !wrong.empty())
        return refuse(wrong + " (rectix-solve --help)");
    if (const std::string wrong = folderRefusal(r.folder); !wrong.empty()) return refuse(wrong);
    if (r.action == Action::Report)
        if (const std::string wrong = outputRefusal(r.report.output, r.folder); !wrong.empty())
            return refuse(wrong);

    lang::Language::global().applyLanguage(false, 0);
    ShownSettings shown;
    if (r.action == Action::Report || r.action == Action::Csv) shown = readShownSettings(programFolder);
    r.report.view = shown.view;
    std::optional<OpenedSet> set;
    try {
        set.emplace(r.folder, shown.areaMult);
        if (!set->isOpen()) return refuse("--taskset: " + openRefusal(*set, r.folder));
        return act(*set, r);
    } catch (const core::SilentAbort&) {
        // A rule refused and showed why.
        return refuse(set ? set->dialogs.joined() : std::string("operation aborted"));
    } catch (...) {
        const Failure f = failureOn(set, r.folder);
        tellLine("rectix-solve", f.line);
        return f.status;
    }
}

} // namespace rectix::tools
