#include "StoredTask.h"

#include "ExitStatus.h"
#include "ScratchFolder.h"
#include "StoredReport.h"
#include "TaskFile.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "dataset/AliasRegistry.h"
#include "dataset/Errors.h"
#include "dataset/TableSet.h"
#include "engine/PackRun.h"
#include "lang/Language.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/Schema.h"
#include "taskdb/SolutionExport.h"
#include "taskdb/SolveBridge.h"
#include "taskdb/TableSets.h"
#include "ui/ShownValue.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

// One line of text: a dialog's line breaks become blanks.
std::string oneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r' || ch == '\n') ch = ' ';
    return text;
}

// Dialogs take the accepting answer; their texts are kept and go to standard error only when the
// action succeeds. A failure is told in one line of its own.
struct StderrDialogs : core::Dialogs {
    core::DialogButton show(core::DialogKind, const std::string& text, core::DialogButtons buttons,
                            int) override {
        plainMessage(text);
        using B = core::DialogButton;
        for (B b : {B::Ok, B::Yes, B::YesToAll, B::All, B::Ignore, B::No, B::NoToAll, B::Cancel})
            if (buttons.has(b)) return b;
        return B::Ok;
    }
    void errorBox(const std::string& text) override { plainMessage(text); }
    void plainMessage(const std::string& text) override { lines.push_back(oneLine(text)); }
    void flush() {
        for (const std::string& line : lines) std::cerr << "rectix-solve: " << line << "\n";
        lines.clear();
    }
    // Every text shown so far in one line; they end the action that showed them.
    std::string joined() const {
        std::string all;
        for (const std::string& line : lines) all += (all.empty() ? "" : " ") + line;
        return all;
    }
    std::vector<std::string> lines;
};

// The dialogs of the process while it lives.
struct InstalledDialogs {
    explicit InstalledDialogs(core::Dialogs& dialogs) : replaced(core::Dialogs::install(&dialogs)) {}
    ~InstalledDialogs() { core::Dialogs::install(replaced); }
    InstalledDialogs(const InstalledDialogs&) = delete;
    InstalledDialogs& operator=(const InstalledDialogs&) = delete;
    core::Dialogs* replaced;
};

// Bad input: one line on standard error, exit status 2.
int refuse(const std::string& text) {
    std::cerr << "rectix-solve: " << oneLine(text) << "\n";
    return 2;
}

// A table set opened as the program opens it, with its own store, the dialogs above and a data
// module over the set. Throws what a failure to get that far is; open when the store's marker is 555.
struct OpenedSet {
    explicit OpenedSet(const fs::path& folder) : program(folder), dm(store, program.path()) {
        dm.setWaitWindow(&wait);
        dm.dataModuleCreate();
    }
    bool isOpen() const { return store.dbState == 555; }

    ScratchFolder program;
    taskdb::RunStore store;
    StderrDialogs dialogs;
    InstalledDialogs installed{dialogs};
    taskdb::NullProgressView wait;
    taskdb::DataModule dm;
};

std::string setContext(const fs::path& folder) {
    return "the table set in " + folder.string();
}

// Empty when `folder` is a folder, else what is there instead.
std::string folderRefusal(const fs::path& folder) {
    std::error_code ec;
    const fs::file_status st = fs::status(folder, ec);
    if (fs::is_directory(st)) return {};
    if (st.type() == fs::file_type::not_found) return "--taskset: no folder " + folder.string();
    if (ec) return "--taskset: " + folder.string() + ": " + ec.message();
    return "--taskset: " + folder.string() + " is a file, not a folder";
}

// The first stored value of the set that its field cannot hold, named by file, row and field;
// empty when all fit or the set cannot be read. An arithmetic or range error far from its row is
// told by this instead.
std::string storedValueMisfit(dataset::TableSet& set) {
    try {
        for (const dataset::TableDef& table : set.schema())
            if (const std::string bad = set.badStoredValue(table.name); !bad.empty())
                return "a stored value does not fit its field: " + bad;
    } catch (const std::exception&) {
        // Then the error that ended the action says it best.
    }
    return {};
}

// Whether the exception being handled is what a stored value that does not fit its field ends
// in: an arithmetic or range error, or a text that is no value of its field.
bool endedByAStoredValue() {
    try {
        throw;
    } catch (const core::RangeError&) {
        return true;
    } catch (const core::OverflowError&) {
        return true;
    } catch (const core::ZeroDivideError&) {
        return true;
    } catch (const core::InvalidOpError&) {
        return true;
    } catch (const dataset::FieldError&) {
        return true;
    } catch (...) {
        return false;
    }
}

// The line and status of the exception being handled, a stored value that does not fit named
// when it was the cause.
Failure failureOn(std::optional<OpenedSet>& set, const fs::path& folder) {
    Failure f = currentFailure(setContext(folder));
    if (set && endedByAStoredValue())
        if (const std::string misfit = storedValueMisfit(set->dm.db); !misfit.empty())
            f = {2, setContext(folder) + ": " + misfit};
    return f;
}

// Why the set did not open: a stored value that does not fit, else the data module's reason.
std::string openRefusal(OpenedSet& set, const fs::path& folder) {
    const std::string misfit = storedValueMisfit(set.dm.db);
    return setContext(folder) + " cannot be opened: " + (misfit.empty() ? set.dm.openError() : misfit);
}

// A whole number from `low` to `high`, the whole text; nothing otherwise.
std::optional<long> optionNumber(const std::string& text, long low, long high) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return std::nullopt;
    return v;
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
    std::vector<std::string> seen;
    std::optional<std::string> action;
    bool hasFolder = false, hasTask = false, outputGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--taskset" || arg == "--task" || arg == "--report" ||
                                arg == "--container" || arg == "-o" || arg == "--import-boxes" ||
                                arg == "--order" || arg == "--separator";
        const bool isAction = arg == "--clear" || arg == "--reload" || arg == "--csv" || arg == "--report" ||
                              arg == "--import-boxes";
        if (!takesValue && !isAction && arg != "--header") return "unknown argument " + arg;
        if (takesValue && i + 1 >= args.size()) return arg + " needs a value";
        for (const std::string& earlier : seen)
            if (earlier == arg) return arg + " is given twice";
        seen.push_back(arg);
        if (isAction) {
            if (action) return *action + " and " + arg + " are two actions: give one";
            action = arg;
        }
        const std::string value = takesValue ? args[++i] : std::string();
        if (arg == "--taskset") {
            r.folder = value;
            hasFolder = true;
        } else if (arg == "--task") {
            const auto id = optionNumber(value, 1, 2147483647);
            if (!id) return "--task: " + value + " is not a task number 1..2147483647";
            r.taskID = *id;
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
            const auto n = optionNumber(value, 1, 25);
            if (!n) return "--container: " + value + " is not a container number 1..25";
            r.report.container = static_cast<int>(*n);
        } else if (arg == "-o") {
            r.report.output = value;
            outputGiven = true;
        } else if (arg == "--import-boxes") {
            r.action = Action::Import;
            r.importFile = value;
        } else if (arg == "--order" || arg == "--separator") {
            const bool order = arg == "--order";
            const auto n = optionNumber(value, 0, order ? 3 : 1);
            if (!n) return arg + ": " + value + " is not " + (order ? "0..3" : "0 or 1");
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
    const bool importOption = std::find_if(seen.begin(), seen.end(), [](const std::string& a) {
                                  return a == "--order" || a == "--separator" || a == "--header";
                              }) != seen.end();
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
    nlohmann::json reports = nlohmann::json::array();
    for (std::string report : result.reports) {
        for (char& ch : report)
            if (ch == '\r') ch = '\n';
        reports.push_back(report);
    }
    std::cout << nlohmann::json{{"Added", result.added}, {"Report", reports}}.dump() << "\n";
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
int writeSolutionFiles(taskdb::DataModule& dm) {
    const std::string date = ui::shownValue(dm.tasksDate, dm.tasksDate.value()).toStdString();
    const taskdb::SolutionExport::Result result = taskdb::SolutionExport(dm).write("solutions", date);
    if (!result.written()) return refuse(result.error); // a folder or disk that takes no files
    for (const fs::path* file : {&result.files.containers, &result.files.boxKinds, &result.files.positions})
        std::cout << file->string() << "\n";
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
        if (const std::string bad = dm.taskSettingsRefusal(); !bad.empty()) return refuse(task + ": " + bad);
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
        break;
    case Action::Clear:
        bridge.clearSolution();
        dialogs.flush();
        std::cout << "{\"TaskID\":" << r.taskID << ",\"Solut\":false}\n";
        return 0;
    case Action::Reload:
        bridge.reloadSolution();
        break;
    case Action::Report:
        if (const std::string failed = printStoredReport(dm, bridge, problem, r.report); !failed.empty())
            return refuse(failed);
        return 0;
    case Action::Csv:
        return writeSolutionFiles(dm);
    case Action::Import:
        break;
    }
    dialogs.flush();
    std::cout << planJson(problem, run, run.fillEngine().totalFillCount()) << "\n";
    return 0;
}

} // namespace

int runStoredTask(const std::vector<std::string>& args) {
    Request r;
    if (const std::string wrong = parse(args, r); !wrong.empty())
        return refuse(wrong + " (rectix-solve --help)");
    if (const std::string wrong = folderRefusal(r.folder); !wrong.empty()) return refuse(wrong);

    lang::Language::global().applyLanguage(false, 0);
    std::optional<OpenedSet> set;
    try {
        set.emplace(r.folder);
        if (!set->isOpen()) return refuse("--taskset: " + openRefusal(*set, r.folder));
        return act(*set, r);
    } catch (const core::SilentAbort&) {
        // A rule refused and showed why.
        return refuse(set ? set->dialogs.joined() : std::string("operation aborted"));
    } catch (...) {
        const Failure f = failureOn(set, r.folder);
        std::cerr << "rectix-solve: " << f.line << "\n";
        return f.status;
    }
}

Failure reloadStoredPlan(const fs::path& folder, long taskID, engine::PackProblem& problem) {
    if (const std::string wrong = folderRefusal(folder); !wrong.empty()) return {2, wrong};
    std::optional<OpenedSet> set;
    try {
        set.emplace(folder);
        taskdb::DataModule& dm = set->dm;
        if (!set->isOpen()) return {2, "--taskset: " + openRefusal(*set, folder)};
        if (!dm.tasks.locate("TaskID", static_cast<std::int32_t>(taskID)))
            return {2, "--task: no task " + std::to_string(taskID) + " in " + folder.string()};
        if (!dm.tasksSolut.asBoolean())
            return {2, "task " + std::to_string(taskID) + " has no stored solution"};
        engine::PackRun run(problem, set->wait);
        taskdb::SolveBridge bridge(dm, problem, run);
        bridge.reloadSolution();
    } catch (const core::SilentAbort&) {
        return {2, set ? set->dialogs.joined() : std::string("operation aborted")};
    } catch (...) {
        return failureOn(set, folder);
    }
    return {0, {}};
}

} // namespace rectix::tools
