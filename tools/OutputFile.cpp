#include "OutputFile.h"

#include "core/DurableFile.h"
#include "core/SideFiles.h"
#include "dataset/PartFile.h"
#include "taskdb/Schema.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool startsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// A table file's name or one of the journals SQLite keeps beside it, there or not; in any case,
// as a folder that ignores case would take it.
bool isTableFileName(std::string_view name) {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> names;
        for (const dataset::TableDef& table : taskdb::schema()) names.push_back(table.fileName());
        return names;
    }();
    for (const std::string& file : files) {
        if (!startsWithNoCase(name, file)) continue;
        const std::string_view rest = name.substr(file.size());
        for (std::string_view journal : {"", "-journal", "-wal", "-shm"})
            if (rest.size() == journal.size() && startsWithNoCase(rest, journal)) return true;
        if (startsWithNoCase(rest, "-mj")) return true; // a super-journal
    }
    return false;
}

} // namespace

std::string outputRefusal(const fs::path& file, const fs::path& tableSet) {
    try {
        // A link is followed: the file it leads to is replaced, in its own folder.
        const fs::path target = core::replacedFile(file);
        const fs::path folder = core::folderOf(target);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) throw core::FileWriteError(folder, std::strerror(errno));
        if (!S_ISDIR(st.st_mode)) throw core::FileWriteError(folder, "not a folder");
        if (!tableSet.empty() && isTableSetFile(target, tableSet))
            throw core::FileWriteError(file, "a file of the table set in " + tableSet.string());
        // A later write or opening beside it would take it for a killed run's leftover and remove it.
        if (core::isSideFileName(target.filename().string(),
                                 {core::DurableReplacement::partKind, dataset::PartFile::journalKind,
                                  dataset::PartFile::keptCopyKind}))
            throw core::FileWriteError(file, "a name of the tools' own part files");
        // The new file is written beside the target, then put in its place.
        if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            throw core::FileWriteError(folder, std::strerror(errno));
        core::checkReplaceable(file);
    } catch (const core::FileWriteError& e) {
        return std::string("-o: ") + e.what();
    }
    return {};
}

bool isTableSetFile(const fs::path& file, const fs::path& tableSet) {
    struct stat set {
    }, folder{}, target{};
    if (::stat(tableSet.c_str(), &set) != 0) return false;
    const bool named = ::stat(core::folderOf(file).c_str(), &folder) == 0 && sameFile(folder, set) &&
                       isTableFileName(file.filename().string());
    if (named || ::stat(file.c_str(), &target) != 0) return named;
    // Another name of one: a hard link, or a folder reached another way.
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(tableSet, ec)) {
        struct stat st {};
        if (isTableFileName(entry.path().filename().string()) && ::stat(entry.path().c_str(), &st) == 0 &&
            sameFile(st, target))
            return true;
    }
    return false;
}

} // namespace rectix::tools
