#include "StoredTask.h"

#include "StoredReport.h"
#include "TaskFile.h"

#include "core/Dialogs.h"
#include "dataset/Errors.h"
#include "engine/PackRun.h"
#include "lang/Language.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolutionExport.h"
#include "taskdb/SolveBridge.h"
#include "ui/ShownValue.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Dialogs take the accepting answer; their texts are kept and go to standard
// error only when the action succeeds. A failure is told in one line of its own.
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

// A scratch program folder whose alias file points the home alias at the set's folder.
struct ScratchProgramFolder {
    fs::path path;
    explicit ScratchProgramFolder(const fs::path& set) {
        char tmpl[] = "/tmp/rectix-solve-XXXXXX";
        if (!mkdtemp(tmpl)) throw std::runtime_error("cannot make a scratch folder");
        path = tmpl;
        std::ofstream aliases(path / "aliases.ini");
        aliases << "RectixB=" << fs::absolute(set).string() << "\nRectixexp=" << (path / "export").string()
                << "\nRectiximp=" << (path / "import").string() << "\n";
    }
    ~ScratchProgramFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// A table set opened as the program opens it, with its own store, the dialogs above and a data
// module over the set; open when the store's marker is 555.
struct OpenedSet {
    explicit OpenedSet(const fs::path& folder) : program(folder), dm(store, program.path) {
        dm.setWaitWindow(&wait);
        dm.dataModuleCreate();
    }
    bool isOpen() const { return store.dbState == taskdb::RunStore::tablesOpened; }

    ScratchProgramFolder program;
    taskdb::RunStore store;
    StderrDialogs dialogs;
    InstalledDialogs installed{dialogs};
    taskdb::NullProgressView wait;
    taskdb::DataModule dm;
};

int usage() {
    std::cerr << "usage: rectix-solve [--clock-step MS] TASK.json\n"
                 "       rectix-solve --taskset DIR --task ID [--clear | --reload | --csv]\n"
                 "       rectix-solve --taskset DIR --task ID --report task|solution|containers|boxes|layout "
                 "[--container N] -o FILE.pdf\n"
                 "       rectix-solve --taskset DIR --import-boxes FILE [--order 0..3] [--separator 0|1] "
                 "[--header]\n";
    return 2;
}

// A whole number from `low` to `high`; nothing otherwise.
std::optional<int> optionNumber(const std::string& text, int low, int high) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) return std::nullopt;
    return static_cast<int>(v);
}

// Imports the file into the set's box library as the box library window does and prints the rows
// added and the import error reports; 2 when the import stopped at a bad line.
int importBoxes(taskdb::DataModule& dm, const fs::path& file, const taskdb::BoxImportOptions& options) {
    const taskdb::BoxImportResult result = taskdb::BoxImporter(dm).importFile(file, options);
    nlohmann::json reports = nlohmann::json::array();
    for (std::string report : result.reports) {
        for (char& ch : report)
            if (ch == '\r') ch = '\n';
        reports.push_back(report);
    }
    std::cout << nlohmann::json{{"Added", result.added}, {"Report", reports}}.dump() << "\n";
    return result.stopped ? 2 : 0;
}

// The solution page's File command: the three CSV files of the stored solution, written into
// "solutions" under the current folder; their paths are printed.
int writeSolutionFiles(taskdb::DataModule& dm) {
    const std::string date = ui::shownValue(dm.tasksDate, dm.tasksDate.value()).toStdString();
    const taskdb::SolutionExport::Result result = taskdb::SolutionExport(dm).write("solutions", date);
    if (!result.written()) {
        std::cerr << "rectix-solve: " << result.error << "\n";
        return 1;
    }
    for (const fs::path* file : {&result.files.containers, &result.files.boxKinds, &result.files.positions})
        std::cout << file->string() << "\n";
    return 0;
}

} // namespace

int runStoredTask(const std::vector<std::string>& args) {
    std::optional<fs::path> folder;
    std::optional<long> taskID;
    enum { Solve, Clear, Reload, Csv, Report } action = Solve;
    ReportRequest report;
    bool outputGiven = false;
    std::optional<fs::path> importFile;
    taskdb::BoxImportOptions importOptions;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--taskset" && i + 1 < args.size()) {
            folder = args[++i];
        } else if (args[i] == "--task" && i + 1 < args.size()) {
            char* end = nullptr;
            taskID = std::strtol(args[++i].c_str(), &end, 10);
            if (*end != '\0' || *taskID < 1) {
                std::cerr << "rectix-solve: --task: " << args[i] << " is not a task number\n";
                return 2;
            }
        } else if (args[i] == "--clear") {
            action = Clear;
        } else if (args[i] == "--reload") {
            action = Reload;
        } else if (args[i] == "--csv") {
            action = Csv;
        } else if (args[i] == "--report" && i + 1 < args.size()) {
            action = Report;
            report.kind = args[++i];
        } else if (args[i] == "--container" && i + 1 < args.size()) {
            const auto value = optionNumber(args[i + 1], 1, 25);
            if (!value) {
                std::cerr << "rectix-solve: --container: " << args[i + 1]
                          << " is not a container number 1..25\n";
                return 2;
            }
            report.container = *value;
            ++i;
        } else if (args[i] == "-o" && i + 1 < args.size()) {
            report.output = args[++i];
            outputGiven = true;
        } else if (args[i] == "--import-boxes" && i + 1 < args.size()) {
            importFile = args[++i];
        } else if ((args[i] == "--order" || args[i] == "--separator") && i + 1 < args.size()) {
            const bool order = args[i] == "--order";
            const auto value = optionNumber(args[i + 1], 0, order ? 3 : 1);
            if (!value) {
                std::cerr << "rectix-solve: " << args[i] << ": " << args[i + 1] << " is out of range\n";
                return 2;
            }
            if (order)
                importOptions.order = *value;
            else
                importOptions.comma = *value == 1;
            ++i;
        } else if (args[i] == "--header") {
            importOptions.header = 1;
        } else {
            return usage();
        }
    }
    if (!folder || taskID.has_value() == importFile.has_value()) return usage();
    if (action == Report) {
        if (const std::string wrong = checkReportRequest(report); !wrong.empty()) return refuse(wrong);
    } else if (report.container || outputGiven) {
        return refuse("--container and -o go with --report");
    }
    std::error_code ec;
    if (!fs::is_directory(*folder, ec)) {
        std::cerr << "rectix-solve: --taskset: no folder " << folder->string() << "\n";
        return 2;
    }

    lang::Language::global().applyLanguage(false, 0);
    OpenedSet set(*folder);
    StderrDialogs& dialogs = set.dialogs;
    taskdb::NullProgressView& wait = set.wait;
    taskdb::DataModule& dm = set.dm;
    if (!set.isOpen())
        return refuse("--taskset: the table set in " + folder->string() +
                      " cannot be opened: " + dm.openError());
    if (importFile) {
        const int status = importBoxes(dm, *importFile, importOptions);
        dialogs.flush();
        return status;
    }
    if (!dm.tasks.locate("TaskID", *taskID))
        return refuse("--task: no task " + std::to_string(*taskID) + " in " + folder->string());
    if (action != Report) {
        if (const std::string bad = dm.taskSettingsRefusal(); !bad.empty()) return refuse(bad);
        dm.loadTaskOptions();
    }

    engine::PackProblem problem;
    engine::PackRun run(problem, wait);
    taskdb::SolveBridge bridge(dm, problem, run);
    try {
        switch (action) {
        case Solve: {
            if (dm.tasksSolut.asBoolean())
                return refuse("task " + std::to_string(*taskID) + " has a stored solution: --clear it first");
            const std::string refusal = bridge.solveRefusal();
            if (!refusal.empty()) return refuse(refusal);
            bridge.solveTask();
            break;
        }
        case Clear:
            if (!dm.tasksSolut.asBoolean())
                return refuse("task " + std::to_string(*taskID) + " has no stored solution");
            bridge.clearSolution();
            dialogs.flush();
            std::cout << "{\"TaskID\":" << *taskID << ",\"Solut\":false}\n";
            return 0;
        case Reload:
            if (!dm.tasksSolut.asBoolean())
                return refuse("task " + std::to_string(*taskID) + " has no stored solution");
            bridge.reloadSolution();
            break;
        case Report: {
            const std::string failed = printStoredReport(dm, bridge, problem, report);
            if (!failed.empty()) return refuse(failed);
            return 0;
        }
        case Csv:
            if (!dm.tasksSolut.asBoolean()) {
                std::cerr << "rectix-solve: task " << *taskID << " has no stored solution\n";
                return 2;
            }
            return writeSolutionFiles(dm);
        }
    } catch (const taskdb::BridgeError& e) {
        return refuse(e.what()); // stored rows that do not fit their task
    } catch (const dataset::DatabaseError& e) {
        return refuse(e.what()); // a damaged table file
    } catch (const std::exception& e) {
        std::cerr << "rectix-solve: " << oneLine(e.what()) << "\n";
        return 1;
    }
    dialogs.flush();
    std::cout << planJson(problem, run, run.fillEngine().totalFills) << "\n";
    return 0;
}

std::string reloadStoredPlan(const fs::path& folder, long taskID, engine::PackProblem& problem) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return "--taskset: no folder " + folder.string();
    OpenedSet set(folder);
    taskdb::DataModule& dm = set.dm;
    if (!set.isOpen()) return "--taskset: the table set in " + folder.string() + " cannot be opened";
    if (!dm.tasks.locate("TaskID", taskID))
        return "--task: no task " + std::to_string(taskID) + " in " + folder.string();
    if (!dm.tasksSolut.asBoolean()) return "task " + std::to_string(taskID) + " has no stored solution";
    engine::PackRun run(problem, set.wait);
    taskdb::SolveBridge bridge(dm, problem, run);
    try {
        bridge.reloadSolution();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace rectix::tools
