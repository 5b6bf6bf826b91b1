#include "tools/DataFolders.h"

#include "taskdb/SettingsFile.h"

#include "core/DurableFile.h"
#include "core/ScopeGuard.h"
#include "core/SideFiles.h"

#include "taskdb/DataModule.h"
#include "taskdb/Schema.h"
#include "taskdb/TableSets.h"

#include "dataset/AliasRegistry.h"
#include "dataset/Cursor.h"
#include "dataset/TableSet.h"
#include "dataset/Transaction.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>

namespace rectix::tools {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Names = std::map<std::string, std::int32_t>;
using core::ScopeGuard;

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

// What makeSet() did: the set was made, or another run put one in its place first.
struct MadeSet {
    bool made = false;
    std::int32_t firstTask = 0; // the sample's first task, 0 without a sample
};

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

// Makes one set folder in a side folder of its own beside it and moves it into place; a set that
// another run put there first is kept and this one dropped.
MadeSet makeSet(const fs::path& target, const char* alias, const json* sample) {
    core::removeDeadSideFolders(target, {partKind});
    const fs::path staging = core::makeSideFolder(target, partKind);
    const ScopeGuard removeStaging([&staging] {
        std::error_code ec;
        fs::remove_all(staging, ec);
    });
    MadeSet result;
    fs::create_directory(staging / "set");
    core::writeFileDurably(staging / dataset::AliasRegistry::fileName, std::string(alias) + "=set\n");
    {
        dataset::TableSet set(dataset::AliasRegistry(staging), alias, taskdb::schema());
        set.createTableFiles();
        if (sample) {
            set.open();
            result.firstTask = writeSample(set, *sample);
            set.close();
        }
    }
    // The set's entries reach the disk before the set appears, and its new name after.
    core::syncFolder(staging / "set");
    result.made = moveInPlace(staging / "set", target);
    if (result.made) core::syncFolder(target.parent_path());
    return result;
}

// Makes the folders on the way to `folder` that are missing, each durable in its parent.
void makeFolders(const fs::path& folder) {
    if (folder.empty() || fs::is_directory(folder)) return;
    makeFolders(folder.parent_path());
    fs::create_directory(folder);
    core::syncFolder(core::folderOf(folder));
}

} // namespace

std::vector<fs::path> makeDataFolders(const fs::path& programFolder, const std::string& sampleJson) {
    json sample;
    try {
        sample = json::parse(sampleJson);
    } catch (const json::exception& e) {
        throw SampleDataError(std::string("Sample data: ") + e.what());
    }
    if (!sample.is_object()) throw SampleDataError("Sample data: not a JSON object");

    const fs::path aliasFile = programFolder / dataset::AliasRegistry::fileName;
    if (!fs::exists(aliasFile)) {
        core::writeFileDurably(aliasFile,
                               "# Table sets of the program: alias=folder, relative to this folder\n"
                               "RectixB=data/home\nRectixexp=data/export\nRectiximp=data/import\n");
    }
    const dataset::AliasRegistry aliases(programFolder);
    std::vector<fs::path> made;
    for (int set = 0; set < 3; ++set) {
        const char* alias = taskdb::TableSets::aliasNames[set];
        const fs::path target = aliases.path(alias);
        if (fs::exists(fs::symlink_status(target))) {
            // A set that exists is the user's; anything else in its place would stop the program.
            std::error_code ec;
            if (!fs::is_directory(target, ec))
                throw SampleDataError(std::string(alias) + ": " + target.string() + " is no folder");
            continue;
        }
        makeFolders(target.parent_path());
        const MadeSet result = makeSet(target, alias, set == 0 ? &sample : nullptr);
        if (!result.made) {
            // Another run was quicker: its set stands.
            std::error_code ec;
            if (!fs::is_directory(target, ec))
                throw SampleDataError(std::string(alias) + ": " + target.string() + " is no folder");
            continue;
        }
        made.push_back(target);
        // A fresh home set comes with the settings that show its first task, so that the first
        // start asks nothing; a settings file that exists is the user's.
        const fs::path settings = programFolder / taskdb::SettingsFile::fileName;
        if (set == 0 && !fs::exists(fs::symlink_status(settings)))
            core::writeFileDurably(settings, taskdb::SettingsFile::defaultText(result.firstTask));
    }
    return made;
}

} // namespace rectix::tools
