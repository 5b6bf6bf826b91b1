#include "tools/DataFolders.h"
#include "tools/SignalRemoval.h"

#include "taskdb/SettingsFile.h"

#include "core/DurableFile.h"
#include "core/SideFiles.h"

#include "taskdb/DataModule.h"
#include "taskdb/Schema.h"
#include "taskdb/TableSets.h"

#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <optional>
#include <unistd.h>

namespace rectix::tools {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Names = std::map<std::string, std::int32_t>;

// The side folder a set is made in, ".home.PID-XXXXXX.part" beside "home".
constexpr const char* partKind = "part";

dataset::Value valueOf(const json& v) {
    if (v.is_boolean()) return dataset::Value(v.get<bool>());
    if (v.is_number_integer()) return dataset::Value(v.get<std::int64_t>());
    if (v.is_number()) return dataset::Value(v.get<double>());
    if (v.is_string()) return dataset::Value(v.get<std::string>());
    if (v.is_null()) return {};
    throw SampleDataError("a value that is no number, text or Boolean");
}

const json& rowsIn(const json& parent, const char* member, const std::string& where) {
    static const json none = json::array();
    if (!parent.contains(member)) return none;
    const json& rows = parent.at(member);
    if (!rows.is_array()) throw SampleDataError(where + "\"" + member + "\" is not a list");
    return rows;
}

// Appends one row; `keyName` names a library row that becomes the `keyField`
// value through `names`. Gives the row's first field (its key or TaskID).
std::int32_t appendRow(dataset::Cursor& c, const json& row, const std::string& where,
                       std::initializer_list<std::pair<const char*, dataset::Value>> fixed = {},
                       const char* keyName = nullptr, const char* keyField = nullptr,
                       const Names* names = nullptr) {
    if (!row.is_object()) throw SampleDataError(where + ": a row is not an object");
    try {
        c.append();
        for (const auto& [field, value] : fixed) c.field(field).setValue(value);
        for (const auto& [member, value] : row.items()) {
            if (member == "tc" || member == "tb") continue;
            if (keyName && member == keyName) {
                const auto found = names->find(value.is_string() ? value.get<std::string>() : std::string());
                if (found == names->end()) throw SampleDataError("no library row " + value.dump());
                c.field(keyField).setInteger(found->second);
            } else {
                c.field(member).setValue(valueOf(value));
            }
        }
        c.post();
    } catch (const std::exception& e) {
        throw SampleDataError(where + ": " + e.what());
    }
    return c.fieldAt(0).asInteger();
}

Names appendLibrary(dataset::TableSet& set, const json& sample, const char* table, const char* nameField) {
    dataset::Cursor c(set, table);
    c.open();
    Names names;
    int n = 0;
    for (const json& row : rowsIn(sample, table, "Sample data: ")) {
        const std::string where = std::string("Sample data, ") + table + " row " + std::to_string(++n);
        const std::int32_t id = appendRow(c, row, where);
        names[c.field(nameField).asString()] = id;
    }
    return names;
}

// Gives the first task's TaskID, 0 without tasks.
std::int32_t writeSample(dataset::TableSet& set, const json& sample) {
    dataset::Transaction tx(set);
    const Names types = appendLibrary(set, sample, "conts", "Type");
    const Names kinds = appendLibrary(set, sample, "boxes", "Kind");
    dataset::Cursor tasks(set, "tasks"), tc(set, "tc"), tb(set, "tb");
    for (dataset::Cursor* c : {&tasks, &tc, &tb}) c->open();
    int n = 0;
    std::int32_t first = 0;
    for (const json& task : rowsIn(sample, "tasks", "Sample data: ")) {
        const std::string where = "Sample data, task " + std::to_string(++n);
        const std::int32_t id = appendRow(tasks, task, where);
        if (n == 1) first = id;
        int row = 0;
        for (const json& r : rowsIn(task, "tc", where + ": "))
            appendRow(tc, r, where + ", tc row " + std::to_string(++row), {{"TaskID", id}}, "Type", "TypeID",
                      &types);
        row = 0;
        for (const json& r : rowsIn(task, "tb", where + ": "))
            appendRow(tb, r, where + ", tb row " + std::to_string(++row), {{"TaskID", id}}, "Kind", "KindID",
                      &kinds);
    }
    tx.commit();
    return first;
}

// Gives the set folder `staging` the name `target` unless something holds that name; false then.
bool moveInPlace(const fs::path& staging, const fs::path& target) {
    if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    int error = errno;
    // A file system that cannot refuse to replace: a plain rename still refuses a set with files.
    if (error == EINVAL && ::rename(staging.c_str(), target.c_str()) == 0) return true;
    if (error == EINVAL) error = errno;
    if (error == EEXIST || error == ENOTEMPTY) return false;
    throw fs::filesystem_error("cannot move the new set into place", staging, target,
                               std::error_code(error, std::generic_category()));
}

// A set made in a side folder of its own beside its target, ".home.PID-XXXXXX.part" holding it as
// "set"; from the side folder's making on, SIGINT, SIGTERM and SIGHUP remove it with all it holds.
struct StagedSet {
    StagedSet() = default;
    StagedSet(const StagedSet&) = delete;
    StagedSet& operator=(const StagedSet&) = delete;
    // Before the signals are given back: the side folder goes with the run, and then its lock.
    ~StagedSet() {
        std::error_code ec;
        if (!side.empty()) fs::remove_all(side, ec);
        if (lock >= 0) ::close(lock);
    }
    fs::path set() const { return side / "set"; }

    fs::path target;
    std::optional<SignalRemoval> removal;
    fs::path side;
    int lock = -1;              // the side folder's, which keeps a sweep off it while the run lasts
    std::int32_t firstTask = 0; // the sample's first task, 0 without a sample
    bool placed = false;        // this run gave it the target's name
};

// Makes the set of `alias` in a side folder beside `s.target`, the sample in it when given.
void stage(StagedSet& s, const char* alias, const json* sample) {
    core::removeDeadSideFolders(s.target, {partKind});
    s.removal.emplace();
    try {
        s.side = core::makeSideFolder(s.target, partKind, s.lock);
    } catch (...) {
        s.removal.reset();
        throw;
    }
    // A name too long for the handler leaves the folder to the next run, as a kill does.
    s.removal->watch(s.side);
    fs::create_directory(s.set());
    core::writeFileDurably(s.side / dataset::AliasRegistry::fileName, std::string(alias) + "=set\n");
    {
        dataset::TableSet set(dataset::AliasRegistry(s.side), alias, taskdb::schema());
        set.createTableFiles();
        if (sample) {
            set.open();
            s.firstTask = writeSample(set, *sample);
            set.close();
        }
    }
    // The set's entries reach the disk before the set appears, and its new name after.
    core::syncFolder(s.set());
}

// Puts a staged set in place; false when another run's set stood there first, which then stays.
bool place(StagedSet& s) {
    s.placed = moveInPlace(s.set(), s.target);
    if (s.placed) core::syncFolder(s.target.parent_path());
    return s.placed;
}

// What one lay-out put beside the program. Unless it is done, everything goes again when the
// object does: the sets it put in place back into their side folders, the files it wrote, the
// folders it made; what other runs put there stays.
struct LayOut {
    // From here on a signal removes the part files of the run's writers too.
    LayOut() { removal.watch({}); }
    LayOut(const LayOut&) = delete;
    LayOut& operator=(const LayOut&) = delete;
    ~LayOut() {
        if (done) return;
        for (StagedSet& s : sets)
            if (s.placed && ::rename(s.target.c_str(), s.set().c_str()) == 0)
                syncQuietly(s.target.parent_path());
        for (const fs::path& file : files) {
            std::error_code ec;
            if (fs::remove(file, ec)) syncQuietly(core::folderOf(file));
        }
        for (StagedSet& s : sets) {
            std::error_code ec;
            if (!s.side.empty()) fs::remove_all(s.side, ec);
            s.side.clear();
        }
        for (auto f = folders.rbegin(); f != folders.rend(); ++f) {
            std::error_code ec;
            if (fs::remove(*f, ec)) syncQuietly(core::folderOf(*f));
        }
    }

    // Makes the folders on the way to `folder` that are missing, each durable in its parent.
    void makeFolders(const fs::path& folder) {
        if (folder.empty() || fs::is_directory(folder)) return;
        makeFolders(folder.parent_path());
        if (fs::create_directory(folder)) folders.push_back(folder);
        core::syncFolder(core::folderOf(folder));
    }

    // Writes `text` as a new `target`, unless one exists (a link leading nowhere takes it); gives
    // the file written, empty when none.
    fs::path writeNew(const fs::path& target, const std::string& text) {
        if (fs::exists(target)) return {};
        const fs::path file = core::replacedFile(target);
        core::writeFileDurably(target, text);
        files.push_back(file);
        return file;
    }

    static void syncQuietly(const fs::path& folder) noexcept {
        try {
            core::syncFolder(folder);
        } catch (...) {
        }
    }

    SignalRemoval removal;         // the last to go
    std::array<StagedSet, 3> sets; // home, export, import
    std::vector<fs::path> files;
    std::vector<fs::path> folders; // the outer ones first
    bool done = false;
};

} // namespace

std::vector<fs::path> makeDataFolders(const fs::path& programFolder, const std::string& sampleJson) {
    json sample;
    try {
        sample = json::parse(sampleJson);
    } catch (const json::exception& e) {
        throw SampleDataError(std::string("Sample data: ") + e.what());
    }
    if (!sample.is_object()) throw SampleDataError("Sample data: not a JSON object");

    LayOut layOut;
    layOut.writeNew(programFolder / dataset::AliasRegistry::fileName,
                    "# Table sets of the program: alias=folder, relative to this folder\n"
                    "RectixB=data/home\nRectixexp=data/export\nRectiximp=data/import\n");
    const dataset::AliasRegistry aliases(programFolder);
    for (int set = 0; set < 3; ++set) {
        const char* alias = taskdb::TableSets::aliasNames[set];
        StagedSet& s = layOut.sets[set];
        s.target = aliases.path(alias);
        if (fs::exists(fs::symlink_status(s.target))) {
            // A set that exists is the user's; anything else in its place would stop the program.
            std::error_code ec;
            if (!fs::is_directory(s.target, ec))
                throw SampleDataError(std::string(alias) + ": " + s.target.string() + " is no folder");
            continue;
        }
        layOut.makeFolders(s.target.parent_path());
        stage(s, alias, set == 0 ? &sample : nullptr);
    }

    // The home set last, after its settings file: a kill between two renames leaves sets that a
    // later run keeps and completes, and no home set without the settings that come with it.
    StagedSet& home = layOut.sets[0];
    // A fresh home set comes with the settings that show its first task, so that the first start
    // asks nothing; a settings file that exists is the user's.
    const fs::path settings = programFolder / taskdb::SettingsFile::fileName;
    fs::path settingsWritten;
    if (!home.side.empty() && !fs::exists(fs::symlink_status(settings)))
        settingsWritten = layOut.writeNew(settings, taskdb::SettingsFile::defaultText(home.firstTask));
    for (int set : {1, 2, 0}) {
        StagedSet& s = layOut.sets[set];
        if (s.side.empty() || place(s)) continue;
        // Another run was quicker: its set stands, and with it the settings file.
        if (set == 0) std::erase(layOut.files, settingsWritten);
        std::error_code ec;
        if (!fs::is_directory(s.target, ec))
            throw SampleDataError(std::string(taskdb::TableSets::aliasNames[set]) + ": " + s.target.string() +
                                  " is no folder");
    }
    layOut.done = true;
    std::vector<fs::path> made;
    for (const StagedSet& s : layOut.sets)
        if (s.placed) made.push_back(s.target);
    return made;
}

} // namespace rectix::tools
